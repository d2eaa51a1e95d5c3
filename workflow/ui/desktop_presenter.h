// The desktop start's windows in Qt: the message windows for its questions
// and messages, and the main window.
#pragma once

#include <memory>

#include "localisation/ui/qt_translation.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/chiller_ui_form.h"

namespace brumalis::ui {

class TQtDesktopPresenter final : public CTDesktopPresenter {
public:
    bool Ask(const std::string& szQuestion) override;
    void Show(const std::string& szText) override;
    // The disclaimer window with its accept buttons.
    int RunDisclaimer() override;
    void ShowError(const std::string& szText) override;
    // Through the dialog framework's loaded hook; Qt's own texts follow the
    // glossary's language.
    void SetDialogTranslation(const CTGlossary* pGlossary) override;
    void CreateMainWindow(TMainWindowModel& model, TProgramStart& program) override;
    void TranslateMainWindow(const CTGlossary& glossary) override;
    void ShowMainWindow() override;
    void DestroyMainWindow() override;

    // Null before the start has made it and after it has gone.
    TChillerUIForm* MainWindow() const { return v_window.get(); }

private:
    std::unique_ptr<TChillerUIForm> v_window;
    CTQtTranslation v_qtTranslation;
};

}  // namespace brumalis::ui
