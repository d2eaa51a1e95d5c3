#include <gtest/gtest.h>

#include "tests/documents/rtf_checker.h"

namespace brumalis::test {
namespace {

bool Flags(const std::string& rtf, const std::string& szProblem) {
    const TRtfCheck check = CheckRtf(rtf);
    for (const std::string& problem : check.problems) {
        if (problem.find(szProblem) != std::string::npos) return true;
    }
    ADD_FAILURE() << "not flagged: " << szProblem << "\n" << check.Report();
    return false;
}

TEST(RtfChecker, AcceptsASoundDocumentAndReadsItsTextAndPictures) {
    const TRtfCheck check = CheckRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\cf0 a\\u1046 b\\tab c\\par\r\n"
        "\\trowd \\cellx100\\cellx200\\pard \\intbl x\\cell y\\cell\\row \\pard"
        "{\\*\\shppict {\\pict \\emfblip\\picscalex56\r\n0A1B\r\nFF}}}\r\n");
    EXPECT_TRUE(check.Ok()) << check.Report();
    EXPECT_EQ(check.bodyText, u"a\u0416b\tc\nxy");
    ASSERT_EQ(check.pictures.size(), 1U);
    EXPECT_EQ(check.pictures[0], std::string("\x0A\x1B\xFF", 3));
    EXPECT_EQ(check.nRows, 1);
}

TEST(RtfChecker, FlagsEveryDepartureFromTheWritersOutput) {
    EXPECT_TRUE(Flags("{\\rtf1 {a}", "not closed"));
    EXPECT_TRUE(Flags("{\\rtf1 a}}", "after the last }"));
    EXPECT_TRUE(Flags("{\\rtf1 a} x", "after the last }"));
    EXPECT_TRUE(Flags("{\\rtf1 \\bin12 a}", "\\bin not in the vocabulary"));
    EXPECT_TRUE(Flags("{\\rtf1 \\{}", "control symbol"));
    EXPECT_TRUE(Flags("{\\rtf1 \\trowd \\cellx10\\cellx20 a\\cell\\row}", "1 \\cell for 2 \\cellx"));
    EXPECT_TRUE(Flags("{\\rtf1 \\trowd \\cellx10 a\\cell}", "not closed by \\row"));
    EXPECT_TRUE(Flags("{\\rtf1 {\\pict ABC}}", "odd number of hex digits"));
    EXPECT_TRUE(Flags("{\\rtf1 {\\pict AG}}", "non-hex"));
    EXPECT_TRUE(Flags("{\\rtf1 a\x85 b}", "raw byte 133"));
    EXPECT_TRUE(Flags("{\\rtf1 a\x01}", "raw control character 1"));
    EXPECT_TRUE(Flags("{\\rtf1 \\u70000 }", "16-bit range"));
    EXPECT_TRUE(Flags("\\rtf1 a", "does not start with"));
}

}  // namespace
}  // namespace brumalis::test
