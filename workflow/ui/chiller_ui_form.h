// The main window: commands on a tool bar, the maker's logo, the pages and
// the hint line, over the GUI-free window model. It keeps its place on the
// screens in the current user's settings.
#pragma once

#include <functional>
#include <string_view>

#include <QMainWindow>

#include "workflow/main_window.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace brumalis::ui {

class TChillerUIForm : public QMainWindow {
    Q_OBJECT

public:
    // How the maker's web address is opened (the desktop's browser).
    using TShellOpen = std::function<bool(std::string_view szTarget)>;

    TChillerUIForm(TMainWindowModel& model, TShellOpen shellOpen, QWidget* pParent = nullptr);
    ~TChillerUIForm() override;

    QActionGroup* AM_Commands = nullptr;
    QToolBar* Ctl_ToolBar = nullptr;
    QMenu* MM_File = nullptr;
    QAction* ACF_Open = nullptr;
    QAction* ACF_Save = nullptr;
    QAction* ACF_SaveAs = nullptr;
    QAction* ACF_Exit = nullptr;
    QAction* ACF_Preferences = nullptr;
    QToolButton* Img_OrvaneLogo = nullptr;
    QLabel* Img_SalvikLogo = nullptr;
    QTabWidget* PG_ChillerPages = nullptr;
    QWidget* Tab_Settings = nullptr;
    QWidget* Tab_Results = nullptr;
    QWidget* Tab_PlantBuilder = nullptr;
    QWidget* Tab_Basket = nullptr;
    QWidget* Tab_Analysis = nullptr;
    QWidget* Tab_Chillers = nullptr;
    QLabel* Pnl_Hint = nullptr;

    QWidget* Page(TChillerPage page) const;

    // Puts a page's frame on its tab, filling it; the tab owns the frame.
    void SetPageContent(TChillerPage page, QWidget* pContent);

    // What "Preferences" opens (the preferences dialog); the command stays
    // disabled until there is one.
    void SetPreferencesHandler(std::function<void()> handler);

    // Asked before the window closes (Exit, the window's close button, the
    // desktop's logout); false keeps it open.
    void SetCloseQuery(std::function<bool()> query) { v_closeQuery = std::move(query); }

    TMainWindowModel& Model() { return v_model; }

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    bool event(QEvent* pEvent) override;

private:
    void CreateCommands();
    void CreateFileMenu();
    void CreatePages();
    void ShowModel();
    void PG_ChillerPagesChange(int nIndex);
    void GlobalOnEnter(QWidget* pEntered);
    void RestorePlacement();
    void SavePlacement() const;

    TMainWindowModel& v_model;
    TShellOpen v_shellOpen;
    std::function<void()> v_preferences;
    std::function<bool()> v_closeQuery;
    bool v_bStateRestored = false;
    QAction* v_salvikLogoAction = nullptr;
    QMetaObject::Connection v_focusConnection;
};

}  // namespace brumalis::ui
