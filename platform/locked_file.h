// A file held under an exclusive advisory lock while a command reads it,
// changes what it holds and saves it atomically (temporary file, rename):
// the lock sits on the file that was read, so a second command waiting for
// it wakes after the rename, sees that the name now stands for the new file
// and locks that one instead. Two commands changing one file one after the
// other therefore never lose either change.
#pragma once

#include <string>

#include "platform/atomic_file.h"

namespace brumalis::platform {

class CTLockedFile {
public:
    enum class Mode { OpenExisting, CreateNew };

    // Waits for the lock. OpenExisting raises CTFileError for a missing or
    // unreadable file or a folder; CreateNew for a name that exists (an
    // empty file is created in its place, removed again by Discard).
    CTLockedFile(std::string szFileName, Mode mode);
    ~CTLockedFile();
    CTLockedFile(const CTLockedFile&) = delete;
    CTLockedFile& operator=(const CTLockedFile&) = delete;

    // The whole content as it was when the lock was taken.
    std::string ReadAll();
    // A new file that was never written is removed (when the name still stands for it).
    void Discard();
    const std::string& FileName() const { return v_fileName; }

private:
    bool LockedFileIsNamed() const;

    std::string v_fileName;
    int v_fd = -1;
};

}  // namespace brumalis::platform
