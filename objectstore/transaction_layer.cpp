#include "objectstore/transaction_layer.h"

namespace brumalis {

CTElemDbObject* CTElemDbObjectMap::Lookup(std::int32_t nID) const {
    const auto it = v_elements.find(nID);
    return it == v_elements.end() ? nullptr : it->second.get();
}

CTElemDbObject& CTElemDbObjectMap::Add(std::unique_ptr<CTElemDbObject> pElem) {
    NoteID(pElem->v_id);
    auto& slot = v_elements[pElem->v_id];
    slot = std::move(pElem);
    return *slot;
}

CTElemDbObject* CTElemDbObjectMap::AddNew(std::unique_ptr<CTElemDbObject> pElem) {
    const std::int32_t nID = pElem->v_id;
    if (!v_elements.empty() && v_elements.rbegin()->first >= nID) {
        const auto [it, bInserted] = v_elements.try_emplace(nID, std::move(pElem));
        if (!bInserted) return nullptr;
        NoteID(nID);
        return it->second.get();
    }
    NoteID(nID);
    return v_elements.emplace_hint(v_elements.end(), nID, std::move(pElem))->second.get();
}

std::unique_ptr<CTElemDbObject> CTElemDbObjectMap::Remove(std::int32_t nID) {
    const auto it = v_elements.find(nID);
    if (it == v_elements.end()) return nullptr;
    std::unique_ptr<CTElemDbObject> p = std::move(it->second);
    v_elements.erase(it);
    return p;
}

CTTransactionLayer::CTTransactionLayer(std::unique_ptr<CTTransactionLayer> pParent,
                                       const std::vector<CTTableInfo*>& tables)
    : v_parentLayer(std::move(pParent)) {
    for (CTTableInfo* pTable : tables) {
        const auto ix = static_cast<std::size_t>(pTable->GetTableIndex());
        if (v_maps.size() <= ix) v_maps.resize(ix + 1);
        const CTElemDbObjectMap* pBelow = v_parentLayer ? v_parentLayer->Map(pTable->GetTableIndex()) : nullptr;
        v_maps[ix] = std::make_unique<CTElemDbObjectMap>(*pTable, pBelow ? pBelow->GetMaxID() : 0);
    }
}

CTElemDbObjectMap* CTTransactionLayer::Map(std::int32_t nClsID) const {
    if (nClsID < 0 || static_cast<std::size_t>(nClsID) >= v_maps.size()) return nullptr;
    return v_maps[static_cast<std::size_t>(nClsID)].get();
}

CTElemDbObject* CTTransactionLayer::FindObject(std::int32_t nClsID, std::int32_t nObjID) const {
    for (const CTTransactionLayer* pLayer = this; pLayer; pLayer = pLayer->Parent()) {
        const CTElemDbObjectMap* pMap = pLayer->Map(nClsID);
        if (!pMap) return nullptr;
        if (CTElemDbObject* pElem = pMap->Lookup(nObjID)) return pElem->IsDeleted() ? nullptr : pElem;
    }
    return nullptr;
}

CTElemDbObject* CTTransactionLayer::FindBelow(std::int32_t nClsID, std::int32_t nObjID) const {
    return v_parentLayer ? v_parentLayer->FindObject(nClsID, nObjID) : nullptr;
}

std::map<std::int32_t, CTElemDbObject*> CTTransactionLayer::ObjectsOfClass(std::int32_t nClsID) const {
    std::map<std::int32_t, CTElemDbObject*> result;
    if (v_parentLayer) result = v_parentLayer->ObjectsOfClass(nClsID);
    const CTElemDbObjectMap* pMap = Map(nClsID);
    if (!pMap) return result;
    for (const auto& [nID, pElem] : pMap->Elements()) {
        if (pElem->IsDeleted()) {
            result.erase(nID);
        } else {
            result[nID] = pElem.get();
        }
    }
    return result;
}

bool CTTransactionLayer::IsEmpty() const {
    for (const auto& pMap : v_maps) {
        if (pMap && !pMap->Elements().empty()) return false;
    }
    return true;
}

void CTTransactionLayer::Fold() {
    if (!v_parentLayer) return;
    v_parentLayer->Fold();
    for (const auto& pParentMap : v_parentLayer->v_maps) {
        if (!pParentMap) continue;
        CTElemDbObjectMap& map = *Map(pParentMap->Table().GetTableIndex());
        for (auto& [nID, pElem] : pParentMap->Elements()) {
            if (!map.Lookup(nID)) map.Add(std::move(pElem));
        }
        map.NoteID(pParentMap->GetMaxID());
    }
    v_parentLayer.reset();
    // A base layer has nothing to hide: deleted records are gone for good.
    for (const auto& pMap : v_maps) {
        if (!pMap) continue;
        std::erase_if(pMap->Elements(), [](const auto& entry) { return entry.second->IsDeleted(); });
        for (auto& entry : pMap->Elements()) entry.second->v_status = 0;
    }
    v_singleClsID = 0;
    v_singleObjID = 0;
}

void CTTransactionLayer::DropInsertedAndDeleted() {
    for (const auto& pMap : v_maps) {
        if (!pMap) continue;
        std::erase_if(pMap->Elements(), [](const auto& entry) {
            return (entry.second->v_status & (elemInserted | elemDeleted)) == (elemInserted | elemDeleted);
        });
    }
}

}  // namespace brumalis
