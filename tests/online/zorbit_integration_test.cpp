// The web-service client against the test web service: what it sends, and
// that every way an answer can go wrong fails cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "objectstore/database_set.h"
#include "online/zorbit_config.h"
#include "online/zorbit_integration.h"
#include "online_fixture.h"

namespace brumalis::online::testing {
namespace {

using TClock = std::chrono::steady_clock;

TScriptedAnswer Status(int nStatus, std::string szBody = {}) { return {nStatus, std::move(szBody), TAnswerMode::Normal, 0, {}}; }
TScriptedAnswer Mode(TAnswerMode mode, std::string szBody = {}, std::size_t nBytes = 0) {
    return {200, std::move(szBody), mode, nBytes, {}};
}

std::string Pattern(std::size_t nSize) {
    std::string s(nSize, '\0');
    for (std::size_t i = 0; i < nSize; ++i) s[i] = static_cast<char>('a' + i % 23);
    return s;
}

// The folder's entries besides "." and "..".
std::size_t EntriesIn(const std::string& szFolder);

using ServerConfig = OnlineTest;

TEST_F(ServerConfig, ListedServersHaveHostsOnPort80AndOthersNone) {
    for (const int n : {0, 1, 2, 10}) {
        std::string szHost;
        int nPort = 0;
        CTZorbitConfig::GetHTTPServerNameAndPort(n, szHost, nPort);
        EXPECT_FALSE(szHost.empty()) << n;
        EXPECT_EQ(nPort, 80) << n;
    }
    for (const int n : {-1, 3, 9, 11}) {
        MachineHive().WriteString(CTZorbitConfig::kOverrideKey, "Server" + std::to_string(n), "127.0.0.1:1");
        std::string szHost = "x";
        int nPort = 0;
        CTZorbitConfig::GetHTTPServerNameAndPort(n, szHost, nPort);
        EXPECT_EQ(szHost, "") << n;
    }
}

TEST_F(ServerConfig, MachineHiveOverridesHostAndPortButNeverWithAUrlInside) {
    MachineHive().WriteString(CTZorbitConfig::kOverrideKey, "Server10", "updates.example.test:8080");
    MachineHive().WriteString(CTZorbitConfig::kOverrideKey, "Server1", "mirror.example.test");
    std::string szHost;
    int nPort = 0;
    CTZorbitConfig::GetHTTPServerNameAndPort(10, szHost, nPort);
    EXPECT_EQ(szHost, "updates.example.test");
    EXPECT_EQ(nPort, 8080);
    CTZorbitConfig::GetHTTPServerNameAndPort(1, szHost, nPort);
    EXPECT_EQ(szHost, "mirror.example.test");
    EXPECT_EQ(nPort, 80);
    for (const char* szBad : {"user@host", "host/path", "host:0", "host:65536", "host:8o", ":80", "host:"}) {
        MachineHive().WriteString(CTZorbitConfig::kOverrideKey, "Server2", szBad);
        CTZorbitConfig::GetHTTPServerNameAndPort(2, szHost, nPort);
        EXPECT_EQ(szHost, "") << szBad;
    }
}

TEST(BuildURL, WritesThePortOnlyWhenItIsNot80) {
    EXPECT_EQ(BuildURL("h.test", 80, "scripts/a.asp?x=1"), "http://h.test/scripts/a.asp?x=1");
    EXPECT_EQ(BuildURL("h.test", 8080, "scripts/a.asp"), "http://h.test:8080/scripts/a.asp");
}

TEST(EncodeQueryValue, KeepsPlainValuesAndEncodesWhatCouldBreakTheQuery) {
    EXPECT_EQ(EncodeQueryValue("sub/dir/Prog-1.2_x~y:z"), "sub/dir/Prog-1.2_x~y:z");
    EXPECT_EQ(EncodeQueryValue("a&b c%d=e?f#g"), "a%26b%20c%25d%3De%3Ff%23g");
    EXPECT_EQ(EncodeQueryValue("\xC3\xA9\n"), "%C3%A9%0A");
}

class Client : public OnlineTest {
protected:
    void Serve(TRequestHandler handler) {
        m_pService = std::make_unique<CTTestWebService>(std::move(handler));
        UseService(*m_pService);
    }
    std::vector<TRecordedRequest> Requests() const { return m_pService->Requests(); }

    std::unique_ptr<CTTestWebService> m_pService;
};

TEST_F(Client, AsksForAFileByItsPathWithSlashesAndTheServerNumber) {
    Serve([](const TRecordedRequest&) { return Status(200, "bytes"); });
    const std::string szLocal = m_scratch / "Prog.exe";
    ASSERT_TRUE(CTZorbitIntegration::GetFileFromInternet(10, "sub\\dir\\Prog.exe", szLocal, 0, {}));
    EXPECT_EQ(ReadFile(szLocal), "bytes");
    ASSERT_TRUE(CTZorbitIntegration::GetFileFromInternet(0, "a&b c%.exe", m_scratch / "odd", 0, {}));
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].szRequestLine, "GET /scripts/zorbit_download_file.asp?file=sub/dir/Prog.exe&server=10 HTTP/1.1");
    EXPECT_EQ(requests[1].szTarget, "/scripts/zorbit_download_file.asp?file=a%26b%20c%25.exe&server=0");
    for (const auto& r : requests) EXPECT_EQ(r.Header("User-Agent"), "Mozilla/5.0 (compatible; MSIE 8.0;)");
}

TEST_F(Client, FetchesATextAnswerAsItsBytes) {
    Serve([](const TRecordedRequest&) { return Status(200, std::string("a\tb\r\n\xE9", 6)); });
    std::string szAnswer;
    ASSERT_TRUE(CTZorbitIntegration::GetStringFromInternet(1, "scripts/zorbit_get_versions.asp?name=brumalis", szAnswer));
    EXPECT_EQ(szAnswer, std::string("a\tb\r\n\xE9", 6));
    EXPECT_EQ(Requests().at(0).szTarget, "/scripts/zorbit_get_versions.asp?name=brumalis");
}

TEST_F(Client, UnlistedServersAndHttpErrorsFail) {
    Serve([](const TRecordedRequest& r) { return Status(r.szTarget.find("missing") != std::string::npos ? 404 : 500, "oops"); });
    std::string szAnswer = "stale";
    for (const int n : {-1, 3, 5, 9, 11}) {
        EXPECT_FALSE(CTZorbitIntegration::GetStringFromInternet(n, "scripts/x.asp", szAnswer)) << n;
        EXPECT_EQ(szAnswer, "");
        EXPECT_FALSE(CTZorbitIntegration::GetFileFromInternet(n, "f", m_scratch / "f", 0, {})) << n;
    }
    EXPECT_TRUE(Requests().empty());
    EXPECT_FALSE(CTZorbitIntegration::GetStringFromInternet(10, "scripts/missing.asp", szAnswer));
    EXPECT_FALSE(CTZorbitIntegration::GetStringFromInternet(10, "scripts/broken.asp", szAnswer));
    EXPECT_FALSE(CTZorbitIntegration::GetFileFromInternet(10, "missing", m_scratch / "f", 0, {}));
    EXPECT_FALSE(CTZorbitIntegration::GetFileFromInternet(10, "broken", m_scratch / "f", 0, {}));
    EXPECT_EQ(Requests().size(), 4u);
    EXPECT_EQ(EntriesIn(m_scratch.Path().string()), 0u);
}

TEST_F(Client, ABrokenDownloadFailsLeavesNoFileAndReportedRisingProgress) {
    const std::string body = Pattern(300000);
    Serve([&body](const TRecordedRequest&) { return Mode(TAnswerMode::CutBody, body, 150000); });
    std::vector<std::int32_t> progress;
    const std::string szLocal = m_scratch / "Prog.exe";
    EXPECT_FALSE(CTZorbitIntegration::GetFileFromInternet(10, "Prog.exe", szLocal, 300000,
                                                          [&progress](std::int32_t n) { progress.push_back(n); }));
    EXPECT_EQ(EntriesIn(m_scratch.Path().string()), 0u);
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_GT(progress.front(), 0);
    EXPECT_LE(progress.back(), 150000);
}

TEST_F(Client, AFailedDownloadLeavesAnEarlierFileAsItWas) {
    Serve([](const TRecordedRequest&) { return Status(500); });
    WriteFile(m_scratch / "kept", "old");
    EXPECT_FALSE(CTZorbitIntegration::GetFileFromInternet(10, "x", m_scratch / "kept", 0, {}));
    EXPECT_EQ(ReadFile(m_scratch / "kept"), "old");
    EXPECT_EQ(EntriesIn(m_scratch.Path().string()), 1u);
}

TEST_F(Client, AStallFailsWithinTheLimit) {
    Serve([](const TRecordedRequest& r) {
        return r.szTarget.find("body") != std::string::npos ? Mode(TAnswerMode::StallInBody, Pattern(1000), 10)
                                                            : Mode(TAnswerMode::StallBeforeStatus);
    });
    std::string szAnswer;
    for (const char* szScript : {"scripts/silent.asp", "scripts/body.asp"}) {
        const auto start = TClock::now();
        EXPECT_FALSE(CTZorbitIntegration::GetStringFromInternet(10, szScript, szAnswer)) << szScript;
        // Stall limit plus the transport's one-second check interval.
        EXPECT_LT(TClock::now() - start, kStall + std::chrono::milliseconds(2500)) << szScript;
    }
}

TEST_F(Client, RefusesATextOver1MiBAndADownloadPastItsListedSize) {
    Serve([](const TRecordedRequest& r) {
        if (r.szTarget.find("text") != std::string::npos) return Status(200, Pattern(2 << 20));
        if (r.szTarget.find("unsized") != std::string::npos) return Mode(TAnswerMode::NoContentLength, Pattern(5000));
        return Status(200, Pattern(5000));
    });
    std::string szAnswer;
    EXPECT_FALSE(CTZorbitIntegration::GetStringFromInternet(10, "scripts/text.asp", szAnswer));
    EXPECT_EQ(szAnswer, "");
    EXPECT_FALSE(CTZorbitIntegration::GetFileFromInternet(10, "sized", m_scratch / "a", 4999, {}));
    EXPECT_FALSE(CTZorbitIntegration::GetFileFromInternet(10, "unsized", m_scratch / "b", 4999, {}));
    EXPECT_EQ(EntriesIn(m_scratch.Path().string()), 0u);
    ASSERT_TRUE(CTZorbitIntegration::GetFileFromInternet(10, "unsized", m_scratch / "c", 5000, {}));
    EXPECT_EQ(ReadFile(m_scratch / "c"), Pattern(5000));
}

TEST_F(Client, FollowsAtMostFiveRedirects) {
    Serve([](const TRecordedRequest& r) {
        // "/hop/N" sends on to "/hop/N-1"; "/hop/0" answers.
        const std::size_t pos = r.szTarget.rfind('/');
        const int n = std::stoi(r.szTarget.substr(pos + 1));
        if (n == 0) return Status(200, "arrived");
        TScriptedAnswer answer = Status(302);
        answer.headers.emplace_back("Location", "/hop/" + std::to_string(n - 1));
        return answer;
    });
    std::string szAnswer;
    EXPECT_TRUE(CTZorbitIntegration::GetStringFromInternet(10, "hop/5", szAnswer));
    EXPECT_EQ(szAnswer, "arrived");
    EXPECT_FALSE(CTZorbitIntegration::GetStringFromInternet(10, "hop/6", szAnswer));
}

class Upload : public Client {
protected:
    void SetUp() override {
        Client::SetUp();
        m_pSession = CTZorbitIntegration::StartInternetSession();
        ASSERT_TRUE(m_pSession);
        WriteFile(m_scratch / "report.txt", m_body);
    }
    bool Send() {
        return CTZorbitIntegration::SaveFileToInternet(m_pSession.get(), 10, "in/report.txt", m_scratch / "report.txt", {});
    }

    const std::string m_body = Pattern(700000);
    std::unique_ptr<CTInternetSession> m_pSession;
};

TEST_F(Upload, PostsTheRawFileOverHttp10WithItsLengthAndNoContentType) {
    Serve([](const TRecordedRequest&) { return Status(200); });
    ASSERT_TRUE(Send());
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 1u);
    const TRecordedRequest& r = requests[0];
    EXPECT_EQ(r.szRequestLine, "POST /scripts/zorbit_receive_file.asp?target=in/report.txt HTTP/1.0");
    EXPECT_FALSE(r.HasHeader("Content-Type"));
    EXPECT_FALSE(r.HasHeader("Accept"));
    EXPECT_EQ(r.Header("Content-Length"), std::to_string(m_body.size()));
    EXPECT_EQ(r.Header("User-Agent"), "Mozilla/5.0 (compatible; MSIE 8.0;)");
    EXPECT_TRUE(r.szBody == m_body);
}

TEST_F(Upload, TriesAgainWhenTheConnectionEndsBeforeTheStatus) {
    int nCalls = 0;
    Serve([&nCalls](const TRecordedRequest&) { return ++nCalls <= 2 ? Mode(TAnswerMode::DropBeforeStatus) : Status(200); });
    EXPECT_TRUE(Send());
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 3u);
    for (const auto& r : requests) EXPECT_TRUE(r.szBody == m_body);
}

TEST_F(Upload, GivesUpAfterTwentyAttempts) {
    Serve([](const TRecordedRequest&) { return Mode(TAnswerMode::DropBeforeStatus); });
    EXPECT_FALSE(Send());
    EXPECT_EQ(Requests().size(), 20u);
}

TEST_F(Upload, AnErrorStatusFailsAtOnce) {
    Serve([](const TRecordedRequest&) { return Status(500); });
    EXPECT_FALSE(Send());
    EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(Upload, AnEmptyOrMissingFileOrNoSessionSendsNothing) {
    Serve([](const TRecordedRequest&) { return Status(200); });
    WriteFile(m_scratch / "empty.txt", "");
    EXPECT_FALSE(CTZorbitIntegration::SaveFileToInternet(m_pSession.get(), 10, "e", m_scratch / "empty.txt", {}));
    EXPECT_FALSE(CTZorbitIntegration::SaveFileToInternet(m_pSession.get(), 10, "m", m_scratch / "missing.txt", {}));
    EXPECT_FALSE(CTZorbitIntegration::SaveFileToInternet(m_pSession.get(), 10, "d", m_scratch.Path().string(), {}));
    EXPECT_FALSE(CTZorbitIntegration::SaveFileToInternet(nullptr, 10, "r", m_scratch / "report.txt", {}));
    EXPECT_FALSE(CTZorbitIntegration::SaveFileToInternet(m_pSession.get(), 4, "r", m_scratch / "report.txt", {}));
    EXPECT_TRUE(Requests().empty());
}

TEST(ProgressCallback, CallsTheIndicatorOnlyForProgressWithinAKnownTotal) {
    std::vector<std::int32_t> calls;
    const CTMyBSClass status([&calls](std::int32_t n) { calls.push_back(n); });
    status.OnProgress(0, 100, 0, {});
    status.OnProgress(10, 0, 0, {});
    status.OnProgress(101, 100, 0, {});
    status.OnProgress(40, 100, 0, {});
    status.OnProgress(100, 100, 0, {});
    EXPECT_EQ(calls, (std::vector<std::int32_t>{40, 100}));
    const CTMyBSClass unassigned({});
    unassigned.OnProgress(40, 100, 0, {});
}

TEST(StructureVersions, ComeFromTheEmbeddedReferences) {
    const std::string szCentral = CTZorbitIntegration::GetCentralDbStructureVersionFromResource();
    EXPECT_FALSE(szCentral.empty());
    EXPECT_EQ(szCentral, ExpectedStructureVersion());
    // This program embeds no company database.
    EXPECT_EQ(CTZorbitIntegration::GetCompanyDbStructureVersionFromResource(), "");
}

std::size_t EntriesIn(const std::string& szFolder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(szFolder)) ++n;
    return n;
}

}  // namespace
}  // namespace brumalis::online::testing
