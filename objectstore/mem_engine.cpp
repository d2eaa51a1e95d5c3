#include "objectstore/mem_engine.h"

#include <algorithm>
#include <utility>
#include <fstream>
#include <set>
#include <sstream>

#include "objectstore/base_factory.h"
#include "objectstore/edi_writer.h"
#include "objectstore/store_messages.h"
#include "platform/data_source_entries.h"

namespace brumalis {

namespace {

struct EngineSettings {
    int nMaxUndoDepth = 5;
    bool bAutoCorrect = false;
    const CTMappingTable* pNameMapping = nullptr;
    TCompressionSettings compression;
};

EngineSettings& Settings() {
    static EngineSettings settings;
    return settings;
}

bool IsReference(std::int32_t nClsID, std::int32_t nObjID) { return nClsID >= 0 && nObjID > 0; }

bool SameRelation(const CTDbRelation& rel, const CTTableLink* pLink, std::int32_t nClsID, std::int32_t nObjID) {
    return rel.v_model == pLink && rel.v_refClsID == nClsID && rel.v_refObjID == nObjID;
}

// The fields of a table that carry a link, with their links.
template <typename Fn>
void ForEachLinkField(const CTTableInfo& table, Fn fn) {
    for (int ix = 1; ix < table.FieldCount(); ++ix) {
        if (const CTTableLink* pLink = table.GetFieldInfo(ix)->GetReferenceTo()) fn(ix, *pLink);
    }
}

std::string FromTableName(const CTTableLink& link) {
    return link.GetFromTable() ? link.GetFromTable()->GetTableName() : std::to_string(link.GetFromClsID());
}

bool TextEquals(std::string_view a, std::string_view b, bool bIgnoreCase) {
    return bIgnoreCase ? EqualsIgnoreCase(a, b) : a == b;
}

}  // namespace

// Feeds the records of an EDI text into the top layer of the engine.
class CTMemDbEngine::Loader : public CTEdiSink {
public:
    explicit Loader(CTMemDbEngine& engine) : v_engine(engine) {}

    TEdiTableMatch ResolveTable(const TEdiFileTable& fileTable, const CTMappingTable* pNameMapping) override {
        TEdiTableMatch match = MatchTableByName(v_engine.GetFactory(), v_engine.v_engineIndex, fileTable, pNameMapping);
        if (match.pTable && !v_engine.Top()->Map(match.pTable->GetTableIndex())) match.pTable = nullptr;
        return match;
    }

    bool AddRecord(CTTableInfo& table, std::vector<TFieldValue>& values) override {
        CTElemDbObjectMap& map = *v_engine.Top()->Map(table.GetTableIndex());
        CTValueList list(table.GetAllFieldInfo(), true);
        for (std::size_t i = 0; i < values.size(); ++i) list.SetValue(static_cast<int>(i), values[i]);
        CTElemDbObject* pElem = map.AddNew(std::make_unique<CTElemDbObject>(table, std::move(list)));
        if (!pElem) return false;
        read.push_back(TRead{&map, pElem});
        return true;
    }

    void NoteLargestID(CTTableInfo& table, std::int32_t nLargestID) override {
        v_engine.Top()->Map(table.GetTableIndex())->NoteID(nLargestID);
    }

    // Every record read, in reading order; the maps own them.
    struct TRead {
        CTElemDbObjectMap* map;
        CTElemDbObject* elem;
    };
    std::vector<TRead> read;

private:
    CTMemDbEngine& v_engine;
};

CTMemDbEngine::CTMemDbEngine(CTBaseFactory& factory, std::string szLogicalName, std::string szDatabaseName,
                             bool bReadOnly, int nEngineIndex, CTDbCapabilities capabilities)
    : CTDbEngine(factory, std::move(szLogicalName), std::move(szDatabaseName), bReadOnly, capabilities),
      v_engineIndex(nEngineIndex) {
    for (CTTableInfo* pTable : factory.Tables()) {
        if (!pTable->IsAbstract() && pTable->GetDbID() == nEngineIndex) v_tables.push_back(pTable);
    }
    v_transactionTop = std::make_unique<CTTransactionLayer>(nullptr, v_tables);
}

CTMemDbEngine::~CTMemDbEngine() = default;

void CTMemDbEngine::LoadOnFirstUse(std::function<void()> load) {
    std::lock_guard lock(v_loadMutex);
    v_pendingLoad = std::move(load);
    v_bLoadPending.store(v_pendingLoad != nullptr, std::memory_order_release);
}

void CTMemDbEngine::RunPendingLoad() const {
    std::lock_guard lock(v_loadMutex);
    // Empty when another reader loaded meanwhile, or when the load itself
    // reaches the content through Top().
    if (!v_pendingLoad) return;
    const std::function<void()> load = std::exchange(v_pendingLoad, nullptr);
    load();
    v_bLoadPending.store(false, std::memory_order_release);
}

int CTMemDbEngine::GetMaxUndoDepth() { return Settings().nMaxUndoDepth; }
void CTMemDbEngine::SetMaxUndoDepth(int n) { Settings().nMaxUndoDepth = n >= 0 && n <= 20 ? n : 5; }
bool CTMemDbEngine::GetAutoCorrect() { return Settings().bAutoCorrect; }
void CTMemDbEngine::SetAutoCorrect(bool b) { Settings().bAutoCorrect = b; }
void CTMemDbEngine::UseNameMappingTable(const CTMappingTable* pTable) { Settings().pNameMapping = pTable; }
bool CTMemDbEngine::UseCompression(bool bUse) { return std::exchange(Settings().compression.bUseCompression, bUse); }
std::string CTMemDbEngine::SetCompressionSignature(std::string szSig) {
    return std::exchange(Settings().compression.szSignature, std::move(szSig));
}
const TCompressionSettings& CTMemDbEngine::CompressionSettings() { return Settings().compression; }

void CTMemDbEngine::RegisterScratchEngine() {
    CTBaseFactory::RegisterEngine("scratch", [](const TEngineOffer& offer) -> std::unique_ptr<CTDbEngine> {
        return std::make_unique<CTMemDbEngine>(offer.factory, offer.szLogicalName, offer.szDatabaseName,
                                               offer.bReadOnly, offer.nEngineIndex);
    });
}

void CTMemDbEngine::RegisterEngine() {
    CTBaseFactory::RegisterEngine("CTMemDbEngine", [](const TEngineOffer& offer) -> std::unique_ptr<CTDbEngine> {
        if (!platform::CheckDataSourceEntry(platform::Registry(), offer.szLogicalName, offer.szDatabaseName,
                                            offer.bUpdateDatabaseName)) {
            return nullptr;
        }
        return std::make_unique<CTMemDbEngine>(offer.factory, offer.szLogicalName, offer.szDatabaseName,
                                               offer.bReadOnly, offer.nEngineIndex);
    });
}

std::string CTMemDbEngine::GetTypeString() const { return StoreMessageText(msgTextFile); }

int CTMemDbEngine::LayerCount() const {
    int n = 0;
    for (const CTTransactionLayer* p = Top().get(); p; p = p->Parent()) ++n;
    return n;
}

std::int32_t CTMemDbEngine::LargestIssuedID(std::int32_t nClsID) const {
    const CTElemDbObjectMap* pMap = Top()->Map(nClsID);
    return pMap ? pMap->GetMaxID() : 0;
}

// ---- loading and saving -------------------------------------------------

bool CTMemDbEngine::Connect(const std::string&, const std::string&, bool bMustFlagErrors) {
    if (GetDatabaseName().empty()) {
        SetConnected(true);
        return true;
    }
    std::unique_ptr<CTMyFileStream> pFile;
    try {
        pFile = std::make_unique<CTMyFileStream>(GetDatabaseName(), CTMyFileStream::Mode::OpenReadDenyWrite);
    } catch (const CTStreamError&) {
        if (bMustFlagErrors) ShowStoreMessage(msgUnableToOpenFile, {GetDatabaseName()});
        return false;
    }
    return LoadFrom(*pFile, bMustFlagErrors, GetDatabaseName());
}

bool CTMemDbEngine::LoadFrom(CTStream& raw, bool bMustFlagErrors, const std::string& szShownName) {
    try {
        const std::unique_ptr<CTStream> payload = OpenContainerPayload(raw, Settings().compression);
        CTStreamIO io(*payload);
        ReadFrom(io);
    } catch (const std::exception&) {
        if (bMustFlagErrors) ShowStoreMessage(msgInvalidStructure, {szShownName});
        return false;
    }
    SetConnected(true);
    return true;
}

void CTMemDbEngine::ReadFrom(CTStreamIO& io) {
    Loader loader(*this);
    TEdiReadOptions options;
    options.pNameMapping = Settings().pNameMapping;
    const TEdiReadResult result = ReadEdi(io, GetFactory(), loader, options);
    // Over a layer below, a record read may stand for one with the same ID
    // that is listed with its targets already.
    const bool bOnlyLayer = Top()->Parent() == nullptr;
    TLinkTargets targets;
    for (const Loader::TRead& r : loader.read) {
        CTElemDbObject& elem = *r.elem;
        targets.clear();
        if (CheckReferences(*elem.v_tblInfo, elem.v_values, elem.v_id, &result.tableOfFileID, &targets)) {
            if (bOnlyLayer) {
                RegisterLoadedReferences(elem, targets);
            } else {
                RegisterReferences(elem, nullptr);
            }
        } else {
            r.map->Remove(elem.v_id);
        }
    }
}

void CTMemDbEngine::AddConsistentPopulationFrom(CTStreamIO& io) {
    FoldAll();
    DiscardRedo();
    v_transactionTop = std::make_unique<CTTransactionLayer>(std::move(v_transactionTop), v_tables);
    ReadFrom(io);
    FoldAll();
}

void CTMemDbEngine::WriteToStream(CTStream& stream) {
    FoldAll();
    DiscardRedo();
    std::vector<const CTTableInfo*> tables(v_tables.begin(), v_tables.end());
    CTContainerWriter container(stream, Settings().compression);
    CTEdiWriter writer(container.Payload());
    writer.WriteSignature(GetFactory().GetSignature());
    writer.WriteStructure(tables);
    for (const auto& pMap : Top()->Maps()) {
        if (!pMap || pMap->Elements().empty()) continue;
        writer.BeginRecords(pMap->Table().GetTableIndex(), static_cast<std::int32_t>(pMap->Elements().size()),
                            pMap->GetMaxID());
        for (const auto& [nID, pElem] : pMap->Elements()) pElem->v_values.WriteTo(writer);
    }
    writer.EndRecords();
    writer.WriteExtendedStructure(tables);
    writer.Flush();
    container.Finish();
    NotifyModified(false);
}

namespace {

// Copies records into a fresh engine of the same database, binaries included.
void CopyRecordsInto(CTMemDbEngine& target, const CTDbEngine& source, const CTObjectList& records) {
    for (const auto& pObj : records) {
        auto pCopy = target.GetFactory().CreateObject(pObj->TableIndex(), 0);
        pCopy->Values().CopyValues(pObj->Values(), 0, true, true);
        for (int ix = 1; ix < pCopy->Values().Count(); ++ix) {
            if (pCopy->Values().TypeAt(ix) != FieldType::Binary) continue;
            CTMemoryStream bytes;
            source.GetBinaryValue(*pObj, ix, bytes);
            pCopy->Values().SetBinaryValue(ix, bytes.Data());
        }
        target.InsertRaw(*pCopy);
    }
}

int DatabaseIndexOf(const CTDbEngine& engine) {
    const auto& engines = engine.GetFactory().Engines();
    for (std::size_t i = 0; i < engines.size(); ++i) {
        if (engines[i].get() == &engine) return static_cast<int>(i);
    }
    CTDbException::RaiseExc(excDbStructure);
}

}  // namespace

void CTMemDbEngine::WriteEngineContent(CTStream& stream, CTDbEngine& engine) {
    CTMemDbEngine temp(engine.GetFactory(), engine.GetLogicalName(), std::string(), false, DatabaseIndexOf(engine));
    CTObjectList all;
    for (CTTableInfo* pTable : temp.v_tables) {
        CTObjectList part = engine.AllObjects(pTable->GetTableIndex(), {});
        std::move(part.begin(), part.end(), std::back_inserter(all));
    }
    CopyRecordsInto(temp, engine, all);
    temp.WriteToStream(stream);
}

void CTMemDbEngine::SaveConsistentPopulation(CTStream& stream, CTDbEngine& modelEngine, const CTObjectList& records) {
    CTMemDbEngine temp(modelEngine.GetFactory(), modelEngine.GetLogicalName(), std::string(), false,
                       DatabaseIndexOf(modelEngine));
    CopyRecordsInto(temp, modelEngine, records);
    temp.WriteToStream(stream);
}

void CTMemDbEngine::InsertRaw(const CTDbObject& obj) {
    CTElemDbObjectMap* pMap = Top()->Map(obj.TableIndex());
    if (!pMap || pMap->Lookup(obj.GetID())) return;
    CTElemDbObject& elem = pMap->Add(std::make_unique<CTElemDbObject>(obj.TableInfo(), CTValueList(obj.Values())));
    RegisterReferences(elem, nullptr);
}

void CTMemDbEngine::RemoveOrphans() {
    PrepareChange();
    for (CTTableInfo* pTable : v_tables) {
        for (const auto& [nID, pListed] : Top()->ObjectsOfClass(pTable->GetTableIndex())) {
            const CTElemDbObject* pElem = pListed;
            bool bOrphan = false;
            ForEachLinkField(*pTable, [&](int ix, const CTTableLink& link) {
                std::int32_t nCls = 0, nObj = 0;
                pElem->v_values.GetRefValues(ix, nCls, nObj);
                bOrphan = bOrphan || (link.Flags().bRefIntegr && IsReference(nCls, nObj) && !HoldsClass(nCls));
            });
            if (CTElemDbObject* pLive = Top()->FindObject(pTable->GetTableIndex(), nID); bOrphan && pLive) {
                RemoveCollected(CollectCascade(*pLive));
            }
        }
    }
}

// ---- record operations --------------------------------------------------

void CTMemDbEngine::RequireWritable(const CTTableInfo& table) const {
    if (IsReadOnly()) CTDbException::RaiseExc(excReadOnly, table.GetTableName());
}

CTElemDbObject& CTMemDbEngine::FindOrRaise(std::int32_t nClsID, std::int32_t nObjID) const {
    CTElemDbObject* pElem = Top()->FindObject(nClsID, nObjID);
    if (!pElem) CTDbException::RaiseExc(excRecNotFound);
    return *pElem;
}

void CTMemDbEngine::PrepareChange() {
    if (v_nestedTransactions > 0) return;
    FoldAll();
    DiscardRedo();
}

void CTMemDbEngine::FoldAll() { Top()->Fold(); }

void CTMemDbEngine::DiscardRedo() { v_redo.clear(); }

CTElemDbObject& CTMemDbEngine::CopyOnWrite(std::int32_t nClsID, std::int32_t nObjID) {
    CTElemDbObjectMap* pTop = Top()->Map(nClsID);
    if (!pTop) CTDbException::RaiseExc(excRecNotFound);
    if (CTElemDbObject* pHere = pTop->Lookup(nObjID); pHere && !pHere->IsDeleted()) return *pHere;
    const CTElemDbObject& below = FindOrRaise(nClsID, nObjID);
    auto pCopy = std::make_unique<CTElemDbObject>(*below.v_tblInfo, below.v_values);
    pCopy->v_referrers = below.v_referrers;
    pCopy->v_status = static_cast<std::uint8_t>(below.v_status & ~elemInserted);
    return pTop->Add(std::move(pCopy));
}

void CTMemDbEngine::ReadObject(CTDbObject& obj) const {
    const CTElemDbObject& elem = FindOrRaise(obj.TableIndex(), obj.GetID());
    obj.Values().CopyValues(elem.v_values, 1, true, false);
}

bool CTMemDbEngine::ObjectExists(std::int32_t nClsID, std::int32_t nObjID) const {
    return Top()->FindObject(nClsID, nObjID) != nullptr;
}

void CTMemDbEngine::InsertObject(CTDbObject& obj) {
    CTTableInfo& table = obj.TableInfo();
    RequireWritable(table);
    const std::int32_t nClsID = obj.TableIndex();
    if (obj.GetID() != 0 && ObjectExists(nClsID, obj.GetID())) {
        CTDbException::RaiseExc(excIDUsed, std::to_string(obj.GetID()));
    }
    PrepareChange();
    CTElemDbObjectMap* pMap = Top()->Map(nClsID);
    if (!pMap) CTDbException::RaiseExc(excDbStructure);
    const std::int32_t nID = obj.GetID() != 0 ? obj.GetID() : pMap->GetMaxID() + 1;
    CTValueList values(table.GetAllFieldInfo());
    values.CopyValues(obj.Values(), 0, true, false);
    values.SetIntegerValue(0, nID);
    // A record deleted earlier in this layer leaves a tombstone; the new one
    // takes its place but is no insert when it hides an older version (an
    // insert-and-delete would be dropped and bring that version back).
    std::unique_ptr<CTElemDbObject> pTombstone = pMap->Remove(nID);
    CTElemDbObject& elem = pMap->Add(std::make_unique<CTElemDbObject>(table, std::move(values)));
    elem.v_status = Top()->FindBelow(nClsID, nID) ? elemUpdated : elemInserted;
    obj.SetID(nID);
    const auto restore = [&] {
        pMap->Remove(nID);
        if (pTombstone) pMap->Add(std::move(pTombstone));
    };
    bool bPassed = false;
    try {
        bPassed = CheckReferences(table, elem.v_values, nID, nullptr);
    } catch (...) {
        restore();
        throw;
    }
    if (!bPassed) {
        restore();
        return;
    }
    RegisterReferences(elem, nullptr);
    NotifyModified(true, nClsID, nID, obj.GetName(), updInserted);
}

void CTMemDbEngine::UpdateObject(CTDbObject& obj) {
    const CTTableInfo& table = obj.TableInfo();
    RequireWritable(table);
    PrepareChange();
    CTElemDbObject& elem = CopyOnWrite(obj.TableIndex(), obj.GetID());
    CTValueList values = elem.v_values;
    values.CopyValues(obj.Values(), 1, true, false);
    if (!CheckReferences(table, values, obj.GetID(), nullptr)) return;
    const CTValueList old = std::exchange(elem.v_values, std::move(values));
    RegisterReferences(elem, &old);
    elem.v_status |= elemUpdated;
    if (Top()->v_singleClsID != obj.TableIndex() || Top()->v_singleObjID != obj.GetID()) {
        Top()->v_singleClsID = 0;
        Top()->v_singleObjID = 0;
    }
    NotifyModified(true, obj.TableIndex(), obj.GetID(), obj.GetName(), updUpdated);
}

void CTMemDbEngine::UpdateRelation(CTDbObject& obj, int nFieldIx, std::int32_t nToObjID, std::int32_t nToClsID) {
    const CTTableInfo& table = obj.TableInfo();
    RequireWritable(table);
    const CTFieldInfo* pField = table.GetFieldInfo(nFieldIx);
    const CTTableLink* pLink = pField ? pField->GetReferenceTo() : nullptr;
    if (!pLink) CTDbException::RaiseExc(excDbStructure);
    PrepareChange();
    CTElemDbObject& elem = CopyOnWrite(obj.TableIndex(), obj.GetID());
    if (pLink->Flags().bRefIntegr && IsReference(nToClsID, nToObjID) && HoldsClass(nToClsID) &&
        !ObjectExists(nToClsID, nToObjID)) {
        CTDbException::RaiseExc(excRelRequired, FromTableName(*pLink));
    }
    const CTValueList old = elem.v_values;
    elem.v_values.SetIntegerValue(nFieldIx, nToClsID);
    elem.v_values.SetIntegerValue(nFieldIx + 1, nToObjID);
    RegisterReferences(elem, &old);
    elem.v_status |= elemUpdated;
    NotifyModified(true, obj.TableIndex(), obj.GetID(), obj.GetName(), updUpdated);
}

bool CTMemDbEngine::GetBinaryValue(const CTDbObject& obj, int nFieldIx, CTStream& stream) const {
    const std::string& bytes = FindOrRaise(obj.TableIndex(), obj.GetID()).v_values.GetBinaryValue(nFieldIx);
    stream.WriteAll(bytes);
    return !bytes.empty();
}

void CTMemDbEngine::SetBinaryValue(const CTDbObject& obj, int nFieldIx, CTStream* pStream) {
    RequireWritable(obj.TableInfo());
    PrepareChange();
    CTElemDbObject& elem = CopyOnWrite(obj.TableIndex(), obj.GetID());
    elem.v_values.SetBinaryValue(nFieldIx, pStream ? ReadWholeStream(*pStream) : std::string());
    elem.v_status |= elemUpdated;
    NotifyModified(true, obj.TableIndex(), obj.GetID(), obj.GetName(), updUpdated);
}

void CTMemDbEngine::RemoveObject(CTDbObject& obj) {
    RequireWritable(obj.TableInfo());
    CTElemDbObject* pElem = Top()->FindObject(obj.TableIndex(), obj.GetID());
    if (!pElem) return;
    PrepareChange();
    RemoveCollected(CollectCascade(*Top()->FindObject(obj.TableIndex(), obj.GetID())));
}

std::vector<CTElemDbObject*> CTMemDbEngine::CollectCascade(CTElemDbObject& root) const {
    std::vector<CTElemDbObject*> collected{&root};
    std::set<std::pair<std::int32_t, std::int32_t>> seen{{root.v_tblInfo->GetTableIndex(), root.v_id}};
    for (std::size_t i = 0; i < collected.size(); ++i) {
        for (const CTDbRelation& rel : collected[i]->v_referrers) {
            if (!rel.v_model->Flags().bCascDel || !seen.insert({rel.v_refClsID, rel.v_refObjID}).second) continue;
            if (CTElemDbObject* pDep = Top()->FindObject(rel.v_refClsID, rel.v_refObjID)) {
                collected.push_back(pDep);
            }
        }
    }
    return collected;
}

void CTMemDbEngine::RemoveCollected(const std::vector<CTElemDbObject*>& collected) {
    std::vector<std::pair<std::int32_t, std::int32_t>> keys;
    for (const CTElemDbObject* pElem : collected) keys.emplace_back(pElem->v_tblInfo->GetTableIndex(), pElem->v_id);
    for (const auto& [nClsID, nObjID] : keys) {
        CTElemDbObject& elem = CopyOnWrite(nClsID, nObjID);
        UnregisterReferences(elem);
        elem.v_status |= elemDeleted;
        NotifyModified(true, nClsID, nObjID, std::string(), updRemoved);
    }
}

void CTMemDbEngine::PurgeTable(std::int32_t nClsID) {
    CTElemDbObjectMap* pMap = Top()->Map(nClsID);
    if (!pMap) return;
    RequireWritable(pMap->Table());
    PrepareChange();
    for (const auto& [nID, pElem] : Top()->ObjectsOfClass(nClsID)) {
        if (CTElemDbObject* pLive = Top()->FindObject(nClsID, nID)) RemoveCollected(CollectCascade(*pLive));
    }
    // Tombstones that hide no older version can go for good.
    std::erase_if(pMap->Elements(), [&](const auto& entry) {
        return entry.second->IsDeleted() && !Top()->FindBelow(nClsID, entry.first);
    });
    const auto left = Top()->ObjectsOfClass(nClsID);
    pMap->SetMaxID(left.empty() ? 0 : left.rbegin()->first);
}

CTDbObject& CTMemDbEngine::NewObjectFor(const CTElemDbObject& elem, CTObjectList& out) const {
    out.push_back(GetFactory().CreateObject(elem.v_tblInfo->GetTableIndex(), 0));
    CTDbObject& obj = *out.back();
    obj.Values().CopyValues(elem.v_values, 0, true, false);
    obj.SetStatus(stStored);
    return obj;
}

CTObjectList CTMemDbEngine::AllObjects(std::int32_t nClsID, const CTProgressCallback& callback) const {
    CTObjectList result;
    for (const auto& [nID, pElem] : Top()->ObjectsOfClass(nClsID)) {
        NewObjectFor(*pElem, result);
        if (callback) callback();
    }
    return result;
}

int CTMemDbEngine::CountObjects(std::int32_t nClsID) const {
    return static_cast<int>(Top()->ObjectsOfClass(nClsID).size());
}

bool CTMemDbEngine::IsUniqueValue(const CTDbObject& obj, int nFieldIx, bool bIgnoreCase, std::string_view szVal) const {
    for (const auto& [nID, pElem] : Top()->ObjectsOfClass(obj.TableIndex())) {
        if (nID != obj.GetID() && TextEquals(pElem->v_values.GetUnicodeStringValue(nFieldIx), szVal, bIgnoreCase)) {
            return false;
        }
    }
    return true;
}

// ---- references ---------------------------------------------------------

bool CTMemDbEngine::HoldsClass(std::int32_t nClsID) const { return Top()->Map(nClsID) != nullptr; }

bool CTMemDbEngine::CheckReferences(const CTTableInfo& table, CTValueList& values, std::int32_t nOwnID,
                                    const std::vector<std::pair<std::int32_t, CTTableInfo*>>* pFileIDs,
                                    TLinkTargets* pTargets) {
    bool bPassed = true;
    ForEachLinkField(table, [&](int ix, const CTTableLink& link) {
        if (!bPassed) return;
        if (pFileIDs) {
            const std::int32_t nFileID = values.GetIntegerValue(ix);
            const auto it = std::lower_bound(pFileIDs->begin(), pFileIDs->end(), std::make_pair(nFileID, nullptr),
                                             [](const auto& a, const auto& b) { return a.first < b.first; });
            if (it != pFileIDs->end() && it->first == nFileID && it->second) {
                values.SetIntegerValue(ix, it->second->GetTableIndex());
            }
        }
        std::int32_t nCls = 0, nObj = 0;
        values.GetRefValues(ix, nCls, nObj);
        if (!IsReference(nCls, nObj)) return;
        CTElemDbObject* pTarget = Top()->FindObject(nCls, nObj);
        if (pTargets && pTarget) pTargets->emplace_back(&link, pTarget);
        int nFailure = -1;
        if (link.Flags().bRefIntegr && HoldsClass(nCls) && !pTarget) nFailure = excRelRequired;
        if (link.Flags().bOneToOne && pTarget) {
            for (const CTDbRelation& rel : pTarget->v_referrers) {
                const bool bOther = rel.v_refClsID != table.GetTableIndex() || rel.v_refObjID != nOwnID;
                if (rel.v_model == &link && bOther && ObjectExists(rel.v_refClsID, rel.v_refObjID)) nFailure = excOneToOne;
            }
        }
        if (nFailure < 0) return;
        if (!Settings().bAutoCorrect) CTDbException::RaiseExc(nFailure, FromTableName(link));
        bPassed = false;
    });
    return bPassed;
}

void CTMemDbEngine::RegisterReferences(const CTElemDbObject& elem, const CTValueList* pOldValues) {
    const std::int32_t nOwnCls = elem.v_tblInfo->GetTableIndex();
    ForEachLinkField(*elem.v_tblInfo, [&](int ix, const CTTableLink& link) {
        std::int32_t nCls = 0, nObj = 0;
        elem.v_values.GetRefValues(ix, nCls, nObj);
        if (pOldValues) {
            std::int32_t nOldCls = 0, nOldObj = 0;
            pOldValues->GetRefValues(ix, nOldCls, nOldObj);
            if (nOldCls == nCls && nOldObj == nObj) return;
            if (CTElemDbObject* pOld = Top()->FindObject(nOldCls, nOldObj)) {
                std::erase_if(pOld->v_referrers, [&](const CTDbRelation& r) { return SameRelation(r, &link, nOwnCls, elem.v_id); });
            }
        }
        if (!IsReference(nCls, nObj)) return;
        CTElemDbObject* pTarget = Top()->FindObject(nCls, nObj);
        if (!pTarget) return;
        const bool bListed = std::any_of(pTarget->v_referrers.begin(), pTarget->v_referrers.end(),
                                         [&](const CTDbRelation& r) { return SameRelation(r, &link, nOwnCls, elem.v_id); });
        if (bListed) return;
        CTDbRelation rel(const_cast<CTTableLink*>(&link));
        rel.v_refClsID = nOwnCls;
        rel.v_refObjID = elem.v_id;
        pTarget->v_referrers.push_back(rel);
    });
}

void CTMemDbEngine::RegisterLoadedReferences(const CTElemDbObject& elem, const TLinkTargets& targets) {
    for (const auto& [pLink, pTarget] : targets) {
        CTDbRelation rel(const_cast<CTTableLink*>(pLink));
        rel.v_refClsID = elem.v_tblInfo->GetTableIndex();
        rel.v_refObjID = elem.v_id;
        pTarget->v_referrers.push_back(rel);
    }
}

void CTMemDbEngine::UnregisterReferences(const CTElemDbObject& elem) {
    const std::int32_t nOwnCls = elem.v_tblInfo->GetTableIndex();
    ForEachLinkField(*elem.v_tblInfo, [&](int ix, const CTTableLink& link) {
        std::int32_t nCls = 0, nObj = 0;
        elem.v_values.GetRefValues(ix, nCls, nObj);
        if (CTElemDbObject* pTarget = Top()->FindObject(nCls, nObj)) {
            std::erase_if(pTarget->v_referrers, [&](const CTDbRelation& r) { return SameRelation(r, &link, nOwnCls, elem.v_id); });
        }
    });
}

const CTTableLink* CTMemDbEngine::LinkFor(const CTTableInfo& table, std::int32_t nClsID, int nFieldIx) const {
    const CTTableInfo* pWanted = GetFactory().GetTableInfo(nClsID);
    for (const CTTableLink* pLink : table.GetReferences()) {
        if (pLink->GetToFieldIx() == nFieldIx && pWanted && pWanted->IsOfClass(pLink->GetToClsID())) return pLink;
    }
    CTDbException::RaiseExc(excDbStructure);
}

std::vector<CTTableInfo*> CTMemDbEngine::DerivedTables(std::int32_t nClsID) const {
    std::vector<CTTableInfo*> tables;
    for (CTTableInfo* pTable : v_tables) {
        if (pTable->IsOfClass(nClsID)) tables.push_back(pTable);
    }
    return tables;
}

std::unique_ptr<CTDbObject> CTMemDbEngine::GetRelation(const CTDbObject& obj, int nFieldIx) const {
    const CTFieldInfo* pField = obj.TableInfo().GetFieldInfo(nFieldIx);
    const CTTableLink* pLink = pField ? pField->GetReferenceTo() : nullptr;
    if (!pLink) CTDbException::RaiseExc(excDbStructure);
    FindOrRaise(obj.TableIndex(), obj.GetID());
    std::int32_t nCls = 0, nObj = 0;
    obj.Values().GetRefValues(nFieldIx, nCls, nObj);
    if (nObj < 1) return nullptr;
    std::unique_ptr<CTDbObject> pTarget = GetFactory().SafeCreateObject(nCls, nObj);
    if (!pTarget && pLink->Flags().bRefIntegr) CTDbException::RaiseExc(excRecNotFound);
    return pTarget;
}

CTObjectList CTMemDbEngine::GetRelated(const CTDbObject& obj, std::int32_t nClsID, bool& bMustSort, bool bStopAtFirst,
                                       const CTObjectFilter& filter, const std::vector<std::string>*,
                                       int nFieldIx) const {
    bMustSort = true;
    CTObjectList result;
    const auto accept = [&](const CTElemDbObject& elem) {
        CTDbObject& candidate = NewObjectFor(elem, result);
        if (filter && !filter(candidate)) result.pop_back();
        return bStopAtFirst && !result.empty();
    };
    if (obj.TableInfo().GetDbEngine() != this) {
        for (CTTableInfo* pTable : DerivedTables(nClsID)) {
            for (const auto& [nID, pElem] : Top()->ObjectsOfClass(pTable->GetTableIndex())) {
                std::int32_t nCls = 0, nObj = 0;
                pElem->v_values.GetRefValues(nFieldIx, nCls, nObj);
                if (nCls == obj.TableIndex() && nObj == obj.GetID() && accept(*pElem)) return result;
            }
        }
        return result;
    }
    const CTTableLink* pLink = LinkFor(obj.TableInfo(), nClsID, nFieldIx);
    CTElemDbObject* pStored = Top()->FindObject(obj.TableIndex(), obj.GetID());
    if (!pStored) return result;
    // Referrers that no longer exist are dropped on the way.
    std::erase_if(pStored->v_referrers,
                  [&](const CTDbRelation& r) { return r.v_model == pLink && !ObjectExists(r.v_refClsID, r.v_refObjID); });
    for (const CTDbRelation& rel : std::vector<CTDbRelation>(pStored->v_referrers)) {
        const CTTableInfo* pRefTable = GetFactory().GetTableInfo(rel.v_refClsID);
        if (rel.v_model != pLink || !pRefTable || !pRefTable->IsOfClass(nClsID)) continue;
        if (accept(*Top()->FindObject(rel.v_refClsID, rel.v_refObjID))) return result;
    }
    return result;
}

std::int32_t CTMemDbEngine::GetMaxOrder(const CTDbObject& obj, std::int32_t nClsID, int nFieldIx) const {
    if (obj.TableInfo().GetDbEngine() != this) return CTDbEngine::GetMaxOrder(obj, nClsID, nFieldIx);
    bool bMustSort = false;
    std::int32_t nMax = -1;
    for (const auto& pObj : GetRelated(obj, nClsID, bMustSort, false, {}, nullptr, nFieldIx)) {
        nMax = std::max(nMax, pObj->Values().GetIntegerValue(nFieldIx + 2));
    }
    return nMax;
}

// ---- query by example ---------------------------------------------------

bool CTMemDbEngine::MatchesExample(const CTDbObject& example, const CTElemDbObject& elem) const {
    const CTValueList& ex = example.Values();
    for (int ix = 1; ix < ex.Count(); ++ix) {
        const FieldType type = ex.TypeAt(ix);
        if (type == FieldType::Binary || type == FieldType::Guid) continue;
        const TFieldValue value = ex.GetValue(ix);
        if (value == example.Descriptors()[static_cast<std::size_t>(ix)]->GetDefaultValue()) continue;
        if (ix >= elem.v_values.Count() || !(elem.v_values.GetValue(ix) == value)) return false;
    }
    return true;
}

CTObjectList CTMemDbEngine::SelectByExample(const CTDbObject& example, const std::vector<std::string>*,
                                            const CTProgressCallback& callback, bool& bMustSort) const {
    bMustSort = true;
    CTObjectList result;
    for (CTTableInfo* pTable : DerivedTables(example.TableIndex())) {
        for (const auto& [nID, pElem] : Top()->ObjectsOfClass(pTable->GetTableIndex())) {
            if (!MatchesExample(example, *pElem)) continue;
            NewObjectFor(*pElem, result);
            if (callback) callback();
        }
    }
    return result;
}

int CTMemDbEngine::CountByExample(const CTDbObject& example) const {
    int n = 0;
    for (CTTableInfo* pTable : DerivedTables(example.TableIndex())) {
        for (const auto& [nID, pElem] : Top()->ObjectsOfClass(pTable->GetTableIndex())) {
            n += MatchesExample(example, *pElem) ? 1 : 0;
        }
    }
    return n;
}

void CTMemDbEngine::RemoveByExample(const CTDbObject& example) {
    RequireWritable(example.TableInfo());
    PrepareChange();
    for (CTTableInfo* pTable : DerivedTables(example.TableIndex())) {
        const std::int32_t nClsID = pTable->GetTableIndex();
        for (const auto& [nID, pElem] : Top()->ObjectsOfClass(nClsID)) {
            if (!MatchesExample(example, *pElem)) continue;
            if (CTElemDbObject* pLive = Top()->FindObject(nClsID, nID)) RemoveCollected(CollectCascade(*pLive));
        }
    }
}

// ---- transactions -------------------------------------------------------

void CTMemDbEngine::StartTransaction(std::int32_t nMsgID, std::int32_t nAppUpdateCode, bool bCanRedo,
                                     std::int32_t nUpdateClsID, std::int32_t nUpdateObjID) {
    CTTransactionLayer& top = *Top();
    if (v_nestedTransactions > 0) {
        top.v_updateCode |= nAppUpdateCode;
    } else if (!(nUpdateObjID != 0 && top.Parent() && top.v_singleClsID == nUpdateClsID &&
                 top.v_singleObjID == nUpdateObjID && top.v_updateCode == nAppUpdateCode)) {
        v_transactionTop = std::make_unique<CTTransactionLayer>(std::move(v_transactionTop), v_tables);
        CTTransactionLayer& layer = *v_transactionTop;
        layer.v_description = nMsgID;
        layer.v_updateCode = nAppUpdateCode;
        layer.v_canRedo = bCanRedo;
        layer.v_singleClsID = nUpdateClsID;
        layer.v_singleObjID = nUpdateObjID;
        CTTransactionLayer* pOld = &layer;
        for (int i = 0; i < Settings().nMaxUndoDepth && pOld; ++i) pOld = pOld->Parent();
        if (pOld) pOld->Fold();
    }
    ++v_nestedTransactions;
    DiscardRedo();
}

void CTMemDbEngine::EndTransaction() {
    if (v_nestedTransactions == 0 || --v_nestedTransactions > 0) return;
    Top()->DropInsertedAndDeleted();
    if (Top()->IsEmpty() && Top()->Parent()) v_transactionTop = Top()->TakeParent();
}

void CTMemDbEngine::StartNullTransaction() {
    if (v_nestedTransactions == 0) {
        v_transactionTop = std::make_unique<CTTransactionLayer>(std::move(Top()), v_tables);
    }
    ++v_nestedTransactions;
}

void CTMemDbEngine::EndNullTransaction() {
    if (v_nestedTransactions == 0 || --v_nestedTransactions > 0) return;
    RollBackTop();
}

std::unique_ptr<CTTransactionLayer> CTMemDbEngine::RollBackTop() {
    CTTransactionLayer& layer = *v_transactionTop;
    layer.DropInsertedAndDeleted();
    for (const auto& pMap : layer.Maps()) {
        if (!pMap) continue;
        for (const auto& [nID, pElem] : pMap->Elements()) UnregisterReferences(*pElem);
    }
    std::unique_ptr<CTTransactionLayer> pUndone = std::exchange(v_transactionTop, layer.TakeParent());
    for (const auto& pMap : pUndone->Maps()) {
        if (!pMap) continue;
        for (const auto& [nID, pElem] : pMap->Elements()) {
            if (CTElemDbObject* pBelow = Top()->FindObject(pMap->Table().GetTableIndex(), nID)) {
                RegisterReferences(*pBelow, nullptr);
            }
        }
    }
    return pUndone;
}

bool CTMemDbEngine::CanUndo(std::int32_t& nMsgID) const {
    if (IsReadOnly() || v_nestedTransactions > 0 || !Top()->Parent()) return false;
    nMsgID = Top()->v_description;
    return true;
}

bool CTMemDbEngine::CanRedo(std::int32_t& nMsgID) const {
    if (IsReadOnly() || v_nestedTransactions > 0 || v_redo.empty()) return false;
    nMsgID = v_redo.back()->v_description;
    return true;
}

std::int32_t CTMemDbEngine::Undo() {
    if (!Top()->Parent()) return 0;
    std::unique_ptr<CTTransactionLayer> pUndone = RollBackTop();
    const std::int32_t nCode = pUndone->v_updateCode;
    if (pUndone->v_canRedo) {
        v_redo.push_back(std::move(pUndone));
    } else {
        DiscardRedo();
    }
    return nCode;
}

std::int32_t CTMemDbEngine::Redo() {
    if (v_redo.empty()) return 0;
    std::unique_ptr<CTTransactionLayer> pLayer = std::move(v_redo.back());
    v_redo.pop_back();
    const CTTransactionLayer& layer = *pLayer;
    const auto forEachElement = [&](const auto& fn) {
        for (const auto& pMap : layer.Maps()) {
            if (!pMap) continue;
            for (const auto& [nID, pElem] : pMap->Elements()) fn(pMap->Table().GetTableIndex(), *pElem);
        }
    };
    forEachElement([&](std::int32_t nClsID, const CTElemDbObject& elem) {
        if (CTElemDbObject* pBelow = Top()->FindObject(nClsID, elem.v_id)) UnregisterReferences(*pBelow);
    });
    pLayer->SetParent(std::move(v_transactionTop));
    v_transactionTop = std::move(pLayer);
    forEachElement([&](std::int32_t, const CTElemDbObject& elem) {
        if (elem.IsDeleted()) {
            UnregisterReferences(elem);
        } else {
            RegisterReferences(elem, nullptr);
        }
    });
    return Top()->v_updateCode;
}

// ---- debugging ----------------------------------------------------------

namespace {

void DumpLayer(std::ostream& out, const CTTransactionLayer& layer) {
    out << "LAYER\n";
    for (const auto& pMap : layer.Maps()) {
        if (!pMap || pMap->Elements().empty()) continue;
        out << "  MAP " << pMap->Table().GetTableIndex() << '\n';
        for (const auto& [nID, pElem] : pMap->Elements()) {
            out << "    OBJECT " << nID << '\n' << "      status =";
            if (pElem->v_status & elemInserted) out << " INSERTED";
            if (pElem->v_status & elemUpdated) out << " UPDATED";
            if (pElem->v_status & elemDeleted) out << " DELETED";
            out << '\n';
            for (const CTDbRelation& rel : pElem->v_referrers) {
                out << "      referred by (" << rel.v_refClsID << ", " << rel.v_refObjID << ") - "
                    << rel.v_model->GetAssociationName() << '\n';
            }
            out << "    END OBJECT\n";
        }
        out << "  END MAP\n";
    }
    out << "END LAYER\n";
    if (layer.Parent()) {
        out << "PREVIOUS ";
        DumpLayer(out, *layer.Parent());
    }
}

}  // namespace

std::string CTMemDbEngine::DebugDumpText() const {
    std::ostringstream out;
    out << "TRANSACTION STACK\n=================\n";
    DumpLayer(out, *Top());
    if (!v_redo.empty()) {
        out << "\nREDO STACK\n==========\n";
        for (auto it = v_redo.rbegin(); it != v_redo.rend(); ++it) DumpLayer(out, **it);
    }
    return out.str();
}

void CTMemDbEngine::DebugDump(const std::string& szFileName) const {
    CTAtomicFileStream file(szFileName);
    file.WriteAll(DebugDumpText());
    file.Commit();
}

}  // namespace brumalis
