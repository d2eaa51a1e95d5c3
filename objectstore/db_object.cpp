#include "objectstore/db_object.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "objectstore/base_factory.h"
#include "objectstore/db_engine.h"
#include "objectstore/edi_numbers.h"
#include "objectstore/store_lock.h"
#include "objectstore/store_messages.h"

namespace brumalis {

namespace {

CTBaseFactory* g_defaultFactory = nullptr;

CTBaseFactory& FactoryOrDefault(CTBaseFactory* pFactory) {
    CTBaseFactory* p = pFactory ? pFactory : g_defaultFactory;
    if (!p) CTDbException::RaiseExc(excDbStructure);
    return *p;
}

CTTableInfo& TableOf(CTBaseFactory& factory, std::int32_t nClsID) {
    CTTableInfo* pTable = factory.GetTableInfo(nClsID);
    if (!pTable) CTDbException::RaiseExc(excDbStructure);
    return *pTable;
}

// Runs an engine operation whose failure the caller sees only as an
// unchanged status.
template <typename Op>
void Swallowing(Op op) {
    try {
        op();
    } catch (const CTDbException&) {
    }
}

// The connected engines of the factory, in database order.
std::vector<CTDbEngine*> ConnectedEngines(const CTBaseFactory& factory) {
    std::vector<CTDbEngine*> engines;
    for (const auto& p : factory.Engines()) {
        if (p) engines.push_back(p.get());
    }
    return engines;
}

// Negative when a sorts before b on this field, 0 when the field does not decide.
int CompareField(const CTValueList& a, const CTValueList& b, int ix) {
    switch (a.TypeAt(ix)) {
        case FieldType::Boolean: return int(a.GetBooleanValue(ix)) - int(b.GetBooleanValue(ix));
        case FieldType::Integer: {
            const auto x = a.GetIntegerValue(ix), y = b.GetIntegerValue(ix);
            return x < y ? -1 : x > y;
        }
        case FieldType::Double: {
            const double x = a.GetDoubleValue(ix), y = b.GetDoubleValue(ix);
            return x < y ? -1 : x > y;
        }
        case FieldType::UnicodeString: return a.GetUnicodeStringValue(ix).compare(b.GetUnicodeStringValue(ix));
        default: return 0;
    }
}

// Quicksort with the middle element as pivot; records equal on all keys keep
// no particular order.
template <typename Less>
void QuickSort(CTObjectList& list, int lo, int hi, const Less& less) {
    while (lo < hi) {
        int i = lo, j = hi;
        CTDbObject* pivot = list[static_cast<std::size_t>((lo + hi) / 2)].get();
        while (i <= j) {
            while (less(*list[static_cast<std::size_t>(i)], *pivot)) ++i;
            while (less(*pivot, *list[static_cast<std::size_t>(j)])) --j;
            if (i <= j) std::swap(list[static_cast<std::size_t>(i++)], list[static_cast<std::size_t>(j--)]);
        }
        if (lo < j) QuickSort(list, lo, j, less);
        lo = i;
    }
}

}  // namespace

CTDbObject::CTDbObject(std::int32_t nClsID, std::int32_t nObjID, CTBaseFactory* pFactory)
    : v_tableInfo(&TableOf(FactoryOrDefault(pFactory), nClsID)),
      v_values(v_tableInfo->GetAllFieldInfo()),
      v_factory(&FactoryOrDefault(pFactory)) {
    if (nObjID <= 0) return;
    SetID(nObjID);
    if (CTDbEngine* pEngine = Engine()) {
        CTReadLock lock;
        Swallowing([&] { pEngine->ReadObject(*this); });
    }
    v_status = stStored;
}

CTDbObject::~CTDbObject() { v_status = stDestroying; }

void CTDbObject::SetDefaultFactory(CTBaseFactory* pFactory) { g_defaultFactory = pFactory; }
CTBaseFactory* CTDbObject::GetDefaultFactory() { return g_defaultFactory; }

void CTDbObject::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    tblInfo.AddFieldInfo(0, CTFieldInfo::CreateInteger(szIDFieldName, 0));
}

std::string CTDbObject::GetName() const {
    const int ix = v_tableInfo->GetNameIx();
    return ix > 0 ? v_values.GetUnicodeStringValue(ix) : std::string();
}

void CTDbObject::SetName(std::string_view szVal) {
    const int ix = v_tableInfo->GetNameIx();
    if (ix > 0) v_values.SetUnicodeStringValue(ix, szVal);
}

bool CTDbObject::ChkName(const CTEditingForm* pResource) const {
    if (v_tableInfo->GetNameIx() > 0 && v_tableInfo->IsNameRequired() && GetName().empty()) {
        ErrorRequired(pResource, "Name");
        return false;
    }
    return true;
}

std::string CTDbObject::GetQualifier() const { return v_tableInfo->GetModelClassName(); }

std::string CTDbObject::UniqueNamePrefix() const {
    std::string prefix = GetQualifier().substr(0, 3);
    for (char& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return prefix;
}

bool CTDbObject::Edit(void*, bool, void*) { return false; }

CTDbEngine& CTDbObject::RequireEngine() const {
    CTDbEngine* pEngine = Engine();
    if (!pEngine) CTDbException::RaiseExc(excRecNotInDB);
    return *pEngine;
}

void CTDbObject::RequireStored() const {
    if (v_status != stStored) CTDbException::RaiseExc(excRecNotInDB);
}

void CTDbObject::Insert() {
    if (v_status == stStored) CTDbException::RaiseExc(excRecAlreadyInDB);
    CTWriteLock lock;
    Swallowing([&] {
        RequireEngine().InsertObject(*this);
        v_status = stStored;
    });
}

void CTDbObject::InsertWithID(std::int32_t nID) {
    if (!RequireEngine().HasCapability(dbcInsertWithID)) {
        CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcInsertWithID));
    }
    SetID(nID);
    Insert();
}

void CTDbObject::InsertTemp() {
    CTWriteLock lock;
    Swallowing([&] { RequireEngine().InsertTempObject(*this); });
}

void CTDbObject::Update() {
    RequireStored();
    CTWriteLock lock;
    Swallowing([&] { RequireEngine().UpdateObject(*this); });
}

void CTDbObject::Read() {
    CTReadLock lock;
    Swallowing([&] {
        RequireEngine().ReadObject(*this);
        v_status = stStored;
    });
}

void CTDbObject::Remove() {
    if (v_status == stRemoved) return;
    RequireStored();
    CTWriteLock lock;
    Swallowing([&] {
        RequireEngine().RemoveObject(*this);
        v_status = stRemoved;
    });
}

void CTDbObject::CopyData(const CTDbObject& from, bool bAlsoRelations, int nStartIx) {
    v_values.CopyValues(from.v_values, nStartIx, bAlsoRelations, false);
}

std::string CTDbObject::GetTranslatedStringValue(int nIx) const {
    const std::string& text = v_values.GetUnicodeStringValue(nIx);
    const CTDbEngine* pEngine = Engine();
    if (!pEngine || !pEngine->EngineGlossary()) return text;
    return pEngine->EngineGlossary()->Translate(text).value_or(text);
}

void CTDbObject::GenerateTGUIDValue(int nIx) {
    static std::mt19937_64 rng(std::random_device{}());
    TGUID guid;
    for (auto& b : guid.bytes) b = static_cast<std::uint8_t>(rng());
    guid.bytes[7] = static_cast<std::uint8_t>((guid.bytes[7] & 0x0F) | 0x40);  // version 4
    guid.bytes[8] = static_cast<std::uint8_t>((guid.bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    v_values.SetTGUIDValue(nIx, guid);
}

bool CTDbObject::GetBinaryValue(int nIx, CTStream& stream) const {
    RequireStored();
    CTReadLock lock;
    return RequireEngine().GetBinaryValue(*this, nIx, stream);
}

void CTDbObject::SetBinaryValue(int nIx, CTStream* pStream) {
    RequireStored();
    CTWriteLock lock;
    Swallowing([&] { RequireEngine().SetBinaryValue(*this, nIx, pStream); });
}

template <typename Query>
CTObjectList CTDbObject::CollectFromEngines(Query query, const std::vector<std::string>* pOrderFields) const {
    CTObjectList result;
    bool bMustSort = false;
    int nContributing = 0;
    CTReadLock lock;
    try {
        for (CTDbEngine* pEngine : ConnectedEngines(*v_factory)) {
            bool bEngineSorts = false;
            CTObjectList part = query(*pEngine, bEngineSorts);
            if (part.empty()) continue;
            ++nContributing;
            bMustSort = bMustSort || bEngineSorts || !pEngine->HasCapability(dbcSort);
            std::move(part.begin(), part.end(), std::back_inserter(result));
        }
    } catch (const CTDbException&) {
        // Stop at the first engine that fails and answer what was found.
    }
    if (pOrderFields && !pOrderFields->empty() && (bMustSort || nContributing > 1)) SortByFields(result, *pOrderFields);
    return result;
}

CTObjectList CTDbObject::SelectByExample(const std::vector<std::string>* pOrderFields,
                                         const CTProgressCallback& callback) const {
    return CollectFromEngines(
        [&](CTDbEngine& engine, bool& bSort) {
            return engine.HasCapability(dbcSelectByExample)
                       ? engine.SelectByExample(*this, pOrderFields, callback, bSort)
                       : CTObjectList();
        },
        pOrderFields);
}

CTObjectList CTDbObject::SelectLikeExample(int nMaxItems, const std::vector<std::string>* pOrderFields,
                                           const CTProgressCallback& callback) const {
    return CollectFromEngines(
        [&](CTDbEngine& engine, bool& bSort) {
            return engine.HasCapability(dbcSelectLikeExample)
                       ? engine.SelectLikeExample(*this, nMaxItems, callback, bSort, pOrderFields)
                       : CTObjectList();
        },
        pOrderFields);
}

int CTDbObject::CountByExample() const {
    int n = 0;
    CTReadLock lock;
    for (CTDbEngine* pEngine : ConnectedEngines(*v_factory)) {
        if (pEngine->HasCapability(dbcSelectByExample)) n += pEngine->CountByExample(*this);
    }
    return n;
}

void CTDbObject::RemoveByExample() const {
    CTWriteLock lock;
    for (CTDbEngine* pEngine : ConnectedEngines(*v_factory)) {
        if (!pEngine->IsReadOnly() && pEngine->HasCapability(dbcRemoveByExample)) pEngine->RemoveByExample(*this);
    }
}

CTObjectList CTDbObject::GetAllRecords(std::int32_t nClsID, bool bAlsoDerived, CTBaseFactory* pFactory,
                                       const CTProgressCallback& callback) {
    CTBaseFactory& factory = FactoryOrDefault(pFactory);
    CTObjectList result;
    CTReadLock lock;
    for (CTTableInfo* pTable : factory.Tables()) {
        const bool bWanted = pTable->GetTableIndex() == nClsID || (bAlsoDerived && pTable->IsOfClass(nClsID));
        if (!bWanted || pTable->IsAbstract() || !pTable->GetDbEngine()) continue;
        CTObjectList part = pTable->GetDbEngine()->AllObjects(pTable->GetTableIndex(), callback);
        std::move(part.begin(), part.end(), std::back_inserter(result));
    }
    return result;
}

int CTDbObject::CountAllRecords(std::int32_t nClsID, bool bAlsoDerived, CTBaseFactory* pFactory) {
    CTBaseFactory& factory = FactoryOrDefault(pFactory);
    int n = 0;
    CTReadLock lock;
    for (CTTableInfo* pTable : factory.Tables()) {
        const bool bWanted = pTable->GetTableIndex() == nClsID || (bAlsoDerived && pTable->IsOfClass(nClsID));
        if (bWanted && !pTable->IsAbstract() && pTable->GetDbEngine()) {
            n += pTable->GetDbEngine()->CountObjects(pTable->GetTableIndex());
        }
    }
    return n;
}

std::unique_ptr<CTDbObject> CTDbObject::GetUniqueRecord(std::int32_t nClsID, bool bMustExist,
                                                        CTBaseFactory* pFactory) {
    CTObjectList all = GetAllRecords(nClsID, false, pFactory);
    if (all.size() == 1) return std::move(all.front());
    if (bMustExist) CTDbException::RaiseExc(excRecNotFound);
    return nullptr;
}

void CTDbObject::PurgeTable(std::int32_t nClsID, CTBaseFactory* pFactory) {
    CTTableInfo& table = TableOf(FactoryOrDefault(pFactory), nClsID);
    if (table.IsAbstract() || !table.GetDbEngine()) return;
    CTWriteLock lock;
    table.GetDbEngine()->PurgeTable(nClsID);
}

void CTDbObject::SetRelationByIx(int nFieldIx, const CTDbObject* pRelObj) {
    if (!pRelObj) {
        DropRelationByIx(nFieldIx);
        return;
    }
    if (pRelObj->v_status != stStored) CTDbException::RaiseExc(excRecNotInDB);
    const CTFieldInfo* pField = v_tableInfo->GetFieldInfo(nFieldIx);
    const CTTableLink* pLink = pField ? pField->GetReferenceTo() : nullptr;
    if (pLink && pLink->Flags().bIsOrdered) {
        const std::int32_t nMax = pRelObj->Engine() ? pRelObj->Engine()->GetMaxOrder(*pRelObj, TableIndex(), nFieldIx) : -1;
        v_values.SetIntegerValue(nFieldIx + 2, nMax + 1);
    }
    v_values.SetIntegerValue(nFieldIx, pRelObj->TableIndex());
    v_values.SetIntegerValue(nFieldIx + 1, pRelObj->GetID());
    if (v_status == stStored) {
        CTWriteLock lock;
        RequireEngine().UpdateRelation(*this, nFieldIx, pRelObj->GetID(), pRelObj->TableIndex());
    }
}

void CTDbObject::DropRelationByIx(int nFieldIx) {
    v_values.SetIntegerValue(nFieldIx, 0);
    v_values.SetIntegerValue(nFieldIx + 1, 0);
    if (v_status == stStored) {
        CTWriteLock lock;
        RequireEngine().UpdateRelation(*this, nFieldIx, 0, 0);
    }
}

std::unique_ptr<CTDbObject> CTDbObject::GetRelationByIx(int nFieldIx) const {
    RequireStored();
    CTReadLock lock;
    return RequireEngine().GetRelation(*this, nFieldIx);
}

CTObjectList CTDbObject::GetRelatedByIx(std::int32_t nClsID, int nFieldIx, const std::vector<std::string>* pSortKeys,
                                        const CTObjectFilter& filter) const {
    RequireStored();
    CTObjectList result;
    CTReadLock lock;
    for (CTDbEngine* pEngine : ConnectedEngines(*v_factory)) {
        bool bMustSort = false;
        CTObjectList part = pEngine->GetRelated(*this, nClsID, bMustSort, false, filter, pSortKeys, nFieldIx);
        std::move(part.begin(), part.end(), std::back_inserter(result));
    }
    if (pSortKeys && !pSortKeys->empty()) {
        SortByFields(result, *pSortKeys);
    } else if (!result.empty()) {
        const CTTableLink* pLink = result.front()->TableInfo().GetFieldInfo(nFieldIx)->GetReferenceTo();
        if (pLink && pLink->Flags().bIsOrdered) {
            const int nOrderIx = nFieldIx + 2;
            QuickSort(result, 0, static_cast<int>(result.size()) - 1, [&](const CTDbObject& a, const CTDbObject& b) {
                return a.Values().GetIntegerValue(nOrderIx) < b.Values().GetIntegerValue(nOrderIx);
            });
        }
    }
    return result;
}

std::unique_ptr<CTDbObject> CTDbObject::GetSingleRelatedByIx(std::int32_t nClsID, int nFieldIx) const {
    RequireStored();
    CTReadLock lock;
    for (CTDbEngine* pEngine : ConnectedEngines(*v_factory)) {
        if (auto p = pEngine->GetSingleRelated(*this, nClsID, nFieldIx)) return p;
    }
    return nullptr;
}

bool CTDbObject::HasRelations(const std::int32_t* pClsIDs, int nCount) const {
    CTReadLock lock;
    for (CTTableInfo* pTable : v_factory->Tables()) {
        if (pTable->IsAbstract() || !pTable->GetDbEngine()) continue;
        const bool bListed = nCount < 0 || std::find(pClsIDs, pClsIDs + nCount, pTable->GetTableIndex()) != pClsIDs + nCount;
        if (!bListed) continue;
        for (int ix = 1; ix < pTable->FieldCount(); ++ix) {
            const CTTableLink* pLink = pTable->GetFieldInfo(ix)->GetReferenceTo();
            if (!pLink || !IsOfClass(pLink->GetFromClsID())) continue;
            bool bMustSort = false;
            if (!pTable->GetDbEngine()->GetRelated(*this, pTable->GetTableIndex(), bMustSort, true, {}, nullptr, ix).empty()) {
                return true;
            }
        }
    }
    return false;
}

bool CTDbObject::IsUnique(int nFieldIx, std::string_view szVal) const {
    CTReadLock lock;
    return RequireEngine().IsUniqueValue(*this, nFieldIx, false, szVal);
}

std::string CTDbObject::InventUniqueName() const {
    const int ix = v_tableInfo->GetNameIx();
    if (ix <= 0) return std::string();
    std::string prefix = UniqueNamePrefix();
    for (;;) {
        const std::string candidate = prefix + std::to_string(GetID());
        if (IsUnique(ix, candidate)) return candidate;
        prefix += '_';
    }
}

std::string CTDbObject::CaptionForValue(const CTEditingForm* pRsc, const std::string& szFieldName) {
    if (!pRsc) return szFieldName;
    std::string caption = pRsc->ComponentProperty("Lbl_" + szFieldName, "Caption");
    if (caption.empty()) caption = pRsc->ComponentProperty("Txt_" + szFieldName, "CaptionTitle");
    if (caption.empty()) caption = pRsc->ComponentProperty("Txt_" + szFieldName, "Hint");
    return caption.empty() ? szFieldName : caption;
}

void CTDbObject::ErrorRequired(const CTEditingForm* pParent, const std::string& szFldName) {
    ShowStoreMessage(msgValueRequired, {CaptionForValue(pParent, szFldName)});
}

void CTDbObject::ErrorUnique(const CTEditingForm* pParent, const std::string& szFldName) {
    ShowStoreMessage(msgValueUnique, {CaptionForValue(pParent, szFldName)});
}

void CTDbObject::ErrorLB(const CTEditingForm* pParent, const std::string& szFldName, const std::string& szChkValue) {
    ShowStoreMessage(msgRangeCheck, {CaptionForValue(pParent, szFldName) + " < " + szChkValue});
}

void CTDbObject::ErrorLB(const CTEditingForm* pParent, const std::string& szFldName, double nChkValue) {
    ErrorLB(pParent, szFldName, FormatEdiDouble(nChkValue));
}

void CTDbObject::ErrorUB(const CTEditingForm* pParent, const std::string& szFldName, const std::string& szChkValue) {
    ShowStoreMessage(msgRangeCheck, {CaptionForValue(pParent, szFldName) + " > " + szChkValue});
}

void CTDbObject::ErrorUB(const CTEditingForm* pParent, const std::string& szFldName, double nChkValue) {
    ErrorUB(pParent, szFldName, FormatEdiDouble(nChkValue));
}

CTDbObject* CTDbObject::SearchID(const CTObjectList& list, std::int32_t nID) {
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p->GetID() == nID; });
    return it == list.end() ? nullptr : it->get();
}

CTDbObject* CTDbObject::SearchID2(const CTObjectList& list, std::int32_t nClsID, std::int32_t nObjID) {
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const auto& p) { return p->GetID() == nObjID && p->TableIndex() == nClsID; });
    return it == list.end() ? nullptr : it->get();
}

void CTDbObject::SortByFields(CTObjectList& list, const std::vector<std::string>& fieldNames) {
    if (list.size() < 2) return;
    std::vector<int> keys;
    for (const std::string& name : fieldNames) {
        const int ix = list.front()->TableInfo().IndexOfField(name);
        if (ix >= 0) keys.push_back(ix);
    }
    const auto less = [&](const CTDbObject& a, const CTDbObject& b) {
        for (int ix : keys) {
            if (ix >= a.Values().Count() || ix >= b.Values().Count() || a.Values().TypeAt(ix) != b.Values().TypeAt(ix)) {
                continue;
            }
            if (const int c = CompareField(a.Values(), b.Values(), ix)) return c < 0;
        }
        return false;
    };
    QuickSort(list, 0, static_cast<int>(list.size()) - 1, less);
}

}  // namespace brumalis
