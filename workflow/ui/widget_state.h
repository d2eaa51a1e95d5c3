// Keeps the splitters, tab sets and grid columns of a window, each found by
// its object name, in the current user's settings and gives them back.
#pragma once

#include "platform/settings_store.h"

class QWidget;

namespace brumalis::ui {

// Every named QSplitter, QTabWidget and item view (its column widths)
// under root, except pExcept, whose state the window model decides.
void SaveWidgetState(const QWidget& root, platform::CTSettingsStore& store, const QWidget* pExcept = nullptr);
// Gives back what fits the widgets as they are now: a splitter with
// another number of parts, a tab beyond the last or extra columns are left
// as they are.
void RestoreWidgetState(QWidget& root, const platform::CTSettingsStore& store, const QWidget* pExcept = nullptr);

}  // namespace brumalis::ui
