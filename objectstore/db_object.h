// Record objects: every persistent thing of the program is a CTDbObject with
// a value list shaped by its table, stored by the engine of that table.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "objectstore/metadata.h"
#include "objectstore/streams.h"
#include "objectstore/value_list.h"

namespace brumalis {

class CTBaseFactory;
class CTDbEngine;
class CTDbObject;

using CTObjectList = std::vector<std::unique_ptr<CTDbObject>>;
// Called once per record a query produces: a progress tick.
using CTProgressCallback = std::function<void()>;
using CTObjectFilter = std::function<bool(const CTDbObject&)>;

// The editing form that holds the controls of a record; lets validation name
// a field by its caption. Answers an empty text for a missing component.
class CTEditingForm {
public:
    virtual ~CTEditingForm() = default;
    virtual std::string ComponentProperty(std::string_view szComponent, std::string_view szProperty) const = 0;
};

enum CTObjectStatus : std::int32_t {
    stNew = 0,
    stStored = 1,
    stRemoved = 2,
    stDestroying = 16,
};

class CTDbObject {
public:
    // nObjID > 0 reads the stored record (a missing one leaves the defaults);
    // pFactory none means the default factory.
    CTDbObject(std::int32_t nClsID, std::int32_t nObjID = 0, CTBaseFactory* pFactory = nullptr);
    virtual ~CTDbObject();
    CTDbObject(const CTDbObject&) = delete;
    CTDbObject& operator=(const CTDbObject&) = delete;

    static void SetDefaultFactory(CTBaseFactory* pFactory);
    static CTBaseFactory* GetDefaultFactory();
    // Adds field 0, the record ID, named szIDFieldName.
    static void Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName);

    virtual std::string GetName() const;
    virtual void SetName(std::string_view szVal);
    virtual bool ChkName(const CTEditingForm* pResource) const;
    virtual std::string GetDescriptiveName() const { return GetName(); }
    virtual std::string GetQualifier() const;
    virtual std::string GetQualifiedName() const { return GetQualifier() + " " + GetName(); }
    virtual std::string GetDescription() const { return std::string(); }
    virtual void SetDescription(std::string_view) {}
    virtual bool ChkDescription(const CTEditingForm*) const { return true; }
    virtual bool GetDeleted() const { return false; }
    virtual void SetDeleted(bool) {}
    virtual bool ChkDeleted(const CTEditingForm*) const { return true; }
    virtual std::int32_t TableIndex() const { return v_tableInfo->GetTableIndex(); }
    virtual void Update();
    virtual void Read();
    virtual void Remove();
    virtual void Insert();
    virtual void InsertTemp();
    virtual std::string InventUniqueName() const;
    virtual bool ValidateClassConstraints(const CTEditingForm*) const { return true; }
    virtual bool Edit(void* pOwner, bool bReadOnly, void* pExtraData);
    virtual std::string UniqueNamePrefix() const;

    std::int32_t GetID() const { return v_values.GetIntegerValue(0); }
    void SetID(std::int32_t nID) { v_values.SetIntegerValue(0, nID); }
    CTValueList& Values() { return v_values; }
    const CTValueList& Values() const { return v_values; }
    const std::vector<CTFieldInfo*>& Descriptors() const { return v_tableInfo->GetAllFieldInfo(); }
    CTTableInfo& TableInfo() const { return *v_tableInfo; }
    bool IsOfClass(std::int32_t nClsID) const { return v_tableInfo->IsOfClass(nClsID); }
    CTBaseFactory& GetFactory() const { return *v_factory; }
    std::int32_t GetStatus() const { return v_status; }
    void SetStatus(std::int32_t nStatus) { v_status = nStatus; }
    void CopyData(const CTDbObject& from, bool bAlsoRelations, int nStartIx = 1);

    // The stored text, translated through the glossary of the table's engine
    // when it has one and a translation exists.
    std::string GetTranslatedStringValue(int nIx) const;
    const std::string& GetUntranslatedStringValue(int nIx) const { return v_values.GetUnicodeStringValue(nIx); }
    void GenerateTGUIDValue(int nIx);
    void ClearTGUIDValue(int nIx) { v_values.SetTGUIDValue(nIx, TGUID{}); }
    static bool IsClearTGUID(const TGUID& guid) { return guid.IsClear(); }
    static bool CompareTGUID(const TGUID& a, const TGUID& b) { return !a.IsClear() && a == b; }

    // Both require a stored record; the bytes live in the engine.
    bool GetBinaryValue(int nIx, CTStream& stream) const;
    void SetBinaryValue(int nIx, CTStream* pStream);

    void InsertWithID(std::int32_t nID);

    CTObjectList SelectByExample(const std::vector<std::string>* pOrderFields = nullptr,
                                 const CTProgressCallback& callback = {}) const;
    CTObjectList SelectLikeExample(int nMaxItems, const std::vector<std::string>* pOrderFields = nullptr,
                                   const CTProgressCallback& callback = {}) const;
    int CountByExample() const;
    void RemoveByExample() const;

    static CTObjectList GetAllRecords(std::int32_t nClsID, bool bAlsoDerived, CTBaseFactory* pFactory = nullptr,
                                      const CTProgressCallback& callback = {});
    static int CountAllRecords(std::int32_t nClsID, bool bAlsoDerived, CTBaseFactory* pFactory = nullptr);
    static std::unique_ptr<CTDbObject> GetUniqueRecord(std::int32_t nClsID, bool bMustExist,
                                                       CTBaseFactory* pFactory = nullptr);
    static void PurgeTable(std::int32_t nClsID, CTBaseFactory* pFactory = nullptr);

    void SetRelationByIx(int nFieldIx, const CTDbObject* pRelObj);
    void DropRelationByIx(int nFieldIx);
    std::unique_ptr<CTDbObject> GetRelationByIx(int nFieldIx) const;
    CTObjectList GetRelatedByIx(std::int32_t nClsID, int nFieldIx, const std::vector<std::string>* pSortKeys = nullptr,
                                const CTObjectFilter& filter = {}) const;
    std::unique_ptr<CTDbObject> GetSingleRelatedByIx(std::int32_t nClsID, int nFieldIx) const;
    // nCount < 0: any class.
    bool HasRelations(const std::int32_t* pClsIDs, int nCount) const;

    bool IsUnique(int nFieldIx, std::string_view szVal) const;

    static std::string CaptionForValue(const CTEditingForm* pRsc, const std::string& szFieldName);
    static void ErrorRequired(const CTEditingForm* pParent, const std::string& szFldName);
    static void ErrorUnique(const CTEditingForm* pParent, const std::string& szFldName);
    static void ErrorLB(const CTEditingForm* pParent, const std::string& szFldName, const std::string& szChkValue);
    static void ErrorLB(const CTEditingForm* pParent, const std::string& szFldName, double nChkValue);
    static void ErrorUB(const CTEditingForm* pParent, const std::string& szFldName, const std::string& szChkValue);
    static void ErrorUB(const CTEditingForm* pParent, const std::string& szFldName, double nChkValue);

    static CTDbObject* SearchID(const CTObjectList& list, std::int32_t nID);
    static CTDbObject* SearchID2(const CTObjectList& list, std::int32_t nClsID, std::int32_t nObjID);

    // Sorts by field names (first record's table; ignoring case): Boolean false
    // first, numbers numerically, texts by code units; other types never decide.
    static void SortByFields(CTObjectList& list, const std::vector<std::string>& fieldNames);

protected:
    CTDbEngine* Engine() const { return v_tableInfo->GetDbEngine(); }

private:
    CTDbEngine& RequireEngine() const;
    void RequireStored() const;
    template <typename Query>
    CTObjectList CollectFromEngines(Query query, const std::vector<std::string>* pOrderFields) const;

    std::int32_t v_status = stNew;
    CTTableInfo* v_tableInfo;
    CTValueList v_values;
    CTBaseFactory* v_factory;
};

// Helpers over lists of objects that the lists do not own.
struct ObjectList {
    // Gap-halving exchange sort; bBefore(a, b) is true when a must come before b.
    template <typename T, typename Before>
    static void Sort(std::vector<T>& items, Before bBefore) {
        std::size_t gap = items.size();
        while (gap > 1) {
            gap /= 2;
            bool bExchanged = true;
            while (bExchanged) {
                bExchanged = false;
                for (std::size_t i = 0; i + gap < items.size(); ++i) {
                    if (bBefore(items[i + gap], items[i])) {
                        std::swap(items[i], items[i + gap]);
                        bExchanged = true;
                    }
                }
            }
        }
    }
};

}  // namespace brumalis
