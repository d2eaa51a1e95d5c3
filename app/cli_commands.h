// The commands of the selection command line: list, select and analyse, on
// the catalogue embedded in the program.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brumalis::app {

// Each answers the exit code; bad usage and bad criteria raise the errors of cli_args.h.
int RunList(const std::vector<std::string>& args, std::ostream& out);
int RunSelect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunAnalyse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brumalis::app
