#include "localisation/number_text.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cmath>

#include "localisation/lang_support.h"

namespace brumalis {

namespace {

std::atomic<char> g_chDecimalSeparator{'.'};

constexpr std::size_t kMaxShortName = 30;
constexpr std::string_view kPathSeparators = "\\/";

std::string_view Trimmed(std::string_view sz) {
    const auto bIsBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!sz.empty() && bIsBlank(sz.front())) sz.remove_prefix(1);
    while (!sz.empty() && bIsBlank(sz.back())) sz.remove_suffix(1);
    return sz;
}

// The decimal point of a formatted number becomes the user's separator.
std::string WithUserSeparator(std::string sz) {
    std::replace(sz.begin(), sz.end(), '.', DecimalSeparator());
    return sz;
}

// UTF-8 characters, not bytes: a Cyrillic folder name is as long as it looks.
std::size_t CharacterCount(std::string_view sz) {
    return static_cast<std::size_t>(
        std::count_if(sz.begin(), sz.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Significant digits (trailing zeros dropped) and the decimal exponent of
// the first digit, of a finite non-zero value rounded to nDigits digits.
struct TDecimal {
    bool bNegative;
    std::string szDigits;
    int nExponent;
};

TDecimal Decompose(double nValue, int nDigits) {
    std::array<char, 64> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), nValue, std::chars_format::scientific,
                                      nDigits - 1);
    const std::string_view szText(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    const std::size_t nE = szText.find('e');
    TDecimal decimal{szText.front() == '-', {}, 0};
    for (const char c : szText.substr(0, nE)) {
        if (c >= '0' && c <= '9') decimal.szDigits += c;
    }
    decimal.szDigits.erase(decimal.szDigits.find_last_not_of('0') + 1);
    std::string_view szExponent = szText.substr(nE + 1);
    if (szExponent.front() == '+') szExponent.remove_prefix(1);
    std::from_chars(szExponent.data(), szExponent.data() + szExponent.size(), decimal.nExponent);
    return decimal;
}

std::string FixedText(const TDecimal& decimal) {
    if (decimal.nExponent < 0) {
        return "0." + std::string(static_cast<std::size_t>(-decimal.nExponent - 1), '0') + decimal.szDigits;
    }
    const auto nIntDigits = static_cast<std::size_t>(decimal.nExponent) + 1;
    std::string szText = decimal.szDigits.substr(0, nIntDigits);
    szText.resize(nIntDigits, '0');
    if (decimal.szDigits.size() > nIntDigits) szText += '.' + decimal.szDigits.substr(nIntDigits);
    return szText;
}

std::string ScientificText(const TDecimal& decimal) {
    std::string szText = decimal.szDigits.substr(0, 1);
    if (decimal.szDigits.size() > 1) szText += '.' + decimal.szDigits.substr(1);
    return szText + 'E' + std::to_string(decimal.nExponent);
}

}  // namespace

char DecimalSeparator() { return g_chDecimalSeparator.load(); }

char SetDecimalSeparator(char chSeparator) { return g_chDecimalSeparator.exchange(chSeparator); }

double Str2Number(std::string_view szValue) {
    std::string szText(Trimmed(szValue));
    for (char& c : szText) {
        if (c == ' ') c = '0';
        if (c == ',') c = '.';
    }
    // from_chars would also read "inf", "nan" and hexadecimal digits.
    if (szText.find_first_not_of("0123456789+-.eE") != std::string::npos) return 0.0;
    const char* pBegin = szText.data();
    const char* pEnd = pBegin + szText.size();
    if (pBegin != pEnd && *pBegin == '+') ++pBegin;
    double nValue = 0.0;
    const auto [pStop, ec] = std::from_chars(pBegin, pEnd, nValue);
    return ec == std::errc() && pStop == pEnd ? nValue : 0.0;
}

std::string Number2Str(int nPrecision, double nValue) {
    if (nValue == 0.0) return "0";
    if (!std::isfinite(nValue)) {
        std::array<char, 16> buf{};
        const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), nValue);
        return std::string(buf.data(), result.ptr);
    }
    // 17 significant digits tell every double apart; more would be noise.
    const int nDigits = std::clamp(nPrecision, 1, 17);
    const TDecimal decimal = Decompose(nValue, nDigits);
    const bool bFixed = decimal.nExponent < nDigits && std::fabs(nValue) >= 0.00001;
    const std::string szText = bFixed ? FixedText(decimal) : ScientificText(decimal);
    return WithUserSeparator((decimal.bNegative ? "-" : "") + szText);
}

std::string Number2FmtStr(int nWidth, int nDigits, double nValue) {
    // Room for the 309 integer digits of the largest double and 18 decimals.
    std::array<char, 400> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), nValue, std::chars_format::fixed,
                                      std::clamp(nDigits, 0, 18));
    std::string szText(buf.data(), result.ptr);
    if (nWidth > 0 && szText.size() < static_cast<std::size_t>(nWidth)) {
        szText.insert(0, static_cast<std::size_t>(nWidth) - szText.size(), ' ');
    }
    return WithUserSeparator(std::move(szText));
}

std::string CheckNumber(std::string_view szValue) {
    std::string szOut;
    bool bSeparatorAllowed = true;
    bool bExponentWritten = false;
    for (const char c : szValue) {
        if (c == ' ') continue;
        // A sign opens the mantissa or the exponent.
        const bool bAtStartOfPart = szOut.empty() || szOut.back() == 'E';
        if (c == '+' || c == '-') {
            szOut += bAtStartOfPart ? c : '0';
        } else if (c == '.' || c == ',') {
            szOut += bSeparatorAllowed ? DecimalSeparator() : '0';
            bSeparatorAllowed = false;
        } else if (c >= '0' && c <= '9') {
            szOut += c;
        } else if (c == 'D' || c == 'E' || c == 'd' || c == 'e') {
            const bool bMark = !bExponentWritten && !szOut.empty();
            szOut += bMark ? 'E' : '0';
            bExponentWritten = bExponentWritten || bMark;
            bSeparatorAllowed = bSeparatorAllowed && !bMark;
        } else {
            szOut += '0';
        }
    }
    return szOut;
}

std::string ReducedFileName(std::string_view szFileName) {
    const std::string szName(szFileName);
    if (CharacterCount(szFileName) <= kMaxShortName) return szName;
    const std::size_t nFirst = szFileName.find_first_of(kPathSeparators);
    const std::size_t nSecond =
        nFirst == std::string_view::npos ? nFirst : szFileName.find_first_of(kPathSeparators, nFirst + 1);
    const std::size_t nLast = szFileName.find_last_of(kPathSeparators);
    // Nothing to leave out between the first two parts and the file name.
    if (nSecond == std::string_view::npos || nSecond >= nLast) return szName;
    return szName.substr(0, nSecond + 1) + "..." + szName.substr(nLast);
}

std::string StringToUnicode(std::string_view szStr, std::uint8_t chSet) {
    return CTCharsetSupport::ToUtf8(szStr, chSet);
}

}  // namespace brumalis
