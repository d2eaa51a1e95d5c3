#include "objectstore/value_list.h"

#include <cstring>
#include <utility>

#include "objectstore/db_exception.h"
#include "objectstore/edi_writer.h"

namespace brumalis {

namespace {

bool IsHeapType(FieldType type) {
    return type == FieldType::Binary || type == FieldType::Guid || type == FieldType::UnicodeString;
}

std::string GuidBytes(const TGUID& guid) {
    return std::string(reinterpret_cast<const char*>(guid.bytes.data()), guid.bytes.size());
}

}  // namespace

CTValueList::CTValueList(const std::vector<CTFieldInfo*>& model, bool bNoInitValues)
    : v_model(&model), v_slots(new Slot[model.size()]) {
    for (int i = 0; i < Count(); ++i) InitSlot(i, !bNoInitValues);
}

CTValueList::~CTValueList() { Release(); }

CTValueList::CTValueList(const CTValueList& other) : v_model(other.v_model), v_slots(nullptr) { CopyFrom(other); }

CTValueList& CTValueList::operator=(const CTValueList& other) {
    if (this != &other) {
        Release();
        v_model = other.v_model;
        CopyFrom(other);
    }
    return *this;
}

CTValueList::CTValueList(CTValueList&& other) noexcept
    : v_model(other.v_model), v_slots(std::exchange(other.v_slots, nullptr)) {}

CTValueList& CTValueList::operator=(CTValueList&& other) noexcept {
    if (this != &other) {
        Release();
        v_model = other.v_model;
        v_slots = std::exchange(other.v_slots, nullptr);
    }
    return *this;
}

void CTValueList::CopyFrom(const CTValueList& other) {
    v_slots = new Slot[other.Model().size()];
    for (int i = 0; i < Count(); ++i) {
        v_slots[i] = other.v_slots[i];
        if (IsHeap(i)) v_slots[i].p = new std::string(*other.v_slots[i].p);
    }
}

void CTValueList::Release() {
    if (!v_slots) return;
    for (int i = 0; i < Count(); ++i) {
        if (IsHeap(i)) delete v_slots[i].p;
    }
    delete[] v_slots;
    v_slots = nullptr;
}

FieldType CTValueList::TypeAt(int nIx) const {
    const CTFieldInfo* pField = (*v_model)[static_cast<std::size_t>(nIx)];
    return pField ? pField->GetType() : FieldType::Integer;
}

bool CTValueList::IsHeap(int nIx) const { return IsHeapType(TypeAt(nIx)); }

void CTValueList::InitSlot(int nIx, bool bDefault) {
    Slot& slot = v_slots[nIx];
    const FieldType type = TypeAt(nIx);
    const CTFieldInfo* pField = (*v_model)[static_cast<std::size_t>(nIx)];
    if (IsHeapType(type)) {
        slot.p = new std::string(bDefault && pField && type != FieldType::Binary ? pField->GetDefaultValue().GetBytes()
                                                                                 : std::string());
        if (type == FieldType::Guid) slot.p->resize(16, '\0');
        return;
    }
    slot.n = 0;
    if (!bDefault || !pField) return;
    const TFieldValue& dft = pField->GetDefaultValue();
    if (type == FieldType::Double || type == FieldType::DateTime) {
        slot.d = dft.GetDouble();
    } else {
        slot.n = type == FieldType::Currency ? dft.GetCurrency() : dft.GetInteger();
    }
}

const CTValueList::Slot& CTValueList::At(int nIx, FieldType type) const {
    if (nIx < 0 || nIx >= Count() || TypeAt(nIx) != type) CTDbException::RaiseExc(excTypeError);
    return v_slots[nIx];
}

CTValueList::Slot& CTValueList::At(int nIx, FieldType type) {
    return const_cast<Slot&>(std::as_const(*this).At(nIx, type));
}

std::string& CTValueList::HeapAt(int nIx, FieldType type) { return *At(nIx, type).p; }

bool CTValueList::GetBooleanValue(int nIx) const { return At(nIx, FieldType::Boolean).n != 0; }
std::int32_t CTValueList::GetIntegerValue(int nIx) const {
    return static_cast<std::int32_t>(At(nIx, FieldType::Integer).n);
}
double CTValueList::GetDoubleValue(int nIx) const { return At(nIx, FieldType::Double).d; }
std::int64_t CTValueList::GetCurrencyValue(int nIx) const { return At(nIx, FieldType::Currency).n; }
double CTValueList::GetTDateTimeValue(int nIx) const { return At(nIx, FieldType::DateTime).d; }
const std::string& CTValueList::GetUnicodeStringValue(int nIx) const { return *At(nIx, FieldType::UnicodeString).p; }
const std::string& CTValueList::GetBinaryValue(int nIx) const { return *At(nIx, FieldType::Binary).p; }

TGUID CTValueList::GetTGUIDValue(int nIx) const {
    TGUID guid;
    std::memcpy(guid.bytes.data(), At(nIx, FieldType::Guid).p->data(), guid.bytes.size());
    return guid;
}

void CTValueList::GetRefValues(int nIx, std::int32_t& nClsID, std::int32_t& nObjID) const {
    nClsID = GetIntegerValue(nIx);
    nObjID = GetIntegerValue(nIx + 1);
}

void CTValueList::SetBooleanValue(int nIx, bool b) { At(nIx, FieldType::Boolean).n = b ? 1 : 0; }
void CTValueList::SetIntegerValue(int nIx, std::int32_t n) { At(nIx, FieldType::Integer).n = n; }
void CTValueList::SetDoubleValue(int nIx, double d) { At(nIx, FieldType::Double).d = d; }
void CTValueList::SetCurrencyValue(int nIx, std::int64_t n) { At(nIx, FieldType::Currency).n = n; }
void CTValueList::SetTDateTimeValue(int nIx, double d) { At(nIx, FieldType::DateTime).d = d; }
void CTValueList::SetTGUIDValue(int nIx, const TGUID& guid) { HeapAt(nIx, FieldType::Guid) = GuidBytes(guid); }
void CTValueList::SetUnicodeStringValue(int nIx, std::string_view szUtf8) {
    HeapAt(nIx, FieldType::UnicodeString).assign(szUtf8);
}
void CTValueList::SetBinaryValue(int nIx, std::string_view bytes) { HeapAt(nIx, FieldType::Binary).assign(bytes); }

TFieldValue CTValueList::GetValue(int nIx) const {
    switch (TypeAt(nIx)) {
        case FieldType::Boolean: return TFieldValue::Boolean(GetBooleanValue(nIx));
        case FieldType::Integer: return TFieldValue::Integer(GetIntegerValue(nIx));
        case FieldType::Double: return TFieldValue::Double(GetDoubleValue(nIx));
        case FieldType::Currency: return TFieldValue::Currency(GetCurrencyValue(nIx));
        case FieldType::DateTime: return TFieldValue::DateTime(GetTDateTimeValue(nIx));
        case FieldType::Binary: return TFieldValue::Binary(GetBinaryValue(nIx));
        case FieldType::Guid: return TFieldValue::Guid(GetTGUIDValue(nIx));
        case FieldType::UnicodeString: return TFieldValue::UnicodeString(GetUnicodeStringValue(nIx));
    }
    return TFieldValue();
}

void CTValueList::SetValue(int nIx, const TFieldValue& value) {
    switch (value.Type()) {
        case FieldType::Boolean: SetBooleanValue(nIx, value.GetBoolean()); return;
        case FieldType::Integer: SetIntegerValue(nIx, value.GetInteger()); return;
        case FieldType::Double: SetDoubleValue(nIx, value.GetDouble()); return;
        case FieldType::Currency: SetCurrencyValue(nIx, value.GetCurrency()); return;
        case FieldType::DateTime: SetTDateTimeValue(nIx, value.GetDouble()); return;
        case FieldType::Binary: SetBinaryValue(nIx, value.GetBytes()); return;
        case FieldType::Guid: SetTGUIDValue(nIx, value.GetGuid()); return;
        case FieldType::UnicodeString: SetUnicodeStringValue(nIx, value.GetBytes()); return;
    }
}

void CTValueList::CopyValues(const CTValueList& from, int nFromIx, bool bAlsoRelations, bool bBinariesAlso) {
    int nLast = Count();
    if (&from.Model() != &Model()) {
        nLast = std::min(Count(), from.Count());
        for (int i = 0; i < nLast; ++i) {
            if (TypeAt(i) != from.TypeAt(i)) return;
        }
    }
    for (int i = std::max(nFromIx, 0); i < nLast; ++i) {
        const CTFieldInfo* pField = Model()[static_cast<std::size_t>(i)];
        if (!bAlsoRelations && pField && pField->GetReferenceTo()) {
            ++i;  // the record-ID slot of the pair goes with it
            continue;
        }
        const FieldType type = TypeAt(i);
        if (type == FieldType::Binary && !bBinariesAlso) continue;
        if (IsHeapType(type)) {
            *v_slots[i].p = *from.v_slots[i].p;
        } else {
            v_slots[i] = from.v_slots[i];
        }
    }
}

void CTValueList::WriteTo(CTEdiWriter& writer) const {
    for (int i = 0; i < Count(); ++i) {
        const FieldType type = TypeAt(i);
        switch (type) {
            case FieldType::Boolean: writer.WriteBoolean(v_slots[i].n != 0); break;
            case FieldType::Integer: writer.WriteInteger(static_cast<std::int32_t>(v_slots[i].n)); break;
            case FieldType::Double:
            case FieldType::DateTime: writer.WriteDouble(type, v_slots[i].d); break;
            case FieldType::Currency: writer.WriteCurrency(v_slots[i].n); break;
            case FieldType::Binary:
            case FieldType::UnicodeString: writer.WriteBytes(type, *v_slots[i].p); break;
            case FieldType::Guid: writer.WriteGuid(GetTGUIDValue(i)); break;
        }
    }
    writer.EndRecord();
}

}  // namespace brumalis
