// The rules of the base dialog and its bottom panel that do not need a
// toolkit: the read-only title, which hint the status bar shows when a
// control is entered, the class-level status-bar settings, list column
// widths and memo heights.
#pragma once

#include <optional>
#include <string>

namespace brumalis::dialogs {

// The title followed by " (" + message -4 + ")".
std::string ReadOnlyTitle(const std::string& szTitle);

// What was entered by focus or by the mouse.
enum class TEnteredKind {
    Control,    // a control the user works with (it takes the focus)
    Container,  // a form, frame, panel, label or other passive part
    Other,      // anything else that reports entering
};

// The status text after entering: a control shows its hint (an empty hint
// clears the text); a container shows its hint, or leaves the text when it
// has none; anything else clears it. None: leave the text as it is.
std::optional<std::string> StatusTextOnEnter(TEnteredKind nKind, const std::string& szHint);

// Settings every bottom panel created afterwards applies; a setting never
// made leaves the panel's own value. Process-wide, like the panels' class.
struct TBottomPanelSettings {
    std::optional<bool> bSizeGrip;
    std::optional<bool> bSysFont;
    std::optional<bool> bBevel;

    static TBottomPanelSettings Current();
    static void SetCtlBarSizeGrip(bool b);
    static void SetCtlBarSysFont(bool b);
    static void SetCtlBarBevel(bool b);
    // Back to "never set" (tests and a restarted front end).
    static void Reset();
};

// A list column as wide as its widest text plus the margin: the width of
// "W" + 2, and 6 more below 120 dots per inch; capped at nMaxColW unless
// that is 0.
int ListColumnWidth(int nWidestText, int nWidthOfW, int nDotsPerInch, int nMaxColW);

// The lines a memo shows for a text of nLines lines: all of them up to
// nMaxLines (at least one); more lines scroll.
int MemoVisibleLines(int nLines, int nMaxLines);

}  // namespace brumalis::dialogs
