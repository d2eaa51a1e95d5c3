// The Qt window behind the models' opaque dialog parent.
#pragma once

#include <QtWidgets/QWidget>

#include "dialogs/message_window.h"

namespace brumalis::dialogs::ui {

inline TDialogParent* ToDialogParent(QWidget* pWidget) { return reinterpret_cast<TDialogParent*>(pWidget); }

// The window a dialog of pParent belongs to: the nearest window of the
// widget, else the open modal dialog, else the application's active window.
QWidget* OwnerWindow(TDialogParent* pParent);

}  // namespace brumalis::dialogs::ui
