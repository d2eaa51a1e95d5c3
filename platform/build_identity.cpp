#include "platform/build_identity.h"

#include <charconv>

#include "platform/build_identity_config.h"

namespace brumalis::platform {

int CTVersionUtils::GetVersion() { return BRUMALIS_BUILD_VERSION; }

int CTVersionUtils::GetVersionEx(std::string& szSuffix) {
    szSuffix = BRUMALIS_BUILD_VERSION_SUFFIX;
    return GetVersion();
}

std::string CTVersionUtils::GetVersionStringEx(std::string_view szSfxPre, std::string_view szSfxPost) {
    std::string szSuffix;
    const int nVer = GetVersionEx(szSuffix);
    return VersionString(nVer, szSuffix, szSfxPre, szSfxPost);
}

std::string CTVersionUtils::VersionString(int nVer, std::string_view szSfx, std::string_view szSfxPre,
                                          std::string_view szSfxPost) {
    std::string szOut = std::to_string(nVer / 100) + '.' + std::to_string(nVer / 10 % 10) + '.' +
                        std::to_string(nVer % 10);
    if (!szSfx.empty()) {
        szOut.append(szSfxPre).append(szSfx).append(szSfxPost);
    }
    return szOut;
}

int CTVersionUtils::String2Version(std::string_view szStr) {
    std::string szDigits;
    for (const char c : szStr) {
        if (c != '.') szDigits += c;
    }
    // Whole text or nothing: "3a" is not a version. A sign is accepted as a
    // decimal number would accept it.
    const char* pBegin = szDigits.data();
    const char* pEnd = pBegin + szDigits.size();
    if (pBegin != pEnd && *pBegin == '+') ++pBegin;
    int nVer = 0;
    const auto [pStop, ec] = std::from_chars(pBegin, pEnd, nVer);
    return ec == std::errc() && pStop == pEnd ? nVer : 0;
}

std::uint32_t CTVersionUtils::GetLanguage() { return EffectiveLanguage(BRUMALIS_BUILD_LANGUAGE); }

std::uint32_t CTVersionUtils::EffectiveLanguage(std::uint32_t nStored) {
    const std::uint32_t nLanguage = nStored & 0xFFFFFFu;
    return nLanguage == 0 ? kDefaultLanguage : nLanguage;
}

std::string CTVersionUtils::GetConfigurationName() { return BRUMALIS_BUILD_CONFIGURATION; }

int CTVersionUtils::GetZorbitServerID() { return BRUMALIS_BUILD_SERVER; }

std::string MakerWebAddress() { return BRUMALIS_MAKER_WEB_ADDRESS; }
std::string SoftwareHouseWebAddress() { return BRUMALIS_SOFTWARE_HOUSE_WEB_ADDRESS; }

}  // namespace brumalis::platform
