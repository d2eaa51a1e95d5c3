// What every catalogue, price, project and picture record class shares: the
// typed accessors generated from one field list per class, and the typed
// reference and reverse-link lookups.
//
// A record class lists its own fields once, as
//     #define Cls_X_FIELDS(X, C) X(C, Kind, Index, StoredName, Accessor, Default) ...
// and that list produces the field-index constants and accessors in the class
// (BRUMALIS_FIELD_ACCESSORS), the field descriptors in Initialize
// (BRUMALIS_FIELD_INFO) and the out-of-line reference getters
// (BRUMALIS_REFERENCE_GETTER), so index, name, type and default cannot drift
// apart. Kinds: Boolean, Integer, Double, String, Translated (multilingual),
// Description (the multilingual description), Name and TranslatedName (the
// record name), Deleted (the withdrawn flag), Binary, and Reference (a
// CLS_REF/OBJ_REF pair; its "default" is the referenced record class).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objectstore/db_object.h"
#include "objectstore/metadata.h"
#include "objectstore/streams.h"

namespace brumalis {

template <class T>
using CTRecordList = std::vector<std::unique_ptr<T>>;

// The object as T, or none when it is of another class (it is freed then).
template <class T>
std::unique_ptr<T> RecordAs(std::unique_ptr<CTDbObject> pObj) {
    if (T* pTyped = dynamic_cast<T*>(pObj.get())) {
        pObj.release();
        return std::unique_ptr<T>(pTyped);
    }
    return nullptr;
}

template <class T>
CTRecordList<T> RecordsAs(CTObjectList list) {
    CTRecordList<T> typed;
    typed.reserve(list.size());
    for (auto& pObj : list) {
        if (auto p = RecordAs<T>(std::move(pObj))) typed.push_back(std::move(p));
    }
    return typed;
}

// The record a reference pair names, or none for a zero pair, a record that
// no longer exists or a database that is not connected.
std::unique_ptr<CTDbObject> ReferencedRecord(const CTDbObject& obj, int nClsRefIx);
// The records of class nClsID whose pair at nFieldIx names obj; empty for a
// record that is not stored (nothing can refer to it yet).
CTObjectList ReferencingRecords(const CTDbObject& obj, std::int32_t nClsID, int nFieldIx);
std::unique_ptr<CTDbObject> ReferencingRecord(const CTDbObject& obj, std::int32_t nClsID, int nFieldIx);

template <class T>
std::unique_ptr<T> ReferencedRecordAs(const CTDbObject& obj, int nClsRefIx) {
    return RecordAs<T>(ReferencedRecord(obj, nClsRefIx));
}
template <class T>
CTRecordList<T> RelatedRecords(const CTDbObject& obj, int nFieldIx) {
    return RecordsAs<T>(ReferencingRecords(obj, T::kClassID, nFieldIx));
}
template <class T>
std::unique_ptr<T> SingleRelatedRecord(const CTDbObject& obj, int nFieldIx) {
    return RecordAs<T>(ReferencingRecord(obj, T::kClassID, nFieldIx));
}

// Class ID, the constructor the factory uses, the one derived classes use,
// and the field declaration.
#define BRUMALIS_RECORD_CLASS(Cls, Base, ClassID)                                                   \
public:                                                                                             \
    static constexpr std::int32_t kClassID = ClassID;                                               \
    explicit Cls(std::int32_t nObjID = 0, CTBaseFactory* pFactory = nullptr)                        \
        : Base(kClassID, nObjID, pFactory) {}                                                       \
    static void Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName);                 \
                                                                                                    \
protected:                                                                                          \
    Cls(std::int32_t nClsID, std::int32_t nObjID, CTBaseFactory* pFactory) : Base(nClsID, nObjID, pFactory) {}

#define BRUMALIS_FIELD_ACCESSORS(C, Kind, Ix, Stored, Name, Default) \
    static constexpr int fld##Name = Ix;                             \
    BRUMALIS_ACCESSORS_##Kind(Ix, Name, Default)

#define BRUMALIS_SCALAR_ACCESSORS(Ix, Name, Type, Stored)                                   \
    Type Get##Name() const { return Values().Get##Stored##Value(Ix); }                      \
    void Set##Name(Type val) { Values().Set##Stored##Value(Ix, val); }                      \
    bool Chk##Name(const CTEditingForm*) const { return true; }

#define BRUMALIS_ACCESSORS_Boolean(Ix, Name, Default) BRUMALIS_SCALAR_ACCESSORS(Ix, Name, bool, Boolean)
#define BRUMALIS_ACCESSORS_Integer(Ix, Name, Default) BRUMALIS_SCALAR_ACCESSORS(Ix, Name, std::int32_t, Integer)
#define BRUMALIS_ACCESSORS_Double(Ix, Name, Default) BRUMALIS_SCALAR_ACCESSORS(Ix, Name, double, Double)
#define BRUMALIS_ACCESSORS_Deleted(Ix, Name, Default)                                    \
    bool Get##Name() const override { return Values().GetBooleanValue(Ix); }             \
    void Set##Name(bool val) override { Values().SetBooleanValue(Ix, val); }
#define BRUMALIS_ACCESSORS_String(Ix, Name, Default)                                                \
    const std::string& Get##Name() const { return Values().GetUnicodeStringValue(Ix); }             \
    void Set##Name(std::string_view val) { Values().SetUnicodeStringValue(Ix, val); }               \
    bool Chk##Name(const CTEditingForm*) const { return true; }
#define BRUMALIS_ACCESSORS_Translated(Ix, Name, Default)                                            \
    std::string Get##Name() const { return GetTranslatedStringValue(Ix); }                          \
    void Set##Name(std::string_view val) { Values().SetUnicodeStringValue(Ix, val); }               \
    bool Chk##Name(const CTEditingForm* pRsc) const { return CTDbObject::ChkDescription(pRsc); }
#define BRUMALIS_ACCESSORS_Description(Ix, Name, Default)                                           \
    std::string Get##Name() const override { return GetTranslatedStringValue(Ix); }                 \
    void Set##Name(std::string_view val) override { Values().SetUnicodeStringValue(Ix, val); }
#define BRUMALIS_ACCESSORS_Name(Ix, Name, Default)                                                  \
    std::string Get##Name() const override { return Values().GetUnicodeStringValue(Ix); }           \
    void Set##Name(std::string_view val) override { Values().SetUnicodeStringValue(Ix, val); }
#define BRUMALIS_ACCESSORS_TranslatedName(Ix, Name, Default)                                        \
    std::string Get##Name() const override { return GetTranslatedStringValue(Ix); }                 \
    void Set##Name(std::string_view val) override { Values().SetUnicodeStringValue(Ix, val); }
#define BRUMALIS_ACCESSORS_Binary(Ix, Name, Default)                                                \
    bool Get##Name(CTStream& stream) const { return GetBinaryValue(Ix, stream); }                   \
    void Set##Name(CTStream* pStream) { SetBinaryValue(Ix, pStream); }                              \
    bool Chk##Name(const CTEditingForm*) const { return true; }
#define BRUMALIS_ACCESSORS_Reference(Ix, Name, Target)                                              \
    std::unique_ptr<Target> Get##Name() const;                                                      \
    void Set##Name(const CTDbObject* pObj) { SetRelationByIx(Ix, pObj); }                           \
    void Get##Name##_REF(std::int32_t& nClsID, std::int32_t& nObjID) const {                        \
        Values().GetRefValues(Ix, nClsID, nObjID);                                                  \
    }                                                                                               \
    void Drop##Name() { DropRelationByIx(Ix); }

#define BRUMALIS_FIELD_INFO(C, Kind, Ix, Stored, Name, Default) BRUMALIS_INFO_##Kind(Ix, Stored, Default)
#define BRUMALIS_INFO_Boolean(Ix, Stored, Default) tblInfo.AddFieldInfo(Ix, CTFieldInfo::CreateBoolean(#Stored, Default));
#define BRUMALIS_INFO_Deleted(Ix, Stored, Default) BRUMALIS_INFO_Boolean(Ix, Stored, Default)
#define BRUMALIS_INFO_Integer(Ix, Stored, Default) tblInfo.AddFieldInfo(Ix, CTFieldInfo::CreateInteger(#Stored, Default));
#define BRUMALIS_INFO_Double(Ix, Stored, Default) tblInfo.AddFieldInfo(Ix, CTFieldInfo::CreateDouble(#Stored, Default));
#define BRUMALIS_INFO_TEXT(Ix, Stored, Default, bMultilingual, bNameField) \
    tblInfo.AddFieldInfo(Ix, CTFieldInfo::CreateUnicodeString(#Stored, Default, bMultilingual), bNameField);
#define BRUMALIS_INFO_String(Ix, Stored, Default) BRUMALIS_INFO_TEXT(Ix, Stored, Default, false, false)
#define BRUMALIS_INFO_Translated(Ix, Stored, Default) BRUMALIS_INFO_TEXT(Ix, Stored, Default, true, false)
#define BRUMALIS_INFO_Description(Ix, Stored, Default) BRUMALIS_INFO_TEXT(Ix, Stored, Default, true, false)
#define BRUMALIS_INFO_Name(Ix, Stored, Default) BRUMALIS_INFO_TEXT(Ix, Stored, Default, false, true)
#define BRUMALIS_INFO_TranslatedName(Ix, Stored, Default) BRUMALIS_INFO_TEXT(Ix, Stored, Default, true, true)
#define BRUMALIS_INFO_Binary(Ix, Stored, Default) tblInfo.AddFieldInfo(Ix, CTFieldInfo::CreateBinary(#Stored));
#define BRUMALIS_INFO_Reference(Ix, Stored, Target)                                        \
    tblInfo.AddFieldInfo(Ix, CTFieldInfo::CreateInteger(#Stored "_CLS_REF", 0));           \
    tblInfo.AddFieldInfo(Ix + 1, CTFieldInfo::CreateInteger(#Stored "_OBJ_REF", 0));

#define BRUMALIS_REFERENCE_GETTER(C, Kind, Ix, Stored, Name, Default) BRUMALIS_GETTER_##Kind(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Boolean(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Deleted(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Integer(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Double(C, Ix, Name, Default)
#define BRUMALIS_GETTER_String(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Translated(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Description(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Name(C, Ix, Name, Default)
#define BRUMALIS_GETTER_TranslatedName(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Binary(C, Ix, Name, Default)
#define BRUMALIS_GETTER_Reference(C, Ix, Name, Target) \
    std::unique_ptr<Target> C::Get##Name() const { return ReferencedRecordAs<Target>(*this, Ix); }

}  // namespace brumalis
