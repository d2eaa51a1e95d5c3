#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

#include "platform/administrator_rights.h"
#include "platform/uninstall_entry.h"
#include "process_fixture.h"

namespace brumalis::platform {
namespace {

const std::string Entry = "Software\\MicroSoft\\Windows\\CurrentVersion\\Uninstall\\Brumalis";

class UninstallEntry : public ::testing::Test {
protected:
    bool Create(bool bAllUsers, int nVersion, std::string_view szVendor = "Orvane",
                std::string_view szUrl = "http://www.orvane.invalid") {
        return CreateUninstallEntry(bAllUsers, "Brumalis", "/opt/orvane/brumalis", "Brumalis", szVendor, nVersion, szUrl,
                                    "");
    }

    std::shared_ptr<CTMemorySettingsStore> v_user = std::make_shared<CTMemorySettingsStore>();
    std::shared_ptr<CTMemorySettingsStore> v_machine = std::make_shared<CTMemorySettingsStore>();
    CTRegistry v_registry{v_user, v_machine};
    CTRegistrySubstitute v_substitute{v_registry};
    CTAdministratorRightsSubstitute v_rights{false};
};

TEST_F(UninstallEntry, TheValuesOfAVersionedEntry) {
    ASSERT_TRUE(Create(true, 334));
    EXPECT_EQ(v_user->ReadString(Entry, "DisplayName", ""), "Brumalis");
    EXPECT_EQ(v_user->ReadString(Entry, "UninstallString", ""), "/opt/orvane/brumalis /uninstall");
    EXPECT_EQ(v_user->ReadString(Entry, "InstallLocation", ""), "/opt/orvane/brumalis");
    EXPECT_EQ(v_user->ReadString(Entry, "Publisher", ""), "Orvane");
    EXPECT_EQ(v_user->ReadString(Entry, "URLInfoAbout", ""), "http://www.orvane.invalid");
    EXPECT_EQ(v_user->ReadValue(Entry, "VersionMajor"), TSettingValue(std::int32_t{3}));
    EXPECT_EQ(v_user->ReadValue(Entry, "VersionMinor"), TSettingValue(std::int32_t{34}));
    EXPECT_EQ(v_user->ReadValue(Entry, "DisplayVersion"), TSettingValue(std::string("3.3.4")));
    EXPECT_FALSE(v_user->ReadValue(Entry, "HelpLink"));
    EXPECT_FALSE(v_machine->KeyExists(Entry));
}

TEST_F(UninstallEntry, NoVersionAndNoAddressesStoreNoSuchValues) {
    ASSERT_TRUE(Create(false, 0, "", ""));
    std::vector<std::string> names = v_user->ValueNames(Entry);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"DisplayName", "InstallLocation", "UninstallString"}));
}

TEST_F(UninstallEntry, AllUsersMeansTheMachineHiveOnlyForAnAdministrator) {
    {
        const CTAdministratorRightsSubstitute administrator(true);
        ASSERT_TRUE(Create(true, 334));
        EXPECT_TRUE(v_machine->KeyExists(Entry));
        EXPECT_FALSE(v_user->KeyExists(Entry));
    }
    // The machine's entry is there: a normal user writes nothing.
    EXPECT_TRUE(Create(true, 335));
    EXPECT_FALSE(v_user->KeyExists(Entry));
    EXPECT_EQ(v_machine->ReadString(Entry, "DisplayVersion", ""), "3.3.4");

    v_machine->DeleteKey(Entry);
    EXPECT_TRUE(Create(true, 335));
    EXPECT_EQ(v_user->ReadString(Entry, "DisplayVersion", ""), "3.3.5");
}

TEST_F(UninstallEntry, AHiveThatCannotBeWrittenAnswersFalse) {
    v_machine->SetReadOnly(true);
    const CTAdministratorRightsSubstitute administrator(true);
    EXPECT_FALSE(Create(true, 334));
    EXPECT_FALSE(CreateUninstallEntry(false, "", "/b", "B", "", 0, "", ""));
    EXPECT_FALSE(CreateUninstallEntry(false, "A\\B", "/b", "B", "", 0, "", ""));
}

TEST_F(UninstallEntry, DeletingTakesTheMachinesEntryOnlyWithRights) {
    ASSERT_TRUE(Create(false, 334));
    v_machine->WriteString(Entry, "DisplayName", "Brumalis");
    v_user->WriteString(UninstallKey("Other"), "DisplayName", "Other");
    EXPECT_TRUE(DeleteUninstallEntry("Brumalis"));
    EXPECT_FALSE(v_user->KeyExists(Entry));
    EXPECT_TRUE(v_machine->KeyExists(Entry));
    EXPECT_TRUE(v_user->KeyExists(UninstallKey("Other")));
    // An empty name must not address every program's entry.
    EXPECT_TRUE(DeleteUninstallEntry(""));
    EXPECT_TRUE(v_user->KeyExists(UninstallKey("Other")));

    const CTAdministratorRightsSubstitute administrator(true);
    EXPECT_TRUE(DeleteUninstallEntry("Brumalis"));
    EXPECT_FALSE(v_machine->KeyExists(Entry));
}

TEST_F(UninstallEntry, TheVendorKeyStaysWhileAnotherProgramKeepsAKeyThere) {
    v_user->WriteInteger("Software\\Orvane\\Brumalis\\Preferences", "Units", 1);
    v_user->WriteInteger("Software\\Orvane\\Brumalis", "Runs", 4);
    v_user->WriteInteger("Software\\Orvane\\Glacio", "Runs", 2);
    EXPECT_TRUE(DeleteRegistry("Orvane", "Brumalis"));
    EXPECT_FALSE(v_user->KeyExists("Software\\Orvane\\Brumalis"));
    EXPECT_TRUE(v_user->KeyExists("Software\\Orvane\\Glacio"));

    EXPECT_TRUE(DeleteRegistry("Orvane", "Glacio"));
    EXPECT_FALSE(v_user->KeyExists("Software\\Orvane"));
    EXPECT_TRUE(v_user->KeyExists("Software"));
    EXPECT_FALSE(DeleteRegistry("Orvane", "Brumalis"));
}

TEST_F(UninstallEntry, EmptyNamesNeverWidenWhatIsDeleted) {
    v_user->WriteInteger("Software\\Orvane\\Brumalis", "Runs", 4);
    EXPECT_FALSE(DeleteRegistry("Orvane", ""));
    EXPECT_FALSE(DeleteRegistry("", "Orvane"));
    EXPECT_FALSE(DeleteRegistry("Orvane\\", "Brumalis"));
    EXPECT_TRUE(v_user->KeyExists("Software\\Orvane\\Brumalis"));
}

TEST_F(UninstallEntry, TheReadersFallBackOnTheDefault) {
    v_user->WriteBool("Software\\Orvane\\Brumalis", "Flag", true);
    v_user->WriteInteger("Software\\Orvane\\Brumalis", "Count", 12);
    v_user->WriteString("Software\\Orvane\\Brumalis", "Name", "Ana");
    const TRegistryKey key{*v_user, "Software\\Orvane\\Brumalis"};
    EXPECT_TRUE(ReadBooleanFromRegistry(key, "Flag", false));
    EXPECT_EQ(ReadIntegerFromRegistry(key, "Count", 0), 12);
    EXPECT_EQ(ReadStringFromRegistry(key, "Name", ""), "Ana");
    EXPECT_EQ(ReadIntegerFromRegistry(key, "Name", 7), 7);
    EXPECT_FALSE(ReadBooleanFromRegistry(key, "Missing", false));
    EXPECT_EQ(ReadStringFromRegistry(key, "Count", "none"), "none");
    const TRegistryKey machineKey{*v_machine, "Software\\Orvane\\Brumalis"};
    EXPECT_EQ(ReadStringFromRegistry(machineKey, "Name", "none"), "none");
}

// The machine's entry tells a normal user that the program is registered for
// everybody: an administrator's first write must leave it readable.
TEST(MachineHive, ItsNewFolderIsReadableByEveryUserAndTheUsersIsPrivate) {
    const testing::CTPrivateFolder root;
    const mode_t previous = ::umask(077);  // an administrator's strict umask
    CTFileSettingsStore machine(root / "etc/brumalis/registry.ini", false, true);
    CTFileSettingsStore user(root / "home/.config/brumalis/registry.ini", false);
    ASSERT_TRUE(machine.WriteString(UninstallKey("Brumalis"), "DisplayName", "Brumalis"));
    ASSERT_TRUE(user.WriteString(UninstallKey("Brumalis"), "DisplayName", "Brumalis"));
    ::umask(previous);
    struct stat st {};
    ASSERT_EQ(::stat((root / "etc/brumalis").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755U);
    ASSERT_EQ(::stat((root / "etc/brumalis/registry.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644U);
    ASSERT_EQ(::stat((root / "home/.config/brumalis").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700U);
}

}  // namespace
}  // namespace brumalis::platform
