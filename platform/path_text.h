// Small checks and splits of file-path texts that several services share.
#pragma once

#include <functional>
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

// Measures a text in pixels, with the font of whoever shows it.
using TTextWidthFunc = std::function<int(std::string_view szText)>;

// The path as it fits nMaxWidth pixels: whole, or with the folders after its
// first element replaced by "..." one by one from the left
// ("/home/.../2026/prices.edi", then "/home/.../prices.edi", then
// ".../prices.edi"). The file name is always kept, even when it alone is
// wider. Both "/" and "\" separate elements.
std::string ShortenPathToWidth(const std::string& szPath, int nMaxWidth, const TTextWidthFunc& textWidth);

}  // namespace brumalis::platform
