#include "platform/temporary_names.h"

#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "platform/path_text.h"

namespace brumalis::platform {

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && folder[0] == '/' ? std::string(folder) : std::string("/tmp");
}

std::string GetTemporaryFileName(std::string_view szPfx) {
    const std::string_view prefix = szPfx.substr(0, 3);
    if (prefix.find('/') != std::string_view::npos || HasControlCharacter(prefix)) return {};
    std::string folder = TemporaryFolder();
    if (folder.back() != '/') folder += '/';
    const std::string pattern = folder + std::string(prefix) + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);  // exclusive, mode 0600
    if (fd < 0) return {};
    ::close(fd);
    return name.data();
}

}  // namespace brumalis::platform
