// The two tables of a prices-and-preferences file.
#pragma once

#include "catalogue/record_support.h"
#include "catalogue/records_fwd.h"

namespace brumalis {

// Table "Tbl_PriceEntry" (234).
#define Cls_PriceEntry_FIELDS(X, C) \
    X(C, Integer, 1, Fld_RefClsID, RefClsID, 0) \
    X(C, Integer, 2, Fld_RefObjID, RefObjID, 0) \
    X(C, Translated, 3, Fld_Description2, Description2, "") \
    X(C, Double, 4, Fld_InstallationCost, InstallationCost, 0.0) \
    X(C, Name, 5, Fld_Name, Name, "") \
    X(C, Description, 6, Fld_Description, Description, "") \
    X(C, Double, 7, Fld_MaterialCost, MaterialCost, 0.0)
class Cls_PriceEntry : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_PriceEntry, CTDbObject, 234)
public:
    Cls_PriceEntry_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_PriceEntry)
};

// Table "Tbl_PriceAndPrefsFile" (236).
#define Cls_PriceAndPrefsFile_FIELDS(X, C) \
    X(C, String, 1, Fld_CurrencyUsed, CurrencyUsed, "") \
    X(C, String, 2, Fld_DbVersion, DbVersion, "1.0") \
    X(C, String, 3, Fld_OrvaneDefinedVersion, OrvaneDefinedVersion, "")
class Cls_PriceAndPrefsFile : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_PriceAndPrefsFile, CTDbObject, 236)
public:
    Cls_PriceAndPrefsFile_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_PriceAndPrefsFile)
};

}  // namespace brumalis
