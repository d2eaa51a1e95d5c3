#include <gtest/gtest.h>

#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "objectstore/compressed_container.h"
#include "objectstore/mem_engine.h"
#include "objectstore/store_lock.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

namespace fs = std::filesystem;

constexpr const char* kKey = "Software\\Orvane";

struct TEntry {
    std::int32_t nClsID;
    std::int32_t nObjID;
    std::string szName;
    double nCost = 0.0;
};

class Prices : public testing::CatalogueFixture {
protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        // The container settings the program starts with.
        v_bCompression = CTMemDbEngine::UseCompression(true);
        v_szSignature = CTMemDbEngine::SetCompressionSignature("QXZ");
        v_dir = fs::temp_directory_path() /
                ("brumalis_prices_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(v_dir);
    }
    void TearDown() override {
        Cls_PriceAndPrefsFile::UnloadFile();
        fs::remove_all(v_dir);
        CTMemDbEngine::UseCompression(v_bCompression);
        CTMemDbEngine::SetCompressionSignature(v_szSignature);
        CatalogueFixture::TearDown();
    }

    std::string PathOf(const std::string& szName) const { return (v_dir / szName).string(); }

    CTRecordList<Cls_PriceEntry> Entries(const std::vector<TEntry>& entries) {
        CTRecordList<Cls_PriceEntry> list;
        for (const TEntry& entry : entries) {
            auto pEntry = New<Cls_PriceEntry>();
            pEntry->SetRefClsID(entry.nClsID);
            pEntry->SetRefObjID(entry.nObjID);
            pEntry->SetName(entry.szName);
            pEntry->SetMaterialCost(entry.nCost);
            list.push_back(std::move(pEntry));
        }
        return list;
    }

    // A prices file as an outside tool would write it.
    void WritePricesFile(const std::string& szPath, int nHeaders, const std::vector<TEntry>& entries,
                         bool bCompressed = true) {
        const bool bWasCompressed = CTMemDbEngine::UseCompression(bCompressed);
        CTMemDbEngine engine(*factory, factory->GetLogicalName(dbPricingAndPrefs), std::string(), false,
                             dbPricingAndPrefs);
        const CTWriteLock lock;
        for (int i = 0; i < nHeaders; ++i) engine.InsertObject(*New<Cls_PriceAndPrefsFile>());
        for (auto& pEntry : Entries(entries)) engine.InsertObject(*pEntry);
        SaveEngine(engine, szPath);
        CTMemDbEngine::UseCompression(bWasCompressed);
    }
    static void SaveEngine(CTMemDbEngine& engine, const std::string& szPath) {
        CTAtomicFileStream out(szPath);
        engine.WriteToStream(out);
        out.Commit();
    }

    static Cls_PriceAndPrefsFile* Attach(const std::string& szPath) {
        Cls_PriceAndPrefsFile::SetFileName(kKey, false, szPath);
        return Cls_PriceAndPrefsFile::LoadFile(kKey, false);
    }

    void ExpectNoFileAndDatabase1EmptyAndConnected() {
        EXPECT_EQ(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);
        ASSERT_TRUE(factory->DatabaseConnected(dbPricingAndPrefs));
        EXPECT_TRUE(factory->Engine(dbPricingAndPrefs)->IsConnected());
        EXPECT_EQ(factory->GetDatabaseName(dbPricingAndPrefs), "");
        EXPECT_EQ(CTDbObject::CountAllRecords(Cls_PriceEntry::kClassID, false), 0);
        EXPECT_EQ(CTDbObject::CountAllRecords(Cls_PriceAndPrefsFile::kClassID, false), 0);
        EXPECT_EQ(Cls_PriceAndPrefsFile::SearchPrice(94, 0, "", false), nullptr);
    }

    static std::string ReadBytes(const std::string& szPath) {
        std::ifstream in(szPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteBytes(const std::string& szPath, const std::string& bytes) {
        std::ofstream(szPath, std::ios::binary | std::ios::trunc) << bytes;
    }

private:
    fs::path v_dir;
    bool v_bCompression = false;
    std::string v_szSignature;
};

// ---- Searching the entries

using PriceSearch = Prices;

TEST_F(PriceSearch, AnEntryForTheExactRecordBeatsOneForAnyRecordInEitherOrder) {
    const auto anyFirst = Entries({{94, 0, "EWAD 120", 100.0}, {94, 5, "EWAD 120", 200.0}});
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(anyFirst, 94, 5, "EWAD 120", false), anyFirst[1].get());
    const auto exactFirst = Entries({{94, 5, "EWAD 120", 200.0}, {94, 0, "EWAD 120", 100.0}});
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(exactFirst, 94, 5, "EWAD 120", false), exactFirst[0].get());
    // Without an exact entry the last one for any record wins.
    const auto anyOnly = Entries({{94, 0, "EWAD 120", 100.0}, {94, 0, "EWAD 120", 150.0}});
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(anyOnly, 94, 5, "EWAD 120", false), anyOnly[1].get());
}

TEST_F(PriceSearch, AnEntryBoundToAnotherRecordIsNeverUsedForASpecificOne) {
    const auto entries = Entries({{94, 7, "EWAD 120", 100.0}, {94, 8, "EWAD 120", 110.0}});
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 5, "EWAD 120", false), nullptr);
    // A request for any record takes the last bound one.
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 0, "EWAD 120", false), entries[1].get());
}

TEST_F(PriceSearch, NamesMatchIgnoringLetterCaseOnlyAndWithinTheClass) {
    const auto entries = Entries({{93, 5, "EWAD 120A", 1.0}, {94, 5, "EWAD 120A", 2.0}, {94, 6, "EWYQ 9", 3.0}});
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 5, "ewad 120a", false), entries[1].get());
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 5, "EWAD 120", false), nullptr);
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 5, "EWAD  120A", false), nullptr);
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 6, "", false), entries[2].get());
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 93, 0, "", false), entries[0].get());
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 95, 5, "EWAD 120A", false), nullptr);
}

TEST_F(PriceSearch, NumberNamesReadTheirFirstCommaAsAPoint) {
    const auto entries = Entries({{94, 0, "2,5", 1.0}, {94, 0, "1,2,5", 2.0}});
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 3, "2.5", true), entries[0].get());
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 3, "2.5", false), nullptr);
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 3, "1,2,5", true), entries[1].get());
    EXPECT_EQ(Cls_PriceEntry::SearchPrice(entries, 94, 3, "1.2.5", true), nullptr);
}

// ---- Attaching a file

using PricesFile = Prices;

TEST_F(PricesFile, AValidFileIsAttachedUntilItIsUnloaded) {
    const std::string path = PathOf("prices.edi");
    WritePricesFile(path, 1, {{94, 0, "EWAD 120A", 12500.0}});
    const Cls_PriceAndPrefsFile* pHeader = Attach(path);

    ASSERT_NE(pHeader, nullptr);
    EXPECT_EQ(Cls_PriceAndPrefsFile::UniqueInstance(), pHeader);
    EXPECT_EQ(pHeader->GetDbVersion(), "1.0");
    const std::int32_t nChecksum = Cls_PriceAndPrefsFile::CalcFileChecksum(path);
    EXPECT_NE(nChecksum, 0);
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetChecksum(), nChecksum);
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetCurrentChecksum(kKey, false), nChecksum);
    const Cls_PriceEntry* pEntry = Cls_PriceAndPrefsFile::SearchPrice(94, 12, "ewad 120a", false);
    ASSERT_NE(pEntry, nullptr);
    EXPECT_EQ(pEntry->GetMaterialCost(), 12500.0);

    Cls_PriceAndPrefsFile::UnloadFile();
    EXPECT_EQ(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetChecksum(), 0);
    EXPECT_EQ(Cls_PriceAndPrefsFile::SearchPrice(94, 12, "EWAD 120A", false), nullptr);
}

TEST_F(PricesFile, DetachingDatabase1UnloadsTheFile) {
    const std::string path = PathOf("prices.edi");
    WritePricesFile(path, 1, {{94, 0, "EWAD 120A", 12500.0}});
    ASSERT_NE(Attach(path), nullptr);
    ASSERT_EQ(Cls_PriceAndPrefsFile::AllPriceEntries().size(), 1u);
    factory->DisconnectDatabase(dbPricingAndPrefs);
    EXPECT_EQ(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);
    EXPECT_TRUE(Cls_PriceAndPrefsFile::AllPriceEntries().empty());
}

TEST_F(PricesFile, AFileWithoutExactlyOneHeaderIsNotValid) {
    const std::string twoHeaders = PathOf("two.edi");
    WritePricesFile(twoHeaders, 2, {{94, 0, "EWAD 120A", 12500.0}});
    EXPECT_EQ(Attach(twoHeaders), nullptr);
    EXPECT_EQ(Cls_PriceAndPrefsFile::SearchPrice(94, 1, "EWAD 120A", false), nullptr);

    const std::string noHeader = PathOf("none.edi");
    WritePricesFile(noHeader, 0, {{94, 0, "EWAD 120A", 12500.0}});
    EXPECT_EQ(Attach(noHeader), nullptr);

    // Another kind of database, such as the catalogue, holds no header either.
    const std::string catalogue = PathOf("catalogue.edi");
    Inserted(New<Cls_ChOutdoorUnit>());
    CTAtomicFileStream out(catalogue);
    CTMemDbEngine::WriteEngineContent(out, *factory->Engine(dbDeviceDatabase));
    out.Commit();
    EXPECT_EQ(Attach(catalogue), nullptr);
}

TEST_F(PricesFile, ADamagedFileLeavesDatabase1EmptyAndConnected) {
    const std::string valid = PathOf("valid.edi");
    const std::vector<TEntry> entries = {{94, 0, "EWAD 120A", 12500.0}, {94, 0, "EWYQ 9", 8000.0}};
    WritePricesFile(valid, 1, entries, false);
    const std::string plain = ReadBytes(valid);
    WritePricesFile(valid, 1, entries);
    const std::string compressed = ReadBytes(valid);
    std::string wrongCount = plain;
    wrongCount.at(plain.find("EWYQ") - 2) = '9';  // the text's byte count
    std::string flipped = compressed;
    flipped.at(compressed.size() / 2) ^= 0x5A;
    const std::vector<std::string> damaged = {
        plain.substr(0, plain.find("EWYQ") + 2),
        wrongCount,
        "EDI100\r\n5 999999999 Tbl_PriceEntry",
        "EDI099\r\n0\r\n0\r\n0\r\n",
        compressed.substr(0, compressed.size() / 2),
        flipped,
        "QXZ\xff\xff\xff\xff\x01\x02",
        std::string("\0\0\0\0", 4),
        "",
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE("damaged sample " + std::to_string(i));
        ASSERT_NE(Attach(valid), nullptr);
        ASSERT_FALSE(Cls_PriceAndPrefsFile::AllPriceEntries().empty());
        const std::string path = PathOf("damaged" + std::to_string(i) + ".edi");
        WriteBytes(path, damaged[i]);
        EXPECT_EQ(Attach(path), nullptr);
        ExpectNoFileAndDatabase1EmptyAndConnected();
        EXPECT_TRUE(Cls_PriceAndPrefsFile::AllPriceEntries().empty());
    }
}

TEST_F(PricesFile, AMissingFileOrNoNameLeavesNoFileLoaded) {
    const std::string valid = PathOf("valid.edi");
    WritePricesFile(valid, 1, {});
    ASSERT_NE(Attach(valid), nullptr);
    EXPECT_EQ(Attach(PathOf("missing.edi")), nullptr);
    ExpectNoFileAndDatabase1EmptyAndConnected();
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetCurrentChecksum(kKey, false), 0);

    ASSERT_NE(Attach(valid), nullptr);
    // Clearing the choice: an empty name, checksum 0, and nothing loaded later.
    Cls_PriceAndPrefsFile::SetFileName(kKey, false, "");
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetFileName(kKey, false), "");
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetCurrentChecksum(kKey, false), 0);
    EXPECT_EQ(Cls_PriceAndPrefsFile::LoadFile(kKey, false), nullptr);
    ExpectNoFileAndDatabase1EmptyAndConnected();
}

TEST_F(PricesFile, TheChoiceIsKeptUnderTheCallersKey) {
    const std::string path = PathOf("prices.edi");
    WritePricesFile(path, 1, {});
    Cls_PriceAndPrefsFile::SetFileName("Software\\Elsewhere", false, path);
    const platform::CTSettingsStore& user = platform::Registry().CurrentUser();
    EXPECT_EQ(user.ReadString("Software\\Elsewhere", "PPFileName", ""), path);
    EXPECT_EQ(user.ReadInteger("Software\\Elsewhere", "PPChecksum", 0), Cls_PriceAndPrefsFile::CalcFileChecksum(path));
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetFileName(kKey, false), "");
    EXPECT_EQ(Cls_PriceAndPrefsFile::LoadFile(kKey, false), nullptr);
    EXPECT_NE(Cls_PriceAndPrefsFile::LoadFile("Software\\Elsewhere", false), nullptr);

    // The machine's settings cannot be written here: the failure is dropped.
    Cls_PriceAndPrefsFile::SetFileName(kKey, true, path);
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetFileName(kKey, true), "");
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetCurrentChecksum(kKey, true), 0);
}

TEST_F(PricesFile, LoadingNeedsAConnectedFactory) {
    const std::string path = PathOf("prices.edi");
    WritePricesFile(path, 1, {});
    Cls_PriceAndPrefsFile::SetFileName(kKey, false, path);
    factory->Disconnect();
    EXPECT_EQ(Cls_PriceAndPrefsFile::LoadFile(kKey, false), nullptr);
}

// ---- Checksum

using FileChecksum = Prices;

void SetLocalWriteTime(const std::string& szPath, int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    std::tm local{};
    local.tm_year = nYear - 1900;
    local.tm_mon = nMonth - 1;
    local.tm_mday = nDay;
    local.tm_hour = nHour;
    local.tm_min = nMin;
    local.tm_sec = nSec;
    local.tm_isdst = -1;
    const timeval times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimes(szPath.c_str(), times), 0);
}

TEST_F(FileChecksum, IsThePackedLocalWriteTimePlusTheSize) {
    const std::string path = PathOf("prices.edi");
    EXPECT_EQ(Cls_PriceAndPrefsFile::CalcFileChecksum(path), 0);
    WriteBytes(path, "0123456789");
    SetLocalWriteTime(path, 2024, 3, 15, 13, 45, 31);
    // Date (44 << 9 | 3 << 5 | 15) in the high word, time (13 << 11 | 45 << 5 | 31 / 2) in the low one.
    EXPECT_EQ(Cls_PriceAndPrefsFile::CalcFileChecksum(path), 1483697583 + 10);

    WriteBytes(path, "01234567890");
    SetLocalWriteTime(path, 2024, 3, 15, 13, 45, 31);
    EXPECT_EQ(Cls_PriceAndPrefsFile::CalcFileChecksum(path), 1483697583 + 11);
    SetLocalWriteTime(path, 2024, 3, 15, 13, 45, 33);
    EXPECT_EQ(Cls_PriceAndPrefsFile::CalcFileChecksum(path), 1483697583 + 1 + 11);
}

TEST_F(FileChecksum, TakesTheLowBitsOfTheSizeAndWrapsAround) {
    const std::string path = PathOf("large.edi");
    WriteBytes(path, "");
    fs::resize_file(path, (std::uintmax_t{1} << 32) + 5);  // sparse
    SetLocalWriteTime(path, 2100, 12, 31, 23, 59, 58);
    const std::uint32_t packed = ((2100u - 1980u) << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
    EXPECT_EQ(Cls_PriceAndPrefsFile::CalcFileChecksum(path), static_cast<std::int32_t>(packed + 5u));

    fs::resize_file(path, 0xFFFFFFF0u);
    SetLocalWriteTime(path, 2100, 12, 31, 23, 59, 58);
    EXPECT_EQ(Cls_PriceAndPrefsFile::CalcFileChecksum(path), static_cast<std::int32_t>(packed - 16u));
}

// ---- Prices of units from a template made by the command-line tool

using PriceTemplate = Prices;

TEST_F(PriceTemplate, AFilledInTemplatePricesItsUnit) {
    std::vector<std::unique_ptr<Cls_ChOutdoorUnit>> units;
    for (const char* szName : {"EWAD 120A", "EWAD 160A", "EWYQ 9"}) {
        auto pUnit = New<Cls_ChOutdoorUnit>();
        pUnit->SetName(szName);
        units.push_back(Inserted(std::move(pUnit)));
    }
    const std::string catalogue = PathOf("catalogue.edi");
    {
        CTAtomicFileStream out(catalogue);
        CTMemDbEngine::WriteEngineContent(out, *factory->Engine(dbDeviceDatabase));
        out.Commit();
    }
    const std::string prices = PathOf("prices.qxz");
    const std::string command =
        std::string(BRUMALIS_EDI_TOOL) + " price-template '" + catalogue + "' '" + prices + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    ASSERT_NE(Attach(prices), nullptr);
    ASSERT_EQ(Cls_PriceAndPrefsFile::AllPriceEntries().size(), 3u);
    for (const auto& pUnit : units) {
        const Cls_PriceEntry* pEntry = Cls_PriceAndPrefsFile::SearchPrice(pUnit.get(), false);
        ASSERT_NE(pEntry, nullptr) << pUnit->GetName();
        EXPECT_EQ(pEntry->GetRefObjID(), pUnit->GetID());
        EXPECT_EQ(pUnit->CalcPrice(1), 0.0);
    }

    {  // a sales office fills in one price
        CTMemDbEngine engine(*factory, factory->GetLogicalName(dbPricingAndPrefs), std::string(), false,
                             dbPricingAndPrefs);
        CTMyFileStream raw(prices, CTMyFileStream::Mode::OpenReadDenyWrite);
        const std::unique_ptr<CTStream> payload = OpenContainerPayload(raw, TCompressionSettings{true, "QXZ"});
        CTStreamIO io(*payload);
        engine.ReadFrom(io);
        const CTWriteLock lock;
        for (auto& pEntry : RecordsAs<Cls_PriceEntry>(engine.AllObjects(Cls_PriceEntry::kClassID, {}))) {
            if (pEntry->GetRefObjID() != units[1]->GetID()) continue;
            pEntry->SetMaterialCost(48250.5);
            engine.UpdateObject(*pEntry);
        }
        SaveEngine(engine, prices);
    }

    ASSERT_NE(Attach(prices), nullptr);
    EXPECT_EQ(units[0]->CalcPrice(1), 0.0);
    EXPECT_EQ(units[1]->CalcPrice(1), 48250.5);
    EXPECT_EQ(units[2]->CalcPrice(1), 0.0);
    EXPECT_EQ(units[1]->GetPrice(1), 48250.5);
    EXPECT_EQ(units[1]->GetPrice(3), 0.0);

    // Detached, a unit keeps its last price until it is priced again.
    Cls_PriceAndPrefsFile::UnloadFile();
    EXPECT_EQ(units[1]->GetPrice(1), 48250.5);
    EXPECT_EQ(units[1]->CalcPrice(1), 0.0);
}

}  // namespace
}  // namespace brumalis
