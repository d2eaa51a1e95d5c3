// Opening a web address, a mail address or a file with the desktop's
// default application (the Windows build's ShellExecute "open").
#pragma once

#include <string_view>

namespace brumalis::platform {

// True for the targets ShellOpen hands on: "http://", "https://" (letter case
// ignored) or "mailto:" followed by something, or an absolute path; never
// with a control character, never starting with "-" (which xdg-open would
// take for an option).
bool IsShellOpenTarget(std::string_view szTarget);

// Starts "xdg-open", found through PATH, with the target as its one and only
// argument: no shell sees it, so nothing in it is ever interpreted. False
// when the target is refused or xdg-open could not be started.
bool ShellOpen(std::string_view szTarget);

}  // namespace brumalis::platform
