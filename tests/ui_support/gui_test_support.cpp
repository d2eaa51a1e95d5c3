#include "tests/ui_support/gui_test_support.h"

#include <gtest/gtest.h>

#include <memory>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

namespace brumalis::test {

namespace {

constexpr int kPollMs = 10;
constexpr int kMaxPolls = 500;

void Poll(std::shared_ptr<std::function<void(QWidget*)>> pScript, QWidget* pBefore, int nPollsLeft) {
    QWidget* pModal = QApplication::activeModalWidget();
    if (pModal != nullptr && pModal != pBefore && pModal->isVisible()) {
        (*pScript)(pModal);
        return;
    }
    if (nPollsLeft == 0) {
        ADD_FAILURE() << "no modal window appeared";
        return;
    }
    QTimer::singleShot(kPollMs, qApp, [pScript, pBefore, nPollsLeft] { Poll(pScript, pBefore, nPollsLeft - 1); });
}

}  // namespace

void WhenModalShown(std::function<void(QWidget* pWindow)> pScript) {
    auto pShared = std::make_shared<std::function<void(QWidget*)>>(std::move(pScript));
    QWidget* pBefore = QApplication::activeModalWidget();
    QTimer::singleShot(0, qApp, [pShared, pBefore] { Poll(pShared, pBefore, kMaxPolls); });
}

}  // namespace brumalis::test
