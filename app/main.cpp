// brumalis: chiller and heat-pump selection on the program's own catalogue,
// from the command line (scripted, batched, diffable selections).
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_args.h"
#include "app/cli_commands.h"
#include "app/cli_print_params.h"
#include "app/cli_chiller.h"
#include "app/cli_project.h"
#include "app/cli_report.h"
#include "app/cli_usage.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadCriteria = 1;
constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
    namespace app = brumalis::app;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        (argc < 2 ? std::cerr : std::cout) << app::UsageText();
        return argc < 2 ? kExitUsage : kExitOk;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    app::LetStartsOutliveCommands();
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << app::UsageText();
            return kExitOk;
        }
    }
    try {
        if (command == "list") return app::RunList(args, std::cout);
        if (command == "select") return app::RunSelect(args, std::cout, std::cerr);
        if (command == "analyse" || command == "analyze") return app::RunAnalyse(args, std::cout, std::cerr);
        if (command == "print-params") return app::RunPrintParams(args, std::cout);
        if (command == "project") return app::RunProject(args, std::cout, std::cerr);
        if (command == "basket") return app::RunBasket(args, std::cout, std::cerr);
        if (command == "report") return app::RunReport(args, std::cout, std::cerr);
        if (command == "options") return app::RunOptions(args, std::cout, std::cerr);
        if (command == "plant") return app::RunPlant(args, std::cout, std::cerr);
        if (command == "chiller") return app::RunChiller(args, std::cout, std::cerr);
        std::cerr << "brumalis: " << app::CliText("unknown command '$1' (try --help)", {command}) << '\n';
        return kExitUsage;
    } catch (const app::CTUsageError& e) {
        std::cerr << "brumalis: " << app::CliText("$1 (try --help)", {e.what()}) << '\n';
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "brumalis: " << e.what() << '\n';
        return kExitBadCriteria;
    }
}
