#include "platform/self_deletion.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/instance_lock.h"
#include "platform/path_text.h"
#include "platform/process.h"
#include "platform/program_path.h"
#include "platform/settings_store.h"
#include "platform/temporary_names.h"

namespace brumalis::platform {

namespace {

using namespace std::chrono_literals;

constexpr auto SignalWait = 20s;
constexpr auto ParentWait = 20s;
constexpr auto RetryDelay = 5s;
constexpr std::string_view PidMarker = "PID:";
constexpr std::string_view ExeMarker = "EXE:\"";

struct TCloneLine {
    int nParentFd = -1;
    std::string szTarget;
};

std::optional<int> Descriptor(std::string_view szDigits) {
    if (szDigits.empty() || szDigits.size() > 9) return std::nullopt;
    int n = 0;
    for (const char c : szDigits) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::optional<TCloneLine> ParseCloneLine(const TParameters& params) {
    if (params.size() != 2 || !params[0].starts_with(PidMarker) || !params[1].starts_with(ExeMarker)) {
        return std::nullopt;
    }
    const std::optional<int> fd = Descriptor(std::string_view(params[0]).substr(PidMarker.size()));
    const std::string& exe = params[1];
    if (!fd || exe.size() < ExeMarker.size() + 2 || exe.back() != '"') return std::nullopt;
    std::string target = exe.substr(ExeMarker.size(), exe.size() - ExeMarker.size() - 1);
    if (target.front() != '/' || HasControlCharacter(target)) return std::nullopt;
    return TCloneLine{*fd, std::move(target)};
}

bool IsPipe(int nFd) {
    struct stat st {};
    return ::fstat(nFd, &st) == 0 && S_ISFIFO(st.st_mode);
}

std::string EventPath() {
    const std::string folder = RuntimeFolder();
    return folder.empty() ? std::string() : folder + "/" + std::string(DeleteEventName);
}

// The uninstalling side of the event: a fresh FIFO, open for reading, removed
// again when the wait is over.
class CTDeleteEvent {
public:
    CTDeleteEvent() : v_path(EventPath()) {
        if (v_path.empty()) return;
        ::unlink(v_path.c_str());
        if (::mkfifo(v_path.c_str(), 0600) != 0) return;
        // Non-blocking, so that opening does not wait for the copy.
        v_fd = ::open(v_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    }
    ~CTDeleteEvent() {
        if (v_fd >= 0) ::close(v_fd);
        if (!v_path.empty()) ::unlink(v_path.c_str());
    }
    CTDeleteEvent(const CTDeleteEvent&) = delete;
    CTDeleteEvent& operator=(const CTDeleteEvent&) = delete;

    bool IsOpen() const { return v_fd >= 0; }

    // True once the copy has written its signal.
    bool Wait(std::chrono::milliseconds timeout) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd watch{v_fd, POLLIN, 0};
            const int ready = ::poll(&watch, 1, static_cast<int>(left.count()));
            if (ready < 0 && errno != EINTR) return false;
            if (ready <= 0) continue;
            char signal = 0;
            const ssize_t n = ::read(v_fd, &signal, 1);
            if (n == 1) return true;
            if (n == 0) return false;  // a writer came and went without a signal
        }
    }

    // The copy's side: one byte into the FIFO, when somebody waits on it.
    static void Signal() {
        const std::string path = EventPath();
        if (path.empty()) return;
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return;
        if (IsPipe(fd)) {
            const char signal = 1;
            [[maybe_unused]] const ssize_t n = ::write(fd, &signal, 1);
        }
        ::close(fd);
    }

private:
    std::string v_path;
    int v_fd = -1;
};

bool WriteAll(int nFd, const char* pData, std::size_t nCount) {
    while (nCount > 0) {
        const ssize_t n = ::write(nFd, pData, nCount);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        pData += n;
        nCount -= static_cast<std::size_t>(n);
    }
    return true;
}

// The program file into the temporary file szCopy, made executable.
bool CopyProgram(const std::string& szProgram, const std::string& szCopy) {
    const int source = ::open(szProgram.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) return false;
    const int target = ::open(szCopy.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
    bool bDone = target >= 0;
    char buffer[65536];
    while (bDone) {
        const ssize_t n = ::read(source, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            bDone = n == 0;
            break;
        }
        bDone = WriteAll(target, buffer, static_cast<std::size_t>(n));
    }
    bDone = bDone && ::fchmod(target, 0700) == 0;
    if (target >= 0 && ::close(target) != 0) bDone = false;
    ::close(source);
    return bDone;
}

bool RemoveFile(const std::string& szPath) { return ::unlink(szPath.c_str()) == 0 || errno == ENOENT; }

// Starts the copy and waits for its signal; false when it did not start or
// never signalled.
bool HandOverToCopy(const std::string& szProgram, const std::string& szCopy) {
    const CTDeleteEvent event;
    const int parentLife = ParentLifeReadEnd();
    if (!event.IsOpen() || parentLife < 0) return false;
    const TSpawnRequest request{szCopy,
                                {std::string(PidMarker) + std::to_string(InheritedDescriptor(0)),
                                 std::string(ExeMarker) + szProgram + "\""},
                                {parentLife}};
    return SpawnProcess(request) && event.Wait(SignalWait);
}

bool InitiateDeletion() {
    const std::string program = ProgramPath();
    if (program.empty()) return false;
    const std::string copy = GetTemporaryFileName(DeletionCopyPrefix);
    if (!copy.empty() && CopyProgram(program, copy) && HandOverToCopy(program, copy)) return true;
    // Linux lets a running program's file go; the copy only keeps the
    // contract with the Windows build.
    if (!copy.empty()) RemoveFile(copy);
    return RemoveFile(program);
}

// A copy this machinery made: a "Del…" file right in the temporary folder.
bool IsDeletionCopy(const std::string& szPath) {
    char folder[PATH_MAX];
    const std::string name = szPath.substr(szPath.rfind('/') + 1);
    return ::realpath(TemporaryFolder().c_str(), folder) && FolderOfPath(szPath) == folder &&
           name.starts_with(DeletionCopyPrefix);
}

// True when szPath is a regular file with exactly the bytes behind nImage.
bool SameBytes(int nImage, const std::string& szPath) {
    const int fd = ::open(szPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat image {};
    struct stat file {};
    bool bSame = ::fstat(nImage, &image) == 0 && ::fstat(fd, &file) == 0 && S_ISREG(file.st_mode) &&
                 image.st_size == file.st_size;
    char a[65536];
    char b[sizeof a];
    for (off_t offset = 0; bSame && offset < image.st_size;) {
        const ssize_t n = ::pread(nImage, a, sizeof a, offset);
        bSame = n > 0 && ::pread(fd, b, static_cast<std::size_t>(n), offset) == n &&
                std::equal(a, a + n, b);
        offset += n;
    }
    ::close(fd);
    return bSame;
}

bool DeleteTargetIfSame(int nImage, const std::string& szTarget) {
    if (!SameBytes(nImage, szTarget)) return false;
    if (::unlink(szTarget.c_str()) == 0) return true;
    std::this_thread::sleep_for(RetryDelay);
    return SameBytes(nImage, szTarget) && ::unlink(szTarget.c_str()) == 0;
}

void RunAsCopy(const TCloneLine& line) {
    CTDeleteEvent::Signal();
    const std::string own = ProgramPath();
    // The image stays readable through this descriptor after the unlink.
    const int image = ::open(own.c_str(), O_RDONLY | O_CLOEXEC);
    if (IsDeletionCopy(own)) ::unlink(own.c_str());
    // A descriptor that is no pipe was never handed on by an uninstall run.
    if (image >= 0 && IsPipe(line.nParentFd)) {
        WaitForParentEnd(line.nParentFd, ParentWait);
        DeleteTargetIfSame(image, line.szTarget);
    }
    if (image >= 0) ::close(image);
}

}  // namespace

bool IsRunningUninstall(const TParameters& params) {
    return params.size() == 1 && EqualsIgnoringCase(params[0], "/uninstall");
}

bool IsRunningClone(const TParameters& params) { return ParseCloneLine(params).has_value(); }

bool DeleteExecutable(bool bInitiate, const TParameters& params) {
    if (const std::optional<TCloneLine> line = ParseCloneLine(params)) {
        RunAsCopy(*line);
        return true;
    }
    return bInitiate && IsRunningUninstall(params) && InitiateDeletion();
}

}  // namespace brumalis::platform
