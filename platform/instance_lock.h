// The user's runtime folder and the single-instance lock in it (the Windows
// build's global mutex). The lock is a non-blocking flock on
// "<runtime folder>/<name>.lock": the kernel drops it when the holder ends,
// however it ends, so a crashed program never blocks the next start. It is
// per user: another user's copy of the program does not count.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace brumalis::platform {

// $XDG_RUNTIME_DIR when it is an absolute path to a folder (not a link) of
// this user with mode 0700; otherwise "/tmp/brumalis-<uid>", created with
// mode 0700 when missing. "" when the fallback is refused: a link, not a
// folder, another user's, or open to others.
std::string RuntimeFolder();

// RuntimeFolder() with its inputs given: the value of XDG_RUNTIME_DIR
// (nullptr: unset), the folder that holds the fallback, and the user.
std::string RuntimeFolderFor(const char* szXdgRuntimeDir, const std::string& szFallbackParent, uid_t nUser);

enum class TInstanceState {
    Owned,          // this guard holds the lock
    HeldElsewhere,  // another process (or guard) holds it: ERROR_ALREADY_EXISTS
    Unavailable,    // no lock file could be made: no guard, but no refusal either
};

// Holds the lock, when it got it, until it is destroyed. Move-only.
class CTInstanceGuard {
public:
    CTInstanceGuard() = default;
    ~CTInstanceGuard();
    CTInstanceGuard(CTInstanceGuard&& other) noexcept;
    CTInstanceGuard& operator=(CTInstanceGuard&& other) noexcept;
    CTInstanceGuard(const CTInstanceGuard&) = delete;
    CTInstanceGuard& operator=(const CTInstanceGuard&) = delete;

    TInstanceState State() const { return v_state; }
    // True when another process holds the lock, the case the program ends on.
    bool AlreadyExists() const { return v_state == TInstanceState::HeldElsewhere; }
    // Lets the lock go now.
    void Release();

private:
    friend CTInstanceGuard TryInstanceLock(const std::string& szLockFile);
    CTInstanceGuard(int nFd, TInstanceState state) : v_fd(nFd), v_state(state) {}

    int v_fd = -1;
    TInstanceState v_state = TInstanceState::Unavailable;
};

// One attempt at the lock file itself (close-on-exec, mode 0600).
CTInstanceGuard TryInstanceLock(const std::string& szLockFile);

// "<runtime folder>/<szName>.lock"; "" when there is no runtime folder or
// the name is empty or holds "/".
std::string InstanceLockFile(std::string_view szName);

// One attempt at the lock named szName ("Brumalis").
CTInstanceGuard CreateGlobalMutex(std::string_view szName);

// Tries until the lock named szName is free, at most for the timeout: Owned
// once it is taken (release it before starting the program that must take
// it), HeldElsewhere when the timeout passed, Unavailable at once when no
// lock file can be made. For the updater, which waits for the program to end.
CTInstanceGuard WaitForGlobalMutex(std::string_view szName, std::chrono::milliseconds timeout);

}  // namespace brumalis::platform
