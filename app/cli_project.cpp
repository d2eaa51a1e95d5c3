#include "app/cli_project.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "app/cli_args.h"
#include "app/cli_commands.h"
#include "app/cli_output.h"
#include "app/json_writer.h"
#include "catalogue/units.h"
#include "catalogue/user_dialog.h"
#include "dialogs/messages.h"
#include "localisation/number_text.h"
#include "platform/locked_file.h"
#include "workflow/basket_page.h"
#include "workflow/option_steps.h"
#include "workflow/plant_builder.h"
#include "workflow/preferences.h"
#include "workflow/project_file.h"
#include "workflow/settings_page.h"

namespace brumalis::app {
namespace {

// A step the workflow refused (its message is on standard error): the file stays as it was.
class CTRefusal : public CTCriteriaError {
public:
    explicit CTRefusal(const std::string& szFileName)
        : CTCriteriaError(szFileName.empty() ? CliText("refused") : CliText("refused; '$1' was not changed", {szFileName})) {}
};

// Messages go to standard error (and are kept for --json); an error shown
// makes the command fail. A question takes the answer --answer gave, else
// one typed on a terminal, else the command stops naming it.
class CTCliDialog : public CTUserDialog {
public:
    struct TShown {
        int number;  // dialogs::msgAllParameters for a workflow text without a number
        std::string text;
    };

    explicit CTCliDialog(std::ostream& err) : v_err(err), v_previous(SetUserDialog(this)) {}
    ~CTCliDialog() override { SetUserDialog(v_previous); }
    CTCliDialog(const CTCliDialog&) = delete;
    CTCliDialog& operator=(const CTCliDialog&) = delete;

    void ShowError(int nMsgNr, const std::vector<std::string>& params) override {
        Show(nMsgNr, params);
        ++v_errors;
    }
    void ShowWarning(int nMsgNr, const std::vector<std::string>& params) override { Show(nMsgNr, params); }
    void ShowInformation(int nMsgNr, const std::vector<std::string>& params) override { Show(nMsgNr, params); }
    bool AskYesNo(int nMsgNr, const std::vector<std::string>& params) override {
        const std::string szQuestion = dialogs::TBaseMsg::GetUnicodeString(nMsgNr, params);
        v_shown.push_back(TShown{nMsgNr, szQuestion});
        if (v_answer) {
            v_err << szQuestion << ' ' << CliText(*v_answer ? "yes" : "no") << '\n';
            return *v_answer;
        }
        if (::isatty(STDIN_FILENO)) {
            v_err << szQuestion << " [y/n] " << std::flush;
            std::string line;
            std::getline(std::cin, line);
            return !line.empty() && (line[0] == 'y' || line[0] == 'Y');
        }
        v_err << szQuestion << '\n';
        throw CTCriteriaError(CliText("question $1 needs an answer: give --answer yes|no or run on a terminal",
                                      {std::to_string(nMsgNr)}));
    }
    TDialogAnswer AskYesNoCancel(int, const std::vector<std::string>&) override { return TDialogAnswer::Cancel; }

    int Errors() const { return v_errors; }
    void SetAnswer(std::optional<bool> answer) { v_answer = answer; }
    const std::vector<TShown>& Shown() const { return v_shown; }

private:
    void Show(int nMsgNr, const std::vector<std::string>& params) {
        v_shown.push_back(TShown{nMsgNr, dialogs::TBaseMsg::GetUnicodeString(nMsgNr, params)});
        v_err << v_shown.back().text << '\n';
    }

    std::ostream& v_err;
    CTUserDialog* v_previous;
    int v_errors = 0;
    std::optional<bool> v_answer;
    std::vector<TShown> v_shown;
};

// The started program with its basket, the project file and the basket page.
struct TProjectContext {
    TProjectContext(std::ostream& err, const TCliArgs* pArgs = nullptr) : dialog(err) {
        if (pArgs) dialog.SetAnswer(AnswerOf(*pArgs));
        StartProgram(start);
        project = std::make_unique<TProjectFile>(start.Factory(), start.Session());
        page = std::make_unique<TBasketPage>(start.Session());
    }
    static std::optional<bool> AnswerOf(const TCliArgs& args) {
        const auto answer = args.Value("answer");
        if (!answer) return std::nullopt;
        if (*answer != "yes" && *answer != "no") throw CTUsageError(CliText("--answer yes|no"));
        return *answer == "yes";
    }
    TMainSession& Session() { return start.Session(); }

    CTCliDialog dialog;
    TProgramStart start;
    std::unique_ptr<TProjectFile> project;
    std::unique_ptr<TBasketPage> page;
};

// Why a project file could not be taken, in the program's language (the
// system's own error texts are English only).
std::string LockProblem(const std::string& szFileName, platform::CTLockedFile::Mode mode) {
    const bool bCreate = mode == platform::CTLockedFile::Mode::CreateNew;
    std::error_code ec;
    const bool bExists = std::filesystem::exists(szFileName, ec);
    if (bCreate && bExists) return CliText("'$1' exists already", {szFileName});
    if (!bCreate && !bExists) return CliText("'$1' not found", {szFileName});
    if (std::filesystem::is_directory(szFileName, ec)) return CliText("'$1' is a folder", {szFileName});
    return CliText(bCreate ? "'$1' cannot be created" : "'$1' cannot be opened", {szFileName});
}

std::unique_ptr<platform::CTLockedFile> Locked(const std::string& szFileName, platform::CTLockedFile::Mode mode) {
    try {
        return std::make_unique<platform::CTLockedFile>(szFileName, mode);
    } catch (const platform::CTFileError&) {
        throw CTCriteriaError(LockProblem(szFileName, mode));
    }
}

void Open(TProjectContext& ctx, platform::CTLockedFile& file) {
    if (!ctx.project->OpenBytes(file.FileName(), file.ReadAll())) throw CTRefusal(file.FileName());
}

// Writes only when nothing was refused on the way.
void SaveChanged(TProjectContext& ctx, const std::string& szFileName) {
    if (ctx.dialog.Errors() > 0 || !ctx.project->SaveAs(szFileName)) throw CTRefusal(szFileName);
}

// ---- JSON of solutions --------------------------------------------------

// A solution in a single-mode grid as the Plant Builder shows one: its
// requirements in the headers, its units, the total column for several.
void FillSolutionGrid(TFrm_ChResultGrid& grid, const TMainSession& session, const TSolution& solution) {
    const Cls_ChOutdoorUnit& first = *solution.GetChillers().front();
    grid.SetupWindow(false, solution.GetSeqNr(), &session.v_OptionCodes);
    grid.PutHeaders(first.GetCondenserType(), first.GetFamily(), 0.0, "STD", TFrm_Preferences::Values().ESEER,
                    solution.GetDataSet().TempSelData.SelectCooling, solution.GetReqHeatCap(), solution.GetReqCoolCap(),
                    false);
    for (int i = 0; i < solution.UnitCount(); ++i) {
        grid.AddChiller(solution.GetChillers()[static_cast<std::size_t>(i)], solution.GetSeqNr() + i);
    }
    if (solution.UnitCount() > 1) grid.AddTotalColumn(solution.GetDataSet());
}

void WriteOptions(TJsonWriter& json, const TMainSession& session, Cls_ChOutdoorUnit& unit, std::int32_t nSeqNr) {
    json.BeginArray();
    for (const auto& pComb : unit.GetOptCombs(nSeqNr)) {
        const Cls_ChOption* pOption = OptionOf(*pComb, session.v_Options);
        if (!pOption) continue;
        json.BeginObject();
        json.Key("name").String(pOption->GetName());
        json.Key("type").Integer(pOption->GetType());
        json.Key("kit").Bool(pOption->GetIsKit());
        json.Key("selected").Bool(pComb->GetSelected());
        json.Key("calculated").Bool(pComb->Calculated);
        json.Key("standard").Bool(pComb->GetIsStandard());
        json.Key("immutable").Bool(pComb->IsImmutable());
        json.EndObject();
    }
    json.EndArray();
}

void WriteUnit(TJsonWriter& json, const TMainSession& session, const TFrm_ChResultGrid& grid, int nUnit,
               double dReqCool, double dReqHeat) {
    const TFrm_ChResultGrid::TColumn& column = grid.Column(nUnit);
    json.BeginObject();
    json.Key("model").String(column.unit->GetName());
    json.Key("seq_nr").Integer(column.SeqNr);
    json.Key("result");
    WriteResult(json, grid, nUnit, dReqCool, dReqHeat);
    json.Key("option_code");
    column.unit->GetHasOptionCodes() ? json.String(column.unit->GetOptionCode(column.SeqNr, session.v_OptionCodes))
                                     : json.Null();
    json.Key("options");
    WriteOptions(json, session, *column.unit, column.SeqNr);
    json.EndObject();
}

void WriteSolution(TJsonWriter& json, const TMainSession& session, const TSolution& solution, int nPosition) {
    TFrm_ChResultGrid grid;
    FillSolutionGrid(grid, session, solution);
    const bool bPlant = solution.UnitCount() > 1;
    // A plant's requirement belongs to its totals, not to each unit.
    const double dUnitCool = bPlant ? 0.0 : solution.GetReqCoolCap(), dUnitHeat = bPlant ? 0.0 : solution.GetReqHeatCap();
    json.BeginObject();
    json.Key("position");
    nPosition > 0 ? json.Integer(nPosition) : json.Null();
    json.Key("kind").String(bPlant ? "plant" : "unit");
    json.Key("required_cooling_kw").Number(solution.GetReqCoolCap());
    json.Key("required_heating_kw").Number(solution.GetReqHeatCap());
    json.Key("totals");
    WriteTotals(json, grid, solution.GetDataSet(), solution.GetReqCoolCap(), solution.GetReqHeatCap());
    json.Key("units").BeginArray();
    for (int u = 0; u < grid.UnitCount(); ++u) WriteUnit(json, session, grid, u, dUnitCool, dUnitHeat);
    json.EndArray();
    json.EndObject();
}

void WriteMessages(TJsonWriter& json, const CTCliDialog& dialog) {
    json.Key("messages").BeginArray();
    for (const CTCliDialog::TShown& shown : dialog.Shown()) {
        json.BeginObject();
        json.Key("number");
        shown.number == dialogs::msgAllParameters ? json.Null() : json.Integer(shown.number);
        json.Key("text").String(shown.text);
        json.EndObject();
    }
    json.EndArray();
}

void WriteProjectJson(TProjectContext& ctx, const std::string& szFileName, std::ostream& out) {
    TJsonWriter json(out);
    json.BeginObject();
    json.Key("file").String(szFileName);
    json.Key("data_version").String(ctx.project->v_DataVersion);
    json.Key("solutions").BeginArray();
    const TSolutionBasket& basket = ctx.Session().Basket();
    for (int i = 0; i < basket.Count(); ++i) WriteSolution(json, ctx.Session(), basket.At(i), i + 1);
    json.EndArray();
    json.Key("skipped").BeginArray();
    for (const std::string& szSkipped : ctx.project->v_Skipped) json.String(szSkipped);
    json.EndArray();
    WriteMessages(json, ctx.dialog);
    json.EndObject();
    out << '\n';
}

// ---- text ----------------------------------------------------------------

void PrintBasket(TProjectContext& ctx, const std::string& szFileName, std::ostream& out) {
    out << dialogs::TBaseMsg::Translate("Project") << ' ' << szFileName;
    if (!ctx.project->v_DataVersion.empty()) {
        out << " (" << dialogs::TBaseMsg::Translate("database version") << ' ' << ctx.project->v_DataVersion << ')';
    }
    out << '\n';
    if (ctx.Session().Basket().Empty()) {
        out << "   (" << dialogs::TBaseMsg::Translate("no solutions") << ")\n";
    } else {
        std::vector<std::vector<std::string>> rows;
        for (int r = 0; r < TBasketGrid::kRowCount; ++r) {
            std::vector<std::string> row;
            for (int c = 0; c < ctx.page->ColumnCount(); ++c) row.push_back(ctx.page->CellText(c, r));
            rows.push_back(std::move(row));
        }
        PrintTable(rows, std::vector<bool>(static_cast<std::size_t>(ctx.page->ColumnCount()), false), out);
    }
    if (ctx.project->v_Skipped.empty()) return;
    out << '\n' << dialogs::TBaseMsg::Translate("Left out") << '\n';
    for (const std::string& szSkipped : ctx.project->v_Skipped) out << "   " << szSkipped << '\n';
}

void PrintProject(TProjectContext& ctx, const std::string& szFileName, bool bJson, std::ostream& out) {
    bJson ? WriteProjectJson(ctx, szFileName, out) : PrintBasket(ctx, szFileName, out);
}

void PrintLines(const char* szTitle, const std::vector<TFrm_ChOptions::TLine>& lines, std::ostream& out) {
    out << dialogs::TBaseMsg::Translate(szTitle) << '\n';
    if (lines.empty()) out << "   (" << dialogs::TBaseMsg::Translate("none") << ")\n";
    for (const TFrm_ChOptions::TLine& line : lines) {
        out << "   [" << (line.Ticked ? 'x' : ' ') << "] " << line.Text
            << (line.Enabled ? "" : " (" + dialogs::TBaseMsg::Translate("fixed") + ")") << '\n';
    }
}

// The option frame as the window shows it.
void PrintFrame(const TFrm_ChOptions& frame, std::ostream& out) {
    out << dialogs::TBaseMsg::Translate("Standard specs") << '\n';
    if (frame.StandardSpecs().empty()) out << "   (" << dialogs::TBaseMsg::Translate("none") << ")\n";
    for (const std::string& szSpec : frame.StandardSpecs()) out << "   " << szSpec << '\n';
    PrintLines("Options", frame.Options(), out);
    PrintLines("Kits", frame.Kits(), out);
    if (!frame.OptionCode().empty()) out << dialogs::TBaseMsg::Translate("Option code") << ": " << frame.OptionCode() << '\n';
    if (frame.RecoveryShown()) {
        double dLeaving = 0.0, dDeltaT = 0.0;
        frame.GetHRData(dLeaving, dDeltaT);
        out << dialogs::TBaseMsg::Translate("Heat recovery") << ": "
            << TU_Form::PutDimensionedText(U_Temperature, true, dLeaving) << ", "
            << Number2FmtStr(1, 1, dDeltaT) << " K\n";
    }
}

// ---- options by name ----------------------------------------------------

// The option flags, in the order the frame takes them.
constexpr std::pair<const char*, TOptionStep::TKind> kStepFlags[] = {
    {"tick", TOptionStep::TKind::Tick},          {"untick", TOptionStep::TKind::Untick},
    {"kit", TOptionStep::TKind::Kit},            {"hr-leaving", TOptionStep::TKind::HRLeaving},
    {"hr-dt", TOptionStep::TKind::HRDeltaT}};

void AddStepOptions(TCommandSpec& spec) {
    for (const auto& [szFlag, kind] : kStepFlags) spec.valueOptions.insert(szFlag);
    spec.valueOptions.insert("answer");
    spec.flags.insert("json");
}

struct TNamedStep {
    std::string flag;
    TOptionStep step;
};

std::vector<TNamedStep> StepsOf(const TCliArgs& parsed) {
    std::vector<TNamedStep> steps;
    for (const auto& [szName, szValue] : parsed.Sequence()) {
        for (const auto& [szFlag, kind] : kStepFlags) {
            if (szName == szFlag) steps.push_back(TNamedStep{szName, TOptionStep{kind, szValue}});
        }
    }
    return steps;
}

// A step the frame did not take as asked stops the command.
void Apply(TWiredOptionFrame& frame, const TNamedStep& named, std::ostream& err) {
    if (named.step.IsTemperature()) ParseNumber(named.flag, named.step.Value);
    const TStepOutcome outcome = frame.Apply(named.step);
    const std::string szWhat = "--" + named.flag + " " + named.step.Value;
    if (outcome.Result == TStepOutcome::TResult::Impossible) throw CTCriteriaError(szWhat + ": " + outcome.Reason);
    if (outcome.Result == TStepOutcome::TResult::Reverted) {
        throw CTCriteriaError(CliText("$1: refused, the option stays as it was", {szWhat}));
    }
    if (!outcome.Reason.empty()) err << "brumalis: " << CliText("note: $1: $2", {szWhat, outcome.Reason}) << '\n';
}

// A basket position from 1.
int PositionOf(const std::string& szText, const TSolutionBasket& basket) {
    int n = 0;
    try {
        std::size_t nUsed = 0;
        n = std::stoi(szText, &nUsed);
        if (nUsed != szText.size()) n = 0;
    } catch (const std::exception&) {
        n = 0;
    }
    if (n < 1 || n > basket.Count()) {
        throw CTCriteriaError(CliText("no solution '$1' (the basket holds $2)", {szText, std::to_string(basket.Count())}));
    }
    return n;
}

bool IsPosition(const std::string& szText) {
    return !szText.empty() && szText.size() < 4 && szText.find_first_not_of("0123456789") == std::string::npos;
}

// The result a model name or grid position from 1 names (none: the current
// one) becomes the current result.
Cls_ChOutdoorUnit& PickResult(const std::optional<std::string>& pick, TSettingsPage& page) {
    TFrm_ChResultGrid& grid = page.ResultGrid();
    if (grid.UnitCount() == 0) throw CTCriteriaError(CliText("the selection found no solution"));
    std::int32_t nSeqNr = 0;
    if (!pick) return *grid.GetCurrentChiller(nSeqNr);
    if (IsPosition(*pick)) {
        const int n = std::stoi(*pick);
        if (n < 1 || n > grid.UnitCount()) {
            throw CTCriteriaError(CliText("'$1' is not a result (1 to $2)", {*pick, std::to_string(grid.UnitCount())}));
        }
        grid.SetCurrentPosition(n - 1);
        return *grid.Column(n - 1).unit;
    }
    Cls_ChOutdoorUnit* pUnit = UnitNamed(page.Session(), *pick);
    for (int u = 0; u < grid.UnitCount(); ++u) {
        if (grid.Column(u).unit != pUnit) continue;
        grid.SetCurrentPosition(u);
        return *pUnit;
    }
    throw CTCriteriaError(CliText("'$1' is not among the results", {*pick}));
}

TPanelRequirement RequirementOf(const TSettingsPage& page) {
    return TPanelRequirement{page.Panel().GetUserCoolCap(), page.Panel().GetUserHeatCap(), page.Panel().GetSelCooling()};
}

// The results frame of the Settings page's grid; its add buttons are the caller's.
std::unique_ptr<TWiredOptionFrame> ResultsFrame(TProjectContext& ctx, TSettingsPage& page) {
    auto pFrame = std::make_unique<TWiredOptionFrame>(ctx.Session(), page.ResultGrid(), [&page] { return page.Request(); },
                                                      [] {}, [] {});
    pFrame->ShowCurrentUnit();
    return pFrame;
}

// Selection, the picked result and the option flags applied to it.
Cls_ChOutdoorUnit& PickWithOptions(const TCliArgs& parsed, TProjectContext& ctx, TSettingsPage& page,
                                   std::unique_ptr<TWiredOptionFrame>& frame, std::ostream& err) {
    MakeSelectionOf(parsed, ctx.start, page, err);
    Cls_ChOutdoorUnit& unit = PickResult(parsed.Value("pick"), page);
    frame = ResultsFrame(ctx, page);
    for (const TNamedStep& step : StepsOf(parsed)) Apply(*frame, step, err);
    return unit;
}

int ProjectNew(const std::string& szFileName, std::ostream& err) {
    const auto file = Locked(szFileName, platform::CTLockedFile::Mode::CreateNew);
    TProjectContext ctx(err);
    if (!ctx.project->SaveAs(szFileName)) {
        file->Discard();
        throw CTRefusal(std::string());
    }
    return 0;
}

int ProjectShow(const std::string& szFileName, bool bJson, std::ostream& out, std::ostream& err) {
    TProjectContext ctx(err);
    if (!ctx.project->OpenFile(szFileName)) throw CTRefusal(std::string());
    PrintProject(ctx, szFileName, bJson, out);
    return 0;
}

int ProjectSaveAs(const std::string& szFileName, const std::string& szNewName, std::ostream& err) {
    TProjectContext ctx(err);
    if (!ctx.project->OpenFile(szFileName)) throw CTRefusal(std::string());
    const auto file = Locked(szNewName, platform::CTLockedFile::Mode::CreateNew);
    if (!ctx.project->SaveAs(szNewName)) {
        file->Discard();
        throw CTRefusal(std::string());
    }
    return 0;
}

int BasketAdd(const std::vector<std::string>& rest, std::ostream& out, std::ostream& err) {
    TCommandSpec spec = SelectionSpec({});
    spec.valueOptions.insert("pick");
    AddStepOptions(spec);
    spec.nPositional = 1;
    const TCliArgs parsed(rest, spec);
    const std::string& szFileName = parsed.Positional()[0];
    const auto file = Locked(szFileName, platform::CTLockedFile::Mode::OpenExisting);
    TProjectContext ctx(err, &parsed);
    Open(ctx, *file);
    TSettingsPage page(ctx.Session());
    std::unique_ptr<TWiredOptionFrame> frame;
    Cls_ChOutdoorUnit* pUnit = nullptr;
    try {
        pUnit = &PickWithOptions(parsed, ctx, page, frame, err);
    } catch (const CTCriteriaError& e) {
        throw CTCriteriaError(CliText("$1; '$2' was not changed", {e.what(), szFileName}));
    }
    if (!ctx.page->AddResult(*pUnit, RequirementOf(page))) throw CTRefusal(szFileName);
    SaveChanged(ctx, szFileName);
    PrintProject(ctx, szFileName, parsed.Flag("json"), out);
    return 0;
}

// "I:OPT": the plant unit from 1 and the step's own value.
std::pair<int, std::string> PlantStepTarget(const TNamedStep& step, int nUnits) {
    const std::size_t nColon = step.step.Value.find(':');
    const std::string szIndex = step.step.Value.substr(0, nColon);
    if (nColon == std::string::npos || !IsPosition(szIndex) || std::stoi(szIndex) < 1 || std::stoi(szIndex) > nUnits) {
        throw CTCriteriaError(CliText("--$1 $2: give the plant unit as I:VALUE, I from 1 to $3",
                                      {step.flag, step.step.Value, std::to_string(nUnits)}));
    }
    return {std::stoi(szIndex), step.step.Value.substr(nColon + 1)};
}

void PrintPlant(TProjectContext& ctx, const TWiredOptionFrame& frame, bool bJson, std::ostream& out) {
    const TSolution& plant = *ctx.Session().Plant().Plant();
    if (bJson) {
        TJsonWriter json(out);
        json.BeginObject();
        json.Key("plant");
        WriteSolution(json, ctx.Session(), plant, 0);
        WriteMessages(json, ctx.dialog);
        json.EndObject();
        out << '\n';
        return;
    }
    out << dialogs::TBaseMsg::Translate("Plant Builder") << '\n';
    PrintGrid(ctx.Session().Plant().Grid(), out);
    out << '\n';
    PrintFrame(frame.Frame(), out);
}

}  // namespace

int RunProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TCliArgs parsed(args, TCommandSpec{{"as"}, {"json"}, 2});
    const std::string& szAction = parsed.Positional()[0];
    const std::string& szFileName = parsed.Positional()[1];
    if (szAction == "new") return ProjectNew(szFileName, err);
    if (szAction == "show") return ProjectShow(szFileName, parsed.Flag("json"), out, err);
    if (szAction == "save") {
        const auto szNew = parsed.Value("as");
        if (!szNew) throw CTUsageError(CliText("project save FILE --as NEW"));
        return ProjectSaveAs(szFileName, *szNew, err);
    }
    throw CTUsageError(CliText("project new|show|save FILE"));
}

int RunBasket(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) throw CTUsageError(CliText("basket add|remove|move FILE ..."));
    const std::string szAction = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (szAction == "add") return BasketAdd(rest, out, err);
    const bool bMove = szAction == "move";
    if (!bMove && szAction != "remove") throw CTUsageError(CliText("basket add|remove|move FILE ..."));
    const TCliArgs parsed(rest, TCommandSpec{{}, {"json"}, bMove ? 3 : 2});
    const std::string& szFileName = parsed.Positional()[0];
    if (bMove && parsed.Positional()[2] != "left" && parsed.Positional()[2] != "right") {
        throw CTUsageError(CliText("basket move FILE N left|right"));
    }
    const auto file = Locked(szFileName, platform::CTLockedFile::Mode::OpenExisting);
    TProjectContext ctx(err);
    Open(ctx, *file);
    ctx.page->SelectColumn(PositionOf(parsed.Positional()[1], ctx.Session().Basket()));
    const bool bDone = bMove ? ctx.page->MoveSelected(parsed.Positional()[2] == "right") : ctx.page->RemoveSelected();
    if (!bDone && bMove) {
        throw CTCriteriaError(CliText("solution $1 cannot move '$2'", {parsed.Positional()[1], parsed.Positional()[2]}));
    }
    if (!bDone) throw CTCriteriaError(CliText("solution $1 cannot be removed", {parsed.Positional()[1]}));
    SaveChanged(ctx, szFileName);
    PrintProject(ctx, szFileName, parsed.Flag("json"), out);
    return 0;
}

int RunOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TCommandSpec spec = SelectionSpec({});
    spec.valueOptions.insert("pick");
    AddStepOptions(spec);
    const TCliArgs parsed(args, spec);
    TProjectContext ctx(err, &parsed);
    TSettingsPage page(ctx.Session());
    std::unique_ptr<TWiredOptionFrame> frame;
    PickWithOptions(parsed, ctx, page, frame, err);
    const TFrm_ChResultGrid& grid = page.ResultGrid();
    if (parsed.Flag("json")) {
        TJsonWriter json(out);
        json.BeginObject();
        json.Key("unit");
        const TSelectionRequest request = page.Request();
        WriteUnit(json, ctx.Session(), grid, grid.GetCurrentPosition(), request.ReqCool, request.ReqHeat);
        WriteMessages(json, ctx.dialog);
        json.EndObject();
        out << '\n';
        return 0;
    }
    PrintGrid(grid, out);
    out << '\n';
    PrintFrame(frame->Frame(), out);
    return 0;
}

int RunPlant(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TCommandSpec spec = SelectionSpec({});
    spec.valueOptions.insert({"unit", "capacity", "add-to"});
    AddStepOptions(spec);
    const TCliArgs parsed(args, spec);
    const std::vector<std::string> units = parsed.Values("unit");
    if (units.empty()) throw CTUsageError(CliText("plant [criteria] --unit MODEL|N ... [--capacity KW] [--tick I:OPT] [--add-to FILE]"));
    const auto szTarget = parsed.Value("add-to");
    std::unique_ptr<platform::CTLockedFile> file;
    if (szTarget) file = Locked(*szTarget, platform::CTLockedFile::Mode::OpenExisting);
    TProjectContext ctx(err, &parsed);
    if (file) Open(ctx, *file);
    TSettingsPage page(ctx.Session());
    MakeSelectionOf(parsed, ctx.start, page, err);
    TPlantBuilder& plant = ctx.Session().Plant();
    const std::string szRefused = szTarget ? *szTarget : std::string();
    for (const std::string& szUnit : units) {
        if (!plant.AddToPlant(PickResult(szUnit, page), RequirementOf(page))) throw CTRefusal(szRefused);
    }
    if (const auto capacity = parsed.Value("capacity"); capacity && !plant.AddCapacity(*capacity)) {
        throw CTRefusal(szRefused);
    }
    TWiredOptionFrame frame(ctx.Session(), plant, [&page] { return page.Request(); }, [] {});
    frame.ShowCurrentUnit();
    for (TNamedStep step : StepsOf(parsed)) {
        // A temperature goes to the unit being worked on; the others name theirs.
        if (!step.step.IsTemperature()) {
            const auto [nUnit, szOption] = PlantStepTarget(step, plant.Grid().UnitCount());
            plant.Grid().SetCurrentPosition(nUnit - 1);
            frame.ShowCurrentUnit();
            step.step.Value = szOption;
        }
        Apply(frame, step, err);
    }
    PrintPlant(ctx, frame, parsed.Flag("json"), out);
    if (!file) return 0;
    if (!ctx.page->AddPlant()) throw CTRefusal(*szTarget);
    SaveChanged(ctx, *szTarget);
    return 0;
}

}  // namespace brumalis::app
