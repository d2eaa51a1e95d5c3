// The private folder a download is staged in: made by mkdtemp (mode 0700)
// in $TMPDIR or /tmp, so that no other user can plant or read a file there.
// It holds the updater under an "Upd" name and the new program under the
// running program's file name; it is removed with everything in it unless
// kept (the verified files of a failed start stay, for the user to see).
#pragma once

#include <memory>
#include <string>

namespace brumalis::online {

class CTUpgradeStaging {
public:
    // Nothing when the folder cannot be made. szBase empty: the temporary
    // folder ($TMPDIR when it names an absolute path, else /tmp).
    static std::unique_ptr<CTUpgradeStaging> Create(const std::string& szBase, const std::string& szProgramFileName);
    ~CTUpgradeStaging();
    CTUpgradeStaging(const CTUpgradeStaging&) = delete;
    CTUpgradeStaging& operator=(const CTUpgradeStaging&) = delete;

    const std::string& Folder() const { return v_folder; }
    const std::string& UpdaterFile() const { return v_updater; }
    const std::string& ProgramFile() const { return v_program; }

    // Lets the updater run: owner may read and execute, nobody else.
    bool MakeUpdaterExecutable() const;
    // The folder stays when this object ends.
    void Keep() { v_bKeep = true; }
    // Removes the folder and its files now.
    void Remove();

private:
    CTUpgradeStaging(std::string szFolder, std::string szUpdater, std::string szProgram);

    std::string v_folder;
    std::string v_updater;
    std::string v_program;
    bool v_bKeep = false;
};

struct THandOver;
// Starts the updater as U with the arguments T, H, N and E, where H is the
// number of its inherited descriptor of this process's parent-life pipe:
// the updater reads it to its end, which comes when this process has ended.
// True once the updater has been executed.
bool StartUpdater(const THandOver& handOver);

// Removes the files of a folder (not its subfolders) and then the folder.
bool RemoveFlatFolder(const std::string& szFolder);

}  // namespace brumalis::online
