#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "../platform/process_fixture.h"
#include "dialogs/messages.h"
#include "objectstore/database_set.h"
#include "platform/administrator_rights.h"
#include "platform/build_identity.h"
#include "platform/desktop_entries.h"
#include "platform/program_path.h"
#include "platform/instance_lock.h"
#include "shipped_workflow_fixture.h"
#include "workflow/desktop_start.h"

namespace brumalis::testing {
namespace {

using platform::testing::CTPrivateFolder;
using platform::testing::CTScopedEnv;
namespace fs = std::filesystem;

// The windows of a start as a log of what was asked of them.
class CTScriptedPresenter : public CTDesktopPresenter {
public:
    bool Ask(const std::string& szQuestion) override {
        log.push_back("ask " + szQuestion);
        return bAnswerYes;
    }
    void Show(const std::string& szText) override { log.push_back("show " + szText); }
    int RunDisclaimer() override {
        log.push_back("disclaimer");
        return nDisclaimerAnswer;
    }
    void ShowError(const std::string& szText) override { log.push_back("error " + szText); }
    void SetDialogTranslation(const CTGlossary* pGlossary) override {
        log.push_back(pGlossary ? "dialogs " + pGlossary->Translate("Settings").value_or("?") : "dialogs off");
    }
    void CreateMainWindow(TMainWindowModel& model, TProgramStart&) override {
        pModel = &model;
        log.push_back("create");
    }
    void TranslateMainWindow(const CTGlossary& glossary) override {
        log.push_back("translate " + glossary.Translate("Settings").value_or("?"));
    }
    void ShowMainWindow() override { log.push_back("show window"); }
    void DestroyMainWindow() override {
        // The window goes while the session and the database set still exist.
        bDatabaseSetAtDestroy = CTDbObject::GetDefaultFactory() != nullptr;
        log.push_back("destroy");
    }

    bool Logged(const std::string& szEntry) const { return std::find(log.begin(), log.end(), szEntry) != log.end(); }

    std::vector<std::string> log;
    TMainWindowModel* pModel = nullptr;
    bool bDatabaseSetAtDestroy = false;
    int nDisclaimerAnswer = 1;
    bool bAnswerYes = false;
};

class DesktopStart : public ShippedWorkflow {
protected:
    CTPrivateFolder runtime;
    CTScopedEnv runtimeEnv{"XDG_RUNTIME_DIR", runtime.Path().string()};
    // The menu entries go to the test's own folders, for no administrator.
    CTPrivateFolder desktop;
    platform::CTDesktopPlacesSubstitute places{
        platform::TDesktopPlaces{desktop / "user", desktop / "all", {desktop / "system"}}};
    platform::CTAdministratorRightsSubstitute noAdministrator{false};
    CTScriptedPresenter presenter;
};

TEST_F(DesktopStart, ASecondCopyShowsTheTranslatedMessageAndMakesNoWindow) {
    unsetenv("BRUMALIS_LANGUAGE");
    const platform::CTInstanceGuard first = platform::CreateGlobalMutex(TRegistrationSteps::kInstanceName);
    ASSERT_EQ(first.State(), platform::TInstanceState::Owned);
    TDesktopStart start({}, presenter);
    const TDesktopOutcome outcome = start.Start();
    EXPECT_FALSE(outcome.bRunLoop);
    EXPECT_EQ(outcome.ExitCode, 0);
    EXPECT_TRUE(outcome.ErrorLine.empty());
    // The glossary came first, so the second copy speaks Russian.
    EXPECT_EQ(presenter.log, (std::vector<std::string>{"dialogs Настройки",
                                                        "show Программа Brumalis уже запущена на этом компьютере"}));
    ASSERT_EQ(outcome.Result.Steps.size(), 3U);
    EXPECT_EQ(outcome.Result.Steps[0].Name, TProgramStart::kStepTranslation);
    EXPECT_EQ(outcome.Result.Steps[2].Name, TDesktopStart::kStepInstance);
}

TEST_F(DesktopStart, ADamagedOrForeignCatalogueEndsWithCodeOneAndNoWindow) {
    for (const bool bDamaged : {true, false}) {
        SCOPED_TRACE(bDamaged ? "damaged" : "other structure version");
        if (bDamaged) {
            ReplaceBlob("DEVICE_DATABASE", "QXZ this is no catalogue at all");
        } else {
            ReplaceBlob("Device_Database_Ref", "EDI100 structure 99.9");
        }
        CTScriptedPresenter failing;
        TDesktopStart start({}, failing);
        const TDesktopOutcome outcome = start.Start();
        EXPECT_FALSE(outcome.bRunLoop);
        EXPECT_EQ(outcome.ExitCode, 1);
        const std::string step = bDamaged ? TProgramStart::kStepConnect : TProgramStart::kStepStructureVersion;
        EXPECT_EQ(outcome.Result.FailedStep, step);
        EXPECT_EQ(outcome.ErrorLine, "Brumalis: " + step + ": " + outcome.Result.Message);
        EXPECT_EQ(outcome.ErrorLine.find('\n'), std::string::npos);
        // The reason is shown, then the database set is gone; no window was made.
        EXPECT_EQ(failing.log, std::vector<std::string>{"error " + outcome.Result.Message});
        EXPECT_FALSE(start.DatabaseSetOpen());
        EXPECT_EQ(CTDbObject::GetDefaultFactory(), nullptr);
        for (const auto& [name, bytes] : replacedBlobs) platform::RegisterBlob(name, bytes);
        replacedBlobs.clear();
    }
}

TEST_F(DesktopStart, WithoutTheInterfaceGlossaryTheProgramStartsInEnglishSilently) {
    unsetenv("BRUMALIS_LANGUAGE");
    ReplaceBlob("UIGLOSSARY", "");
    TDesktopStart start({}, presenter);
    const TDesktopOutcome outcome = start.Start();
    ASSERT_TRUE(outcome.bRunLoop) << outcome.ErrorLine;
    EXPECT_EQ(presenter.log, (std::vector<std::string>{"create", "show window"}));
    EXPECT_EQ(start.Program().UIGlossary(), nullptr);
    EXPECT_EQ(dialogs::TBaseMsg::Translate("Settings"), "Settings");
}

TEST_F(DesktopStart, StepsRunInOrderTimedAndLeaveTheWindowReady) {
    unsetenv("BRUMALIS_LANGUAGE");
    TDesktopStart start({}, presenter);
    // A later front-end step goes in by name and runs where it was put.
    std::vector<std::string> seen;
    ASSERT_TRUE(start.Program().InsertStepBefore(TDesktopStart::kStepCaption, "Inserted",
                                                 [&](TProgramStart&) { seen.push_back(start.Window().Caption()); }));
    EXPECT_FALSE(start.Program().InsertStepAfter("No such step", "Lost", [](TProgramStart&) {}));
    const TDesktopOutcome outcome = start.Start();
    ASSERT_TRUE(outcome.bRunLoop) << outcome.ErrorLine;
    const std::vector<std::string> expected = {
        TProgramStart::kStepTranslation,      TDesktopStart::kStepDialogTranslation,
        TDesktopStart::kStepInstance,         TDesktopStart::kStepUninstall,
        TDesktopStart::kStepDeletionCopy,     TDesktopStart::kStepRegistration,
        TProgramStart::kStepDatabaseSet,      TProgramStart::kStepCatalogueGlossary,
        TProgramStart::kStepConnect,          TProgramStart::kStepStructureVersion,
        TProgramStart::kStepUnits,            TProgramStart::kStepRefrigerants,
        TProgramStart::kStepPrices,           TProgramStart::kStepCatalogueLists,
        TProgramStart::kStepPreferences,      TDesktopStart::kStepMainWindow,
        TDesktopStart::kStepWindowTranslation, TDesktopStart::kStepProjectModified,
        TDesktopStart::kStepSecondLogo,       "Inserted",
        TDesktopStart::kStepCaption,          TDesktopStart::kStepPageAvailability,
        TDesktopStart::kStepProjectState};
    std::vector<std::string> ran;
    for (const TStartUpStepTime& step : outcome.Result.Steps) ran.push_back(step.Name);
    EXPECT_EQ(ran, expected);
    const std::vector<std::string> lines = TDesktopStart::StepTimeLines(outcome.Result);
    ASSERT_EQ(lines.size(), expected.size());
    EXPECT_EQ(lines[8].rfind("Connect: ", 0), 0U) << lines[8];
    EXPECT_EQ(lines[8].substr(lines[8].size() - 3), " ms");
    EXPECT_GT(outcome.Result.Steps[8].Duration.count(), 0);
    // Dialogs are translated from the start; the window is made once the
    // data is there, translated, then shown.
    EXPECT_EQ(presenter.log,
              (std::vector<std::string>{"dialogs Настройки", "create", "translate Настройки", "show window"}));

    TMainWindowModel& window = start.Window();
    EXPECT_EQ(presenter.pModel, &window);
    EXPECT_EQ(seen, std::vector<std::string>{"Brumalis"});
    TMainWindowModel expectedCaption("Brumalis");
    expectedCaption.AppendVersionToCaption(platform::CTVersionUtils::GetVersionStringEx(" - ", ""),
                                           Cls_DdbVersionInfo::GetOrvaneVersion(),
                                           platform::CTVersionUtils::GetConfigurationName());
    EXPECT_EQ(window.Caption(), expectedCaption.Caption());
    EXPECT_FALSE(Cls_DdbVersionInfo::GetOrvaneVersion().empty());
    EXPECT_FALSE(window.SecondLogoVisible());
    EXPECT_FALSE(window.IsAvailable(TChillerPage::Results));
    EXPECT_TRUE(window.IsAvailable(TChillerPage::Analysis));
    EXPECT_FALSE(window.ProjectModified());
    // The project database reports its changes to the window.
    window.SetProjectModified(true);
    start.Program().Factory().Engine(dbChillerProject)->ReportUnmodified();
    EXPECT_FALSE(window.ProjectModified());
}

// The unit table is rebuilt with the glossary: every caption translated, the
// stored choice kept by its index.
TEST_F(DesktopStart, UnitCaptionsPassTheGlossaryAndStoredChoicesHoldByIndex) {
    Started();
    int nBtu = -1;
    for (int i = 0; i < TU_Form::DimensionCount(U_Power); ++i) {
        if (TU_Form::GetSpecificString(U_Power, i) == "BTU/h") nBtu = i;
    }
    ASSERT_GE(nBtu, 0);
    TU_Form::SetNewIndex(U_Power, nBtu, false);
    TU_Form::SaveSettingsToRegistry();
    start.reset();

    unsetenv("BRUMALIS_LANGUAGE");
    {
        TDesktopStart desktop({}, presenter);
        ASSERT_TRUE(desktop.Start().bRunLoop);
        EXPECT_EQ(TU_Form::GetNewIndex(U_Power), nBtu);
        EXPECT_EQ(TU_Form::GetCurrentString(U_Power), "БТЕ/ч");
        for (int i = 0; i < TU_Form::DimensionCount(U_Pressure); ++i) {
            EXPECT_NE(TU_Form::GetSpecificString(U_Pressure, i), "kPa");
        }
    }
    // The window first, then the dialogs lose the glossary that is going.
    ASSERT_GE(presenter.log.size(), 2U);
    EXPECT_EQ(presenter.log[presenter.log.size() - 2], "destroy");
    EXPECT_EQ(presenter.log.back(), "dialogs off");
}

TEST_F(DesktopStart, TheWindowGoesBeforeTheDatabaseSetAndTheLockLast) {
    {
        TDesktopStart start({}, presenter);
        ASSERT_TRUE(start.Start().bRunLoop);
        // While the loop runs, a second copy is refused.
        EXPECT_TRUE(platform::CreateGlobalMutex(TRegistrationSteps::kInstanceName).AlreadyExists());
    }
    EXPECT_TRUE(presenter.Logged("destroy"));
    EXPECT_TRUE(presenter.bDatabaseSetAtDestroy);
    // English here: no dialog translation was installed, none is taken away.
    EXPECT_FALSE(presenter.Logged("dialogs off"));
    EXPECT_EQ(CTDbObject::GetDefaultFactory(), nullptr);
    EXPECT_EQ(platform::CreateGlobalMutex(TRegistrationSteps::kInstanceName).State(), platform::TInstanceState::Owned);
}

// The first showing's steps on the desktop: the uninstall run and the
// deletion copy end before any window; a plain start registers, once.
class DesktopRegistration : public DesktopStart {
protected:
    fs::path Entry() const { return desktop.Path() / "user/applications/orvane/brumalis.desktop"; }

    TDesktopOutcome StartWith(const platform::TParameters& params) {
        TDesktopStart start(params, presenter);
        TDesktopOutcome outcome = start.Start();
        bDatabaseSetOpen = start.DatabaseSetOpen();
        return outcome;
    }
    void ExpectQuietEndWithoutWindow(const TDesktopOutcome& outcome) {
        EXPECT_FALSE(outcome.bRunLoop);
        EXPECT_EQ(outcome.ExitCode, 0);
        EXPECT_TRUE(outcome.ErrorLine.empty());
        EXPECT_FALSE(presenter.Logged("create"));
        EXPECT_FALSE(presenter.Logged("show window"));
        EXPECT_FALSE(bDatabaseSetOpen);
        EXPECT_EQ(CTDbObject::GetDefaultFactory(), nullptr);
        for (const std::string& entry : presenter.log) EXPECT_NE(entry.rfind("error", 0), 0U) << entry;
    }

    CTPrivateFolder install;
    CTScopedEnv tmp{"TMPDIR", install.Path().string()};
    bool bDatabaseSetOpen = true;
};

TEST_F(DesktopRegistration, APlainStartWritesTheEntriesAndASecondChangesNoFile) {
    ASSERT_TRUE(StartWith({}).bRunLoop);
    ASSERT_TRUE(fs::exists(Entry()));
    const auto written = fs::last_write_time(Entry());
    const std::string text = platform::testing::ReadFile(Entry());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(StartWith({}).bRunLoop);
    EXPECT_EQ(fs::last_write_time(Entry()), written);
    EXPECT_EQ(platform::testing::ReadFile(Entry()), text);
}

TEST_F(DesktopRegistration, AnUninstallRunAsksAndEndsWithoutAWindowWhateverTheAnswer) {
    ASSERT_TRUE(StartWith({}).bRunLoop);
    ASSERT_TRUE(fs::exists(Entry()));
    presenter.log.clear();
    // Answered No: nothing removed.
    ExpectQuietEndWithoutWindow(StartWith({"/uninstall"}));
    EXPECT_TRUE(presenter.Logged("ask Are you sure to uninstall the Brumalis program?"));
    EXPECT_FALSE(presenter.Logged("show Brumalis Program successfully uninstalled."));
    EXPECT_TRUE(fs::exists(Entry()));

    // Answered Yes: the entries and the program file go. The stand-in file is
    // no program, so it is removed without a deletion copy.
    const std::string program = install / "brumalis";
    platform::testing::WriteFile(program, "not a program");
    const platform::CTProgramPathSubstitute programPath(program);
    presenter.log.clear();
    presenter.bAnswerYes = true;
    ExpectQuietEndWithoutWindow(StartWith({"/UNINSTALL"}));
    EXPECT_TRUE(presenter.Logged("ask Are you sure to uninstall the Brumalis program?"));
    EXPECT_TRUE(presenter.Logged("show Brumalis Program successfully uninstalled."));
    EXPECT_FALSE(fs::exists(Entry()));
    EXPECT_TRUE(platform::testing::Eventually([&] { return !fs::exists(program); }, std::chrono::seconds(25)));
}

TEST_F(DesktopRegistration, TheDeletionCopyEndsAtOnceAndRegistersNothing) {
    const auto started = std::chrono::steady_clock::now();
    ExpectQuietEndWithoutWindow(StartWith({"PID:987654", "EXE:\"" + install / "brumalis" + "\""}));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_TRUE(presenter.log.empty());
    EXPECT_FALSE(fs::exists(Entry()));
}

// The terms at the first start, as the first-run actions ask for them.
TEST_F(DesktopRegistration, TermsNotAcceptedEndTheProgramQuietlyAcceptedItGoesOn) {
    for (const int nAnswer : {2, 1}) {
        SCOPED_TRACE(nAnswer);
        presenter.log.clear();
        presenter.nDisclaimerAnswer = nAnswer;
        TDesktopStart start({}, presenter);
        start.Program().AddStep("First-run actions", [&start](TProgramStart&) { start.RunStartUpDisclaimer(); });
        const TDesktopOutcome outcome = start.Start();
        EXPECT_TRUE(presenter.Logged("disclaimer"));
        if (nAnswer == 1) {
            EXPECT_TRUE(outcome.bRunLoop);
            EXPECT_TRUE(presenter.Logged("show window"));
            continue;
        }
        EXPECT_FALSE(outcome.bRunLoop);
        EXPECT_EQ(outcome.ExitCode, 0);
        EXPECT_TRUE(outcome.ErrorLine.empty());
        EXPECT_FALSE(presenter.Logged("show window"));
        // The window made before the terms goes, then the database set.
        EXPECT_TRUE(presenter.Logged("destroy"));
        EXPECT_FALSE(start.DatabaseSetOpen());
        EXPECT_EQ(CTDbObject::GetDefaultFactory(), nullptr);
        for (const std::string& entry : presenter.log) EXPECT_NE(entry.rfind("error", 0), 0U) << entry;
    }
}

}  // namespace
}  // namespace brumalis::testing
