#include "app/cli_report.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/cli_args.h"
#include "app/cli_commands.h"
#include "app/json_writer.h"
#include "catalogue/user_dialog.h"
#include "dialogs/messages.h"
#include "workflow/basket_page.h"
#include "workflow/plant_builder.h"
#include "workflow/project_file.h"
#include "workflow/report_commands.h"

namespace brumalis::app {
namespace {

constexpr int kExitViewerFailed = 3;

// The workflow's messages go to standard error; none is a question here.
class CTReportDialog : public CTUserDialog {
public:
    explicit CTReportDialog(std::ostream& err) : v_err(err), v_previous(SetUserDialog(this)) {}
    ~CTReportDialog() override { SetUserDialog(v_previous); }
    CTReportDialog(const CTReportDialog&) = delete;
    CTReportDialog& operator=(const CTReportDialog&) = delete;
    void ShowError(int nMsgNr, const std::vector<std::string>& params) override {
        v_err << dialogs::TBaseMsg::GetUnicodeString(nMsgNr, params) << '\n';
    }
    // "Added to the basket" and the like are the command's own business.
    void ShowInformation(int, const std::vector<std::string>&) override {}
    bool AskYesNo(int nMsgNr, const std::vector<std::string>& params) override {
        ShowError(nMsgNr, params);
        return false;
    }

private:
    std::ostream& v_err;
    CTUserDialog* v_previous;
};

const std::set<std::string> kReportFlags = {
    "no-cover", "no-spec-texts", "operation-range", "no-operation-range", "pressure-drop", "no-pressure-drop",
    "dimensional", "no-dimensional", "eseer", "iplv", "open", "json"};

// The command's own options added to a command's spec.
TCommandSpec WithReportOptions(TCommandSpec spec) {
    spec.valueOptions.insert({"output", "cover", "spec-texts"});
    spec.flags.insert(kReportFlags.begin(), kReportFlags.end());
    return spec;
}

// "-o FILE" is "--output FILE".
std::vector<std::string> Normalised(const std::vector<std::string>& args) {
    std::vector<std::string> out;
    for (const std::string& arg : args) out.push_back(arg == "-o" ? "--output" : arg);
    return out;
}

void Switch(const TCliArgs& parsed, const std::string& szName, bool& bFlag) {
    if (parsed.Flag(szName) && parsed.Flag("no-" + szName)) throw CTUsageError(CliText("--$1 and --no-$1 exclude each other", {szName}));
    if (parsed.Flag(szName)) bFlag = true;
    if (parsed.Flag("no-" + szName)) bFlag = false;
}

// The Reporting Section as the preferences set it, then the options.
TBoxReporting BoxOf(const TCliArgs& parsed) {
    TBoxReporting box;
    box.ApplyPreferences(TFrm_Preferences::Values());
    Switch(parsed, "operation-range", box.Chk_OperationRange.Checked);
    Switch(parsed, "pressure-drop", box.Chk_PressureDrop.Checked);
    Switch(parsed, "dimensional", box.Chk_Dimensional.Checked);
    if (parsed.Flag("eseer") && parsed.Flag("iplv")) throw CTUsageError(CliText("--eseer and --iplv exclude each other"));
    if (parsed.Flag("eseer")) box.ShowESEER = true;
    if (parsed.Flag("iplv")) box.ShowESEER = false;
    if (const auto cover = parsed.Value("cover")) {
        box.CoverPageFile = *cover;
        box.Chk_CoverPage.Checked = true;
    }
    if (const auto texts = parsed.Value("spec-texts")) {
        box.SpecTextsFolder = *texts;
        box.Chk_SpecTexts.Checked = true;
    }
    if (parsed.Flag("no-cover")) box.Chk_CoverPage.Checked = false;
    if (parsed.Flag("no-spec-texts")) box.Chk_SpecTexts.Checked = false;
    return box;
}

std::string OutputOf(const TCliArgs& parsed) {
    const auto output = parsed.Value("output");
    if (!output || output->empty()) throw CTUsageError(CliText("-o FILE is required (- for standard output)"));
    return *output;
}

// What was asked for but is not there is said before the report is written.
void CheckSources(const TBoxReporting& box, TReportOutcome& outcome) {
    std::error_code ec;
    if (box.Chk_CoverPage.Checked && !std::filesystem::is_regular_file(box.CoverPageFile, ec)) {
        outcome.Skipped.push_back({box.CoverPageFile, CliText("the cover page file does not exist")});
    }
    if (box.Chk_SpecTexts.Checked && !std::filesystem::is_directory(box.SpecTextsFolder, ec)) {
        outcome.Skipped.push_back({box.SpecTextsFolder, CliText("the specification texts folder does not exist")});
    }
}

void WriteJson(const std::string& szFile, std::size_t nBytes, const TReportOutcome& outcome, std::ostream& out) {
    TJsonWriter json(out);
    json.BeginObject();
    json.Key("file").String(szFile);
    json.Key("bytes").Integer(static_cast<long long>(nBytes));
    json.Key("solutions").Integer(outcome.Solutions);
    json.Key("units").Integer(outcome.Units);
    json.Key("figures").Integer(outcome.Figures);
    json.Key("pictures").Integer(outcome.Pictures);
    json.Key("spec_texts").Integer(outcome.SpecTexts);
    json.Key("skipped").BeginArray();
    for (const TReportSkip& skip : outcome.Skipped) {
        json.BeginObject().Key("item").String(skip.Item).Key("reason").String(skip.Reason).EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << '\n';
}

// Writes the report where -o says and answers the exit code.
int Deliver(const TCliArgs& parsed, const std::string& bytes, TReportOutcome outcome, std::ostream& out,
            std::ostream& err) {
    if (!outcome.Ok) throw CTCriteriaError(CliText("the report could not be produced: $1", {outcome.Error}));
    for (const TReportSkip& skip : outcome.Skipped) err << "brumalis: " << CliText("left out $1: $2", {skip.Item, skip.Reason}) << '\n';
    const std::string szFile = OutputOf(parsed);
    const bool bStdout = szFile == "-";
    if (bStdout) {
        out << bytes;
        out.flush();
        if (!out) throw CTCriteriaError(CliText("standard output: write failed"));
    } else {
        std::string szError;
        if (!TReportCommands::SaveReport(szFile, bytes, szError)) {
            // The system's reason is English: shown only to the English program.
            const std::string szReason = dialogs::TBaseMsg::TranslationDisabled() ? " (" + szError + ")" : "";
            throw CTCriteriaError(CliText("'$1' could not be written$2; it was not changed", {szFile, szReason}));
        }
    }
    if (parsed.Flag("json")) WriteJson(szFile, bytes.size(), outcome, bStdout ? err : out);
    if (parsed.Flag("open") && !bStdout && !TReportCommands::OpenReport(szFile)) {
        err << "brumalis: " << CliText("no viewer could be started for '$1'", {szFile}) << '\n';
        return kExitViewerFailed;
    }
    return 0;
}

// A basket report of the started program's basket.
int BasketReport(const TCliArgs& parsed, TMainSession& session, const TSolutionBasket& basket, std::ostream& out,
                 std::ostream& err) {
    if (basket.Empty()) throw CTCriteriaError(CliText("nothing to report: no solution"));
    const TBoxReporting box = BoxOf(parsed);
    TReportOutcome checked;
    CheckSources(box, checked);
    CTMemoryStream bytes;
    TReportOutcome outcome = TReportCommands::Bib_MSWordClick(bytes, session, basket, box);
    // A file found missing beforehand is named once.
    std::erase_if(outcome.Skipped, [&checked](const TReportSkip& skip) {
        return std::any_of(checked.Skipped.begin(), checked.Skipped.end(),
                           [&skip](const TReportSkip& known) { return known.Item == skip.Item; });
    });
    outcome.Skipped.insert(outcome.Skipped.begin(), checked.Skipped.begin(), checked.Skipped.end());
    return Deliver(parsed, bytes.Data(), std::move(outcome), out, err);
}

int ReportProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TCliArgs parsed(args, WithReportOptions(TCommandSpec{{}, {}, 1}));
    OutputOf(parsed);
    CTReportDialog dialog(err);
    TProgramStart start;
    StartProgram(start);
    TProjectFile project(start.Factory(), start.Session());
    if (!project.OpenFile(parsed.Positional().front())) {
        throw CTCriteriaError(CliText("'$1' could not be opened", {parsed.Positional().front()}));
    }
    for (const std::string& szSkipped : project.v_Skipped) err << "brumalis: " << CliText("left out $1", {szSkipped}) << '\n';
    return BasketReport(parsed, start.Session(), start.Session().Basket(), out, err);
}

int ReportSelect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TCommandSpec spec = WithReportOptions(SelectionSpec({}));
    spec.valueOptions.insert("take");
    const TCliArgs parsed(args, spec);
    OutputOf(parsed);
    int nTake = -1;
    if (parsed.Value("take")) {
        const double d = *parsed.Number("take");
        if (!(d >= 1.0) || d != static_cast<int>(d)) throw CTCriteriaError(CliText("--take: a whole number from 1"));
        nTake = static_cast<int>(d);
    }
    CTReportDialog dialog(err);
    TProgramStart start;
    StartProgram(start);
    TSettingsPage page(start.Session());
    MakeSelectionOf(parsed, start, page, err);
    const TFrm_ChResultGrid& grid = page.ResultGrid();
    if (grid.UnitCount() == 0) throw CTCriteriaError(CliText("nothing to report: the selection found no solution"));
    TBasketPage basketPage(start.Session());
    const TPanelRequirement requirement{page.Panel().GetUserCoolCap(), page.Panel().GetUserHeatCap(),
                                        page.Panel().GetSelCooling()};
    const int nUnits = nTake < 0 ? grid.UnitCount() : std::min(nTake, grid.UnitCount());
    for (int u = 0; u < nUnits; ++u) {
        Cls_ChOutdoorUnit& unit = *grid.Column(u).unit;
        if (!basketPage.AddResult(unit, requirement)) err << "brumalis: " << CliText("left out $1", {unit.GetName()}) << '\n';
    }
    return BasketReport(parsed, start.Session(), start.Session().Basket(), out, err);
}

int ReportAnalyse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TCliArgs parsed(args, WithReportOptions(AnalyseSpec({})));
    OutputOf(parsed);
    CTReportDialog dialog(err);
    TProgramStart start;
    StartProgram(start);
    TSettingsPage settings(start.Session());
    TAnalysisPage page(start.Session(), settings);
    PrepareAnalysis(parsed, start, page, err);
    if (!page.Active()) throw CTCriteriaError(CliText("nothing to report: the unit could not be analysed"));
    CTMemoryStream bytes;
    TReportOutcome outcome = TReportCommands::Bib_AnMSWordClick(bytes, page);
    return Deliver(parsed, bytes.Data(), std::move(outcome), out, err);
}

}  // namespace

int RunReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) throw CTUsageError(CliText("report select|project|analyse ... -o FILE"));
    const std::string szKind = args.front();
    const std::vector<std::string> rest = Normalised(std::vector<std::string>(args.begin() + 1, args.end()));
    if (szKind == "select") return ReportSelect(rest, out, err);
    if (szKind == "project") return ReportProject(rest, out, err);
    if (szKind == "analyse" || szKind == "analyze") return ReportAnalyse(rest, out, err);
    throw CTUsageError(CliText("report select|project|analyse ... -o FILE"));
}

}  // namespace brumalis::app
