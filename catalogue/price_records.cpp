#include "catalogue/price_records.h"

#include "catalogue/records.h"

namespace brumalis {

void Cls_PriceEntry::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_PriceEntry_FIELDS(BRUMALIS_FIELD_INFO, Cls_PriceEntry)
}

void Cls_PriceAndPrefsFile::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_PriceAndPrefsFile_FIELDS(BRUMALIS_FIELD_INFO, Cls_PriceAndPrefsFile)
}

}  // namespace brumalis
