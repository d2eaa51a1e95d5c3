// New temporary files with names nobody else can take (the Windows build's
// GetTempFileName).
#pragma once

#include <string>
#include <string_view>

namespace brumalis::platform {

// $TMPDIR when it is an absolute path, else "/tmp".
std::string TemporaryFolder();

// Creates a new, empty file in the temporary folder, exclusively and with
// mode 0600, named by the first three characters of szPfx and a unique part
// ("Delete" gives "Del" + six characters). Answers its full path, or ""
// when it cannot be made (a missing folder, a prefix holding "/" or a
// control character).
std::string GetTemporaryFileName(std::string_view szPfx);

}  // namespace brumalis::platform
