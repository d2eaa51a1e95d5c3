// The factory: owns the schema, the list of databases with their settings and
// one engine per database while connected; creates record objects.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objectstore/db_engine.h"
#include "objectstore/schema.h"
#include "objectstore/streams.h"

namespace brumalis {

// Settings of one database; the index is the database number.
struct LTDbInfo {
    std::string v_logicalName;
    std::string v_databaseName;
    bool v_readOnly = false;
    CTModifiedProc v_modifiedProc;
    CTModifiedProcEx v_modifiedProcEx;
    CTTextTranslator* v_glossary = nullptr;
    bool v_createNew = true;
};

// What an engine class is offered when a database looks for its engine. It
// answers an engine when it can serve the database, possibly rewriting the
// database name, else none.
struct TEngineOffer {
    CTBaseFactory& factory;
    const std::string& szLogicalName;
    std::string& szDatabaseName;
    bool bReadOnly;
    int nEngineIndex;
    bool bUseNativeLogon;
    bool bUpdateDatabaseName;
};
using CTCreateEngineFunc = std::function<std::unique_ptr<CTDbEngine>(const TEngineOffer& offer)>;

// Progress shown while the tables are tested at connection.
class CTProgressSink {
public:
    virtual ~CTProgressSink() = default;
    virtual void Start(const std::string& szTitle, const std::string& szAction, int nSteps) = 0;
    virtual void Step() = 0;
    virtual void Close() = 0;
};

// Asks the user for a logon; false when cancelled.
using CTLogonDialog = std::function<bool(std::string& szUserName, std::string& szPassword)>;

class CTBaseFactory : public CTSchema, public CTObjectCacheSource {
public:
    // nVerMul100 and nMinVerMul100: highest and lowest accepted file version
    // times 100 (100 and 100 for "EDI" 1.00).
    CTBaseFactory(std::string szName, std::int32_t nVerMul100, std::int32_t nMinVerMul100);
    ~CTBaseFactory() override;

    const std::string& GetName() const { return v_name; }
    // The name followed by the version times 100 as three digits: "EDI100".
    std::string GetSignature() const;
    // Exactly three bytes longer than the name, starting with it, and those
    // three digits within the accepted versions.
    bool CheckSignature(std::string_view szSig) const;
    // The bytes of an 8-bit string, one write call per byte, no terminator.
    static void WriteString(CTStream& stream, std::string_view szStr);

    // Databases.
    int AddDatabase(std::string szLogicalName);
    int DatabaseCount() const { return static_cast<int>(v_allDbInfo.size()); }
    void SetDatabaseName(int nDbIx, std::string szName);
    const std::string& GetDatabaseName(int nDbIx) const { return Db(nDbIx).v_databaseName; }
    void SetLogicalName(int nDbIx, std::string szName) { Db(nDbIx).v_logicalName = std::move(szName); }
    const std::string& GetLogicalName(int nDbIx) const { return Db(nDbIx).v_logicalName; }
    void SetReadOnly(int nDbIx, bool b) { Db(nDbIx).v_readOnly = b; }
    bool GetReadOnly(int nDbIx) const { return Db(nDbIx).v_readOnly; }
    void SetGlossary(int nDbIx, CTTextTranslator* pGlossary) { Db(nDbIx).v_glossary = pGlossary; }
    CTTextTranslator* GetGlossary(int nDbIx) const { return Db(nDbIx).v_glossary; }
    void SetModifiedProc(int nDbIx, CTModifiedProc proc);
    void SetModifiedProc(int nDbIx, CTModifiedProcEx proc);

    // Engine classes, process-wide, offered a database in registration order.
    static void RegisterEngine(std::string szEngineClass, CTCreateEngineFunc func);
    static void ClearRegisteredEngines();
    // Answers the previous state; when silent, connection errors are not shown.
    static bool SetSilentMode(bool bSilent);
    static bool IsSilent();

    // Record objects.
    using CTRecordCreator = std::function<std::unique_ptr<CTDbObject>(std::int32_t nObjID, CTBaseFactory& factory)>;
    // The class whose objects CreateObject makes for a class ID; a table
    // without one gets plain CTDbObject records.
    void RegisterRecordClass(std::int32_t nClsID, CTRecordCreator creator);
    // None for abstract and unregistered class IDs.
    virtual std::unique_ptr<CTDbObject> CreateObject(std::int32_t nClsID, std::int32_t nObjID);
    // None unless the record exists in the engine of its table.
    std::unique_ptr<CTDbObject> SafeCreateObject(std::int32_t nClsID, std::int32_t nObjID);
    CTDbObject* GetCachedObject(std::int32_t nClsID, std::int32_t nObjID);

    // Connection.
    bool Connect(bool bShowProgress);
    bool Connect(const std::string& szRegistryRoot, bool bFromIni, bool bSaveIni, bool bShowProgress);
    bool Connect(const std::string& szUsrName, const std::string& szUsrPswd, bool bShowProgress);
    void Disconnect();
    bool IsConnected() const { return v_connected; }
    void ConnectDatabase(int nDbIx);
    void DisconnectDatabase(int nDbIx);
    bool DatabaseConnected(int nDbIx) const { return Engine(nDbIx) != nullptr; }
    CTDbEngine* Engine(int nDbIx) const;
    // Puts a connected engine (or none) in place of database nDbIx's and
    // answers the previous one untouched: a file can be loaded aside and the
    // old content kept until the new one proves sound.
    std::unique_ptr<CTDbEngine> ExchangeEngine(int nDbIx, std::unique_ptr<CTDbEngine> pEngine);
    const std::vector<std::unique_ptr<CTDbEngine>>& Engines() const { return v_allDbEngine; }
    bool HasCapability(int nDbIx, int nCap) const;
    // Writes the database to its file; a failed save leaves the previous file.
    bool SaveFile(int nDbIx, bool bFlagErrors);
    void FlagStartBackup();
    void FlagEndBackup();
    // Stores the logon under szRegistryRoot\DB Login.
    void SaveToIniFile(const std::string& szRegistryRoot, const std::string& szUsrName, const std::string& szUsrPswd);

    void SetProgressSink(CTProgressSink* pSink) { v_progress = pSink; }
    void SetLogonDialog(CTLogonDialog dialog) { v_logonDialog = std::move(dialog); }

protected:
    void TableRegistered(CTTableInfo& table) override { table.SetCacheSource(this); }

private:
    CTDbObject* LoadCachedObject(std::int32_t nClsID, std::int32_t nObjID) override;
    void DestroyObject(CTDbObject* pObj) override;
    LTDbInfo& Db(int nDbIx);
    const LTDbInfo& Db(int nDbIx) const;
    std::unique_ptr<CTDbEngine> CreateTestEngine(int nDbIx, bool bUseNativeLogon, bool bUpdate);
    std::unique_ptr<CTDbEngine> CreateDatabaseEngine(int nDbIx);
    void AssignTables(int nDbIx, CTDbEngine* pEngine);
    bool RunConnection(const std::string* pUser, const std::string* pPassword, const std::string& szRegistryRoot,
                       bool bFromIni, bool bSaveIni, bool bShowProgress);
    bool Logon(const std::string& szRegistryRoot, bool bFromIni, std::string& szUser, std::string& szPassword);
    bool ConnectEngines(const std::string& szUser, const std::string& szPassword);
    bool TestTables(bool bShowProgress);

    std::vector<LTDbInfo> v_allDbInfo;
    std::vector<std::unique_ptr<CTDbEngine>> v_allDbEngine;
    std::string v_name;
    std::int32_t v_verMul100;
    std::int32_t v_minVerMul100;
    bool v_connected = false;
    std::vector<CTRecordCreator> v_creators;
    CTProgressSink* v_progress = nullptr;
    CTLogonDialog v_logonDialog;
};

}  // namespace brumalis
