#include "objectstore/database_set.h"

#include "objectstore/store_messages.h"
#include "platform/data_source_entries.h"
#include "platform/resources.h"

namespace brumalis {

namespace {

constexpr const char* kLogicalNames[] = {"Device_Database", "Pricing_And_Prefs", "Chiller_Project",
                                         "Chiller_Pictures"};

std::unique_ptr<Cls_DdbVersionInfo> VersionRecord(CTBaseFactory* pFactory = nullptr) {
    try {
        std::unique_ptr<CTDbObject> p = CTDbObject::GetUniqueRecord(Cls_DdbVersionInfo::kClassID, false, pFactory);
        return std::unique_ptr<Cls_DdbVersionInfo>(dynamic_cast<Cls_DdbVersionInfo*>(p.release()));
    } catch (const CTDbException&) {
        return nullptr;
    }
}

std::string Trimmed(const std::string& sz) {
    const std::size_t first = sz.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return sz.substr(first, sz.find_last_not_of(' ') - first + 1);
}

}  // namespace

CTFactory::CTFactory(std::string szName, std::int32_t nVerMul100, std::int32_t nMinVerMul100,
                     const CTSchemaRegistrar& registrar)
    : CTBaseFactory(std::move(szName), nVerMul100, nMinVerMul100) {
    for (const char* szLogical : kLogicalNames) AddDatabase(szLogical);
    Cls_DdbVersionInfo::Register(*this);
    if (registrar) registrar(*this);
    ResolveSchema();
}

CTResDbEngine::CTResDbEngine(CTBaseFactory& factory, std::string szLogicalName, std::string szDatabaseName,
                             bool bReadOnly, int nEngineIndex)
    : CTMemDbEngine(factory, std::move(szLogicalName), std::move(szDatabaseName), bReadOnly, nEngineIndex,
                    kCapabilities) {}

void CTResDbEngine::RegisterEngine() {
    CTBaseFactory::RegisterEngine("CTResDbEngine", [](const TEngineOffer& offer) -> std::unique_ptr<CTDbEngine> {
        if (!platform::FindBlob(offer.szLogicalName)) return nullptr;
        return std::make_unique<CTResDbEngine>(offer.factory, offer.szLogicalName, offer.szDatabaseName,
                                               offer.bReadOnly, offer.nEngineIndex);
    });
}

bool CTResDbEngine::Connect(const std::string&, const std::string&, bool) {
    const std::optional<std::string_view> blob = platform::FindBlob(GetLogicalName());
    if (!blob) return false;
    const auto load = [this, bytes = *blob] {
        CTByteViewStream raw(bytes);
        return LoadFrom(raw, false, GetLogicalName());
    };
    // The pictures are only wanted by the data sheet and the reports, and
    // are a sixth of what a start would expand: a damaged blob then simply
    // leaves the database without pictures.
    if (GetLogicalName() == kLogicalNames[dbChillerPictures]) {
        LoadOnFirstUse([load] { load(); });
        SetConnected(true);
        return true;
    }
    return load();
}

void Cls_DdbVersionInfo::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "DVI_ID" : szIDFieldName);
    tblInfo.AddFieldInfo(fldDataRegion, CTFieldInfo::CreateInteger("DVI_DataRegion", 0));
    tblInfo.AddFieldInfo(fldDbVersion, CTFieldInfo::CreateUnicodeString("DVI_DbVersion", "", false));
    tblInfo.AddFieldInfo(fldDataVersion, CTFieldInfo::CreateUnicodeString("DVI_DataVersion", "", false));
    tblInfo.AddFieldInfo(fldApplicationFlags, CTFieldInfo::CreateInteger("DVI_ApplicationFlags", 0));
}

void Cls_DdbVersionInfo::Register(CTBaseFactory& factory) {
    auto pTable = std::make_unique<CTTableInfo>(kClassID, dbDeviceDatabase, "DdbVersionInfo", -1, false, false);
    Initialize(*pTable, std::string());
    factory.RegisterTable(std::move(pTable));
    factory.RegisterRecordClass(kClassID, [](std::int32_t nObjID, CTBaseFactory& f) {
        return std::make_unique<Cls_DdbVersionInfo>(nObjID, &f);
    });
}

bool Cls_DdbVersionInfo::CheckVersion(const std::string& szVersion, CTBaseFactory* pFactory, bool bFlagErrors) {
    CTBaseFactory* pDefault = GetDefaultFactory();
    if (!pDefault || !pDefault->IsConnected()) return false;
    const auto pRecord = VersionRecord(pFactory);
    if (!pRecord) return false;
    if (pRecord->GetDbVersion() == szVersion) return true;
    if (bFlagErrors) {
        ShowStoreMessage(msgIncorrectVersion, {pDefault->GetLogicalName(dbDeviceDatabase) + " " + szVersion + " <> " +
                                               pRecord->GetDbVersion()});
    }
    return false;
}

std::string Cls_DdbVersionInfo::GetOrvaneVersion() {
    const auto pRecord = VersionRecord();
    return pRecord ? Trimmed(pRecord->GetDataVersion()) : std::string();
}

void Cls_DdbVersionInfo::SetOrvaneVersion(const std::string& szNewVersion) {
    if (const auto pRecord = VersionRecord()) {
        pRecord->SetDataVersion(Trimmed(szNewVersion));
        pRecord->Update();
    }
}

std::int32_t Cls_DdbVersionInfo::GetRegion() {
    const auto pRecord = VersionRecord();
    return pRecord ? pRecord->GetDataRegion() : 0;
}

std::int32_t Cls_DdbVersionInfo::GetAppFlags() {
    const auto pRecord = VersionRecord();
    return pRecord ? pRecord->GetApplicationFlags() : 0;
}

void Cls_DdbVersionInfo::SetAppFlags(std::int32_t nFlags) {
    if (const auto pRecord = VersionRecord()) {
        pRecord->SetApplicationFlags(nFlags);
        pRecord->Update();
    }
}

std::string ExpectedStructureVersion(const std::string& szReferenceBlob, const std::string& szFallbackBlob) {
    std::optional<std::string_view> blob = platform::FindBlob(szReferenceBlob);
    if (!blob) blob = platform::FindBlob(szFallbackBlob);
    if (!blob || blob->size() > 200) return std::string();
    std::string text(*blob);
    const std::size_t lastSpace = text.rfind(' ');
    if (lastSpace != std::string::npos) text.erase(0, lastSpace + 1);
    const std::size_t cr = text.find('\r', 1);
    if (cr != std::string::npos) text.resize(cr);
    return text;
}

std::unique_ptr<CTFactory> SetUpDatabaseSet(const CTFactory::CTSchemaRegistrar& registrar) {
    CTBaseFactory::ClearRegisteredEngines();
    CTResDbEngine::RegisterEngine();
    CTMemDbEngine::RegisterEngine();
    CTMemDbEngine::UseCompression(true);
    CTMemDbEngine::SetCompressionSignature("QXZ");
    auto pFactory = std::make_unique<CTFactory>("EDI", 100, 100, registrar);
    CTDbObject::SetDefaultFactory(pFactory.get());
    pFactory->SetDatabaseName(dbPricingAndPrefs, std::string());
    pFactory->SetDatabaseName(dbChillerProject, std::string());
    for (int nDb : {dbDeviceDatabase, dbPricingAndPrefs, dbChillerPictures}) pFactory->SetReadOnly(nDb, true);
    for (int nDb : {dbPricingAndPrefs, dbChillerProject}) {
        platform::CreateMinimalODBCEntry(platform::Registry(), false, pFactory->GetLogicalName(nDb));
    }
    return pFactory;
}

}  // namespace brumalis
