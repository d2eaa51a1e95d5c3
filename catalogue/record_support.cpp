#include "catalogue/record_support.h"

#include "objectstore/base_factory.h"

namespace brumalis {

std::unique_ptr<CTDbObject> ReferencedRecord(const CTDbObject& obj, int nClsRefIx) {
    std::int32_t nClsID = 0;
    std::int32_t nObjID = 0;
    obj.Values().GetRefValues(nClsRefIx, nClsID, nObjID);
    if (nClsID <= 0 || nObjID <= 0) return nullptr;
    return obj.GetFactory().SafeCreateObject(nClsID, nObjID);
}

CTObjectList ReferencingRecords(const CTDbObject& obj, std::int32_t nClsID, int nFieldIx) {
    if (obj.GetStatus() != stStored) return {};
    return obj.GetRelatedByIx(nClsID, nFieldIx);
}

std::unique_ptr<CTDbObject> ReferencingRecord(const CTDbObject& obj, std::int32_t nClsID, int nFieldIx) {
    if (obj.GetStatus() != stStored) return nullptr;
    return obj.GetSingleRelatedByIx(nClsID, nFieldIx);
}

}  // namespace brumalis
