// The download report's token and the notice that announces it.
#include <gtest/gtest.h>

#include <unistd.h>

#include "online/download_report.h"
#include "upgrade_fixture.h"

namespace brumalis::online::testing {
namespace {

class DownloadReport : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(m_scratch / "machine-id", "5f2b3c4d5e6f708192a3b4c5d6e7f809\n");
        WriteFile(m_scratch / "os-release", "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
        m_sources = {"de_DE.UTF-8@euro", m_scratch / "machine-id", m_scratch / "os-release", "ana.lopez"};
    }
    std::vector<std::string> Fields(int nUsage) const {
        const TDownloadReport report{"Brumalis", {336, "Marine", 1049, TDataVersion::Parse("3.3.7"), "ru/B", 5}, nUsage};
        return SplitTabs(Base64UrlDecode(EncodeDownloadReport(report, m_sources)));
    }

    CTPrivateFolder m_scratch;
    TReportSources m_sources;
};

TEST_F(DownloadReport, DecodesToTheEightFieldsThenTheIdentifierAndTheSystem) {
    const auto fields = Fields(12);
    ASSERT_EQ(fields.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.begin() + 8),
              (std::vector<std::string>{"Brumalis", "336", "1049", "Marine", "337", "12", "1031", "Germany"}));
    EXPECT_EQ(fields[8], PseudonymousID("5f2b3c4d5e6f708192a3b4c5d6e7f809", "ana.lopez"));
    EXPECT_EQ(fields[8].size(), 64u);
    EXPECT_EQ(fields[9], "Debian GNU/Linux 12 (bookworm)");
}

TEST_F(DownloadReport, NamesNeitherUserNorHost) {
    char szHost[256] = {};
    ::gethostname(szHost, sizeof szHost - 1);
    const std::string szDecoded = Base64UrlDecode(EncodeDownloadReport({"Brumalis", {}, 1}, m_sources));
    EXPECT_EQ(szDecoded.find("ana"), std::string::npos);
    EXPECT_EQ(szDecoded.find("5f2b3c4d"), std::string::npos);
    if (szHost[0] != '\0') {
        EXPECT_EQ(szDecoded.find(szHost), std::string::npos);
    }
    // Another user on the machine is someone else.
    EXPECT_NE(PseudonymousID("5f2b", "ana"), PseudonymousID("5f2b", "bob"));
}

TEST_F(DownloadReport, SendsAnImplausibleUsageCountAs1000) {
    EXPECT_EQ(Fields(0)[5], "0");
    EXPECT_EQ(Fields(10000)[5], "10000");
    EXPECT_EQ(Fields(10001)[5], "1000");
    EXPECT_EQ(Fields(-1)[5], "1000");
}

TEST_F(DownloadReport, KeepsTheFieldsApartWhateverTheyHold) {
    const TDownloadReport report{"Bru\tmalis", {336, "Ma\r\nrine", 1049, TDataVersion::Parse("3.3.7"), "p", 5}, 1};
    EXPECT_EQ(SplitTabs(Base64UrlDecode(EncodeDownloadReport(report, m_sources))).size(), 10u);
    const std::string szURL = DownloadReportURL(report, m_sources);
    EXPECT_EQ(szURL.rfind("scripts32/upgrade_downloaded.asp?req=", 0), 0u);
    EXPECT_EQ(szURL.find_first_of("=&", 37), std::string::npos);
}

TEST(Base64Url, UsesTheUrlAlphabetWithoutPadding) {
    EXPECT_EQ(Base64Url(""), "");
    EXPECT_EQ(Base64Url("f"), "Zg");
    EXPECT_EQ(Base64Url("fo"), "Zm8");
    EXPECT_EQ(Base64Url("foo"), "Zm9v");
    EXPECT_EQ(Base64Url("\xfb\xff"), "-_8");
}

TEST(UserLocale, MapsKnownLocalesAndFallsBackToEnglish) {
    EXPECT_EQ(LocaleFromName("ru_RU.UTF-8").nLanguage, 1049u);
    EXPECT_EQ(LocaleFromName("ru_RU.UTF-8").szCountry, "Russia");
    EXPECT_EQ(LocaleFromName("es_ES").szCountry, "Spain");
    EXPECT_EQ(LocaleFromName("en_GB.UTF-8").nLanguage, 2057u);
    const TUserLocale unknown = LocaleFromName("ga_IE.UTF-8");
    EXPECT_EQ(unknown.nLanguage, 1033u);
    EXPECT_EQ(unknown.szCountry, "IE");
    EXPECT_EQ(LocaleFromName("C").nLanguage, 1033u);
    EXPECT_EQ(LocaleFromName("").szCountry, "");
}

TEST(OsRelease, FallsBackToTheKernelWithoutAnOsReleaseFile) {
    const std::string szRelease = OsRelease("/nonexistent/os-release");
    EXPECT_FALSE(szRelease.empty());
}

TEST(DataProcessingNotice, NamesTheProgramAndEveryDatumTheReportSends) {
    const auto paragraphs = DataProcessingNotice("Brumalis");
    ASSERT_FALSE(paragraphs.empty());
    EXPECT_EQ(paragraphs[0].szText, "Information we collect");
    EXPECT_TRUE(paragraphs[0].bBold);
    std::string szAll;
    for (const auto& p : paragraphs) {
        EXPECT_EQ(p.szText.find("$1"), std::string::npos);
        szAll += p.szText + '\n';
    }
    for (const char* szDatum : {"Brumalis sends", "file name of the program", "version, language, configuration and database version",
                                "how many times", "language and the country", "operating system", "user name"})
        EXPECT_NE(szAll.find(szDatum), std::string::npos) << szDatum;
}

}  // namespace
}  // namespace brumalis::online::testing
