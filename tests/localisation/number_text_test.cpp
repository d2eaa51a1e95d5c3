#include <gtest/gtest.h>

#include <string>

#include "localisation/number_text.h"

namespace brumalis {
namespace {

// Sets the user's decimal separator for one scope.
class SeparatorScope {
public:
    explicit SeparatorScope(char ch) : m_chPrevious(SetDecimalSeparator(ch)) {}
    ~SeparatorScope() { SetDecimalSeparator(m_chPrevious); }
    SeparatorScope(const SeparatorScope&) = delete;
    SeparatorScope& operator=(const SeparatorScope&) = delete;

private:
    char m_chPrevious;
};

TEST(CheckNumber, ReplacesWhatCannotStandWhereItIsByZero) {
    EXPECT_EQ(DecimalSeparator(), '.');
    EXPECT_EQ(CheckNumber("12a,5.3"), "120.503");
    EXPECT_EQ(CheckNumber("-1e-5"), "-1E-5");
    EXPECT_EQ(CheckNumber("e5"), "05");
    EXPECT_EQ(CheckNumber(" 1 2 "), "12");
    EXPECT_EQ(CheckNumber("+-5"), "+05");
    EXPECT_EQ(CheckNumber("1e+-5"), "1E+05");
    EXPECT_EQ(CheckNumber("2d3e4"), "2E304");
    EXPECT_EQ(CheckNumber("1e2.5"), "1E205");
    EXPECT_EQ(CheckNumber(".-5"), ".05");
    EXPECT_EQ(CheckNumber(""), "");
}

TEST(CheckNumber, WritesTheUsersSeparator) {
    const SeparatorScope comma(',');
    EXPECT_EQ(CheckNumber("3.5"), "3,5");
    EXPECT_EQ(CheckNumber("3,5,1"), "3,501");
}

TEST(Str2Number, ReadsCommaAndPointAsTheSeparatorAndBlanksAsZero) {
    EXPECT_DOUBLE_EQ(Str2Number(" 12.5 "), 12.5);
    EXPECT_DOUBLE_EQ(Str2Number("12,5"), 12.5);
    EXPECT_DOUBLE_EQ(Str2Number("1 234,5"), 10234.5);
    EXPECT_DOUBLE_EQ(Str2Number("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(Str2Number("+2"), 2.0);
    EXPECT_DOUBLE_EQ(Str2Number("1e3"), 1000.0);
}

TEST(Str2Number, TextThatIsNotANumberGivesZero) {
    for (const char* szText : {"abc", "", "  ", "1.2.3", "inf", "nan", "0x1A", "12a", "-", "1e999"}) {
        EXPECT_EQ(Str2Number(szText), 0.0) << '"' << szText << '"';
    }
}

TEST(Number2Str, UsesFixedPointWhileThePrecisionCoversTheIntegerDigits) {
    EXPECT_EQ(Number2Str(15, 1234.5), "1234.5");
    EXPECT_EQ(Number2Str(15, 0.1), "0.1");
    EXPECT_EQ(Number2Str(15, -2.5), "-2.5");
    EXPECT_EQ(Number2Str(15, 0.00001), "0.00001");
    EXPECT_EQ(Number2Str(4, 2.0 / 3.0), "0.6667");
    EXPECT_EQ(Number2Str(3, 120.0), "120");
    EXPECT_EQ(Number2Str(15, 0.0), "0");
}

TEST(Number2Str, UsesScientificFormatForLargeAndTinyValues) {
    EXPECT_EQ(Number2Str(3, 1234.5), "1.23E3");
    EXPECT_EQ(Number2Str(15, 1e20), "1E20");
    EXPECT_EQ(Number2Str(15, 0.000001), "1E-6");
    EXPECT_EQ(Number2Str(15, -1.5e-7), "-1.5E-7");
    EXPECT_EQ(Number2Str(2, 99.9), "1E2");
}

TEST(NumberFormatting, WritesTheUsersSeparator) {
    const SeparatorScope comma(',');
    EXPECT_EQ(Number2Str(15, 2.5), "2,5");
    EXPECT_EQ(Number2FmtStr(6, 2, 3.14159), "  3,14");
}

TEST(Number2FmtStr, RoundsToTheDecimalsAndAlignsRight) {
    EXPECT_EQ(Number2FmtStr(8, 2, 3.14159), "    3.14");
    EXPECT_EQ(Number2FmtStr(6, 1, -1.26), "  -1.3");
    EXPECT_EQ(Number2FmtStr(2, 3, 12.0), "12.000");
    EXPECT_EQ(Number2FmtStr(0, 0, 7.8), "8");
}

TEST(ReducedFileName, KeepsTheFirstTwoPartsAndTheFileNameOfALongName) {
    const std::string szLong = "C:\\Data\\Projects\\Archive\\plant-a.txt";
    ASSERT_GT(szLong.size(), 30u);
    EXPECT_EQ(ReducedFileName(szLong), "C:\\Data\\...\\plant-a.txt");
    EXPECT_EQ(ReducedFileName("/home/engineer/projects/2026/hotel.cpf"), "/home/.../hotel.cpf");
}

TEST(ReducedFileName, LeavesShortNamesAndNamesWithoutMiddlePartsAlone) {
    const std::string szThirty = "C:\\Data\\Projects\\Arch\\plant.tx";
    ASSERT_EQ(szThirty.size(), 30u);
    EXPECT_EQ(ReducedFileName(szThirty), szThirty);
    // 30 Cyrillic letters are 60 bytes but 30 characters.
    std::string szCyrillic;
    for (int i = 0; i < 30; ++i) szCyrillic += "ж";
    EXPECT_EQ(ReducedFileName(szCyrillic), szCyrillic);
    const std::string szNoMiddle = "C:\\Data\\a-rather-long-file-name-of-a-plant.cpf";
    EXPECT_EQ(ReducedFileName(szNoMiddle), szNoMiddle);
}

TEST(StringToUnicode, DecodesTheBytesInTheCodePageOfTheCharset) {
    EXPECT_EQ(StringToUnicode("\xE0\xE1", 204), "аб");
    EXPECT_EQ(StringToUnicode("\xE0\xE1", 0), "àá");
    EXPECT_EQ(StringToUnicode("", 204), "");
}

}  // namespace
}  // namespace brumalis
