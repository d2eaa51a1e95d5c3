#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/instance_lock.h"
#include "platform/path_text.h"
#include "platform/process.h"
#include "platform/program_path.h"
#include "platform/temporary_names.h"
#include "process_fixture.h"

namespace brumalis::platform {
namespace {

using namespace std::chrono_literals;
using testing::CTPrivateFolder;
using testing::CTScopedEnv;
using testing::Eventually;

const std::string Helper = BRUMALIS_PROCESS_HELPER;

std::set<int> Descriptors(const std::string& szListing) {
    std::set<int> fds;
    std::istringstream in(szListing);
    for (int fd; in >> fd;) fds.insert(fd);
    return fds;
}

// ---- Spawn ----------------------------------------------------------------

TEST(Spawn, StartedMeansExecutedAndTheStatusComesBack) {
    const auto child = SpawnProcess({Helper, {"exit", "7"}, {}});
    ASSERT_TRUE(child);
    const auto status = child->WaitForExit(10s);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 7);
}

TEST(Spawn, AProgramThatCannotBeExecutedIsNotStarted) {
    const CTPrivateFolder folder;
    testing::WriteFile(folder / "plain", "#!/bin/sh\nexit 0\n");  // mode 0644: not executable
    EXPECT_FALSE(SpawnProcess({folder / "plain", {}, {}}));
    EXPECT_FALSE(SpawnProcess({folder / "missing", {}, {}}));
    EXPECT_FALSE(SpawnProcess({"brumalis-no-such-program", {}, {}}));
    EXPECT_FALSE(SpawnProcess({Helper, {"exit", "0"}, {987}}));  // not an open descriptor
    EXPECT_EQ(testing::ZombieChildren(), 0);
}

TEST(Spawn, TheChildHoldsOnlyWhatWasPassedAndNotTheLock) {
    const CTPrivateFolder folder;
    const CTScopedEnv runtime("XDG_RUNTIME_DIR", folder.Path().string());
    CTInstanceGuard guard = CreateGlobalMutex("SpawnTest");
    ASSERT_EQ(guard.State(), TInstanceState::Owned);
    // A descriptor without close-on-exec, as a careless library might leave one.
    const int leaky = ::open("/dev/null", O_RDONLY);
    const int leakyHigh = ::fcntl(leaky, F_DUPFD, 40);
    int release[2];
    ASSERT_EQ(::pipe2(release, O_CLOEXEC), 0);

    const std::string listing = folder / "fds";
    const auto child = SpawnProcess({Helper, {"list-fds", listing}, {release[0]}});
    ASSERT_TRUE(child);
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(listing); }, 10s));
    const std::set<int> fds = Descriptors(testing::ReadFile(listing));
    EXPECT_TRUE(fds.count(3));
    // 0-2, the pipe at 3, and the listing's own descriptor at 4.
    for (const int fd : fds) EXPECT_LE(fd, 4) << "descriptor " << fd << " leaked into the child";

    // While the child still runs, the lock is free once this process lets go.
    guard.Release();
    EXPECT_EQ(CreateGlobalMutex("SpawnTest").State(), TInstanceState::Owned);

    ::close(release[1]);
    const auto status = child->WaitForExit(10s);
    ASSERT_TRUE(status);
    EXPECT_EQ(WEXITSTATUS(*status), 0);  // it saw end-of-file on the pipe
    ::close(release[0]);
    ::close(leaky);
    ::close(leakyHigh);
}

TEST(Spawn, EveryChildIsReapedWithoutAWait) {
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(SpawnProcess({Helper, {"exit", "0"}, {}}));
    EXPECT_TRUE(Eventually([] { return testing::ZombieChildren() == 0; }, 10s));
}

// ---- Parent-life pipe -----------------------------------------------------

TEST(ParentLifePipe, AChildSeesNoEndWhileTheParentLives) {
    const CTPrivateFolder folder;
    const int readEnd = ParentLifeReadEnd();
    ASSERT_GE(readEnd, 0);
    EXPECT_EQ(::fcntl(readEnd, F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
    const std::string listing = folder / "fds";
    const auto child = SpawnProcess({Helper, {"list-fds", listing}, {readEnd}});
    ASSERT_TRUE(child);
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(listing); }, 10s));
    EXPECT_FALSE(child->WaitForExit(300ms));
    EXPECT_FALSE(std::filesystem::exists(listing + ".ended"));
    ::kill(child->Pid(), SIGKILL);
    EXPECT_TRUE(child->WaitForExit(10s));
}

TEST(ParentLifePipe, AChildSeesTheEndOfAParentKilledOutright) {
    const CTPrivateFolder folder;
    const std::string listing = folder / "fds";
    const auto parent = SpawnProcess({Helper, {"spawn-and-die", listing}, {}});
    ASSERT_TRUE(parent);
    const auto status = parent->WaitForExit(10s);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFSIGNALED(*status));
    EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(listing + ".ended"); }, 10s));
}

TEST(ParentLifePipe, TheWaitIsBoundedAndWantsAPipe) {
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitForParentEnd(ends[0], 100ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    ASSERT_EQ(::write(ends[1], "x", 1), 1);  // data is not the end
    ::close(ends[1]);
    EXPECT_TRUE(WaitForParentEnd(ends[0], 1s));
    ::close(ends[0]);

    const int file = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    EXPECT_FALSE(WaitForParentEnd(file, 100ms));
    ::close(file);
    EXPECT_FALSE(WaitForParentEnd(-1, 100ms));
}

// ---- Temporary names and the program path ---------------------------------

TEST(TemporaryNames, ANewPrivateFileWithThreeCharactersOfThePrefix) {
    const CTPrivateFolder folder;
    const CTScopedEnv tmp("TMPDIR", folder.Path().string());
    const std::string first = GetTemporaryFileName("Delete");
    const std::string second = GetTemporaryFileName("Delete");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    const std::string name = std::filesystem::path(first).filename().string();
    EXPECT_EQ(std::filesystem::path(first).parent_path(), folder.Path());
    EXPECT_EQ(name.substr(0, 3), "Del");
    EXPECT_EQ(name.size(), 9U);
    struct stat st {};
    ASSERT_EQ(::lstat(first.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600U);
    EXPECT_EQ(st.st_size, 0);
    EXPECT_EQ(std::filesystem::path(GetTemporaryFileName("Up")).filename().string().substr(0, 2), "Up");
}

TEST(TemporaryNames, NothingWhenTheFolderIsMissingOrThePrefixIsUnsafe) {
    const CTPrivateFolder folder;
    {
        const CTScopedEnv tmp("TMPDIR", folder / "missing");
        EXPECT_EQ(GetTemporaryFileName("Del"), "");
    }
    const CTScopedEnv tmp("TMPDIR", folder.Path().string());
    EXPECT_EQ(GetTemporaryFileName("../x"), "");
    EXPECT_EQ(GetTemporaryFileName("a\nb"), "");
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(TemporaryNames, ARelativeTmpdirMeansTheSystemFolder) {
    const CTScopedEnv tmp("TMPDIR", "relative");
    EXPECT_EQ(TemporaryFolder(), "/tmp");
    const CTScopedEnv unset("TMPDIR", std::nullopt);
    EXPECT_EQ(TemporaryFolder(), "/tmp");
}

TEST(ProgramPathTest, TheRealFileOfThisProgramUnlessSubstituted) {
    const std::string real = ProgramPath();
    EXPECT_EQ(real, std::filesystem::canonical("/proc/self/exe").string());
    {
        const CTProgramPathSubstitute outer("/opt/x/brumalis");
        EXPECT_EQ(ProgramPath(), "/opt/x/brumalis");
        {
            const CTProgramPathSubstitute inner("/y");
            EXPECT_EQ(ProgramPath(), "/y");
        }
        EXPECT_EQ(ProgramPath(), "/opt/x/brumalis");
    }
    EXPECT_EQ(ProgramPath(), real);
    EXPECT_EQ(FolderOfPath("/opt/x/brumalis"), "/opt/x");
    EXPECT_EQ(FolderOfPath("/a"), "/");
}

}  // namespace
}  // namespace brumalis::platform
