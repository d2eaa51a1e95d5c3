// A numeric field as the user types into it: after every edit the text is
// replaced by its cleaned form (localisation's CheckNumber) and the caret
// stays behind the same typed character. The decimal separator shown is the
// system locale's, read once at start; files never see it.
#pragma once

#include <string>
#include <string_view>

namespace brumalis::dialogs {

struct TNumberEdit {
    std::string szText;
    // The caret as a character index of szText (its characters are ASCII).
    int nCaret = 0;
};

// The cleaned text of szTyped with the caret that stood at character
// nCaret (counted in code points) of the typed text. A character outside
// ASCII counts as one character, so it becomes one "0".
TNumberEdit CleanNumberEdit(std::string_view szTyped, int nCaret);

// Makes the system locale's decimal separator ("," for de_DE) the user's
// separator; answers it. Reads the locale settings of the environment
// without touching the process locale.
char UseSystemDecimalSeparator();

}  // namespace brumalis::dialogs
