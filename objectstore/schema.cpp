#include "objectstore/schema.h"

#include <string>

namespace brumalis {

CTSchema::~CTSchema() = default;

CTTableInfo& CTSchema::RegisterTable(std::unique_ptr<CTTableInfo> pTable) {
    const std::int32_t nClsID = pTable->GetTableIndex();
    if (nClsID < 0) throw CTSchemaError("Negative class ID for " + pTable->GetTableName());
    const auto ix = static_cast<std::size_t>(nClsID);
    if (v_tableInfo.size() <= ix) v_tableInfo.resize(ix + 1);
    if (v_tableInfo[ix]) throw CTSchemaError("Class ID " + std::to_string(nClsID) + " registered twice");
    v_tableInfo[ix] = std::move(pTable);
    TableRegistered(*v_tableInfo[ix]);
    return *v_tableInfo[ix];
}

CTTableLink& CTSchema::AddLink(CTTableInfo& fromTable, std::int32_t nAssociationID, std::string szAssociationName,
                               std::int32_t nToClsID, std::int32_t nToFieldIx, TLinkFlags flags) {
    CTTableLink& link = AddLinkInfo(std::make_unique<CTTableLink>(&fromTable, nAssociationID,
                                                                  std::move(szAssociationName), std::string(),
                                                                  std::string(), nToClsID, nToFieldIx, flags));
    fromTable.AddReference(&link);
    return link;
}

CTTableLink& CTSchema::AddLinkInfo(std::unique_ptr<CTTableLink> pInf) {
    v_allLinkInfo.push_back(std::move(pInf));
    return *v_allLinkInfo.back();
}

CTTableInfo* CTSchema::GetTableInfo(std::int32_t nClsID) const {
    if (nClsID < 0 || static_cast<std::size_t>(nClsID) >= v_tableInfo.size()) return nullptr;
    return v_tableInfo[static_cast<std::size_t>(nClsID)].get();
}

CTTableInfo* CTSchema::GetTableNamed(std::string_view szTblName) const {
    for (const auto& p : v_tableInfo) {
        if (p && EqualsIgnoreCase(p->GetTableName(), szTblName)) return p.get();
    }
    return nullptr;
}

std::vector<CTTableInfo*> CTSchema::Tables() const {
    std::vector<CTTableInfo*> tables;
    for (const auto& p : v_tableInfo) {
        if (p) tables.push_back(p.get());
    }
    return tables;
}

void CTSchema::ResolveSchema() {
    v_allFieldInfo.clear();
    for (CTTableInfo* pTable : Tables()) {
        for (CTFieldInfo* pField : pTable->GetAllFieldInfo()) {
            if (pField) v_allFieldInfo.push_back(pField);
        }
    }
    ResolveInheritance();
    ResolveLinks();
    AddInheritedReferences();
}

void CTSchema::ResolveInheritance() {
    const std::vector<CTTableInfo*> tables = Tables();
    for (CTTableInfo* pTable : tables) {
        if (pTable->GetParentID() >= 0 && !GetTableInfo(pTable->GetParentID())) {
            throw CTSchemaError(pTable->GetTableName() + " names a parent that is not registered");
        }
    }
    // Parents before children, whatever the order of registration.
    bool bChanged = true;
    while (bChanged) {
        bChanged = false;
        for (CTTableInfo* pTable : tables) {
            if (pTable->GetParentID() < 0 || pTable->GetParent()) continue;
            CTTableInfo* pParent = GetTableInfo(pTable->GetParentID());
            if (pParent->GetParentID() < 0 || pParent->GetParent()) {
                pTable->InheritFrom(pParent);
                bChanged = true;
            }
        }
    }
    for (CTTableInfo* pTable : tables) {
        if (pTable->GetParentID() >= 0 && !pTable->GetParent()) {
            throw CTSchemaError(pTable->GetTableName() + " is part of a cycle of parents");
        }
    }
}

void CTSchema::ResolveLinks() {
    for (CTTableInfo* pTable : Tables()) {
        for (CTTableLink* pLink : pTable->GetReferences()) {
            CTTableInfo* pTo = GetTableInfo(pLink->GetToClsID());
            CTFieldInfo* pToField = pTo ? pTo->GetFieldInfo(pLink->GetToFieldIx()) : nullptr;
            if (!pToField) {
                throw CTSchemaError("Link " + pLink->GetAssociationName() + " names a missing table or field");
            }
            pLink->v_toTable = pTo;
            pLink->v_fromField = pTable->GetFieldInfo(0);
            pLink->v_toField = pToField;
            pToField->SetReferenceTo(pLink);
        }
    }
}

void CTSchema::AddInheritedReferences() {
    for (CTTableInfo* pTable : Tables()) {
        for (const auto& pLink : v_allLinkInfo) {
            CTTableInfo* pFrom = pLink->GetFromTable();
            if (pFrom && pFrom != pTable && pTable->IsOfClass(pFrom->GetTableIndex())) {
                pTable->AddReference(pLink.get());
            }
        }
    }
}

}  // namespace brumalis
