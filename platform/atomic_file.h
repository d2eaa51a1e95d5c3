// Saving a file so that a crash or a failed write never destroys the user's
// previous file: the content goes to a temporary file in the same folder,
// is flushed to the disk, and only then replaces the target by a rename.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace brumalis::platform {

class CTFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CTAtomicFileWriter {
public:
    // Creates the temporary file next to szTarget; raises CTFileError.
    explicit CTAtomicFileWriter(std::string szTarget);
    // Without Commit the temporary file is removed and the target untouched.
    ~CTAtomicFileWriter();
    CTAtomicFileWriter(const CTAtomicFileWriter&) = delete;
    CTAtomicFileWriter& operator=(const CTAtomicFileWriter&) = delete;

    // Raises CTFileError when the data cannot be written in full.
    void Write(const void* pBuffer, std::size_t nCount);
    // Flushes, closes and renames over the target; raises CTFileError.
    void Commit();

    const std::string& TargetName() const { return v_target; }
    const std::string& TemporaryName() const { return v_temp; }

private:
    void Fail(const std::string& szWhat);

    std::string v_target;
    std::string v_temp;
    int v_fd = -1;
    bool v_committed = false;
};

}  // namespace brumalis::platform
