// The Chillers page on the command line: the unit chooser, and the data
// sheet of one catalogue unit with its option choices and pictures.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brumalis::app {

int RunChiller(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brumalis::app
