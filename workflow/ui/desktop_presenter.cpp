#include "workflow/ui/desktop_presenter.h"

#include "dialogs/messages.h"
#include "dialogs/ui/basic_dialog.h"
#include "localisation/ui/widget_translation.h"
#include "platform/shell_open.h"
#include "platform/ui/disclaimer_window.h"

namespace brumalis::ui {

bool TQtDesktopPresenter::Ask(const std::string& szQuestion) {
    return dialogs::TBaseMsg::DisplayQuestionEx(nullptr, dialogs::msgAllParameters, {dialogs::mbYes, dialogs::mbNo},
                                                {szQuestion}) == dialogs::mrYes;
}

void TQtDesktopPresenter::Show(const std::string& szText) {
    dialogs::TBaseMsg::DisplayHint(nullptr, dialogs::msgAllParameters, {szText});
}

int TQtDesktopPresenter::RunDisclaimer() {
    return platform::ui::DisplayDisclaimer(v_window.get(), TRegistrationSteps::kApplicationTitle, true);
}

void TQtDesktopPresenter::ShowError(const std::string& szText) {
    dialogs::TBaseMsg::DisplayError(nullptr, dialogs::msgAllParameters, {szText});
}

void TQtDesktopPresenter::SetDialogTranslation(const CTGlossary* pGlossary) {
    if (!pGlossary) {
        dialogs::ui::TBasicDialog::SetLoadedHook({});
        v_qtTranslation.Remove();
        return;
    }
    v_qtTranslation.Install(pGlossary->GetTargetLanguage());
    dialogs::ui::TBasicDialog::SetLoadedHook(
        [pGlossary](QWidget* pTopControl) { TranslateWidgets(*pGlossary, *pTopControl); });
}

void TQtDesktopPresenter::CreateMainWindow(TMainWindowModel& model, TProgramStart&) {
    v_window = std::make_unique<TChillerUIForm>(model, [](std::string_view szTarget) {
        return platform::ShellOpen(szTarget);
    });
}

void TQtDesktopPresenter::TranslateMainWindow(const CTGlossary& glossary) { TranslateWidgets(glossary, *v_window); }

void TQtDesktopPresenter::ShowMainWindow() { v_window->show(); }

void TQtDesktopPresenter::DestroyMainWindow() { v_window.reset(); }

}  // namespace brumalis::ui
