// The text form of a glossary, the one translators edit and review:
//
//   # a comment
//   @language 1049
//   @charset 204
//   Cancel<TAB>Отмена
//   Pressure drop<TAB>
//   Bar<TAB>Pasek<TAB>238
//
// UTF-8, one entry per line: the English term, a tab, the translation (may be
// empty), optionally a tab and the charset of this translation when it is
// not the @charset. Both headers come before the first entry. In terms and
// translations a backslash escapes: \\ backslash, \t tab, \n line feed,
// \r carriage return, \# and \@ the character itself (a term starting with #
// or @ must be written so). Empty lines are ignored.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "localisation/glossary.h"

namespace brumalis {

// A fault in a text form, with the line it was found on.
class CTTextFormError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Escape(const std::string& szUtf8);
// Raises CTTextFormError for an unknown escape or a trailing backslash.
std::string Unescape(const std::string& szField);

// Fills an empty glossary from the text form; raises CTTextFormError.
void ParseTextForm(std::istream& in, CTGlossary& glos);
// Writes the glossary in the text form; parsing it gives the same glossary.
void WriteTextForm(const CTGlossary& glos, std::ostream& out);
// Terms of a list, one per line, escaped as in the text form; lines starting
// with # and empty lines are skipped.
std::vector<std::string> ReadTermList(std::istream& in);

}  // namespace brumalis
