#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <unistd.h>

#include "dialogs/about_captions.h"
#include "dialogs/messages.h"
#include "documents/doc_output.h"
#include "documents/print_params.h"
#include "platform/build_identity.h"
#include "platform/settings_store.h"
#include "tests/documents/print_params_support.h"
#include "tests/documents/shipped_ui_glossary.h"

namespace brumalis {
namespace {

using namespace std::chrono;

using test::Bitmap;

class PrintParams : public test::PrivateSettingsTest {
protected:
    void SetUp() override {
        PrivateSettingsTest::SetUp();
        previousDate = TDlgPrintParams::SetDateSource([] { return 2026y / December / 9d; });
        TDlgPrintParams::DiscardPageDecorations();
    }
    void TearDown() override {
        TDlgPrintParams::DiscardPageDecorations();
        TDlgPrintParams::SetDateSource(previousDate);
        PrivateSettingsTest::TearDown();
    }
    static std::string Version() { return platform::CTVersionUtils::GetVersionStringEx(" - ", ""); }

    TDateSource previousDate;
};

TEST_F(PrintParams, SavedValuesReadBackTrimmedUnderTheirNames) {
    EXPECT_EQ(TDlgPrintParams::GetLine1(), "");
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), "");
    const std::string szLogo = File("logo.bmp", Bitmap(120, 40));
    const auto outcome = TDlgPrintParams::Save({"  Frost & Partners  ", "\tRue du Nord 4 ", "4000 Liège\r\n", szLogo});
    EXPECT_TRUE(outcome.bSaved) << outcome.szMessage;
    EXPECT_EQ(TDlgPrintParams::GetLine1(), "Frost & Partners");
    EXPECT_EQ(TDlgPrintParams::GetLine2(), "Rue du Nord 4");
    EXPECT_EQ(TDlgPrintParams::GetLine3(), "4000 Liège");
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), szLogo);
    platform::CTSettingsStore& store = registry->CurrentUser();
    EXPECT_EQ(store.ReadString("Software\\Orvane", "DisLine1", ""), "Frost & Partners");
    EXPECT_EQ(store.ReadString("Software\\Orvane", "DisLogo", ""), szLogo);
    EXPECT_TRUE(TDlgPrintParams::Save({"", "", "", ""}).bSaved);
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), "");
}

TEST_F(PrintParams, ALogoBeyond590By236IsRefusedAndNothingIsStored) {
    ASSERT_TRUE(TDlgPrintParams::Save({"kept", "", "", ""}).bSaved);
    const auto wide = TDlgPrintParams::Save({"new", "", "", File("wide.bmp", Bitmap(600, 100))});
    EXPECT_FALSE(wide.bSaved);
    EXPECT_EQ(wide.szMessage, "Maximum bitmap size is 590x236 pixels.");
    const auto high = TDlgPrintParams::Save({"new", "", "", File("high.bmp", Bitmap(10, 237))});
    EXPECT_FALSE(high.bSaved);
    EXPECT_EQ(TDlgPrintParams::GetLine1(), "kept");
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), "");
    const std::string szLargest = File("largest.bmp", Bitmap(590, 236));
    EXPECT_TRUE(TDlgPrintParams::Save({"new", "", "", szLargest}).bSaved);
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), szLargest);
}

TEST_F(PrintParams, ALogoThatIsNoReadableBmpIsRefusedWithItsReason) {
    const auto jpeg = TDlgPrintParams::Save({"x", "", "", File("logo.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + "junk")});
    EXPECT_FALSE(jpeg.bSaved);
    EXPECT_NE(jpeg.szMessage.find("cannot be read"), std::string::npos) << jpeg.szMessage;
    const auto missing = TDlgPrintParams::Save({"x", "", "", "/nonexistent/logo.bmp"});
    EXPECT_FALSE(missing.bSaved);
    EXPECT_NE(missing.szMessage.find("/nonexistent/logo.bmp"), std::string::npos);
    const std::string bmp = Bitmap(20, 10);
    const auto cut = TDlgPrintParams::Save({"x", "", "", File("cut.bmp", bmp.substr(0, 70))});
    EXPECT_FALSE(cut.bSaved);
    EXPECT_EQ(TDlgPrintParams::GetLine1(), "");
}

TEST_F(PrintParams, TheDecorationsAreSharedUntilTheParametersAreSavedAndKeepTheirDate) {
    const auto first = TDlgPrintParams::GetPageDecorations();
    TDlgPrintParams::SetDateSource([] { return 2026y / December / 10d; });
    const auto again = TDlgPrintParams::GetPageDecorations();
    EXPECT_EQ(first, again);
    EXPECT_NE(again->GetHeaderLine().find("09 December 2026"), std::string::npos);
    ASSERT_TRUE(TDlgPrintParams::Save({"Consultant", "", "", ""}).bSaved);
    const auto rebuilt = TDlgPrintParams::GetPageDecorations();
    EXPECT_NE(rebuilt, first);
    EXPECT_NE(rebuilt->GetHeaderLine().find("Thursday, 10 December 2026"), std::string::npos);
    // The writer's reference outlives the drop.
    EXPECT_NE(first->GetHeaderLine().find("09 December 2026"), std::string::npos);
}

TEST_F(PrintParams, TheDecorationsFrameEveryReportAsListed) {
    const std::string szLogo = File("consultant.bmp", Bitmap(50, 20));
    ASSERT_TRUE(TDlgPrintParams::Save({"Frost & Partners", "Rue du Nord 4", "4000 Liège", szLogo}).bSaved);
    const auto def = TDlgPrintParams::GetPageDecorations();
    EXPECT_TRUE(def->GetHasTopSepLine() && def->GetHasBotSepLine() && def->GetHasFrame());
    EXPECT_TRUE(def->GetMustPrintHeaderLine() && def->GetMustPrintFooterLine() && def->GetMustPrintDecorations());
    EXPECT_EQ(def->GetHeaderLine(), "Produced on Wednesday, 09 December 2026 with the Brumalis Program V" + Version() +
                                        " and database version ");
    const auto& top = def->DecorationListFor(true);
    ASSERT_EQ(top.size(), 3U);
    const auto& regional = dynamic_cast<const CTPreloadedGraphicDecoration&>(*top[0]);
    EXPECT_EQ(regional.v_graphic.Width(), 120);
    EXPECT_EQ(regional.v_graphic.Height(), 48);
    EXPECT_EQ(dynamic_cast<const CTGraphicDecoration&>(*top[1]).v_fileName, szLogo);
    EXPECT_FALSE(dynamic_cast<const CTPreloadedGraphicDecoration&>(*top[2]).v_graphic.IsEmpty());
    EXPECT_EQ(top[1]->v_topOffset, 0.0);
    const auto& bottom = def->DecorationListFor(false);
    ASSERT_EQ(bottom.size(), 3U);
    const auto& consultant = dynamic_cast<const CTTextDecoration&>(*bottom[0]);
    EXPECT_EQ(consultant.v_strs, (std::vector<std::string>{"Frost & Partners", "Rue du Nord 4", "4000 Liège"}));
    EXPECT_EQ(consultant.v_alignment, graphics::taLeftJustify);
    const auto& distributor = dynamic_cast<const CTTextDecoration&>(*bottom[1]);
    EXPECT_EQ(distributor.v_strs[0], dialogs::DistributorCaptions()[0]);
    EXPECT_EQ(distributor.v_alignment, graphics::taCenter);
    const auto& pageNr = dynamic_cast<const CTPageNrDecoration&>(*bottom[2]);
    EXPECT_EQ(pageNr.v_capMsgNr, 184);
    EXPECT_EQ(pageNr.v_strs.size(), 3U);
    EXPECT_EQ(bottom[2]->v_topOffset, 1.0);
}

TEST_F(PrintParams, TheHeaderLineIsInRussianWithTheGlossaryAndNeverInTheCLocalesNames) {
    unsetenv("BRUMALIS_LANGUAGE");
    std::optional<test::TShippedUIGlossary> russian(std::in_place);
    ASSERT_TRUE(russian->Loaded());
    const std::string szHeader = TDlgPrintParams::GetPageDecorations()->GetHeaderLine();
    const std::string szLine = dialogs::DistributorLine(1);
    TDlgPrintParams::DiscardPageDecorations();
    setenv("BRUMALIS_LANGUAGE", "en", 1);
    const std::string szEnglish = TDlgPrintParams::GetPageDecorations()->GetHeaderLine();
    russian.reset();
    EXPECT_EQ(szHeader, "Сформировано среда, 09 декабря 2026 программой Brumalis V" + Version() + ", версия базы данных ");
    EXPECT_EQ(szLine, "Поставка, пусконаладка и сервис");
    EXPECT_EQ(szEnglish.rfind("Produced on Wednesday, 09 December 2026", 0), 0U);
}

TEST(LongDate, NamesEveryDayAndMonthAndTakesSourceDateEpoch) {
    setenv("BRUMALIS_LANGUAGE", "en", 1);
    EXPECT_EQ(FormatLongDate(2024y / February / 29d), "Thursday, 29 February 2024");
    EXPECT_EQ(FormatLongDate(2027y / January / 3d), "Sunday, 03 January 2027");
    EXPECT_EQ(FormatLongDate(2026y / May / 16d), "Saturday, 16 May 2026");
    setenv("SOURCE_DATE_EPOCH", "1765324740", 1);  // 2025-12-09 23:59 UTC
    EXPECT_EQ(SystemDate(), 2025y / December / 9d);
    setenv("SOURCE_DATE_EPOCH", "soon", 1);
    EXPECT_NE(SystemDate(), 2025y / December / 9d);
    unsetenv("SOURCE_DATE_EPOCH");
    unsetenv("BRUMALIS_LANGUAGE");
}

}  // namespace
}  // namespace brumalis

namespace brumalis {
namespace {

TEST(AboutCaptions, ADistributorLineTranslatedToNothingOrThePlaceholderReadsEmpty) {
    unsetenv("BRUMALIS_LANGUAGE");
    const auto& captions = dialogs::DistributorCaptions();
    const auto previous = dialogs::TBaseMsg::SetTranslateFunc([&](const std::string& sz) {
        if (sz == captions[0]) return std::string("<r-t>");
        if (sz == captions[1]) return std::string();
        return "[" + sz + "]";
    });
    const std::string szFirst = dialogs::DistributorLine(0);
    const std::string szSecond = dialogs::DistributorLine(1);
    const std::string szThird = dialogs::DistributorLine(2);
    const std::string szBeyond = dialogs::DistributorLine(3);
    dialogs::TBaseMsg::SetTranslateFunc(previous);
    EXPECT_EQ(szFirst, "");
    EXPECT_EQ(szSecond, "");
    EXPECT_EQ(szThird, "[" + std::string(captions[2]) + "]");
    EXPECT_EQ(szBeyond, "");
}

TEST(DocumentLanguage, IsTheBuildsLanguageUnlessTheProgramRunsUntranslated) {
    unsetenv("BRUMALIS_LANGUAGE");
    EXPECT_EQ(CTDocOutput::CurrentLanguage(), platform::CTVersionUtils::GetLanguage());
    setenv("BRUMALIS_LANGUAGE", "en", 1);
    EXPECT_EQ(CTDocOutput::CurrentLanguage(), 1033U);
    EXPECT_EQ(CTDocOutput::BaseFontName(), "Arial");
    unsetenv("BRUMALIS_LANGUAGE");
}

}  // namespace
}  // namespace brumalis
