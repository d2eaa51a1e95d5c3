// What the page tests share: the desktop program started as its entry starts
// it, every page made (each start replaces the one before), the language it
// runs in and a log of the messages it shows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/message_window.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/desktop_presenter.h"

namespace brumalis::ui {

// The texts of the messages a page shows. A question offering
// `questionAnswer` gets it; everything else is answered with OK.
class CTMessageLog : public dialogs::CTMessagePresenter {
public:
    std::optional<dialogs::TMsgDlgBtn> ShowMessageWindow(dialogs::TDialogParent*,
                                                         const dialogs::TMessageWindowModel& model) override;
    bool ShowInputWindow(dialogs::TDialogParent*, dialogs::TInputWindowModel&) override { return false; }

    std::vector<std::string> texts;
    dialogs::TMsgDlgBtn questionAnswer = dialogs::mbOK;
};

// For as long as a page test lives: the program in English unless the
// Russian test program runs (the language is read once per process), and
// its messages in the log.
class CTPageTestScope {
public:
    CTPageTestScope(bool bRussian, CTMessageLog& log);
    ~CTPageTestScope();
    CTPageTestScope(const CTPageTestScope&) = delete;
    CTPageTestScope& operator=(const CTPageTestScope&) = delete;

private:
    dialogs::CTMessagePresenter* v_previousPresenter;
};

class CTStartedDesktop {
protected:
    // A new start, the window at 1280 x 800 and, when asked, shown; a failed
    // start fails the test.
    void StartDesktop(bool bShow);
    void StopDesktop();
    TMainSession& Session() { return start->Program().Session(); }
    // The first selectable unit of the condenser type and family (0: any).
    Cls_ChOutdoorUnit& UnitOf(std::int32_t nCondenser, std::int32_t nFamily);

    std::unique_ptr<TQtDesktopPresenter> presenter;
    std::unique_ptr<TDesktopStart> start;
    TChillerUIForm* window = nullptr;
};

}  // namespace brumalis::ui
