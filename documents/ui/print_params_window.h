// The print parameters window: the consultant's three lines and logo that
// every report carries. The rules live in TPrintParamsDialog; the window
// shows its state and hands the user's actions to it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "dialogs/ui/basic_dialog.h"
#include "documents/print_params_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace brumalis::docui {

// The open dialog: a chosen existing file, or none when cancelled.
struct TOpenFileRequest {
    std::string szTitle;
    std::string szFilter;  // as Qt reads it: "Bitmap files (*.bmp)"
    std::string szFolder;
    std::string szFileName;
};
using TOpenFileDialog = std::function<std::optional<std::string>(QWidget* pOwner, const TOpenFileRequest& request)>;

// The desktop's open dialog for existing files.
std::optional<std::string> DesktopOpenFile(QWidget* pOwner, const TOpenFileRequest& request);

class TDlgPrintParams : public dialogs::ui::TBasicDialog {
    Q_OBJECT
public:
    static constexpr const char* kWidthCaption = "Width";
    static constexpr const char* kHeightCaption = "Height";
    static constexpr const char* kMaximumCaption = "Maximum";
    static std::vector<std::string> Texts();

    TDlgPrintParams(QWidget* pOwner, bool bReadOnly, TOpenFileDialog openFile = DesktopOpenFile);

    const TPrintParamsDialog& Model() const { return v_model; }
    // The logo preview's size in logical pixels; empty when nothing shows.
    QSize PreviewSize() const;

    void Btn_BrowseClick();
    void Btn_ClearClick();

    std::array<QLineEdit*, 3> Txt_Line{};
    QLabel* Img_Logo = nullptr;
    QLabel* Lbl_FileName = nullptr;
    QLabel* Lbl_Width = nullptr;
    QLabel* Lbl_Height = nullptr;
    QPushButton* Btn_Browse = nullptr;
    QPushButton* Btn_Clear = nullptr;

protected:
    // Through the stored parameters' rules; a refusal says why and keeps the
    // window open.
    bool ValidateOK() override;

private:
    void AddCompanyGroup(QWidget* pParent);
    void AddLogoGroup(QWidget* pParent);
    void ShowLogo();

    TPrintParamsDialog v_model;
    TOpenFileDialog v_openFile;
    QWidget* v_pLogoPanel = nullptr;
};

// Opens the window modally over pOwner; true when the parameters were stored.
bool OpenPrintParameters(QWidget* pOwner, TOpenFileDialog openFile = DesktopOpenFile);

}  // namespace brumalis::docui
