// Helpers for scripting modal windows in GUI tests.
#pragma once

#include <functional>

#include <QtWidgets/QWidget>

namespace brumalis::test {

// Runs pScript with the next modal window once it is shown (polling the
// event loop, at most about five seconds); a window that never appears
// fails the test and the script is not run.
void WhenModalShown(std::function<void(QWidget* pWindow)> pScript);

// The widget's child of type T with the object name, or null.
template <typename T>
T* Child(const QWidget* pParent, const char* szName) {
    return pParent->findChild<T*>(QString::fromLatin1(szName));
}

}  // namespace brumalis::test
