#include "localisation/lang_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace brumalis {
namespace {

TEST(LanguageNames, SubLanguageRuleCutsTheVariantOfDefaultLanguagesOnlyWhenAsked) {
    EXPECT_EQ(CTLangSupport::ID2String(2057, true, false), "English (United Kingdom)");
    EXPECT_EQ(CTLangSupport::ID2String(1033, true, false), "English");
    EXPECT_EQ(CTLangSupport::ID2String(1033, true, true), "English (United States)");
    EXPECT_EQ(CTLangSupport::ID2String(2057, false, true), "English");
    EXPECT_EQ(CTLangSupport::NativeLanguageName(1049, true, true), "русский (Россия)");
    EXPECT_EQ(CTLangSupport::NativeLanguageName(1049, true, false), "русский");
    EXPECT_EQ(CTLangSupport::EnglishLanguageName(3079, true, false), "German (Austria)");
}

TEST(LanguageNames, NeutralLanguageReadsAsUsEnglishAndUnknownIdentifiersAreEmpty) {
    EXPECT_EQ(CTLangSupport::ID2String(0, true, true), "English (United States)");
    EXPECT_EQ(CTLangSupport::ID2FileExtension(0), "ENU");
    EXPECT_EQ(CTLangSupport::ID2String(0x7FFF, true, true), "");
    EXPECT_EQ(CTLangSupport::ID2FileExtension(0x7FFF), "");
}

TEST(LanguageNames, LookupsByNameAndAbbreviationIgnoreCase) {
    EXPECT_EQ(CTLangSupport::String2ID("russian (russia)"), 1049);
    EXPECT_EQ(CTLangSupport::String2ID("Russian"), 0);
    EXPECT_EQ(CTLangSupport::FileExtension2ID("rus"), 1049);
    EXPECT_EQ(CTLangSupport::FileExtension2ID("xyz"), 0);
    for (const CTLangMap& lang : CTLangSupport::Languages()) {
        EXPECT_EQ(CTLangSupport::FileExtension2ID(CTLangSupport::ID2FileExtension(lang.v_langID)), lang.v_langID);
        EXPECT_EQ(CTLangSupport::String2ID(lang.v_langStr), lang.v_langID) << lang.v_langStr;
    }
}

TEST(LanguageNames, EveryWindowsCodePageHasALanguage) {
    for (std::uint32_t cp : {874u, 932u, 936u, 949u, 950u, 1250u, 1251u, 1252u, 1253u, 1254u, 1255u, 1256u, 1257u,
                             1258u}) {
        bool bFound = false;
        for (const CTLangMap& lang : CTLangSupport::Languages()) bFound |= CTLangSupport::CodePage(lang.v_langID) == cp;
        EXPECT_TRUE(bFound) << cp;
    }
}

TEST(LanguageNames, FillStringsListsDefaultVariantsUnlessAskedAndSortsOnRequest) {
    const CTItemList main = CTLangSupport::FillStrings(false, true);
    const CTItemList all = CTLangSupport::FillStrings(true, false);
    EXPECT_EQ(all.size(), CTLangSupport::Languages().size());
    EXPECT_LT(main.size(), all.size());
    for (const auto& item : main) EXPECT_EQ(item.second >> 10, 1) << item.first;
    EXPECT_TRUE(std::ranges::is_sorted(main, {}, &CTItemList::value_type::first));
    EXPECT_NE(std::ranges::find(main, CTItemList::value_type("Russian", 1049)), main.end());
    EXPECT_EQ(all.front(), CTItemList::value_type("Arabic", 1025));
    EXPECT_NE(std::ranges::find(all, CTItemList::value_type("English (United Kingdom)", 2057)), all.end());
}

TEST(LanguageFonts, UnicodeFontForNonWesternScripts) {
    EXPECT_TRUE(CTLangSupport::UseUnicodeFont(1041));   // Japanese
    EXPECT_TRUE(CTLangSupport::UseUnicodeFont(2052));   // Chinese, another sub-language
    EXPECT_TRUE(CTLangSupport::UseUnicodeFont(1065));   // Persian
    EXPECT_FALSE(CTLangSupport::UseUnicodeFont(1049));  // Russian
    EXPECT_FALSE(CTLangSupport::UseUnicodeFont(0));
}

TEST(Charsets, IdentifiersCleanNamesAndTheListWithoutDefault) {
    EXPECT_EQ(CTCharsetSupport::ID2String(204), "RUSSIAN_CHARSET");
    EXPECT_EQ(CTCharsetSupport::ID2CleanString(238), "easteurope");
    EXPECT_EQ(CTCharsetSupport::String2ID("greek_charset"), 161);
    EXPECT_EQ(CTCharsetSupport::String2ID("nonsense"), 0);
    const CTItemList items = CTCharsetSupport::FillStrings();
    EXPECT_EQ(std::ranges::count(items, 1, &CTItemList::value_type::second), 0);
    EXPECT_EQ(std::ranges::count(items, 204, &CTItemList::value_type::second), 1);
    EXPECT_EQ(CTCharsetSupport::ID2CleanString(1), "");
}

TEST(CharsetConversion, DecodesInTheCodePageOfTheCharset) {
    EXPECT_EQ(CTCharsetSupport::ToUtf8("\xE0\xE1", 204), "аб");
    EXPECT_EQ(CTCharsetSupport::ToUtf8("\xE0\xE1", 1), "àá");  // the system code page
    EXPECT_EQ(CTCharsetSupport::ToUtf8("\xE0\xE1", 77), "àá");  // no code page for it here
    EXPECT_EQ(CTCharsetSupport::ToUtf8("\xB9", 238), "ą");
    EXPECT_EQ(CTCharsetSupport::ToUtf8("\xE1", 161), "α");
    EXPECT_EQ(CTCharsetSupport::ToUtf8("\x93\xFA\x96\x7B", 128), "日本");
    EXPECT_EQ(CTCharsetSupport::ToUtf8("", 204), "");
}

TEST(CharsetConversion, BadBytesNeverFailAndUndefinedBytesSurviveARoundTrip) {
    // A lone lead byte is not Shift-JIS: the whole text falls back.
    EXPECT_EQ(CTCharsetSupport::ToUtf8("a\x93", 128), "a\xE2\x80\x9C");
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    for (std::int32_t cs : {0, 161, 162, 163, 177, 178, 186, 204, 222, 238}) {
        EXPECT_EQ(CTCharsetSupport::FromUtf8(CTCharsetSupport::ToUtf8(all, cs), cs), all) << cs;
    }
}

TEST(CharsetConversion, EncodesUtf8OrRefuses) {
    EXPECT_EQ(CTCharsetSupport::FromUtf8("Отмена", 204), "\xCE\xF2\xEC\xE5\xED\xE0");
    EXPECT_EQ(CTCharsetSupport::FromUtf8("日本", 128), "\x93\xFA\x96\x7B");
    EXPECT_EQ(CTCharsetSupport::FromUtf8("ế", 163), "\xEA\xEC");  // base letter and combining mark
    EXPECT_FALSE(CTCharsetSupport::FromUtf8("Отмена", 0));
    EXPECT_FALSE(CTCharsetSupport::FromUtf8("\xC0\x80", 0));  // overlong
    EXPECT_FALSE(CTCharsetSupport::FromUtf8("\xED\xA0\x80", 204));  // surrogate
    EXPECT_FALSE(CTCharsetSupport::EncodeCodePage("a", 437));
    EXPECT_FALSE(CTCharsetSupport::DecodeCodePage("a", 437));
}

TEST(CharsetConversion, LargeInputsConvertCompletely) {
    const std::string big(1 << 20, '\xE0');
    const std::string text = CTCharsetSupport::ToUtf8(big, 204);
    EXPECT_EQ(text.size(), big.size() * 2);
    EXPECT_EQ(CTCharsetSupport::FromUtf8(text, 204), big);
    std::string sjis;
    for (int i = 0; i < (1 << 18); ++i) sjis += "\x93\xFA";
    EXPECT_EQ(CTCharsetSupport::ToUtf8(sjis, 128).size(), std::size_t{3} << 18);
}

}  // namespace
}  // namespace brumalis
