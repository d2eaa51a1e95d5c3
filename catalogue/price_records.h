// The two tables of a prices-and-preferences file, and the file attached as
// database 1: at most one at a time, held for the whole process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

    // The entry of pEntries for the record (nClsID, nObjID) named szName: an
    // entry for that very record wins; otherwise the last one for any record
    // of the class (record ID 0 on either side). An empty szName matches every
    // name; names compare ignoring ASCII case, and with bNameIsNumber the
    // first "," of each name reads as ".".
    static const Cls_PriceEntry* SearchPrice(const CTRecordList<Cls_PriceEntry>& pEntries, std::int32_t nClsID,
                                             std::int32_t nObjID, std::string_view szName, bool bNameIsNumber);
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

    // The header of the attached file, or none.
    static Cls_PriceAndPrefsFile* UniqueInstance();
    // Detaches any file, then attaches the one named in the settings under
    // szRegistryKey. Answers its header, or none when there is no name, the
    // file cannot be read as a database (database 1 is left empty) or it does
    // not hold exactly one header.
    static Cls_PriceAndPrefsFile* LoadFile(const std::string& szRegistryKey, bool bAllUsers);
    // Frees the header and the entries of the attached file.
    static void UnloadFile();

    // The chosen file, kept under szRegistryKey of the user's (or, with
    // bAllUsers, the machine's) settings with the checksum it had when chosen.
    // Settings that cannot be read answer empty or 0; failed writes are dropped.
    static std::string GetFileName(const std::string& szRegistryKey, bool bAllUsers);
    static void SetFileName(const std::string& szRegistryKey, bool bAllUsers, const std::string& szFileName);
    static void SetCurrentChecksum(const std::string& szRegistryKey, bool bAllUsers, std::int32_t nChecksum);
    static std::int32_t GetCurrentChecksum(const std::string& szRegistryKey, bool bAllUsers);
    // The file's last-write time as a packed DOS date and time (local time)
    // plus the low 32 bits of its size, wrapping; 0 for a missing file.
    static std::int32_t CalcFileChecksum(const std::string& szFileName);
    // The checksum of the attached file when it was loaded; 0 without one.
    static std::int32_t GetChecksum();

    // Every price entry of database 1, read on first use and kept until the
    // file is detached.
    static const CTRecordList<Cls_PriceEntry>& AllPriceEntries();
    // None when no file is attached.
    static const Cls_PriceEntry* SearchPrice(std::int32_t nClsID, std::int32_t nObjID, std::string_view szName,
                                             bool bNameIsNumber);
    static const Cls_PriceEntry* SearchPrice(const CTDbObject* pDevice, bool bNameIsNumber);

    std::int32_t v_checksum = 0;
};

}  // namespace brumalis
