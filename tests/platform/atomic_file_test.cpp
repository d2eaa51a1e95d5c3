#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>
#include <sys/stat.h>

#include "platform/atomic_file.h"

namespace brumalis::platform {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        v_dir = fs::temp_directory_path() / ("brumalis_atomic_" + std::to_string(::getpid()));
        fs::create_directories(v_dir);
        v_target = (v_dir / "project.cpf").string();
    }
    void TearDown() override { fs::remove_all(v_dir); }

    void WriteTarget(const std::string& content) { std::ofstream(v_target, std::ios::binary) << content; }
    std::string ReadTarget() const {
        std::ifstream in(v_target, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(v_dir), fs::directory_iterator()));
    }

    fs::path v_dir;
    std::string v_target;
};

TEST_F(AtomicFile, CommitReplacesTheTargetAndKeepsItsPermissions) {
    WriteTarget("old");
    fs::permissions(v_target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    {
        CTAtomicFileWriter writer(v_target);
        writer.Write("new content", 11);
        EXPECT_EQ(ReadTarget(), "old") << "the target changes only on commit";
        writer.Commit();
    }
    EXPECT_EQ(ReadTarget(), "new content");
    EXPECT_EQ(fs::status(v_target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(AtomicFile, AbandonedWriteLeavesThePreviousFileAndNoLitter) {
    WriteTarget("previous project");
    {
        CTAtomicFileWriter writer(v_target);
        writer.Write("half a proj", 11);
        // an exception or a crash here: no commit
    }
    EXPECT_EQ(ReadTarget(), "previous project");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(AtomicFile, WriteThatFailsHalfWayRaisesAndKeepsThePreviousFile) {
    WriteTarget("previous project");
    // A file-size limit makes the disk "full" after 4 KiB.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string big(64 * 1024, 'x');
    bool bRaised = false;
    try {
        CTAtomicFileWriter writer(v_target);
        writer.Write(big.data(), big.size());
        writer.Commit();
    } catch (const CTFileError&) {
        bRaised = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(bRaised);
    EXPECT_EQ(ReadTarget(), "previous project");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(AtomicFile, UnwritableFolderIsReportedWithTheFileName) {
    try {
        CTAtomicFileWriter writer((v_dir / "missing" / "x.cpf").string());
        ADD_FAILURE() << "created a file in a missing folder";
    } catch (const CTFileError& e) {
        EXPECT_NE(std::string(e.what()).find("x.cpf"), std::string::npos);
    }
}

}  // namespace
}  // namespace brumalis::platform
