#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/instance_lock.h"
#include "platform/process.h"
#include "process_fixture.h"

namespace brumalis::platform {
namespace {

using namespace std::chrono_literals;
using testing::CTPrivateFolder;
using testing::CTScopedEnv;
using testing::Eventually;
namespace fs = std::filesystem;

const std::string Helper = BRUMALIS_PROCESS_HELPER;

// ---- Runtime folder -------------------------------------------------------

class RuntimeFolderTest : public ::testing::Test {
protected:
    std::string Fallback() const { return v_parent / ("brumalis-" + std::to_string(::geteuid())); }
    std::string Resolve(const char* szXdg) const {
        return RuntimeFolderFor(szXdg, v_parent.Path().string(), ::geteuid());
    }

    CTPrivateFolder v_parent;
    CTPrivateFolder v_xdg;
};

TEST_F(RuntimeFolderTest, APrivateXdgFolderIsTaken) {
    EXPECT_EQ(Resolve(v_xdg.Path().c_str()), v_xdg.Path().string());
    EXPECT_FALSE(fs::exists(Fallback()));
}

TEST_F(RuntimeFolderTest, WithoutAUsableXdgFolderThePrivateFallbackIsMade) {
    EXPECT_EQ(Resolve(nullptr), Fallback());
    struct stat st {};
    ASSERT_EQ(::lstat(Fallback().c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700U);
    EXPECT_EQ(Resolve(nullptr), Fallback());  // made once, then found

    fs::permissions(v_xdg.Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_EQ(Resolve(v_xdg.Path().c_str()), Fallback());  // open to the group
    EXPECT_EQ(Resolve("relative/folder"), Fallback());
    EXPECT_EQ(Resolve(""), Fallback());
}

TEST_F(RuntimeFolderTest, AFallbackThatIsALinkOrNoPrivateFolderIsRefused) {
    fs::create_directory_symlink(v_xdg.Path(), Fallback());
    EXPECT_EQ(Resolve(nullptr), "");
    fs::remove(Fallback());

    testing::WriteFile(Fallback(), "");
    EXPECT_EQ(Resolve(nullptr), "");
    fs::remove(Fallback());

    ASSERT_EQ(::mkdir(Fallback().c_str(), 0755), 0);
    EXPECT_EQ(Resolve(nullptr), "");
}

TEST_F(RuntimeFolderTest, AnotherUsersFolderIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "handing a folder to another user needs root";
    ASSERT_EQ(::mkdir(Fallback().c_str(), 0700), 0);
    ASSERT_EQ(::chown(Fallback().c_str(), 65534, 65534), 0);
    EXPECT_EQ(Resolve(nullptr), "");
    ASSERT_EQ(::chown(v_xdg.Path().c_str(), 65534, 65534), 0);
    EXPECT_EQ(Resolve(v_xdg.Path().c_str()), "");
}

// ---- The lock -------------------------------------------------------------

class InstanceLock : public ::testing::Test {
protected:
    CTPrivateFolder v_runtime;
    CTScopedEnv v_env{"XDG_RUNTIME_DIR", v_runtime.Path().string()};
};

TEST_F(InstanceLock, ASecondGuardIsRefusedUntilTheFirstLetsGo) {
    CTInstanceGuard first = CreateGlobalMutex("Brumalis");
    EXPECT_EQ(first.State(), TInstanceState::Owned);
    EXPECT_TRUE(fs::exists(v_runtime / "Brumalis.lock"));
    CTInstanceGuard second = CreateGlobalMutex("Brumalis");
    EXPECT_TRUE(second.AlreadyExists());
    EXPECT_EQ(CreateGlobalMutex("Other").State(), TInstanceState::Owned);

    CTInstanceGuard moved = std::move(first);
    EXPECT_EQ(first.State(), TInstanceState::Unavailable);
    EXPECT_TRUE(CreateGlobalMutex("Brumalis").AlreadyExists());
    moved.Release();
    EXPECT_EQ(CreateGlobalMutex("Brumalis").State(), TInstanceState::Owned);
}

TEST_F(InstanceLock, NoLockFileMeansNoGuardAndNoRefusal) {
    fs::create_directory(v_runtime / "Blocked.lock");
    EXPECT_EQ(CreateGlobalMutex("Blocked").State(), TInstanceState::Unavailable);
    EXPECT_EQ(CreateGlobalMutex("a/b").State(), TInstanceState::Unavailable);
    EXPECT_EQ(CreateGlobalMutex("").State(), TInstanceState::Unavailable);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForGlobalMutex("Blocked", 5s).State(), TInstanceState::Unavailable);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST_F(InstanceLock, AHolderKilledOutrightDoesNotBlock) {
    const std::string state = v_runtime / "state";
    const auto holder = SpawnProcess({Helper, {"hold-lock", "Killed", state}, {}});
    ASSERT_TRUE(holder);
    ASSERT_TRUE(Eventually([&] { return fs::exists(state); }, 10s));
    EXPECT_EQ(testing::ReadFile(state), std::to_string(static_cast<int>(TInstanceState::Owned)));
    EXPECT_TRUE(CreateGlobalMutex("Killed").AlreadyExists());
    ::kill(holder->Pid(), SIGKILL);
    ASSERT_TRUE(holder->WaitForExit(10s));
    EXPECT_EQ(CreateGlobalMutex("Killed").State(), TInstanceState::Owned);
}

TEST_F(InstanceLock, TheBoundedWaitTakesTheLockOnceItIsFree) {
    CTInstanceGuard holder = CreateGlobalMutex("Upgrade");
    ASSERT_EQ(holder.State(), TInstanceState::Owned);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(WaitForGlobalMutex("Upgrade", 150ms).AlreadyExists());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);

    std::thread releaser([&] {
        std::this_thread::sleep_for(200ms);
        holder.Release();
    });
    CTInstanceGuard waited = WaitForGlobalMutex("Upgrade", 10s);
    releaser.join();
    EXPECT_EQ(waited.State(), TInstanceState::Owned);
    EXPECT_TRUE(CreateGlobalMutex("Upgrade").AlreadyExists());
}

}  // namespace
}  // namespace brumalis::platform
