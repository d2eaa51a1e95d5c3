// The panel dialogs place at their foot: OK and Cancel at the right, the
// hidden Lbl_RO whose caption and hint serve OK in a read-only dialog, and a
// status bar that shows the hint of whatever the user enters by focus or by
// the mouse. Qt's layouts do what the panel once did by hand: rescaling for
// the screen's DPI and placing the buttons for the system font.
#pragma once

#include <string>
#include <vector>

#include <QtWidgets/QWidget>

class QLabel;
class QPushButton;
class QStatusBar;

namespace brumalis::dialogs::ui {

class TBasicDialog;

class TFraBottomPanelExt : public QWidget {
    Q_OBJECT
public:
    // Applies the class-level status-bar settings; in a read-only dialog OK
    // alone remains, captioned as Lbl_RO.
    explicit TFraBottomPanelExt(TBasicDialog* pOwner);

    // Class-level settings for every panel created afterwards.
    static void SetCtlBarSizeGrip(bool b);
    static void SetCtlBarSysFont(bool b);
    static void SetCtlBarBevel(bool b);

    // Hides Cancel; OK takes its place at the right and, with
    // bReplaceCaption, Lbl_RO's caption and hint.
    void UseOKOnly(bool bReplaceCaption);
    // Adds a status panel of the given width; answers its index.
    int AddStatusPanel(int nWidth);
    void SetHintPanelIndex(int nIx) { v_hintPanelIndex = nIx; }
    // Shows the long hint (status tip, else tool tip) of the widget or
    // action just entered; see StatusTextOnEnter for what clears or keeps
    // the text. Without panels the status bar's own message shows it, else
    // panel v_hintPanelIndex when that panel exists.
    void GlobalOnEnter(QObject* pSender);
    // Passes pSender to the first bottom panel of pForm.
    static void GlobalOnEnterForForm(QWidget* pForm, QObject* pSender);
    // What the status bar shows where hints go.
    QString HintText() const;

    QPushButton* OkButton() const { return v_pBtnOK; }
    QPushButton* CancelButton() const { return v_pBtnCancel; }
    QStatusBar* StatusBar() const { return v_pCtlStatusBar; }
    const std::vector<QLabel*>& StatusPanels() const { return v_panels; }

private:
    void ApplyClassSettings();

    TBasicDialog* v_pOwner;
    QPushButton* v_pBtnOK;
    QPushButton* v_pBtnCancel;
    QLabel* v_pLblRO;
    QStatusBar* v_pCtlStatusBar;
    std::vector<QLabel*> v_panels;
    int v_hintPanelIndex = 0;
    bool v_bevel = true;
};

}  // namespace brumalis::dialogs::ui
