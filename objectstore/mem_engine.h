// The memory engine: holds a whole database in memory, loads it from an EDI
// text (normally in the compressed container) and writes it back, with a
// stack of transaction layers for undo and redo, and the list of referrers
// of every record for referential integrity and cascade removal.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "objectstore/compressed_container.h"
#include "objectstore/db_engine.h"
#include "objectstore/edi_reader.h"
#include "objectstore/transaction_layer.h"

namespace brumalis {

class CTMemDbEngine : public CTDbEngine {
public:
    // One map for every non-abstract table of database nEngineIndex.
    CTMemDbEngine(CTBaseFactory& factory, std::string szLogicalName, std::string szDatabaseName, bool bReadOnly,
                  int nEngineIndex, CTDbCapabilities capabilities = kCapabilities);
    ~CTMemDbEngine() override;

    static constexpr CTDbCapabilities kCapabilities = CapabilitySet(
        {dbcSelectByExample, dbcRemoveByExample, dbcInheritance, dbcUndo, dbcRedo, dbcChooseDb, dbcInsertWithID});

    // Process-wide settings.
    static int GetMaxUndoDepth();
    static void SetMaxUndoDepth(int n);  // outside 0..20: 5
    static bool GetAutoCorrect();
    static void SetAutoCorrect(bool b);
    static void UseNameMappingTable(const CTMappingTable* pTable);
    static bool UseCompression(bool bUse);  // answers the previous value
    static std::string SetCompressionSignature(std::string szSig);  // answers the previous value
    static const TCompressionSettings& CompressionSettings();
    // Offers this engine for every database whose data-source entry exists.
    static void RegisterEngine();
    // Offers a file-less memory engine for every database: scratch database
    // sets of tools and tests.
    static void RegisterScratchEngine();

    bool Connect(const std::string& szUserName, const std::string& szPassword, bool bMustFlagErrors) override;
    std::string GetTypeString() const override;
    void WriteToStream(CTStream& stream) override;
    // Reads an EDI text (no container) into the top layer; raises
    // CTEdiFormatError, CTStreamError or CTDbException when it cannot.
    void ReadFrom(CTStreamIO& io);
    // Adds the records of an EDI text (no container) to the content; a record
    // whose ID is present replaces it.
    void AddConsistentPopulationFrom(CTStreamIO& io);
    // Writes a whole engine, or just the given records, as an EDI text.
    static void WriteEngineContent(CTStream& stream, CTDbEngine& engine);
    static void SaveConsistentPopulation(CTStream& stream, CTDbEngine& modelEngine, const CTObjectList& records);
    // Removes records referring, with integrity, to classes this engine does not hold.
    void RemoveOrphans();
    void DebugDump(const std::string& szFileName) const;
    std::string DebugDumpText() const;

    bool ObjectExists(std::int32_t nClsID, std::int32_t nObjID) const override;
    bool GetBinaryValue(const CTDbObject& obj, int nFieldIx, CTStream& stream) const override;
    void SetBinaryValue(const CTDbObject& obj, int nFieldIx, CTStream* pStream) override;
    CTObjectList AllObjects(std::int32_t nClsID, const CTProgressCallback& callback) const override;
    int CountObjects(std::int32_t nClsID) const override;
    void PurgeTable(std::int32_t nClsID) override;
    void ReadObject(CTDbObject& obj) const override;
    void InsertObject(CTDbObject& obj) override;
    void RemoveObject(CTDbObject& obj) override;
    void UpdateObject(CTDbObject& obj) override;
    void UpdateRelation(CTDbObject& obj, int nFieldIx, std::int32_t nToObjID, std::int32_t nToClsID) override;
    bool IsUniqueValue(const CTDbObject& obj, int nFieldIx, bool bIgnoreCase, std::string_view szVal) const override;
    std::unique_ptr<CTDbObject> GetRelation(const CTDbObject& obj, int nFieldIx) const override;
    CTObjectList GetRelated(const CTDbObject& obj, std::int32_t nClsID, bool& bMustSort, bool bStopAtFirst,
                            const CTObjectFilter& filter, const std::vector<std::string>* pSortKeys,
                            int nFieldIx) const override;
    std::int32_t GetMaxOrder(const CTDbObject& obj, std::int32_t nClsID, int nFieldIx) const override;
    CTObjectList SelectByExample(const CTDbObject& example, const std::vector<std::string>* pOrderFields,
                                 const CTProgressCallback& callback, bool& bMustSort) const override;
    int CountByExample(const CTDbObject& example) const override;
    void RemoveByExample(const CTDbObject& example) override;

    void StartTransaction(std::int32_t nMsgID, std::int32_t nAppUpdateCode, bool bCanRedo, std::int32_t nUpdateClsID,
                          std::int32_t nUpdateObjID) override;
    void EndTransaction() override;
    int TransactionDepth() const { return v_nestedTransactions; }
    void StartNullTransaction();
    void EndNullTransaction();
    bool CanUndo(std::int32_t& nMsgID) const override;
    bool CanRedo(std::int32_t& nMsgID) const override;
    std::int32_t Undo() override;
    std::int32_t Redo() override;

    // Number of layers on the transaction stack (1: only the base).
    int LayerCount() const;
    // The largest ID ever issued in a table of this engine (0: none).
    std::int32_t LargestIssuedID(std::int32_t nClsID) const;
    // Adds a record as it is, ID included, without checks (copying content).
    void InsertRaw(const CTDbObject& obj);

protected:
    // The tables of this engine's database.
    const std::vector<CTTableInfo*>& EngineTables() const { return v_tables; }
    bool LoadFrom(CTStream& raw, bool bMustFlagErrors, const std::string& szShownName);
    // Defers reading the content until anything first touches it; every
    // access, a transaction's start included, runs the load once, so it
    // always lands in the base layer.
    void LoadOnFirstUse(std::function<void()> load);

private:
    class Loader;

    CTElemDbObject& FindOrRaise(std::int32_t nClsID, std::int32_t nObjID) const;
    void RequireWritable(const CTTableInfo& table) const;
    void PrepareChange();
    CTElemDbObject& CopyOnWrite(std::int32_t nClsID, std::int32_t nObjID);
    void FoldAll();
    void DiscardRedo();
    // Takes the top layer off, undoing its reference registrations.
    std::unique_ptr<CTTransactionLayer> RollBackTop();
    CTDbObject& NewObjectFor(const CTElemDbObject& elem, CTObjectList& out) const;

    // References.
    // The records a record refers to, by link, as the check found them.
    using TLinkTargets = std::vector<std::pair<const CTTableLink*, CTElemDbObject*>>;
    bool CheckReferences(const CTTableInfo& table, CTValueList& values, std::int32_t nOwnID,
                         const std::vector<std::pair<std::int32_t, CTTableInfo*>>* pFileIDs,
                         TLinkTargets* pTargets = nullptr);
    // A record just read refers to its checked targets: it cannot be listed
    // with them yet.
    static void RegisterLoadedReferences(const CTElemDbObject& elem, const TLinkTargets& targets);
    void RegisterReferences(const CTElemDbObject& elem, const CTValueList* pOldValues);
    void UnregisterReferences(const CTElemDbObject& elem);
    bool HoldsClass(std::int32_t nClsID) const;

    std::vector<CTElemDbObject*> CollectCascade(CTElemDbObject& root) const;
    void RemoveCollected(const std::vector<CTElemDbObject*>& collected);
    bool MatchesExample(const CTDbObject& example, const CTElemDbObject& elem) const;
    std::vector<CTTableInfo*> DerivedTables(std::int32_t nClsID) const;
    const CTTableLink* LinkFor(const CTTableInfo& table, std::int32_t nClsID, int nFieldIx) const;

    // The top layer, after the pending load if there is one.
    const std::unique_ptr<CTTransactionLayer>& Top() const {
        if (v_bLoadPending.load(std::memory_order_acquire)) [[unlikely]] RunPendingLoad();
        return v_transactionTop;
    }
    std::unique_ptr<CTTransactionLayer>& Top() {
        std::as_const(*this).Top();
        return v_transactionTop;
    }
    void RunPendingLoad() const;

    std::unique_ptr<CTTransactionLayer> v_transactionTop;
    // Readers may share the store: the first use is made under a lock
    // that the load's own accesses re-enter.
    mutable std::function<void()> v_pendingLoad;
    mutable std::atomic<bool> v_bLoadPending{false};
    mutable std::recursive_mutex v_loadMutex;
    std::vector<std::unique_ptr<CTTransactionLayer>> v_redo;
    int v_nestedTransactions = 0;
    int v_engineIndex;
    std::vector<CTTableInfo*> v_tables;
};

}  // namespace brumalis
