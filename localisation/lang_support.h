// Windows language identifiers and font character sets: names for display,
// lists for selection controls, and the conversion of 8-bit text in a
// character set to and from UTF-8. Linux has no locale catalogue of Windows
// identifiers, so both lists are built-in tables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brumalis {

// One entry of the language or the charset list.
struct CTLangMap {
    std::int32_t v_langID = 0;  // language identifier or charset number
    std::string v_langStr;      // display name, or charset identifier ("RUSSIAN_CHARSET")
    std::string v_cleanStr;     // charsets: "russian"; empty for languages
};

// (display text, item data) as a selection control holds them.
using CTItemList = std::vector<std::pair<std::string, std::int32_t>>;

class CTLangSupport {
public:
    static constexpr std::int32_t kDefaultLanguage = 1033;

    // The listed name, cut by the sub-language rule; empty when not listed.
    // Identifier 0 (neutral) reads as 1033.
    static std::string ID2String(std::int32_t nLangID, bool bShowSubLanguage, bool bShowSubLanguageForDefault);
    static std::string LocalizedLanguageName(std::int32_t nLangID, bool bShowSubLanguage,
                                             bool bShowSubLanguageForDefault);
    static std::string EnglishLanguageName(std::int32_t nLangID, bool bShowSubLanguage,
                                           bool bShowSubLanguageForDefault);
    static std::string NativeLanguageName(std::int32_t nLangID, bool bShowSubLanguage,
                                          bool bShowSubLanguageForDefault);
    // First language whose name equals szLangStr ignoring ASCII case, else 0.
    static std::int32_t String2ID(std::string_view szLangStr);
    // Three-letter abbreviation ("RUS"), empty when not listed.
    static std::string ID2FileExtension(std::int32_t nLangID);
    static std::int32_t FileExtension2ID(std::string_view szExt);
    // Scripts that the plain Western fonts do not cover.
    static bool UseUnicodeFont(std::int32_t nLangID);
    // Every language (only default variants unless bIncludeSubLanguages) with
    // its identifier, optionally sorted by name.
    static CTItemList FillStrings(bool bIncludeSubLanguages, bool bPresort);
    // ANSI code page of the language, 0 when not listed.
    static std::uint32_t CodePage(std::int32_t nLangID);
    static const std::vector<CTLangMap>& Languages();
};

class CTCharsetSupport {
public:
    static constexpr std::uint8_t kAnsiCharset = 0;
    static constexpr std::uint8_t kDefaultCharset = 1;
    // The 8-bit code page of this system: Western, like charset 0.
    static constexpr std::uint32_t kSystemCodePage = 1252;

    static std::string ID2String(std::int32_t nCharset);       // "RUSSIAN_CHARSET"
    static std::string ID2CleanString(std::int32_t nCharset);  // "russian"
    static std::int32_t String2ID(std::string_view szLangStr);
    // Every charset but DEFAULT as (clean name, number).
    static CTItemList FillStrings();
    static const std::vector<CTLangMap>& Charsets();

    // Code page of a charset that this system can convert, 0 otherwise.
    static std::uint32_t CodePage(std::int32_t nCharset);
    // 8-bit text in the charset's code page as UTF-8; charset 1, an
    // unconvertible charset or undecodable bytes fall back to the system
    // code page, which decodes every byte.
    static std::string ToUtf8(std::string_view szBytes, std::int32_t nCharset);
    // UTF-8 text in the charset's code page; nothing when the text is not
    // valid UTF-8 or has characters the code page lacks.
    static std::optional<std::string> FromUtf8(std::string_view szUtf8, std::int32_t nCharset);
    // The same for a code page of 1250..1258, 874, 932, 936, 949 or 950.
    static std::optional<std::string> DecodeCodePage(std::string_view szBytes, std::uint32_t nCodePage);
    static std::optional<std::string> EncodeCodePage(std::string_view szUtf8, std::uint32_t nCodePage);
};

}  // namespace brumalis
