#include "dialogs/ui/message_presenter.h"

#include <QtCore/QThread>
#include <QtWidgets/QApplication>

#include "dialogs/messages.h"
#include "dialogs/ui/dialog_parent.h"
#include "dialogs/ui/message_windows.h"

namespace brumalis::dialogs::ui {

namespace {

// Widgets exist only on the interface thread; other threads hand the call
// over and wait for its answer.
template <typename TResult, typename TCall>
TResult OnInterfaceThread(TCall call) {
    if (QThread::currentThread() == qApp->thread()) return call();
    TResult result{};
    QMetaObject::invokeMethod(qApp, [&result, &call] { result = call(); }, Qt::BlockingQueuedConnection);
    return result;
}

}  // namespace

QWidget* OwnerWindow(TDialogParent* pParent) {
    if (auto* pWidget = reinterpret_cast<QWidget*>(pParent)) return pWidget->window();
    if (QWidget* pModal = QApplication::activeModalWidget()) return pModal;
    return QApplication::activeWindow();
}

std::optional<TMsgDlgBtn> TQtMessagePresenter::ShowMessageWindow(TDialogParent* pParent,
                                                                 const TMessageWindowModel& model) {
    return OnInterfaceThread<std::optional<TMsgDlgBtn>>([pParent, &model] {
        TMessageWindow window(OwnerWindow(pParent), model);
        window.exec();
        return window.Answer();
    });
}

bool TQtMessagePresenter::ShowInputWindow(TDialogParent* pParent, TInputWindowModel& model) {
    return OnInterfaceThread<bool>([pParent, &model] {
        TInputWindow window(OwnerWindow(pParent), model);
        return window.exec() == QDialog::Accepted;
    });
}

TMessageWindows::TMessageWindows() : v_previous(TBaseMsg::SetPresenter(&v_presenter)) {}

TMessageWindows::~TMessageWindows() { TBaseMsg::SetPresenter(v_previous); }

std::unique_ptr<TMessageWindows> InstallMessageWindows() { return std::make_unique<TMessageWindows>(); }

}  // namespace brumalis::dialogs::ui
