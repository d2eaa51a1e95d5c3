#include "dialogs/busy_progress.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brumalis::dialogs {

TBusyProgress::TBusyProgress(TClock pClock) : v_clock(std::move(pClock)) {
    if (!v_clock) v_clock = [] { return std::chrono::steady_clock::now(); };
}

void TBusyProgress::Start() { v_started = v_clock(); }

void TBusyProgress::Stop() { v_started.reset(); }

bool TBusyProgress::DueToShow() const { return v_started && v_clock() - *v_started >= kShowDelay; }

void TBusyProgress::SetTotalActions(int nr) {
    if (nr <= 0) return;
    v_total = nr;
    v_actionNr = 0;
}

void TBusyProgress::IncActionNr() { v_actionNr = std::min(v_actionNr + 1, v_total); }

int TBusyProgress::FillWidth(int nBoxW) const {
    return static_cast<int>(std::lround(static_cast<double>(nBoxW) * v_actionNr / v_total));
}

std::string TBusyProgress::PercentText() const {
    return std::to_string(static_cast<long long>(v_actionNr) * 100 / v_total) + "%";
}

std::string TBusyProgress::TwoLines(const std::string& szText) {
    const std::size_t nFirst = szText.find('\n');
    if (nFirst == std::string::npos) return szText;
    const std::size_t nSecond = szText.find('\n', nFirst + 1);
    return nSecond == std::string::npos ? szText : szText.substr(0, nSecond);
}

}  // namespace brumalis::dialogs
