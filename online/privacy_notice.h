// The data-processing notice written through any document writer, as the
// notice window and the tests read it.
#pragma once

#include <string_view>
#include <vector>

#include "documents/doc_output.h"
#include "online/download_report.h"

namespace brumalis::online {

// The notice's paragraphs, translated, "$1" replaced by the program name;
// headings bold, list items without empty lines between them.
void WritePrivacyNotice(CTDocOutput& out, std::string_view szProgramName);
// Paragraphs as the upgrade hands them to its view.
void WritePrivacyNotice(CTDocOutput& out, const std::vector<TNoticeParagraph>& paragraphs);

}  // namespace brumalis::online
