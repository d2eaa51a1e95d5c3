#include "app/cli_commands.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "app/cli_args.h"
#include "app/cli_output.h"
#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "localisation/number_text.h"
#include "platform/settings_store.h"
#include "workflow/analysis_page.h"
#include "workflow/main_session.h"
#include "workflow/preferences.h"
#include "workflow/result_grid.h"
#include "workflow/selection_list.h"
#include "workflow/settings_page.h"
#include "workflow/start_up.h"
#include "workflow/temp_panel.h"

namespace brumalis::app {
namespace {

const std::set<std::string> kConditionOptions = {
    "lwe",      "dte",      "lwc",      "dtc",       "ambient",   "winter",       "heat-lwe",
    "heat-dte", "heat-lwc", "heat-dtc", "evap-brine", "evap-percent", "cond-brine", "cond-percent",
    "mode",     "units"};

// The program's start as the desktop program runs it; a failed step is bad criteria.
void Start(TProgramStart& start) {
    const TStartUpResult result = start.Run();
    if (!result.Ok) throw CTCriteriaError(result.Message);
}

bool g_bStartsOutliveCommands = false;

// A command's started program. In a process that ends right after its
// command the start outlives it, never destroyed: freeing the catalogue's
// records one by one takes longer than a selection. A static pointer keeps
// it reachable, so leak checkers do not report it.
class TCommandStart {
public:
    TCommandStart() : v_start(std::make_unique<TProgramStart>()) { Start(*v_start); }
    ~TCommandStart() {
        static auto* const pKept = new std::vector<std::unique_ptr<TProgramStart>>;
        if (g_bStartsOutliveCommands) pKept->push_back(std::move(v_start));
    }
    TCommandStart(const TCommandStart&) = delete;
    TCommandStart& operator=(const TCommandStart&) = delete;

    TProgramStart& Get() { return *v_start; }

private:
    std::unique_ptr<TProgramStart> v_start;
};

}  // namespace

std::int32_t CondenserOf(const std::string& szName) {
    static const std::map<std::string, std::int32_t> kNames = {{"air", 0}, {"water", 1}, {"condenserless", 2}};
    const auto it = kNames.find(szName);
    if (it == kNames.end()) throw CTCriteriaError(CliText("--condenser: '$1' is not air, water or condenserless", {szName}));
    return it->second;
}

std::int32_t FamilyOf(const std::string& szName) {
    static const std::map<std::string, std::int32_t> kNames = {
        {"cooling", 4}, {"heatpump", 2}, {"recovery", 1}, {"heating", 8}, {"condensing", 16}};
    const auto it = kNames.find(szName);
    if (it == kNames.end()) {
        throw CTCriteriaError(
            CliText("--family: '$1' is not cooling, heatpump, recovery, heating or condensing", {szName}));
    }
    return it->second;
}

namespace {

using platform::EqualsIgnoringCase;

// Display units: "si", "imperial" or "quantity=caption,…".
void ApplyUnits(const std::string& szSpec) {
    struct TChoice {
        U_RepUnit unit;
        int si;
        int imperial;
        const char* name;
    };
    static const TChoice kChoices[] = {{U_Temperature, 0, 1, "temperature"}, {U_Power, 0, 2, "power"},
                                       {U_Airflow, 0, 5, "flow"},          {U_Pressure, 1, 1, "pressure"},
                                       {U_Length, 0, 1, "length"}};
    if (szSpec == "si" || szSpec == "imperial") {
        for (const TChoice& c : kChoices) TU_Form::SetNewIndex(c.unit, szSpec == "si" ? c.si : c.imperial, false);
        return;
    }
    std::size_t pos = 0;
    while (pos <= szSpec.size()) {
        const std::size_t end = std::min(szSpec.find(',', pos), szSpec.size());
        const std::string pair = szSpec.substr(pos, end - pos);
        const std::size_t eq = pair.find('=');
        const auto choice = std::find_if(std::begin(kChoices), std::end(kChoices),
                                         [&](const TChoice& c) { return pair.substr(0, eq) == c.name; });
        if (eq == std::string::npos || choice == std::end(kChoices)) {
            throw CTCriteriaError(CliText("--units: '$1' is not si, imperial or quantity=unit", {pair}));
        }
        int nFound = -1;
        for (int i = 0; i < TU_Form::DimensionCount(choice->unit); ++i) {
            // The caption as shown, or its English term.
            const std::string caption = TU_Form::GetSpecificString(choice->unit, i), typed = pair.substr(eq + 1);
            if (caption == typed || caption == dialogs::TBaseMsg::Translate(typed)) nFound = i;
        }
        if (nFound < 0) throw CTCriteriaError(CliText("--units: no unit '$1' for $2", {pair.substr(eq + 1), choice->name}));
        TU_Form::SetNewIndex(choice->unit, nFound, false);
        pos = end + 1;
    }
}

// Keeps the stored display units apart from a run's --units choice.
class TUnitChoice {
public:
    explicit TUnitChoice(const std::optional<std::string>& szSpec) {
        for (int q = 0; q < kQuantities; ++q) v_stored[q] = TU_Form::GetNewIndex(static_cast<U_RepUnit>(q));
        if (szSpec) ApplyUnits(*szSpec);
    }
    // The preferences are written with the user's own units.
    template <class Fn>
    void WithStoredUnits(Fn fn) {
        int current[kQuantities];
        for (int q = 0; q < kQuantities; ++q) current[q] = TU_Form::GetNewIndex(static_cast<U_RepUnit>(q));
        for (int q = 0; q < kQuantities; ++q) TU_Form::SetNewIndex(static_cast<U_RepUnit>(q), v_stored[q], false);
        fn();
        for (int q = 0; q < kQuantities; ++q) TU_Form::SetNewIndex(static_cast<U_RepUnit>(q), current[q], false);
    }

private:
    static constexpr int kQuantities = U_Temperature + 1;
    int v_stored[kQuantities] = {};
};

Cls_ChGlycol* BrineNamed(const TMainSession& session, const std::string& szName) {
    for (const auto& pBrine : session.v_Glycols) {
        if (EqualsIgnoringCase(pBrine->GetName(), szName)) return pBrine.get();
    }
    std::string known;
    for (const auto& pBrine : session.v_Glycols) known += (known.empty() ? "" : ", ") + pBrine->GetName();
    throw CTCriteriaError(CliText("unknown brine '$1' (the catalogue has: $2)", {szName, known}));
}

// The typed values go through the panel as a user's typing would; the
// clamped ones are reported.
struct TEntryOption {
    const char* option;
    TPanelEntry entry;
};
constexpr TEntryOption kEntryOptions[] = {
    {"cooling", TPanelEntry::CoolCapacity}, {"lwe", TPanelEntry::CoolLeavingE},     {"dte", TPanelEntry::CoolDeltaTE},
    {"lwc", TPanelEntry::CoolLeavingC},     {"dtc", TPanelEntry::CoolDeltaTC},      {"ambient", TPanelEntry::Ambient},
    {"heating", TPanelEntry::HeatCapacity}, {"heat-lwe", TPanelEntry::HeatLeavingE}, {"heat-dte", TPanelEntry::HeatDeltaTE},
    {"heat-lwc", TPanelEntry::HeatLeavingC}, {"heat-dtc", TPanelEntry::HeatDeltaTC}, {"winter", TPanelEntry::Winter}};

std::string Note(const std::string& szOption, const char* szText, const std::vector<std::string>& params = {}) {
    return "--" + szOption + " " + CliText(szText, params);
}

std::vector<std::string> EnterConditions(const TCliArgs& args, TFrm_ChTempPanel& panel) {
    std::vector<std::string> notes;
    for (const TEntryOption& e : kEntryOptions) {
        if (!args.Value(e.option)) continue;
        const std::string typed = Number2Str(15, *args.Number(e.option));
        const TEntryReport report = panel.TypeValue(e.entry, typed);
        if (!report.Shown) {
            notes.push_back(Note(e.option, "does not apply to this selection and was ignored"));
        } else if (report.Result.Refused) {
            throw CTCriteriaError(Note(e.option, "$1: a required capacity cannot be negative", {typed}));
        } else if (report.Result.Clamped) {
            notes.push_back(Note(e.option, "$1 is outside the range and was taken as $2", {typed, report.Result.Shown}));
        }
    }
    return notes;
}

// A brine by name, a percentage ("Change % weight"), or both; a percentage
// alone applies to the brine in force.
void ChooseBrines(const TCliArgs& args, const TMainSession& session, TFrm_ChBrine& evap, TFrm_ChBrine& cond,
                  const TBrinePanels& shown, std::vector<std::string>& notes) {
    const auto choose = [&](TFrm_ChBrine& frame, bool bShown, const char* szBrine, const char* szPercent) {
        const auto name = args.Value(szBrine);
        const Cls_ChGlycol* pBrine = name ? BrineNamed(session, *name) : nullptr;
        const auto percent = args.Value(szPercent) ? args.Number(szPercent) : std::nullopt;
        if (!bShown) {
            if (name) notes.push_back(Note(szBrine, "does not apply to this selection and was ignored"));
            if (percent) notes.push_back(Note(szPercent, "does not apply to this selection and was ignored"));
            return;
        }
        if (pBrine) frame.SelectBrine(pBrine);
        if (percent) ForceBrinePercentage(frame, Number2Str(15, *percent));
    };
    choose(evap, shown.Evaporator, "evap-brine", "evap-percent");
    choose(cond, shown.Condenser, "cond-brine", "cond-percent");
}

void PrintNotes(const std::vector<std::string>& notes, std::ostream& err) {
    for (const std::string& note : notes) err << "brumalis: " << note << '\n';
}

// The stored temperatures for a row or unit of that condenser type, in the
// heat-pump mode --mode asks for.
TSelTempData StoredTemperatures(const TCliArgs& args, std::int32_t nCondenser) {
    TSelTempData stored = TFrm_Preferences::GetTempData(nCondenser);
    if (const auto mode = args.Value("mode")) {
        if (*mode != "cooling" && *mode != "heating") {
            throw CTCriteriaError(CliText("--mode: '$1' is not cooling or heating", {*mode}));
        }
        stored.SelectCooling = *mode == "cooling";
    }
    return stored;
}

// A catalogue name as shown, or as typed in English when the catalogue
// texts are translated.
bool NameMatches(const std::string& szShown, const std::string& szTyped, const CTGlossary* pGlossary) {
    if (EqualsIgnoringCase(szShown, szTyped)) return true;
    if (!pGlossary) return false;
    const auto translated = pGlossary->Translate(szTyped);
    return translated && EqualsIgnoringCase(szShown, *translated);
}

template <class T>
void CheckNamed(const CTRecordList<T>& list, const std::string& szName, const char* szOption,
                const CTGlossary* pGlossary) {
    for (const auto& p : list) {
        if (NameMatches(p->GetName(), szName, pGlossary)) return;
    }
    throw CTCriteriaError(CliText("--$1: the catalogue has no '$2'", {szOption, szName}));
}

// The row as the stored preferences select it, or as the options name it.
void SelectRow(const TCliArgs& args, const TMainSession& session, const TPreferences& prefs, TFrm_ChSelection& list,
               const CTGlossary* pGlossary) {
    const bool bNamed = args.Value("condenser") || args.Value("family") || args.Value("compressor") ||
                        args.Value("refrigerant");
    if (!bNamed) {
        list.SetSelectionCriteria(prefs.CONDENSER, prefs.FAMILY, prefs.REFRIGERANT, prefs.COMPRESSOR);
        return;
    }
    const std::int32_t nCondenser = args.Value("condenser") ? CondenserOf(*args.Value("condenser")) : prefs.CONDENSER;
    const std::int32_t nFamily = args.Value("family") ? FamilyOf(*args.Value("family")) : prefs.FAMILY;
    const auto compressor = args.Value("compressor");
    const auto refrigerant = args.Value("refrigerant");
    if (compressor) CheckNamed(session.v_Compressors, *compressor, "compressor", pGlossary);
    if (refrigerant) CheckNamed(session.v_Refrigerants, *refrigerant, "refrigerant", pGlossary);
    if (!compressor && !refrigerant) {
        list.SetSelectionCriteria(nCondenser, nFamily, 0, 0);  // the all-row, or the kind's last row
        if (list.SelectedRow() >= 0) return;
    }
    const auto& rows = list.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TSelectionRow& row = rows[i];
        if (row.Condenser != nCondenser || row.Family != nFamily || row.Compressor == TFrm_ChSelection::kAllRowText) {
            continue;
        }
        if (compressor && !NameMatches(row.Compressor, *compressor, pGlossary)) continue;
        if (refrigerant && !NameMatches(row.Refrigerant, *refrigerant, pGlossary)) continue;
        list.SelectRow(static_cast<int>(i));
        return;
    }
    const std::string row = CondenserText(nCondenser) + ", " + FamilyText(nFamily) +
                            (compressor ? ", " + *compressor : std::string()) +
                            (refrigerant ? ", " + *refrigerant : std::string());
    throw CTCriteriaError(CliText("no selectable units match $1 (see brumalis list)", {row}));
}

// "--versions S,X,P,*" and "--sounds S,L,R,X": the ticked variants.
void ApplyVariantOptions(const TCliArgs& args, TSettingsPage& page) {
    using A = TFrm_ChApplicationOptions;
    const auto apply = [&](const char* szOption, const std::vector<std::pair<std::string, A::TBoxIndex>>& boxes) {
        const auto value = args.Value(szOption);
        if (!value) return;
        std::set<std::string> letters;
        std::size_t pos = 0;
        while (pos <= value->size()) {
            const std::size_t end = std::min(value->find(',', pos), value->size());
            letters.insert(value->substr(pos, end - pos));
            pos = end + 1;
        }
        for (const std::string& letter : letters) {
            if (std::none_of(boxes.begin(), boxes.end(), [&](const auto& b) { return b.first == letter; })) {
                throw CTCriteriaError(CliText("--$1: unknown variant '$2'", {szOption, letter}));
            }
        }
        for (const auto& [letter, box] : boxes) page.SetApplicationOption(box, letters.count(letter) != 0);
    };
    apply("versions", {{"S", A::bxVersionS}, {"X", A::bxVersionX}, {"P", A::bxVersionP}, {"*", A::bxVersionA}});
    apply("sounds", {{"S", A::bxSoundS}, {"L", A::bxSoundL}, {"R", A::bxSoundR}, {"X", A::bxSoundX}});
}

void SortGrid(TFrm_ChResultGrid& grid, int nTag) {
    if (nTag == grid.GetSortTag()) return;
    for (int r = 0; r < grid.RowCount(); ++r) {
        if (grid.Row(r).tag == nTag) {
            grid.ClickRowTitle(r);
            return;
        }
    }
    throw CTCriteriaError(CliText("--sort: the result grid of this selection has no such row"));
}

int SortTagOf(const std::string& szName) {
    static const std::map<std::string, int> kTags = {{"deviation", 2}, {"price", 3}, {"eer", 4}, {"cop", 5},
                                                     {"eseer", 6},     {"iplv", 7},  {"sound", 8}};
    const auto it = kTags.find(szName);
    if (it == kTags.end()) throw CTCriteriaError(CliText("--sort: '$1' is not a sort key", {szName}));
    return it->second;
}

}  // namespace

int RunList(const std::vector<std::string>& args, std::ostream& out) {
    TCliArgs parsed(args, TCommandSpec{{"units"}, {}, 0, {}});
    TCommandStart command;
    TProgramStart& start = command.Get();
    TUnitChoice units(parsed.Value("units"));
    TFrm_ChSelection list;
    TMainSession& session = start.Session();
    list.SetupWindow(session.v_Limits.get(), {});
    if (list.DisplaySelections(session.v_PrefChillers, session.v_Compressors, session.v_Refrigerants) != 0) {
        out << dialogs::TBaseMsg::GetUnicodeString(kMsgNoSelectableChillers) << '\n';
        return 0;
    }
    std::vector<std::vector<std::string>> table = {{}};
    for (const char* szTitle : {"Condenser", "Family", "Compressor", "Refrigerant", "Capacity from", "Capacity to"}) {
        table.front().push_back(dialogs::TBaseMsg::Translate(szTitle));
    }
    for (int r = 0; r < static_cast<int>(list.Rows().size()); ++r) {
        const TSelectionRow& row = list.Rows()[static_cast<std::size_t>(r)];
        const TFrm_ChSelection::TCapacityTexts range = list.CapacityRange(r);
        table.push_back({row.CondenserCaption, row.FamilyCaption, row.Compressor, row.Refrigerant, range.From, range.To});
    }
    PrintTable(table, {false, false, false, false, true, true}, out);
    return 0;
}

namespace {

// "--max N": the preferences dialog offers 1 to 10.
int MaxSolutionsOf(const TCliArgs& args) {
    if (!args.Value("max")) return 0;
    const double dMax = *args.Number("max");
    if (dMax < 1.0) throw CTCriteriaError("--max: " + CliText("at least 1 solution"));
    if (dMax > kMaxSolutionsShown) {
        throw CTCriteriaError("--max: " + CliText("at most 10 solutions"));
    }
    return static_cast<int>(dMax);
}

std::vector<TRejection> Rejections(const TMainSession& session) {
    const TPreferences& prefs = TFrm_Preferences::Values();
    std::vector<TRejection> rejected;
    for (Cls_ChOutdoorUnit* pUnit : session.v_NonSelected) {
        rejected.push_back(TRejection{DisplayName(*pUnit),
                                      RejectionDetailsOf(*pUnit, TMainSession::kSelectionSeqNr, session,
                                                         prefs.NEGCOOLING, prefs.POSCOOLING, prefs.NEGHEATING,
                                                         prefs.POSHEATING)});
    }
    return rejected;
}

}  // namespace

TCommandSpec SelectionSpec(std::set<std::string> flags) {
    TCommandSpec spec{kConditionOptions, std::move(flags), 0, {}};
    spec.valueOptions.insert({"condenser", "family", "compressor", "refrigerant", "cooling", "heating", "versions",
                              "sounds", "max", "sort"});
    spec.flags.insert("no-store");
    return spec;
}

void StartProgram(TProgramStart& start) { Start(start); }

void LetStartsOutliveCommands() { g_bStartsOutliveCommands = true; }

int MakeSelectionOf(const TCliArgs& parsed, TProgramStart& start, TSettingsPage& page, std::ostream& err) {
    TMainSession& session = start.Session();
    TUnitChoice units(parsed.Value("units"));
    page.SetupWindow();
    SelectRow(parsed, session, TFrm_Preferences::Values(), page.List(), start.CatalogueGlossary());
    page.LoadTemperatures(StoredTemperatures(parsed, page.List().GetSelCondenser()));
    ApplyVariantOptions(parsed, page);
    std::vector<std::string> notes = EnterConditions(parsed, page.Panel());
    ChooseBrines(parsed, session, page.EvaporatorBrine(), page.CondenserBrine(),
                 TBrinePanels{page.EvaporatorBrineShown(), page.CondenserBrineShown()}, notes);
    PrintNotes(notes, err);
    const int nMax = MaxSolutionsOf(parsed);

    page.SetPreferencesWriter([&units] { units.WithStoredUnits([] { TFrm_Preferences::WriteRegistry(); }); });
    page.MakeSelection(!parsed.Flag("no-store"), nMax);
    page.SetPreferencesWriter({});
    if (const auto sort = parsed.Value("sort")) SortGrid(page.ResultGrid(), SortTagOf(*sort));
    return nMax;
}

int RunSelect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TCliArgs parsed(args, SelectionSpec({"json"}));
    TCommandStart command;
    TProgramStart& start = command.Get();
    TMainSession& session = start.Session();
    TSettingsPage page(session);
    const int nMax = MakeSelectionOf(parsed, start, page, err);
    TFrm_ChResultGrid& grid = page.ResultGrid();

    const std::vector<TRejection> rejected = Rejections(session);
    const TSelectionRequest request = page.Request(nMax);
    if (parsed.Flag("json")) {
        WriteJson(grid, request.Temperatures, request.ReqCool, request.ReqHeat, rejected, out);
    } else {
        out << dialogs::TBaseMsg::Translate("Solutions found") << '\n';
        PrintGrid(grid, out);
        PrintRejected(rejected, out);
    }
    return 0;
}

namespace {

// Model names compared ignoring case and blanks ("ACS 033 -SL", "acs033-sl").
std::string Squeezed(const std::string& szName) {
    std::string squeezed;
    for (const char c : szName) {
        if (c != ' ') squeezed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return squeezed;
}

// Edit distance of two short names, for the close matches of a typo.
std::size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

Cls_ChOutdoorUnit* UnitNamed(const TMainSession& session, const std::string& szModel) {
    const std::string wanted = Squeezed(szModel);
    for (Cls_ChOutdoorUnit* pUnit : session.v_PrefChillers) {
        if (Squeezed(DisplayName(*pUnit)) == wanted) return pUnit;
    }
    constexpr std::size_t kCloseMatches = 8;
    std::vector<std::pair<std::size_t, std::string>> close;
    for (Cls_ChOutdoorUnit* pUnit : session.v_PrefChillers) {
        const std::string name = DisplayName(*pUnit);
        const std::size_t d = Distance(Squeezed(name), wanted);
        if (d <= 2 || Squeezed(name).rfind(wanted, 0) == 0) close.emplace_back(d, name);
    }
    std::stable_sort(close.begin(), close.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    std::string list;
    for (std::size_t i = 0; i < close.size() && i < kCloseMatches; ++i) list += (i ? ", " : "") + close[i].second;
    throw CTCriteriaError(list.empty() ? CliText("unknown model '$1' (see brumalis list and brumalis select)", {szModel})
                                       : CliText("unknown model '$1' (close matches: $2)", {szModel, list}));
}

namespace {

struct TOptionFlag {
    const char* flag;
    TAnalysisOption option;
};
constexpr TOptionFlag kOptionFlags[] = {{"low-noise", TAnalysisOption::LowNoise},
                                        {"heat-recovery", TAnalysisOption::HeatRecovery},
                                        {"pump", TAnalysisOption::Pump}};

// A ticked option control, on the named item (or the first one).
void ChooseOptions(const TCliArgs& args, TAnalysisPage& page, const Cls_ChOutdoorUnit& unit) {
    for (const TOptionFlag& f : kOptionFlags) {
        if (!args.Flag(f.flag)) continue;
        const TAnalysisCombo& combo = page.Combo(f.option);
        if (!combo.Visible) throw CTCriteriaError(CliText("$1 has no option for --$2", {DisplayName(unit), f.flag}));
        page.TickOption(f.option, true);
        const auto name = args.Value(f.flag);
        if (!name) continue;
        const auto it = std::find_if(combo.Names.begin(), combo.Names.end(), [&](const std::string& item) {
            return EqualsIgnoringCase(item, *name) || EqualsIgnoringCase(item.substr(0, item.find(" - ")), *name);
        });
        if (it == combo.Names.end()) {
            std::string known;
            for (const std::string& item : combo.Names) known += (known.empty() ? "" : ", ") + item;
            throw CTCriteriaError(
                CliText("--$1: $2 has no '$3' (it has: $4)", {f.flag, DisplayName(unit), *name, known}));
        }
        page.ChooseOption(f.option, static_cast<int>(it - combo.Names.begin()));
    }
}

}  // namespace

TCommandSpec AnalyseSpec(std::set<std::string> flags) {
    TCommandSpec spec{kConditionOptions, std::move(flags), 1, {"low-noise", "heat-recovery", "pump"}};
    spec.valueOptions.insert("distance");
    return spec;
}

void PrepareAnalysis(const TCliArgs& parsed, TProgramStart& start, TAnalysisPage& page, std::ostream& err) {
    TMainSession& session = start.Session();
    TUnitChoice units(parsed.Value("units"));
    Cls_ChOutdoorUnit& unit = *UnitNamed(session, parsed.Positional().front());
    const double dDistance = parsed.Value("distance") ? *parsed.Number("distance") : TAnalysisPage::kDefaultDistance;
    if (dDistance < TAnalysisPage::kMinDistance || dDistance > TAnalysisPage::kMaxDistance) {
        throw CTCriteriaError(CliText("--distance: between 1 and 20 m"));
    }
    page.SetupWindow();
    page.ChooseUnit(&unit);
    page.StartOnUserDefined();
    page.LoadTemperatures(StoredTemperatures(parsed, unit.GetCondenserType()));
    std::vector<std::string> notes = EnterConditions(parsed, page.Panel());
    ChooseBrines(parsed, session, page.EvaporatorBrine(), page.CondenserBrine(),
                 TBrinePanels{page.EvaporatorBrineShown(), page.CondenserBrineShown()}, notes);
    PrintNotes(notes, err);
    ChooseOptions(parsed, page, unit);
    page.EnterDistance(Number2Str(15, dDistance));
}

int RunAnalyse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TCliArgs parsed(args, AnalyseSpec({"json"}));
    TCommandStart command;
    TProgramStart& start = command.Get();
    // The Settings page only for the analysis page's wiring: the command
    // analyses a chosen unit, never a result.
    TSettingsPage settings(start.Session());
    TAnalysisPage page(start.Session(), settings);
    PrepareAnalysis(parsed, start, page, err);

    if (parsed.Flag("json")) {
        WriteJson(page.Grid(), page.Temperatures(), 0.0, 0.0, {}, out);
        return 0;
    }
    out << page.LightText() << "\n\n";
    PrintGrid(page.Grid(), out);
    if (page.PumpPanelShown()) {
        out << '\n' << dialogs::TBaseMsg::Translate("Available pump pressure:") << ' ' << page.PumpESPText() << '\n';
    }
    return 0;
}

}  // namespace brumalis::app
