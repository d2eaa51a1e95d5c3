// Table and field metadata: every table is described once at start-up by a
// table descriptor with its field descriptors, every association by a link.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objectstore/values.h"

namespace brumalis {

class CTDbObject;
class CTDbEngine;
class CTTableInfo;
class CTTableLink;

class CTFieldInfo {
public:
    static std::unique_ptr<CTFieldInfo> CreateBoolean(std::string szName, bool bDefaultValue);
    static std::unique_ptr<CTFieldInfo> CreateInteger(std::string szName, std::int32_t nDefaultValue);
    static std::unique_ptr<CTFieldInfo> CreateDouble(std::string szName, double nDefaultValue);
    static std::unique_ptr<CTFieldInfo> CreateUnicodeString(std::string szName, std::string szDefaultValue,
                                                            bool bMultilingual);
    static std::unique_ptr<CTFieldInfo> CreateCurrency(std::string szName, std::int64_t nDefaultValue);
    static std::unique_ptr<CTFieldInfo> CreateTDateTime(std::string szName, double nDefaultValue);
    static std::unique_ptr<CTFieldInfo> CreateTGUID(std::string szName);
    static std::unique_ptr<CTFieldInfo> CreateBinary(std::string szName);

    const std::string& GetName() const { return v_name; }
    FieldType GetType() const { return v_type; }
    const TFieldValue& GetDefaultValue() const { return v_defaultValue; }

    void SetBooleanDftValue(bool b) { v_defaultValue = TFieldValue::Boolean(b); }
    bool GetBooleanDftValue() const { return v_defaultValue.GetBoolean(); }
    void SetIntegerDftValue(std::int32_t n) { v_defaultValue = TFieldValue::Integer(n); }
    std::int32_t GetIntegerDftValue() const { return v_defaultValue.GetInteger(); }
    void SetDoubleDftValue(double d) { v_defaultValue = TFieldValue::Double(d); }
    double GetDoubleDftValue() const { return v_defaultValue.GetDouble(); }
    void SetUnicodeStringDftValue(std::string sz) { v_defaultValue = TFieldValue::UnicodeString(std::move(sz)); }
    const std::string& GetUnicodeStringDftValue() const { return v_defaultValue.GetBytes(); }
    void SetCurrencyDftValue(std::int64_t n) { v_defaultValue = TFieldValue::Currency(n); }
    std::int64_t GetCurrencyDftValue() const { return v_defaultValue.GetCurrency(); }
    void SetTDateTimeDftValue(double d) { v_defaultValue = TFieldValue::DateTime(d); }
    double GetTDateTimeDftValue() const { return v_defaultValue.GetDouble(); }

    void SetMultilingual(bool b) { v_multilingual = b; }
    bool GetMultilingual() const { return v_multilingual; }
    void SetReferenceTo(CTTableLink* pTblLink) { v_refTo = pTblLink; }
    CTTableLink* GetReferenceTo() const { return v_refTo; }
    CTTableInfo* GetTableInfo() const { return v_tblInfo; }

private:
    friend class CTTableInfo;
    CTFieldInfo(std::string szName, TFieldValue defaultValue)
        : v_name(std::move(szName)), v_type(defaultValue.Type()), v_defaultValue(std::move(defaultValue)) {}

    std::string v_name;
    FieldType v_type;
    TFieldValue v_defaultValue;
    bool v_multilingual = false;
    CTTableInfo* v_tblInfo = nullptr;
    CTTableLink* v_refTo = nullptr;
};

// Where a table's object cache gets its records from and how it frees them;
// the factory provides it.
class CTObjectCacheSource {
public:
    virtual ~CTObjectCacheSource() = default;
    // A new record object for a stored record, or none when it is not stored.
    virtual CTDbObject* LoadCachedObject(std::int32_t nClsID, std::int32_t nObjID) = 0;
    virtual void DestroyObject(CTDbObject* pObj) = 0;
};

class CTTableInfo {
public:
    // nParentID -1 for a root table, nDbID -1 for an abstract table.
    CTTableInfo(std::int32_t nClsID, std::int32_t nDbID, std::string szModelClassName, std::int32_t nParentID,
                bool bAbstract, bool bNameRequired);
    ~CTTableInfo();
    CTTableInfo(const CTTableInfo&) = delete;
    CTTableInfo& operator=(const CTTableInfo&) = delete;

    // Puts the descriptor at that index (growing the list); the table owns it.
    void AddFieldInfo(int nFieldIx, std::unique_ptr<CTFieldInfo> pInfo, bool bIsNameField = false);
    void AddReference(CTTableLink* pInfo);

    const CTFieldInfo* GetFieldInfo(int nFieldIx) const;
    CTFieldInfo* GetFieldInfo(int nFieldIx);
    int FieldCount() const { return static_cast<int>(v_allFieldInfo.size()); }
    const std::vector<CTFieldInfo*>& GetAllFieldInfo() const { return v_allFieldInfo; }
    std::int32_t GetTableIndex() const { return v_clsID; }
    std::int32_t GetParentID() const { return v_parentID; }
    // For schemas read from a file, whose parents come after the fields and
    // whose table names need not follow the "Tbl_" rule.
    void SetParentID(std::int32_t nParentID) { v_parentID = nParentID; }
    void SetTableName(std::string szTblName) { v_tblName = std::move(szTblName); }
    std::int32_t GetDbID() const { return v_dbID; }
    void SetDbEngine(CTDbEngine* pEngine) { v_engine = pEngine; }
    CTDbEngine* GetDbEngine() const { return v_engine; }
    CTTableInfo* GetParent() const { return v_parent; }
    const std::vector<CTTableLink*>& GetReferences() const { return v_refs; }
    bool IsAbstract() const { return v_abstract; }
    bool IsNameRequired() const { return v_nameRequired; }
    int GetNameIx() const { return v_nameIx; }
    const std::string& GetTableName() const { return v_tblName; }
    const std::string& GetModelClassName() const { return v_modelClassName; }
    const std::string& GetIDFieldName() const;

    // Index of the first field at or after nStartIx whose name equals
    // szFldName ignoring case, or -1.
    int IndexOfField(std::string_view szFldName, int nStartIx = 0) const;
    // True for this table's class ID and every ancestor's.
    bool IsOfClass(std::int32_t nClsID) const;

    // The per-table object cache.
    void SetCacheSource(CTObjectCacheSource* pSource) { v_cacheSource = pSource; }
    CTDbObject* GetCachedObject(std::int32_t nID);
    const std::vector<CTDbObject*>& GetCachedObjects() const { return v_cachedObjects; }
    void CleanupCache();
    void SetCustomCacheCleanupProc(std::function<void()> proc) { v_customCacheCleanupProc = std::move(proc); }

private:
    friend class CTSchema;
    // Resolution: take over the parent's descriptors at indices 1..n-1.
    void InheritFrom(CTTableInfo* pParent);

    CTTableInfo* v_parent = nullptr;
    std::int32_t v_clsID;
    std::int32_t v_parentID;
    std::int32_t v_dbID;
    CTDbEngine* v_engine = nullptr;
    std::string v_tblName;
    std::string v_modelClassName;
    bool v_abstract;
    bool v_nameRequired;
    std::vector<CTFieldInfo*> v_allFieldInfo;
    int v_nameIx = -1;
    std::vector<CTTableLink*> v_refs;
    std::vector<CTDbObject*> v_cachedObjects;
    std::function<void()> v_customCacheCleanupProc;

    std::vector<std::unique_ptr<CTFieldInfo>> v_ownedFields;
    std::unordered_map<std::int32_t, CTDbObject*> v_cacheIndex;
    CTObjectCacheSource* v_cacheSource = nullptr;
};

struct TLinkFlags {
    bool bOneToOne = false;
    bool bRefIntegr = false;
    bool bCascDel = false;
    bool bIsOrdered = false;
};

// An association: the "from" table is the referenced (one) side, the "to"
// table holds the reference pair whose class-ID field is at v_toFieldIx.
class CTTableLink {
public:
    CTTableLink(CTTableInfo* pFromTable, std::int32_t nAssociationID, std::string szAssociationName,
                std::string szFromRole, std::string szToRole, std::int32_t nToClsID, std::int32_t nToFieldIx,
                TLinkFlags flags);
    // A link read from a file whose referenced table may belong to another
    // database and so have no descriptor here.
    CTTableLink(std::int32_t nFromClsID, std::int32_t nToClsID, std::int32_t nToFieldIx, TLinkFlags flags);

    std::int32_t GetAssociationID() const { return v_associationID; }
    const std::string& GetAssociationName() const { return v_associationName; }
    const std::string& GetFromRole() const { return v_fromRole; }
    const std::string& GetToRole() const { return v_toRole; }
    CTTableInfo* GetFromTable() const { return v_fromTable; }
    CTTableInfo* GetToTable() const { return v_toTable; }
    CTFieldInfo* GetFromField() const { return v_fromField; }
    CTFieldInfo* GetToField() const { return v_toField; }
    std::int32_t GetFromClsID() const { return v_fromClsID; }
    std::int32_t GetToClsID() const { return v_toClsID; }
    std::int32_t GetToFieldIx() const { return v_toFieldIx; }
    const TLinkFlags& Flags() const { return v_flags; }

private:
    friend class CTSchema;

    std::int32_t v_associationID;
    std::string v_associationName;
    std::string v_fromRole;
    std::string v_toRole;
    std::int32_t v_toClsID;
    std::int32_t v_toFieldIx;
    TLinkFlags v_flags;
    CTTableInfo* v_fromTable;
    std::int32_t v_fromClsID;
    CTTableInfo* v_toTable = nullptr;
    CTFieldInfo* v_fromField = nullptr;
    CTFieldInfo* v_toField = nullptr;
};

// One entry of a stored record's list of referrers.
struct CTDbRelation {
    explicit CTDbRelation(CTTableLink* pModel) : v_model(pModel) {}
    CTTableLink* v_model;
    std::int32_t v_refClsID = 0;
    std::int32_t v_refObjID = 0;
};

class CTMappingTable;

// An old name and its new name; a renamed table also maps its field names.
class CTNameMapping {
public:
    CTNameMapping(std::string szOldName, std::string szNewName);
    ~CTNameMapping();

    const std::string& GetOldName() const { return v_oldName; }
    const std::string& GetNewName() const { return v_newName; }
    CTMappingTable& GetSubTable();
    const CTMappingTable* FindSubTable() const { return v_subTable.get(); }

private:
    std::string v_oldName;
    std::string v_newName;
    std::unique_ptr<CTMappingTable> v_subTable;
};

// Lets the file reader accept files written with older table or field names.
// For a table the reader passes (0, file class ID); for a field (file type
// code, current field count).
class CTMappingTable {
public:
    virtual ~CTMappingTable() = default;

    CTNameMapping& AddMapping(std::string szOldName, std::string szNewName);
    virtual const CTNameMapping* FindMapping(std::string_view szForOldName, bool bCaseSensitive,
                                             std::intptr_t nData1, std::intptr_t nData2) const;
    std::string FindNewName(std::string_view szForOldName, bool bCaseSensitive, std::intptr_t nData1,
                            std::intptr_t nData2) const;

private:
    std::vector<std::unique_ptr<CTNameMapping>> v_entries;
};

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace brumalis
