#include "localisation/glossary.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "localisation/glossary_text.h"
#include "localisation/lang_support.h"
#include "objectstore/store_messages.h"
#include "tests/objectstore/store_fixture.h"

namespace brumalis {
namespace {

const std::string kOtmena = "\xCE\xF2\xEC\xE5\xED\xE0";  // "Отмена" in code page 1251

// GLS3 bytes built by hand, independent of the writer.
std::string Int32(std::int32_t n) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += static_cast<char>((static_cast<std::uint32_t>(n) >> (8 * i)) & 0xFF);
    return s;
}

std::string Entry(const std::string& term, const std::string& translation, char charset = '\xCC') {
    return std::string("\0\0", 2) + static_cast<char>(term.size()) + term + charset + '\0' +
           static_cast<char>(translation.size()) + translation;
}

std::string Gls3(std::int32_t nLang, std::int32_t nCount, const std::string& entries) {
    return "GLS3" + Int32(nLang) + "\xCC" + Int32(nCount) + entries;
}

bool Load(CTGlossary& glos, const std::string& bytes, bool bPurge = true, bool bAllowNoTrans = false) {
    CTMemoryStream stream(bytes);
    return glos.LoadTermsFromStream(stream, bPurge, bAllowNoTrans, "mem");
}

std::string Save(CTGlossary& glos, bool bUseCurrentCompression) {
    CTMemoryStream stream;
    glos.SaveTermsToStream(stream, bUseCurrentCompression);
    return stream.TakeData();
}

TEST(ByteIO, ValuesRoundTripLittleEndianAcrossBlockBoundaries) {
    CTMemoryStream stream;
    CTLLByteIO out(stream);
    out.PutInteger(-2);
    out.PutWord(0x1234);
    out.PutSmallInt(-300);
    out.PutShortInt(-5);
    out.PutLongWord(0xDEADBEEF);
    out.PutInt64(-1234567890123LL);
    out.PutSingle(1.5F);
    out.PutDateTime(45000.25);
    out.PutCurrency(123456789);
    out.PutStringAndLength(std::string(20000, 'x'), true);
    out.PutStringAndLength("abc", false);
    out.PutUnicodeStringAndLength("Ж\xF0\x9F\x98\x80");
    EXPECT_THROW(out.PutStringAndLength(std::string(256, 'y'), false), std::length_error);
    EXPECT_THROW(out.PutUnicodeStringAndLength("\xFF"), std::invalid_argument);
    out.Flush();
    EXPECT_EQ(stream.Data().substr(0, 6), "\xFE\xFF\xFF\xFF\x34\x12");

    stream.Seek(0, SeekOrigin::Begin);
    CTLLByteIO in(stream);
    std::int32_t n32 = 0;
    std::uint16_t u16 = 0;
    std::int16_t n16 = 0;
    std::int8_t n8 = 0;
    std::uint32_t u32 = 0;
    std::int64_t n64 = 0;
    std::int64_t currency = 0;
    float f = 0;
    double d = 0;
    std::string longText;
    std::string shortText;
    std::string unicode;
    ASSERT_TRUE(in.GetInteger(n32) && in.GetWord(u16) && in.GetSmallInt(n16) && in.GetShortInt(n8) &&
                in.GetLongWord(u32) && in.GetInt64(n64) && in.GetSingle(f) && in.GetDateTime(d) &&
                in.GetCurrency(currency) && in.GetLongString(longText) && in.GetString(shortText) &&
                in.GetUnicodeString(unicode));
    EXPECT_EQ(std::make_tuple(n32, u16, n16, n8, u32, n64, f, d, currency),
              std::make_tuple(-2, 0x1234, -300, -5, 0xDEADBEEFu, -1234567890123LL, 1.5F, 45000.25, 123456789LL));
    EXPECT_EQ(longText, std::string(20000, 'x'));
    EXPECT_EQ(shortText, "abc");
    EXPECT_EQ(unicode, "Ж\xF0\x9F\x98\x80");
    std::uint8_t b = 0;
    EXPECT_FALSE(in.NextByte(b));
    EXPECT_FALSE(in.GetInteger(n32));
}

TEST(ByteIO, ShortDataAndLoneSurrogates) {
    CTMemoryStream truncated(std::string("\x05\0\0\0ab", 6));
    CTLLByteIO in(truncated);
    std::string sz;
    EXPECT_FALSE(in.GetLongString(sz));
    CTMemoryStream lone(std::string("\x02\0\0\0\x00\xD8\x41\x00", 8));
    CTLLByteIO unicode(lone);
    ASSERT_TRUE(unicode.GetUnicodeString(sz));
    EXPECT_EQ(sz, "\xEF\xBF\xBD" "A");
}

class GlossaryTest : public ::testing::Test {
protected:
    void SetUp() override { CTGlossary::SetUseCompression(true, "QXZ"); }
    void TearDown() override { CTGlossary::SetUseCompression(false, ""); }
};

TEST_F(GlossaryTest, TranslatesOnlyTheExactTermWithOneTranslation) {
    CTGlossary glos;
    ASSERT_TRUE(Load(glos, Gls3(1049, 3, Entry("Cancel", kOtmena) + Entry("Open", "A") + Entry("Open", "B"))));
    EXPECT_EQ(glos.Translate("Cancel"), "Отмена");
    EXPECT_EQ(glos.Translate("cancel"), std::nullopt);
    EXPECT_EQ(glos.Translate("Cancel "), std::nullopt);
    EXPECT_EQ(glos.Translate("Open"), std::nullopt);
    EXPECT_EQ(glos.TranslationsFor("Open"), (std::vector<TTranslation>{{"A", 204}, {"B", 204}}));
    EXPECT_TRUE(glos.TranslationsFor("").empty());
    EXPECT_TRUE(glos.TranslationsFor("Отмена").empty());  // not a charset 0 text
}

TEST_F(GlossaryTest, TermsAreBucketedByCapitalisedFirstByteAndComparedAfterCharset0Decoding) {
    CTGlossary glos;
    ASSERT_TRUE(glos.AddTermAndTranslation("apply", "\xF8", 204, false, false));
    ASSERT_TRUE(glos.AddTermAndTranslation("Gr\xF6\xDF" "e", "\xFB", 204, false, false));
    EXPECT_EQ(glos.AllLetterEntries().at('A').size(), 1u);
    EXPECT_EQ(glos.Translate("apply"), "ш");
    EXPECT_EQ(glos.Translate("Größe"), "ы");
    EXPECT_TRUE(glos.HasCharsets());
    glos.AddTerm("Zulu");
    glos.AddTerm("Юг");  // charset 0 cannot hold it
    EXPECT_EQ(glos.EntryCount(), 3u);
    EXPECT_TRUE(glos.HasUntranslatedTerms());
}

TEST_F(GlossaryTest, EditingRefusesEmptyAndDuplicateTranslations) {
    CTGlossary glos;
    int nRefreshes = 0;
    glos.SetEditor([&] { ++nRefreshes; });
    EXPECT_TRUE(glos.AddTermAndTranslation("  Cancel\t", " A ", 204, false, true));
    EXPECT_TRUE(glos.Changed());
    EXPECT_EQ(nRefreshes, 1);
    EXPECT_FALSE(glos.AddTermAndTranslation("Cancel", "A", 204, false, true));
    EXPECT_TRUE(glos.AddTermAndTranslation("Cancel", "A", 204, true, true));
    EXPECT_FALSE(glos.AddTermAndTranslation("Cancel", "  ", 204, false, true));
    EXPECT_TRUE(glos.AddTermAndTranslation("Cancel", "A", 238, false, false));
    EXPECT_EQ(nRefreshes, 1);
    bool bIdentical = true;
    EXPECT_TRUE(glos.TermExists("Cancel", "A", bIdentical, 204));
    EXPECT_FALSE(bIdentical);  // two entries now

    glos.AddTermNoNonsense("OK", "", 0);
    glos.AddTermNoNonsense("OK", "", 0);
    glos.AddTermNoNonsense("OK", "\xC2", 204);
    EXPECT_TRUE(glos.TermExists("OK", "", bIdentical, 0));
    EXPECT_FALSE(bIdentical);
    EXPECT_EQ(glos.TranslationsFor("OK").size(), 2u);
    glos.RemoveUntranslatedTerms();
    EXPECT_EQ(glos.Translate("OK"), "В");
    EXPECT_TRUE(glos.TermExists("OK", "\xC2", bIdentical, 204));
    EXPECT_TRUE(bIdentical);
    EXPECT_FALSE(glos.HasUntranslatedTerms());
}

TEST_F(GlossaryTest, UseTranslationsFromFillsAndDeletes) {
    CTGlossary source;
    source.AddTermNoNonsense("Yes", "", 0);
    source.AddTermNoNonsense("Yes", "Da", 204);
    source.AddTermNoNonsense("No", "Net", 204);
    CTGlossary glos;
    glos.AddTermNoNonsense("Yes", "", 0);
    glos.AddTermNoNonsense("No", "Nyet", 204);
    glos.AddTermNoNonsense("Maybe", "", 0);
    glos.UseTranslationsFrom(source, false, true);
    EXPECT_EQ(glos.TranslationsFor("Yes"), (std::vector<TTranslation>{{"Da", 204}}));
    EXPECT_EQ(glos.TranslationsFor("No"), (std::vector<TTranslation>{{"Nyet", 204}}));
    EXPECT_EQ(glos.EntryCount(), 3u);
    glos.UseTranslationsFrom(source, true, false);
    EXPECT_EQ(glos.TranslationsFor("No"), (std::vector<TTranslation>{{"Net", 204}}));
    EXPECT_TRUE(glos.TranslationsFor("Maybe").empty());
    glos.AddTermNoNonsense("b", "", 0);
    glos.AddTermNoNonsense("a", "", 0);
    glos.AddTermNoNonsense("B", "", 0);
    glos.Sort();
    EXPECT_EQ(glos.GetLetterEntry('B').front().GetTerm(), "B");
}

TEST_F(GlossaryTest, WritesTheGls3LayoutWithLongTextsOfKindOne) {
    CTGlossary::SetUseCompression(false, "");
    CTGlossary glos;
    glos.SetTargetLanguage(1049);
    glos.SetDefaultCharset(204);
    const std::string longTerm(300, 'T');
    glos.AddTermNoNonsense(longTerm, kOtmena, 204);
    glos.AddTermNoNonsense("Cancel", kOtmena, 204);
    EXPECT_EQ(Save(glos, false), Gls3(1049, 2, Entry("Cancel", kOtmena) + std::string("\0\1", 2) + Int32(300) +
                                                   longTerm + "\xCC" + '\0' + '\6' + kOtmena));
    EXPECT_FALSE(glos.Changed());
    CTGlossary back;
    ASSERT_TRUE(Load(back, Save(glos, false)));
    EXPECT_EQ(back.TranslationsFor(longTerm), (std::vector<TTranslation>{{kOtmena, 204}}));
}

TEST_F(GlossaryTest, LoadingKeepsOneLanguageAndSkipsRepeatedEntries) {
    CTGlossary glos;
    ASSERT_TRUE(Load(glos, Gls3(1049, 0, "")));
    EXPECT_EQ(glos.GetTargetLanguage(), 1049);
    EXPECT_EQ(glos.GetDefaultCharset(), 204);
    EXPECT_EQ(glos.EntryCount(), 0u);
    EXPECT_EQ(glos.GetFileName(), "mem");

    ASSERT_TRUE(Load(glos, Gls3(1049, 3, Entry("Cancel", kOtmena) + Entry("Cancel", kOtmena) + Entry("Cancel", "")),
                     false, true));
    EXPECT_EQ(glos.EntryCount(), 1u);
    EXPECT_FALSE(Load(glos, Gls3(1031, 1, Entry("Open", "x")), false));
    EXPECT_EQ(glos.GetTargetLanguage(), 1049);
    EXPECT_EQ(glos.EntryCount(), 1u);
    EXPECT_TRUE(glos.Changed());  // loaded into existing content
    ASSERT_TRUE(Load(glos, Gls3(1031, 1, Entry("Open", "x")), true));
    EXPECT_EQ(glos.GetTargetLanguage(), 1031);
    EXPECT_EQ(glos.EntryCount(), 1u);
    EXPECT_FALSE(glos.Changed());
}

TEST_F(GlossaryTest, DamagedFilesAreRefusedKeepingWhatWasRead) {
    const std::string good = Gls3(1049, 2, Entry("Cancel", kOtmena) + Entry("Open", "x"));
    for (std::size_t n = 0; n < good.size(); ++n) {
        CTGlossary glos;
        EXPECT_FALSE(Load(glos, good.substr(0, n))) << n;
    }
    CTGlossary glos;
    EXPECT_FALSE(Load(glos, Gls3(1049, 0x7FFFFFFF, Entry("Cancel", kOtmena))));
    EXPECT_EQ(glos.Translate("Cancel"), "Отмена");
    EXPECT_FALSE(Load(glos, Gls3(1049, 1, std::string("\0\0\0", 3) + '\xCC' + std::string("\0\0", 2))));  // empty term
    EXPECT_FALSE(Load(glos, Gls3(1049, 1, std::string("\0\7\1a", 4) + '\xCC' + std::string("\0\0", 2))));  // kind 7
    EXPECT_FALSE(Load(glos, Gls3(1049, 1, std::string("\0\1", 2) + Int32(-1) + "a")));  // 4 GB term, 1 byte there
    EXPECT_FALSE(Load(glos, Gls3(1049, 1, Entry("Cancel", ""))));  // untranslated, not allowed
    EXPECT_TRUE(Load(glos, Gls3(1049, 1, Entry("Cancel", "")), true, true));
    EXPECT_FALSE(Load(glos, "GLS2" + good.substr(4)));
    EXPECT_FALSE(Load(glos, "QXZ"));
}

TEST_F(GlossaryTest, SavingKeepsTheCompressionItWasLoadedWith) {
    CTGlossary glos;
    ASSERT_TRUE(glos.AddTermAndTranslation("Cancel", kOtmena, 204, false, false));
    const std::string compressed = Save(glos, true);  // new glossaries follow the process-wide setting
    ASSERT_TRUE(compressed.starts_with("QXZ"));
    CTGlossary fromCompressed;
    ASSERT_TRUE(Load(fromCompressed, compressed));
    EXPECT_TRUE(fromCompressed.Compressed());
    EXPECT_EQ(Save(fromCompressed, true), compressed);

    CTGlossary::SetUseCompression(false, "QXZ");
    const std::string plain = Save(glos, true);
    ASSERT_TRUE(plain.starts_with("GLS3"));
    CTGlossary::SetUseCompression(true, "QXZ");
    CTGlossary fromPlain;
    ASSERT_TRUE(Load(fromPlain, plain));
    EXPECT_FALSE(fromPlain.Compressed());
    EXPECT_EQ(Save(fromPlain, true), plain);
    EXPECT_EQ(Save(fromPlain, false), compressed);
}

TEST_F(GlossaryTest, FilesAreSavedAndLoadedOrTheFailureIsShown) {
    const auto dir = std::filesystem::temp_directory_path() / ("gls_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "ui.gls").string();
    CTGlossary glos;
    ASSERT_TRUE(glos.AddTermAndTranslation("Cancel", kOtmena, 204, false, false));
    ASSERT_TRUE(glos.SaveTermsToFile(file, true));
    EXPECT_EQ(glos.GetFileName(), file);
    CTGlossary back;
    ASSERT_TRUE(back.LoadTermsFromFile(file, true, false));
    EXPECT_EQ(back.Translate("Cancel"), "Отмена");

    std::vector<int> shown;
    const auto previous = SetMessageCallback([&](int n, const std::vector<std::string>&) { shown.push_back(n); });
    const std::string bad = (dir / "missing" / "ui.gls").string();
    EXPECT_FALSE(glos.SaveTermsToFile(bad, true));
    const bool bWasSilent = CTGlossary::SetSilentMode(true);
    EXPECT_FALSE(glos.SaveTermsToFile(bad, true));
    CTGlossary::SetSilentMode(bWasSilent);
    SetMessageCallback(previous);
    EXPECT_EQ(shown, std::vector<int>{msgUnableToOpenFile});
    EXPECT_EQ(glos.GetFileName(), file);
    std::filesystem::remove_all(dir);
}

TEST(GlossaryTextForm, ParsesHeadersEscapesAndCharsetsAndWritesTheSameForm) {
    std::istringstream in(
        "# user interface\r\n@language 1049\n@charset 204\n\nCancel\t\xD0\x9E\xD1\x82\xD0\xBC\xD0\xB5\xD0\xBD\xD0\xB0\r\n"
        "\\#1\\tx\\\\y\ta#b\nGr\xC3\xB6\xC3\x9F" "e\t\nBar\tz\xC3\xB3\xC5\x82w\t238\n");
    CTGlossary glos;
    ParseTextForm(in, glos);
    EXPECT_EQ(glos.GetTargetLanguage(), 1049);
    EXPECT_EQ(glos.GetDefaultCharset(), 204);
    EXPECT_EQ(glos.TranslationsFor("Cancel"), (std::vector<TTranslation>{{kOtmena, 204}}));
    EXPECT_EQ(glos.TranslationsFor("#1\tx\\y"), (std::vector<TTranslation>{{"a#b", 204}}));
    EXPECT_EQ(glos.TranslationsFor("Gr\xC3\xB6\xC3\x9F" "e"), (std::vector<TTranslation>{{"", 204}}));
    EXPECT_EQ(glos.Translate("Bar"), "z\xC3\xB3\xC5\x82w");
    std::ostringstream out;
    WriteTextForm(glos, out);
    std::istringstream again(out.str());
    CTGlossary back;
    ParseTextForm(again, back);
    std::ostringstream out2;
    WriteTextForm(back, out2);
    EXPECT_EQ(out2.str(), out.str());
    EXPECT_NE(out.str().find("\n\\#1\\tx\\\\y\ta#b\n"), std::string::npos);
}

TEST(GlossaryTextForm, FaultsNameTheirLine) {
    auto fault = [](const std::string& text) {
        std::istringstream in(text);
        CTGlossary glos;
        try {
            ParseTextForm(in, glos);
        } catch (const CTTextFormError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    const std::string head = "@language 1049\n@charset 204\n";
    EXPECT_EQ(fault(head + "a\\q\tb\n"), "line 3: unknown escape \\q");
    EXPECT_EQ(fault(head + "a\tb\\"), "line 3: backslash at the end of a field");
    EXPECT_EQ(fault("a\tb\n"), "line 1: @language and @charset must come first");
    EXPECT_EQ(fault("@language 1049\n"), "line 1: @language and @charset missing");
    EXPECT_EQ(fault(head + "@charset 300\n"), "line 3: '300' is not a number from 0 to 255");
    EXPECT_EQ(fault(head + "@font x\n"), "line 3: unknown header '@font'");
    EXPECT_EQ(fault(head + "only a term\n"), "line 3: expected term, tab, translation");
    EXPECT_EQ(fault(head + "\tb\n"), "line 3: empty term");
    EXPECT_EQ(fault(head + "\xD0\x96\tb\n"), "line 3: term '\xD0\x96' cannot be written in ANSI_CHARSET");
    EXPECT_EQ(fault(head + "a\t\xCE\xB1\n"), "line 3: translation '\xCE\xB1' cannot be written in RUSSIAN_CHARSET");
    EXPECT_EQ(fault(head + "a\tb\n"), "accepted");
}

TEST(GlossaryTextForm, TermListsSkipCommentsAndUnescape) {
    std::istringstream in("# terms\nCancel\r\n\n\\#Files\nA\\tB\n");
    EXPECT_EQ(ReadTermList(in), (std::vector<std::string>{"Cancel", "#Files", "A\tB"}));
    EXPECT_EQ(Escape("@x@\n"), "\\@x@\\n");
}

class GlossaryStoreTest : public testing::StoreFixture {};

TEST_F(GlossaryStoreTest, MultilingualFieldsAreCollectedAndTranslatedThroughTheEngineGlossary) {
    NewController("Cancel");
    NewController("Pump");
    CTGlossary glos;
    Engine().AddMultilingualFields(glos);
    EXPECT_EQ(glos.EntryCount(), 2u);
    EXPECT_TRUE(glos.AddTermAndTranslation("Cancel", kOtmena, 204, false, false));
    glos.RemoveUntranslatedTerms();
    Engine().SetEngineGlossary(&glos);
    auto objects = Engine().AllObjects(testing::clsController, {});
    ASSERT_EQ(objects.size(), 2u);
    std::vector<std::string> names;
    for (const auto& p : objects) names.push_back(p->GetTranslatedStringValue(testing::ctlName));
    std::ranges::sort(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Pump", "Отмена"}));
    Engine().SetEngineGlossary(nullptr);
}

}  // namespace
}  // namespace brumalis
