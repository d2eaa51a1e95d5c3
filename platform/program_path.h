// Where the running program's file is.
#pragma once

#include <string>

#include "platform/substitute.h"

namespace brumalis::platform {

// The running program's real path (/proc/self/exe), or the path a
// CTProgramPathSubstitute gives; "" when it cannot be read.
std::string ProgramPath();

// Makes ProgramPath() answer its path for its own lifetime (tests).
using CTProgramPathSubstitute = CTSubstitute<std::string, struct TProgramPathTag>;

}  // namespace brumalis::platform
