// A language's name as the user interface shows it. The language list names
// languages in English; the window shows them in its own language, as the
// desktop names languages in the language of its interface.
#pragma once

#include <cstdint>
#include <string>

namespace brumalis::dialogs {

// The list's name without the default variant's country ("English",
// "English (United Kingdom)"), translated through the user-interface
// glossary; empty for a language the list does not know.
std::string ShownLanguageName(std::int32_t nLangID);

}  // namespace brumalis::dialogs
