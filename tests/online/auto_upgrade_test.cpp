// The upgrade frame with a scripted view against a published test service:
// which builds it offers, what it asks, and that nothing unverified is ever
// handed to the updater.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include <sys/stat.h>

#include "localisation/number_text.h"
#include "online/auto_upgrade.h"
#include "online/upgrade_texts.h"
#include "upgrade_fixture.h"

namespace brumalis::online::testing {
namespace {

const std::string kNoNew = "warning: No new versions available for download";
const std::string kErrDownload = "error: Unable to download the upgrade version. Please try again later";
const std::string kUpdaterBytes = std::string("#!updater\n") + std::string(2000, 'u');
const std::string kProgramBytes = std::string("\x7F" "ELF new build\n") + std::string(5000, 'p');

class UpgradeModel : public OnlineTest {
protected:
    void SetUp() override {
        OnlineTest::SetUp();
        m_pPublished = std::make_unique<CTPublishedFiles>(m_scratch);
        m_pService = std::make_unique<CTTestWebService>(
            [this](const TRecordedRequest& r) { return m_pPublished->Answer(r); });
        UseService(*m_pService);
        std::filesystem::create_directory(m_scratch / "staging");
        std::filesystem::create_directory(m_scratch / "bin");
        WriteFile(m_scratch / "machine-id", "0123456789abcdef0123456789abcdef\n");
        WriteFile(m_scratch / "os-release", "NAME=Test\nPRETTY_NAME=\"Test OS 1\"\n");
        m_env.nVersion = 334;
        m_env.nLanguage = 1049;
        m_env.nServer = 10;
        m_env.szAppTitle = "Brumalis";
        m_env.szProgramPath = m_scratch / "bin/Brumalis";
        m_env.szDataVersion = "EU 3.3.4";
        m_env.publicKeys = {m_pPublished->key.szPublic};
        m_env.szStagingBase = m_scratch / "staging";
        m_env.reportSources = {"ru_RU.UTF-8", m_scratch / "machine-id", m_scratch / "os-release", "ana"};
        m_env.usageCount = [] { return 7; };
        m_env.handOver = [this](const THandOver& h) {
            m_handOvers.push_back(h);
            return m_bStarts;
        };
    }

    // The updater line and default builds 3.3.5 in English and Russian;
    // only the Russian one, which the list offers alone, has its files.
    void PublishStandard() {
        auto& p = *m_pPublished;
        p.szList = ListLine("Updater.exe", "0", "", 1033, "0", "tools\\Updater.exe", kUpdaterBytes.size()) +
                   ListLine("Brumalis", "3.3.5", "", 1033, "3.3.5", "en\\Brumalis-335", kProgramBytes.size()) +
                   ListLine("Brumalis", "3.3.5", "", 1049, "3.3.5", "ru\\Brumalis-335", kProgramBytes.size());
        p.Publish("Updater.exe", kUpdaterBytes, {"Updater.exe", 0, "", 0, 0, 0});
        p.Publish("ru/Brumalis-335", kProgramBytes, {"ru/Brumalis-335", 335, "", 1049, 335, 0});
    }

    TFrmAutoUpgrade& Frame() {
        if (!m_pFrame) {
            m_pFrame = std::make_unique<TFrmAutoUpgrade>(m_view, m_env);
            m_pFrame->InitializeFrame(false);
        }
        return *m_pFrame;
    }
    void CheckAndSelectFirst() {
        Frame().Btn_CheckVersionsClick();
        ASSERT_FALSE(m_view.list.empty());
        Frame().Lvw_AvailableClick(0);
    }
    std::vector<TRecordedRequest> Requests() const { return m_pService->Requests(); }
    std::size_t DownloadsRequested() const {
        std::size_t n = 0;
        for (const auto& r : Requests()) n += r.szTarget.find("zorbit_download_file") != std::string::npos;
        return n;
    }
    bool StagingEmpty() const { return std::filesystem::is_empty(m_scratch / "staging"); }

    std::unique_ptr<CTPublishedFiles> m_pPublished;
    std::unique_ptr<CTTestWebService> m_pService;
    TUpgradeEnvironment m_env;
    CTScriptedView m_view;
    std::unique_ptr<TFrmAutoUpgrade> m_pFrame;
    std::vector<THandOver> m_handOvers;
    bool m_bStarts = true;
};

TEST_F(UpgradeModel, PreReleaseAndKeylessBuildsNeverAskTheServer) {
    PublishStandard();
    m_env.szSuffix = "beta2";
    Frame().Btn_CheckVersionsClick();
    m_pFrame.reset();
    m_env.szSuffix.clear();
    m_env.publicKeys.clear();
    Frame().Btn_CheckVersionsClick();
    EXPECT_EQ(m_view.events, (std::vector<std::string>{"warning: You can only upgrade official releases of the program",
                                                       "warning: You can only upgrade official releases of the program"}));
    EXPECT_TRUE(Requests().empty());
}

TEST_F(UpgradeModel, ServersWithoutHostFailToCommunicateAndOutOfRangeOnesToConnect) {
    PublishStandard();
    for (const int n : {3, 9, -1, 11}) {
        m_env.nServer = n;
        m_pFrame.reset();
        m_view.events.clear();
        Frame().Btn_CheckVersionsClick();
        const std::string szExpected =
            n >= 0 && n <= 10 ? "error: A problem occurred while communicating with the download server. Please try again later"
                              : "warning: Unable to connect to the download site. Please try again later";
        EXPECT_TRUE(m_view.Saw(szExpected)) << n;
    }
    EXPECT_TRUE(Requests().empty());
}

TEST_F(UpgradeModel, AsksForTheListByTheProgramFileNameInLowerCase) {
    PublishStandard();
    Frame().Btn_CheckVersionsClick();
    ASSERT_FALSE(Requests().empty());
    EXPECT_EQ(Requests()[0].szTarget, "/scripts/zorbit_get_versions.asp?name=brumalis");
    ASSERT_EQ(m_view.list.size(), 1u);
    EXPECT_EQ(m_view.list[0].szCaption, "Brumalis 3.3.5");
    EXPECT_EQ(m_view.list[0].subItems, (std::vector<std::string>{"Russian", "<default>", "3.3.5", "0MB"}));
    EXPECT_FALSE(m_view.bDownloadEnabled);
    Frame().Lvw_AvailableClick(0);
    EXPECT_TRUE(m_view.bDownloadEnabled);
    Frame().Lvw_AvailableClick(std::nullopt);
    EXPECT_FALSE(m_view.bDownloadEnabled);
}

TEST_F(UpgradeModel, AListWithoutLineEndsOffersNothing) {
    m_pPublished->szList = "Updater.exe\t0\t\t1033\t0\tUpdater.exe\t10";
    Frame().Btn_CheckVersionsClick();
    EXPECT_TRUE(m_view.Saw(kNoNew));
    EXPECT_TRUE(m_view.list.empty());
}

TEST_F(UpgradeModel, TheUpdaterLineOfAnEarlierCheckStays) {
    PublishStandard();
    Frame().Btn_CheckVersionsClick();
    ASSERT_EQ(m_view.list.size(), 1u);
    const std::string szWithout = ListLine("Brumalis", "3.3.6", "", 1033, "3.3.6", "en/B336", 10) +
                                  ListLine("Brumalis", "3.3.6", "", 1049, "3.3.6", "ru/B336", 10);
    m_pPublished->szList = szWithout;
    Frame().Btn_CheckVersionsClick();
    ASSERT_EQ(m_view.list.size(), 1u);
    EXPECT_EQ(m_view.list[0].szCaption, "Brumalis 3.3.6");
    ASSERT_TRUE(Frame().State().v_updateHelper);
    EXPECT_EQ(Frame().State().v_updateHelper->v_fileName, "tools\\Updater.exe");
    // A new frame has seen no updater line yet.
    m_pFrame.reset();
    m_view.events.clear();
    Frame().Btn_CheckVersionsClick();
    EXPECT_TRUE(m_view.Saw(kNoNew));
}

TEST_F(UpgradeModel, TheSameVersionIsOfferedOnlyWithANewerCatalogue) {
    PublishStandard();
    m_pPublished->szList = ListLine("Updater.exe", "0", "", 1033, "0", "U", 1) +
                           ListLine("Brumalis", "3.3.4", "", 1033, "3.3.4", "en/same", 1);
    Frame().Btn_CheckVersionsClick();
    EXPECT_TRUE(m_view.Saw(kNoNew));
    m_pPublished->szList = ListLine("Updater.exe", "0", "", 1033, "0", "U", 1) +
                           ListLine("Brumalis", "3.3.4", "", 1033, "3.3.5", "en/newer-data", 1);
    Frame().Btn_CheckVersionsClick();
    ASSERT_EQ(m_view.list.size(), 1u);
    EXPECT_EQ(m_view.list[0].subItems[2], "3.3.5");
}

TEST_F(UpgradeModel, AnEnglishNewestBuildForARussianProgramAsksTheLanguageQuestion) {
    m_pPublished->szList = ListLine("Updater.exe", "0", "", 1033, "0", "U", kUpdaterBytes.size()) +
                           ListLine("Brumalis", "3.3.4", "", 1049, "3.3.5", "ru/older", 1) +
                           ListLine("Brumalis", "3.4.0", "", 1033, "3.4.0", "en/B340", kProgramBytes.size());
    CheckAndSelectFirst();
    ASSERT_EQ(m_view.list.size(), 1u);
    EXPECT_EQ(m_view.list[0].subItems[0], "English");
    m_view.answers = {false};
    Frame().Btn_DownloadClick();
    EXPECT_TRUE(m_view.Saw(
        "question: You are about to upgrade to an English version of the program. Automatic upgrade to Russian will no "
        "longer be possible after this. Continue anyway?"));
    EXPECT_FALSE(m_view.Saw("notice"));
    EXPECT_EQ(DownloadsRequested(), 0u);
    EXPECT_TRUE(m_handOvers.empty());
}

TEST_F(UpgradeModel, ADiscontinuedConfigurationIsToldAfterTheDefaultBuildsAreListed) {
    m_env.szConfig = "Marine";
    m_env.nLanguage = 1033;
    m_pPublished->szList = ListLine("Updater.exe", "0", "", 1033, "0", "U", 1) +
                           ListLine("Brumalis", "3.3.6", "", 1033, "3.3.6", "en/B336", 1) +
                           ListLine("Brumalis", "3.3.7", "Offshore", 1033, "3.3.7", "en/off", 1);
    Frame().Btn_CheckVersionsClick();
    ASSERT_EQ(m_view.list.size(), 1u);
    const std::size_t nWarning = m_view.IndexOf(
        "warning: Configuration 'Marine' has been discontinued. You will need to download a default program version");
    ASSERT_LT(nWarning, m_view.events.size());
    EXPECT_LT(m_view.IndexOf("list: 1"), nWarning);
    m_view.answers = {false};
    Frame().Lvw_AvailableClick(0);
    Frame().Btn_DownloadClick();
    EXPECT_TRUE(m_view.Saw(
        "question: You are about to upgrade to a default configuration of the program. Automatic upgrade to "
        "configuration 'Marine' will no longer be possible after this. Continue anyway?"));
    EXPECT_EQ(DownloadsRequested(), 0u);
}

TEST_F(UpgradeModel, NoToTheUnsavedWorkQuestionClosesWithCancelAndFetchesNothing) {
    PublishStandard();
    Frame().InitializeFrame(true);
    CheckAndSelectFirst();
    m_view.answers = {false};
    Frame().Btn_DownloadClick();
    EXPECT_EQ(m_view.events.back(), "cancel");
    EXPECT_EQ(DownloadsRequested(), 0u);
}

TEST_F(UpgradeModel, ADeclinedNoticeFetchesNothing) {
    PublishStandard();
    CheckAndSelectFirst();
    m_view.bAcceptNotice = false;
    Frame().Btn_DownloadClick();
    EXPECT_TRUE(m_view.Saw("notice"));
    EXPECT_EQ(DownloadsRequested(), 0u);
    EXPECT_EQ(m_view.events.back(), "list shown");
    EXPECT_TRUE(StagingEmpty());
}

// Catalogues are numbered year.release: shown as written, ordered part by
// part, and still reported as the protocol's number.
TEST_F(UpgradeModel, AYearAndReleaseCatalogueIsShownAsWrittenAndComparedPartByPart) {
    m_env.szDataVersion = "EU 2026.1";
    EXPECT_EQ(Frame().Labels().szDbVersion, "2026.1");
    EXPECT_EQ(Frame().State().v_dbVersion.Number(), 20261);
    m_pPublished->szList = ListLine("Updater.exe", "0", "", 1033, "0", "U", 1) +
                           ListLine("Brumalis", "3.3.4", "", 1033, "2025.12", "en/older-data", 1) +
                           ListLine("Brumalis", "3.3.4", "", 1033, "2026.1", "en/same-data", 1);
    Frame().Btn_CheckVersionsClick();
    EXPECT_TRUE(m_view.Saw(kNoNew));  // 2025.12 is older, though 202512 > 20261

    m_pPublished->szList = ListLine("Updater.exe", "0", "", 1033, "0", "U", kUpdaterBytes.size()) +
                           ListLine("Brumalis", "3.3.4", "", 1033, "2026.10", "en/B", 1) +
                           ListLine("Brumalis", "3.3.4", "", 1049, "2026.10", "ru/B", kProgramBytes.size());
    m_pPublished->Publish("Updater.exe", kUpdaterBytes, {"Updater.exe", 0, "", 0, 0, 0});
    m_pPublished->Publish("ru/B", kProgramBytes, {"ru/B", 334, "", 1049, 202610, 0});
    CheckAndSelectFirst();
    EXPECT_EQ(m_view.list[0].subItems[2], "2026.10");
    Frame().Btn_DownloadClick();
    ASSERT_EQ(m_handOvers.size(), 1u);
    const auto fields = SplitTabs(Base64UrlDecode(CTPublishedFiles::QueryValue(Requests().back().szTarget, "req")));
    ASSERT_GT(fields.size(), 4u);
    EXPECT_EQ(fields[4], "202610");
}

TEST_F(UpgradeModel, DownloadsVerifiesHandsOverReportsAndEnds) {
    PublishStandard();
    CheckAndSelectFirst();
    Frame().Btn_DownloadClick();
    ASSERT_EQ(m_handOvers.size(), 1u);
    const THandOver& h = m_handOvers[0];
    EXPECT_EQ(h.szTitle, "Brumalis");
    EXPECT_EQ(h.szProgram, m_scratch / "bin/Brumalis");
    EXPECT_EQ(ReadFile(h.szUpdater), kUpdaterBytes);
    EXPECT_EQ(ReadFile(h.szNewProgram), kProgramBytes);
    const std::filesystem::path folder = std::filesystem::path(h.szUpdater).parent_path();
    EXPECT_EQ(std::filesystem::path(h.szNewProgram), folder / "Brumalis");
    EXPECT_EQ(std::filesystem::path(h.szUpdater).filename().string().substr(0, 3), "Upd");
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(h.szUpdater.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0500u);
    ASSERT_EQ(::stat(h.szNewProgram.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0111, 0u);

    EXPECT_TRUE(m_view.Saw("notice"));
    EXPECT_TRUE(m_view.Saw("caption: Downloading Updater.exe"));
    EXPECT_TRUE(m_view.Saw("caption: Downloading Brumalis"));
    EXPECT_EQ(m_view.positions.back(), 100);
    const std::vector<std::string> tail(m_view.events.end() - 2, m_view.events.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"hint: Download complete. The program will now restart", "end"}));

    std::vector<std::string> targets;
    for (const auto& r : Requests()) {
        const std::size_t report = r.szTarget.find("req=");
        targets.push_back(report == std::string::npos ? r.szTarget : r.szTarget.substr(0, report + 4));
    }
    EXPECT_EQ(targets, (std::vector<std::string>{
                           "/scripts/zorbit_get_versions.asp?name=brumalis",
                           "/scripts/zorbit_download_file.asp?file=Updater.exe&server=10",
                           "/scripts/zorbit_download_file.asp?file=Updater.exe.sig&server=10",
                           "/scripts/zorbit_download_file.asp?file=ru/Brumalis-335&server=10",
                           "/scripts/zorbit_download_file.asp?file=ru/Brumalis-335.sig&server=10",
                           "/scripts32/upgrade_downloaded.asp?req=",
                       }));
    const std::string szToken = CTPublishedFiles::QueryValue(Requests().back().szTarget, "req");
    const auto fields = SplitTabs(Base64UrlDecode(szToken));
    ASSERT_EQ(fields.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.begin() + 8),
              (std::vector<std::string>{"Brumalis", "335", "1049", "", "335", "7", "1049", "Russia"}));
    EXPECT_EQ(fields[9], "Test OS 1");
    EXPECT_EQ(szToken.find('='), std::string::npos);
}

TEST_F(UpgradeModel, ServerOneShowsNoNoticeAndSendsNoReport) {
    m_env.nServer = 1;
    PublishStandard();
    CheckAndSelectFirst();
    Frame().Btn_DownloadClick();
    EXPECT_EQ(m_handOvers.size(), 1u);
    EXPECT_FALSE(m_view.Saw("notice"));
    for (const auto& r : Requests()) EXPECT_EQ(r.szTarget.find("upgrade_downloaded"), std::string::npos);
    EXPECT_EQ(m_view.events.back(), "end");
}

TEST_F(UpgradeModel, AFailedStartKeepsTheVerifiedFilesAndTheProgramRunning) {
    m_bStarts = false;
    PublishStandard();
    CheckAndSelectFirst();
    Frame().Btn_DownloadClick();
    ASSERT_EQ(m_handOvers.size(), 1u);
    EXPECT_TRUE(m_view.Saw("hint: Upgrade failed. Please try again later"));
    EXPECT_FALSE(m_view.Saw("end"));
    EXPECT_EQ(m_view.events.back(), "list shown");
    EXPECT_EQ(ReadFile(m_handOvers[0].szNewProgram), kProgramBytes);
    for (const auto& r : Requests()) EXPECT_EQ(r.szTarget.find("upgrade_downloaded"), std::string::npos);
}

// Each way a published file can be wrong; the download must stop with its
// error, start nothing and leave no folder.
struct TForgery {
    const char* szName;
    std::function<void(CTPublishedFiles&)> forge;
};

void PrintTo(const TForgery& forgery, std::ostream* pOut) { *pOut << forgery.szName; }

class Forgeries : public UpgradeModel, public ::testing::WithParamInterface<TForgery> {};

TEST_P(Forgeries, AreRefusedWithNothingStartedAndTheFolderGone) {
    PublishStandard();
    GetParam().forge(*m_pPublished);
    CheckAndSelectFirst();
    Frame().Btn_DownloadClick();
    EXPECT_TRUE(m_view.Saw(kErrDownload));
    EXPECT_TRUE(m_handOvers.empty());
    EXPECT_FALSE(m_view.Saw("end"));
    EXPECT_EQ(m_view.events.back(), "list shown");
    EXPECT_TRUE(StagingEmpty());
}

const std::string kProgram = "ru/Brumalis-335";

INSTANTIATE_TEST_SUITE_P(
    UpgradeModel, Forgeries,
    ::testing::Values(
        TForgery{"TruncatedFile", [](CTPublishedFiles& p) { p.files[kProgram].pop_back(); }},
        TForgery{"ChangedByte", [](CTPublishedFiles& p) { p.files[kProgram][100] ^= 1; }},
        TForgery{"ChangedUpdater", [](CTPublishedFiles& p) { p.files["Updater.exe"][5] ^= 1; }},
        TForgery{"WrongKey",
                 [](CTPublishedFiles& p) {
                     p.Publish(kProgram, kProgramBytes, {kProgram, 335, "", 1049, 335, 0}, GenerateKeyPair()->szPrivate);
                 }},
        TForgery{"MissingSignature", [](CTPublishedFiles& p) { p.files.erase(kProgram + ".sig"); }},
        TForgery{"MissingUpdaterSignature", [](CTPublishedFiles& p) { p.files.erase("Updater.exe.sig"); }},
        TForgery{"AnotherEntrysSignature",
                 [](CTPublishedFiles& p) {
                     p.Publish("en/Brumalis-335", kProgramBytes, {"en/Brumalis-335", 335, "", 1033, 335, 0});
                     p.files[kProgram + ".sig"] = p.files["en/Brumalis-335.sig"];
                 }},
        TForgery{"ReplayedUnderAHigherVersion",
                 [](CTPublishedFiles& p) {
                     p.szList = ListLine("Updater.exe", "0", "", 1033, "0", "U", kUpdaterBytes.size()) +
                                ListLine("Brumalis", "3.3.6", "", 1033, "3.3.6", "en/B336", 1) +
                                ListLine("Brumalis", "3.3.6", "", 1049, "3.3.6", kProgram, kProgramBytes.size());
                 }},
        TForgery{"WrongListedSize",
                 [](CTPublishedFiles& p) {
                     p.szList = ListLine("Updater.exe", "0", "", 1033, "0", "U", kUpdaterBytes.size()) +
                                ListLine("Brumalis", "3.3.5", "", 1033, "3.3.5", "en/B335", 1) +
                                ListLine("Brumalis", "3.3.5", "", 1049, "3.3.5", kProgram, kProgramBytes.size() + 1);
                 }},
        TForgery{"OversizeSignature",
                 [](CTPublishedFiles& p) { p.files[kProgram + ".sig"] += std::string(2 << 20, 's'); }}),
    [](const ::testing::TestParamInfo<TForgery>& info) { return info.param.szName; });

TEST_F(UpgradeModel, LabelsNameTheBuildAndOurServers) {
    m_env.nServer = 1;
    m_env.szSuffix = "beta2";
    const TUpgradeLabels& labels = Frame().Labels();
    EXPECT_EQ(labels.szServer, "Orvane North");
    EXPECT_EQ(labels.szProgram, "Brumalis 3.3.4 - beta2");
    EXPECT_EQ(labels.szLanguage, "Russian");
    EXPECT_EQ(labels.szConfig, "<default>");
    EXPECT_EQ(labels.szDbVersion, "3.3.4");
    EXPECT_EQ(Frame().State().v_dbVersion.Number(), 334);
    m_pFrame.reset();
    m_env.nServer = 10;
    m_env.szDataVersion = "unknown";
    EXPECT_EQ(Frame().Labels().szServer, "n/a");
    EXPECT_EQ(Frame().Labels().szConfig, "n/a");
    EXPECT_EQ(Frame().Labels().szDbVersion, "n/a");
    EXPECT_FALSE(Frame().State().v_hasDb);
}

TEST_F(UpgradeModel, ProgressFollowsTheListedSizeOrCyclesWithoutOne) {
    Frame();
    m_pFrame->ShowDownloadProgress(0);
    EXPECT_EQ(m_view.positions.back(), 1);  // no size known: one step on
    for (int i = 0; i < 100; ++i) m_pFrame->ShowDownloadProgress(0);
    EXPECT_EQ(m_view.positions.back(), 0);  // and round again past the end
}

TEST(SizeText, TenthsOfAMebibyteInTheUsersNumberFormat) {
    EXPECT_EQ(SizeText(3460000), "3.3MB");
    EXPECT_EQ(SizeText(1048576), "1MB");
    EXPECT_EQ(SizeText(0), "0MB");
    // Exactly 0.25 and 0.75 MiB are ties: to the even tenth.
    EXPECT_EQ(SizeText(262144), "0.2MB");
    EXPECT_EQ(SizeText(786432), "0.8MB");
    const char chPrevious = SetDecimalSeparator(',');
    EXPECT_EQ(SizeText(3460000), "3,3MB");
    EXPECT_EQ(SizeText(1048576), "1MB");
    SetDecimalSeparator(chPrevious);
}

}  // namespace
}  // namespace brumalis::online::testing
