#include "tools/brumalis-edi/commands.h"

#include "catalogue/catalogue_schema.h"
#include "platform/resources.h"
#include "catalogue/records.h"
#include "objectstore/compressed_container.h"
#include "objectstore/edi_database.h"
#include "objectstore/edi_numbers.h"
#include "objectstore/edi_writer.h"
#include "objectstore/mem_engine.h"
#include "objectstore/store_lock.h"

#include <chrono>
#include <iomanip>

namespace brumalis::edi_tool {

namespace {

// The container settings of the program's data files.
const TCompressionSettings kDataFileSettings{true, "QXZ"};

// Writes the output atomically: the previous file survives any failure.
template <typename WriteFn>
void SaveFile(const std::string& szOut, WriteFn write) {
    CTAtomicFileStream out(szOut);
    write(out);
    out.Commit();
}

struct LoadedDatabase {
    CTEdiDatabase database;
    bool bCompressed = false;
};

// The payload of a data file, expanded when it is a container.
std::string ReadPayload(const std::string& szIn) {
    CTMyFileStream raw(szIn, CTMyFileStream::Mode::OpenReadDenyWrite);
    const std::unique_ptr<CTStream> payload = OpenContainerPayload(raw, kDataFileSettings);
    return ReadWholeStream(*payload);
}

void LoadDatabase(const std::string& szIn, LoadedDatabase& loaded) {
    CTMyFileStream raw(szIn, CTMyFileStream::Mode::OpenReadDenyWrite);
    loaded.bCompressed = HasContainerSignature(raw, kDataFileSettings.szSignature);
    raw.Seek(0, SeekOrigin::Begin);
    std::unique_ptr<CTStream> payload = OpenContainerPayload(raw, kDataFileSettings);
    loaded.database.Read(*payload);
}

std::string Quoted(std::string_view bytes) {
    std::string s(1, '"');
    s += CTEdiWriter::SafeString(bytes);
    s += '"';
    return s;
}

std::string ValueText(const TFieldValue& value) {
    switch (value.Type()) {
        case FieldType::Boolean: return value.GetBoolean() ? "true" : "false";
        case FieldType::Integer: return std::to_string(value.GetInteger());
        case FieldType::Double:
        case FieldType::DateTime: return FormatEdiDouble(value.GetDouble());
        case FieldType::Currency: return FormatEdiDouble(static_cast<double>(value.GetCurrency()) / 10000.0);
        case FieldType::UnicodeString: return Quoted(value.GetBytes());
        case FieldType::Binary: return std::to_string(value.GetBytes().size()) + " bytes";
        case FieldType::Guid: return value.GetGuid().ToText();
    }
    return "?";
}

void DumpField(const CTFieldInfo& field, int ix, std::ostream& out) {
    out << "  " << ix << ' ' << field.GetName() << ": " << FieldTypeName(field.GetType()) << ", default "
        << ValueText(field.GetDefaultValue());
    if (field.GetMultilingual()) out << ", multilingual";
    if (const CTTableLink* pLink = field.GetReferenceTo()) {
        const TLinkFlags& f = pLink->Flags();
        out << ", link to class " << pLink->GetFromClsID() << (f.bRefIntegr ? " integrity" : "")
            << (f.bCascDel ? " cascade-delete" : "") << (f.bOneToOne ? " one-to-one" : "")
            << (f.bIsOrdered ? " ordered" : "");
    }
    out << '\n';
}

void DumpTable(const CTEdiDatabase& db, const CTTableInfo& table, std::ostream& out) {
    const TEdiTableData& data = db.Data(table);
    out << "table " << table.GetTableName() << " (class " << table.GetTableIndex() << ", parent "
        << table.GetParentID() << "): " << data.rows.size() << " records, largest ID " << data.nLargestID << '\n';
    const auto& fields = table.GetAllFieldInfo();
    for (std::size_t i = 0; i < fields.size(); ++i) DumpField(*fields[i], static_cast<int>(i), out);
    for (const auto& row : data.rows) {
        out << "  record";
        for (std::size_t i = 0; i < row.size(); ++i) out << ' ' << fields[i]->GetName() << '=' << ValueText(row[i]);
        out << '\n';
    }
}

}  // namespace

void Compress(const std::string& szIn, const std::string& szOut) {
    CTMyFileStream in(szIn, CTMyFileStream::Mode::OpenReadDenyWrite);
    SaveFile(szOut, [&](CTStream& out) {
        CTContainerWriter writer(out, kDataFileSettings);
        CopyStream(in, writer.Payload());
        writer.Finish();
    });
}

void Expand(const std::string& szIn, const std::string& szOut) {
    CTMyFileStream in(szIn, CTMyFileStream::Mode::OpenReadDenyWrite);
    if (!HasContainerSignature(in, kDataFileSettings.szSignature)) {
        throw CTToolError("not a compressed container (no \"" + kDataFileSettings.szSignature + "\" signature)");
    }
    SaveFile(szOut, [&](CTStream& out) { CTLZSSLogic::Expand(in, out); });
}

void Rewrite(const std::string& szIn, const std::string& szOut) {
    LoadedDatabase loaded;
    LoadDatabase(szIn, loaded);
    const TCompressionSettings settings{loaded.bCompressed, kDataFileSettings.szSignature};
    SaveFile(szOut, [&](CTStream& out) {
        CTContainerWriter writer(out, settings);
        loaded.database.Write(writer.Payload());
        writer.Finish();
    });
}

void Dump(const std::string& szIn, std::ostream& out) {
    LoadedDatabase loaded;
    LoadDatabase(szIn, loaded);
    out << szIn << ": " << (loaded.bCompressed ? "compressed " : "") << loaded.database.Factory().GetSignature()
        << " database\n";
    for (const CTTableInfo* pTable : loaded.database.Tables()) DumpTable(loaded.database, *pTable, out);
}

void Check(const std::string& szIn, std::ostream& out) {
    LoadedDatabase loaded;
    LoadDatabase(szIn, loaded);
    std::size_t nRecords = 0;
    const auto tables = loaded.database.Tables();
    for (const CTTableInfo* pTable : tables) nRecords += loaded.database.Data(*pTable).rows.size();
    out << szIn << ": OK, " << tables.size() << " tables, " << nRecords << " records\n";
}

}  // namespace brumalis::edi_tool

namespace brumalis::edi_tool {

void Stats(const std::string& szIn, std::ostream& out) {
    const std::string payload = ReadPayload(szIn);
    CTBaseFactory factory("EDI", 100, 100);
    factory.AddDatabase("File");
    CTByteViewStream schemaStream(payload);
    ReadFileSchema(schemaStream, factory, 0);
    factory.ResolveSchema();
    CTMemDbEngine engine(factory, "File", std::string(), false, 0);

    const auto start = std::chrono::steady_clock::now();
    CTByteViewStream in(payload);
    CTStreamIO io(in);
    engine.ReadFrom(io);
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;

    std::size_t nRecords = 0;
    for (const CTTableInfo* pTable : factory.Tables()) {
        const int n = engine.CountObjects(pTable->GetTableIndex());
        nRecords += static_cast<std::size_t>(n);
        out << std::left << std::setw(32) << pTable->GetTableName() << " class " << std::setw(5)
            << pTable->GetTableIndex() << " records " << std::setw(8) << n << " largest ID "
            << engine.LargestIssuedID(pTable->GetTableIndex()) << '\n';
    }
    out << factory.Tables().size() << " tables, " << nRecords << " records, " << payload.size()
        << " bytes of text loaded in " << std::fixed << std::setprecision(1) << elapsed.count() << " ms\n";
}

}  // namespace brumalis::edi_tool

namespace brumalis::edi_tool {

void Schema(const std::string& szOut) {
    const std::unique_ptr<CTFactory> pFactory = CreateCatalogueFactory();
    CTMemDbEngine engine(*pFactory, pFactory->GetLogicalName(dbDeviceDatabase), std::string(), false,
                         dbDeviceDatabase);
    SaveFile(szOut, [&](CTStream& out) { engine.WriteToStream(out); });
}

}  // namespace brumalis::edi_tool

namespace brumalis::edi_tool {

namespace {

// The container the program itself writes, for as long as the guard lives
// (the memory engine takes it from process-wide settings).
class CTProgramContainer {
public:
    CTProgramContainer()
        : v_bPrevious(CTMemDbEngine::UseCompression(kDataFileSettings.bUseCompression)),
          v_szPrevious(CTMemDbEngine::SetCompressionSignature(kDataFileSettings.szSignature)) {}
    ~CTProgramContainer() {
        CTMemDbEngine::UseCompression(v_bPrevious);
        CTMemDbEngine::SetCompressionSignature(v_szPrevious);
    }
    CTProgramContainer(const CTProgramContainer&) = delete;
    CTProgramContainer& operator=(const CTProgramContainer&) = delete;

private:
    bool v_bPrevious;
    std::string v_szPrevious;
};

CTObjectList CatalogueUnits(CTFactory& factory, const std::string& szCatalogue) {
    const std::string payload = ReadPayload(szCatalogue);
    CTMemDbEngine catalogue(factory, factory.GetLogicalName(dbDeviceDatabase), std::string(), false,
                            dbDeviceDatabase);
    CTByteViewStream in(payload);
    CTStreamIO io(in);
    catalogue.ReadFrom(io);
    return catalogue.AllObjects(Cls_ChOutdoorUnit::kClassID, {});
}

}  // namespace

void PriceTemplate(const std::string& szCatalogue, const std::string& szOut, std::ostream& out) {
    const std::unique_ptr<CTFactory> pFactory = CreateCatalogueFactory();
    const CTObjectList units = CatalogueUnits(*pFactory, szCatalogue);
    CTMemDbEngine prices(*pFactory, pFactory->GetLogicalName(dbPricingAndPrefs), std::string(), false,
                         dbPricingAndPrefs);
    const CTWriteLock lock;
    Cls_PriceAndPrefsFile header(0, pFactory.get());
    prices.InsertObject(header);
    for (const auto& pUnit : units) {
        Cls_PriceEntry entry(0, pFactory.get());
        entry.SetName(pUnit->GetName());
        entry.SetRefClsID(pUnit->TableIndex());
        entry.SetRefObjID(pUnit->GetID());
        prices.InsertObject(entry);
    }
    const CTProgramContainer container;
    SaveFile(szOut, [&](CTStream& file) { prices.WriteToStream(file); });
    out << szOut << ": 1 header, " << units.size() << " price entries\n";
}

}  // namespace brumalis::edi_tool

namespace brumalis::edi_tool {

void WriteBlob(const std::string& szName, const std::string& szOut) {
    const std::optional<std::string_view> bytes = platform::FindBlob(szName);
    if (!bytes) {
        std::string names;
        for (const std::string& name : platform::BlobNames()) names += (names.empty() ? "" : ", ") + name;
        throw CTToolError("no built-in data file of that name (this program holds: " + names + ")");
    }
    SaveFile(szOut, [&](CTStream& out) { out.WriteAll(*bytes); });
}

}  // namespace brumalis::edi_tool
