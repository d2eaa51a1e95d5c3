#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>
#include <clocale>
#include <cmath>
#include <random>

#include "objectstore/edi_numbers.h"

namespace brumalis {
namespace {

TEST(EdiNumberFormat, PositionalBetweenTheExponentLimitsScientificOutside) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},          {-0.0, "0"},       {0.0005, "0.0005"}, {8.7, "8.7"},
        {100000, "100000"},  {-0.25, "-0.25"},  {5E-5, "5E-5"},     {2.5E-14, "2.5E-14"},
        {1E16, "1E16"},      {1E15, "1E15"},    {1E14, "100000000000000"},
        {0.001, "0.001"},    {12.5, "12.5"},    {-123456.789, "-123456.789"},
        {1.0 / 3.0, "0.333333333333333"},        {2.0 / 3.0, "0.666666666666667"},
        {999999999999999.9, "1E15"},             {-7.25E-22, "-7.25E-22"},
        {1.7976931348623157E308, "1.79769313486232E308"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatEdiDouble(value), text) << value;
}

TEST(EdiNumberFormat, FifteenDigitTextsReadBackToTheSameText) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const double d = mantissa(rng) * std::pow(10.0, exponent(rng));
        const std::string text = FormatEdiDouble(d);
        EXPECT_EQ(FormatEdiDouble(ParseEdiDouble(text)), text);
    }
}

TEST(EdiNumberParse, AcceptsDecimalTextsAndFlagsTheRest) {
    EXPECT_EQ(ParseEdiDouble("12.5"), 12.5);
    EXPECT_EQ(ParseEdiDouble("-0.25"), -0.25);
    EXPECT_EQ(ParseEdiDouble("5E-5"), 5E-5);
    EXPECT_EQ(ParseEdiDouble("+3"), 3.0);
    EXPECT_EQ(ParseEdiDouble("1e3"), 1000.0);
    EXPECT_EQ(ParseEdiDouble("12,5"), -1.0);
    EXPECT_EQ(ParseEdiDouble("abc"), -1.0);
    EXPECT_EQ(ParseEdiDouble(""), -1.0);
    EXPECT_EQ(ParseEdiDouble("1E999"), DBL_MAX);
    EXPECT_EQ(ParseEdiDouble("-1E999"), -DBL_MAX);
    EXPECT_EQ(ParseEdiDouble("1E-999"), 0.0);
}

TEST(EdiNumberParse, SeparatorIgnoresTheUserLocale) {
    const char* const candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    const char* pSet = nullptr;
    for (const char* name : candidates) {
        if ((pSet = std::setlocale(LC_ALL, name)) != nullptr) break;
    }
    if (!pSet) GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(FormatEdiDouble(1234.5), "1234.5");
    EXPECT_EQ(ParseEdiDouble("1234.5"), 1234.5);
    std::setlocale(LC_ALL, "C");
}

TEST(EdiNumberConversion, RoundingSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(RoundToInt32(2.4), 2);
    EXPECT_EQ(RoundToInt32(-2.6), -3);
    EXPECT_EQ(RoundToInt32(1E300), 2147483647);
    EXPECT_EQ(RoundToInt32(-1E300), -2147483647 - 1);
    EXPECT_EQ(RoundToInt32(std::nan("")), 0);
    EXPECT_EQ(CurrencyFromDouble(12.5), 125000);
    EXPECT_EQ(CurrencyFromDouble(0.00004), 0);
    EXPECT_EQ(CurrencyFromDouble(1E300), INT64_MAX);
}

// The short path for plain decimals must give the very double the full
// conversion gives, and leave everything else to it.
TEST(EdiNumberConversion, PlainDecimalsParseExactlyAsTheFullConversion) {
    const auto full = [](std::string text) {
        if (!text.empty() && text.front() == '+') text.erase(0, 1);
        double d = 0;
        const auto res = std::from_chars(text.data(), text.data() + text.size(), d);
        if (res.ec == std::errc::result_out_of_range) return std::nan("");  // saturation has its own test
        return res.ec == std::errc() && res.ptr == text.data() + text.size() ? d : -1.0;
    };
    std::vector<std::string> texts = {"0",     "-0",     "1.",     ".5",      "-.5",   "007",   "1e",   "1e+",  "1.5E+0003",
                                      "1e22",  "1e23",   "1e-22",  "1e-23",   "0e999", "-0e-5", "9007199254740993",
                                      "123456789012345", "1234567890123456", "0.000000000000000000000001", "1..2",
                                      "1e5x",  "--1",    "+",      "",        "e5",    "1.5e-0310", "99999e99999"};
    std::mt19937_64 rng(42);
    for (int i = 0; i < 20000; ++i) {
        const double d = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 80) - 60);
        texts.push_back(FormatEdiDouble(i % 2 ? d : -d));
        char buffer[40];
        const int nDigits = 1 + static_cast<int>(rng() % 17);
        std::snprintf(buffer, sizeof buffer, "%.*g", nDigits, d);
        texts.push_back(buffer);
    }
    for (const std::string& text : texts) {
        const double expected = full(text);
        const double actual = ParseEdiDouble(text);
        if (std::isnan(expected)) continue;
        EXPECT_EQ(actual, expected) << text;
        EXPECT_EQ(std::signbit(actual), std::signbit(expected)) << text;
    }
}

}  // namespace
}  // namespace brumalis
