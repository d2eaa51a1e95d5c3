// The print-params command: the consultant's lines and logo that frame
// every report, shown or set as the print parameters dialog does.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brumalis::app {

// Shows the stored values, or stores the given ones (the others kept)
// under the dialog's rules; a refused logo raises CTCriteriaError with the
// reason and stores nothing. Answers the exit code.
int RunPrintParams(const std::vector<std::string>& args, std::ostream& out);

}  // namespace brumalis::app
