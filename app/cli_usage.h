// The command line's help: the syntax as typed, the explanations in the
// program's language, wrapped to the terminal's customary 79 columns.
#pragma once

#include <string>
#include <vector>

namespace brumalis::app {

// The whole help text, translated.
std::string UsageText();
// The English texts the help translates (each a glossary term).
std::vector<std::string> UsageTerms();

}  // namespace brumalis::app
