// A child for the process and lock tests:
//   list-fds OUT          writes its open descriptors to OUT, waits (at most
//                         20 s) for end-of-file on descriptor 3, and then
//                         makes OUT.ended
//   spawn-and-die OUT     starts "list-fds OUT" on its parent-life pipe and
//                         kills itself
//   hold-lock NAME OUT    takes the instance lock NAME, writes its state to
//                         OUT, then sleeps
//   exit CODE             ends with that code
//   uninstall -           deletes its own file as an uninstall run does
// Started as the deletion copy, it does the copy's work.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/instance_lock.h"
#include "platform/process.h"
#include "platform/self_deletion.h"

namespace {

int ListDescriptors(const std::string& szOut) {
    std::string listing;
    // The iterator's own descriptor shows up too; the reader knows it.
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        listing += entry.path().filename().string() + "\n";
    }
    const std::string temp = szOut + ".part";
    std::ofstream(temp) << listing;
    std::filesystem::rename(temp, szOut);
    if (!brumalis::platform::WaitForParentEnd(3, std::chrono::seconds(20))) return 3;
    std::ofstream(szOut + ".ended") << "ended\n";
    return 0;
}

int SpawnAndDie(const char* szSelf, const std::string& szOut) {
    const int readEnd = brumalis::platform::ParentLifeReadEnd();
    if (!brumalis::platform::SpawnProcess({szSelf, {"list-fds", szOut}, {readEnd}})) return 4;
    std::raise(SIGKILL);
    return 5;
}

int HoldLock(const std::string& szName, const std::string& szOut) {
    const brumalis::platform::CTInstanceGuard guard = brumalis::platform::CreateGlobalMutex(szName);
    const std::string temp = szOut + ".part";
    std::ofstream(temp) << static_cast<int>(guard.State());
    std::filesystem::rename(temp, szOut);
    std::this_thread::sleep_for(std::chrono::seconds(30));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const brumalis::platform::TParameters params(argv + 1, argv + argc);
    if (brumalis::platform::IsRunningClone(params)) return brumalis::platform::DeleteExecutable(false, params) ? 0 : 1;
    if (argc < 3) return 2;
    const std::string mode = argv[1];
    if (mode == "uninstall") return brumalis::platform::DeleteExecutable(true, {"/uninstall"}) ? 0 : 1;
    if (mode == "list-fds") return ListDescriptors(argv[2]);
    if (mode == "spawn-and-die") return SpawnAndDie(argv[0], argv[2]);
    if (mode == "hold-lock" && argc == 4) return HoldLock(argv[2], argv[3]);
    if (mode == "exit") return std::atoi(argv[2]);
    return 2;
}
