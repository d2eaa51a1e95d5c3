#include "workflow/desktop_start.h"

#include <algorithm>
#include <charconv>

#include "objectstore/database_set.h"
#include "platform/build_identity.h"

namespace brumalis {

TDesktopStart::TDesktopStart(platform::TParameters params, CTDesktopPresenter& presenter)
    : v_presenter(presenter),
      v_registration(std::move(params),
                     TRegistrationDialogs{[this](const std::string& sz) { return v_presenter.Ask(sz); },
                                          [this](const std::string& sz) { v_presenter.Show(sz); }}),
      v_window(TRegistrationSteps::kApplicationTitle),
      v_program(std::make_unique<TProgramStart>()) {
    AddDesktopSteps();
}

TDesktopStart::~TDesktopStart() { CloseWindows(); }

void TDesktopStart::CloseWindows() {
    if (v_bWindowCreated) v_presenter.DestroyMainWindow();
    v_bWindowCreated = false;
    if (v_program && v_program->UIGlossary()) v_presenter.SetDialogTranslation(nullptr);
    v_program.reset();
}

void TDesktopStart::AddDesktopSteps() {
    TProgramStart& program = *v_program;
    program.InsertStepAfter(TProgramStart::kStepTranslation, kStepDialogTranslation, [this](TProgramStart& s) {
        if (const CTGlossary* pGlossary = s.UIGlossary()) v_presenter.SetDialogTranslation(pGlossary);
    });
    program.InsertStepAfter(kStepDialogTranslation, kStepInstance, [this](TProgramStart&) {
        if (!v_registration.TakeInstanceGuard()) throw CTStartUpError(TRegistrationSteps::kTextAlreadyRunning);
    });
    AddRegistrationSteps();
    program.AddStep(kStepMainWindow, [this](TProgramStart& s) {
        v_presenter.CreateMainWindow(v_window, s);
        v_bWindowCreated = true;
    });
    program.AddStep(kStepWindowTranslation, [this](TProgramStart& s) {
        if (const CTGlossary* pGlossary = s.UIGlossary()) v_presenter.TranslateMainWindow(*pGlossary);
    });
    program.AddStep(kStepProjectModified, [this](TProgramStart&) { RegisterProjectModified(); });
    program.AddStep(kStepSecondLogo, [this](TProgramStart&) { v_window.HideSecondLogo(); });
    program.AddStep(kStepCaption, [this](TProgramStart&) { AppendVersionToCaption(); });
    program.AddStep(kStepPageAvailability, [this](TProgramStart&) { v_window.MarkContentPagesEmpty(); });
    program.AddStep(kStepProjectState, [this](TProgramStart&) { v_window.ResetProject(); });
}

// The uninstall run and the deletion copy end before anything else is made;
// a failed registration does not stop the start.
void TDesktopStart::AddRegistrationSteps() {
    TProgramStart& program = *v_program;
    program.InsertStepAfter(kStepInstance, kStepUninstall, [this](TProgramStart&) {
        if (v_registration.RunUninstall()) EndQuietly();
    });
    program.InsertStepAfter(kStepUninstall, kStepDeletionCopy, [this](TProgramStart&) {
        if (v_registration.RunDeletionCopy()) EndQuietly();
    });
    program.InsertStepAfter(kStepDeletionCopy, kStepRegistration,
                            [this](TProgramStart&) { v_registration.RegisterWithDesktop(); });
}

void TDesktopStart::EndQuietly() {
    v_bEndQuietly = true;
    throw CTStartUpError("The program ends here.");
}

void TDesktopStart::RunStartUpDisclaimer() {
    if (v_presenter.RunDisclaimer() != 1) EndQuietly();
}

// The factory hands the callback to the engines it makes from now on; the
// project database's engine exists since the connection, so it gets it too.
void TDesktopStart::RegisterProjectModified() {
    const auto onModified = [this](bool bModified) { v_window.SetProjectModified(bModified); };
    CTFactory& factory = v_program->Factory();
    factory.SetModifiedProc(dbChillerProject, CTModifiedProc(onModified));
    if (CTDbEngine* pEngine = factory.Engine(dbChillerProject)) {
        pEngine->SetModifiedProc([onModified](bool b, std::int32_t, std::int32_t, const std::string&, std::int32_t) {
            onModified(b);
        });
        pEngine->EnableModifiedProc(true);
    }
}

void TDesktopStart::AppendVersionToCaption() {
    v_window.AppendVersionToCaption(platform::CTVersionUtils::GetVersionStringEx(" - ", ""),
                                    Cls_DdbVersionInfo::GetOrvaneVersion(),
                                    platform::CTVersionUtils::GetConfigurationName());
}

TDesktopOutcome TDesktopStart::Start() {
    TDesktopOutcome outcome;
    outcome.Result = v_program->Run();
    if (outcome.Result.Ok) {
        v_presenter.ShowMainWindow();
        outcome.bRunLoop = true;
        return outcome;
    }
    // The instance check has told the user already; the first copy goes on.
    if (outcome.Result.FailedStep == kStepInstance) return outcome;
    if (v_bEndQuietly) {
        CloseWindows();
        return outcome;
    }
    v_presenter.ShowError(outcome.Result.Message);
    CloseWindows();
    outcome.ExitCode = 1;
    outcome.ErrorLine = std::string(TRegistrationSteps::kApplicationTitle) + ": " + outcome.Result.FailedStep +
                        ": " + outcome.Result.Message;
    std::replace_if(
        outcome.ErrorLine.begin(), outcome.ErrorLine.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return outcome;
}

std::vector<std::string> TDesktopStart::StepTimeLines(const TStartUpResult& result) {
    std::vector<std::string> lines;
    for (const TStartUpStepTime& step : result.Steps) {
        // "." whatever locale the toolkit has set.
        char szMs[32];
        const auto end = std::to_chars(szMs, szMs + sizeof szMs, static_cast<double>(step.Duration.count()) / 1000.0,
                                       std::chars_format::fixed, 1);
        lines.push_back(step.Name + ": " + std::string(szMs, end.ptr) + " ms");
    }
    return lines;
}

}  // namespace brumalis
