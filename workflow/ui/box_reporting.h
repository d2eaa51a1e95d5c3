// The "Reporting Section" group: the five report boxes over the GUI-free
// box model, grouped under "Fixed report part", "Selected solution",
// "Graphs" and "Specifications", with the report button and the
// distributor button. The basket page embeds it.
#pragma once

#include <functional>

#include <QGroupBox>

#include "workflow/report_commands.h"

class QCheckBox;
class QLabel;
class QToolButton;

namespace brumalis::ui {

class TBoxReportingView : public QGroupBox {
    Q_OBJECT
public:
    TBoxReportingView(TBoxReporting& model, const TSolutionBasket& basket, QWidget* pParent = nullptr);

    // What Bib_MSWord and Btn_Distributor do; each stays disabled without one.
    void SetReportHandler(std::function<void()> handler);
    void SetDistributorHandler(std::function<void()> handler);
    // After the preferences were applied to the model or the basket changed.
    void ShowModel();

    QLabel* Lbl_FixedReport = nullptr;
    QLabel* Lbl_SelSolution = nullptr;
    QLabel* Lbl_GraphsReport = nullptr;
    QLabel* Lbl_TextsReport = nullptr;
    QCheckBox* Chk_CoverPage = nullptr;
    QCheckBox* Chk_OperationRange = nullptr;
    QCheckBox* Chk_PressureDrop = nullptr;
    QCheckBox* Chk_Dimensional = nullptr;
    QCheckBox* Chk_SpecTexts = nullptr;
    QToolButton* Bib_MSWord = nullptr;
    QToolButton* Btn_Distributor = nullptr;

private:
    QCheckBox* Box(const char* szName, const char* szCaption, TReportCheckBox& box);
    QLabel* Label(const char* szName, const char* szCaption);

    TBoxReporting& v_model;
    const TSolutionBasket& v_basket;
    std::function<void()> v_report;
    std::function<void()> v_distributor;
};

}  // namespace brumalis::ui
