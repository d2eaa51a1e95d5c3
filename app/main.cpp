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

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadCriteria = 1;
constexpr int kExitUsage = 2;

const char* const kUsage = R"(usage: brumalis COMMAND [OPTIONS]

commands:
  list [--units U]
      The rows of the selection list: condenser, family, compressor,
      refrigerant and the nominal capacity range of each row.

  select [criteria] [--json] [--no-store]
      One selection run as "Make Selection" performs it. Criteria not given
      come from the stored preferences, as in the desktop program.
      --condenser air|water|condenserless   --family cooling|heatpump|recovery|heating|condensing
      --compressor NAME  --refrigerant NAME  (the selection-list row)
      --cooling KW  --heating KW            required capacities (display power unit, no sign)
      --mode cooling|heating                heat pumps: what is required
      --lwe T --dte K --lwc T --dtc K       cooling water temperatures
      --ambient T                           summer ambient, or condensing temperature
      --winter T --heat-lwe T --heat-dte K --heat-lwc T --heat-dtc K
      --evap-brine NAME --evap-percent P --cond-brine NAME --cond-percent P
                                            (a percentage alone: the brine in force)
      --versions S,X,P,*  --sounds S,L,R,X   application variants taking part
      --max N                               number of solutions shown (1 to 10)
      --sort deviation|eer|cop|eseer|iplv|sound|price
      --units si|imperial|quantity=unit,... display units (temperature, power,
                                            flow, pressure, length); values are
                                            typed and shown in these units
      Values outside the entry ranges are clamped as the desktop entries
      clamp them; a note on standard error says so. The run stores the
      criteria as preferences unless --no-store is given.

  analyse MODEL [conditions] [--low-noise [NAME]] [--heat-recovery [NAME]]
                [--pump [NAME]] [--distance M] [--json]
      The Analysis page computation for one catalogue unit. MODEL as the
      grid shows it, suffix included ("ACS 033 -SL"); an option flag alone
      takes the unit's first option of that kind, with NAME that one.

  print-params [--line1 TEXT] [--line2 TEXT] [--line3 TEXT]
               [--logo FILE | --no-logo]
      The consultant's name and address (three lines) and logo (a BMP of
      at most 590 x 236 pixels) in every report's footer and header. Without
      options shows them; with options stores them (the others kept). A
      logo that is too large or no readable BMP is refused, nothing stored.
  project new FILE
      Creates an empty project file; refuses a file that exists.
  project show FILE
      The basket of a project as the Solution Basket page shows it, and
      what opening it left out (units no longer in the catalogue or whose
      refrigerant is not allowed, options a unit no longer offers).
  project save FILE --as NEW
      Writes the project to a new file (refuses one that exists).

  basket add FILE [select criteria] [--pick MODEL|N] [option flags]
      Runs the selection as select does and adds a result (the best one, or
      the model or grid position --pick names), with the option flags
      applied, to the project's basket.
  basket remove FILE N
  basket move FILE N left|right
      Removes the N-th solution, or swaps it with its neighbour.
      A changing command reads the file under an exclusive lock and writes
      it, atomically, only when every step succeeded; otherwise it exits 1
      and the file stays as it was. Messages go to standard error.
      project show and the basket commands take --json.

  options [select criteria] [--pick MODEL|N] [option flags] [--json]
      The option frame of a result after the option flags: standard specs,
      options, kits, option code, and the result grid.
  plant [select criteria] --unit MODEL|N ... [--capacity KW]
        [--tick I:OPT]... [--add-to FILE] [--json]
      Results added to the Plant Builder in order (the same one may come
      again); --capacity sets the plant's requirement; option flags name
      their plant unit from 1 (--tick 2:LN1). --add-to puts the plant into
      a project's basket.
  Option flags, taken in order through the option checks:
      --tick OPT, --untick OPT, --kit OPT, --hr-leaving C, --hr-dt K.
      A refused or impossible step stops the command (exit 1).
      --answer yes|no answers question 269 (the pump range); without it the
      question is asked on a terminal, else the command exits 1.

  chiller [--condenser air|water|condenserless [--family F [--series S]]]
      The Chillers page's unit chooser.
  chiller MODEL [--low-noise OPT] [--extension OPT] [--pump OPT] [--hr OPT]
                [--distance M] [--pictures DIR]
      The data sheet of a unit; --pictures writes its photograph and
      drawing to DIR as metafiles.

  report select [select criteria] [--take N] -o FILE
  report project FILE.cpf -o FILE
  report analyse MODEL [analyse options] -o FILE
      A word-processor report (RTF): the first N results of a selection
      (default all) as one-unit solutions, a project's basket, or an
      analysis. -o - writes to standard output. Sections as the Reporting
      Section of the preferences, changed with --cover FILE | --no-cover,
      --spec-texts DIR | --no-spec-texts, --[no-]operation-range,
      --[no-]pressure-drop, --[no-]dimensional, --eseer | --iplv. --open
      shows the report in the desktop's viewer; --json prints file, bytes,
      counts and what was left out (each also on standard error). Exit 3:
      written, but no viewer started.

Exit codes: 0 success (also when nothing qualifies), 1 bad criteria,
2 bad usage. Environment: BRUMALIS_LANGUAGE=en shows untranslated texts.
)";

}  // namespace

int main(int argc, char** argv) {
    namespace app = brumalis::app;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        (argc < 2 ? std::cerr : std::cout) << kUsage;
        return argc < 2 ? kExitUsage : kExitOk;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    app::LetStartsOutliveCommands();
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
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
