// Writer of the EDI text database format. Callers walk their own storage
// and hand the writer tables and values; numbers never depend on the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objectstore/metadata.h"
#include "objectstore/streams.h"
#include "objectstore/values.h"

namespace brumalis {

class CTEdiWriter {
public:
    explicit CTEdiWriter(CTStream& out) : v_out(out) {}
    ~CTEdiWriter() = default;
    CTEdiWriter(const CTEdiWriter&) = delete;
    CTEdiWriter& operator=(const CTEdiWriter&) = delete;

    void WriteSignature(std::string_view szSignature);
    // Tables in class-ID order; every table, with or without records.
    void WriteStructure(const std::vector<const CTTableInfo*>& tables);

    void BeginRecords(std::int32_t nClsID, std::int32_t nCount, std::int32_t nLargestID);
    // The values of one record, in field order, then EndRecord.
    void WriteValue(const TFieldValue& value);
    void WriteBoolean(bool b);
    void WriteInteger(std::int32_t n);
    void WriteDouble(FieldType type, double d);  // Double or DateTime
    void WriteCurrency(std::int64_t nTenThousandths);
    void WriteBytes(FieldType type, std::string_view bytes);  // Binary or UnicodeString
    void WriteGuid(const TGUID& guid);
    void EndRecord();
    void EndRecords();

    void WriteExtendedStructure(const std::vector<const CTTableInfo*>& tables);

    // Hands everything buffered to the stream; raises CTStreamError when the
    // stream does not take it all.
    void Flush();

    // Backslash and every byte below 32 as a backslash and two capital hex digits.
    static std::string SafeString(std::string_view bytes);

private:
    void AppendCounted(std::string_view bytes);
    void AppendExtendedField(const CTFieldInfo& field);
    void EndLine();

    CTStream& v_out;
    std::string v_buffer;
};

}  // namespace brumalis
