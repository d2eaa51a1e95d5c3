#include "dialogs/ui/numeric_edit.h"

#include <QtWidgets/QLineEdit>

#include "dialogs/number_edit.h"

namespace brumalis::dialogs::ui {

namespace {

class TNumericEditFilter : public QObject {
public:
    explicit TNumericEditFilter(QLineEdit* pEdit) : QObject(pEdit), v_pEdit(pEdit) {
        connect(pEdit, &QLineEdit::textEdited, this, &TNumericEditFilter::Clean);
    }

private:
    void Clean(const QString& szTyped) {
        const int nCaret = static_cast<int>(szTyped.left(v_pEdit->cursorPosition()).toUcs4().size());
        const TNumberEdit cleaned = CleanNumberEdit(szTyped.toStdString(), nCaret);
        const QString szText = QString::fromStdString(cleaned.szText);
        if (szText == szTyped) return;
        v_pEdit->setText(szText);
        v_pEdit->setCursorPosition(cleaned.nCaret);
    }

    QLineEdit* v_pEdit;
};

}  // namespace

void AttachNumericEdit(QLineEdit* pEdit) { new TNumericEditFilter(pEdit); }

}  // namespace brumalis::dialogs::ui
