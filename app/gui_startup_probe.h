// BRUMALIS_STARTUP_PROBE=1: the start's figures for the start-up benchmark.
// Each step's milliseconds go to standard output, then the time to the main
// window's first exposure and to the first idle moment after it, with the
// wall-clock time of that moment in nanoseconds since the epoch, and the
// program quits.
#pragma once

#include <chrono>

#include <QObject>

#include "workflow/start_up.h"

class QWidget;

namespace brumalis::ui {

bool StartupProbeRequested();

class CTStartupProbe : public QObject {
public:
    // Watches window, which is about to be shown; started: when main began.
    CTStartupProbe(QWidget& window, const TStartUpResult& result, std::chrono::steady_clock::time_point started);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Exposed();
    void Report() const;

    TStartUpResult v_result;
    std::chrono::steady_clock::time_point v_started;
    std::chrono::steady_clock::time_point v_exposed;
    bool v_bExposed = false;
};

}  // namespace brumalis::ui
