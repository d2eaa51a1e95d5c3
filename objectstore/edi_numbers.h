// Locale-independent number texts of the data files: "." as the decimal
// separator and 15 significant digits, whatever the user's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brumalis {

// General format with 15 significant digits: positional for exponents -3..15
// of 0.d1d2... x 10^e ("0.0005", "100000"), otherwise scientific ("5E-5",
// "1E16"); trailing zeros dropped; zero is "0".
std::string FormatEdiDouble(double d);
void AppendEdiDouble(std::string& out, double d);
void AppendEdiInteger(std::string& out, std::int64_t n);

// Converts a whole decimal text with "." as the separator. Text that does not
// convert yields -1.0, an overflow the largest double of that sign.
double ParseEdiDouble(std::string_view text);

// Rounds to the nearest integer, saturating at the 32-bit range (NaN gives 0):
// a damaged file must not make a conversion overflow.
std::int32_t RoundToInt32(double d);
// Ten-thousandths of a Currency from a decimal, rounded and saturated.
std::int64_t CurrencyFromDouble(double d);

}  // namespace brumalis
