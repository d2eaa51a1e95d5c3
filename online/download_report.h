// The report a download sends to the web service, and the notice that tells
// the user what it holds.
//
// The token is base64url (no padding) of ten TAB-separated fields: the eight
// the service counts (program file name, the chosen build's version,
// language, configuration and catalogue version, the usage count, the user
// locale's Windows language identifier and its territory's English name),
// then a pseudonymous identifier (SHA-256 of the machine identifier and the
// user name, neither of which is sent) and the operating-system release.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "online/version_list.h"

namespace brumalis::online {

// The user's locale as the report names it.
struct TUserLocale {
    std::uint32_t nLanguage = kEnglishLanguage;  // Windows language identifier
    std::string szCountry;                       // English territory name
};

// A POSIX locale name ("de_DE.UTF-8@euro") by the languages the program
// knows; 1033 and the territory code as given when it is not one of them.
TUserLocale LocaleFromName(std::string_view szLocaleName);
// The locale of LC_ALL, LC_MESSAGES or LANG, the first one set.
std::string UserLocaleName();

// Where the report's own data come from; real ones by default.
struct TReportSources {
    std::string szLocaleName = UserLocaleName();
    std::string szMachineIdFile = "/etc/machine-id";
    std::string szOsReleaseFile = "/etc/os-release";
    std::string szUserName;  // empty: the effective user's login name
};

struct TDownloadReport {
    std::string szProgramFile;
    LTVersionEntry entry;
    int nUsageCount = 0;
};

// The identifier of one user on one machine, as 64 hex digits.
std::string PseudonymousID(std::string_view szMachineId, std::string_view szUserName);
// PRETTY_NAME of an os-release file, else the kernel's name and release.
std::string OsRelease(const std::string& szOsReleaseFile);

std::string Base64Url(std::string_view bytes);
std::string EncodeDownloadReport(const TDownloadReport& report, const TReportSources& sources);
// "scripts32/upgrade_downloaded.asp?req=" + token.
std::string DownloadReportURL(const TDownloadReport& report, const TReportSources& sources);

// One paragraph of the data-processing notice.
struct TNoticeParagraph {
    std::string szText;
    bool bBold = false;
    // The next paragraph is the next item of the same list.
    bool bContinuesList = false;
};
// The notice's paragraphs, translated, "$1" replaced by the program name.
std::vector<TNoticeParagraph> DataProcessingNotice(std::string_view szProgramName);

}  // namespace brumalis::online
