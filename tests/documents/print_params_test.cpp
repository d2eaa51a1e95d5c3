#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "dialogs/about_captions.h"
#include "dialogs/messages.h"
#include "documents/print_params.h"
#include "localisation/glossary.h"
#include "objectstore/streams.h"
#include "platform/build_identity.h"
#include "platform/resources.h"
#include "platform/settings_store.h"

namespace brumalis {
namespace {

using namespace std::chrono;

// A 24-bit BMP of the given size, white.
std::string Bitmap(int nWidth, int nHeight) {
    const int nRow = (nWidth * 3 + 3) / 4 * 4;
    const auto nData = static_cast<std::uint32_t>(nRow * nHeight);
    std::string bytes = "BM";
    auto put32 = [&](std::uint32_t n) {
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    };
    auto put16 = [&](std::uint16_t n) {
        bytes += static_cast<char>(n & 0xFF);
        bytes += static_cast<char>(n >> 8);
    };
    put32(54 + nData);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(nWidth));
    put32(static_cast<std::uint32_t>(nHeight));
    put16(1);
    put16(24);
    put32(0);
    put32(nData);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    bytes.append(nData, '\xFF');
    return bytes;
}

class PrintParams : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("BRUMALIS_LANGUAGE", "en", 1);
        registry = std::make_unique<platform::CTRegistry>(std::make_shared<platform::CTMemorySettingsStore>(),
                                                          std::make_shared<platform::CTMemorySettingsStore>(true));
        substitute = std::make_unique<platform::CTRegistrySubstitute>(*registry);
        previousDate = TDlgPrintParams::SetDateSource([] { return 2026y / December / 9d; });
        TDlgPrintParams::DiscardPageDecorations();
    }
    void TearDown() override {
        TDlgPrintParams::DiscardPageDecorations();
        TDlgPrintParams::SetDateSource(previousDate);
        substitute.reset();
        registry.reset();
        for (const std::string& szFile : files) std::remove(szFile.c_str());
        unsetenv("BRUMALIS_LANGUAGE");
    }
    std::string File(const std::string& szName, const std::string& bytes) {
        files.push_back(::testing::TempDir() + std::to_string(getpid()) + "_" + szName);
        std::ofstream(files.back(), std::ios::binary) << bytes;
        return files.back();
    }
    static std::string Version() { return platform::CTVersionUtils::GetVersionStringEx(" - ", ""); }

    std::unique_ptr<platform::CTRegistry> registry;
    std::unique_ptr<platform::CTRegistrySubstitute> substitute;
    TDateSource previousDate;
    std::vector<std::string> files;
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
    const auto blob = platform::FindBlob("UIGLOSSARY");
    ASSERT_TRUE(blob);
    CTGlossary::SetUseCompression(true, "QXZ");
    CTByteViewStream stream(*blob);
    CTGlossary glossary;
    ASSERT_TRUE(glossary.LoadTermsFromStream(stream, true, true, "UIGlossary"));
    const auto previous = dialogs::TBaseMsg::SetTranslateFunc(
        [&](const std::string& sz) { return glossary.Translate(sz).value_or(sz); });
    const std::string szHeader = TDlgPrintParams::GetPageDecorations()->GetHeaderLine();
    const std::string szLine = dialogs::DistributorLine(1);
    TDlgPrintParams::DiscardPageDecorations();
    setenv("BRUMALIS_LANGUAGE", "en", 1);
    const std::string szEnglish = TDlgPrintParams::GetPageDecorations()->GetHeaderLine();
    dialogs::TBaseMsg::SetTranslateFunc(previous);
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
