#include "dialogs/dialog_rules.h"

#include <algorithm>
#include <mutex>

#include "dialogs/messages.h"

namespace brumalis::dialogs {

namespace {

std::mutex g_settingsMutex;
TBottomPanelSettings g_settings;

void Set(std::optional<bool> TBottomPanelSettings::*pSetting, bool b) {
    const std::lock_guard lock(g_settingsMutex);
    g_settings.*pSetting = b;
}

}  // namespace

std::string ReadOnlyTitle(const std::string& szTitle) {
    return szTitle + " (" + TBaseMsg::GetUnicodeString(msgReadOnly) + ")";
}

std::optional<std::string> StatusTextOnEnter(TEnteredKind nKind, const std::string& szHint) {
    switch (nKind) {
        case TEnteredKind::Control:
            return szHint;
        case TEnteredKind::Container:
            return szHint.empty() ? std::nullopt : std::optional<std::string>(szHint);
        case TEnteredKind::Other:
            break;
    }
    return std::string();
}

TBottomPanelSettings TBottomPanelSettings::Current() {
    const std::lock_guard lock(g_settingsMutex);
    return g_settings;
}

void TBottomPanelSettings::SetCtlBarSizeGrip(bool b) { Set(&TBottomPanelSettings::bSizeGrip, b); }
void TBottomPanelSettings::SetCtlBarSysFont(bool b) { Set(&TBottomPanelSettings::bSysFont, b); }
void TBottomPanelSettings::SetCtlBarBevel(bool b) { Set(&TBottomPanelSettings::bBevel, b); }

void TBottomPanelSettings::Reset() {
    const std::lock_guard lock(g_settingsMutex);
    g_settings = TBottomPanelSettings();
}

int ListColumnWidth(int nWidestText, int nWidthOfW, int nDotsPerInch, int nMaxColW) {
    const int nWidth = nWidestText + nWidthOfW + 2 + (nDotsPerInch < 120 ? 6 : 0);
    return nMaxColW > 0 ? std::min(nWidth, nMaxColW) : nWidth;
}

int MemoVisibleLines(int nLines, int nMaxLines) { return std::clamp(nLines, 1, std::max(1, nMaxLines)); }

}  // namespace brumalis::dialogs
