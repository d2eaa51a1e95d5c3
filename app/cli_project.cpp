#include "app/cli_project.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>

#include "app/cli_args.h"
#include "app/cli_commands.h"
#include "app/cli_output.h"
#include "catalogue/user_dialog.h"
#include "dialogs/messages.h"
#include "platform/locked_file.h"
#include "workflow/basket_page.h"
#include "workflow/plant_builder.h"
#include "workflow/project_file.h"

namespace brumalis::app {
namespace {

// A step the workflow refused (its message is on standard error): the file stays as it was.
class CTRefusal : public CTCriteriaError {
public:
    explicit CTRefusal(const std::string& szFileName)
        : CTCriteriaError(szFileName.empty() ? "refused" : "refused; '" + szFileName + "' was not changed") {}
};

// Messages go to standard error; an error shown makes the command fail.
// Questions are answered on a terminal, else refused.
class CTCliDialog : public CTUserDialog {
public:
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
        if (::isatty(STDIN_FILENO)) {
            v_err << szQuestion << " [y/n] " << std::flush;
            std::string line;
            std::getline(std::cin, line);
            return !line.empty() && (line[0] == 'y' || line[0] == 'Y');
        }
        v_err << szQuestion << '\n';
        throw CTCriteriaError("question " + std::to_string(nMsgNr) + " needs an answer on a terminal");
    }
    TDialogAnswer AskYesNoCancel(int, const std::vector<std::string>&) override { return TDialogAnswer::Cancel; }

    int Errors() const { return v_errors; }

private:
    void Show(int nMsgNr, const std::vector<std::string>& params) {
        v_err << dialogs::TBaseMsg::GetUnicodeString(nMsgNr, params) << '\n';
    }

    std::ostream& v_err;
    CTUserDialog* v_previous;
    int v_errors = 0;
};

// The started program with a basket, its project file, the plant and the basket page.
struct TProjectContext {
    explicit TProjectContext(std::ostream& err) : dialog(err) {
        StartProgram(start);
        project = std::make_unique<TProjectFile>(start.Factory(), start.Session());
        page = std::make_unique<TBasketPage>(start.Session());
    }

    CTCliDialog dialog;
    TProgramStart start;
    TSolutionBasket& basket = start.Session().Basket();
    std::unique_ptr<TProjectFile> project;
    std::unique_ptr<TBasketPage> page;
};

std::unique_ptr<platform::CTLockedFile> Locked(const std::string& szFileName, platform::CTLockedFile::Mode mode) {
    try {
        return std::make_unique<platform::CTLockedFile>(szFileName, mode);
    } catch (const platform::CTFileError& e) {
        throw CTCriteriaError(e.what());
    }
}

void Open(TProjectContext& ctx, platform::CTLockedFile& file) {
    if (!ctx.project->OpenBytes(file.FileName(), file.ReadAll())) throw CTRefusal(file.FileName());
}

// Writes only when nothing was refused on the way.
void SaveChanged(TProjectContext& ctx, const std::string& szFileName) {
    if (ctx.dialog.Errors() > 0 || !ctx.project->SaveAs(szFileName)) throw CTRefusal(szFileName);
}

void PrintProject(TProjectContext& ctx, const std::string& szFileName, std::ostream& out) {
    out << dialogs::TBaseMsg::Translate("Project") << ' ' << szFileName;
    if (!ctx.project->v_DataVersion.empty()) {
        out << " (" << dialogs::TBaseMsg::Translate("database version") << ' ' << ctx.project->v_DataVersion << ')';
    }
    out << '\n';
    if (ctx.basket.Empty()) {
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
        throw CTCriteriaError("no solution " + szText + " (the basket holds " + std::to_string(basket.Count()) + ")");
    }
    return n;
}

// The result --pick names (a model or a grid position from 1), else the current one.
Cls_ChOutdoorUnit& PickedResult(const TCliArgs& parsed, TSettingsPage& page) {
    const TFrm_ChResultGrid& grid = page.ResultGrid();
    if (grid.UnitCount() == 0) throw CTCriteriaError("the selection found no solution");
    std::int32_t nSeqNr = 0;
    const auto pick = parsed.Value("pick");
    if (!pick) return *grid.GetCurrentChiller(nSeqNr);
    if (!pick->empty() && pick->find_first_not_of("0123456789") == std::string::npos) {
        const int n = std::stoi(*pick);
        if (n < 1 || n > grid.UnitCount()) {
            throw CTCriteriaError("--pick: " + *pick + " is not a result (1 to " + std::to_string(grid.UnitCount()) + ")");
        }
        return *grid.Column(n - 1).unit;
    }
    Cls_ChOutdoorUnit* pUnit = UnitNamed(page.Session(), *pick);
    for (int u = 0; u < grid.UnitCount(); ++u) {
        if (grid.Column(u).unit == pUnit) return *pUnit;
    }
    throw CTCriteriaError("--pick: " + *pick + " is not among the results");
}

TPanelRequirement RequirementOf(const TSettingsPage& page) {
    return TPanelRequirement{page.Panel().GetUserCoolCap(), page.Panel().GetUserHeatCap(), page.Panel().GetSelCooling()};
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

int ProjectShow(const std::string& szFileName, std::ostream& out, std::ostream& err) {
    TProjectContext ctx(err);
    if (!ctx.project->OpenFile(szFileName)) throw CTRefusal(std::string());
    PrintProject(ctx, szFileName, out);
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

}  // namespace

int RunProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TCliArgs parsed(args, TCommandSpec{{"as"}, {}, 2});
    const std::string& szAction = parsed.Positional()[0];
    const std::string& szFileName = parsed.Positional()[1];
    if (szAction == "new") return ProjectNew(szFileName, err);
    if (szAction == "show") return ProjectShow(szFileName, out, err);
    if (szAction == "save") {
        const auto szNew = parsed.Value("as");
        if (!szNew) throw CTUsageError("project save FILE --as NEW");
        return ProjectSaveAs(szFileName, *szNew, err);
    }
    throw CTUsageError("project new|show|save FILE");
}

int RunBasket(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) throw CTUsageError("basket add|remove|move FILE ...");
    const std::string szAction = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (szAction == "add") {
        TCommandSpec spec = SelectionSpec({});
        spec.valueOptions.insert("pick");
        spec.nPositional = 1;
        const TCliArgs parsed(rest, spec);
        const std::string& szFileName = parsed.Positional()[0];
        const auto file = Locked(szFileName, platform::CTLockedFile::Mode::OpenExisting);
        TProjectContext ctx(err);
        Open(ctx, *file);
        TSettingsPage page(ctx.start.Session());
        MakeSelectionOf(parsed, ctx.start, page, err);
        if (!ctx.page->AddResult(PickedResult(parsed, page), RequirementOf(page))) throw CTRefusal(szFileName);
        SaveChanged(ctx, szFileName);
        PrintProject(ctx, szFileName, out);
        return 0;
    }
    const bool bMove = szAction == "move";
    if (!bMove && szAction != "remove") throw CTUsageError("basket add|remove|move FILE ...");
    const TCliArgs parsed(rest, TCommandSpec{{}, {}, bMove ? 3 : 2});
    const std::string& szFileName = parsed.Positional()[0];
    if (bMove && parsed.Positional()[2] != "left" && parsed.Positional()[2] != "right") {
        throw CTUsageError("basket move FILE N left|right");
    }
    const auto file = Locked(szFileName, platform::CTLockedFile::Mode::OpenExisting);
    TProjectContext ctx(err);
    Open(ctx, *file);
    ctx.page->SelectColumn(PositionOf(parsed.Positional()[1], ctx.basket));
    const bool bDone = bMove ? ctx.page->MoveSelected(parsed.Positional()[2] == "right") : ctx.page->RemoveSelected();
    if (!bDone) throw CTCriteriaError("solution " + parsed.Positional()[1] + " cannot move " + parsed.Positional()[2]);
    SaveChanged(ctx, szFileName);
    PrintProject(ctx, szFileName, out);
    return 0;
}

}  // namespace brumalis::app
