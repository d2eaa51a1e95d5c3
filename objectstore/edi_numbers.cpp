#include "objectstore/edi_numbers.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <locale.h>

namespace brumalis {

namespace {

// Digits and decimal exponent of d rounded to 15 significant digits.
struct Decomposed {
    bool bNegative;
    char digits[16];
    int nDigits;    // trailing zeros removed
    int nExponent;  // d = d1.d2d3... x 10^nExponent
};

Decomposed Decompose(double d) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific, 14);
    Decomposed out{};
    const char* p = buf;
    out.bNegative = *p == '-';
    if (out.bNegative) ++p;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p != '.') out.digits[out.nDigits++] = *p;
    }
    int nExp = 0;
    std::from_chars(p + 1 + (p[1] == '+'), res.ptr, nExp);
    out.nExponent = nExp;
    while (out.nDigits > 1 && out.digits[out.nDigits - 1] == '0') --out.nDigits;
    return out;
}

void AppendPositional(std::string& out, const Decomposed& dec) {
    const int x = dec.nExponent;
    if (x < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-x - 1), '0');
        out.append(dec.digits, static_cast<std::size_t>(dec.nDigits));
        return;
    }
    for (int i = 0; i <= x; ++i) out += i < dec.nDigits ? dec.digits[i] : '0';
    if (dec.nDigits > x + 1) {
        out += '.';
        out.append(dec.digits + x + 1, static_cast<std::size_t>(dec.nDigits - x - 1));
    }
}

void AppendScientific(std::string& out, const Decomposed& dec) {
    out += dec.digits[0];
    if (dec.nDigits > 1) {
        out += '.';
        out.append(dec.digits + 1, static_cast<std::size_t>(dec.nDigits - 1));
    }
    out += 'E';
    AppendEdiInteger(out, dec.nExponent);
}

locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

void AppendEdiInteger(std::string& out, std::int64_t n) {
    char buf[24];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
}

void AppendEdiDouble(std::string& out, double d) {
    if (d == 0.0) {
        out += '0';
        return;
    }
    if (std::isnan(d)) {
        out += "NAN";
        return;
    }
    if (std::isinf(d)) {
        out += d < 0 ? "-INF" : "INF";
        return;
    }
    const Decomposed dec = Decompose(d);
    if (dec.bNegative) out += '-';
    // 0.d1d2... x 10^e with e = nExponent + 1, positional for -3 <= e <= 15.
    if (dec.nExponent >= -4 && dec.nExponent <= 14) {
        AppendPositional(out, dec);
    } else {
        AppendScientific(out, dec);
    }
}

std::string FormatEdiDouble(double d) {
    std::string out;
    AppendEdiDouble(out, d);
    return out;
}

namespace {

// Decimals of up to 15 significant digits with a power of ten up to 22 are
// two exact doubles: one multiplication or division rounds them correctly,
// as the full conversion does. Anything else answers nothing.
std::optional<double> ExactDecimal(std::string_view text) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int kMaxDigits = 15;
    constexpr int kMaxPower = 22;
    std::size_t i = 0;
    const bool bNegative = i < text.size() && text[i] == '-';
    if (bNegative) ++i;
    std::uint64_t mantissa = 0;
    int nDigits = 0, nFraction = 0;
    bool bPoint = false, bAnyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !bPoint) {
            bPoint = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        bAnyDigit = true;
        if (mantissa == 0 && c == '0') {
            if (bPoint) ++nFraction;  // leading zeros carry no digit
            continue;
        }
        if (++nDigits > kMaxDigits) return std::nullopt;
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        if (bPoint) ++nFraction;
    }
    if (!bAnyDigit) return std::nullopt;
    int nExponent = 0;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E') return std::nullopt;
        ++i;
        const bool bNegExp = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        const std::size_t nStart = i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (i - nStart >= 5) return std::nullopt;
            nExponent = nExponent * 10 + (text[i] - '0');
        }
        if (i == nStart || i != text.size()) return std::nullopt;
        if (bNegExp) nExponent = -nExponent;
    }
    const int nPower = nExponent - nFraction;
    if (nPower < -kMaxPower || nPower > kMaxPower) return mantissa == 0 ? std::optional<double>(bNegative ? -0.0 : 0.0) : std::nullopt;
    double d = static_cast<double>(mantissa);
    d = nPower < 0 ? d / kPowers[-nPower] : d * kPowers[nPower];
    return bNegative ? -d : d;
}

}  // namespace

double ParseEdiDouble(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (const auto exact = ExactDecimal(text)) return *exact;
    double d = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), d, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range && res.ptr == text.data() + text.size()) {
        // Overflow saturates; underflow keeps what strtod makes of it (0 or a denormal).
        const std::string copy(text);
        const double v = strtod_l(copy.c_str(), nullptr, CLocale());
        if (std::isinf(v)) return v < 0 ? -DBL_MAX : DBL_MAX;
        return v;
    }
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return -1.0;
    return d;
}

std::int32_t RoundToInt32(double d) {
    if (std::isnan(d)) return 0;
    const double r = std::nearbyint(d);
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

std::int64_t CurrencyFromDouble(double d) {
    if (std::isnan(d)) return 0;
    const double r = std::nearbyint(d * 10000.0);
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (r >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (r < -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(r);
}

}  // namespace brumalis
