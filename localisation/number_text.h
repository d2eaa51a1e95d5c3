// Numbers as the user types and reads them, file names shortened for
// messages, and 8-bit text of a Windows character set as UTF-8.
//
// The user's decimal separator is a process-wide setting ("." unless the
// program sets another); it applies to what the user types and reads only.
// Files are never written through these functions, and the C locale (which
// a GUI toolkit may change) is never consulted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brumalis {

char DecimalSeparator();
// Answers the previous separator.
char SetDecimalSeparator(char chSeparator);

// The trimmed text as a number: blanks inside read as "0", "," and "." as the
// decimal separator; 0 for a text that is not a number.
double Str2Number(std::string_view szValue);
// General format with nPrecision significant digits: fixed point unless the
// value needs more digits before the point, or is below 0.00001, then
// scientific ("1E20", "1.5E-7"); trailing zeros dropped.
std::string Number2Str(int nPrecision, double nValue);
// Fixed format with nDigits decimals, right-aligned in nWidth characters.
std::string Number2FmtStr(int nWidth, int nDigits, double nValue);
// The text cleaned while it is typed: blanks dropped, one decimal
// separator, a sign only at the start of the mantissa or the exponent, one
// exponent mark written "E" after something, anything else becomes "0"
// (so "12a,5.3" reads "120.503" and "e5" reads "05").
std::string CheckNumber(std::string_view szValue);
// The name itself up to 30 characters; longer, its first two path parts,
// "...", and the file name: "C:\Data\...\plant-a.txt". Both "\" and "/"
// separate parts.
std::string ReducedFileName(std::string_view szFileName);
// 8-bit text in character set chSet as UTF-8 (charset 1 or one without a
// code page: the system's 8-bit code page).
std::string StringToUnicode(std::string_view szStr, std::uint8_t chSet);

}  // namespace brumalis
