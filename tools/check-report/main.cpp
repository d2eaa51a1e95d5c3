// check-report FILE OUTDIR [TEXT...]: converts a report with LibreOffice and
// checks what its reader sees (see report_check.h). Exit 0 when every check
// passes, 1 with the failures on standard error, 2 for bad usage.
#include <iostream>

#include "tools/check-report/report_check.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: check-report FILE.rtf OUTDIR [TEXT...]\n";
        return 2;
    }
    const std::vector<std::string> expected(argv + 3, argv + argc);
    const std::vector<std::string> failures = brumalis::tools::CheckReport(argv[1], argv[2], expected);
    for (const std::string& failure : failures) std::cerr << "check-report: " << failure << '\n';
    if (failures.empty()) std::cout << "check-report: " << argv[1] << " passed; pages rendered in " << argv[2] << '\n';
    return failures.empty() ? 0 : 1;
}
