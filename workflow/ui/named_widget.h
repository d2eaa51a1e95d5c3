// Small helpers of the page makers: a widget named as the window's state,
// tests and translation find it, and a model text as a Qt string.
#pragma once

#include <string>

#include <QString>

namespace brumalis::ui {

template <typename T>
T* Named(T* pWidget, const char* szName) {
    pWidget->setObjectName(QString::fromLatin1(szName));
    return pWidget;
}

inline QString Q(const std::string& sz) { return QString::fromStdString(sz); }

}  // namespace brumalis::ui
