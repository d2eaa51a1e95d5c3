#include "dialogs/number_edit.h"

#include <algorithm>

#include "localisation/number_text.h"
#include "platform/system_locale.h"

namespace brumalis::dialogs {

namespace {

// The text with every code point outside ASCII as one '?', which the
// cleaning turns into one "0" like any other stray character.
std::string OneBytePerCharacter(std::string_view szText) {
    std::string szOut;
    szOut.reserve(szText.size());
    for (const char c : szText) {
        const auto uc = static_cast<unsigned char>(c);
        if (uc < 0x80) {
            szOut += c;
        } else if ((uc & 0xC0) != 0x80) {
            szOut += '?';
        }
    }
    return szOut;
}

}  // namespace

TNumberEdit CleanNumberEdit(std::string_view szTyped, int nCaret) {
    const std::string szAscii = OneBytePerCharacter(szTyped);
    const std::size_t nBefore = nCaret <= 0 ? 0 : std::min(szAscii.size(), static_cast<std::size_t>(nCaret));
    // Cleaning reads left to right, so the cleaned text before the caret is
    // the start of the cleaned whole.
    return {CheckNumber(szAscii), static_cast<int>(CheckNumber(std::string_view(szAscii).substr(0, nBefore)).size())};
}

char UseSystemDecimalSeparator() {
    const char chSeparator = platform::SystemDecimalSeparator();
    SetDecimalSeparator(chSeparator);
    return chSeparator;
}

}  // namespace brumalis::dialogs
