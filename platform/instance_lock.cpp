#include "platform/instance_lock.h"

#include <cerrno>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brumalis::platform {

namespace {

// A folder only this user can enter: not a link, owned by nUser, mode 0700.
bool IsPrivateFolder(const std::string& szFolder, uid_t nUser) {
    struct stat st {};
    return ::lstat(szFolder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == nUser &&
           (st.st_mode & 0777) == 0700;
}

}  // namespace

std::string RuntimeFolderFor(const char* szXdgRuntimeDir, const std::string& szFallbackParent, uid_t nUser) {
    if (szXdgRuntimeDir && szXdgRuntimeDir[0] == '/' && IsPrivateFolder(szXdgRuntimeDir, nUser)) {
        return szXdgRuntimeDir;
    }
    const std::string fallback = szFallbackParent + "/brumalis-" + std::to_string(nUser);
    // mkdir never follows a link at the last component: an existing link
    // makes it fail with EEXIST, and lstat then refuses it.
    if (::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) return {};
    return IsPrivateFolder(fallback, nUser) ? fallback : std::string();
}

std::string RuntimeFolder() { return RuntimeFolderFor(std::getenv("XDG_RUNTIME_DIR"), "/tmp", ::geteuid()); }

CTInstanceGuard::~CTInstanceGuard() { Release(); }

CTInstanceGuard::CTInstanceGuard(CTInstanceGuard&& other) noexcept : v_fd(other.v_fd), v_state(other.v_state) {
    other.v_fd = -1;
    other.v_state = TInstanceState::Unavailable;
}

CTInstanceGuard& CTInstanceGuard::operator=(CTInstanceGuard&& other) noexcept {
    if (this != &other) {
        Release();
        v_fd = other.v_fd;
        v_state = other.v_state;
        other.v_fd = -1;
        other.v_state = TInstanceState::Unavailable;
    }
    return *this;
}

void CTInstanceGuard::Release() {
    if (v_fd >= 0) ::close(v_fd);  // closing the only descriptor drops the flock
    v_fd = -1;
    v_state = TInstanceState::Unavailable;
}

CTInstanceGuard TryInstanceLock(const std::string& szLockFile) {
    if (szLockFile.empty()) return {};
    const int fd = ::open(szLockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return {};
    int result;
    while ((result = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (result == 0) return CTInstanceGuard(fd, TInstanceState::Owned);
    const bool bHeld = errno == EWOULDBLOCK;
    ::close(fd);
    return bHeld ? CTInstanceGuard(-1, TInstanceState::HeldElsewhere) : CTInstanceGuard();
}

std::string InstanceLockFile(std::string_view szName) {
    if (szName.empty() || szName.find('/') != std::string_view::npos || szName.find('\0') != std::string_view::npos) {
        return {};
    }
    const std::string folder = RuntimeFolder();
    return folder.empty() ? std::string() : folder + "/" + std::string(szName) + ".lock";
}

CTInstanceGuard CreateGlobalMutex(std::string_view szName) { return TryInstanceLock(InstanceLockFile(szName)); }

CTInstanceGuard WaitForGlobalMutex(std::string_view szName, std::chrono::milliseconds timeout) {
    const std::string lockFile = InstanceLockFile(szName);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        CTInstanceGuard guard = TryInstanceLock(lockFile);
        if (!guard.AlreadyExists() || std::chrono::steady_clock::now() >= deadline) return guard;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace brumalis::platform
