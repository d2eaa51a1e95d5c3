// The whole upgrade, processes and all: a stand-in program downloads the
// real updater and a new build from the test web service, hands over and
// ends; the updater replaces the program file and starts it again.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/process.h"
#include "upgrade_fixture.h"

namespace brumalis::online::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

mode_t ModeOf(const std::string& szPath) {
    struct stat st {};
    return ::stat(szPath.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class UpgradeEndToEnd : public OnlineTest {
protected:
    void SetUp() override {
        OnlineTest::SetUp();
        fs::create_directory(m_scratch / "bin");
        fs::create_directory(m_scratch / "staging");
        ::mkdir((m_scratch / "run").c_str(), 0700);
        m_program = m_scratch / "bin/Brumalis";
        m_oldBytes = ReadFile(BRUMALIS_TEST_DRIVER);
        m_newBytes = m_oldBytes + "\nthe new build\n";
        WriteFile(m_program, m_oldBytes);
        ::chmod(m_program.c_str(), 0750);

        m_pPublished = std::make_unique<CTPublishedFiles>(m_scratch);
        const std::string updater = ReadFile(BRUMALIS_UPDATER);
        m_pPublished->szList =
            ListLine("Updater.exe", "0", "", 1033, "0", "bin\\Updater.exe", updater.size()) +
            ListLine("Brumalis", "3.3.5", "", 1033, "3.3.5", "en\\Brumalis-335", m_newBytes.size());
        m_pPublished->Publish("Updater.exe", updater, {"Updater.exe", 0, "", 0, 0, 0});
        m_pPublished->Publish("en/Brumalis-335", m_newBytes, {"en/Brumalis-335", 335, "", 1033, 335, 0});
        m_pService = std::make_unique<CTTestWebService>(
            [this](const TRecordedRequest& r) { return m_pPublished->Answer(r); });
    }

    // Runs the stand-in as the program and waits for it to end.
    int RunProgram() {
        const CTScopedEnv runtime("XDG_RUNTIME_DIR", m_scratch / "run");
        const CTScopedEnv marker("BRUMALIS_TEST_MARKER", m_scratch / "marker");
        const auto child = platform::SpawnProcess(
            {m_program, {"upgrade", m_pService->Endpoint(), ToHex(m_pPublished->key.szPublic), m_scratch / "staging"}, {}});
        if (!child) return -1;
        const auto status = child->WaitForExit(20s);
        return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    }
    bool Restarted() const { return Eventually([this] { return FileExists(m_scratch / "marker"); }, 20s); }

    std::string m_program, m_oldBytes, m_newBytes;
    std::unique_ptr<CTPublishedFiles> m_pPublished;
    std::unique_ptr<CTTestWebService> m_pService;
};

TEST_F(UpgradeEndToEnd, ReplacesTheProgramKeepsItsModeRestartsItAndCleansUp) {
    ASSERT_EQ(RunProgram(), 0);
    ASSERT_TRUE(Restarted());
    EXPECT_EQ(ReadFile(m_scratch / "marker"), "restarted with the lock");
    EXPECT_TRUE(ReadFile(m_program) == m_newBytes);
    EXPECT_EQ(ModeOf(m_program), 0750u);
    EXPECT_TRUE(Eventually([this] { return fs::is_empty(m_scratch / "staging"); }, 20s));
    EXPECT_TRUE(fs::is_empty(m_scratch / "bin") == false);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_scratch / "bin"), fs::directory_iterator()), 1);

    const auto requests = m_pService->Requests();
    ASSERT_EQ(requests.size(), 6u);
    EXPECT_EQ(requests[0].szTarget, "/scripts/zorbit_get_versions.asp?name=brumalis");
    EXPECT_EQ(requests[1].szTarget, "/scripts/zorbit_download_file.asp?file=Updater.exe&server=10");
    EXPECT_EQ(requests[2].szTarget, "/scripts/zorbit_download_file.asp?file=Updater.exe.sig&server=10");
    EXPECT_EQ(requests[3].szTarget, "/scripts/zorbit_download_file.asp?file=en/Brumalis-335&server=10");
    EXPECT_EQ(requests[4].szTarget, "/scripts/zorbit_download_file.asp?file=en/Brumalis-335.sig&server=10");
    const std::string szReport = CTPublishedFiles::QueryValue(requests[5].szTarget, "req");
    ASSERT_EQ(requests[5].szTarget, "/scripts32/upgrade_downloaded.asp?req=" + szReport);
    const std::string szDecoded = Base64UrlDecode(szReport);
    const auto fields = SplitTabs(szDecoded);
    ASSERT_EQ(fields.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.begin() + 6),
              (std::vector<std::string>{"Brumalis", "335", "1033", "", "335", "3"}));
    char szHost[256] = {};
    ::gethostname(szHost, sizeof szHost - 1);
    const char* szUser = std::getenv("USER");
    for (const std::string& szName : {std::string(szHost), std::string(szUser != nullptr ? szUser : "")}) {
        if (szName.size() > 2) {
            EXPECT_EQ(szDecoded.find(szName), std::string::npos) << szName;
        }
    }
}

TEST_F(UpgradeEndToEnd, WithTheNewBuildGoneTheProgramIsKeptAndStartedAgain) {
    const CTScopedEnv remove("BRUMALIS_TEST_REMOVE_NEW", "1");
    ASSERT_EQ(RunProgram(), 0);
    ASSERT_TRUE(Restarted());
    EXPECT_TRUE(ReadFile(m_program) == m_oldBytes);
    EXPECT_EQ(ModeOf(m_program), 0750u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_scratch / "bin"), fs::directory_iterator()), 1);
}

TEST(Updater, RefusesAnyOtherCommandLine) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{}, {"T", "3", "N"}, {"T", "3", "N", "E", "x"}}) {
        const auto child = platform::SpawnProcess({BRUMALIS_UPDATER, args, {}});
        ASSERT_TRUE(child);
        const auto status = child->WaitForExit(10s);
        ASSERT_TRUE(status);
        EXPECT_TRUE(WIFEXITED(*status));
        EXPECT_EQ(WEXITSTATUS(*status), 2);
    }
}

}  // namespace
}  // namespace brumalis::online::testing
