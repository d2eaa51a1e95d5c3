// The report commands: a basket report of a selection run's results or of
// a project file, and the report of an analysis, written as RTF to a file
// (atomically) or to standard output.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brumalis::app {

// Exit 0 written, 1 bad criteria, nothing to report or a failed write (the
// old file kept), 2 bad usage (raised), 3 written but no viewer started.
int RunReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brumalis::app
