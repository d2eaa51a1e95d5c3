// Reader of the EDI text database format. The reader parses the file and
// converts every value to the type of the field it is stored into; where the
// records go is up to a sink (the memory engine, or the schema-free
// in-memory form of the data tools).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "objectstore/base_factory.h"
#include "objectstore/metadata.h"
#include "objectstore/streams.h"
#include "objectstore/values.h"

namespace brumalis {

// A damaged or unacceptable file; the text says what and where.
class CTEdiFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TEdiFileField {
    std::string szName;
    int nTypeCode = 0;
};

// A table as the structure section of a file declares it.
struct TEdiFileTable {
    std::string szName;
    std::int32_t nFileID = 0;
    std::vector<TEdiFileField> fields;
};

// Where a file table's data goes: the target table (none: skip its records)
// and, per file field, the target field index (-1: drop the values).
struct TEdiTableMatch {
    CTTableInfo* pTable = nullptr;
    std::vector<int> fieldIx;
};

class CTEdiSink {
public:
    virtual ~CTEdiSink() = default;
    virtual TEdiTableMatch ResolveTable(const TEdiFileTable& fileTable, const CTMappingTable* pNameMapping) = 0;
    // values are in target field order, defaults where the file has none.
    // Answers false when a record with that ID is already there.
    virtual bool AddRecord(CTTableInfo& table, std::vector<TFieldValue>& values) = 0;
    // After each records block: the largest ID issued, at least every ID read.
    virtual void NoteLargestID(CTTableInfo& table, std::int32_t nLargestID) = 0;
};

// The usual match: the table by name ignoring case among the tables of
// database nDbID (an abstract table or one of another database is
// unmatched), else through the name mapping; fields likewise by name.
TEdiTableMatch MatchTableByName(const CTSchema& schema, std::int32_t nDbID, const TEdiFileTable& fileTable,
                                const CTMappingTable* pNameMapping);

struct TEdiReadOptions {
    const CTMappingTable* pNameMapping = nullptr;
    // When set, the extended structure section is read too and its parents,
    // defaults, links and multilingual flags are applied to the target tables.
    CTSchema* pExtendedTarget = nullptr;
};

// File class ID -> target table, for translating references after a load.
struct TEdiReadResult {
    std::vector<std::pair<std::int32_t, CTTableInfo*>> tableOfFileID;
};

// Reads a whole EDI text (no container) and feeds the sink. Raises
// CTEdiFormatError for everything the format does not allow.
TEdiReadResult ReadEdi(CTStreamIO& io, const CTBaseFactory& factory, CTEdiSink& sink,
                       const TEdiReadOptions& options = {});

// The ID of a record in target field order: its Integer field 0, else 0.
std::int32_t RecordID(const std::vector<TFieldValue>& values);

// Whether a value of file type code nFileType may be stored into a field.
bool IsCompatibleFileType(FieldType current, int nFileType);

}  // namespace brumalis
