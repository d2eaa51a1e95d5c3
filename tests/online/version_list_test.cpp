// Reading the server's version list and choosing what to offer.
#include <gtest/gtest.h>

#include "online/version_list.h"
#include "upgrade_fixture.h"

namespace brumalis::online::testing {
namespace {

TDataVersion Data(std::string_view szText) { return TDataVersion::Parse(szText); }

const std::string kUpdater = ListLine("UPDATER.EXE", "9.9.9", "x", 1031, "1.0.0", "t\\Upd.exe", 4000);

TEST(VersionList, ReadsSevenFieldsALineAndStopsAtAShortLine) {
    const std::string szList = ListLine("Brumalis", "3.3.5", "Marine", 1049, "3.3.6", "ru\\B", 3460000) +
                               "Brumalis\t3.3.6\t\t1049\t3.3.6\tonly five tabs\r\n" +
                               ListLine("Brumalis", "3.3.7", "", 1049, "3.3.7", "ru\\C", 1);
    const auto lines = ParseVersionList(szList);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].szName, "Brumalis");
    EXPECT_EQ(lines[0].entry, (LTVersionEntry{335, "Marine", 1049, Data("3.3.6"), "ru\\B", 3460000}));
}

TEST(VersionList, NeverReadsTextAfterTheLastLineEnd) {
    const std::string szLine = ListLine("Brumalis", "3.3.5", "", 1049, "3.3.5", "p", 1);
    EXPECT_EQ(ParseVersionList(szLine + "Brumalis\t3.3.6\t\t1049\t3.3.6\tq\t1").size(), 1u);
    EXPECT_TRUE(ParseVersionList("Brumalis\t3.3.6\t\t1049\t3.3.6\tq\t1").empty());
    // A lone LF is no line end.
    EXPECT_TRUE(ParseVersionList("Brumalis\t3.3.6\t\t1049\t3.3.6\tq\t1\n").empty());
}

TEST(VersionList, ReadsNumbersThatAreNotNumbersOrOutOfRangeAs0) {
    const auto lines = ParseVersionList("a\tx.y\t\tRU\t3.3\tp\t-5\tignored\r\n" +
                                        std::string("b\t99999999999\t\t4294967296\t1.2.3\tp\t2147483648\r\n"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].entry, (LTVersionEntry{0, "", 0, Data("3.3"), "p", 0}));
    EXPECT_EQ(lines[1].entry, (LTVersionEntry{0, "", 0, Data("1.2.3"), "p", 0}));
}

TEST(VersionChoice, KeepsTheUpdaterLineWithItsLanguagePathAndSizeOnly) {
    const auto c = ChooseVersions(kUpdater, {334, "", 1049, Data("3.3.4")}, false);
    ASSERT_TRUE(c.updater);
    EXPECT_EQ(*c.updater, (LTVersionEntry{0, "", 1031, {}, "t\\Upd.exe", 4000}));
    EXPECT_TRUE(c.versions.empty());
    EXPECT_TRUE(c.offered.empty());
}

TEST(VersionChoice, FiltersOlderForeignAndAlreadyInstalledBuilds) {
    const TRunningBuild build{334, "Marine", 1049, Data("3.3.4")};
    const auto c = ChooseVersions(kUpdater + ListLine("B", "3.3.3", "", 1049, "9.9.9", "older", 1) +
                                      ListLine("B", "3.3.5", "Offshore", 1049, "3.3.5", "other-config", 1) +
                                      ListLine("B", "3.3.5", "", 1031, "3.3.5", "german", 1) +
                                      ListLine("B", "3.3.4", "marine", 1049, "3.3.4", "same", 1) +
                                      ListLine("B", "3.3.4", "MARINE", 1049, "3.3.5", "newer-data", 1) +
                                      ListLine("B", "3.3.5", "", 1033, "3.3.5", "english", 1),
                                  build, false);
    std::vector<std::string> kept;
    for (const auto& e : c.versions) kept.push_back(e.v_fileName);
    EXPECT_EQ(kept, (std::vector<std::string>{"newer-data", "english"}));
    EXPECT_EQ(c.nNewest, 335);
}

std::vector<std::string> Offered(const TVersionChoice& c) {
    std::vector<std::string> names;
    for (const std::size_t i : c.offered) names.push_back(c.versions[i].v_fileName);
    return names;
}

TEST(VersionChoice, OffersTheLocalConfiguredBuildAloneWhenItIsNewest) {
    const auto c = ChooseVersions(kUpdater + ListLine("B", "3.4.0", "", 1033, "3.4.0", "E", 1) +
                                      ListLine("B", "3.4.0", "", 1049, "3.4.0", "L", 1) +
                                      ListLine("B", "3.4.0", "Marine", 1049, "3.4.0", "LC1", 1) +
                                      ListLine("B", "3.4.0", "marine", 1049, "3.4.0", "LC2", 1),
                                  {334, "Marine", 1049, Data("3.3.4")}, false);
    EXPECT_EQ(Offered(c), (std::vector<std::string>{"LC2"}));
    EXPECT_FALSE(c.bConfigDiscontinued);
}

TEST(VersionChoice, OffersAnOlderConfiguredBuildBesideTheNewestDefault) {
    // EC below M: the first met among the highest versions below M.
    const auto c = ChooseVersions(kUpdater + ListLine("B", "3.4.0", "", 1033, "3.4.0", "E", 1) +
                                      ListLine("B", "3.3.6", "Marine", 1033, "3.3.6", "EC-first", 1) +
                                      ListLine("B", "3.3.6", "Marine", 1033, "3.3.6", "EC-second", 1) +
                                      ListLine("B", "3.3.5", "Marine", 1033, "3.3.5", "EC-older", 1),
                                  {334, "Marine", 1033, Data("3.3.4")}, false);
    EXPECT_EQ(Offered(c), (std::vector<std::string>{"EC-first", "E"}));
    // The local ones are the English ones for an English build.
    EXPECT_EQ(c.local, c.english);
    EXPECT_EQ(c.localConfigured, c.englishConfigured);
}

TEST(VersionChoice, ListsLocalConfiguredThenLocalThenANewerEnglishConfigured) {
    const auto c = ChooseVersions(kUpdater + ListLine("B", "3.4.0", "", 1033, "3.4.0", "E", 1) +
                                      ListLine("B", "3.4.0", "", 1049, "3.4.0", "L", 1) +
                                      ListLine("B", "3.3.6", "Marine", 1033, "3.3.6", "EC", 1) +
                                      ListLine("B", "3.3.5", "Marine", 1049, "3.3.5", "LC", 1),
                                  {334, "Marine", 1049, Data("3.3.4")}, false);
    EXPECT_EQ(Offered(c), (std::vector<std::string>{"LC", "L", "EC"}));
}

TEST(VersionChoice, NeedsAnEnglishDefaultBuildAndSomeUpdaterLine) {
    const std::string szRussianOnly = ListLine("B", "3.4.0", "", 1049, "3.4.0", "L", 1);
    EXPECT_TRUE(ChooseVersions(kUpdater + szRussianOnly, {334, "", 1049, Data("3.3.4")}, false).offered.empty());
    const std::string szEnglish = ListLine("B", "3.4.0", "", 1033, "3.4.0", "E", 1);
    EXPECT_TRUE(ChooseVersions(szEnglish, {334, "", 1049, Data("3.3.4")}, false).offered.empty());
    EXPECT_EQ(Offered(ChooseVersions(szEnglish, {334, "", 1049, Data("3.3.4")}, true)), (std::vector<std::string>{"E"}));
}

}  // namespace
}  // namespace brumalis::online::testing

namespace brumalis::online::testing {
namespace {

TEST(DataVersion, KeepsTheTextOrdersPartByPartAndCarriesTheProtocolNumber) {
    const TDataVersion v = TDataVersion::Parse("2026.1");
    EXPECT_TRUE(v.Known());
    EXPECT_EQ(v.Text(), "2026.1");
    EXPECT_EQ(v.Number(), 20261);
    EXPECT_LT(TDataVersion::Parse("2025.12"), v);
    EXPECT_LT(v, TDataVersion::Parse("2026.2"));
    EXPECT_LT(TDataVersion::Parse("2026.9"), TDataVersion::Parse("2026.10"));
    EXPECT_EQ(TDataVersion::Parse("2026.1.0"), v);
    EXPECT_LT(TDataVersion::Parse("3.3.4"), TDataVersion::Parse("3.3.5"));
    EXPECT_EQ(TDataVersion::Parse("3.3.4").Number(), 334);
    EXPECT_LT(TDataVersion{}, TDataVersion::Parse("0.0.1"));
}

TEST(DataVersion, AnythingButDottedDecimalPartsIsUnknown) {
    for (const char* szText : {"", "x.y", "0", "0.0", "3..4", ".5", "5.", "+3.4", "2026.1 EU", "99999.99999"}) {
        const TDataVersion v = TDataVersion::Parse(szText);
        EXPECT_FALSE(v.Known()) << '"' << szText << '"';
        EXPECT_EQ(v.Number(), 0) << '"' << szText << '"';
        EXPECT_EQ(v.Text(), "") << '"' << szText << '"';
    }
}

}  // namespace
}  // namespace brumalis::online::testing
