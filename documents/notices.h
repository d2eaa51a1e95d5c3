// Notices written through any document writer: the rich-text view of a
// window, a report, a test's recorder. A heading is a bold line of its own;
// a paragraph is followed by an empty line unless the next one continues
// its list.
#pragma once

#include <string>

#include "dialogs/disclaimer_text.h"
#include "documents/doc_output.h"

namespace brumalis {

void WriteNoticeHeading(CTDocOutput& out, const std::string& szText);
void WriteNoticeParagraph(CTDocOutput& out, const std::string& szText, bool bContinuesList);

// The disclaimer's general terms, names filled in (empty ones by default).
void WriteDisclaimer(CTDocOutput& out, const dialogs::TDisclaimerNames& names);

}  // namespace brumalis
