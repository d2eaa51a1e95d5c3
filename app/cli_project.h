// The commands that keep selections in a project file: project, basket and
// plant. The file is the state: a changing command reads it under an
// exclusive lock, and writes it (atomically) only when every step succeeded.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brumalis::app {

int RunProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunBasket(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brumalis::app
