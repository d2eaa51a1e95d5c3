#include "platform/path_text.h"

#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

namespace brumalis::platform {

std::string FolderOfPath(const std::string& szPath) {
    const std::size_t slash = szPath.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : szPath.substr(0, slash);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

bool HasControlCharacter(std::string_view szText) {
    for (const char c : szText) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
    }
    return false;
}

}  // namespace brumalis::platform
