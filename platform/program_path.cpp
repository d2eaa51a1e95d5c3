#include "platform/program_path.h"

#include <atomic>
#include <climits>

#include <unistd.h>

namespace brumalis::platform {

namespace {
std::atomic<const std::string*> g_pSubstitute{nullptr};
}

std::string ProgramPath() {
    if (const std::string* substitute = g_pSubstitute.load()) return *substitute;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

CTProgramPathSubstitute::CTProgramPathSubstitute(std::string szPath)
    : v_path(std::move(szPath)), v_pPrevious(g_pSubstitute.exchange(&v_path)) {}

CTProgramPathSubstitute::~CTProgramPathSubstitute() { g_pSubstitute.store(v_pPrevious); }

}  // namespace brumalis::platform
