// The upgrade frame on screen: the build's identity, the button that asks
// the web service for the published builds, the list of the ones that fit
// and the download. The frame is the upgrade model's view; its clicks go to
// the model, which decides everything.
#pragma once

#include <functional>
#include <memory>

#include <QtWidgets/QWidget>

#include "online/auto_upgrade.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

namespace brumalis::online::ui {

// What the upgrade windows take from their surroundings; tests replace them.
struct TUpgradeSeams {
    // Empty: the running build's (TUpgradeEnvironment::Running).
    std::function<TUpgradeEnvironment()> environment;
    // After a successful hand-over. Empty: the process ends at once, without
    // saving, so the updater can replace the program file.
    std::function<void()> endProgram;
};

class TFrmAutoUpgrade : public QWidget, public CTUpgradeView {
    Q_OBJECT
public:
    // closeWithCancel closes the dialog that holds the frame.
    TFrmAutoUpgrade(QWidget* pParent, const TUpgradeSeams& seams, std::function<void()> closeWithCancel);

    void InitializeFrame(bool bWarnUnsaved);
    online::TFrmAutoUpgrade& Model() { return *v_model; }
    QTreeWidget* List() const { return v_pLvwAvailable; }
    QPushButton* DownloadButton() const { return v_pBtnDownload; }
    QPushButton* CheckButton() const { return v_pBtnCheck; }
    QProgressBar* ProgressBar() const { return v_pCtlProgress; }
    // True while the progress display stands in the list's place.
    bool ProgressShown() const;

    void ShowMessage(TUpgradeMessageKind kind, const std::string& szText) override;
    bool AskYesNo(const std::string& szQuestion) override;
    bool ShowNotice(const std::string& szProgramName, const std::vector<TNoticeParagraph>& paragraphs) override;
    void FillList(const std::vector<TUpgradeListItem>& items) override;
    void SetDownloadEnabled(bool bEnabled) override;
    void SetProgressCaption(const std::string& szCaption) override;
    void SetProgressPosition(int nPosition) override;
    void ShowProgress(bool bProgress) override;
    void CloseWithCancel() override;
    void EndProgram() override;

private:
    void BuildIdentity(class QGridLayout* pGrid);
    QWidget* BuildListPage();
    QWidget* BuildProgressPage();
    void ListSelectionChanged();
    // Paints what changed without taking input, so a blocking download
    // never looks hung and cannot be clicked into.
    void Repaint();

    std::unique_ptr<online::TFrmAutoUpgrade> v_model;
    std::function<void()> v_endProgram;
    std::function<void()> v_closeWithCancel;
    QLabel* v_values[5] = {};
    QPushButton* v_pBtnCheck;
    QPushButton* v_pBtnDownload;
    QStackedWidget* v_pStack;
    QLabel* v_pLblAvailVersions = nullptr;
    QTreeWidget* v_pLvwAvailable = nullptr;
    QLabel* v_pLblProgress = nullptr;
    QProgressBar* v_pCtlProgress = nullptr;
};

}  // namespace brumalis::online::ui
