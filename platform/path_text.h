// Small checks and splits of file-path texts that several services share.
#pragma once

#include <string>
#include <string_view>

namespace brumalis::platform {

// The folder part of a path: "/opt/x" for "/opt/x/brumalis", "/" for "/a",
// "." for a bare name.
std::string FolderOfPath(const std::string& szPath);

// $HOME, or the user database's home folder when HOME is unset or empty.
std::string HomeFolder();

// True when the text holds a byte below 0x20 or DEL: such a text never goes
// into a command line, a desktop entry or a file name of ours.
bool HasControlCharacter(std::string_view szText);

}  // namespace brumalis::platform
