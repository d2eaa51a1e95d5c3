#include "app/cli_print_params.h"

#include <filesystem>

#include "app/cli_args.h"
#include "documents/print_params.h"

namespace brumalis::app {
namespace {

void Show(const TPrintParams& params, std::ostream& out) {
    out << "Line 1: " << params.szLine1 << '\n'
        << "Line 2: " << params.szLine2 << '\n'
        << "Line 3: " << params.szLine3 << '\n'
        << "Logo:   " << (params.szLogoFile.empty() ? "(none)" : params.szLogoFile) << '\n';
}

// The logo as an absolute name, as the settings keep it.
std::string LogoName(const std::string& szFile) {
    if (szFile.empty()) throw CTUsageError("--logo needs a file name (--no-logo clears it)");
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(szFile, error);
    return error ? szFile : absolute.lexically_normal().string();
}

}  // namespace

int RunPrintParams(const std::vector<std::string>& args, std::ostream& out) {
    const TCliArgs cli(args, {{"line1", "line2", "line3", "logo"}, {"no-logo"}, 0});
    if (cli.Value("logo") && cli.Flag("no-logo")) throw CTUsageError("--logo and --no-logo exclude each other");
    TPrintParams params = TDlgPrintParams::GetParams();
    const bool bChange = cli.Value("line1") || cli.Value("line2") || cli.Value("line3") || cli.Value("logo") ||
                         cli.Flag("no-logo");
    if (!bChange) {
        Show(params, out);
        return 0;
    }
    params.szLine1 = cli.Value("line1").value_or(params.szLine1);
    params.szLine2 = cli.Value("line2").value_or(params.szLine2);
    params.szLine3 = cli.Value("line3").value_or(params.szLine3);
    if (const auto logo = cli.Value("logo")) params.szLogoFile = LogoName(*logo);
    if (cli.Flag("no-logo")) params.szLogoFile.clear();
    const TDlgPrintParams::TSaveOutcome outcome = TDlgPrintParams::Save(params);
    if (!outcome.bSaved) throw CTCriteriaError(outcome.szMessage);
    Show(TDlgPrintParams::GetParams(), out);
    return 0;
}

}  // namespace brumalis::app
