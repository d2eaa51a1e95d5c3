// The start-up actions of the upgrade: the per-version usage counter, the
// first-run callback (the disclaimer) and the "Welcome" hint that points the
// user to the upgrade, with the stored "show the hint" choice.
//
// Current user's settings, below the root given at start-up:
//   root            "UpdateHint"  bool    show the hint (missing: true)
//   root\Version    "Name"        string  run-count identifier last run
//   root\Version    "Used"        int     starts of that version before this one
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis::online {

// The hint's texts, translated.
struct TWelcomeTexts {
    std::string szCaption;           // "Welcome"
    std::string szWelcome;           // "Welcome to the <title> program."
    std::vector<std::string> lines;  // the memo's five lines
    std::string szShowAtStartup;     // the check box
    std::string szLookNow;           // the button that opens the upgrade
    std::string szOK;
};

class TFrmAutoUpgradeHint {
public:
    TFrmAutoUpgradeHint() = delete;

    static constexpr std::string_view kUpdateHintValue = "UpdateHint";
    static constexpr std::string_view kVersionKey = "Version";
    static constexpr std::string_view kProjectFileExtension = ".cpf";

    struct TCallbacks {
        std::function<void()> firstRun;                       // the disclaimer; may be empty
        std::function<void(std::string_view szTitle)> hint;  // shows the welcome hint modally
    };

    // Keeps szRegRoot and szRunCountID for the functions below. Counts this
    // start when szRunCountID is not empty; a first start of this identifier
    // calls the first-run callback, unless parameters were given (a lone
    // existing project file still gets it). Then shows the hint when no
    // parameters were given and "UpdateHint" reads true.
    static void ApplicationStartupActions(std::string_view szAppTitle, std::string_view szRegRoot,
                                          std::string_view szRunCountID, const std::vector<std::string>& params,
                                          const TCallbacks& callbacks);
    // Starts of the kept identifier before this one; 0 for another identifier
    // or when the settings cannot be read.
    static int GetUsageCount();

    // "UpdateHint"; true when missing, unreadable or without a root.
    static bool ReadUpdateHint();
    // Ignores failures; writes nothing without a root.
    static void WriteUpdateHint(bool bShow);

    static TWelcomeTexts WelcomeTexts(std::string_view szAppTitle);
};

}  // namespace brumalis::online
