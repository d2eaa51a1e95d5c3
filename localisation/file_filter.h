// File-dialog filters: the program keeps them in the form its glossaries
// translate, "Text|pattern;pattern|Text|pattern", and hands the toolkit
// name filters "Text (pattern pattern);;Text (pattern)".
#pragma once

#include <string>
#include <string_view>

namespace brumalis {

// Each "Text|patterns" pair as "Text (patterns)", joined by ";;". Patterns
// are separated by blanks; "*.*" becomes "*" (on Linux "*.*" misses files
// without a dot). A text that already ends in its patterns in parentheses
// keeps them there, converted, and gets no second pair. A pair without
// patterns is dropped.
std::string NameFiltersFromFilter(std::string_view szFilter);

}  // namespace brumalis
