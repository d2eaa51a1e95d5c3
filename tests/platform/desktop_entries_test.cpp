#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include <sys/stat.h>

#include "platform/administrator_rights.h"
#include "platform/desktop_entries.h"
#include "platform/resources.h"
#include "process_fixture.h"

namespace brumalis::platform {
namespace {

using testing::CTPrivateFolder;
namespace fs = std::filesystem;

// A program path with everything the Exec quoting must survive.
constexpr std::string_view AwkwardFolder = "Program Files \"old\" $HOME 100% \\x `id`";

// ---- Reading an entry back as a desktop would -----------------------------

std::map<std::string, std::string> EntryValues(const fs::path& path) {
    std::map<std::string, std::string> values;
    std::istringstream in(testing::ReadFile(path));
    for (std::string line; std::getline(in, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

// The string escapes of a value.
std::string Unescape(std::string_view szValue) {
    std::string text;
    for (std::size_t i = 0; i < szValue.size(); ++i) {
        if (szValue[i] != '\\' || i + 1 == szValue.size()) {
            text += szValue[i];
            continue;
        }
        const char c = szValue[++i];
        text += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return text;
}

// The arguments of an Exec value: string escapes, then quoting, then "%%".
std::vector<std::string> ExecArguments(std::string_view szValue) {
    const std::string exec = Unescape(szValue);
    std::vector<std::string> arguments;
    std::string current;
    bool bQuoted = false;
    bool bInArgument = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (bQuoted && c == '\\' && i + 1 < exec.size()) {
            current += exec[++i];
        } else if (c == '"') {
            bQuoted = !bQuoted;
            bInArgument = true;
        } else if (c == ' ' && !bQuoted) {
            if (bInArgument) arguments.push_back(current);
            current.clear();
            bInArgument = false;
        } else {
            current += c;
            bInArgument = true;
        }
    }
    if (bInArgument) arguments.push_back(current);
    for (std::string& argument : arguments) {
        for (std::size_t at = argument.find("%%"); at != std::string::npos; at = argument.find("%%", at + 1)) {
            argument.erase(at, 1);
        }
    }
    return arguments;
}

// desktop-file-validate's complaints; empty when it has none.
std::string Validate(const fs::path& path) {
    const std::string command = "desktop-file-validate '" + path.string() + "' 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        const int status = ::pclose(pipe);
        if (status != 0 && output.empty()) output = "exit status " + std::to_string(status);
    }
    return output;
}

bool HaveValidator() { return std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0; }

// inode and modification time of every file below a folder.
std::map<std::string, std::pair<ino_t, std::int64_t>> Stamps(const fs::path& folder) {
    std::map<std::string, std::pair<ino_t, std::int64_t>> stamps;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        struct stat st {};
        ::lstat(entry.path().c_str(), &st);
        stamps[entry.path().string()] = {st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
    }
    return stamps;
}

// ---- The fixture: injected places, rights and program ---------------------

class DesktopEntries : public ::testing::Test {
protected:
    DesktopEntries() {
        fs::create_directories(v_root.Path() / AwkwardFolder);
        testing::WriteFile(v_program, "program");
    }

    bool Create(bool bAllUsers, std::string_view szPrefix = "Uninstall") {
        return CreateStartMenuItem(bAllUsers, "Orvane", "Brumalis", v_program, "", 0, true, szPrefix, 1);
    }
    fs::path UserFolder() const { return v_root.Path() / "user/applications/orvane"; }
    fs::path AllUsersFolder() const { return v_root.Path() / "all/applications/orvane"; }
    fs::path UserPackage() const { return v_root.Path() / "user/mime/packages/orvane-brumalis.xml"; }

    CTPrivateFolder v_root;
    std::string v_program = (v_root.Path() / AwkwardFolder / "brumalis").string();
    CTDesktopPlacesSubstitute v_places{TDesktopPlaces{
        v_root / "user", v_root / "all", {v_root / "sys1", v_root / "sys2"}}};
    CTAdministratorRightsSubstitute v_rights{false};
};

TEST_F(DesktopEntries, BothEntriesAreValidAndStartExactlyTheProgram) {
    ASSERT_TRUE(Create(true));
    const fs::path program = UserFolder() / "brumalis.desktop";
    const fs::path uninstall = UserFolder() / "brumalis-uninstall.desktop";
    ASSERT_TRUE(fs::exists(program));
    ASSERT_TRUE(fs::exists(uninstall));

    const auto values = EntryValues(program);
    EXPECT_EQ(values.at("Name"), "Brumalis");
    EXPECT_EQ(ExecArguments(values.at("Exec")), (std::vector<std::string>{v_program, "%f"}));
    EXPECT_EQ(Unescape(values.at("TryExec")), v_program);
    EXPECT_EQ(Unescape(values.at("Path")), (v_root.Path() / AwkwardFolder).string());
    EXPECT_EQ(values.at("MimeType"), "application/x-brumalis-project;");
    EXPECT_EQ(Unescape(values.at("Icon")), (UserFolder() / "brumalis.svg").string());
    EXPECT_EQ(testing::ReadFile(UserFolder() / "brumalis.svg"), *FindBlob("PROGRAM_ICON_0"));

    const auto uninstallValues = EntryValues(uninstall);
    EXPECT_EQ(uninstallValues.at("Name"), "Uninstall Brumalis");
    EXPECT_EQ(ExecArguments(uninstallValues.at("Exec")), (std::vector<std::string>{v_program, "/uninstall"}));
    EXPECT_EQ(uninstallValues.count("MimeType"), 0U);
    EXPECT_EQ(testing::ReadFile(UserFolder() / "brumalis-uninstall.svg"), *FindBlob("PROGRAM_ICON_1"));

    const std::string package = testing::ReadFile(UserPackage());
    EXPECT_NE(package.find("<glob pattern=\"*.cpf\"/>"), std::string::npos);
    EXPECT_NE(package.find("offset=\"0\" value=\"QXZ\""), std::string::npos);

    if (!HaveValidator()) GTEST_SKIP() << "desktop-file-validate is not installed (scripts/setup.sh)";
    EXPECT_EQ(Validate(program), "");
    EXPECT_EQ(Validate(uninstall), "");
}

TEST_F(DesktopEntries, ASecondStartTouchesNoFile) {
    ASSERT_TRUE(Create(true));
    const auto before = Stamps(v_root.Path() / "user");
    ASSERT_GE(before.size(), 5U);
    ASSERT_TRUE(Create(true));
    EXPECT_EQ(Stamps(v_root.Path() / "user"), before);
}

TEST_F(DesktopEntries, ATranslatedPrefixChangesTheNameButNoFileName) {
    ASSERT_TRUE(Create(true, "Удалить"));
    EXPECT_EQ(EntryValues(UserFolder() / "brumalis-uninstall.desktop").at("Name"), "Удалить Brumalis");
    ASSERT_TRUE(Create(true, "Uninstall"));
    EXPECT_EQ(EntryValues(UserFolder() / "brumalis-uninstall.desktop").at("Name"), "Uninstall Brumalis");
    EXPECT_EQ(std::distance(fs::directory_iterator(UserFolder()), fs::directory_iterator()), 4);
}

TEST_F(DesktopEntries, AnEntryForAllUsersAlreadyThereMeansNothingToWrite) {
    fs::create_directories(v_root.Path() / "sys2/applications/orvane");
    testing::WriteFile(v_root.Path() / "sys2/applications/orvane/brumalis.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(Create(true));
    EXPECT_FALSE(fs::exists(v_root.Path() / "user"));
    EXPECT_FALSE(fs::exists(v_root.Path() / "all"));
    // Not asked for all users: the user's own entries.
    EXPECT_TRUE(Create(false));
    EXPECT_TRUE(fs::exists(UserFolder() / "brumalis.desktop"));
}

TEST_F(DesktopEntries, AllUsersWithoutRightsMeansTheUsersOwnAndWithRightsTheMachines) {
    EXPECT_TRUE(Create(true));
    EXPECT_TRUE(fs::exists(UserFolder() / "brumalis.desktop"));
    EXPECT_FALSE(fs::exists(v_root.Path() / "all"));

    const CTAdministratorRightsSubstitute administrator(true);
    EXPECT_TRUE(Create(true));
    EXPECT_TRUE(fs::exists(AllUsersFolder() / "brumalis.desktop"));
    EXPECT_TRUE(fs::exists(AllUsersFolder() / "brumalis-uninstall.desktop"));
    EXPECT_TRUE(fs::exists(v_root.Path() / "all/mime/packages/orvane-brumalis.xml"));
}

TEST_F(DesktopEntries, UnfitTextsWriteNothing) {
    for (const std::string& path : {v_program + "\nExec=/bin/evil", std::string("relative/brumalis"),
                                    v_program + "\x7f", v_program + "\xff\xfe", std::string()}) {
        EXPECT_FALSE(CreateStartMenuItem(true, "Orvane", "Brumalis", path, "", 0, true, "Uninstall", 1));
    }
    EXPECT_FALSE(CreateStartMenuItem(true, "Orvane", "Bru/malis", v_program, "", 0, true, "Uninstall", 1));
    EXPECT_FALSE(CreateStartMenuItem(true, "", "Brumalis", v_program, "", 0, true, "Uninstall", 1));
    EXPECT_FALSE(CreateStartMenuItem(true, "Orvane", "Brumalis", v_program, "", 0, true, "Un\ninstall", 1));
    EXPECT_FALSE(fs::exists(v_root.Path() / "user"));
}

TEST_F(DesktopEntries, UninstallRemovesEverythingButAFolderOthersStillUse) {
    ASSERT_TRUE(Create(true));
    testing::WriteFile(UserFolder() / "another-program.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(DeleteStartMenuItem("Orvane", "Brumalis", true));
    EXPECT_FALSE(fs::exists(UserPackage()));
    ASSERT_TRUE(fs::exists(UserFolder()));
    EXPECT_EQ(std::distance(fs::directory_iterator(UserFolder()), fs::directory_iterator()), 1);

    fs::remove(UserFolder() / "another-program.desktop");
    ASSERT_TRUE(Create(true));
    EXPECT_TRUE(DeleteStartMenuItem("Orvane", "Brumalis", true));
    EXPECT_FALSE(fs::exists(UserFolder()));
}

TEST_F(DesktopEntries, AnAdministratorsUninstallRemovesBothAndOnlyAsked) {
    ASSERT_TRUE(Create(false));
    {
        const CTAdministratorRightsSubstitute administrator(true);
        ASSERT_TRUE(Create(true));
        EXPECT_TRUE(DeleteStartMenuItem("Orvane", "Brumalis", false));
    }
    EXPECT_FALSE(fs::exists(UserFolder() / "brumalis.desktop"));
    EXPECT_FALSE(fs::exists(AllUsersFolder() / "brumalis.desktop"));
    // Without bDeleteUninstallItem the uninstall entries stay.
    EXPECT_TRUE(fs::exists(UserFolder() / "brumalis-uninstall.desktop"));
    EXPECT_TRUE(fs::exists(AllUsersFolder() / "brumalis-uninstall.desktop"));
}

TEST(DesktopExec, FieldCodesStayAndEverythingElseIsQuoted) {
    EXPECT_EQ(DesktopExecValue("/opt/b", {"%f"}), "\"/opt/b\" %f");
    EXPECT_EQ(DesktopExecValue("/a b/$x", {"/uninstall"}), "\"/a b/\\\\$x\" \"/uninstall\"");
    EXPECT_EQ(DesktopExecValue("/100%", {}), "\"/100%%\"");
    EXPECT_EQ(ExecArguments(DesktopExecValue("/a\\b\"c`d", {"%f"})), (std::vector<std::string>{"/a\\b\"c`d", "%f"}));
}

}  // namespace
}  // namespace brumalis::platform
