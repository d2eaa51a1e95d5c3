#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "objectstore/base_factory.h"
#include "objectstore/streams.h"

namespace brumalis {
namespace {

namespace fs = std::filesystem;

TEST(StreamIO, HandsOutEveryByteAcrossBlockBoundariesThenZero) {
    std::string data(3 * CTStreamIO::BlockSize + 7, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(1 + i % 251);
    CTMemoryStream stream(data);
    CTStreamIO io(stream);
    for (std::size_t i = 0; i < data.size(); ++i) {
        ASSERT_FALSE(io.Eof());
        ASSERT_EQ(io.ReadChar(), static_cast<std::uint8_t>(data[i])) << i;
    }
    EXPECT_TRUE(io.Eof());
    EXPECT_EQ(io.ReadChar(), 0);
    EXPECT_EQ(io.Position(), data.size());
}

TEST(StreamIO, ReadBytesStopsAtTheEndOfData) {
    CTMemoryStream stream(std::string(CTStreamIO::BlockSize + 10, 'a'));
    CTStreamIO io(stream);
    io.ReadChar();
    std::string out;
    EXPECT_EQ(io.ReadBytes(out, 1u << 30), CTStreamIO::BlockSize + 9);
    EXPECT_EQ(out.size(), CTStreamIO::BlockSize + 9);
}

TEST(MemoryStream, OverwritesAtThePositionAndSeeksFromEveryOrigin) {
    CTMemoryStream stream;
    stream.WriteAll("abcdef");
    EXPECT_EQ(stream.Seek(-4, SeekOrigin::End), 2);
    stream.WriteAll("XY");
    EXPECT_EQ(stream.Data(), "abXYef");
    EXPECT_EQ(stream.Seek(1, SeekOrigin::Current), 5);
    EXPECT_EQ(stream.Seek(-1, SeekOrigin::Begin), -1);
    char c = 0;
    EXPECT_EQ(stream.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'f');
    EXPECT_EQ(stream.Read(&c, 1), 0u);
}

TEST(FactorySignature, WriteStringWritesTheBytesAlone) {
    CTBaseFactory factory("EDI", 100, 100);
    CTMemoryStream stream;
    CTBaseFactory::WriteString(stream, factory.GetSignature());
    EXPECT_EQ(stream.Data(), "EDI100");
}

class FileStream : public ::testing::Test {
protected:
    void SetUp() override {
        v_path = (fs::temp_directory_path() / ("brumalis_stream_" + std::to_string(::getpid()))).string();
        std::ofstream(v_path) << "content";
    }
    void TearDown() override {
        CTMyFileStream::SetMaxWaitInterval(1600);
        fs::remove(v_path);
    }
    std::string v_path;
};

TEST_F(FileStream, MissingFileFailsAtOnceWithItsName) {
    try {
        CTMyFileStream stream(v_path + ".missing", CTMyFileStream::Mode::OpenReadDenyWrite);
        ADD_FAILURE() << "opened a missing file";
    } catch (const CTStreamError& e) {
        EXPECT_NE(std::string(e.what()).find(".missing"), std::string::npos);
    }
}

TEST_F(FileStream, FileLockedBySomebodyElseIsRetriedThenRefused) {
    EXPECT_EQ(CTMyFileStream::SetMaxWaitInterval(50), 1600) << "clamped to 100";
    EXPECT_EQ(CTMyFileStream::SetMaxWaitInterval(100), 100);
    const int fd = ::open(v_path.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_THROW(CTMyFileStream(v_path, CTMyFileStream::Mode::OpenReadDenyWrite), CTStreamError);
    ::flock(fd, LOCK_UN);
    CTMyFileStream stream(v_path, CTMyFileStream::Mode::OpenReadDenyWrite);
    char buf[16] = {};
    EXPECT_EQ(stream.Read(buf, sizeof buf), 7u);
    ::close(fd);
}

TEST_F(FileStream, AtomicStreamReplacesOnlyOnCommit) {
    {
        CTAtomicFileStream out(v_path);
        out.WriteAll("replaced");
    }
    CTMyFileStream unchanged(v_path, CTMyFileStream::Mode::OpenReadDenyWrite);
    EXPECT_EQ(ReadWholeStream(unchanged), "content");
    {
        CTAtomicFileStream out(v_path);
        out.WriteAll("replaced");
        out.Commit();
    }
    CTMyFileStream changed(v_path, CTMyFileStream::Mode::OpenReadDenyWrite);
    EXPECT_EQ(ReadWholeStream(changed), "replaced");
}

}  // namespace
}  // namespace brumalis
