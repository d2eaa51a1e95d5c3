// The commands of the selection command line: list, select and analyse, on
// the catalogue embedded in the program.
#pragma once

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/cli_args.h"
#include "workflow/analysis_page.h"
#include "workflow/main_session.h"
#include "workflow/settings_page.h"
#include "workflow/start_up.h"

namespace brumalis::app {

// Each answers the exit code; bad usage and bad criteria raise the errors of cli_args.h.
int RunList(const std::vector<std::string>& args, std::ostream& out);
int RunSelect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunAnalyse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// For a process that ends right after its command: the starts of list,
// select and analyse are then kept, not torn down, when the command ends.
void LetStartsOutliveCommands();

// For the commands that run a selection first (basket, plant, options): the
// select command's criteria options with the command's own flags, the
// program's start, and the run itself on a Settings page of the started
// session (notes to err; answers the number of solutions asked for, 0 for
// the preference).
TCommandSpec SelectionSpec(std::set<std::string> flags);
void StartProgram(TProgramStart& start);
int MakeSelectionOf(const TCliArgs& parsed, TProgramStart& start, TSettingsPage& page, std::ostream& err);
// For the commands that analyse a unit (analyse, report analyse): the
// analyse command's options with the command's own flags, and the unit the
// first argument names analysed on the page with the options' conditions.
TCommandSpec AnalyseSpec(std::set<std::string> flags);
void PrepareAnalysis(const TCliArgs& parsed, TProgramStart& start, TAnalysisPage& page, std::ostream& err);
// The unit as the grid and the rejected list name it: model and variant
// suffix; the bare model name is the standard variant.
Cls_ChOutdoorUnit* UnitNamed(const TMainSession& session, const std::string& szModel);
// The names of --condenser (air, water, condenserless) and --family
// (cooling, heatpump, recovery, heating, condensing).
std::int32_t CondenserOf(const std::string& szName);
std::int32_t FamilyOf(const std::string& szName);

}  // namespace brumalis::app
