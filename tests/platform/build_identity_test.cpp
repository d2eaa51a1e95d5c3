#include <gtest/gtest.h>

#include <string>

#include "platform/build_identity.h"

namespace brumalis::platform {
namespace {

TEST(VersionString, ReadsTheNumberDigitWiseFromTheRight) {
    EXPECT_EQ(CTVersionUtils::VersionString(334, "", " - ", ""), "3.3.4");
    EXPECT_EQ(CTVersionUtils::VersionString(1205, "", " - ", ""), "12.0.5");
    EXPECT_EQ(CTVersionUtils::VersionString(7, "", " - ", ""), "0.0.7");
}

TEST(VersionString, AddsTheSuffixWithItsSurroundingsOnlyWhenThereIsOne) {
    EXPECT_EQ(CTVersionUtils::VersionString(334, "beta2", " - ", ""), "3.3.4 - beta2");
    EXPECT_EQ(CTVersionUtils::VersionString(334, "beta2", " (", ")"), "3.3.4 (beta2)");
    EXPECT_EQ(CTVersionUtils::VersionString(334, "", " (", ")"), "3.3.4");
}

TEST(String2Version, RemovesThePointsAndReadsADecimalNumber) {
    EXPECT_EQ(CTVersionUtils::String2Version("3.3.5"), 335);
    EXPECT_EQ(CTVersionUtils::String2Version("8.7"), 87);
    EXPECT_EQ(CTVersionUtils::String2Version("12.0.5"), 1205);
    EXPECT_EQ(CTVersionUtils::String2Version(CTVersionUtils::VersionString(334, "", "", "")), 334);
}

TEST(String2Version, AnyTextThatIsNotANumberGivesZero) {
    for (const char* szText : {"", "x.y", "3.3.4 - beta2", "3a", ".", "99999999999"}) {
        EXPECT_EQ(CTVersionUtils::String2Version(szText), 0) << '"' << szText << '"';
    }
}

TEST(BuildLanguage, KeepsTheLow24BitsAndReadsZeroAsUsEnglish) {
    EXPECT_EQ(CTVersionUtils::EffectiveLanguage(0), 1033u);
    EXPECT_EQ(CTVersionUtils::EffectiveLanguage(1049), 1049u);
    EXPECT_EQ(CTVersionUtils::EffectiveLanguage(0x5000419u), 1049u);
    EXPECT_EQ(CTVersionUtils::EffectiveLanguage(0x1000000u), 1033u);
}

// The default cache values of the build; a build configured otherwise fails
// here on purpose, so that a release never goes out with the wrong identity.
TEST(BuildIdentity, IsThatOfTheOfficialRelease) {
    std::string szSuffix = "stale";
    EXPECT_EQ(CTVersionUtils::GetVersionEx(szSuffix), 334);
    EXPECT_EQ(szSuffix, "");
    EXPECT_EQ(CTVersionUtils::GetVersion(), 334);
    EXPECT_EQ(CTVersionUtils::GetVersionStringEx(" - ", ""), "3.3.4");
    EXPECT_EQ(CTVersionUtils::GetLanguage(), 1049u);
    EXPECT_EQ(CTVersionUtils::GetConfigurationName(), "");
    EXPECT_EQ(CTVersionUtils::GetZorbitServerID(), 0);
}

}  // namespace
}  // namespace brumalis::platform
