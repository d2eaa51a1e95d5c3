#include "objectstore/streams.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace brumalis {

void CTStream::WriteAll(std::string_view bytes) {
    if (Write(bytes.data(), bytes.size()) != bytes.size()) throw CTStreamError("Stream write failed");
}

namespace {

std::int64_t NewPosition(std::int64_t nOffset, SeekOrigin origin, std::size_t nPos, std::size_t nSize) {
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current) base = static_cast<std::int64_t>(nPos);
    if (origin == SeekOrigin::End) base = static_cast<std::int64_t>(nSize);
    const std::int64_t target = base + nOffset;
    return target < 0 ? -1 : target;
}

std::size_t CopyOut(std::string_view from, std::size_t& nPos, void* pBuffer, std::size_t nCount) {
    if (nPos >= from.size()) return 0;
    const std::size_t n = std::min(nCount, from.size() - nPos);
    std::memcpy(pBuffer, from.data() + nPos, n);
    nPos += n;
    return n;
}

}  // namespace

std::size_t CTMemoryStream::Read(void* pBuffer, std::size_t nCount) {
    return CopyOut(v_data, v_pos, pBuffer, nCount);
}

std::size_t CTMemoryStream::Write(const void* pBuffer, std::size_t nCount) {
    if (v_pos > v_data.size()) v_data.resize(v_pos, '\0');
    const auto* p = static_cast<const char*>(pBuffer);
    const std::size_t overlap = std::min(nCount, v_data.size() - v_pos);
    v_data.replace(v_pos, overlap, p, nCount);
    v_pos += nCount;
    return nCount;
}

std::int64_t CTMemoryStream::Seek(std::int64_t nOffset, SeekOrigin origin) {
    const std::int64_t target = NewPosition(nOffset, origin, v_pos, v_data.size());
    if (target >= 0) v_pos = static_cast<std::size_t>(target);
    return target;
}

std::string CTMemoryStream::TakeData() {
    v_pos = 0;
    return std::exchange(v_data, {});
}

std::size_t CTByteViewStream::Read(void* pBuffer, std::size_t nCount) {
    return CopyOut(v_bytes, v_pos, pBuffer, nCount);
}

std::int64_t CTByteViewStream::Seek(std::int64_t nOffset, SeekOrigin origin) {
    const std::int64_t target = NewPosition(nOffset, origin, v_pos, v_bytes.size());
    if (target >= 0) v_pos = static_cast<std::size_t>(target);
    return target;
}

namespace {

std::atomic<int> g_maxWaitMs{1600};
std::atomic<int> g_startWaitMs{100};

std::string ErrnoText(int nErr) { return std::strerror(nErr); }

// One attempt: open and take the advisory lock that stands in for the
// Windows share mode. Answers the fd, or -1 with errno set.
int TryOpen(const std::string& szFileName, CTMyFileStream::Mode mode) {
    const bool bWrite = mode == CTMyFileStream::Mode::CreateExclusive;
    const int flags = bWrite ? (O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC) : (O_RDONLY | O_CLOEXEC);
    const int fd = ::open(szFileName.c_str(), flags, 0666);
    if (fd < 0) return -1;
    if (::flock(fd, (bWrite ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int nErr = errno;
        ::close(fd);
        errno = nErr;
        return -1;
    }
    return fd;
}

bool IsWorthRetrying(int nErr) {
    // A missing file or a refused permission will not go away by waiting.
    return nErr != ENOENT && nErr != EACCES && nErr != EISDIR && nErr != ENOTDIR && nErr != EROFS;
}

}  // namespace

CTMyFileStream::CTMyFileStream(const std::string& szFileName, Mode mode) : v_fileName(szFileName) {
    int w = g_startWaitMs.load();
    const int nMax = g_maxWaitMs.load();
    for (;;) {
        v_fd = TryOpen(szFileName, mode);
        if (v_fd >= 0) {
            g_startWaitMs.store(std::max(w, 1));
            return;
        }
        const int nErr = errno;
        if (!IsWorthRetrying(nErr) || w >= nMax) {
            throw CTStreamError("Cannot open file '" + szFileName + "': " + ErrnoText(nErr));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(w));
        w *= 2;
    }
}

CTMyFileStream::~CTMyFileStream() {
    if (v_fd >= 0) ::close(v_fd);
}

std::size_t CTMyFileStream::Read(void* pBuffer, std::size_t nCount) {
    auto* p = static_cast<char*>(pBuffer);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        const ssize_t n = ::read(v_fd, p + nDone, nCount - nDone);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw CTStreamError("Cannot read file '" + v_fileName + "': " + ErrnoText(errno));
        }
        nDone += static_cast<std::size_t>(n);
    }
    return nDone;
}

std::size_t CTMyFileStream::Write(const void* pBuffer, std::size_t nCount) {
    const auto* p = static_cast<const char*>(pBuffer);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        const ssize_t n = ::write(v_fd, p + nDone, nCount - nDone);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw CTStreamError("Cannot write file '" + v_fileName + "': " + ErrnoText(errno));
        }
        nDone += static_cast<std::size_t>(n);
    }
    return nDone;
}

std::int64_t CTMyFileStream::Seek(std::int64_t nOffset, SeekOrigin origin) {
    const int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    const off_t pos = ::lseek(v_fd, static_cast<off_t>(nOffset), whence);
    return pos < 0 ? -1 : static_cast<std::int64_t>(pos);
}

void CTMyFileStream::Sync() {
    if (::fsync(v_fd) != 0) throw CTStreamError("Cannot write file '" + v_fileName + "': " + ErrnoText(errno));
}

int CTMyFileStream::SetMaxWaitInterval(int n) {
    n = std::clamp(n, 100, 4000);
    g_startWaitMs.store(n / 16);
    return g_maxWaitMs.exchange(n);
}

CTAtomicFileStream::CTAtomicFileStream(std::string szTarget) try : v_writer(std::move(szTarget)) {
} catch (const platform::CTFileError& e) {
    throw CTStreamError(e.what());
}

std::size_t CTAtomicFileStream::Write(const void* pBuffer, std::size_t nCount) {
    try {
        v_writer.Write(pBuffer, nCount);
    } catch (const platform::CTFileError& e) {
        throw CTStreamError(e.what());
    }
    return nCount;
}

void CTAtomicFileStream::Commit() {
    try {
        v_writer.Commit();
    } catch (const platform::CTFileError& e) {
        throw CTStreamError(e.what());
    }
}

bool CTStreamIO::Refill() {
    v_consumedBefore += v_len;
    v_pos = 0;
    v_len = v_stream.Read(v_block.data(), v_block.size());
    return v_len > 0;
}

std::size_t CTStreamIO::ReadBytes(std::string& out, std::size_t n) {
    std::size_t nDone = 0;
    while (nDone < n) {
        if (v_pos >= v_len && !Refill()) break;
        const std::size_t take = std::min(n - nDone, v_len - v_pos);
        out.append(v_block.data() + v_pos, take);
        v_pos += take;
        nDone += take;
    }
    return nDone;
}

void CopyStream(CTStream& from, CTStream& to) {
    char block[CTStreamIO::BlockSize];
    for (;;) {
        const std::size_t n = from.Read(block, sizeof block);
        to.WriteAll(std::string_view(block, n));
        if (n < sizeof block) return;
    }
}

std::string ReadWholeStream(CTStream& stream) {
    std::string out;
    char block[CTStreamIO::BlockSize];
    for (;;) {
        const std::size_t n = stream.Read(block, sizeof block);
        out.append(block, n);
        if (n < sizeof block) return out;
    }
}

}  // namespace brumalis
