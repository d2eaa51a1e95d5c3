// The storage of the memory engine: per layer one map per table, each map
// holding the records that changed in that layer, ordered by ID.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "objectstore/metadata.h"
#include "objectstore/value_list.h"

namespace brumalis {

enum CTElemStatus : std::uint8_t {
    elemInserted = 1,
    elemUpdated = 2,
    elemDeleted = 4,
};

// One stored record in one layer, with the records that refer to it.
struct CTElemDbObject {
    CTElemDbObject(CTTableInfo& table, CTValueList values)
        : v_id(values.GetIntegerValue(0)), v_tblInfo(&table), v_values(std::move(values)) {}

    bool IsDeleted() const { return (v_status & elemDeleted) != 0; }

    std::int32_t v_id;
    CTTableInfo* v_tblInfo;
    CTValueList v_values;
    std::vector<CTDbRelation> v_referrers;
    std::uint8_t v_status = 0;
};

// One table in one layer. Ordered by ID, so that a written file lists its
// records in the same order after every reload.
class CTElemDbObjectMap {
public:
    CTElemDbObjectMap(CTTableInfo& table, std::int32_t nMaxID) : v_tblInfo(&table), v_maxID(nMaxID) {}

    CTTableInfo& Table() const { return *v_tblInfo; }
    CTElemDbObject* Lookup(std::int32_t nID) const;
    CTElemDbObject& Add(std::unique_ptr<CTElemDbObject> pElem);
    // Adds a record unless one with its ID is held (none then); records
    // arriving in ascending ID order, as files hold them, cost no search.
    CTElemDbObject* AddNew(std::unique_ptr<CTElemDbObject> pElem);
    std::unique_ptr<CTElemDbObject> Remove(std::int32_t nID);
    std::map<std::int32_t, std::unique_ptr<CTElemDbObject>>& Elements() { return v_elements; }
    const std::map<std::int32_t, std::unique_ptr<CTElemDbObject>>& Elements() const { return v_elements; }
    std::int32_t GetMaxID() const { return v_maxID; }
    void NoteID(std::int32_t nID) { v_maxID = std::max(v_maxID, nID); }
    void SetMaxID(std::int32_t nID) { v_maxID = nID; }
    // The largest ID of the records held (0 when none).
    std::int32_t GetLargestID() const { return v_elements.empty() ? 0 : v_elements.rbegin()->first; }

private:
    CTTableInfo* v_tblInfo;
    std::map<std::int32_t, std::unique_ptr<CTElemDbObject>> v_elements;
    std::int32_t v_maxID;
};

class CTTransactionLayer {
public:
    // A layer over pParent (none: the base layer) with one map for every table
    // given; the maps start with the parent's largest issued IDs.
    CTTransactionLayer(std::unique_ptr<CTTransactionLayer> pParent, const std::vector<CTTableInfo*>& tables);

    CTTransactionLayer* Parent() const { return v_parentLayer.get(); }
    std::unique_ptr<CTTransactionLayer> TakeParent() { return std::move(v_parentLayer); }
    void SetParent(std::unique_ptr<CTTransactionLayer> pParent) { v_parentLayer = std::move(pParent); }

    CTElemDbObjectMap* Map(std::int32_t nClsID) const;
    const std::vector<std::unique_ptr<CTElemDbObjectMap>>& Maps() const { return v_maps; }

    // The visible version of a record from this layer down; none when it is
    // missing or deleted.
    CTElemDbObject* FindObject(std::int32_t nClsID, std::int32_t nObjID) const;
    // The version held below this layer.
    CTElemDbObject* FindBelow(std::int32_t nClsID, std::int32_t nObjID) const;
    // The visible records of one class, by ID.
    std::map<std::int32_t, CTElemDbObject*> ObjectsOfClass(std::int32_t nClsID) const;
    bool IsEmpty() const;
    // Merges every layer below into this one, which becomes the base layer.
    void Fold();
    // Drops elements that were both inserted and deleted in this layer.
    void DropInsertedAndDeleted();

    std::int32_t v_description = 0;
    std::int32_t v_updateCode = 0;
    bool v_canRedo = true;
    std::int32_t v_singleClsID = 0;
    std::int32_t v_singleObjID = 0;

private:
    std::unique_ptr<CTTransactionLayer> v_parentLayer;
    std::vector<std::unique_ptr<CTElemDbObjectMap>> v_maps;
};

}  // namespace brumalis
