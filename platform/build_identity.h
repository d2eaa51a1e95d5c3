// The identity of this build (version, pre-release suffix, language,
// configuration name, web-service server) and the conversions of version
// numbers to and from their dotted text. The values are fixed when the
// program is built, by the BRUMALIS_BUILD_* CMake cache variables.
//
// Version numbers are read digit-wise from the right: release (units),
// minor (tens) and major (the rest), so 334 is 3.3.4 and 1205 is 12.0.5.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brumalis::platform {

class CTVersionUtils {
public:
    CTVersionUtils() = delete;

    static constexpr std::uint32_t kDefaultLanguage = 1033;

    static int GetVersion();
    // The version, and the suffix in szSuffix (empty for an official release).
    static int GetVersionEx(std::string& szSuffix);
    // VersionString of this build: "3.3.4", or "3.3.4 - beta2" with (" - ", "").
    static std::string GetVersionStringEx(std::string_view szSfxPre, std::string_view szSfxPost);
    // "major.minor.release", followed by szSfxPre + szSfx + szSfxPost when
    // szSfx is not empty.
    static std::string VersionString(int nVer, std::string_view szSfx, std::string_view szSfxPre,
                                     std::string_view szSfxPost);
    // Every "." removed, the rest read as a decimal number; 0 for any text
    // that is not one ("3.3.5" gives 335, "8.7" 87, "" and "x.y" 0).
    static int String2Version(std::string_view szStr);
    // The language of the build; see EffectiveLanguage.
    static std::uint32_t GetLanguage();
    // The low 24 bits of a stored language identifier, 1033 when they are 0.
    static std::uint32_t EffectiveLanguage(std::uint32_t nStored);
    static std::string GetConfigurationName();
    static int GetZorbitServerID();
};

// The maker's web site ("http://www.orvane.invalid" unless the build sets
// BRUMALIS_MAKER_WEB_ADDRESS).
std::string MakerWebAddress();
// The software house's web site ("http://www.brumalis-software.invalid"
// unless the build sets BRUMALIS_SOFTWARE_HOUSE_WEB_ADDRESS).
std::string SoftwareHouseWebAddress();

}  // namespace brumalis::platform
