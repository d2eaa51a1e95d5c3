// The price-file frame of the preferences dialog: which prices file is
// attached and whether it could be used, with Browse and Clear. The model
// holds the rules and acts at once on the settings and database 1; this view
// shows its state and forwards the two buttons.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QtWidgets/QWidget>

#include "workflow/price_file_frame.h"

class QLabel;
class QPushButton;

namespace brumalis::ui {

// Asks for an existing file: the title and the filter ("Text|pattern|..."),
// translated by the caller, and the suffix a typed name gets without one.
// Nothing when the user cancels.
using TOpenFileQuestion = std::function<std::optional<std::string>(
    QWidget* pParent, const std::string& szTitle, const std::string& szFilter, const std::string& szDefaultSuffix)>;

// The desktop's open dialog, offering only files that exist.
std::optional<std::string> AskExistingFile(QWidget* pParent, const std::string& szTitle, const std::string& szFilter,
                                           const std::string& szDefaultSuffix);

class TFrmPriceFileAdminView : public QWidget {
    Q_OBJECT
public:
    // The model must outlive the view.
    TFrmPriceFileAdminView(TFrmPriceFileAdmin& model, QWidget* pParent);

    // Tests answer the open dialog themselves.
    void SetOpenFileQuestion(TOpenFileQuestion ask) { v_ask = std::move(ask); }

    // The model's state read again and shown.
    void ShowFileState();

    QLabel* Lbl_CFileName;
    QLabel* Lbl_FileName;
    QLabel* Lbl_InvalidFile;
    QLabel* Lbl_FileNotFound;
    QPushButton* Btn_Browse;
    QPushButton* Btn_Clear;

protected:
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void Btn_BrowseClick();
    void Btn_ClearClick();
    void ShowState();
    void MeasureNameRoom();

    TFrmPriceFileAdmin& v_model;
    TOpenFileQuestion v_ask = AskExistingFile;
};

}  // namespace brumalis::ui
