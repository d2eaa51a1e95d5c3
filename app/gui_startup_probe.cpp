#include "app/gui_startup_probe.h"

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "workflow/desktop_start.h"

namespace brumalis::ui {
namespace {

std::string Milliseconds(std::chrono::steady_clock::duration duration) {
    char szMs[32];
    const double dMs = std::chrono::duration<double, std::milli>(duration).count();
    const auto end = std::to_chars(szMs, szMs + sizeof szMs, dMs, std::chars_format::fixed, 1);
    return std::string(szMs, end.ptr) + " ms";
}

}  // namespace

bool StartupProbeRequested() {
    const char* szProbe = std::getenv("BRUMALIS_STARTUP_PROBE");
    return szProbe && std::string_view(szProbe) == "1";
}

CTStartupProbe::CTStartupProbe(QWidget& window, const TStartUpResult& result,
                               std::chrono::steady_clock::time_point started)
    : QObject(&window), v_result(result), v_started(started) {
    window.winId();  // the native window exists now, so its exposure can be watched
    QWindow* pNative = window.windowHandle();
    pNative->installEventFilter(this);
    if (pNative->isExposed()) Exposed();
}

bool CTStartupProbe::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::Expose && static_cast<QWindow*>(pWatched)->isExposed()) Exposed();
    return QObject::eventFilter(pWatched, pEvent);
}

void CTStartupProbe::Exposed() {
    if (v_bExposed) return;
    v_bExposed = true;
    v_exposed = std::chrono::steady_clock::now();
    // A zero timer fires once the queued events are done: the first idle.
    QTimer::singleShot(0, this, [this] {
        Report();
        QApplication::quit();
    });
}

void CTStartupProbe::Report() const {
    const auto idle = std::chrono::steady_clock::now();
    for (const std::string& line : TDesktopStart::StepTimeLines(v_result)) std::cout << line << '\n';
    // The wall clock too, so that a caller can clock the whole start from
    // before the process existed up to this moment.
    const auto nWallNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch());
    std::cout << "Window exposed: " << Milliseconds(v_exposed - v_started) << '\n'
              << "Interactive: " << Milliseconds(idle - v_started) << '\n'
              << "Interactive at: " << nWallNs.count() << " ns" << std::endl;
}

}  // namespace brumalis::ui
