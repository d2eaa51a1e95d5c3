#include "objectstore/db_engine.h"

#include "objectstore/base_factory.h"

namespace brumalis {

CTDbEngine::CTDbEngine(CTBaseFactory& factory, std::string szLogicalName, std::string szDatabaseName,
                       bool bReadOnly, CTDbCapabilities capabilities)
    : v_factory(factory),
      v_logicalName(std::move(szLogicalName)),
      v_databaseName(std::move(szDatabaseName)),
      v_readOnly(bReadOnly),
      v_capabilities(capabilities) {}

CTDbEngine::~CTDbEngine() = default;

void CTDbEngine::WriteToStream(CTStream&) { CTDbException::RaiseExc(excCapable, CapabilityString(dbcLiveData)); }

int CTDbEngine::CountObjects(std::int32_t nClsID) const {
    return static_cast<int>(AllObjects(nClsID, {}).size());
}

void CTDbEngine::RequireCapability(int nCap) const {
    if (!HasCapability(nCap)) CTDbException::RaiseExc(excNotCapable, CapabilityString(nCap));
}

bool CTDbEngine::CanUndo(std::int32_t&) const {
    RequireCapability(dbcUndo);
    return false;
}

bool CTDbEngine::CanRedo(std::int32_t&) const {
    RequireCapability(dbcRedo);
    return false;
}

std::int32_t CTDbEngine::Undo() {
    RequireCapability(dbcUndo);
    return 0;
}

std::int32_t CTDbEngine::Redo() {
    RequireCapability(dbcRedo);
    return 0;
}

void CTDbEngine::Disconnect() {
    v_connected = false;
    for (CTTableInfo* pTable : v_factory.Tables()) {
        if (pTable->GetDbEngine() == this) pTable->CleanupCache();
    }
}

std::unique_ptr<CTDbObject> CTDbEngine::GetSingleRelated(const CTDbObject& obj, std::int32_t nClsID,
                                                         int nFieldIx) const {
    bool bMustSort = false;
    CTObjectList found = GetRelated(obj, nClsID, bMustSort, true, {}, nullptr, nFieldIx);
    return found.empty() ? nullptr : std::move(found.front());
}

std::int32_t CTDbEngine::GetMaxOrder(const CTDbObject& obj, std::int32_t nClsID, int nFieldIx) const {
    if (obj.GetStatus() != stStored) CTDbException::RaiseExc(excRecNotInDB);
    bool bMustSort = false;
    const CTObjectList related = GetRelated(obj, nClsID, bMustSort, false, {}, nullptr, nFieldIx);
    std::int32_t nMax = -1;
    for (const auto& pObj : related) nMax = std::max(nMax, pObj->Values().GetIntegerValue(nFieldIx + 2));
    return nMax;
}

CTObjectList CTDbEngine::SelectByExample(const CTDbObject&, const std::vector<std::string>*,
                                         const CTProgressCallback&, bool&) const {
    CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcSelectByExample));
}

CTObjectList CTDbEngine::SelectLikeExample(const CTDbObject&, int, const CTProgressCallback&, bool&,
                                           const std::vector<std::string>*) const {
    CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcSelectLikeExample));
}

int CTDbEngine::CountByExample(const CTDbObject& example) const {
    bool bMustSort = false;
    return static_cast<int>(SelectByExample(example, nullptr, {}, bMustSort).size());
}

void CTDbEngine::RemoveByExample(const CTDbObject&) {
    CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcRemoveByExample));
}

bool CTDbEngine::EnableModifiedProc(bool b) {
    const bool bPrevious = v_modifiedProcEnabled;
    v_modifiedProcEnabled = b && v_modifiedProc;
    return bPrevious;
}

void CTDbEngine::NotifyModified(bool b, std::int32_t nClsID, std::int32_t nObjID, const std::string& szObjName,
                                std::int32_t nAppUpdCode) const {
    if (!v_modifiedProc || !v_modifiedProcEnabled) return;
    try {
        v_modifiedProc(b, nClsID, nObjID, szObjName, nAppUpdCode);
    } catch (...) {
        // A faulty observer must not undo a change that has been made.
    }
}

void CTDbEngine::AddMultilingualFields(CTTextTranslator& glos) const {
    for (CTTableInfo* pTable : v_factory.Tables()) {
        if (pTable->IsAbstract() || pTable->GetDbEngine() != this) continue;
        std::vector<int> textFields;
        for (int i = 1; i < pTable->FieldCount(); ++i) {
            const CTFieldInfo* pField = pTable->GetFieldInfo(i);
            if (pField->GetType() == FieldType::UnicodeString && pField->GetMultilingual()) textFields.push_back(i);
        }
        if (textFields.empty()) continue;
        for (const auto& pObj : AllObjects(pTable->GetTableIndex(), {})) {
            for (int ix : textFields) {
                const std::string& text = pObj->Values().GetUnicodeStringValue(ix);
                if (!text.empty()) glos.AddTerm(text);
            }
        }
    }
}

}  // namespace brumalis
