// The engine-neutral in-memory form of an EDI database: the tables the file
// declares, with their field descriptors, and their rows of typed values.
// With no schema known in advance the file's own structure is the schema, so
// a file this writer produced reads and writes back byte for byte.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "objectstore/base_factory.h"
#include "objectstore/edi_reader.h"

namespace brumalis {

struct TEdiTableData {
    std::int32_t nLargestID = 0;
    std::vector<std::vector<TFieldValue>> rows;  // in file order
    std::unordered_set<std::int32_t> ids;
};

// Registers a table as a file declares it (fields of the file's types, in its
// order) in database nDbID of the schema, and matches the fields by position.
TEdiTableMatch RegisterFileTable(CTSchema& schema, const TEdiFileTable& fileTable, std::int32_t nDbID);

// Registers in the schema, as database nDbID, every table an EDI text
// (no container) declares; the records are skipped.
void ReadFileSchema(CTStream& stream, CTBaseFactory& factory, std::int32_t nDbID);

class CTEdiDatabase : public CTEdiSink {
public:

    // The format of the program's databases: "EDI", version 1.00 only.
    CTEdiDatabase() : v_factory("EDI", 100, 100) {}

    // Reads a whole EDI text (no container), extended section included.
    void Read(CTStream& stream);
    // Writes the whole database as an EDI text (no container).
    void Write(CTStream& stream) const;

    const CTBaseFactory& Factory() const { return v_factory; }
    std::vector<const CTTableInfo*> Tables() const;
    const TEdiTableData& Data(const CTTableInfo& table) const;

    TEdiTableMatch ResolveTable(const TEdiFileTable& fileTable, const CTMappingTable* pNameMapping) override;
    bool AddRecord(CTTableInfo& table, std::vector<TFieldValue>& values) override;
    void NoteLargestID(CTTableInfo& table, std::int32_t nLargestID) override;

private:
    CTBaseFactory v_factory;
    std::map<std::int32_t, TEdiTableData> v_data;
};

}  // namespace brumalis
