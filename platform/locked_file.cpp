#include "platform/locked_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brumalis::platform {
namespace {

[[noreturn]] void Fail(const std::string& szFileName, const char* szWhat, int nErr) {
    throw CTFileError("Cannot " + std::string(szWhat) + " file '" + szFileName + "': " + std::strerror(nErr));
}

}  // namespace

CTLockedFile::CTLockedFile(std::string szFileName, Mode mode) : v_fileName(std::move(szFileName)) {
    const int flags = mode == Mode::CreateNew ? (O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC) : (O_RDONLY | O_CLOEXEC);
    for (;;) {
        v_fd = ::open(v_fileName.c_str(), flags, 0666);
        if (v_fd < 0) Fail(v_fileName, mode == Mode::CreateNew ? "create" : "open", errno);
        struct stat st {};
        if (::fstat(v_fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(v_fd);
            v_fd = -1;
            Fail(v_fileName, "open", EISDIR);
        }
        int rc = 0;
        while ((rc = ::flock(v_fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (rc != 0) {
            const int nErr = errno;
            ::close(v_fd);
            v_fd = -1;
            Fail(v_fileName, "lock", nErr);
        }
        // Replaced while we waited: lock the file the name stands for now.
        if (LockedFileIsNamed()) return;
        ::close(v_fd);
        v_fd = -1;
        if (mode == Mode::CreateNew) Fail(v_fileName, "create", EEXIST);
    }
}

CTLockedFile::~CTLockedFile() {
    if (v_fd >= 0) ::close(v_fd);
}

bool CTLockedFile::LockedFileIsNamed() const {
    struct stat locked {}, named {};
    return ::fstat(v_fd, &locked) == 0 && ::stat(v_fileName.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
           locked.st_ino == named.st_ino;
}

std::string CTLockedFile::ReadAll() {
    std::string bytes;
    char block[16384];
    if (::lseek(v_fd, 0, SEEK_SET) < 0) Fail(v_fileName, "read", errno);
    for (;;) {
        const ssize_t n = ::read(v_fd, block, sizeof block);
        if (n == 0) return bytes;
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(v_fileName, "read", errno);
        }
        bytes.append(block, static_cast<std::size_t>(n));
    }
}

void CTLockedFile::Discard() {
    if (v_fd >= 0 && LockedFileIsNamed()) ::unlink(v_fileName.c_str());
}

}  // namespace brumalis::platform
