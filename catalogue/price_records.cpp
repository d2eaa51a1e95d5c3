#include "catalogue/price_records.h"

#include "catalogue/records.h"
#include "objectstore/metadata.h"

namespace brumalis {
namespace {

// Decimal commas and points are the same to a name that is a number.
std::string CommaAsPoint(std::string_view szName, bool bNameIsNumber) {
    std::string szResult(szName);
    if (bNameIsNumber) {
        if (const std::size_t nPos = szResult.find(','); nPos != std::string::npos) szResult[nPos] = '.';
    }
    return szResult;
}

}  // namespace

void Cls_PriceEntry::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_PriceEntry_FIELDS(BRUMALIS_FIELD_INFO, Cls_PriceEntry)
}

const Cls_PriceEntry* Cls_PriceEntry::SearchPrice(const CTRecordList<Cls_PriceEntry>& pEntries, std::int32_t nClsID,
                                                  std::int32_t nObjID, std::string_view szName, bool bNameIsNumber) {
    const std::string szWanted = CommaAsPoint(szName, bNameIsNumber);
    const Cls_PriceEntry* pFallback = nullptr;
    for (const auto& pEntry : pEntries) {
        if (pEntry->GetRefClsID() != nClsID) continue;
        if (!szWanted.empty() && !EqualsIgnoreCase(CommaAsPoint(pEntry->GetName(), bNameIsNumber), szWanted)) continue;
        if (pEntry->GetRefObjID() == nObjID) return pEntry.get();
        if (nObjID == 0 || pEntry->GetRefObjID() == 0) pFallback = pEntry.get();
    }
    return pFallback;
}

void Cls_PriceAndPrefsFile::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_PriceAndPrefsFile_FIELDS(BRUMALIS_FIELD_INFO, Cls_PriceAndPrefsFile)
}

}  // namespace brumalis
