#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <thread>

#include <sys/stat.h>

#include "platform/data_source_entries.h"
#include "platform/settings_store.h"

namespace brumalis::platform {
namespace {

namespace fs = std::filesystem;
using TNames = std::vector<std::string>;

constexpr std::string_view Preferences = "Software\\Orvane\\Brumalis\\Preferences";

class CTTempFolder {
public:
    CTTempFolder() {
        std::string pattern = (fs::temp_directory_path() / "brumalis_settings_XXXXXX").string();
        v_path = ::mkdtemp(pattern.data());
    }
    ~CTTempFolder() { fs::remove_all(v_path); }
    const fs::path& Path() const { return v_path; }

private:
    fs::path v_path;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

// ---- What every store does, in memory and in a file ------------------------

enum class TKind { Memory, File };

class SettingsStore : public ::testing::TestWithParam<TKind> {
protected:
    SettingsStore() {
        if (GetParam() == TKind::Memory) {
            v_store = std::make_unique<CTMemorySettingsStore>();
        } else {
            v_store = std::make_unique<CTFileSettingsStore>(File(), false);
        }
    }
    std::string File() const { return (v_folder.Path() / "registry.ini").string(); }
    CTSettingsStore& Store() { return *v_store; }
    // What another process would see: for a file, a new store reading it.
    CTSettingsStore& Reread() {
        if (GetParam() == TKind::Memory) return *v_store;
        v_reader = std::make_unique<CTFileSettingsStore>(File(), false);
        return *v_reader;
    }

    CTTempFolder v_folder;
    std::unique_ptr<CTSettingsStore> v_store;
    std::unique_ptr<CTSettingsStore> v_reader;
};

INSTANTIATE_TEST_SUITE_P(Kinds, SettingsStore, ::testing::Values(TKind::Memory, TKind::File),
                         [](const auto& info) { return info.param == TKind::Memory ? "Memory" : "File"; });

TEST_P(SettingsStore, DoublesReadBackBitIdentical) {
    const double values[] = {0.1, 1e-300, -0.0, std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::lowest(), std::numeric_limits<double>::denorm_min(),
                             1.0 / 3.0, 273.15, -std::numeric_limits<double>::infinity()};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        ASSERT_TRUE(Store().WriteDouble(Preferences, std::to_string(i), values[i]));
    }
    CTSettingsStore& reader = Reread();
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const double back = reader.ReadDouble(Preferences, std::to_string(i), 42.0);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(values[i])) << values[i];
    }
}

TEST_P(SettingsStore, IntegersBooleansAndStringsRoundTripWithAwkwardNames) {
    const std::string awkward[] = {"", "a=b", "[x]", ";note", "#tag", "100%", "two\nlines", "C:\\Data\\x.mdb",
                                   "Caf\xC3\xA9 \xE2\x84\x83", std::string("nul\0byte", 8)};
    for (const std::string& text : awkward) {
        ASSERT_TRUE(Store().WriteString(Preferences, text, text + "\r\n=%41["));
        ASSERT_TRUE(Store().WriteString("Software\\" + (text.empty() ? "x" : text), "v", text));
    }
    ASSERT_TRUE(Store().WriteInteger(Preferences, "Min", std::numeric_limits<std::int32_t>::min()));
    ASSERT_TRUE(Store().WriteInteger(Preferences, "Max", std::numeric_limits<std::int32_t>::max()));
    ASSERT_TRUE(Store().WriteBool(Preferences, "Yes", true));
    ASSERT_TRUE(Store().WriteBool(Preferences, "No", false));

    CTSettingsStore& reader = Reread();
    for (const std::string& text : awkward) {
        EXPECT_EQ(reader.ReadString(Preferences, text, "?"), text + "\r\n=%41[");
        EXPECT_EQ(reader.ReadString("Software\\" + (text.empty() ? "x" : text), "v", "?"), text);
    }
    EXPECT_EQ(reader.ReadInteger(Preferences, "Min", 0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(reader.ReadInteger(Preferences, "Max", 0), std::numeric_limits<std::int32_t>::max());
    EXPECT_TRUE(reader.ReadBool(Preferences, "Yes", false));
    EXPECT_FALSE(reader.ReadBool(Preferences, "No", true));
}

TEST_P(SettingsStore, NamesIgnoreAsciiCaseAndKeepTheirFirstSpelling) {
    ASSERT_TRUE(Store().WriteInteger(Preferences, "Units", 1));
    ASSERT_TRUE(Store().WriteInteger("SOFTWARE\\orvane\\BRUMALIS\\preferences", "UNITS", 2));
    ASSERT_TRUE(Store().WriteInteger("software\\ORVANE\\Brumalis\\Devices", "\xC3\xA4", 3));
    ASSERT_TRUE(Store().WriteInteger("software\\ORVANE\\Brumalis\\Devices", "\xC3\x84", 4));

    CTSettingsStore& reader = Reread();
    EXPECT_EQ(reader.ReadInteger("software\\orvane\\brumalis\\PREFERENCES", "units", 0), 2);
    EXPECT_EQ(reader.ValueNames(Preferences), (TNames{"Units"}));
    EXPECT_EQ(reader.SubkeyNames("SOFTWARE\\ORVANE\\BRUMALIS"), (TNames{"Devices", "Preferences"}));
    EXPECT_EQ(reader.SubkeyNames(""), (TNames{"Software"}));
    EXPECT_EQ(reader.ValueNames("Software\\Orvane\\Brumalis\\Devices").size(), 2u) << "only ASCII folds";
}

TEST_P(SettingsStore, ReadsAnswerTheDefaultForMissingOrMistypedValues) {
    ASSERT_TRUE(Store().WriteString(Preferences, "Text", "12"));
    ASSERT_TRUE(Store().WriteInteger(Preferences, "Number", 1));
    CTSettingsStore& reader = Reread();
    EXPECT_EQ(reader.ReadInteger("Software\\Missing", "Number", -7), -7);
    EXPECT_EQ(reader.ReadInteger(Preferences, "Missing", -7), -7);
    EXPECT_EQ(reader.ReadInteger(Preferences, "Text", -7), -7);
    EXPECT_EQ(reader.ReadString(Preferences, "Number", "none"), "none");
    EXPECT_TRUE(reader.ReadBool(Preferences, "Number", true));
    EXPECT_EQ(reader.ReadDouble(Preferences, "Number", 2.5), 2.5);
    EXPECT_FALSE(reader.ReadValue(Preferences, "Missing").has_value());

    ASSERT_TRUE(Store().WriteDouble(Preferences, "Text", 1.5));  // a value may change its type
    EXPECT_EQ(Reread().ReadDouble(Preferences, "Text", 0), 1.5);
}

TEST_P(SettingsStore, KeysComeWithTheirAncestorsAndGoWithTheirSubkeys) {
    ASSERT_TRUE(Store().CreateKey("\\Software\\\\ODBC\\ODBC.INI\\Chiller_Project\\"));
    ASSERT_TRUE(Store().WriteInteger("Software\\ODBC\\ODBC.INI\\Chiller_Project\\Engines\\Jet", "Threads", 3));
    ASSERT_TRUE(Store().WriteString("Software\\ODBC\\ODBC.INI", "Kept", "yes"));
    EXPECT_TRUE(Reread().KeyExists("Software\\ODBC"));
    EXPECT_TRUE(Reread().KeyExists("Software\\ODBC\\ODBC.INI\\Chiller_Project"));

    EXPECT_TRUE(Store().DeleteKey("software\\odbc\\odbc.ini\\chiller_project"));
    EXPECT_FALSE(Store().DeleteKey("Software\\ODBC\\ODBC.INI\\Chiller_Project"));
    CTSettingsStore& reader = Reread();
    EXPECT_FALSE(reader.KeyExists("Software\\ODBC\\ODBC.INI\\Chiller_Project\\Engines"));
    EXPECT_TRUE(reader.SubkeyNames("Software\\ODBC\\ODBC.INI").empty());
    EXPECT_EQ(reader.ReadString("Software\\ODBC\\ODBC.INI", "Kept", ""), "yes");

    EXPECT_TRUE(Store().DeleteValue("Software\\ODBC\\ODBC.INI", "KEPT"));
    EXPECT_FALSE(Store().DeleteValue("Software\\ODBC\\ODBC.INI", "Kept"));
    EXPECT_TRUE(Reread().ValueNames("Software\\ODBC\\ODBC.INI").empty());
    EXPECT_TRUE(Reread().KeyExists("Software\\ODBC\\ODBC.INI")) << "an empty key stays";
}

TEST_P(SettingsStore, TheRootAndOverlongNamesAreRefused) {
    EXPECT_TRUE(Store().KeyExists(""));
    EXPECT_FALSE(Store().DeleteKey("\\"));
    EXPECT_FALSE(Store().WriteInteger("", "Value", 1));
    EXPECT_TRUE(Store().WriteInteger(std::string(255, 'k'), std::string(16383, 'v'), 1));
    EXPECT_FALSE(Store().WriteInteger(std::string(256, 'k'), "Value", 1));
    EXPECT_FALSE(Store().WriteInteger("Software", std::string(16384, 'v'), 1));
    std::string deep = "Deep";
    for (int i = 1; i < 512; ++i) deep += "\\k";
    EXPECT_TRUE(Store().CreateKey(deep));
    EXPECT_FALSE(Store().CreateKey(deep + "\\k"));
    EXPECT_TRUE(Reread().KeyExists(deep));
    EXPECT_FALSE(Reread().KeyExists("Software")) << "refused writes leave no key behind";
}

// ---- The file ---------------------------------------------------------------

class FileSettingsStore : public ::testing::Test {
protected:
    std::string File() const { return (v_folder.Path() / "registry.ini").string(); }
    CTFileSettingsStore Open(bool bReadOnly = false) const { return CTFileSettingsStore(File(), bReadOnly); }

    CTTempFolder v_folder;
};

TEST_F(FileSettingsStore, WritesTheDocumentedFormat) {
    CTFileSettingsStore store(File(), false);
    store.WriteInteger(Preferences, "Units", 1);
    store.WriteBool(Preferences, "ShowPrices", true);
    store.WriteDouble(Preferences, "MinimumCapacity", 0.1);
    store.WriteString(Preferences, "a=b", "C:\\x\n100%");
    store.CreateKey("Software\\ODBC\\ODBC.INI\\Chiller_Project");
    const std::string text = ReadFile(File());
    EXPECT_EQ(text.substr(text.find('\n') + 1),
              "\n[Software\\ODBC\\ODBC.INI\\Chiller_Project]\n"
              "\n[Software\\Orvane\\Brumalis\\Preferences]\n"
              "a%3Db=str:C:\\x%0A100%25\nMinimumCapacity=double:0.1\nShowPrices=bool:true\nUnits=int:1\n");
}

TEST_F(FileSettingsStore, RewritingAValueItAlreadyHoldsLeavesTheFileAlone) {
    CTFileSettingsStore store(File(), false);
    ASSERT_TRUE(store.WriteDouble(Preferences, "Zero", 0.0));
    ASSERT_TRUE(store.WriteString(Preferences, "Name", "Brumalis"));
    const auto written = fs::last_write_time(File());
    const std::string bytes = ReadFile(File());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(store.WriteString(Preferences, "Name", "Brumalis"));
    EXPECT_TRUE(store.WriteDouble(Preferences, "Zero", 0.0));
    EXPECT_EQ(fs::last_write_time(File()), written);
    EXPECT_EQ(ReadFile(File()), bytes);
    // Another type, or another bit pattern of an equal number, is a change.
    EXPECT_TRUE(store.WriteDouble(Preferences, "Zero", -0.0));
    EXPECT_NE(fs::last_write_time(File()), written);
    EXPECT_TRUE(std::signbit(Open().ReadDouble(Preferences, "Zero", 1.0)));
    EXPECT_TRUE(store.WriteInteger(Preferences, "Name", 1));
    EXPECT_EQ(Open().ReadInteger(Preferences, "Name", 0), 1);
}

TEST_F(FileSettingsStore, SkipsDamagedLinesAndSaysWhere) {
    WriteFile(File(),
              "Orphan=int:1\n"
              "[Software\\Orvane\\Brumalis\\Preferences]\r\n"
              "Good=int:7\r\n"
              "Overflow=int:99999999999\n"
              "Trailing=int:12x\nYes=bool:yes\nKind=float:1\nNoEquals\nBadEscape=str:%4G\nCut=str:%4\n"
              "Huge=double:1e999\n"
              "[Unclosed\nLost=int:1\n"
              "[Software\\Other]\n; a comment\n# another\n\nAlso=str:ok\n");
    const CTFileSettingsStore store = Open();
    EXPECT_EQ(store.ReadInteger(Preferences, "Good", 0), 7);
    EXPECT_EQ(store.ReadString("Software\\Other", "Also", ""), "ok");
    EXPECT_EQ(store.ValueNames(Preferences).size(), 1u);
    EXPECT_FALSE(store.KeyExists("Unclosed"));
    EXPECT_NE(store.Problem().find("11 damaged line(s) skipped, the first at line 1"), std::string::npos)
        << store.Problem();
}

// Whatever a damaged file holds, what the store keeps of it saves into a file
// that reads back cleanly.
TEST_F(FileSettingsStore, ArbitraryBytesNeverHurtAndSaveBackCleanly) {
    const std::string_view pieces[] = {"[",    "]",    "=",   ":",    "%",     "%4",      "%5C",   "\\",
                                       "\n",   "\r",   "int:", "double:", "bool:", "str:", "true", "1e5",
                                       "-nan", "-0",   "a",   "B",    ";",     {"\0", 1}, "\xFF"};
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    for (int round = 0; round < 60; ++round) {
        std::string text;
        for (int i = 0; i < 300; ++i) text += pieces[pick(rng)];
        WriteFile(File(), text);
        CTFileSettingsStore store = Open();
        ASSERT_TRUE(store.WriteInteger("Marker", "Round", round));
        const CTFileSettingsStore reader = Open();
        EXPECT_EQ(reader.Problem(), "") << text;
        EXPECT_EQ(reader.ReadInteger("Marker", "Round", -1), round);
        EXPECT_EQ(reader.SubkeyNames(""), store.SubkeyNames(""));
    }
}

TEST_F(FileSettingsStore, RefusesOversizedFilesAndFolders) {
    { std::ofstream(File()) << "[Software]\nBig=int:1\n"; }
    fs::resize_file(File(), CTFileSettingsStore::MaxFileSize + 1);
    CTFileSettingsStore big = Open();
    EXPECT_EQ(big.ReadInteger("Software", "Big", 0), 0);
    EXPECT_NE(big.Problem().find("too large"), std::string::npos);
    EXPECT_FALSE(big.WriteInteger("Software", "Small", 1)) << "saving would lose the file's content";
    EXPECT_EQ(fs::file_size(File()), CTFileSettingsStore::MaxFileSize + 1);

    fs::resize_file(File(), CTFileSettingsStore::MaxFileSize);
    EXPECT_EQ(big.ReadInteger("Software", "Big", 0), 1) << "a file at the limit is read, after a change";

    fs::remove(File());
    fs::create_directory(File());
    CTFileSettingsStore folder = Open();
    EXPECT_FALSE(folder.WriteInteger("Software", "Small", 1));
    EXPECT_NE(folder.Problem().find("not a file"), std::string::npos);
}

TEST_F(FileSettingsStore, InstancesSeeEachOthersWritesAndLoseNone) {
    CTFileSettingsStore first = Open();
    CTFileSettingsStore second = Open();
    EXPECT_EQ(first.ReadInteger(Preferences, "A", 0), 0);
    EXPECT_EQ(second.ReadInteger(Preferences, "B", 0), 0);
    ASSERT_TRUE(first.WriteInteger(Preferences, "A", 1));
    ASSERT_TRUE(second.WriteInteger(Preferences, "B", 2));  // its copy predates first's write
    EXPECT_EQ(first.ReadInteger(Preferences, "B", 0), 2);
    EXPECT_EQ(Open().ReadInteger(Preferences, "A", 0), 1);

    const auto writeMany = [this](const std::string& szPrefix) {
        CTFileSettingsStore store = Open();
        for (int i = 0; i < 20; ++i) store.WriteInteger("Software\\Race", szPrefix + std::to_string(i), i);
    };
    std::thread other(writeMany, "T");
    writeMany("M");
    other.join();
    EXPECT_EQ(Open().ValueNames("Software\\Race").size(), 40u);
}

TEST_F(FileSettingsStore, TheMachineHiveOnlyReads) {
    Open().WriteInteger(Preferences, "Units", 1);
    const std::string before = ReadFile(File());
    CTFileSettingsStore machine = Open(true);
    EXPECT_EQ(machine.ReadInteger(Preferences, "Units", 0), 1);
    EXPECT_FALSE(machine.WriteInteger(Preferences, "Units", 2));
    EXPECT_FALSE(machine.CreateKey("Software\\New"));
    EXPECT_FALSE(machine.DeleteValue(Preferences, "Units"));
    EXPECT_FALSE(machine.DeleteKey(Preferences));
    EXPECT_EQ(machine.ReadInteger(Preferences, "Units", 0), 1);
    EXPECT_EQ(ReadFile(File()), before);
}

TEST_F(FileSettingsStore, MakesItsFolderPrivateToTheUser) {
    const fs::path file = v_folder.Path() / "config" / "brumalis" / "registry.ini";
    ASSERT_TRUE(CTFileSettingsStore(file.string(), false).WriteBool(Preferences, "First", true));
    EXPECT_EQ(fs::status(file.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(CTFileSettingsStore(file.string(), true).ReadBool(Preferences, "First", false));
}

TEST(SettingsPaths, FollowTheXdgRules) {
    const std::string home = "/home/ana";
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(DefaultUserSettingsPath(), "/tmp/cfg/brumalis/registry.ini");
    ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);
    EXPECT_EQ(DefaultUserSettingsPath(), home + "/.config/brumalis/registry.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultUserSettingsPath(), home + "/.config/brumalis/registry.ini");
    EXPECT_EQ(DefaultMachineSettingsPath(), "/etc/xdg/brumalis/registry.ini");
}

// ---- The registry pair ------------------------------------------------------

class RegistryTest : public ::testing::Test {
protected:
    // Fills the machine hive as an installation by an administrator would.
    void OnMachine(const std::function<void(CTSettingsStore&)>& fill) {
        v_machine->SetReadOnly(false);
        fill(*v_machine);
        v_machine->SetReadOnly(true);
    }

    std::shared_ptr<CTMemorySettingsStore> v_user = std::make_shared<CTMemorySettingsStore>();
    std::shared_ptr<CTMemorySettingsStore> v_machine = std::make_shared<CTMemorySettingsStore>(true);
    CTRegistry v_registry{v_user, v_machine};
};

TEST_F(RegistryTest, FindKeyLooksInTheUsersHiveFirst) {
    OnMachine([](CTSettingsStore& machine) { machine.CreateKey("Software\\Both"); });
    OnMachine([](CTSettingsStore& machine) { machine.CreateKey("Software\\MachineOnly"); });
    v_user->CreateKey("Software\\Both");
    EXPECT_EQ(v_registry.FindKey("software\\both"), v_user.get());
    EXPECT_EQ(v_registry.FindKey("Software\\MachineOnly"), v_machine.get());
    EXPECT_EQ(v_registry.FindKey("Software\\Neither"), nullptr);
    EXPECT_FALSE(v_registry.LocalMachine().WriteInteger("Software\\Both", "x", 1));
}

TEST_F(RegistryTest, ASubstituteServesAsTheProgramsRegistryWhileItLives) {
    CTRegistry& program = Registry();
    {
        const CTRegistrySubstitute substitute(v_registry);
        EXPECT_EQ(&Registry(), &v_registry);
        CTRegistry inner(std::make_shared<CTMemorySettingsStore>(), v_machine);
        {
            const CTRegistrySubstitute nested(inner);
            EXPECT_EQ(&Registry(), &inner);
        }
        EXPECT_EQ(&Registry(), &v_registry);
    }
    EXPECT_EQ(&Registry(), &program);
}

TEST_F(RegistryTest, IniSectionsAreSubkeys) {
    CTRegistryIniFile devices(v_registry.CurrentUser(), "Software\\Orvane\\Brumalis\\Devices");
    ASSERT_TRUE(devices.WriteInteger("Default_Settings", "GLYCOL", 2));
    ASSERT_TRUE(devices.WriteBool("Default_Settings", "Heating", true));
    ASSERT_TRUE(devices.WriteString("Default_Settings", "Name", "R-410A"));
    EXPECT_EQ(v_user->ReadInteger("Software\\Orvane\\Brumalis\\Devices\\Default_Settings", "glycol", 0), 2);
    EXPECT_TRUE(devices.ReadBool("default_settings", "HEATING", false));
    EXPECT_EQ(devices.ReadString("Default_Settings", "Name", ""), "R-410A");
    EXPECT_EQ(devices.ReadInteger("Default_Settings", "REFRIGERANT", -1), -1);
}

// ---- Data-source entries ------------------------------------------------------

using DataSourceEntries = RegistryTest;
const std::string Entry = "Software\\ODBC\\ODBC.INI\\Chiller_Project";

TEST_F(DataSourceEntries, CreateMakesAnEntryWithTheDesktopDriverInTheRightHive) {
    CreateMinimalODBCEntry(v_registry, false, "Chiller_Project");
    EXPECT_EQ(v_user->ReadString(Entry, "Driver", ""), "odbcjt32.dll");
    EXPECT_FALSE(v_machine->KeyExists(Entry));

    CreateMinimalODBCEntry(v_registry, true, "Catalogue");
    EXPECT_FALSE(v_machine->KeyExists(DataSourceKey("Catalogue"))) << "the machine hive is read-only";
    EXPECT_FALSE(v_user->KeyExists(DataSourceKey("Catalogue")));
    v_machine->SetReadOnly(false);
    CreateMinimalODBCEntry(v_registry, true, "Catalogue");
    EXPECT_EQ(v_machine->ReadString(DataSourceKey("Catalogue"), "Driver", ""), "odbcjt32.dll");
}

TEST_F(DataSourceEntries, CreateLeavesAnExistingEntryAlone) {
    v_user->WriteString("software\\odbc\\odbc.ini\\CHILLER_PROJECT", "DBQ", "C:\\x.mdb");
    CreateMinimalODBCEntry(v_registry, false, "Chiller_Project");
    EXPECT_EQ(v_user->ValueNames(Entry), (TNames{"DBQ"}));

    OnMachine([](CTSettingsStore& machine) { machine.CreateKey(DataSourceKey("Catalogue")); });
    v_machine->SetReadOnly(false);
    CreateMinimalODBCEntry(v_registry, true, "Catalogue");
    EXPECT_TRUE(v_machine->ValueNames(DataSourceKey("Catalogue")).empty());
}

TEST_F(DataSourceEntries, DeleteTouchesTheMachineHiveOnlyForAnAdministrator) {
    v_machine->SetReadOnly(false);
    CreateMinimalODBCEntry(v_registry, false, "Chiller_Project");
    CreateMinimalODBCEntry(v_registry, true, "Chiller_Project");
    DeleteMinimalODBCEntry(v_registry, false, "Chiller_Project");
    EXPECT_FALSE(v_user->KeyExists(Entry));
    EXPECT_TRUE(v_machine->KeyExists(Entry));
    DeleteMinimalODBCEntry(v_registry, true, "Chiller_Project");
    EXPECT_FALSE(v_machine->KeyExists(Entry));
    EXPECT_TRUE(v_machine->KeyExists("Software\\ODBC\\ODBC.INI"));
}

TEST_F(DataSourceEntries, CheckWantsTheDesktopDriverByItsFileName) {
    EXPECT_FALSE(CheckDataSourceEntry(v_registry, "Chiller_Project", "", false));
    const std::pair<const char*, bool> drivers[] = {
        {"C:\\Windows\\System32\\ODBCJT32.DLL", true}, {"odbcjt32.dll", true}, {"/usr/lib/OdbcJt32.dll", true},
        {"C:\\Windows\\System32\\sqlsrv32.dll", false}, {"odbcjt32.dll.bak", false}, {"", false}};
    for (const auto& [driver, bAccepted] : drivers) {
        v_user->WriteString(Entry, "Driver", driver);
        EXPECT_EQ(CheckDataSourceEntry(v_registry, "Chiller_Project", "", true), bAccepted) << driver;
    }
    v_user->WriteInteger(Entry, "Driver", 1);
    EXPECT_FALSE(CheckDataSourceEntry(v_registry, "Chiller_Project", "", false));
}

TEST_F(DataSourceEntries, CheckTakesTheUsersEntryBeforeTheMachines) {
    OnMachine([](CTSettingsStore& machine) { machine.WriteString(Entry, "Driver", "ODBCJT32.DLL"); });
    EXPECT_TRUE(CheckDataSourceEntry(v_registry, "Chiller_Project", "", false));
    v_user->WriteString(Entry, "Driver", "sqlsrv32.dll");
    EXPECT_FALSE(CheckDataSourceEntry(v_registry, "Chiller_Project", "", false));
}

TEST_F(DataSourceEntries, CheckRewritesTheDatabaseOnlyWhenItDiffers) {
    v_user->WriteString(Entry, "Driver", "odbcjt32.dll");
    v_user->WriteString(Entry, "DBQ", "C:\\Data\\Chiller.mdb");
    EXPECT_TRUE(CheckDataSourceEntry(v_registry, "Chiller_Project", "c:\\data\\CHILLER.MDB", true));
    EXPECT_EQ(v_user->ReadString(Entry, "DBQ", ""), "C:\\Data\\Chiller.mdb");
    EXPECT_TRUE(CheckDataSourceEntry(v_registry, "Chiller_Project", "D:\\New.mdb", false));
    EXPECT_TRUE(CheckDataSourceEntry(v_registry, "Chiller_Project", "", true));
    EXPECT_EQ(v_user->ReadString(Entry, "DBQ", ""), "C:\\Data\\Chiller.mdb");
    EXPECT_TRUE(CheckDataSourceEntry(v_registry, "Chiller_Project", "D:\\New.mdb", true));
    EXPECT_EQ(v_user->ReadString(Entry, "DBQ", ""), "D:\\New.mdb");

    const std::string other = DataSourceKey("Catalogue");
    OnMachine([&](CTSettingsStore& machine) {
        machine.WriteString(other, "Driver", "odbcjt32.dll");
        machine.WriteString(other, "DBQ", "/srv/catalogue.mdb");
    });
    EXPECT_TRUE(CheckDataSourceEntry(v_registry, "Catalogue", "/SRV/Catalogue.MDB", true));
    EXPECT_FALSE(CheckDataSourceEntry(v_registry, "Catalogue", "/srv/other.mdb", true)) << "read-only hive";
    EXPECT_EQ(v_machine->ReadString(other, "DBQ", ""), "/srv/catalogue.mdb");
    EXPECT_FALSE(v_user->KeyExists(other));
}

}  // namespace
}  // namespace brumalis::platform
