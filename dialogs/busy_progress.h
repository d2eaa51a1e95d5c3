// The counting of the progress window: a total of actions (100 until set),
// the actions done, the share of the progress box to fill and the percentage
// shown, and when the window is due to appear: only once the work has lasted
// 0.3 s, so that short work never flashes a window. The clock is injected.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace brumalis::dialogs {

class TBusyProgress {
public:
    using TClock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kShowDelay{300};

    // No clock: the steady clock.
    explicit TBusyProgress(TClock pClock = {});

    // The work starts now: the window is due kShowDelay later.
    void Start();
    // The work ended: nothing is due any more.
    void Stop();
    bool DueToShow() const;

    // A positive nr becomes the total and restarts the count at 0; other
    // values change nothing.
    void SetTotalActions(int nr);
    // One more action done, never more than the total.
    void IncActionNr();
    int Total() const { return v_total; }
    int ActionNr() const { return v_actionNr; }

    // Width of the filled part of a box nBoxW wide, rounded.
    int FillWidth(int nBoxW) const;
    // The whole percentage done followed by "%".
    std::string PercentText() const;
    // The action text cut to its first two lines.
    static std::string TwoLines(const std::string& szText);

private:
    TClock v_clock;
    std::optional<std::chrono::steady_clock::time_point> v_started;
    int v_total = 100;
    int v_actionNr = 0;
};

}  // namespace brumalis::dialogs
