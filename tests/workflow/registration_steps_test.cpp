#include <gtest/gtest.h>

#include <sys/wait.h>

#include <map>
#include <thread>

#include "../platform/process_fixture.h"
#include "platform/administrator_rights.h"
#include "platform/build_identity.h"
#include "platform/desktop_entries.h"
#include "platform/process.h"
#include "platform/program_path.h"
#include "platform/uninstall_entry.h"
#include "workflow/registration_steps.h"

namespace brumalis {
namespace {

using namespace std::chrono_literals;
using platform::testing::CTPrivateFolder;
using platform::testing::CTScopedEnv;
namespace fs = std::filesystem;

const std::string Probe = BRUMALIS_REGISTRATION_PROBE;
const std::string Entry = "Software\\MicroSoft\\Windows\\CurrentVersion\\Uninstall\\Brumalis";

// What the user was asked and shown.
struct TDialogLog {
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    bool bAnswer = false;

    TRegistrationDialogs Dialogs() {
        return {[this](const std::string& szQuestion) {
                    questions.push_back(szQuestion);
                    return bAnswer;
                },
                [this](const std::string& szText) { messages.push_back(szText); }};
    }
};

// Everything injected: places, rights, registry, lock folder, program.
class RegistrationSteps : public ::testing::Test {
protected:
    RegistrationSteps() { platform::testing::WriteFile(v_program, "program"); }

    fs::path Menu() const { return v_root.Path() / "user/applications/orvane"; }

    CTPrivateFolder v_root;
    CTScopedEnv v_runtime{"XDG_RUNTIME_DIR", v_root.Path().string()};
    CTScopedEnv v_tmp{"TMPDIR", v_root.Path().string()};
    std::string v_program = v_root / "brumalis";
    platform::CTProgramPathSubstitute v_programPath{v_program};
    platform::CTDesktopPlacesSubstitute v_places{platform::TDesktopPlaces{v_root / "user", v_root / "all", {}}};
    platform::CTAdministratorRightsSubstitute v_rights{false};
    std::shared_ptr<platform::CTMemorySettingsStore> v_user = std::make_shared<platform::CTMemorySettingsStore>();
    platform::CTRegistry v_registry{v_user, std::make_shared<platform::CTMemorySettingsStore>(true)};
    platform::CTRegistrySubstitute v_registrySubstitute{v_registry};
    TDialogLog v_log;
};

TEST_F(RegistrationSteps, ASecondCopyIsRefusedWithTheMessageForItsKindOfRun) {
    TRegistrationSteps first({}, v_log.Dialogs());
    ASSERT_TRUE(first.TakeInstanceGuard());
    EXPECT_TRUE(v_log.messages.empty());

    TRegistrationSteps second({"project.cpf"}, v_log.Dialogs());
    EXPECT_FALSE(second.TakeInstanceGuard());
    TRegistrationSteps uninstall({"/Uninstall"}, v_log.Dialogs());
    EXPECT_FALSE(uninstall.TakeInstanceGuard());
    EXPECT_EQ(v_log.messages, (std::vector<std::string>{"Brumalis is already running on this machine",
                                                        "Brumalis is running on this machine, cannot uninstall"}));

    // The deletion copy runs beside the program it removes.
    TRegistrationSteps copy({"PID:3", "EXE:\"/opt/orvane/brumalis\""}, v_log.Dialogs());
    EXPECT_TRUE(copy.TakeInstanceGuard());
    EXPECT_EQ(v_log.messages.size(), 2U);
}

TEST_F(RegistrationSteps, TheGuardLastsAsLongAsTheSteps) {
    {
        TRegistrationSteps steps({}, v_log.Dialogs());
        ASSERT_TRUE(steps.TakeInstanceGuard());
    }
    TRegistrationSteps again({}, v_log.Dialogs());
    EXPECT_TRUE(again.TakeInstanceGuard());
}

TEST_F(RegistrationSteps, ANormalStartRegistersTheProgram) {
    TRegistrationSteps steps({}, v_log.Dialogs());
    EXPECT_FALSE(steps.RunDeletionCopy());
    EXPECT_FALSE(steps.RunUninstall());
    ASSERT_TRUE(steps.RegisterWithDesktop());
    EXPECT_TRUE(fs::exists(Menu() / "brumalis.desktop"));
    EXPECT_TRUE(fs::exists(Menu() / "brumalis-uninstall.desktop"));
    EXPECT_EQ(v_user->ReadString(Entry, "UninstallString", ""), v_program + " /uninstall");
    EXPECT_EQ(v_user->ReadString(Entry, "Publisher", ""), "Orvane");
    EXPECT_EQ(v_user->ReadString(Entry, "URLInfoAbout", ""), platform::MakerWebAddress());
    EXPECT_EQ(v_user->ReadString(Entry, "DisplayVersion", ""),
              platform::CTVersionUtils::VersionString(platform::CTVersionUtils::GetVersion(), "", "", ""));
    EXPECT_TRUE(v_log.questions.empty());
    EXPECT_TRUE(v_log.messages.empty());
}

TEST_F(RegistrationSteps, AnUninstallAnsweredNoKeepsEverything) {
    TRegistrationSteps normal({}, v_log.Dialogs());
    ASSERT_TRUE(normal.RegisterWithDesktop());
    v_user->WriteInteger("Software\\Orvane\\Brumalis\\Preferences", "Units", 1);

    TRegistrationSteps uninstall({"/uninstall"}, v_log.Dialogs());
    EXPECT_TRUE(uninstall.RunUninstall());
    EXPECT_EQ(v_log.questions, (std::vector<std::string>{"Are you sure to uninstall the Brumalis program?"}));
    EXPECT_TRUE(v_log.messages.empty());
    EXPECT_TRUE(fs::exists(v_program));
    EXPECT_TRUE(fs::exists(Menu() / "brumalis.desktop"));
    EXPECT_TRUE(v_user->KeyExists(Entry));
    EXPECT_TRUE(v_user->KeyExists("Software\\Orvane\\Brumalis"));
}

TEST_F(RegistrationSteps, TheFirstShowingEndsForAnUninstallRunOrTheDeletionCopy) {
    TRegistrationSteps uninstall({"/uninstall"}, v_log.Dialogs());
    EXPECT_FALSE(uninstall.RunFirstShowing());  // answered No: nothing removed, nothing registered
    EXPECT_EQ(v_log.questions.size(), 1U);
    EXPECT_TRUE(v_log.messages.empty());
    EXPECT_FALSE(fs::exists(Menu() / "brumalis.desktop"));
    EXPECT_TRUE(fs::exists(v_program));

    TRegistrationSteps copy({"PID:3", "EXE:\"/opt/orvane/brumalis\""}, v_log.Dialogs());
    EXPECT_FALSE(copy.RunFirstShowing());
    EXPECT_EQ(v_log.questions.size(), 1U);
    EXPECT_FALSE(fs::exists(Menu() / "brumalis.desktop"));
    EXPECT_FALSE(v_user->KeyExists(Entry));

    TRegistrationSteps normal({"project.cpf"}, v_log.Dialogs());
    EXPECT_TRUE(normal.RunFirstShowing());
    EXPECT_TRUE(fs::exists(Menu() / "brumalis.desktop"));
    EXPECT_TRUE(v_user->KeyExists(Entry));
    EXPECT_EQ(v_log.questions.size(), 1U);
}

// Every file below a folder with its bytes and times.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const fs::path& folder) {
    std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().string()] = {platform::testing::ReadFile(entry.path()), entry.last_write_time()};
        }
    }
    return files;
}

TEST_F(RegistrationSteps, ASecondStartChangesNoFile) {
    platform::CTRegistry files(
        std::make_shared<platform::CTFileSettingsStore>((v_root.Path() / "config/brumalis/registry.ini").string(), false),
        std::make_shared<platform::CTMemorySettingsStore>(true));
    const platform::CTRegistrySubstitute use(files);
    TRegistrationSteps first({}, v_log.Dialogs());
    ASSERT_TRUE(first.RunFirstShowing());
    ASSERT_TRUE(fs::exists(Menu() / "brumalis.desktop"));
    ASSERT_NE(platform::testing::ReadFile(v_root.Path() / "config/brumalis/registry.ini").find("Uninstall\\Brumalis"),
              std::string::npos);
    const auto before = Snapshot(v_root.Path());
    std::this_thread::sleep_for(20ms);  // a rewrite would show in the times
    TRegistrationSteps second({}, v_log.Dialogs());
    ASSERT_TRUE(second.RunFirstShowing());
    EXPECT_EQ(Snapshot(v_root.Path()), before);
}

// ---- The program itself, uninstalled --------------------------------------

class UninstallRun : public ::testing::Test {
protected:
    UninstallRun() {
        fs::create_directories(v_root.Path() / "install");
        fs::create_directories(v_root.Path() / "tmp");
        fs::create_directories(v_root.Path() / "runtime");
        fs::permissions(v_root.Path() / "runtime", fs::perms::owner_all);
        fs::copy_file(Probe, v_program);
    }

    int Run(const std::vector<std::string>& arguments) const {
        const auto run = platform::SpawnProcess({v_program, arguments, {}});
        if (!run) return -1;
        const auto status = run->WaitForExit(25s);
        return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    }
    fs::path Menu() const { return v_root.Path() / "data/applications/orvane"; }

    CTPrivateFolder v_root;
    std::string v_program = v_root / "install/brumalis";
    CTScopedEnv v_data{"XDG_DATA_HOME", v_root / "data"};
    CTScopedEnv v_dirs{"XDG_DATA_DIRS", v_root / "system"};
    CTScopedEnv v_config{"XDG_CONFIG_HOME", v_root / "config"};
    CTScopedEnv v_runtime{"XDG_RUNTIME_DIR", v_root / "runtime"};
    CTScopedEnv v_tmp{"TMPDIR", v_root / "tmp"};
    CTScopedEnv v_allUsers{"BRUMALIS_PROBE_ALL_USERS", v_root / "all"};
    CTScopedEnv v_logFile{"BRUMALIS_PROBE_LOG", v_root / "log"};
    CTScopedEnv v_answer{"BRUMALIS_PROBE_ANSWER", "yes"};
    CTScopedEnv v_language{"BRUMALIS_LANGUAGE", "en"};
};

TEST_F(UninstallRun, AnsweredYesTheProgramIsGoneWithEveryTrace) {
    const fs::path registry = v_root.Path() / "config/brumalis/registry.ini";
    fs::create_directories(registry.parent_path());
    platform::testing::WriteFile(registry, "[Software\\Orvane\\Brumalis\\Preferences]\nUnits=int:1\n");
    ASSERT_EQ(Run({}), 0);
    ASSERT_TRUE(fs::exists(Menu() / "brumalis.desktop"));
    ASSERT_NE(platform::testing::ReadFile(registry).find("Uninstall\\Brumalis"), std::string::npos);

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Run({"/uninstall"}), 0);
    EXPECT_TRUE(platform::testing::Eventually([&] { return !fs::exists(v_program); }, 25s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 25s);
    EXPECT_FALSE(fs::exists(Menu()));
    EXPECT_FALSE(fs::exists(v_root.Path() / "data/mime/packages/orvane-brumalis.xml"));
    const std::string settings = platform::testing::ReadFile(registry);
    EXPECT_EQ(settings.find("Uninstall\\Brumalis"), std::string::npos);
    EXPECT_EQ(settings.find("[Software\\Orvane"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(v_root.Path() / "tmp"));
    // Only the lock file stays in the runtime folder, no event.
    for (const auto& entry : fs::directory_iterator(v_root.Path() / "runtime")) {
        EXPECT_EQ(entry.path().filename(), "Brumalis.lock");
    }
    EXPECT_EQ(platform::testing::ReadFile(v_root.Path() / "log"),
              "? Are you sure to uninstall the Brumalis program?\nBrumalis Program successfully uninstalled.\n");
}

TEST_F(UninstallRun, AnsweredNoNothingIsRemoved) {
    ASSERT_EQ(Run({}), 0);
    const CTScopedEnv answer("BRUMALIS_PROBE_ANSWER", "no");
    ASSERT_EQ(Run({"/UNINSTALL"}), 0);
    EXPECT_TRUE(fs::exists(v_program));
    EXPECT_TRUE(fs::exists(Menu() / "brumalis.desktop"));
    EXPECT_TRUE(fs::is_empty(v_root.Path() / "tmp"));
}

}  // namespace
}  // namespace brumalis
