#include "platform/process.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brumalis::platform {

struct CTChildProcess::TState {
    pid_t pid = 0;
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<int> status;
};

CTChildProcess::CTChildProcess(std::shared_ptr<TState> pState) : v_pState(std::move(pState)) {}

pid_t CTChildProcess::Pid() const { return v_pState->pid; }

std::optional<int> CTChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(v_pState->mutex);
    v_pState->ended.wait_for(lock, timeout, [this] { return v_pState->status.has_value(); });
    return v_pState->status;
}

namespace {

// Owns the spawn attributes and file actions for the length of one spawn.
class CTSpawnSetup {
public:
    CTSpawnSetup() {
        ::posix_spawn_file_actions_init(&v_actions);
        ::posix_spawnattr_init(&v_attributes);
    }
    ~CTSpawnSetup() {
        ::posix_spawnattr_destroy(&v_attributes);
        ::posix_spawn_file_actions_destroy(&v_actions);
        for (const int fd : v_sources) ::close(fd);
    }
    CTSpawnSetup(const CTSpawnSetup&) = delete;
    CTSpawnSetup& operator=(const CTSpawnSetup&) = delete;

    // The inherited descriptors go to 3, 4, …; copies above that range are
    // their sources, so that no move overwrites a descriptor still to move.
    bool PlaceInherited(const std::vector<int>& inherited) {
        const int nFirstFree = InheritedDescriptor(inherited.size());
        for (std::size_t k = 0; k < inherited.size(); ++k) {
            const int source = ::fcntl(inherited[k], F_DUPFD_CLOEXEC, nFirstFree);
            if (source < 0) return false;
            v_sources.push_back(source);
            if (::posix_spawn_file_actions_adddup2(&v_actions, source, InheritedDescriptor(k)) != 0) return false;
        }
        return ::posix_spawn_file_actions_addclosefrom_np(&v_actions, nFirstFree) == 0;
    }

    bool Silence() {
        return ::posix_spawn_file_actions_addopen(&v_actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
               ::posix_spawn_file_actions_adddup2(&v_actions, 1, 2) == 0;
    }

    // A child starts with no blocked signals and SIGPIPE at its default,
    // whatever this process has set up for itself.
    bool ResetSignals() {
        sigset_t none;
        sigset_t pipe;
        sigemptyset(&none);
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        return ::posix_spawnattr_setsigmask(&v_attributes, &none) == 0 &&
               ::posix_spawnattr_setsigdefault(&v_attributes, &pipe) == 0 &&
               ::posix_spawnattr_setflags(&v_attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }

    const posix_spawn_file_actions_t* Actions() const { return &v_actions; }
    const posix_spawnattr_t* Attributes() const { return &v_attributes; }

private:
    posix_spawn_file_actions_t v_actions;
    posix_spawnattr_t v_attributes;
    std::vector<int> v_sources;
};

void ReapInBackground(const std::shared_ptr<CTChildProcess::TState>& pState) {
    auto reap = [pState] {
        int status = 0;
        while (::waitpid(pState->pid, &status, 0) < 0 && errno == EINTR) {
        }
        const std::lock_guard lock(pState->mutex);
        pState->status = status;
        pState->ended.notify_all();
    };
    try {
        std::thread(reap).detach();
    } catch (const std::system_error&) {
        // No thread to spare: wait here rather than leave a zombie behind.
        reap();
    }
}

}  // namespace

std::optional<CTChildProcess> SpawnProcess(const TSpawnRequest& request) {
    if (request.szProgram.empty()) return std::nullopt;
    CTSpawnSetup setup;
    if (!setup.PlaceInherited(request.inherited) || !setup.ResetSignals() ||
        (request.bSilent && !setup.Silence())) {
        return std::nullopt;
    }

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(request.szProgram.c_str()));
    for (const std::string& argument : request.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const bool bSearchPath = request.szProgram.find('/') == std::string::npos;
    auto pState = std::make_shared<CTChildProcess::TState>();
    const int error = bSearchPath ? ::posix_spawnp(&pState->pid, argv[0], setup.Actions(), setup.Attributes(),
                                                   argv.data(), environ)
                                  : ::posix_spawn(&pState->pid, argv[0], setup.Actions(), setup.Attributes(),
                                                  argv.data(), environ);
    if (error != 0) return std::nullopt;
    ReapInBackground(pState);
    return CTChildProcess(pState);
}

int ParentLifeReadEnd() {
    // Deliberately never closed: the write end's life is this process's life.
    static const int readEnd = [] {
        int ends[2];
        return ::pipe2(ends, O_CLOEXEC) == 0 ? ends[0] : -1;
    }();
    return readEnd;
}

bool WaitForParentEnd(int nFd, std::chrono::milliseconds timeout) {
    struct stat st {};
    if (nFd < 0 || ::fstat(nFd, &st) != 0 || !S_ISFIFO(st.st_mode)) return false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd watch{nFd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, static_cast<int>(std::min<long long>(left.count(), 60000)));
        if (ready < 0 && errno != EINTR) return false;
        if (ready <= 0) continue;
        char discard[256];
        const ssize_t n = ::read(nFd, discard, sizeof discard);
        if (n == 0) return true;
        if (n < 0 && errno != EINTR && errno != EAGAIN) return false;
    }
}

}  // namespace brumalis::platform
