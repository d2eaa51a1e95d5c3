#include "online/upgrade_staging.h"

#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "online/auto_upgrade.h"
#include "platform/process.h"
#include "platform/temporary_names.h"

namespace brumalis::online {
namespace {

std::vector<char> Pattern(const std::string& szText) {
    std::vector<char> pattern(szText.begin(), szText.end());
    pattern.push_back('\0');
    return pattern;
}

// A new empty file "Upd…" in the folder, created exclusively.
std::string CreateUpdaterName(const std::string& szFolder) {
    std::vector<char> pattern = Pattern(szFolder + "/UpdXXXXXX");
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return {};
    ::close(fd);
    return pattern.data();
}

}  // namespace

bool RemoveFlatFolder(const std::string& szFolder) {
    const int dirFd = ::open(szFolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dirFd < 0) return false;
    DIR* pDir = ::fdopendir(dirFd);
    if (pDir == nullptr) {
        ::close(dirFd);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* pEntry = ::readdir(pDir)) {
        const std::string szName = pEntry->d_name;
        if (szName != "." && szName != "..") names.push_back(szName);
    }
    for (const std::string& szName : names) ::unlinkat(dirFd, szName.c_str(), 0);
    ::closedir(pDir);
    return ::rmdir(szFolder.c_str()) == 0;
}

bool StartUpdater(const THandOver& handOver) {
    const int nParentLife = platform::ParentLifeReadEnd();
    if (nParentLife < 0) return false;
    const platform::TSpawnRequest request{
        handOver.szUpdater,
        {handOver.szTitle, std::to_string(platform::InheritedDescriptor(0)), handOver.szNewProgram, handOver.szProgram},
        {nParentLife}};
    return platform::SpawnProcess(request).has_value();
}

std::unique_ptr<CTUpgradeStaging> CTUpgradeStaging::Create(const std::string& szBase,
                                                           const std::string& szProgramFileName) {
    if (szProgramFileName.empty() || szProgramFileName.find('/') != std::string::npos || szProgramFileName == "." ||
        szProgramFileName == "..")
        return nullptr;
    std::vector<char> pattern = Pattern((szBase.empty() ? platform::TemporaryFolder() : szBase) + "/brumalis-upgrade-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr) return nullptr;
    const std::string szFolder = pattern.data();
    const std::string szUpdater = CreateUpdaterName(szFolder);
    if (szUpdater.empty() || szProgramFileName == szUpdater.substr(szFolder.size() + 1)) {
        RemoveFlatFolder(szFolder);
        return nullptr;
    }
    return std::unique_ptr<CTUpgradeStaging>(new CTUpgradeStaging(szFolder, szUpdater, szFolder + '/' + szProgramFileName));
}

CTUpgradeStaging::CTUpgradeStaging(std::string szFolder, std::string szUpdater, std::string szProgram)
    : v_folder(std::move(szFolder)), v_updater(std::move(szUpdater)), v_program(std::move(szProgram)) {}

CTUpgradeStaging::~CTUpgradeStaging() {
    if (!v_bKeep) Remove();
}

bool CTUpgradeStaging::MakeUpdaterExecutable() const {
    const int fd = ::open(v_updater.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    const bool bOk = ::fchmod(fd, 0500) == 0;
    ::close(fd);
    return bOk;
}

void CTUpgradeStaging::Remove() {
    if (!v_folder.empty()) RemoveFlatFolder(v_folder);
    v_folder.clear();
}

}  // namespace brumalis::online
