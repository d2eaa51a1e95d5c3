#include "objectstore/base_factory.h"

#include <algorithm>
#include <utility>

#include "objectstore/store_lock.h"
#include "platform/settings_store.h"
#include "objectstore/store_messages.h"

namespace brumalis {

namespace {

struct CTRegisteredEngine {
    std::string v_engineClass;
    CTCreateEngineFunc v_func;
};

std::vector<CTRegisteredEngine>& RegisteredEngines() {
    static std::vector<CTRegisteredEngine> engines;
    return engines;
}

bool g_silent = false;

std::string LogonKey(const std::string& szRegistryRoot) { return szRegistryRoot + "\\DB Login"; }

}  // namespace

CTBaseFactory::CTBaseFactory(std::string szName, std::int32_t nVerMul100, std::int32_t nMinVerMul100)
    : v_name(std::move(szName)), v_verMul100(nVerMul100), v_minVerMul100(nMinVerMul100) {}

CTBaseFactory::~CTBaseFactory() {
    for (CTTableInfo* pTable : Tables()) pTable->CleanupCache();
}

std::string CTBaseFactory::GetSignature() const {
    const std::int32_t v = v_verMul100;
    return v_name + char('0' + v / 100 % 10) + char('0' + v / 10 % 10) + char('0' + v % 10);
}

bool CTBaseFactory::CheckSignature(std::string_view szSig) const {
    if (szSig.size() != v_name.size() + 3 || szSig.substr(0, v_name.size()) != v_name) return false;
    int nVersion = 0;
    for (char c : szSig.substr(v_name.size())) {
        if (c < '0' || c > '9') return false;
        nVersion = nVersion * 10 + (c - '0');
    }
    return nVersion >= v_minVerMul100 && nVersion <= v_verMul100;
}

void CTBaseFactory::WriteString(CTStream& stream, std::string_view szStr) {
    for (char c : szStr) {
        if (stream.Write(&c, 1) != 1) throw CTStreamError("Stream write failed");
    }
}

int CTBaseFactory::AddDatabase(std::string szLogicalName) {
    LTDbInfo info;
    info.v_logicalName = std::move(szLogicalName);
    v_allDbInfo.push_back(std::move(info));
    v_allDbEngine.emplace_back();
    return DatabaseCount() - 1;
}

LTDbInfo& CTBaseFactory::Db(int nDbIx) { return v_allDbInfo.at(static_cast<std::size_t>(nDbIx)); }
const LTDbInfo& CTBaseFactory::Db(int nDbIx) const { return v_allDbInfo.at(static_cast<std::size_t>(nDbIx)); }

void CTBaseFactory::SetDatabaseName(int nDbIx, std::string szName) {
    LTDbInfo& db = Db(nDbIx);
    db.v_createNew = szName.empty();
    db.v_databaseName = std::move(szName);
}

void CTBaseFactory::SetModifiedProc(int nDbIx, CTModifiedProc proc) {
    Db(nDbIx).v_modifiedProc = std::move(proc);
    Db(nDbIx).v_modifiedProcEx = nullptr;
}

void CTBaseFactory::SetModifiedProc(int nDbIx, CTModifiedProcEx proc) {
    Db(nDbIx).v_modifiedProcEx = std::move(proc);
    Db(nDbIx).v_modifiedProc = nullptr;
}

void CTBaseFactory::RegisterEngine(std::string szEngineClass, CTCreateEngineFunc func) {
    RegisteredEngines().push_back({std::move(szEngineClass), std::move(func)});
}

void CTBaseFactory::ClearRegisteredEngines() { RegisteredEngines().clear(); }

bool CTBaseFactory::SetSilentMode(bool bSilent) { return std::exchange(g_silent, bSilent); }
bool CTBaseFactory::IsSilent() { return g_silent; }

void CTBaseFactory::RegisterRecordClass(std::int32_t nClsID, CTRecordCreator creator) {
    const auto ix = static_cast<std::size_t>(nClsID);
    if (v_creators.size() <= ix) v_creators.resize(ix + 1);
    v_creators[ix] = std::move(creator);
}

std::unique_ptr<CTDbObject> CTBaseFactory::CreateObject(std::int32_t nClsID, std::int32_t nObjID) {
    const CTTableInfo* pTable = GetTableInfo(nClsID);
    if (!pTable || pTable->IsAbstract()) return nullptr;
    const auto ix = static_cast<std::size_t>(nClsID);
    if (ix < v_creators.size() && v_creators[ix]) return v_creators[ix](nObjID, *this);
    return std::make_unique<CTDbObject>(nClsID, nObjID, this);
}

std::unique_ptr<CTDbObject> CTBaseFactory::SafeCreateObject(std::int32_t nClsID, std::int32_t nObjID) {
    const CTTableInfo* pTable = GetTableInfo(nClsID);
    if (nObjID <= 0 || !pTable || pTable->IsAbstract() || !pTable->GetDbEngine()) return nullptr;
    if (!pTable->GetDbEngine()->ObjectExists(nClsID, nObjID)) return nullptr;
    return CreateObject(nClsID, nObjID);
}

CTDbObject* CTBaseFactory::LoadCachedObject(std::int32_t nClsID, std::int32_t nObjID) {
    return SafeCreateObject(nClsID, nObjID).release();
}

void CTBaseFactory::DestroyObject(CTDbObject* pObj) { delete pObj; }

CTDbObject* CTBaseFactory::GetCachedObject(std::int32_t nClsID, std::int32_t nObjID) {
    CTTableInfo* pTable = GetTableInfo(nClsID);
    return pTable ? pTable->GetCachedObject(nObjID) : nullptr;
}

CTDbEngine* CTBaseFactory::Engine(int nDbIx) const {
    if (nDbIx < 0 || nDbIx >= DatabaseCount()) return nullptr;
    return v_allDbEngine[static_cast<std::size_t>(nDbIx)].get();
}

bool CTBaseFactory::HasCapability(int nDbIx, int nCap) const {
    const CTDbEngine* pEngine = Engine(nDbIx);
    return pEngine && pEngine->HasCapability(nCap);
}

std::unique_ptr<CTDbEngine> CTBaseFactory::CreateTestEngine(int nDbIx, bool bUseNativeLogon, bool bUpdate) {
    if (RegisteredEngines().empty()) CTDbException::RaiseExc(excNoEngines);
    LTDbInfo& db = Db(nDbIx);
    for (const CTRegisteredEngine& reg : RegisteredEngines()) {
        std::string szName = db.v_databaseName;
        const TEngineOffer offer{*this, db.v_logicalName, szName, db.v_readOnly, nDbIx, bUseNativeLogon, bUpdate};
        if (auto pEngine = reg.v_func(offer)) {
            db.v_databaseName = szName;
            return pEngine;
        }
    }
    if (!g_silent) ShowStoreMessage(msgNotOdbcDatabase, {db.v_logicalName});
    return nullptr;
}

std::unique_ptr<CTDbEngine> CTBaseFactory::CreateDatabaseEngine(int nDbIx) {
    const LTDbInfo& db = Db(nDbIx);
    std::unique_ptr<CTDbEngine> pEngine = CreateTestEngine(nDbIx, false, !db.v_databaseName.empty());
    if (!pEngine) return nullptr;
    if (db.v_modifiedProcEx) {
        pEngine->SetModifiedProc(db.v_modifiedProcEx);
    } else if (db.v_modifiedProc) {
        pEngine->SetModifiedProc(
            [proc = db.v_modifiedProc](bool b, std::int32_t, std::int32_t, const std::string&, std::int32_t) {
                proc(b);
            });
    }
    pEngine->SetEngineGlossary(db.v_glossary);
    pEngine->EnableModifiedProc(true);
    pEngine->ReportUnmodified();
    return pEngine;
}

void CTBaseFactory::AssignTables(int nDbIx, CTDbEngine* pEngine) {
    for (CTTableInfo* pTable : Tables()) {
        if (pTable->IsAbstract()) continue;
        if (pTable->GetDbID() < 0 || pTable->GetDbID() >= DatabaseCount()) CTDbException::RaiseExc(excDbStructure);
        if (pTable->GetDbID() == nDbIx) pTable->SetDbEngine(pEngine);
    }
}

void CTBaseFactory::ConnectDatabase(int nDbIx) {
    if (!v_connected) throw LTBseFactExc("Database not connected");
    if (Engine(nDbIx)) throw LTBseFactExc("Database already connected");
    std::unique_ptr<CTDbEngine> pEngine = CreateDatabaseEngine(nDbIx);
    if (!pEngine) return;
    AssignTables(nDbIx, pEngine.get());
    v_allDbEngine[static_cast<std::size_t>(nDbIx)] = std::move(pEngine);
}

std::unique_ptr<CTDbEngine> CTBaseFactory::ExchangeEngine(int nDbIx, std::unique_ptr<CTDbEngine> pEngine) {
    Db(nDbIx);  // raises for a database that does not exist
    AssignTables(nDbIx, pEngine.get());
    std::swap(v_allDbEngine[static_cast<std::size_t>(nDbIx)], pEngine);
    return pEngine;
}

void CTBaseFactory::DisconnectDatabase(int nDbIx) {
    CTDbEngine* pEngine = Engine(nDbIx);
    if (!pEngine) return;
    pEngine->Disconnect();
    for (CTTableInfo* pTable : Tables()) {
        if (pTable->GetDbEngine() == pEngine) pTable->SetDbEngine(nullptr);
    }
    v_allDbEngine[static_cast<std::size_t>(nDbIx)].reset();
}

void CTBaseFactory::Disconnect() {
    v_connected = false;
    for (auto& pEngine : v_allDbEngine) {
        if (pEngine) pEngine->Disconnect();
    }
    for (CTTableInfo* pTable : Tables()) pTable->SetDbEngine(nullptr);
    for (auto& pEngine : v_allDbEngine) pEngine.reset();
}

bool CTBaseFactory::Connect(bool bShowProgress) { return RunConnection(nullptr, nullptr, {}, false, false, bShowProgress); }

bool CTBaseFactory::Connect(const std::string& szRegistryRoot, bool bFromIni, bool bSaveIni, bool bShowProgress) {
    return RunConnection(nullptr, nullptr, szRegistryRoot, bFromIni, bSaveIni, bShowProgress);
}

bool CTBaseFactory::Connect(const std::string& szUsrName, const std::string& szUsrPswd, bool bShowProgress) {
    return RunConnection(&szUsrName, &szUsrPswd, {}, false, false, bShowProgress);
}

bool CTBaseFactory::RunConnection(const std::string* pUser, const std::string* pPassword,
                                  const std::string& szRegistryRoot, bool bFromIni, bool bSaveIni,
                                  bool bShowProgress) {
    if (v_connected) throw LTBseFactExc("Database already connected");
    Disconnect();
    try {
        for (int i = 0; i < DatabaseCount(); ++i) {
            std::unique_ptr<CTDbEngine> pEngine = CreateDatabaseEngine(i);
            if (!pEngine) {
                Disconnect();
                return false;
            }
            v_allDbEngine[static_cast<std::size_t>(i)] = std::move(pEngine);
        }
        for (int i = 0; i < DatabaseCount(); ++i) AssignTables(i, Engine(i));
    } catch (const CTDbException&) {
        Disconnect();
        return false;
    }
    v_connected = true;
    std::string szUser = pUser ? *pUser : std::string();
    std::string szPassword = pPassword ? *pPassword : std::string();
    bool bLoggedOn = false;
    if (!pUser) {
        const bool bNeedsLogon = std::any_of(v_allDbEngine.begin(), v_allDbEngine.end(),
                                             [](const auto& p) { return p && p->NeedsLogon(); });
        if (bNeedsLogon) {
            if (!Logon(szRegistryRoot, bFromIni, szUser, szPassword)) {
                Disconnect();
                return false;
            }
            bLoggedOn = true;
        }
    }
    if (!ConnectEngines(szUser, szPassword) || !TestTables(bShowProgress)) {
        Disconnect();
        return false;
    }
    if (bSaveIni && bLoggedOn) SaveToIniFile(szRegistryRoot, szUser, szPassword);
    return true;
}

bool CTBaseFactory::ConnectEngines(const std::string& szUser, const std::string& szPassword) {
    CTWriteLock lock;
    for (auto& pEngine : v_allDbEngine) {
        if (!pEngine->Connect(szUser, szPassword, !g_silent)) return false;
    }
    return true;
}

bool CTBaseFactory::TestTables(bool bShowProgress) {
    const std::vector<CTTableInfo*> tables = Tables();
    CTProgressSink* pProgress = bShowProgress ? v_progress : nullptr;
    if (pProgress) pProgress->Start("Progress", StoreMessageText(msgVerifyingDatabases), static_cast<int>(tables.size()));
    bool bOk = true;
    for (CTTableInfo* pTable : tables) {
        if (pProgress) pProgress->Step();
        if (pTable->IsAbstract()) continue;
        if (!pTable->GetDbEngine()->TestTable(*pTable, !g_silent)) {
            bOk = false;
            break;
        }
    }
    if (pProgress) pProgress->Close();
    return bOk;
}

bool CTBaseFactory::SaveFile(int nDbIx, bool bFlagErrors) {
    const std::string& szName = GetDatabaseName(nDbIx);
    CTDbEngine* pEngine = Engine(nDbIx);
    if (szName.empty() || !pEngine) return false;
    try {
        CTAtomicFileStream file(szName);
        pEngine->WriteToStream(file);
        file.Commit();
        return true;
    } catch (const CTStreamError&) {
        if (bFlagErrors) ShowStoreMessage(msgUnableToCreateFile, {szName});
        return false;
    }
}

void CTBaseFactory::FlagStartBackup() { StartWriteOperation(); }
void CTBaseFactory::FlagEndBackup() { EndWriteOperation(); }

}  // namespace brumalis

namespace brumalis {

bool CTBaseFactory::Logon(const std::string& szRegistryRoot, bool bFromIni, std::string& szUser,
                          std::string& szPassword) {
    if (bFromIni) {
        const std::string szKey = LogonKey(szRegistryRoot);
        if (const platform::CTSettingsStore* pHive = platform::Registry().FindKey(szKey)) {
            szUser = pHive->ReadString(szKey, "UserName", "");
            szPassword = pHive->ReadString(szKey, "Password", "");
            if (!szUser.empty()) return true;
        }
    }
    return v_logonDialog && v_logonDialog(szUser, szPassword);
}

void CTBaseFactory::SaveToIniFile(const std::string& szRegistryRoot, const std::string& szUsrName,
                                  const std::string& szUsrPswd) {
    const std::string szKey = LogonKey(szRegistryRoot);
    platform::CTRegistry& registry = platform::Registry();
    platform::CTSettingsStore* pHive = registry.FindKey(szKey);
    if (!pHive) pHive = &registry.CurrentUser();
    pHive->CreateKey(szKey);
    pHive->WriteString(szKey, "UserName", szUsrName);
    pHive->WriteString(szKey, "Password", szUsrPswd);
}

}  // namespace brumalis
