// Child processes, and the pipe through which a child learns that the
// process that started it has ended.
//
// A child is started with posix_spawn: it keeps only descriptors 0-2 and the
// ones named in the request, so nothing this process holds (lock files,
// sockets, the write end of its parent-life pipe) leaks into it. "Started"
// means that the program was executed; a detached waiter reaps every child,
// so none is left a zombie whether or not anybody waits for it.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace brumalis::platform {

struct TSpawnRequest {
    // An absolute path, or a bare name looked up in PATH.
    std::string szProgram;
    // argv[1] onwards; argv[0] is szProgram.
    std::vector<std::string> arguments;
    // Descriptors of this process the child inherits; the k-th (from 0)
    // becomes the child's descriptor InheritedDescriptor(k).
    std::vector<int> inherited;
    // Output and errors go to /dev/null instead of this process's.
    bool bSilent = false;
};

// The child's number of the k-th inherited descriptor.
constexpr int InheritedDescriptor(std::size_t k) { return 3 + static_cast<int>(k); }

// A started child. Copies share the same child.
class CTChildProcess {
public:
    // What the child's waiter fills in; opaque to users.
    struct TState;

    pid_t Pid() const;
    // The child's status as waitpid reports it, once it has ended within the
    // timeout; nullopt while it still runs.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout) const;

private:
    explicit CTChildProcess(std::shared_ptr<TState> pState);
    friend std::optional<CTChildProcess> SpawnProcess(const TSpawnRequest& request);

    std::shared_ptr<TState> v_pState;
};

// Starts the child with this process's environment and working folder;
// nullopt when it could not be executed (missing, not executable, a noexec
// file system, an inherited descriptor that is not open).
std::optional<CTChildProcess> SpawnProcess(const TSpawnRequest& request);

// The read end of this process's parent-life pipe, made on first use; -1 when
// no pipe can be made. The write end stays open, close-on-exec and never
// handed on, until this process ends, crash included; a child that inherits
// the read end therefore reads end-of-file exactly when this process is gone.
// It stands for the inheritable process handle of the Windows build. The read
// end is close-on-exec here too: pass it in TSpawnRequest::inherited.
int ParentLifeReadEnd();

// In the child: waits until the writers of the pipe nFd have all gone (its
// parent has ended). True on end-of-file; false on timeout, or when nFd is
// not a pipe. Bytes that arrive meanwhile are read and ignored.
bool WaitForParentEnd(int nFd, std::chrono::milliseconds timeout);

}  // namespace brumalis::platform
