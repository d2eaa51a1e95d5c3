// The field values of one record, shaped by its table's field descriptors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objectstore/metadata.h"
#include "objectstore/values.h"

namespace brumalis {

class CTEdiWriter;

// One 8-byte slot per field. Booleans, integers, doubles, currencies and
// dates live in the slot itself (no separate cell to allocate and free);
// texts, binaries and GUIDs own a heap string. Records are created in great
// numbers when a catalogue loads, so a value list is two pointers and an
// array of slots.
class CTValueList {
public:
    // Every slot gets its field's default unless bNoInitValues.
    explicit CTValueList(const std::vector<CTFieldInfo*>& model, bool bNoInitValues = false);
    ~CTValueList();
    CTValueList(const CTValueList& other);
    CTValueList& operator=(const CTValueList& other);
    CTValueList(CTValueList&& other) noexcept;
    CTValueList& operator=(CTValueList&& other) noexcept;

    const std::vector<CTFieldInfo*>& Model() const { return *v_model; }
    int Count() const { return static_cast<int>(v_model->size()); }
    FieldType TypeAt(int nIx) const;

    bool GetBooleanValue(int nIx) const;
    std::int32_t GetIntegerValue(int nIx) const;
    double GetDoubleValue(int nIx) const;
    std::int64_t GetCurrencyValue(int nIx) const;
    double GetTDateTimeValue(int nIx) const;
    TGUID GetTGUIDValue(int nIx) const;
    const std::string& GetUnicodeStringValue(int nIx) const;  // UTF-8
    const std::string& GetBinaryValue(int nIx) const;
    void GetRefValues(int nIx, std::int32_t& nClsID, std::int32_t& nObjID) const;

    void SetBooleanValue(int nIx, bool b);
    void SetIntegerValue(int nIx, std::int32_t n);
    void SetDoubleValue(int nIx, double d);
    void SetCurrencyValue(int nIx, std::int64_t n);
    void SetTDateTimeValue(int nIx, double d);
    void SetTGUIDValue(int nIx, const TGUID& guid);
    void SetUnicodeStringValue(int nIx, std::string_view szUtf8);
    void SetBinaryValue(int nIx, std::string_view bytes);

    // Any value as a typed value, and back; the type must match the field's.
    TFieldValue GetValue(int nIx) const;
    void SetValue(int nIx, const TFieldValue& value);

    // Copies slots nFromIx..last. Between different models only the common
    // leading fields, and only when all their types agree; reference fields
    // (and the slot after them) only with bAlsoRelations; binaries only with
    // bBinariesAlso.
    void CopyValues(const CTValueList& from, int nFromIx, bool bAlsoRelations, bool bBinariesAlso);

    // The values of one record line.
    void WriteTo(CTEdiWriter& writer) const;

private:
    union Slot {
        std::int64_t n;
        double d;
        std::string* p;
    };

    bool IsHeap(int nIx) const;
    const Slot& At(int nIx, FieldType type) const;
    Slot& At(int nIx, FieldType type);
    std::string& HeapAt(int nIx, FieldType type);
    void InitSlot(int nIx, bool bDefault);
    void Release();
    void CopyFrom(const CTValueList& other);

    const std::vector<CTFieldInfo*>* v_model;
    Slot* v_slots;
};

}  // namespace brumalis
