#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/path_text.h"

namespace brumalis::platform {

namespace {

// The mode a newly created file would get, or the target's own when it exists.
mode_t ModeFor(const std::string& szTarget) {
    struct stat st {};
    if (::stat(szTarget.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::string& szFolder) {
    const int fd = ::open(szFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: some file systems refuse to sync a folder
    ::close(fd);
}

}  // namespace

CTAtomicFileWriter::CTAtomicFileWriter(std::string szTarget) : v_target(std::move(szTarget)) {
    std::string pattern = v_target + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    v_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (v_fd < 0) throw CTFileError("Cannot create file '" + v_target + "': " + std::strerror(errno));
    v_temp = name.data();
    ::fchmod(v_fd, ModeFor(v_target));
}

CTAtomicFileWriter::~CTAtomicFileWriter() {
    if (v_fd >= 0) ::close(v_fd);
    if (!v_committed && !v_temp.empty()) ::unlink(v_temp.c_str());
}

void CTAtomicFileWriter::Fail(const std::string& szWhat) {
    throw CTFileError(szWhat + " '" + v_target + "': " + std::strerror(errno));
}

void CTAtomicFileWriter::Write(const void* pBuffer, std::size_t nCount) {
    if (v_fd < 0) throw CTFileError("File '" + v_target + "' is already closed");
    const auto* p = static_cast<const char*>(pBuffer);
    while (nCount > 0) {
        const ssize_t n = ::write(v_fd, p, nCount);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail("Cannot write file");
        }
        p += n;
        nCount -= static_cast<std::size_t>(n);
    }
}

void CTAtomicFileWriter::Commit() {
    if (v_fd < 0) throw CTFileError("File '" + v_target + "' is already closed");
    if (::fsync(v_fd) != 0) Fail("Cannot write file");
    const int fd = v_fd;
    v_fd = -1;
    if (::close(fd) != 0) Fail("Cannot write file");
    if (::rename(v_temp.c_str(), v_target.c_str()) != 0) Fail("Cannot replace file");
    v_committed = true;
    SyncFolder(FolderOfPath(v_target));
}

}  // namespace brumalis::platform
