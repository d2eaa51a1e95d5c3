#include "workflow/ui/file_dialog.h"

#include <QFileDialog>
#include <QPointer>

#include "localisation/ui/widget_translation.h"

namespace brumalis::ui {

TFileDialogFunc QtFileDialog(QWidget* pParent) {
    QPointer<QWidget> parent(pParent);
    return [parent](const TFileDialogRequest& request, std::string& szFileName) {
        QFileDialog dialog(parent, QString::fromStdString(request.Title));
        dialog.setObjectName(QStringLiteral("Dlg_File"));
        dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QString::fromStdString(request.DefaultExt));
        SetFileDialogFilter(dialog, request.Filter);
        if (!szFileName.empty()) dialog.selectFile(QString::fromStdString(szFileName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        szFileName = dialog.selectedFiles().front().toStdString();
        return true;
    };
}

}  // namespace brumalis::ui
