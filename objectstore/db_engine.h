// A database engine serves one database: it stores the records of the tables
// assigned to it and answers queries about them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "objectstore/db_exception.h"
#include "objectstore/db_object.h"

namespace brumalis {

class CTBaseFactory;

// Translates multilingual texts (the glossary attached to a database).
class CTTextTranslator {
public:
    virtual ~CTTextTranslator() = default;
    virtual std::optional<std::string> Translate(std::string_view szTerm) const = 0;
    // Adds a term without translation (collecting the texts to translate).
    virtual void AddTerm(std::string_view szTerm) = 0;
};

// Called after each change of a stored record (b true: 11 insert, 3 update,
// 23 removal) and with b false when the content was created or written out.
using CTModifiedProcEx = std::function<void(bool b, std::int32_t nClsID, std::int32_t nObjID,
                                            const std::string& szObjName, std::int32_t nAppUpdCode)>;
using CTModifiedProc = std::function<void(bool b)>;

enum CTAppUpdateCode : std::int32_t {
    updUpdated = 3,
    updInserted = 11,
    updRemoved = 23,
};

class CTDbEngine {
public:
    CTDbEngine(CTBaseFactory& factory, std::string szLogicalName, std::string szDatabaseName, bool bReadOnly,
               CTDbCapabilities capabilities);
    virtual ~CTDbEngine();
    CTDbEngine(const CTDbEngine&) = delete;
    CTDbEngine& operator=(const CTDbEngine&) = delete;

    virtual bool NeedsLogon() const { return false; }
    virtual bool Connect(const std::string& szUserName, const std::string& szPassword, bool bMustFlagErrors) = 0;
    virtual bool TestTable(const CTTableInfo&, bool) { return true; }
    virtual std::string GetTypeString() const = 0;
    virtual void WriteToStream(CTStream& stream);
    virtual bool ObjectExists(std::int32_t nClsID, std::int32_t nObjID) const = 0;
    virtual bool GetBinaryValue(const CTDbObject& obj, int nFieldIx, CTStream& stream) const = 0;
    virtual void SetBinaryValue(const CTDbObject& obj, int nFieldIx, CTStream* pStream) = 0;
    virtual CTObjectList AllObjects(std::int32_t nClsID, const CTProgressCallback& callback) const = 0;
    virtual int CountObjects(std::int32_t nClsID) const;
    virtual void PurgeTable(std::int32_t nClsID) = 0;
    virtual void StartTransaction(std::int32_t, std::int32_t, bool, std::int32_t, std::int32_t) {}
    virtual void EndTransaction() {}
    virtual bool CanUndo(std::int32_t& nMsgID) const;
    virtual bool CanRedo(std::int32_t& nMsgID) const;
    virtual std::int32_t Undo();
    virtual std::int32_t Redo();
    virtual void Disconnect();
    virtual void ReadObject(CTDbObject& obj) const = 0;
    virtual void InsertObject(CTDbObject& obj) = 0;
    virtual void InsertTempObject(CTDbObject& obj) { InsertObject(obj); }
    virtual void RemoveObject(CTDbObject& obj) = 0;
    virtual void UpdateObject(CTDbObject& obj) = 0;
    virtual void UpdateRelation(CTDbObject& obj, int nFieldIx, std::int32_t nToObjID, std::int32_t nToClsID) = 0;
    virtual bool IsUniqueValue(const CTDbObject& obj, int nFieldIx, bool bIgnoreCase, std::string_view szVal) const = 0;
    virtual std::unique_ptr<CTDbObject> GetRelation(const CTDbObject& obj, int nFieldIx) const = 0;
    virtual CTObjectList GetRelated(const CTDbObject& obj, std::int32_t nClsID, bool& bMustSort, bool bStopAtFirst,
                                    const CTObjectFilter& filter, const std::vector<std::string>* pSortKeys,
                                    int nFieldIx) const = 0;
    virtual std::unique_ptr<CTDbObject> GetSingleRelated(const CTDbObject& obj, std::int32_t nClsID,
                                                         int nFieldIx) const;
    virtual std::int32_t GetMaxOrder(const CTDbObject& obj, std::int32_t nClsID, int nFieldIx) const;
    virtual CTObjectList SelectByExample(const CTDbObject& example, const std::vector<std::string>* pOrderFields,
                                         const CTProgressCallback& callback, bool& bMustSort) const;
    virtual CTObjectList SelectLikeExample(const CTDbObject& example, int nMaxItems, const CTProgressCallback& callback,
                                           bool& bMustSort, const std::vector<std::string>* pOrderFields) const;
    virtual int CountByExample(const CTDbObject& example) const;
    virtual void RemoveByExample(const CTDbObject& example);

    CTBaseFactory& GetFactory() const { return v_factory; }
    const std::string& GetLogicalName() const { return v_logicalName; }
    const std::string& GetDatabaseName() const { return v_databaseName; }
    bool IsReadOnly() const { return v_readOnly; }
    bool IsConnected() const { return v_connected; }
    bool HasCapability(int nCap) const { return nCap >= 0 && nCap <= 15 && (v_capabilities >> nCap) & 1u; }
    void SetModifiedProc(CTModifiedProcEx proc) { v_modifiedProc = std::move(proc); }
    // Answers the previous state; stays false while no procedure is set.
    bool EnableModifiedProc(bool b);
    // Tells the procedure that the database holds no unsaved changes.
    void ReportUnmodified() const { NotifyModified(false); }
    CTTextTranslator* EngineGlossary() const { return v_glossary; }
    void SetEngineGlossary(CTTextTranslator* pGlossary) { v_glossary = pGlossary; }
    // Adds every non-empty multilingual text of this engine's tables to pGlos.
    void AddMultilingualFields(CTTextTranslator& glos) const;

protected:
    void SetConnected(bool b) { v_connected = b; }
    // Calls the modification procedure, when set and enabled; its errors are dropped.
    void NotifyModified(bool b, std::int32_t nClsID = 0, std::int32_t nObjID = 0, const std::string& szObjName = {},
                        std::int32_t nAppUpdCode = 0) const;
    void RequireCapability(int nCap) const;

private:
    CTBaseFactory& v_factory;
    std::string v_logicalName;
    std::string v_databaseName;
    bool v_readOnly;
    bool v_connected = false;
    CTModifiedProcEx v_modifiedProc;
    bool v_modifiedProcEnabled = false;
    CTDbCapabilities v_capabilities;
    CTTextTranslator* v_glossary = nullptr;
};

}  // namespace brumalis
