#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "bench/edi_like_text.h"
#include "objectstore/edi_database.h"
#include "objectstore/edi_writer.h"

namespace brumalis {
namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string s;
    for (const std::string& line : lines) s += line + "\r\n";
    return s;
}

void ReadSchemaFree(const std::string& text, CTEdiDatabase& db) {
    CTMemoryStream in(text);
    db.Read(in);
}

std::string WriteSchemaFree(const CTEdiDatabase& db) {
    CTMemoryStream out;
    db.Write(out);
    return out.TakeData();
}

// A file with every field type, a link, a multilingual text, a parent and
// texts that need escapes: what the writer produces for it must be itself.
const std::string kSample = Lines({
    "EDI100",
    "5 8 Tbl_Base 3",
    "5 6 BAS_ID 2",
    "5 8 BAS_Name 10",
    "0",
    "5 16 Tbl_ChController 81",
    "5 6 CTL_ID 2",
    "5 8 CTL_Name 10",
    "5 11 CTL_Enabled 0",
    "5 9 CTL_Ratio 4",
    "5 9 CTL_Price 6",
    "5 9 CTL_Since 7",
    "5 9 CTL_Photo 8",
    "5 8 CTL_Guid 9",
    "0",
    "5 20 Tbl_ChControllerStep 86",
    "5 6 CST_ID 2",
    "5 22 CST_Controller_CLS_REF 2",
    "5 22 CST_Controller_OBJ_REF 2",
    "5 13 CST_StepOrder 2",
    "0",
    "0",
    "2 81 2 0 2 2 2 16",
    "2 15 10 5 Alpha 0 0 4 0.0005 6 12.5 7 45000.25 8 6 \\5C\\0A 9 38 {01234567-89AB-CDEF-0123-456789ABCDEF} ",
    "2 16 10 0  0 1 4 1E16 6 -3 7 0 8 0  9 38 {00000000-0000-0000-0000-000000000000} ",
    "2 86 2 0 2 1 2 9",
    "2 9 2 81 2 16 2 0 ",
    "0",
    "2 3 2 -1",
    "2 2 0 0 0",
    "2 10 7 Unnamed 0 1",
    "0",
    "2 81 2 3",
    "2 2 0 0 0",
    "2 10 0  0 1",
    "2 0 1",
    "2 4 2.5",
    "2 6 0",
    "2 7 0",
    "2 8 ",
    "2 9 ",
    "0",
    "2 86 2 -1",
    "2 2 0 0 0",
    "2 2 0 0 1 2 81 0 1 0 1 0 0 0 1",
    "2 2 0 0 0",
    "2 2 -1 0 0",
    "0",
    "0",
});

TEST(EdiSchemaFree, WrittenFileRewritesByteForByte) {
    CTEdiDatabase db;
    ReadSchemaFree(kSample, db);
    EXPECT_EQ(WriteSchemaFree(db), kSample);
}

TEST(EdiSchemaFree, GeneratedCatalogueLikeTextRewritesByteForByte) {
    std::size_t nRecords = 0;
    const std::string text = bench::MakeEdiLikeText(256 * 1024, &nRecords);
    CTEdiDatabase db;
    ReadSchemaFree(text, db);
    std::size_t nRead = 0;
    for (const CTTableInfo* pTable : db.Tables()) nRead += db.Data(*pTable).rows.size();
    EXPECT_EQ(nRead, nRecords);
    EXPECT_EQ(WriteSchemaFree(db), text);
}

// Hands the text out a few bytes per read, so that tokens straddle the
// reader's blocks wherever the chunk size puts them.
class CTTrickleStream final : public CTStream {
public:
    CTTrickleStream(std::string_view text, std::size_t nChunk) : v_text(text), v_chunk(nChunk) {}
    std::size_t Read(void* pBuffer, std::size_t nCount) override {
        const std::size_t n = std::min({nCount, v_chunk, v_text.size() - v_pos});
        std::memcpy(pBuffer, v_text.data() + v_pos, n);
        v_pos += n;
        return n;
    }
    std::size_t Write(const void*, std::size_t) override { return 0; }
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return -1; }

private:
    std::string_view v_text;
    std::size_t v_chunk;
    std::size_t v_pos = 0;
};

TEST(EdiSchemaFree, DecimalsReadTheSameWhereverTheBlocksEnd) {
    const std::string text = bench::MakeEdiLikeText(64 * 1024);
    for (std::size_t nChunk : {1, 2, 3, 7, 64, 65, 1000}) {
        CTEdiDatabase db;
        CTTrickleStream in(text, nChunk);
        db.Read(in);
        EXPECT_EQ(WriteSchemaFree(db), text) << "chunk " << nChunk;
    }
    // A decimal text is cut after 63 bytes; what follows is the next token.
    const std::string szLong(70, '1');
    const std::string damaged = Lines({"EDI100", "5 5 Tbl_X 50", "5 5 X_ID 2", "5 5 X_VAL 4", "0", "0",
                                       "2 50 2 1", "2 1 4 " + szLong, "0", "0"});
    for (std::size_t nChunk : {1, 5, 4096}) {
        CTEdiDatabase db;
        CTTrickleStream in(damaged, nChunk);
        EXPECT_THROW(db.Read(in), CTEdiFormatError) << "chunk " << nChunk;
    }
}

TEST(EdiSchemaFree, ValuesAndStructureArriveAsWritten) {
    CTEdiDatabase db;
    ReadSchemaFree(kSample, db);
    const CTTableInfo* pController = db.Factory().GetTableInfo(81);
    ASSERT_NE(pController, nullptr);
    EXPECT_EQ(pController->GetParentID(), 3);
    EXPECT_TRUE(pController->GetFieldInfo(1)->GetMultilingual());
    EXPECT_EQ(pController->GetFieldInfo(3)->GetDoubleDftValue(), 2.5);
    const auto& rows = db.Data(*pController).rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][4].GetCurrency(), 125000);
    EXPECT_EQ(rows[0][6].GetBytes(), "\\\n");
    EXPECT_EQ(rows[0][7].GetGuid().ToText(), "{01234567-89AB-CDEF-0123-456789ABCDEF}");
    EXPECT_EQ(rows[1][1].GetBytes(), "");
    EXPECT_EQ(db.Data(*pController).nLargestID, 16);

    const CTTableLink* pLink = db.Factory().GetTableInfo(86)->GetFieldInfo(1)->GetReferenceTo();
    ASSERT_NE(pLink, nullptr);
    EXPECT_EQ(pLink->GetFromClsID(), 81);
    EXPECT_TRUE(pLink->Flags().bRefIntegr);
    EXPECT_TRUE(pLink->Flags().bCascDel);
    EXPECT_FALSE(pLink->Flags().bOneToOne);
    EXPECT_TRUE(pLink->Flags().bIsOrdered);
}

TEST(EdiSchemaFree, MinimalFilesLoad) {
    CTEdiDatabase empty;
    ReadSchemaFree(Lines({"EDI100", "0", "0"}), empty);
    EXPECT_TRUE(empty.Tables().empty());

    CTEdiDatabase noExtended;
    ReadSchemaFree(Lines({"EDI100", "5 5 Tbl_T 1", "5 4 T_ID 2", "0", "0", "2 1 2 0 2 1 2 4", "2 4 ", "0"}),
                   noExtended);
    ASSERT_EQ(noExtended.Tables().size(), 1u);
    EXPECT_EQ(noExtended.Data(*noExtended.Tables()[0]).rows.size(), 1u);
}

TEST(EdiSchemaFree, ATextCutInsideTheExtendedSectionIsRefused) {
    const std::size_t nExtended = kSample.find("2 3 2 -1");  // the first table of the extended section
    ASSERT_NE(nExtended, std::string::npos);
    for (std::size_t nCut = nExtended + 1; nCut + 2 < kSample.size(); ++nCut) {
        CTEdiDatabase db;
        EXPECT_THROW(ReadSchemaFree(kSample.substr(0, nCut), db), CTEdiFormatError) << nCut;
    }
}

TEST(EdiSchemaFree, OldRecordHeaderTakesTheLargestIDFromTheRecords) {
    CTEdiDatabase db;
    ReadSchemaFree(Lines({"EDI100", "5 5 Tbl_T 1", "5 4 T_ID 2", "0", "0", "2 1 2 2", "2 4 ", "2 9 ", "0"}), db);
    EXPECT_EQ(db.Data(*db.Tables()[0]).nLargestID, 9);
}

TEST(EdiSignature, OnlyTheExactNameAndAcceptedVersionPass) {
    for (const char* sig : {"EDI099", "EDI101", "edi100", "EDI1000", "EDI10", "QXZ", "EDI1:0"}) {
        CTEdiDatabase db;
        EXPECT_THROW(ReadSchemaFree(Lines({sig, "0", "0"}), db), CTEdiFormatError) << sig;
    }
}

TEST(EdiWriter, EscapesAndCountsTextsAsStored) {
    CTMemoryStream out;
    CTEdiWriter writer(out);
    writer.WriteInteger(15);
    writer.WriteBytes(FieldType::UnicodeString, "\\\n");
    writer.WriteBytes(FieldType::UnicodeString, "");
    writer.WriteCurrency(125000);
    writer.WriteBoolean(false);
    writer.EndRecord();
    writer.Flush();
    EXPECT_EQ(out.Data(), "2 15 10 6 \\5C\\0A 10 0  6 12.5 0 0 \r\n");
}

// What a file must fail with; each input differs from a sound file in one place.
TEST(EdiDamage, MalformedFilesFailWithAMessage) {
    const std::string head = Lines({"EDI100", "5 5 Tbl_T 1", "5 4 T_ID 2", "5 5 T_Txt 10", "0", "0"});
    const std::pair<std::string, std::string> cases[] = {
        {head + Lines({"2 1 2 0 2 2 2 4", "2 4 10 1 a ", "2 4 10 1 b ", "0"}), "appears twice"},
        {head + Lines({"2 1 2 -3", "0"}), "Negative record count"},
        {head + Lines({"2 1 2 0 2 0 2 4", "0"}), "not positive"},
        {head + Lines({"7 1 2 1", "0"}), "Unexpected tag 7"},
        {head + Lines({"2 1 2 1", "2 4 3 1 a ", "0"}), "Unknown value tag 3"},
        {head + Lines({"2 1 2 1", "2 4 10 99 short"}), "end of data"},
        {head + Lines({"2 1 2 5", "2 4 10 1 a "}), "end of data"},
        {head + Lines({"2 1 2 1", "2 4 0 1 ", "0"}), "cannot be stored"},
        {head + Lines({"2 2 2 1", "2 4 ", "0"}), "does not list"},
        {Lines({"EDI100", "5 5 Tbl_T 1", "0", "5 5 Tbl_U 1", "0", "0"}), "appears twice"},
        {Lines({"EDI100", "5 5 Tbl_T -1", "0", "0"}), "Negative class ID"},
        {Lines({"EDI100", "5 5 Tbl_T 1", "5 4 T_ID 3", "0", "0"}), "Invalid type code 3"},
        {Lines({"EDI100", "5 5 Tbl_T 1", "5 4 T_ID 2", "0", "0", "0", "2 1 2 -1", "2 4 0", "0", "0"}),
         "does not match"},
        {Lines({"EDI100", "5 5 Tbl_T 99999999", "0", "0"}), "out of range"},
    };
    for (const auto& [text, expected] : cases) {
        CTEdiDatabase db;
        try {
            ReadSchemaFree(text, db);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const CTEdiFormatError& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
}

TEST(EdiDamage, EveryTruncationAndFlippedByteFailsCleanlyOrLoads) {
    for (std::size_t n = 0; n < kSample.size(); ++n) {
        CTEdiDatabase truncated;
        try {
            ReadSchemaFree(kSample.substr(0, n), truncated);
        } catch (const CTEdiFormatError&) {
        }
        std::string flipped = kSample;
        flipped[n] = static_cast<char>(flipped[n] ^ 0x5A);
        CTEdiDatabase damaged;
        try {
            ReadSchemaFree(flipped, damaged);
        } catch (const CTEdiFormatError&) {
        }
    }
}

// A sink over a fixed schema, as the memory engine uses the reader.
class SchemaSink : public CTEdiSink {
public:
    explicit SchemaSink(const CTSchema& schema) : v_schema(schema) {}
    TEdiTableMatch ResolveTable(const TEdiFileTable& fileTable, const CTMappingTable* pMapping) override {
        return MatchTableByName(v_schema, 0, fileTable, pMapping);
    }
    bool AddRecord(CTTableInfo& table, std::vector<TFieldValue>& values) override {
        rows[table.GetTableIndex()].push_back(values);
        return true;
    }
    void NoteLargestID(CTTableInfo&, std::int32_t) override {}
    std::map<std::int32_t, std::vector<std::vector<TFieldValue>>> rows;

private:
    const CTSchema& v_schema;
};

class EdiIntoSchema : public ::testing::Test {
protected:
    void SetUp() override {
        auto unit = std::make_unique<CTTableInfo>(40, 0, "ChOutdoorUnit", -1, false, false);
        unit->AddFieldInfo(0, CTFieldInfo::CreateInteger("OUT_ID", 0));
        unit->AddFieldInfo(1, CTFieldInfo::CreateDouble("OUT_CoolCap", 0));
        unit->AddFieldInfo(2, CTFieldInfo::CreateCurrency("OUT_Price", 0));
        unit->AddFieldInfo(3, CTFieldInfo::CreateUnicodeString("OUT_Name", "none", false));
        unit->AddFieldInfo(4, CTFieldInfo::CreateInteger("OUT_Steps", 0));
        unit->AddFieldInfo(5, CTFieldInfo::CreateTGUID("OUT_Guid"));
        factory.RegisterTable(std::move(unit));
        factory.RegisterTable(std::make_unique<CTTableInfo>(41, -1, "Abstract", -1, true, false))
            .AddFieldInfo(0, CTFieldInfo::CreateInteger("ABS_ID", 0));
        factory.RegisterTable(std::make_unique<CTTableInfo>(42, 2, "ProjectTable", -1, false, false))
            .AddFieldInfo(0, CTFieldInfo::CreateInteger("PRJ_ID", 0));
        factory.ResolveSchema();
    }

    SchemaSink Read(const std::string& text, const CTMappingTable* pMapping = nullptr) {
        SchemaSink sink(factory);
        CTMemoryStream in(text);
        CTStreamIO io(in);
        TEdiReadOptions options;
        options.pNameMapping = pMapping;
        ReadEdi(io, factory, sink, options);
        return sink;
    }

    CTBaseFactory factory{"EDI", 100, 100};
};

TEST_F(EdiIntoSchema, ValuesAreConvertedToTheCurrentFieldTypes) {
    const SchemaSink sink = Read(Lines({
        "EDI100", "5 17 tbl_choutdoorunit 7", "5 6 OUT_ID 2", "5 11 OUT_CoolCap 2", "5 9 OUT_Price 2",
        "5 8 OUT_Name 5", "5 9 OUT_Steps 4", "5 8 OUT_Guid 9", "5 9 OUT_Gone 4", "0", "0",
        "2 7 2 2", "2 1 2 5 2 7 5 4 caf\xE9 4 2.5 10 4 junk 4 1 ",
        "2 2 2 -1 6 1.25 5 1 \x80 7 -2.5 10 38 {01234567-89AB-CDEF-0123-456789ABCDEF} 4 0 ", "0"}));
    const auto& rows = sink.rows.at(40);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1].GetDouble(), 5.0);
    EXPECT_EQ(rows[0][2].GetCurrency(), 70000);
    EXPECT_EQ(rows[0][3].GetBytes(), "caf\xC3\xA9");
    EXPECT_EQ(rows[0][4].GetInteger(), 2);  // nearest, ties to even
    EXPECT_TRUE(rows[0][5].GetGuid().IsClear());
    EXPECT_EQ(rows[1][1].GetDouble(), -1.0);
    EXPECT_EQ(rows[1][2].GetCurrency(), 12500);
    EXPECT_EQ(rows[1][3].GetBytes(), "\xE2\x82\xAC");
    EXPECT_EQ(rows[1][4].GetInteger(), -2);
    EXPECT_EQ(rows[1][5].GetGuid().ToText(), "{01234567-89AB-CDEF-0123-456789ABCDEF}");
}

TEST_F(EdiIntoSchema, MissingFieldsKeepDefaultsAndForeignTablesAreSkipped) {
    const SchemaSink sink = Read(Lines({
        "EDI100", "5 17 Tbl_ChOutdoorUnit 40", "5 6 OUT_ID 2", "0", "5 12 Tbl_Abstract 41", "5 6 ABS_ID 2", "0",
        "5 16 Tbl_ProjectTable 42", "5 6 PRJ_ID 2", "0", "5 9 Tbl_Other 50", "5 5 X_ID 2", "0", "0",
        "2 41 2 1", "2 1 ", "2 42 2 1", "2 1 ", "2 50 2 2", "2 1 ", "2 2 ", "2 40 2 1", "2 3 ", "0"}));
    ASSERT_EQ(sink.rows.size(), 1u);
    const auto& row = sink.rows.at(40).at(0);
    EXPECT_EQ(row[0].GetInteger(), 3);
    EXPECT_EQ(row[3].GetBytes(), "none");
}

TEST_F(EdiIntoSchema, IncompatibleFieldTypeFailsTheLoad) {
    EXPECT_THROW(Read(Lines({"EDI100", "5 17 Tbl_ChOutdoorUnit 40", "5 6 OUT_ID 2", "5 8 OUT_Name 4", "0", "0",
                             "0"})),
                 CTEdiFormatError);
}

TEST_F(EdiIntoSchema, OldNamesAreFoundThroughTheNameMapping) {
    CTMappingTable mapping;
    CTMappingTable& fields = mapping.AddMapping("Tbl_Unit", "Tbl_ChOutdoorUnit").GetSubTable();
    fields.AddMapping("UNI_ID", "OUT_ID");
    fields.AddMapping("UNI_Cap", "OUT_CoolCap");
    const SchemaSink sink = Read(Lines({"EDI100", "5 8 Tbl_Unit 9", "5 6 UNI_ID 2", "5 7 UNI_Cap 4", "0", "0",
                                        "2 9 2 1", "2 8 4 12.5 ", "0"}),
                                 &mapping);
    const auto& row = sink.rows.at(40).at(0);
    EXPECT_EQ(row[0].GetInteger(), 8);
    EXPECT_EQ(row[1].GetDouble(), 12.5);
}

}  // namespace
}  // namespace brumalis
