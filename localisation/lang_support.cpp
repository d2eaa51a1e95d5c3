#include "localisation/lang_support.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <map>
#include <unordered_map>

#include "objectstore/utf8.h"

namespace brumalis {
namespace {

struct TLanguage {
    std::int32_t nID;
    const char* szEnglishLanguage;
    const char* szEnglishCountry;
    const char* szNativeLanguage;
    const char* szNativeCountry;
    const char* szAbbreviation;
    std::uint32_t nCodePage;
};

// Windows language identifiers with their names, abbreviations and ANSI code
// pages: every language with a code page of its own and the common variants.
constexpr TLanguage kLanguages[] = {
    {1025, "Arabic", "Saudi Arabia", "العربية", "المملكة العربية السعودية", "ARA", 1256},
    {1026, "Bulgarian", "Bulgaria", "български", "България", "BGR", 1251},
    {1027, "Catalan", "Spain", "català", "Espanya", "CAT", 1252},
    {1028, "Chinese", "Taiwan", "中文", "台灣", "CHT", 950},
    {1029, "Czech", "Czech Republic", "čeština", "Česká republika", "CSY", 1250},
    {1030, "Danish", "Denmark", "dansk", "Danmark", "DAN", 1252},
    {1031, "German", "Germany", "Deutsch", "Deutschland", "DEU", 1252},
    {1032, "Greek", "Greece", "Ελληνικά", "Ελλάδα", "ELL", 1253},
    {1033, "English", "United States", "English", "United States", "ENU", 1252},
    {1034, "Spanish", "Spain, Traditional Sort", "español", "España", "ESP", 1252},
    {1035, "Finnish", "Finland", "suomi", "Suomi", "FIN", 1252},
    {1036, "French", "France", "français", "France", "FRA", 1252},
    {1037, "Hebrew", "Israel", "עברית", "ישראל", "HEB", 1255},
    {1038, "Hungarian", "Hungary", "magyar", "Magyarország", "HUN", 1250},
    {1039, "Icelandic", "Iceland", "íslenska", "Ísland", "ISL", 1252},
    {1040, "Italian", "Italy", "italiano", "Italia", "ITA", 1252},
    {1041, "Japanese", "Japan", "日本語", "日本", "JPN", 932},
    {1042, "Korean", "Korea", "한국어", "대한민국", "KOR", 949},
    {1043, "Dutch", "Netherlands", "Nederlands", "Nederland", "NLD", 1252},
    {1044, "Norwegian, Bokmål", "Norway", "norsk, bokmål", "Norge", "NOR", 1252},
    {1045, "Polish", "Poland", "polski", "Polska", "PLK", 1250},
    {1046, "Portuguese", "Brazil", "português", "Brasil", "PTB", 1252},
    {1048, "Romanian", "Romania", "română", "România", "ROM", 1250},
    {1049, "Russian", "Russia", "русский", "Россия", "RUS", 1251},
    {1050, "Croatian", "Croatia", "hrvatski", "Hrvatska", "HRV", 1250},
    {1051, "Slovak", "Slovakia", "slovenčina", "Slovenská republika", "SKY", 1250},
    {1052, "Albanian", "Albania", "shqipe", "Shqipëria", "SQI", 1250},
    {1053, "Swedish", "Sweden", "svenska", "Sverige", "SVE", 1252},
    {1054, "Thai", "Thailand", "ไทย", "ไทย", "THA", 874},
    {1055, "Turkish", "Turkey", "Türkçe", "Türkiye", "TRK", 1254},
    {1056, "Urdu", "Pakistan", "اُردو", "پاکستان", "URD", 1256},
    {1058, "Ukrainian", "Ukraine", "українська", "Україна", "UKR", 1251},
    {1059, "Belarusian", "Belarus", "беларуская", "Беларусь", "BEL", 1251},
    {1060, "Slovenian", "Slovenia", "slovenski", "Slovenija", "SLV", 1250},
    {1061, "Estonian", "Estonia", "eesti", "Eesti", "ETI", 1257},
    {1062, "Latvian", "Latvia", "latviešu", "Latvija", "LVI", 1257},
    {1063, "Lithuanian", "Lithuania", "lietuvių", "Lietuva", "LTH", 1257},
    {1065, "Persian", "Iran", "فارسى", "ایران", "FAR", 1256},
    {1066, "Vietnamese", "Vietnam", "Tiếng Việt", "Việt Nam", "VIT", 1258},
    {1068, "Azeri (Latin)", "Azerbaijan", "Azərbaycan dili", "Azərbaycan", "AZE", 1254},
    {1069, "Basque", "Spain", "euskara", "Espainia", "EUQ", 1252},
    {1071, "Macedonian", "Macedonia", "македонски јазик", "Македонија", "MKI", 1251},
    {1087, "Kazakh", "Kazakhstan", "Қазақ", "Қазақстан", "KKZ", 1251},
    {1091, "Uzbek (Latin)", "Uzbekistan", "U'zbek", "U'zbekiston Respublikasi", "UZB", 1254},
    {1092, "Tatar", "Russia", "Татар", "Россия", "TTT", 1251},
    {1110, "Galician", "Spain", "galego", "España", "GLC", 1252},
    {2052, "Chinese", "People's Republic of China", "中文", "中华人民共和国", "CHS", 936},
    {2055, "German", "Switzerland", "Deutsch", "Schweiz", "DES", 1252},
    {2057, "English", "United Kingdom", "English", "United Kingdom", "ENG", 1252},
    {2058, "Spanish", "Mexico", "español", "México", "ESM", 1252},
    {2060, "French", "Belgium", "français", "Belgique", "FRB", 1252},
    {2064, "Italian", "Switzerland", "italiano", "Svizzera", "ITS", 1252},
    {2067, "Dutch", "Belgium", "Nederlands", "België", "NLB", 1252},
    {2068, "Norwegian, Nynorsk", "Norway", "norsk, nynorsk", "Noreg", "NON", 1252},
    {2070, "Portuguese", "Portugal", "português", "Portugal", "PTG", 1252},
    {3079, "German", "Austria", "Deutsch", "Österreich", "DEA", 1252},
    {3081, "English", "Australia", "English", "Australia", "ENA", 1252},
    {3082, "Spanish", "Spain, International Sort", "español", "España", "ESN", 1252},
    {3084, "French", "Canada", "français", "Canada", "FRC", 1252},
    {3098, "Serbian (Cyrillic)", "Serbia", "српски", "Србија", "SRB", 1251},
    {4105, "English", "Canada", "English", "Canada", "ENC", 1252},
    {4108, "French", "Switzerland", "français", "Suisse", "FRS", 1252},
};

struct TCharset {
    std::int32_t nNumber;
    const char* szIdentifier;
    std::uint32_t nCodePage;  // 0: no conversion on this system
};

// The platform's charset identifiers in their numeric order, with the code
// pages of the Windows charset-to-code-page table that iconv can convert.
constexpr TCharset kCharsets[] = {
    {0, "ANSI_CHARSET", 1252},         {1, "DEFAULT_CHARSET", 0},        {2, "SYMBOL_CHARSET", 0},
    {77, "MAC_CHARSET", 0},            {128, "SHIFTJIS_CHARSET", 932},   {129, "HANGEUL_CHARSET", 949},
    {130, "JOHAB_CHARSET", 0},         {134, "GB2312_CHARSET", 936},     {136, "CHINESEBIG5_CHARSET", 950},
    {161, "GREEK_CHARSET", 1253},      {162, "TURKISH_CHARSET", 1254},   {163, "VIETNAMESE_CHARSET", 1258},
    {177, "HEBREW_CHARSET", 1255},     {178, "ARABIC_CHARSET", 1256},    {186, "BALTIC_CHARSET", 1257},
    {204, "RUSSIAN_CHARSET", 1251},    {222, "THAI_CHARSET", 874},       {238, "EASTEUROPE_CHARSET", 1250},
    {255, "OEM_CHARSET", 0},
};

constexpr std::uint32_t kSingleByteCodePages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
constexpr std::uint32_t kDoubleByteCodePages[] = {932, 936, 949, 950};

std::int32_t Normalised(std::int32_t nLangID) { return nLangID == 0 ? CTLangSupport::kDefaultLanguage : nLangID; }

const TLanguage* FindLanguage(std::int32_t nLangID) {
    const std::int32_t id = Normalised(nLangID);
    for (const TLanguage& lang : kLanguages) {
        if (lang.nID == id) return &lang;
    }
    return nullptr;
}

const TCharset* FindCharset(std::int32_t nCharset) {
    for (const TCharset& cs : kCharsets) {
        if (cs.nNumber == nCharset) return &cs;
    }
    return nullptr;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

// The full name stands only when the variant is asked for, and for the
// default variant only when asked for explicitly.
std::string SubLanguageRule(std::string szName, std::int32_t nLangID, bool bShowSubLanguage,
                            bool bShowSubLanguageForDefault) {
    const bool bDefaultVariant = (Normalised(nLangID) >> 10) == 1;
    if (bShowSubLanguage && (bShowSubLanguageForDefault || !bDefaultVariant)) return szName;
    const std::size_t pos = szName.rfind(" (");
    if (pos != std::string::npos) szName.erase(pos);
    return szName;
}

std::string JoinName(const char* szLanguage, const char* szCountry) {
    return std::string(szLanguage) + " (" + szCountry + ")";
}

std::string CodePageName(std::uint32_t nCodePage) { return "CP" + std::to_string(nCodePage); }

// Converts between two iconv encodings; nothing on any invalid input.
std::optional<std::string> Iconv(const std::string& szTo, const std::string& szFrom, std::string_view in) {
    const iconv_t cd = iconv_open(szTo.c_str(), szFrom.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    std::array<char, 4096> buf{};
    char* pIn = const_cast<char*>(in.data());  // iconv's signature only; the input is not written
    std::size_t nInLeft = in.size();
    bool bOk = true;
    auto step = [&](char** ppIn, std::size_t* pnInLeft) {
        char* pOut = buf.data();
        std::size_t nOutLeft = buf.size();
        const std::size_t r = iconv(cd, ppIn, pnInLeft, &pOut, &nOutLeft);
        out.append(buf.data(), static_cast<std::size_t>(pOut - buf.data()));
        return r != static_cast<std::size_t>(-1) || errno == E2BIG;
    };
    while (bOk && nInLeft > 0) bOk = step(&pIn, &nInLeft);
    bOk = bOk && step(nullptr, nullptr);
    iconv_close(cd);
    if (!bOk) return std::nullopt;
    return out;
}

// A single-byte code page as a table. Bytes the code page leaves undefined
// decode to the control character of the same number, so that every byte
// string survives a round trip.
struct TByteTable {
    std::array<char32_t, 256> toUnicode{};
    std::unordered_map<char32_t, char> fromUnicode;
};

TByteTable BuildByteTable(std::uint32_t nCodePage) {
    TByteTable table;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const auto decoded = Iconv("UTF-8", CodePageName(nCodePage), std::string_view(&byte, 1));
        const auto points = decoded ? DecodeUtf8(*decoded) : std::nullopt;
        table.toUnicode[b] = points && points->size() == 1 ? points->front() : static_cast<char32_t>(b);
        table.fromUnicode.emplace(table.toUnicode[b], byte);
    }
    return table;
}

const TByteTable* ByteTable(std::uint32_t nCodePage) {
    static const std::map<std::uint32_t, TByteTable> tables = [] {
        std::map<std::uint32_t, TByteTable> m;
        for (std::uint32_t cp : kSingleByteCodePages) m.emplace(cp, BuildByteTable(cp));
        return m;
    }();
    const auto it = tables.find(nCodePage);
    return it == tables.end() ? nullptr : &it->second;
}

bool IsDoubleByteCodePage(std::uint32_t nCodePage) {
    return std::ranges::find(kDoubleByteCodePages, nCodePage) != std::end(kDoubleByteCodePages);
}

std::string DecodeByTable(const TByteTable& table, std::string_view szBytes) {
    std::string out;
    out.reserve(szBytes.size());
    for (const char c : szBytes) AppendUtf8(out, table.toUnicode[static_cast<unsigned char>(c)]);
    return out;
}

std::optional<std::string> EncodeByTable(const TByteTable& table, const std::vector<char32_t>& points) {
    std::string out;
    out.reserve(points.size());
    for (const char32_t cp : points) {
        const auto it = table.fromUnicode.find(cp);
        if (it == table.fromUnicode.end()) return std::nullopt;
        out += it->second;
    }
    return out;
}

}  // namespace

std::string CTLangSupport::ID2String(std::int32_t nLangID, bool bShowSubLanguage, bool bShowSubLanguageForDefault) {
    return EnglishLanguageName(nLangID, bShowSubLanguage, bShowSubLanguageForDefault);
}

std::string CTLangSupport::LocalizedLanguageName(std::int32_t nLangID, bool bShowSubLanguage,
                                                 bool bShowSubLanguageForDefault) {
    return ID2String(nLangID, bShowSubLanguage, bShowSubLanguageForDefault);
}

std::string CTLangSupport::EnglishLanguageName(std::int32_t nLangID, bool bShowSubLanguage,
                                               bool bShowSubLanguageForDefault) {
    const TLanguage* pLang = FindLanguage(nLangID);
    if (!pLang) return {};
    return SubLanguageRule(JoinName(pLang->szEnglishLanguage, pLang->szEnglishCountry), nLangID, bShowSubLanguage,
                           bShowSubLanguageForDefault);
}

std::string CTLangSupport::NativeLanguageName(std::int32_t nLangID, bool bShowSubLanguage,
                                              bool bShowSubLanguageForDefault) {
    const TLanguage* pLang = FindLanguage(nLangID);
    if (!pLang) return {};
    return SubLanguageRule(JoinName(pLang->szNativeLanguage, pLang->szNativeCountry), nLangID, bShowSubLanguage,
                           bShowSubLanguageForDefault);
}

std::int32_t CTLangSupport::String2ID(std::string_view szLangStr) {
    for (const CTLangMap& entry : Languages()) {
        if (EqualsIgnoringCase(entry.v_langStr, szLangStr)) return entry.v_langID;
    }
    return 0;
}

std::string CTLangSupport::ID2FileExtension(std::int32_t nLangID) {
    const TLanguage* pLang = FindLanguage(nLangID);
    return pLang ? pLang->szAbbreviation : "";
}

std::int32_t CTLangSupport::FileExtension2ID(std::string_view szExt) {
    for (const TLanguage& lang : kLanguages) {
        if (EqualsIgnoringCase(lang.szAbbreviation, szExt)) return lang.nID;
    }
    return 0;
}

bool CTLangSupport::UseUnicodeFont(std::int32_t nLangID) {
    constexpr std::int32_t kPrimaries[] = {1, 4, 8, 13, 17, 18, 30, 41};  // Arabic .. Persian
    return std::ranges::find(kPrimaries, Normalised(nLangID) & 0x3FF) != std::end(kPrimaries);
}

CTItemList CTLangSupport::FillStrings(bool bIncludeSubLanguages, bool bPresort) {
    CTItemList items;
    for (const CTLangMap& entry : Languages()) {
        if (!bIncludeSubLanguages && (entry.v_langID >> 10) != 1) continue;
        items.emplace_back(ID2String(entry.v_langID, bIncludeSubLanguages, false), entry.v_langID);
    }
    if (bPresort) std::ranges::stable_sort(items, {}, &CTItemList::value_type::first);
    return items;
}

std::uint32_t CTLangSupport::CodePage(std::int32_t nLangID) {
    const TLanguage* pLang = FindLanguage(nLangID);
    return pLang ? pLang->nCodePage : 0;
}

const std::vector<CTLangMap>& CTLangSupport::Languages() {
    static const std::vector<CTLangMap> list = [] {
        std::vector<CTLangMap> v;
        for (const TLanguage& lang : kLanguages) {
            v.push_back({lang.nID, JoinName(lang.szEnglishLanguage, lang.szEnglishCountry), {}});
        }
        return v;
    }();
    return list;
}

std::string CTCharsetSupport::ID2String(std::int32_t nCharset) {
    const TCharset* pCs = FindCharset(nCharset);
    return pCs ? pCs->szIdentifier : "";
}

std::string CTCharsetSupport::ID2CleanString(std::int32_t nCharset) {
    for (const CTLangMap& entry : Charsets()) {
        if (entry.v_langID == nCharset) return entry.v_cleanStr;
    }
    return {};
}

std::int32_t CTCharsetSupport::String2ID(std::string_view szLangStr) {
    for (const CTLangMap& entry : Charsets()) {
        if (EqualsIgnoringCase(entry.v_langStr, szLangStr)) return entry.v_langID;
    }
    return 0;
}

CTItemList CTCharsetSupport::FillStrings() {
    CTItemList items;
    for (const CTLangMap& entry : Charsets()) items.emplace_back(entry.v_cleanStr, entry.v_langID);
    return items;
}

const std::vector<CTLangMap>& CTCharsetSupport::Charsets() {
    static const std::vector<CTLangMap> list = [] {
        std::vector<CTLangMap> v;
        for (const TCharset& cs : kCharsets) {
            if (cs.nNumber == kDefaultCharset) continue;  // "no charset chosen" is not a choice
            std::string clean = cs.szIdentifier;
            clean.erase(clean.rfind("_CHARSET"));
            std::ranges::transform(clean, clean.begin(), [](char c) { return AsciiLower(c); });
            v.push_back({cs.nNumber, cs.szIdentifier, clean});
        }
        return v;
    }();
    return list;
}

std::uint32_t CTCharsetSupport::CodePage(std::int32_t nCharset) {
    const TCharset* pCs = FindCharset(nCharset);
    return pCs ? pCs->nCodePage : 0;
}

std::string CTCharsetSupport::ToUtf8(std::string_view szBytes, std::int32_t nCharset) {
    const std::uint32_t nCodePage = CodePage(nCharset);
    if (nCodePage != 0) {
        if (auto text = DecodeCodePage(szBytes, nCodePage)) return std::move(*text);
    }
    return DecodeByTable(*ByteTable(kSystemCodePage), szBytes);
}

std::optional<std::string> CTCharsetSupport::FromUtf8(std::string_view szUtf8, std::int32_t nCharset) {
    const std::uint32_t nCodePage = CodePage(nCharset);
    return EncodeCodePage(szUtf8, nCodePage != 0 ? nCodePage : kSystemCodePage);
}

std::optional<std::string> CTCharsetSupport::DecodeCodePage(std::string_view szBytes, std::uint32_t nCodePage) {
    if (const TByteTable* pTable = ByteTable(nCodePage)) return DecodeByTable(*pTable, szBytes);
    if (!IsDoubleByteCodePage(nCodePage)) return std::nullopt;
    return Iconv("UTF-8", CodePageName(nCodePage), szBytes);
}

std::optional<std::string> CTCharsetSupport::EncodeCodePage(std::string_view szUtf8, std::uint32_t nCodePage) {
    const TByteTable* pTable = ByteTable(nCodePage);
    if (!pTable && !IsDoubleByteCodePage(nCodePage)) return std::nullopt;
    const auto points = DecodeUtf8(szUtf8);
    if (!points) return std::nullopt;
    if (pTable) {
        if (auto bytes = EncodeByTable(*pTable, *points)) return bytes;
    }
    // iconv also writes letters that the code page builds from a base letter
    // and a combining mark (Vietnamese).
    return Iconv(CodePageName(nCodePage), "UTF-8", szUtf8);
}

}  // namespace brumalis
