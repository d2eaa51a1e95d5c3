#include "objectstore/metadata.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace brumalis {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::unique_ptr<CTFieldInfo> CTFieldInfo::CreateBoolean(std::string szName, bool bDefaultValue) {
    return std::unique_ptr<CTFieldInfo>(new CTFieldInfo(std::move(szName), TFieldValue::Boolean(bDefaultValue)));
}

std::unique_ptr<CTFieldInfo> CTFieldInfo::CreateInteger(std::string szName, std::int32_t nDefaultValue) {
    return std::unique_ptr<CTFieldInfo>(new CTFieldInfo(std::move(szName), TFieldValue::Integer(nDefaultValue)));
}

std::unique_ptr<CTFieldInfo> CTFieldInfo::CreateDouble(std::string szName, double nDefaultValue) {
    return std::unique_ptr<CTFieldInfo>(new CTFieldInfo(std::move(szName), TFieldValue::Double(nDefaultValue)));
}

std::unique_ptr<CTFieldInfo> CTFieldInfo::CreateUnicodeString(std::string szName, std::string szDefaultValue,
                                                              bool bMultilingual) {
    auto p = std::unique_ptr<CTFieldInfo>(
        new CTFieldInfo(std::move(szName), TFieldValue::UnicodeString(std::move(szDefaultValue))));
    p->v_multilingual = bMultilingual;
    return p;
}

std::unique_ptr<CTFieldInfo> CTFieldInfo::CreateCurrency(std::string szName, std::int64_t nDefaultValue) {
    return std::unique_ptr<CTFieldInfo>(new CTFieldInfo(std::move(szName), TFieldValue::Currency(nDefaultValue)));
}

std::unique_ptr<CTFieldInfo> CTFieldInfo::CreateTDateTime(std::string szName, double nDefaultValue) {
    return std::unique_ptr<CTFieldInfo>(new CTFieldInfo(std::move(szName), TFieldValue::DateTime(nDefaultValue)));
}

std::unique_ptr<CTFieldInfo> CTFieldInfo::CreateTGUID(std::string szName) {
    return std::unique_ptr<CTFieldInfo>(new CTFieldInfo(std::move(szName), TFieldValue::Guid(TGUID{})));
}

std::unique_ptr<CTFieldInfo> CTFieldInfo::CreateBinary(std::string szName) {
    return std::unique_ptr<CTFieldInfo>(new CTFieldInfo(std::move(szName), TFieldValue::Binary({})));
}

CTTableInfo::CTTableInfo(std::int32_t nClsID, std::int32_t nDbID, std::string szModelClassName,
                         std::int32_t nParentID, bool bAbstract, bool bNameRequired)
    : v_clsID(nClsID),
      v_parentID(nParentID),
      v_dbID(nDbID),
      v_tblName("Tbl_" + szModelClassName),
      v_modelClassName(std::move(szModelClassName)),
      v_abstract(bAbstract),
      v_nameRequired(bNameRequired) {}

CTTableInfo::~CTTableInfo() { CleanupCache(); }

void CTTableInfo::AddFieldInfo(int nFieldIx, std::unique_ptr<CTFieldInfo> pInfo, bool bIsNameField) {
    const auto ix = static_cast<std::size_t>(nFieldIx);
    if (v_allFieldInfo.size() <= ix) v_allFieldInfo.resize(ix + 1, nullptr);
    pInfo->v_tblInfo = this;
    v_allFieldInfo[ix] = pInfo.get();
    v_ownedFields.push_back(std::move(pInfo));
    if (bIsNameField) v_nameIx = nFieldIx;
}

void CTTableInfo::AddReference(CTTableLink* pInfo) {
    if (std::find(v_refs.begin(), v_refs.end(), pInfo) == v_refs.end()) v_refs.push_back(pInfo);
}

const CTFieldInfo* CTTableInfo::GetFieldInfo(int nFieldIx) const {
    if (nFieldIx < 0 || nFieldIx >= FieldCount()) return nullptr;
    return v_allFieldInfo[static_cast<std::size_t>(nFieldIx)];
}

CTFieldInfo* CTTableInfo::GetFieldInfo(int nFieldIx) {
    return const_cast<CTFieldInfo*>(std::as_const(*this).GetFieldInfo(nFieldIx));
}

const std::string& CTTableInfo::GetIDFieldName() const {
    static const std::string kNone;
    const CTFieldInfo* pId = GetFieldInfo(0);
    return pId ? pId->GetName() : kNone;
}

int CTTableInfo::IndexOfField(std::string_view szFldName, int nStartIx) const {
    for (int i = std::max(nStartIx, 0); i < FieldCount(); ++i) {
        const CTFieldInfo* p = v_allFieldInfo[static_cast<std::size_t>(i)];
        if (p && EqualsIgnoreCase(p->GetName(), szFldName)) return i;
    }
    return -1;
}

bool CTTableInfo::IsOfClass(std::int32_t nClsID) const {
    for (const CTTableInfo* p = this; p; p = p->v_parent) {
        if (p->v_clsID == nClsID) return true;
    }
    return false;
}

void CTTableInfo::InheritFrom(CTTableInfo* pParent) {
    v_parent = pParent;
    const std::size_t n = pParent->v_allFieldInfo.size();
    if (v_allFieldInfo.size() < n) v_allFieldInfo.resize(n, nullptr);
    for (std::size_t i = 1; i < n; ++i) v_allFieldInfo[i] = pParent->v_allFieldInfo[i];
    if (v_nameIx < 0) v_nameIx = pParent->v_nameIx;
}

CTDbObject* CTTableInfo::GetCachedObject(std::int32_t nID) {
    if (const auto it = v_cacheIndex.find(nID); it != v_cacheIndex.end()) return it->second;
    if (nID <= 0 || !v_engine || !v_cacheSource) return nullptr;
    CTDbObject* pObj = v_cacheSource->LoadCachedObject(v_clsID, nID);
    if (!pObj) return nullptr;
    v_cachedObjects.push_back(pObj);
    v_cacheIndex.emplace(nID, pObj);
    return pObj;
}

void CTTableInfo::CleanupCache() {
    if (v_cacheSource) {
        for (CTDbObject* pObj : v_cachedObjects) v_cacheSource->DestroyObject(pObj);
    }
    v_cachedObjects.clear();
    v_cacheIndex.clear();
    if (v_customCacheCleanupProc) v_customCacheCleanupProc();
}

CTTableLink::CTTableLink(CTTableInfo* pFromTable, std::int32_t nAssociationID, std::string szAssociationName,
                         std::string szFromRole, std::string szToRole, std::int32_t nToClsID,
                         std::int32_t nToFieldIx, TLinkFlags flags)
    : v_associationID(nAssociationID),
      v_associationName(std::move(szAssociationName)),
      v_fromRole(std::move(szFromRole)),
      v_toRole(std::move(szToRole)),
      v_toClsID(nToClsID),
      v_toFieldIx(nToFieldIx),
      v_flags(flags),
      v_fromTable(pFromTable),
      v_fromClsID(pFromTable->GetTableIndex()) {}

CTTableLink::CTTableLink(std::int32_t nFromClsID, std::int32_t nToClsID, std::int32_t nToFieldIx, TLinkFlags flags)
    : v_associationID(0),
      v_toClsID(nToClsID),
      v_toFieldIx(nToFieldIx),
      v_flags(flags),
      v_fromTable(nullptr),
      v_fromClsID(nFromClsID) {}

CTNameMapping::CTNameMapping(std::string szOldName, std::string szNewName)
    : v_oldName(std::move(szOldName)), v_newName(std::move(szNewName)) {}

CTNameMapping::~CTNameMapping() = default;

CTMappingTable& CTNameMapping::GetSubTable() {
    if (!v_subTable) v_subTable = std::make_unique<CTMappingTable>();
    return *v_subTable;
}

CTNameMapping& CTMappingTable::AddMapping(std::string szOldName, std::string szNewName) {
    v_entries.push_back(std::make_unique<CTNameMapping>(std::move(szOldName), std::move(szNewName)));
    return *v_entries.back();
}

const CTNameMapping* CTMappingTable::FindMapping(std::string_view szForOldName, bool bCaseSensitive,
                                                 std::intptr_t, std::intptr_t) const {
    for (const auto& p : v_entries) {
        const bool bMatch =
            bCaseSensitive ? p->GetOldName() == szForOldName : EqualsIgnoreCase(p->GetOldName(), szForOldName);
        if (bMatch) return p.get();
    }
    return nullptr;
}

std::string CTMappingTable::FindNewName(std::string_view szForOldName, bool bCaseSensitive, std::intptr_t nData1,
                                        std::intptr_t nData2) const {
    const CTNameMapping* p = FindMapping(szForOldName, bCaseSensitive, nData1, nData2);
    return p ? p->GetNewName() : std::string();
}

}  // namespace brumalis
