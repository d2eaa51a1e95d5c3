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

std::string ShortenPathToWidth(const std::string& szPath, int nMaxWidth, const TTextWidthFunc& textWidth) {
    const auto fits = [&](const std::string& sz) { return textWidth(sz) <= nMaxWidth; };
    if (fits(szPath)) return szPath;
    constexpr std::string_view kSeparators = "/\\";
    const std::size_t nLast = szPath.find_last_of(kSeparators);
    if (nLast == std::string::npos) return szPath;
    const std::string szFileName = szPath.substr(nLast);
    // The first element, with a leading separator ("/home", "C:").
    const std::size_t nFirstEnd = szPath.find_first_of(kSeparators, szPath.find_first_not_of(kSeparators));
    if (nFirstEnd != std::string::npos && nFirstEnd < nLast) {
        const std::string szHead = szPath.substr(0, nFirstEnd + 1) + "...";
        for (std::size_t nFrom = szPath.find_first_of(kSeparators, nFirstEnd + 1); nFrom <= nLast;
             nFrom = szPath.find_first_of(kSeparators, nFrom + 1)) {
            const std::string szShort = szHead + szPath.substr(nFrom);
            if (fits(szShort)) return szShort;
        }
    }
    return "..." + szFileName;
}

}  // namespace brumalis::platform
