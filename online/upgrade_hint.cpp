#include "online/upgrade_hint.h"

#include <climits>
#include <mutex>

#include <sys/stat.h>

#include "online/upgrade_texts.h"
#include "platform/settings_store.h"

namespace brumalis::online {
namespace {

struct TKept {
    std::mutex mutex;
    std::string szRoot;
    std::string szRunCountID;
};
TKept& Kept() {
    static TKept kept;
    return kept;
}

std::string Root() {
    std::lock_guard lock(Kept().mutex);
    return Kept().szRoot;
}

std::string VersionKey(const std::string& szRoot) { return szRoot + '\\' + std::string(TFrmAutoUpgradeHint::kVersionKey); }

bool EndsWithIgnoringCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && platform::EqualsIgnoringCase(s.substr(s.size() - suffix.size()), suffix);
}

// A start that opens a project file from the desktop is still a plain start
// for the disclaimer.
bool IsLoneProjectFile(const std::vector<std::string>& params) {
    if (params.size() != 1 || !EndsWithIgnoringCase(params[0], TFrmAutoUpgradeHint::kProjectFileExtension))
        return false;
    struct stat st {};
    return ::stat(params[0].c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void CountThisStart(const std::string& szRoot, const std::string& szRunCountID, int nCount) {
    try {
        auto& store = platform::Registry().CurrentUser();
        const std::string szKey = VersionKey(szRoot);
        store.CreateKey(szKey);
        store.WriteString(szKey, "Name", szRunCountID);
        store.WriteInteger(szKey, "Used", nCount < INT_MAX ? nCount + 1 : INT_MAX);
    } catch (...) {
        // The counter is a courtesy; a settings failure must not stop the start.
    }
}

}  // namespace

void TFrmAutoUpgradeHint::ApplicationStartupActions(std::string_view szAppTitle, std::string_view szRegRoot,
                                                    std::string_view szRunCountID,
                                                    const std::vector<std::string>& params,
                                                    const TCallbacks& callbacks) {
    {
        std::lock_guard lock(Kept().mutex);
        Kept().szRoot = szRegRoot;
        Kept().szRunCountID = szRunCountID;
    }
    if (!szRunCountID.empty()) {
        const int nCount = GetUsageCount();
        if ((params.empty() || IsLoneProjectFile(params)) && nCount == 0 && callbacks.firstRun) callbacks.firstRun();
        if (!szRegRoot.empty()) CountThisStart(std::string(szRegRoot), std::string(szRunCountID), nCount);
    }
    if (params.empty() && ReadUpdateHint() && callbacks.hint) callbacks.hint(szAppTitle);
}

int TFrmAutoUpgradeHint::GetUsageCount() {
    std::string szRoot, szRunCountID;
    {
        std::lock_guard lock(Kept().mutex);
        szRoot = Kept().szRoot;
        szRunCountID = Kept().szRunCountID;
    }
    if (szRoot.empty()) return 0;
    try {
        auto& store = platform::Registry().CurrentUser();
        const std::string szKey = VersionKey(szRoot);
        store.CreateKey(szKey);
        const std::string szName = store.ReadString(szKey, "Name", "");
        const int nUsed = store.ReadInteger(szKey, "Used", 0);
        return platform::EqualsIgnoringCase(szName, szRunCountID) ? nUsed : 0;
    } catch (...) {
        return 0;
    }
}

bool TFrmAutoUpgradeHint::ReadUpdateHint() {
    const std::string szRoot = Root();
    if (szRoot.empty()) return true;
    try {
        return platform::Registry().CurrentUser().ReadBool(szRoot, kUpdateHintValue, true);
    } catch (...) {
        return true;
    }
}

void TFrmAutoUpgradeHint::WriteUpdateHint(bool bShow) {
    const std::string szRoot = Root();
    if (szRoot.empty()) return;
    try {
        platform::Registry().CurrentUser().WriteBool(szRoot, kUpdateHintValue, bShow);
    } catch (...) {
        // As reading: a settings failure leaves the hint on.
    }
}

TWelcomeTexts TFrmAutoUpgradeHint::WelcomeTexts(std::string_view szAppTitle) {
    using T = TUpgradeText;
    return {UpgradeText(T::HintCaption),
            UpgradeText(T::HintWelcome, szAppTitle),
            {UpgradeText(T::HintLine1), "", UpgradeText(T::HintLine3), "", UpgradeText(T::HintLine5)},
            UpgradeText(T::HintShowAtStartup),
            UpgradeText(T::HintLookNow),
            UpgradeText(T::HintOK)};
}

}  // namespace brumalis::online
