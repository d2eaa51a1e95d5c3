// brumalis-updater: replaces the program file with a downloaded build once
// the program has ended, and starts the program again. Published on the web
// service as "Updater.exe"; the upgrade starts it as
//
//   U T H N E    (U this file, T the application title, H the descriptor of
//                 the program's parent-life pipe, N the new program file,
//                 E the program file to replace)
//
// Whatever fails, E is left as it was and started again, so that the user
// is never left without the program. Exit status: 0 replaced, 1 failed,
// 2 called with other arguments.
#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "platform/instance_lock.h"
#include "platform/path_text.h"
#include "platform/process.h"

namespace {

using namespace brumalis::platform;

constexpr std::string_view kInstanceName = "Brumalis";
constexpr std::string_view kStagingPrefix = "brumalis-upgrade-";
constexpr auto kLockWait = std::chrono::seconds(10);
// The program may still show its last hint: the pipe is read without limit.
constexpr auto kNoLimit = std::chrono::hours(24 * 365 * 10);

struct TArguments {
    std::string szUpdater, szTitle, szPipe, szNew, szProgram;
};

class CTUpdateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

int PipeDescriptor(const std::string& szText) {
    char* pEnd = nullptr;
    errno = 0;
    const long n = std::strtol(szText.c_str(), &pEnd, 10);
    if (szText.empty() || *pEnd != '\0' || errno != 0 || n < 0 || n > 65535)
        throw CTUpdateError("'" + szText + "' is not a descriptor");
    return static_cast<int>(n);
}

std::string SystemError(const std::string& szWhat) { return szWhat + ": " + std::strerror(errno); }

// The new program's bytes, from a regular file (never through a link).
std::string ReadNewProgram(const std::string& szNew) {
    const int fd = ::open(szNew.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) throw CTUpdateError(SystemError("cannot open " + szNew));
    struct stat st {};
    std::string bytes;
    bool bOk = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
    if (bOk) bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t nDone = 0;
    while (bOk && nDone < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + nDone, bytes.size() - nDone);
        if (n < 0 && errno == EINTR) continue;
        bOk = n > 0;
        if (bOk) nDone += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (!bOk) throw CTUpdateError("cannot read " + szNew + " as a non-empty file");
    return bytes;
}

void Replace(const TArguments& args) {
    if (!WaitForParentEnd(PipeDescriptor(args.szPipe), kNoLimit))
        throw CTUpdateError("descriptor " + args.szPipe + " is not the program's pipe");
    CTInstanceGuard lock = WaitForGlobalMutex(kInstanceName, kLockWait);
    if (lock.State() == TInstanceState::HeldElsewhere)
        throw CTUpdateError("the program is still running after " + std::to_string(kLockWait.count()) + " s");
    const std::string bytes = ReadNewProgram(args.szNew);
    try {
        // Keeps the program file's mode; the old file stays until the new
        // one is complete on disk.
        CTAtomicFileWriter writer(args.szProgram);
        writer.Write(bytes.data(), bytes.size());
        writer.Commit();
    } catch (const CTFileError& e) {
        throw CTUpdateError(e.what());
    }
    // The program takes the lock itself when it starts.
    lock.Release();
}

// The staging folder, with the two files the upgrade put there; nothing
// else is touched.
void RemoveStaging(const TArguments& args) {
    const std::string szFolder = FolderOfPath(args.szUpdater);
    const std::string szName = szFolder.substr(szFolder.rfind('/') + 1);
    if (FolderOfPath(args.szNew) != szFolder || szName.rfind(kStagingPrefix, 0) != 0) return;
    ::unlink(args.szNew.c_str());
    ::unlink(args.szUpdater.c_str());
    ::rmdir(szFolder.c_str());
}

bool StartProgram(const TArguments& args) { return SpawnProcess({args.szProgram, {}, {}}).has_value(); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "brumalis-updater: started by the program's upgrade only (UPDATER TITLE PIPE NEW PROGRAM)\n";
        return 2;
    }
    const TArguments args{argv[0], argv[1], argv[2], argv[3], argv[4]};
    int nStatus = 0;
    try {
        Replace(args);
        RemoveStaging(args);
    } catch (const std::exception& e) {
        std::cerr << args.szTitle << ": the upgrade failed, " << args.szProgram << " is unchanged: " << e.what()
                  << '\n';
        nStatus = 1;
    }
    if (!StartProgram(args)) {
        std::cerr << args.szTitle << ": cannot start " << args.szProgram << '\n';
        return 1;
    }
    return nStatus;
}
