// The commands that keep selections in a project file (project, basket and
// plant) and the option frame of a result (options). The file is the state:
// a changing command reads it under an exclusive lock, and writes it
// (atomically) only when every step succeeded.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brumalis::app {

int RunProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunBasket(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The option frame of a result, worked by option flags in order.
int RunOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Results added to the Plant Builder, optionally put into a project's basket.
int RunPlant(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brumalis::app
