// Small text helpers: UTF-8 and UTF-16
// coding and locale-independent ASCII case mapping.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void AppendUtf8(std::string& out, char32_t cp);
// The code points of valid UTF-8 (no overlong forms, surrogates or values
// above U+10FFFF); nothing otherwise.
std::optional<std::vector<char32_t>> DecodeUtf8(std::string_view szUtf8);

// UTF-16 units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& units);
// Valid UTF-8 to UTF-16 units; nothing for invalid UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view szUtf8);

}  // namespace brumalis
