#include "online/download_report.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "localisation/lang_support.h"
#include "online/upgrade_signature.h"
#include "online/upgrade_texts.h"
#include "online/zorbit_config.h"

namespace brumalis::online {
namespace {

constexpr int kMaxUsageCount = 10000;
constexpr int kUsageCountOutOfRange = 1000;
// Only the first bytes of an identity file matter.
constexpr std::streamsize kMaxIdentityFile = 64 * 1024;

// The POSIX locale of each language the program knows.
struct TLocaleCode {
    std::string_view szCode;
    std::int32_t nLangID;
};
constexpr TLocaleCode kLocaleCodes[] = {
    {"ar_SA", 1025}, {"bg_BG", 1026}, {"ca_ES", 1027}, {"zh_TW", 1028}, {"cs_CZ", 1029}, {"da_DK", 1030},
    {"de_DE", 1031}, {"el_GR", 1032}, {"en_US", 1033}, {"fi_FI", 1035}, {"fr_FR", 1036}, {"he_IL", 1037},
    {"hu_HU", 1038}, {"is_IS", 1039}, {"it_IT", 1040}, {"ja_JP", 1041}, {"ko_KR", 1042}, {"nl_NL", 1043},
    {"nb_NO", 1044}, {"pl_PL", 1045}, {"pt_BR", 1046}, {"ro_RO", 1048}, {"ru_RU", 1049}, {"hr_HR", 1050},
    {"sk_SK", 1051}, {"sq_AL", 1052}, {"sv_SE", 1053}, {"th_TH", 1054}, {"tr_TR", 1055}, {"ur_PK", 1056},
    {"uk_UA", 1058}, {"be_BY", 1059}, {"sl_SI", 1060}, {"et_EE", 1061}, {"lv_LV", 1062}, {"lt_LT", 1063},
    {"fa_IR", 1065}, {"vi_VN", 1066}, {"az_AZ", 1068}, {"eu_ES", 1069}, {"mk_MK", 1071}, {"kk_KZ", 1087},
    {"uz_UZ", 1091}, {"tt_RU", 1092}, {"gl_ES", 1110}, {"zh_CN", 2052}, {"de_CH", 2055}, {"en_GB", 2057},
    {"es_MX", 2058}, {"fr_BE", 2060}, {"it_CH", 2064}, {"nl_BE", 2067}, {"nn_NO", 2068}, {"pt_PT", 2070},
    {"de_AT", 3079}, {"en_AU", 3081}, {"es_ES", 3082}, {"fr_CA", 3084}, {"sr_RS", 3098}, {"en_CA", 4105},
    {"fr_CH", 4108},
};

// "Spanish (Spain, International Sort)" names the country "Spain".
std::string CountryOf(std::int32_t nLangID) {
    const std::string szName = CTLangSupport::EnglishLanguageName(nLangID, true, true);
    const std::size_t open = szName.rfind(" (");
    if (open == std::string::npos) return {};
    std::string szCountry = szName.substr(open + 2);
    szCountry.erase(std::min(szCountry.find(','), szCountry.find(')')));
    return szCountry;
}

std::string ReadHead(const std::string& szFile) {
    std::ifstream in(szFile, std::ios::binary);
    std::string szText(static_cast<std::size_t>(kMaxIdentityFile), '\0');
    in.read(szText.data(), kMaxIdentityFile);
    szText.resize(static_cast<std::size_t>(in.gcount()));
    return szText;
}

std::string Trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1));
}

std::string EffectiveUserName() {
    std::vector<char> buffer(16384);
    passwd pw{};
    passwd* pResult = nullptr;
    if (::getpwuid_r(::geteuid(), &pw, buffer.data(), buffer.size(), &pResult) == 0 && pResult != nullptr)
        return pResult->pw_name;
    return std::to_string(::geteuid());
}

// A TAB or line end inside a field would shift the fields after it.
std::string Field(std::string_view s) {
    std::string szField(s);
    for (char& c : szField) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return szField;
}

}  // namespace

TUserLocale LocaleFromName(std::string_view szLocaleName) {
    const std::string_view szCode = szLocaleName.substr(0, szLocaleName.find_first_of(".@"));
    for (const TLocaleCode& code : kLocaleCodes) {
        if (code.szCode == szCode) return {static_cast<std::uint32_t>(code.nLangID), CountryOf(code.nLangID)};
    }
    const std::size_t underscore = szCode.find('_');
    return {kEnglishLanguage, underscore == std::string_view::npos ? std::string() : std::string(szCode.substr(underscore + 1))};
}

std::string UserLocaleName() {
    for (const char* szVar : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* szValue = std::getenv(szVar);
        if (szValue != nullptr && *szValue != '\0') return szValue;
    }
    return {};
}

std::string PseudonymousID(std::string_view szMachineId, std::string_view szUserName) {
    std::string szInput = Trimmed(szMachineId);
    szInput += '\n';
    szInput += szUserName;
    return Sha256Hex(szInput);
}

std::string OsRelease(const std::string& szOsReleaseFile) {
    std::istringstream lines(ReadHead(szOsReleaseFile));
    for (std::string szLine; std::getline(lines, szLine);) {
        if (szLine.rfind("PRETTY_NAME=", 0) != 0) continue;
        std::string szValue = Trimmed(std::string_view(szLine).substr(12));
        if (szValue.size() >= 2 && (szValue.front() == '"' || szValue.front() == '\'') && szValue.back() == szValue.front())
            szValue = szValue.substr(1, szValue.size() - 2);
        if (!szValue.empty()) return szValue;
    }
    utsname uts{};
    if (::uname(&uts) != 0) return "Linux";
    return std::string(uts.sysname) + ' ' + uts.release;
}

std::string Base64Url(std::string_view bytes) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string szOut;
    szOut.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const auto n = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                       static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6) szOut += kAlphabet[(n >> shift) & 0x3F];
    }
    const std::size_t nRest = bytes.size() - i;
    if (nRest > 0) {
        std::uint32_t n = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (nRest == 2) n |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        szOut += kAlphabet[(n >> 18) & 0x3F];
        szOut += kAlphabet[(n >> 12) & 0x3F];
        if (nRest == 2) szOut += kAlphabet[(n >> 6) & 0x3F];
    }
    return szOut;
}

std::string EncodeDownloadReport(const TDownloadReport& report, const TReportSources& sources) {
    const TUserLocale locale = LocaleFromName(sources.szLocaleName);
    const int nCount =
        report.nUsageCount < 0 || report.nUsageCount > kMaxUsageCount ? kUsageCountOutOfRange : report.nUsageCount;
    const std::string szUser = sources.szUserName.empty() ? EffectiveUserName() : sources.szUserName;
    const std::vector<std::string> fields = {
        Field(report.szProgramFile),
        std::to_string(report.entry.v_version),
        std::to_string(report.entry.v_language),
        Field(report.entry.v_config),
        std::to_string(report.entry.v_dataVersion.Number()),
        std::to_string(nCount),
        std::to_string(locale.nLanguage),
        Field(locale.szCountry),
        PseudonymousID(ReadHead(sources.szMachineIdFile), szUser),
        Field(OsRelease(sources.szOsReleaseFile)),
    };
    std::string szJoined;
    for (const std::string& field : fields) {
        if (!szJoined.empty()) szJoined += '\t';
        szJoined += field;
    }
    return Base64Url(szJoined);
}

std::string DownloadReportURL(const TDownloadReport& report, const TReportSources& sources) {
    return "scripts32/upgrade_downloaded.asp?req=" + EncodeQueryValue(EncodeDownloadReport(report, sources));
}

std::vector<TNoticeParagraph> DataProcessingNotice(std::string_view szProgramName) {
    using T = TUpgradeText;
    struct TEntry {
        TUpgradeText id;
        bool bBold;
        bool bContinuesList;
    };
    // The introduction of the collected data and every item but the last
    // run on as one list.
    const TEntry layout[] = {
        {T::NoticeHeadCollect, true, false}, {T::NoticeCollect, false, true},     {T::NoticeItemBuild, false, true},
        {T::NoticeItemCount, false, true},   {T::NoticeItemLocale, false, true},  {T::NoticeItemSystem, false, true},
        {T::NoticeItemId, false, false},     {T::NoticeHeadUse, true, false},     {T::NoticeUse, false, false},
        {T::NoticeHeadContact, true, false}, {T::NoticeContact, false, false},
    };
    std::vector<TNoticeParagraph> paragraphs;
    for (const TEntry& entry : layout) {
        paragraphs.push_back({UpgradeText(entry.id, szProgramName), entry.bBold, entry.bContinuesList});
    }
    return paragraphs;
}

}  // namespace brumalis::online
