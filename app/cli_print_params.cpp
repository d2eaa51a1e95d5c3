#include "app/cli_print_params.h"

#include <algorithm>
#include <filesystem>

#include "app/cli_args.h"
#include "documents/print_params.h"

namespace brumalis::app {
namespace {

std::size_t Characters(const std::string& sz) {
    return static_cast<std::size_t>(std::count_if(sz.begin(), sz.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The values start in one column whatever the labels' language.
void Show(const TPrintParams& params, std::ostream& out) {
    const std::string lines[] = {params.szLine1, params.szLine2, params.szLine3};
    std::string szLogoLabel = CliText("Logo:");
    std::size_t nWidth = 0;
    for (int i = 0; i < 3; ++i) {
        const std::string label = CliText("Line $1:", {std::to_string(i + 1)}) + ' ';
        nWidth = std::max(nWidth, Characters(label));
        out << label << lines[i] << '\n';
    }
    szLogoLabel.append(nWidth > Characters(szLogoLabel) ? nWidth - Characters(szLogoLabel) : 1, ' ');
    out << szLogoLabel << (params.szLogoFile.empty() ? CliText("(none)") : params.szLogoFile) << '\n';
}

// The logo as an absolute name, as the settings keep it.
std::string LogoName(const std::string& szFile) {
    if (szFile.empty()) throw CTUsageError(CliText("--logo needs a file name (--no-logo clears it)"));
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(szFile, error);
    return error ? szFile : absolute.lexically_normal().string();
}

}  // namespace

int RunPrintParams(const std::vector<std::string>& args, std::ostream& out) {
    const CTCliTranslation translation;
    const TCliArgs cli(args, {{"line1", "line2", "line3", "logo"}, {"no-logo"}, 0});
    if (cli.Value("logo") && cli.Flag("no-logo")) throw CTUsageError(CliText("--logo and --no-logo exclude each other"));
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
