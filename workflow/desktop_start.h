// The desktop program's start and end without any GUI: the program start's
// steps with the desktop's own inserted (the instance check right after the
// user-interface glossary, so that its message is translated, after the
// dialogs' translation through that glossary; the main
// window, its translation, the project-modified callback, the hidden second
// logo, the caption, the pages with nothing to show and the empty project),
// each named and timed, run before the window first shows. The windows are
// reached through a presenter, which the Qt front end implements and tests
// script.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "localisation/glossary.h"
#include "platform/self_deletion.h"
#include "workflow/main_window.h"
#include "workflow/registration_steps.h"
#include "workflow/start_up.h"

namespace brumalis {

class CTDesktopPresenter {
public:
    virtual ~CTDesktopPresenter() = default;

    // A Yes/No question; true for Yes.
    virtual bool Ask(const std::string& szQuestion) = 0;
    // A message the user acknowledges.
    virtual void Show(const std::string& szText) = 0;
    // The general terms with the choice to accept them, owned by the main
    // window (or by nothing before it exists): 1 accepted, 2 not.
    virtual int RunDisclaimer() = 0;
    // Why the start failed.
    virtual void ShowError(const std::string& szText) = 0;
    // Every dialog made from now on is translated through the glossary;
    // none: dialogs are no longer translated (the glossary is going).
    virtual void SetDialogTranslation(const CTGlossary* pGlossary) = 0;
    // Makes the main window over the model and the started program, not shown yet.
    virtual void CreateMainWindow(TMainWindowModel& model, TProgramStart& program) = 0;
    // Translates the main window's captions, hints and items.
    virtual void TranslateMainWindow(const CTGlossary& glossary) = 0;
    virtual void ShowMainWindow() = 0;
    // Before the session and the database set go.
    virtual void DestroyMainWindow() = 0;
};

// How a start ended: the message loop is to run, or the process ends with
// ExitCode; ErrorLine (without line end) goes to standard error when not empty.
struct TDesktopOutcome {
    bool bRunLoop = false;
    int ExitCode = 0;
    std::string ErrorLine;
    TStartUpResult Result;
};

class TDesktopStart {
public:
    static constexpr const char* kStepDialogTranslation = "Dialog translation";
    static constexpr const char* kStepInstance = "Instance check";
    static constexpr const char* kStepUninstall = "Uninstall run";
    static constexpr const char* kStepDeletionCopy = "Deletion copy";
    static constexpr const char* kStepRegistration = "Desktop registration";
    static constexpr const char* kStepMainWindow = "Main window";
    static constexpr const char* kStepWindowTranslation = "Window translation";
    static constexpr const char* kStepProjectModified = "Project-modified callback";
    static constexpr const char* kStepSecondLogo = "Second logo";
    static constexpr const char* kStepCaption = "Window caption";
    static constexpr const char* kStepPageAvailability = "Page availability";
    static constexpr const char* kStepProjectState = "Project state";

    // params: the command line without the program name and without the
    // toolkit's own options.
    TDesktopStart(platform::TParameters params, CTDesktopPresenter& presenter);
    // The main window first, then the dialogs' translation, the session and
    // the database set; the instance lock last.
    ~TDesktopStart();
    TDesktopStart(const TDesktopStart&) = delete;
    TDesktopStart& operator=(const TDesktopStart&) = delete;

    // The list of steps, for a front end to insert its own before Start.
    TProgramStart& Program() { return *v_program; }
    TMainWindowModel& Window() { return v_window; }
    // The command line the program was started with (a project to open).
    const platform::TParameters& Parameters() const { return v_registration.Parameters(); }
    // False once a failed start has freed the database set.
    bool DatabaseSetOpen() const { return v_program != nullptr; }

    // Runs every step; on success shows the main window. A second copy ends
    // with code 0 after its message; any other failed step shows its message,
    // frees the database set and ends with code 1.
    TDesktopOutcome Start();

    // The terms at the first start (the first-run actions' callback, inside
    // a step): not accepted, the program ends there, with code 0, no
    // message, the database set freed.
    void RunStartUpDisclaimer();

    // Each step's time, one line each: "<name>: <ms> ms".
    static std::vector<std::string> StepTimeLines(const TStartUpResult& result);

private:
    void AddDesktopSteps();
    void AddRegistrationSteps();
    // Ends the start from within a step, quietly: no message, code 0.
    [[noreturn]] void EndQuietly();
    // The windows go before the glossaries and the database set they show.
    void CloseWindows();
    void RegisterProjectModified();
    void AppendVersionToCaption();

    CTDesktopPresenter& v_presenter;
    TRegistrationSteps v_registration;
    TMainWindowModel v_window;
    std::unique_ptr<TProgramStart> v_program;
    bool v_bWindowCreated = false;
    bool v_bEndQuietly = false;
};

}  // namespace brumalis
