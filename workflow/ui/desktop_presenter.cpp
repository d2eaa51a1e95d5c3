#include "workflow/ui/desktop_presenter.h"

#include "dialogs/messages.h"
#include "localisation/ui/widget_translation.h"
#include "platform/shell_open.h"

namespace brumalis::ui {

bool TQtDesktopPresenter::Ask(const std::string& szQuestion) {
    return dialogs::TBaseMsg::DisplayQuestionEx(nullptr, dialogs::msgAllParameters, {dialogs::mbYes, dialogs::mbNo},
                                                {szQuestion}) == dialogs::mrYes;
}

void TQtDesktopPresenter::Show(const std::string& szText) {
    dialogs::TBaseMsg::DisplayHint(nullptr, dialogs::msgAllParameters, {szText});
}

void TQtDesktopPresenter::ShowError(const std::string& szText) {
    dialogs::TBaseMsg::DisplayError(nullptr, dialogs::msgAllParameters, {szText});
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
