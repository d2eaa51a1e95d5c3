// Where the running program's file is.
#pragma once

#include <string>

namespace brumalis::platform {

// The running program's real path (/proc/self/exe), or the path a
// CTProgramPathSubstitute gives; "" when it cannot be read.
std::string ProgramPath();

// Makes ProgramPath() answer szPath for its own lifetime (tests).
class CTProgramPathSubstitute {
public:
    explicit CTProgramPathSubstitute(std::string szPath);
    ~CTProgramPathSubstitute();
    CTProgramPathSubstitute(const CTProgramPathSubstitute&) = delete;
    CTProgramPathSubstitute& operator=(const CTProgramPathSubstitute&) = delete;

private:
    std::string v_path;
    const std::string* v_pPrevious;
};

}  // namespace brumalis::platform
