// The Solution Basket page: "Comparing Solutions" with the basket grid and
// its four buttons, and the "Reporting Section" beside it. Every rule is the
// basket model's; the page shows the model again after each command and
// whenever it is shown, and moves the window to the page an edit needs.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QTableWidget>
#include <QWidget>

#include "workflow/basket_page.h"
#include "workflow/main_window.h"
#include "workflow/report_commands.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace brumalis::ui {

class TBoxReportingView;
class TChillerUIForm;
class TQtReportRunner;

// Grid_Solutions: the solution numbers and model references as the two
// fixed rows (the column headers), the row titles as the fixed column, one
// column per solution. The selected column is highlighted from the third row.
class TBasketGridView final : public QTableWidget {
    Q_OBJECT

public:
    // The model outlives the view.
    explicit TBasketGridView(TBasketPage& model, QWidget* pParent = nullptr);

    // Everything anew from the model, the model's selected column current.
    void Refresh();
    // What the cell of model column nColumn (1: first solution) and model
    // row nRow shows, the fixed rows and the title column included.
    std::string ShownCell(int nColumn, int nRow) const;
    QLabel& CornerTitles() const { return *v_corner; }

    // The model column of the current cell changed (a click or Left/Right);
    // a double-click names its model column.
    std::function<void(int nColumn)> OnSelect;
    std::function<void(int nColumn)> OnDoubleClick;

protected:
    void updateGeometries() override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    void CurrentChanged(int nViewColumn);

    TBasketPage& v_model;
    QLabel* v_corner;
    bool v_bFilling = false;
};

class TBasketPageView final : public QWidget {
    Q_OBJECT

public:
    // On the window's Basket tab, over the window's basket and Settings
    // models; the window outlives nothing here, it owns the page.
    TBasketPageView(TChillerUIForm& window, TMainSession& session, QWidget* pParent = nullptr);
    ~TBasketPageView() override;

    // The grid, the buttons and the report boxes from the models.
    void Refresh();
    // After OK in the preferences dialog: the row titles, the plant grid and
    // the report boxes from the new preferences, then the page anew.
    void PreferencesAccepted();
    TBoxReporting& Reporting() { return v_reporting; }

    QGroupBox* Box_Solutions = nullptr;
    TBasketGridView* Grid_Solutions = nullptr;
    QPushButton* Btn_RemoveSol = nullptr;
    QPushButton* Btn_EditSol = nullptr;
    QPushButton* Btn_MoveSolLeft = nullptr;
    QPushButton* Btn_MoveSolRight = nullptr;
    TBoxReportingView* Box_Reporting = nullptr;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QPushButton* Button(const char* szName, const char* szCaption, const char* szHint);
    void InstallEditCallbacks();
    void ShowButtons();
    void Remove();
    void Move(bool bRight);
    void Edit();
    // The page's availability from the basket; an empty basket lands on Settings.
    void AfterChange();
    void GoTo(TChillerPage page);
    void Report();

    TChillerUIForm& v_window;
    TMainSession& v_session;
    TBasketPage& v_model;
    TBoxReporting v_reporting;
    std::unique_ptr<TQtReportRunner> v_pRunner;
};

// The page on the main window's Basket tab; "Preferences" refreshes it after OK.
TBasketPageView& MakeBasketPage(TChillerUIForm& window, TMainSession& session);

}  // namespace brumalis::ui
