#include "objectstore/edi_database.h"

#include <algorithm>

#include "objectstore/edi_writer.h"

namespace brumalis {

namespace {

// A field as declared by the file, before the extended section gives its default.
std::unique_ptr<CTFieldInfo> FieldOfFileType(const TEdiFileField& field) {
    switch (field.nTypeCode) {
        case 0: return CTFieldInfo::CreateBoolean(field.szName, false);
        case 2: return CTFieldInfo::CreateInteger(field.szName, 0);
        case 4: return CTFieldInfo::CreateDouble(field.szName, 0);
        case 6: return CTFieldInfo::CreateCurrency(field.szName, 0);
        case 7: return CTFieldInfo::CreateTDateTime(field.szName, 0);
        case 8: return CTFieldInfo::CreateBinary(field.szName);
        case 9: return CTFieldInfo::CreateTGUID(field.szName);
        default: return CTFieldInfo::CreateUnicodeString(field.szName, std::string(), false);  // 5 and 10
    }
}

// Class IDs index the table list; a file may not make it grow without bound.
constexpr std::int32_t kMaxFileClassID = 65535;

// Collects the declared tables and lets the reader skip every record.
class SchemaOnlySink : public CTEdiSink {
public:
    SchemaOnlySink(CTSchema& schema, std::int32_t nDbID) : v_schema(schema), v_dbID(nDbID) {}
    TEdiTableMatch ResolveTable(const TEdiFileTable& fileTable, const CTMappingTable*) override {
        RegisterFileTable(v_schema, fileTable, v_dbID);
        return {};
    }
    bool AddRecord(CTTableInfo&, std::vector<TFieldValue>&) override { return true; }
    void NoteLargestID(CTTableInfo&, std::int32_t) override {}

private:
    CTSchema& v_schema;
    std::int32_t v_dbID;
};

}  // namespace

TEdiTableMatch RegisterFileTable(CTSchema& schema, const TEdiFileTable& fileTable, std::int32_t nDbID) {
    // The file's own declaration is the schema: fields match by position.
    if (fileTable.nFileID > kMaxFileClassID) {
        throw CTEdiFormatError("Class ID " + std::to_string(fileTable.nFileID) + " of table " + fileTable.szName +
                               " is out of range");
    }
    std::string szModel = fileTable.szName;
    if (szModel.rfind("Tbl_", 0) == 0) szModel.erase(0, 4);
    auto pTable = std::make_unique<CTTableInfo>(fileTable.nFileID, nDbID, std::move(szModel), -1, false, false);
    pTable->SetTableName(fileTable.szName);
    TEdiTableMatch match;
    for (const TEdiFileField& field : fileTable.fields) {
        const int ix = pTable->FieldCount();
        pTable->AddFieldInfo(ix, FieldOfFileType(field));
        match.fieldIx.push_back(ix);
    }
    match.pTable = &schema.RegisterTable(std::move(pTable));
    return match;
}

void ReadFileSchema(CTStream& stream, CTBaseFactory& factory, std::int32_t nDbID) {
    CTStreamIO io(stream);
    SchemaOnlySink sink(factory, nDbID);
    ReadEdi(io, factory, sink);
}

void CTEdiDatabase::Read(CTStream& stream) {
    CTStreamIO io(stream);
    TEdiReadOptions options;
    options.pExtendedTarget = &v_factory;
    ReadEdi(io, v_factory, *this, options);
}

void CTEdiDatabase::Write(CTStream& stream) const {
    CTEdiWriter writer(stream);
    const std::vector<const CTTableInfo*> tables = Tables();
    writer.WriteSignature(v_factory.GetSignature());
    writer.WriteStructure(tables);
    for (const CTTableInfo* pTable : tables) {
        const TEdiTableData& data = Data(*pTable);
        if (data.rows.empty()) continue;
        writer.BeginRecords(pTable->GetTableIndex(), static_cast<std::int32_t>(data.rows.size()), data.nLargestID);
        for (const auto& row : data.rows) {
            for (const TFieldValue& value : row) writer.WriteValue(value);
            writer.EndRecord();
        }
    }
    writer.EndRecords();
    writer.WriteExtendedStructure(tables);
    writer.Flush();
}

std::vector<const CTTableInfo*> CTEdiDatabase::Tables() const {
    const std::vector<CTTableInfo*> tables = v_factory.Tables();
    return {tables.begin(), tables.end()};
}

const TEdiTableData& CTEdiDatabase::Data(const CTTableInfo& table) const {
    static const TEdiTableData kEmpty;
    const auto it = v_data.find(table.GetTableIndex());
    return it == v_data.end() ? kEmpty : it->second;
}

TEdiTableMatch CTEdiDatabase::ResolveTable(const TEdiFileTable& fileTable, const CTMappingTable*) {
    v_data[fileTable.nFileID];
    return RegisterFileTable(v_factory, fileTable, 0);
}

bool CTEdiDatabase::AddRecord(CTTableInfo& table, std::vector<TFieldValue>& values) {
    TEdiTableData& data = v_data[table.GetTableIndex()];
    const std::int32_t nID = RecordID(values);
    if (!data.ids.insert(nID).second) return false;
    data.rows.push_back(std::move(values));
    return true;
}

void CTEdiDatabase::NoteLargestID(CTTableInfo& table, std::int32_t nLargestID) {
    TEdiTableData& data = v_data[table.GetTableIndex()];
    data.nLargestID = std::max(data.nLargestID, nLargestID);
}

}  // namespace brumalis
