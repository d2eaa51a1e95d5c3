#include <gtest/gtest.h>

#include <thread>

#include "platform/shell_open.h"
#include "process_fixture.h"

namespace brumalis::platform {
namespace {

using namespace std::chrono_literals;
using testing::CTPrivateFolder;
using testing::CTScopedEnv;
namespace fs = std::filesystem;

// An xdg-open of our own first on PATH, which records each call's arguments
// as a file in its folder's "calls".
class ShellOpenTest : public ::testing::Test {
protected:
    ShellOpenTest() {
        fs::create_directory(v_bin.Path() / "calls");
        testing::WriteScript(v_bin.Path() / "xdg-open",
                             "out=\"$FAKE_CALLS/$$\"\n"
                             "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$out.part\"\n"
                             "mv \"$out.part\" \"$out\"\n");
    }

    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        for (const auto& entry : fs::directory_iterator(v_bin.Path() / "calls")) {
            if (entry.path().extension() != ".part") calls.push_back(testing::ReadFile(entry.path()));
        }
        return calls;
    }
    bool CallsArrive(std::size_t nCount) const {
        return testing::Eventually([&] { return Calls().size() >= nCount; }, 10s) && Calls().size() == nCount;
    }

    CTPrivateFolder v_bin;
    CTScopedEnv v_path{"PATH", v_bin.Path().string() + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin")};
    CTScopedEnv v_calls{"FAKE_CALLS", (v_bin.Path() / "calls").string()};
};

TEST_F(ShellOpenTest, TheTargetArrivesVerbatimAsTheOnlyArgument) {
    const std::string target = "https://x/?a=$(touch y);`id` \"quoted\" & more";
    ASSERT_TRUE(ShellOpen(target));
    ASSERT_TRUE(CallsArrive(1));
    EXPECT_EQ(Calls()[0], "1\n" + target + "\n");
    EXPECT_FALSE(fs::exists("y"));
    EXPECT_FALSE(fs::exists(v_bin.Path() / "y"));
}

TEST_F(ShellOpenTest, WebAndMailAddressesAndAbsolutePathsAreOpened) {
    EXPECT_TRUE(ShellOpen("http://orvane.invalid"));
    EXPECT_TRUE(ShellOpen("HTTPS://orvane.invalid/a b"));
    EXPECT_TRUE(ShellOpen("mailto:info@orvane.invalid"));
    EXPECT_TRUE(ShellOpen("/home/ana/Reports/Hotel Tamaris.rtf"));
    EXPECT_TRUE(CallsArrive(4));
}

TEST_F(ShellOpenTest, OtherTargetsAreRefusedWithoutAStart) {
    for (const char* target : {"-h", "--help", "javascript:x", "relative/path", "file:///etc/passwd", "", "http://",
                               "mailto:", "http://a\nb", "/tmp/a\tb", "ftp://x"}) {
        EXPECT_FALSE(IsShellOpenTarget(target)) << target;
        EXPECT_FALSE(ShellOpen(target)) << target;
    }
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(ShellOpenTest, NoOpenerMeansFalseAndManyOpensLeaveNoZombie) {
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(ShellOpen("https://orvane.invalid/" + std::to_string(i)));
    EXPECT_TRUE(CallsArrive(20));
    EXPECT_TRUE(testing::Eventually([] { return testing::ZombieChildren() == 0; }, 10s));

    const CTPrivateFolder empty;
    const CTScopedEnv path("PATH", empty.Path().string());
    EXPECT_FALSE(ShellOpen("https://orvane.invalid"));
}

}  // namespace
}  // namespace brumalis::platform
