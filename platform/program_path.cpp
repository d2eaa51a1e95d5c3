#include "platform/program_path.h"

#include <climits>

#include <unistd.h>

namespace brumalis::platform {

std::string ProgramPath() {
    if (const std::string* substitute = CTProgramPathSubstitute::Current()) return *substitute;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace brumalis::platform
