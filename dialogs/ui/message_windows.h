// The message window and the one-line input window. Our own dialogs rather
// than QMessageBox and QDialogButtonBox, which reorder the buttons after the
// desktop's habits: the buttons here always read OK ... Cancel from left to
// right, as the texts that refer to them expect.
#pragma once

#include <optional>
#include <vector>

#include <QtWidgets/QDialog>

#include "dialogs/message_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace brumalis::dialogs::ui {

class TMessageWindow : public QDialog {
    Q_OBJECT
public:
    TMessageWindow(QWidget* pParent, const TMessageWindowModel& model);

    // The button that closed the window, none while it is open.
    std::optional<TMsgDlgBtn> Answer() const { return v_answer; }
    // Esc and the window manager's close button: the model's escape button,
    // else the window stays open.
    void reject() override;

    QPushButton* Button(TMsgDlgBtn btn) const;
    // The buttons as they stand, left to right.
    std::vector<QPushButton*> Buttons() const;
    QScrollArea* MessageArea() const { return v_pTxtMessage; }

private:
    void Finish(TMsgDlgBtn btn);

    const TMessageWindowModel v_model;
    QScrollArea* v_pTxtMessage;
    std::optional<TMsgDlgBtn> v_answer;
};

class TInputWindow : public QDialog {
    Q_OBJECT
public:
    // The model keeps the text while the window is open.
    TInputWindow(QWidget* pParent, TInputWindowModel& model);

    QLineEdit* EditField() const { return v_pTxtEdit; }
    QPushButton* OkButton() const { return v_pBtnOK; }
    QPushButton* CancelButton() const { return v_pBtnCancel; }

private:
    // A refused text shows its message; the window stays open.
    void Confirm();

    TInputWindowModel& v_model;
    QLineEdit* v_pTxtEdit;
    QPushButton* v_pBtnOK;
    QPushButton* v_pBtnCancel;
};

}  // namespace brumalis::dialogs::ui
