// Prices-and-preferences file: loading, checksums and price searches, and the unit prices.
#include "catalogue/price_records.h"

#include <sys/stat.h>

#include <ctime>
#include <exception>
#include <optional>

#include "catalogue/records.h"
#include "objectstore/database_set.h"
#include "platform/settings_store.h"

namespace brumalis {
namespace {

constexpr const char* kFileNameValue = "PPFileName";
constexpr const char* kChecksumValue = "PPChecksum";

struct TAttachedFile {
    std::unique_ptr<Cls_PriceAndPrefsFile> pHeader;
    std::optional<CTRecordList<Cls_PriceEntry>> entries;
};

TAttachedFile& Attached() {
    static TAttachedFile attached;
    return attached;
}

platform::CTSettingsStore& Hive(bool bAllUsers) { return platform::Registry().Hive(bAllUsers); }

// Whatever empties the header table's cache (detaching database 1, the
// factory going away) detaches the file too, so no record outlives its tables.
void InstallUnloadOnCleanup(CTBaseFactory& factory) {
    if (CTTableInfo* pTable = factory.GetTableInfo(Cls_PriceAndPrefsFile::kClassID)) {
        pTable->SetCustomCacheCleanupProc([] { Cls_PriceAndPrefsFile::UnloadFile(); });
    }
}

// Gives database 1 the file szName (empty: no file) and reads it; false when
// no engine takes it or the file cannot be read.
bool AttachDatabase(CTBaseFactory& factory, const std::string& szName) {
    factory.SetDatabaseName(dbPricingAndPrefs, szName);
    factory.DisconnectDatabase(dbPricingAndPrefs);
    try {
        factory.ConnectDatabase(dbPricingAndPrefs);
        CTDbEngine* pEngine = factory.Engine(dbPricingAndPrefs);
        return pEngine && pEngine->Connect(std::string(), std::string(), false);
    } catch (const std::exception&) {
        return false;
    }
}

// The DOS directory-entry form: date in the high word, time (2-second steps)
// in the low word; 0 for times the form cannot hold.
std::uint32_t PackedDosDateTime(std::time_t t) {
    std::tm local{};
    if (!localtime_r(&t, &local)) return 0;
    const int nYear = local.tm_year + 1900;
    if (nYear < 1980 || nYear > 2107) return 0;
    const auto date = static_cast<std::uint32_t>(((nYear - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    const auto time = static_cast<std::uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    return (date << 16) | time;
}

}  // namespace

Cls_PriceAndPrefsFile* Cls_PriceAndPrefsFile::UniqueInstance() { return Attached().pHeader.get(); }

Cls_PriceAndPrefsFile* Cls_PriceAndPrefsFile::LoadFile(const std::string& szRegistryKey, bool bAllUsers) {
    CTBaseFactory* pFactory = GetDefaultFactory();
    if (!pFactory || !pFactory->IsConnected()) return nullptr;
    pFactory->SetDatabaseName(dbPricingAndPrefs, std::string());
    pFactory->DisconnectDatabase(dbPricingAndPrefs);
    UnloadFile();  // also when database 1 had no engine whose detaching did it
    const std::string szName = GetFileName(szRegistryKey, bAllUsers);
    std::unique_ptr<Cls_PriceAndPrefsFile> pHeader;
    if (AttachDatabase(*pFactory, szName)) {
        pHeader = RecordAs<Cls_PriceAndPrefsFile>(GetUniqueRecord(kClassID, false, pFactory));
    }
    if (!pHeader) {
        // Whatever an invalid file held (a truncated file may read as a
        // partial database) must not stay behind in database 1.
        AttachDatabase(*pFactory, std::string());
        return nullptr;
    }
    pHeader->v_checksum = CalcFileChecksum(szName);
    Attached().pHeader = std::move(pHeader);
    InstallUnloadOnCleanup(*pFactory);
    return UniqueInstance();
}

void Cls_PriceAndPrefsFile::UnloadFile() {
    Attached().pHeader.reset();
    Attached().entries.reset();
}

std::string Cls_PriceAndPrefsFile::GetFileName(const std::string& szRegistryKey, bool bAllUsers) {
    return Hive(bAllUsers).ReadString(szRegistryKey, kFileNameValue, "");
}

void Cls_PriceAndPrefsFile::SetFileName(const std::string& szRegistryKey, bool bAllUsers,
                                        const std::string& szFileName) {
    Hive(bAllUsers).WriteString(szRegistryKey, kFileNameValue, szFileName);
    SetCurrentChecksum(szRegistryKey, bAllUsers, CalcFileChecksum(szFileName));
}

void Cls_PriceAndPrefsFile::SetCurrentChecksum(const std::string& szRegistryKey, bool bAllUsers,
                                               std::int32_t nChecksum) {
    Hive(bAllUsers).WriteInteger(szRegistryKey, kChecksumValue, nChecksum);
}

std::int32_t Cls_PriceAndPrefsFile::GetCurrentChecksum(const std::string& szRegistryKey, bool bAllUsers) {
    return Hive(bAllUsers).ReadInteger(szRegistryKey, kChecksumValue, 0);
}

std::int32_t Cls_PriceAndPrefsFile::CalcFileChecksum(const std::string& szFileName) {
    struct stat info {};
    if (szFileName.empty() || ::stat(szFileName.c_str(), &info) != 0) return 0;
    const std::uint32_t nSum = PackedDosDateTime(info.st_mtime) + static_cast<std::uint32_t>(info.st_size);
    return static_cast<std::int32_t>(nSum);
}

std::int32_t Cls_PriceAndPrefsFile::GetChecksum() {
    const Cls_PriceAndPrefsFile* pHeader = UniqueInstance();
    return pHeader ? pHeader->v_checksum : 0;
}

const CTRecordList<Cls_PriceEntry>& Cls_PriceAndPrefsFile::AllPriceEntries() {
    static const CTRecordList<Cls_PriceEntry> kNoEntries;
    CTBaseFactory* pFactory = GetDefaultFactory();
    if (!pFactory) return kNoEntries;
    auto& entries = Attached().entries;
    if (!entries) {
        entries = RecordsAs<Cls_PriceEntry>(GetAllRecords(Cls_PriceEntry::kClassID, false, pFactory));
        InstallUnloadOnCleanup(*pFactory);
    }
    return *entries;
}

const Cls_PriceEntry* Cls_PriceAndPrefsFile::SearchPrice(std::int32_t nClsID, std::int32_t nObjID,
                                                         std::string_view szName, bool bNameIsNumber) {
    if (!UniqueInstance()) return nullptr;
    return Cls_PriceEntry::SearchPrice(AllPriceEntries(), nClsID, nObjID, szName, bNameIsNumber);
}

const Cls_PriceEntry* Cls_PriceAndPrefsFile::SearchPrice(const CTDbObject* pDevice, bool bNameIsNumber) {
    if (!pDevice) return nullptr;
    return SearchPrice(pDevice->TableIndex(), pDevice->GetID(), pDevice->GetName(), bNameIsNumber);
}

// The unit's material cost (options not counted; 0 without a file or an entry).
double Cls_ChOutdoorUnit::CalcPrice(std::int32_t SeqNr) {
    GetOptCombs(SeqNr);  // the data set starts with its own combinations
    const Cls_PriceEntry* pEntry = Cls_PriceAndPrefsFile::SearchPrice(this, false);
    double& price = DataSet(SeqNr).v_Price;
    price = pEntry ? pEntry->GetMaterialCost() : 0.0;
    return price;
}

}  // namespace brumalis
