#include "objectstore/edi_writer.h"

#include "objectstore/edi_numbers.h"

namespace brumalis {

namespace {

constexpr std::size_t kFlushThreshold = 1 << 16;

void AppendTypeTag(std::string& out, FieldType type) {
    AppendEdiInteger(out, static_cast<int>(type));
    out += ' ';
}

}  // namespace

std::string CTEdiWriter::SafeString(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c == '\\') {
            out += '\\';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

void CTEdiWriter::AppendCounted(std::string_view bytes) {
    const std::string escaped = SafeString(bytes);
    AppendEdiInteger(v_buffer, static_cast<std::int64_t>(escaped.size()));
    v_buffer += ' ';
    v_buffer += escaped;
}

void CTEdiWriter::EndLine() {
    v_buffer += "\r\n";
    if (v_buffer.size() >= kFlushThreshold) Flush();
}

void CTEdiWriter::Flush() {
    if (v_buffer.empty()) return;
    v_out.WriteAll(v_buffer);
    v_buffer.clear();
}

void CTEdiWriter::WriteSignature(std::string_view szSignature) {
    v_buffer += szSignature;
    EndLine();
}

void CTEdiWriter::WriteStructure(const std::vector<const CTTableInfo*>& tables) {
    for (const CTTableInfo* pTable : tables) {
        v_buffer += "5 ";
        AppendCounted(pTable->GetTableName());
        v_buffer += ' ';
        AppendEdiInteger(v_buffer, pTable->GetTableIndex());
        EndLine();
        for (const CTFieldInfo* pField : pTable->GetAllFieldInfo()) {
            v_buffer += "5 ";
            AppendCounted(pField->GetName());
            v_buffer += ' ';
            AppendEdiInteger(v_buffer, static_cast<int>(pField->GetType()));
            EndLine();
        }
        v_buffer += '0';
        EndLine();
    }
    v_buffer += '0';
    EndLine();
}

void CTEdiWriter::BeginRecords(std::int32_t nClsID, std::int32_t nCount, std::int32_t nLargestID) {
    v_buffer += "2 ";
    AppendEdiInteger(v_buffer, nClsID);
    v_buffer += " 2 0 2 ";
    AppendEdiInteger(v_buffer, nCount);
    v_buffer += " 2 ";
    AppendEdiInteger(v_buffer, nLargestID);
    EndLine();
}

void CTEdiWriter::WriteValue(const TFieldValue& value) {
    switch (value.Type()) {
        case FieldType::Boolean: WriteBoolean(value.GetBoolean()); return;
        case FieldType::Integer: WriteInteger(value.GetInteger()); return;
        case FieldType::Double:
        case FieldType::DateTime: WriteDouble(value.Type(), value.GetDouble()); return;
        case FieldType::Currency: WriteCurrency(value.GetCurrency()); return;
        case FieldType::Binary:
        case FieldType::UnicodeString: WriteBytes(value.Type(), value.GetBytes()); return;
        case FieldType::Guid: WriteGuid(value.GetGuid()); return;
    }
}

void CTEdiWriter::WriteBoolean(bool b) {
    v_buffer += b ? "0 1 " : "0 0 ";
}

void CTEdiWriter::WriteInteger(std::int32_t n) {
    v_buffer += "2 ";
    AppendEdiInteger(v_buffer, n);
    v_buffer += ' ';
}

void CTEdiWriter::WriteDouble(FieldType type, double d) {
    AppendTypeTag(v_buffer, type);
    AppendEdiDouble(v_buffer, d);
    v_buffer += ' ';
}

void CTEdiWriter::WriteCurrency(std::int64_t nTenThousandths) {
    v_buffer += "6 ";
    AppendEdiDouble(v_buffer, static_cast<double>(nTenThousandths) / 10000.0);
    v_buffer += ' ';
}

void CTEdiWriter::WriteBytes(FieldType type, std::string_view bytes) {
    AppendTypeTag(v_buffer, type);
    AppendCounted(bytes);
    v_buffer += ' ';
}

void CTEdiWriter::WriteGuid(const TGUID& guid) {
    v_buffer += "9 ";
    AppendCounted(guid.ToText());
    v_buffer += ' ';
}

void CTEdiWriter::EndRecord() { EndLine(); }

void CTEdiWriter::EndRecords() {
    v_buffer += '0';
    EndLine();
}

void CTEdiWriter::WriteExtendedStructure(const std::vector<const CTTableInfo*>& tables) {
    for (const CTTableInfo* pTable : tables) {
        v_buffer += "2 ";
        AppendEdiInteger(v_buffer, pTable->GetTableIndex());
        v_buffer += " 2 ";
        AppendEdiInteger(v_buffer, pTable->GetParentID() < 0 ? -1 : pTable->GetParentID());
        EndLine();
        for (const CTFieldInfo* pField : pTable->GetAllFieldInfo()) AppendExtendedField(*pField);
        v_buffer += '0';
        EndLine();
    }
    v_buffer += '0';
    EndLine();
}

void CTEdiWriter::AppendExtendedField(const CTFieldInfo& field) {
    v_buffer += "2 ";
    AppendTypeTag(v_buffer, field.GetType());
    const TFieldValue& dft = field.GetDefaultValue();
    switch (field.GetType()) {
        case FieldType::Boolean: v_buffer += dft.GetBoolean() ? '1' : '0'; break;
        case FieldType::Integer: {
            AppendEdiInteger(v_buffer, dft.GetInteger());
            const CTTableLink* pLink = field.GetReferenceTo();
            v_buffer += pLink ? " 0 1 2 " : " 0 0";
            if (!pLink) break;
            const TLinkFlags& f = pLink->Flags();
            AppendEdiInteger(v_buffer, pLink->GetFromClsID());
            for (const bool b : {f.bRefIntegr, f.bCascDel, f.bOneToOne, f.bIsOrdered}) v_buffer += b ? " 0 1" : " 0 0";
            break;
        }
        case FieldType::Double:
        case FieldType::DateTime: AppendEdiDouble(v_buffer, dft.GetDouble()); break;
        case FieldType::Currency: AppendEdiDouble(v_buffer, static_cast<double>(dft.GetCurrency()) / 10000.0); break;
        case FieldType::UnicodeString:
            AppendCounted(dft.GetBytes());
            v_buffer += field.GetMultilingual() ? " 0 1" : " 0 0";
            break;
        case FieldType::Binary:
        case FieldType::Guid: break;
    }
    EndLine();
}

}  // namespace brumalis
