#include "app/cli_commands.h"

#include <algorithm>
#include <memory>

#include "app/cli_args.h"
#include "app/cli_output.h"
#include "catalogue/catalogue_schema.h"
#include "catalogue/refrigerants.h"
#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "localisation/glossary.h"
#include "localisation/number_text.h"
#include "objectstore/streams.h"
#include "platform/resources.h"
#include "platform/settings_store.h"
#include "workflow/brine_frame.h"
#include "workflow/main_session.h"
#include "workflow/preferences.h"
#include "workflow/result_grid.h"
#include "workflow/selection_list.h"
#include "workflow/temp_panel.h"

namespace brumalis::app {
namespace {

const std::set<std::string> kConditionOptions = {
    "lwe",      "dte",      "lwc",      "dtc",       "ambient",   "winter",       "heat-lwe",
    "heat-dte", "heat-lwc", "heat-dtc", "evap-brine", "evap-percent", "cond-brine", "cond-percent",
    "mode",     "units"};

constexpr const char* kPriceFileKey = "Software\\Orvane";

// The program's start as far as a selection needs it: the catalogue, the
// translations, the stored preferences and the catalogue lists.
class TProgram {
public:
    TProgram() {
        InstallTranslation();
        v_previousStoreMessages = dialogs::InstallStoreMessageDisplay();
        factory = SetUpCatalogueDatabaseSet();
        if (!factory->Connect(false) || !factory->DatabaseConnected(dbDeviceDatabase)) {
            throw CTCriteriaError("the embedded catalogue cannot be read");
        }
        if (!Cls_DdbVersionInfo::CheckVersion(ExpectedStructureVersion(), factory.get(), false)) {
            throw CTCriteriaError("the embedded catalogue has another structure version than the program");
        }
        TU_Form::InitializeUnits();
        TU_Form::AddDisplayUnits();
        LoadNotAllowedRefrigerants();
        // The prices file the user chose in the desktop program, when there is one.
        if (!Cls_PriceAndPrefsFile::GetFileName(kPriceFileKey, false).empty()) {
            Cls_PriceAndPrefsFile::LoadFile(kPriceFileKey, false);
        }
        session.LoadCatalogue(*factory);
        TFrm_Preferences::ReadRegistry(*session.v_Limits);
    }
    ~TProgram() {
        // The session's records go before the factory (members in reverse order).
        CTDbObject::SetDefaultFactory(nullptr);
        dialogs::TBaseMsg::SetTranslateFunc({});
        SetMessageCallback(v_previousStoreMessages);
    }
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    std::unique_ptr<CTFactory> factory;
    TMainSession session;

private:
    void InstallTranslation() {
        if (dialogs::TBaseMsg::TranslationDisabled()) return;
        const auto blob = platform::FindBlob("UIGLOSSARY");
        if (!blob) return;
        CTGlossary::SetUseCompression(true, "QXZ");
        CTByteViewStream stream(*blob);
        if (!v_glossary.LoadTermsFromStream(stream, true, true, "UIGlossary")) return;
        dialogs::TBaseMsg::SetTranslateFunc(
            [this](const std::string& szText) { return v_glossary.Translate(szText).value_or(szText); });
    }

    CTGlossary v_glossary;
    CTMessageCallback v_previousStoreMessages;
};

std::int32_t CondenserOf(const std::string& szName) {
    static const std::map<std::string, std::int32_t> kNames = {{"air", 0}, {"water", 1}, {"condenserless", 2}};
    const auto it = kNames.find(szName);
    if (it == kNames.end()) throw CTCriteriaError("--condenser: '" + szName + "' is not air, water or condenserless");
    return it->second;
}

std::int32_t FamilyOf(const std::string& szName) {
    static const std::map<std::string, std::int32_t> kNames = {
        {"cooling", 4}, {"heatpump", 2}, {"recovery", 1}, {"heating", 8}, {"condensing", 16}};
    const auto it = kNames.find(szName);
    if (it == kNames.end()) {
        throw CTCriteriaError("--family: '" + szName + "' is not cooling, heatpump, recovery, heating or condensing");
    }
    return it->second;
}

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
            throw CTCriteriaError("--units: '" + pair + "' is not si, imperial or quantity=unit");
        }
        int nFound = -1;
        for (int i = 0; i < TU_Form::DimensionCount(choice->unit); ++i) {
            if (TU_Form::GetSpecificString(choice->unit, i) == pair.substr(eq + 1)) nFound = i;
        }
        if (nFound < 0) throw CTCriteriaError("--units: no unit '" + pair.substr(eq + 1) + "' for " + choice->name);
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
    throw CTCriteriaError("unknown brine '" + szName + "' (the catalogue has: " + known + ")");
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

std::vector<std::string> EnterConditions(const TCliArgs& args, TFrm_ChTempPanel& panel) {
    std::vector<std::string> notes;
    for (const TEntryOption& e : kEntryOptions) {
        if (!args.Value(e.option)) continue;
        const double dTyped = *args.Number(e.option);
        if (!panel.EntryShown(e.entry)) {
            notes.push_back(std::string("--") + e.option + " does not apply to this selection and was ignored");
            continue;
        }
        const TTypedEntry result = panel.EnterValue(e.entry, Number2Str(15, dTyped));
        if (result.Clamped) {
            notes.push_back(std::string("--") + e.option + " " + Number2Str(15, dTyped) + " is outside the range and was taken as " +
                            result.Shown);
        }
    }
    return notes;
}

void SetupBrines(const TCliArgs& args, TMainSession& session, TFrm_ChBrine& evap, TFrm_ChBrine& cond,
                 std::int32_t nSeqNr) {
    evap.SetupWindow(nSeqNr, session.v_Glycols, session.v_Controllers, {}, {});
    cond.SetupWindow(nSeqNr, session.v_Glycols, session.v_Controllers, {}, {});
    const auto choose = [&](TFrm_ChBrine& frame, const char* szBrine, const char* szPercent) {
        if (const auto name = args.Value(szBrine)) frame.SelectBrine(BrineNamed(session, *name));
        if (args.Value(szPercent)) {
            frame.SetChangeWeight(true);
            frame.EnterPercentage(Number2Str(15, *args.Number(szPercent)));
        }
    };
    choose(evap, "evap-brine", "evap-percent");
    choose(cond, "cond-brine", "cond-percent");
}

// The brine checks of the Settings page after the temperatures are in.
void UpdateBrines(std::int32_t nCondenser, std::int32_t nFamily, const TFrm_ChTempPanel& panel, TFrm_ChBrine& evap,
                  TFrm_ChBrine& cond) {
    if (nFamily == famCondensingUnit) {
        evap.SetBrineSettings(nullptr, true, 0.0);
    } else {
        evap.UpdateEvaporatorBrinePercentage(nFamily == famHeatingOnly ? panel.GetHeatLeavingE() : panel.GetCoolLeavingE());
    }
    if (nCondenser == ctWaterCooled) {
        cond.UpdateCondenserBrinePercentage(panel.GetCoolLeavingC());
    } else {
        cond.SetBrineSettings(nullptr, true, 0.0);
    }
}

void PrintNotes(const std::vector<std::string>& notes, std::ostream& err) {
    for (const std::string& note : notes) err << "brumalis: " << note << '\n';
}

// The Settings page (data set 1) or the Analysis page (2): the panel laid out
// for the row or unit with the stored temperatures, the typed values, then
// the brine checks.
void EnterCriteria(const TCliArgs& args, TMainSession& session, std::int32_t nCondenser, std::int32_t nFamily,
                   std::int32_t nSeqNr, TFrm_ChTempPanel& panel, TFrm_ChBrine& evap, TFrm_ChBrine& cond,
                   std::ostream& err) {
    panel.SetupWindow(*session.v_Limits, nSeqNr == TMainSession::kAnalysisSeqNr, TU_Form::GetNewIndex(U_Power),
                      TU_Form::GetNewIndex(U_Temperature), {}, {}, {}, {});
    TSelTempData stored = TFrm_Preferences::GetTempData(nCondenser);
    if (const auto mode = args.Value("mode")) {
        if (*mode != "cooling" && *mode != "heating") {
            throw CTCriteriaError("--mode: '" + *mode + "' is not cooling or heating");
        }
        stored.SelectCooling = *mode == "cooling";
    }
    panel.SetTempData(stored);
    panel.ShowCapacityBoxes(nCondenser, nFamily);
    PrintNotes(EnterConditions(args, panel), err);
    SetupBrines(args, session, evap, cond, nSeqNr);
    UpdateBrines(nCondenser, nFamily, panel, evap, cond);
}

template <class T>
std::int32_t IDNamed(const CTRecordList<T>& list, const std::string& szName, const char* szOption) {
    for (const auto& p : list) {
        if (EqualsIgnoringCase(p->GetName(), szName)) return p->GetID();
    }
    throw CTCriteriaError(std::string("--") + szOption + ": the catalogue has no '" + szName + "'");
}

// The row as the stored preferences select it, or as the options name it.
void SelectRow(const TCliArgs& args, const TMainSession& session, const TPreferences& prefs, TFrm_ChSelection& list) {
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
    if (compressor) IDNamed(session.v_Compressors, *compressor, "compressor");
    if (refrigerant) IDNamed(session.v_Refrigerants, *refrigerant, "refrigerant");
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
        if (compressor && !EqualsIgnoringCase(row.Compressor, *compressor)) continue;
        if (refrigerant && !EqualsIgnoringCase(row.Refrigerant, *refrigerant)) continue;
        list.SelectRow(static_cast<int>(i));
        return;
    }
    throw CTCriteriaError("no selectable units match " + CondenserText(nCondenser) + ", " + FamilyText(nFamily) +
                          (compressor ? ", " + *compressor : std::string()) +
                          (refrigerant ? ", " + *refrigerant : std::string()) + " (see brumalis list)");
}

// "--versions S,X,P,*" and "--sounds S,L,R,X": the ticked variants.
void ApplyVariantOptions(const TCliArgs& args, TFrm_ChApplicationOptions& appl) {
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
                throw CTCriteriaError(std::string("--") + szOption + ": unknown variant '" + letter + "'");
            }
        }
        for (const auto& [letter, box] : boxes) appl.SetBox(box, letters.count(letter) != 0);
    };
    apply("versions", {{"S", A::bxVersionS}, {"X", A::bxVersionX}, {"P", A::bxVersionP}, {"*", A::bxVersionA}});
    apply("sounds", {{"S", A::bxSoundS}, {"L", A::bxSoundL}, {"R", A::bxSoundR}, {"X", A::bxSoundX}});
}

// What "Make Selection" stores: the brines in use as default brine, the
// criteria and temperatures as preferences.
void StoreRun(const TMainSession& session, const TFrm_ChSelection& list, const TFrm_ChTempPanel& panel,
              const TFrm_ChBrine& evap, const TFrm_ChBrine& cond, TUnitChoice& units) {
    for (const Cls_ChGlycol* pBrine : {evap.GetBrine(), cond.GetBrine()}) {
        if (pBrine) Cls_ChGlycol::SetRegDefault(pBrine->GetID());
    }
    std::int32_t nCondenser = 0, nFamily = 0, nRefrigerant = 0, nCompressor = 0;
    list.GetSelectionCriteria(nCondenser, nFamily, nRefrigerant, nCompressor);
    TFrm_Preferences::StoreCriteria(nCondenser, nFamily, nRefrigerant, nCompressor, panel.GetTempData(),
                                    *session.v_Limits);
    units.WithStoredUnits([] { TFrm_Preferences::WriteRegistry(); });
}

void SortGrid(TFrm_ChResultGrid& grid, int nTag) {
    if (nTag == grid.GetSortTag()) return;
    for (int r = 0; r < grid.RowCount(); ++r) {
        if (grid.Row(r).tag == nTag) {
            grid.ClickRowTitle(r);
            return;
        }
    }
    throw CTCriteriaError("--sort: the result grid of this selection has no such row");
}

int SortTagOf(const std::string& szName) {
    static const std::map<std::string, int> kTags = {{"deviation", 2}, {"price", 3}, {"eer", 4}, {"cop", 5},
                                                     {"eseer", 6},     {"iplv", 7},  {"sound", 8}};
    const auto it = kTags.find(szName);
    if (it == kTags.end()) throw CTCriteriaError("--sort: '" + szName + "' is not a sort key");
    return it->second;
}

}  // namespace

int RunList(const std::vector<std::string>& args, std::ostream& out) {
    TCliArgs parsed(args, TCommandSpec{{"units"}, {}, 0});
    TProgram program;
    TUnitChoice units(parsed.Value("units"));
    TFrm_ChSelection list;
    list.SetupWindow(program.session.v_Limits.get(), {});
    if (list.DisplaySelections(program.session.v_PrefChillers, program.session.v_Compressors,
                               program.session.v_Refrigerants) != 0) {
        out << dialogs::TBaseMsg::GetUnicodeString(kMsgNoSelectableChillers) << '\n';
        return 0;
    }
    std::vector<std::vector<std::string>> table = {
        {"Condenser", "Family", "Compressor", "Refrigerant", "Capacity from", "Capacity to"}};
    for (const TSelectionRow& row : list.Rows()) {
        table.push_back({row.CondenserCaption, row.FamilyCaption, row.Compressor, row.Refrigerant, row.CapacityFrom,
                         row.CapacityTo});
    }
    PrintTable(table, {false, false, false, false, true, true}, out);
    return 0;
}

int RunSelect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TCommandSpec spec{kConditionOptions, {"json", "no-store"}, 0};
    spec.valueOptions.insert({"condenser", "family", "compressor", "refrigerant", "cooling", "heating", "versions",
                              "sounds", "max", "sort"});
    TCliArgs parsed(args, spec);
    TProgram program;
    TMainSession& session = program.session;
    TPreferences& prefs = TFrm_Preferences::Values();
    TUnitChoice units(parsed.Value("units"));

    TFrm_ChSelection list;
    list.SetupWindow(session.v_Limits.get(), {});
    list.DisplaySelections(session.v_PrefChillers, session.v_Compressors, session.v_Refrigerants);
    SelectRow(parsed, session, prefs, list);
    const std::int32_t nCondenser = list.GetSelCondenser(), nFamily = list.GetSelFamily();

    TFrm_ChApplicationOptions appl;
    appl.SetupWindow(false);
    appl.SetOptionSettings(TRepApplOptions{true, prefs.VERSION_X, prefs.VERSION_P, prefs.VERSION_A, true,
                                           prefs.SOUND_L, prefs.SOUND_R, prefs.SOUND_X});
    appl.ShowOptions(list.GetSelChillers());
    ApplyVariantOptions(parsed, appl);

    TFrm_ChTempPanel panel;
    TFrm_ChBrine evap, cond;
    EnterCriteria(parsed, session, nCondenser, nFamily, TMainSession::kSelectionSeqNr, panel, evap, cond, err);

    TSelectionRequest request;
    request.Units = list.GetSelChillers();
    request.Allowed = [&appl](std::string_view suffix) { return appl.OptionAllowed(suffix); };
    request.Temperatures = panel.GetTempData();
    request.ReqCool = panel.GetUserCoolCap();
    request.ReqHeat = panel.GetUserHeatCap();
    request.CondenserBrine = cond.GetBrine();
    request.CondenserPercent = cond.GetPercentage();
    request.NegCooling = prefs.NEGCOOLING, request.PosCooling = prefs.POSCOOLING;
    request.NegHeating = prefs.NEGHEATING, request.PosHeating = prefs.POSHEATING;
    request.MaxSolutions = parsed.Value("max") ? static_cast<int>(*parsed.Number("max")) : prefs.MAXSOLUTION;
    if (request.MaxSolutions < 1) throw CTCriteriaError("--max: at least 1 solution");

    if (!parsed.Flag("no-store")) StoreRun(session, list, panel, evap, cond, units);
    const int nBest = session.RunSelection(request);

    const bool bPrices = Cls_PriceAndPrefsFile::UniqueInstance() != nullptr;
    if (bPrices) {
        for (Cls_ChOutdoorUnit* pUnit : session.v_Results) pUnit->CalcPrice(TMainSession::kSelectionSeqNr);
    }
    TFrm_ChResultGrid grid;
    grid.SetupWindow(true, TMainSession::kSelectionSeqNr, &session.v_OptionCodes);
    grid.PutHeaders(nCondenser, nFamily, 0.0, TFrm_ChApplicationOptions::GetStdOptionSuffix(), prefs.ESEER,
                    panel.GetSelCooling(), request.ReqHeat, request.ReqCool, bPrices);
    for (Cls_ChOutdoorUnit* pUnit : session.v_Results) grid.AddChiller(pUnit, TMainSession::kSelectionSeqNr);
    if (nBest >= 0) grid.SetCurrentPosition(nBest);
    if (const auto sort = parsed.Value("sort")) SortGrid(grid, SortTagOf(*sort));

    std::vector<TRejection> rejected;
    for (Cls_ChOutdoorUnit* pUnit : session.v_NonSelected) {
        // Variants share the model name; the application tells them apart.
        const std::string suffix = TrimmedSuffix(*pUnit);
        rejected.push_back(TRejection{pUnit->GetName() + (suffix.empty() ? "" : " " + suffix),
                                      RejectionDetailsOf(*pUnit, TMainSession::kSelectionSeqNr, session,
                                                         prefs.NEGCOOLING, prefs.POSCOOLING, prefs.NEGHEATING,
                                                         prefs.POSHEATING)});
    }
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

Cls_ChOutdoorUnit* UnitNamed(const TMainSession& session, const std::string& szModel) {
    for (Cls_ChOutdoorUnit* pUnit : session.v_PrefChillers) {
        if (EqualsIgnoringCase(pUnit->GetName(), szModel)) return pUnit;
    }
    throw CTCriteriaError("unknown model '" + szModel + "' (see brumalis list and brumalis select)");
}

// The unit's first combination of an option type, when the flag asks for it.
Cls_ChOptAllowed* ChosenOption(const TCliArgs& args, const char* szFlag, Cls_ChOutdoorUnit& unit,
                               const TMainSession& session, std::int32_t nType) {
    if (!args.Flag(szFlag)) return nullptr;
    const std::vector<Cls_ChOptAllowed*> combs =
        unit.GetSpecialOptCombs(session.v_Options, TMainSession::kAnalysisSeqNr, nType);
    if (combs.empty()) throw CTCriteriaError(unit.GetName() + " has no option for --" + szFlag);
    return combs.front();
}

std::string LightText(std::int32_t nLight) {
    if (nLight == 1) return "Outside capacity table, but within operation range.";
    if (nLight == 2) return "Outside capacity table and outside operation range.";
    return "Within capacity table and within operation range.";
}

}  // namespace

int RunAnalyse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TCommandSpec spec{kConditionOptions, {"json", "low-noise", "heat-recovery", "pump"}, 1};
    spec.valueOptions.insert("distance");
    TCliArgs parsed(args, spec);
    TProgram program;
    TMainSession& session = program.session;
    TUnitChoice units(parsed.Value("units"));
    Cls_ChOutdoorUnit& unit = *UnitNamed(session, parsed.Positional().front());
    const std::int32_t nCondenser = unit.GetCondenserType(), nFamily = unit.GetFamily();
    const double dDistance = parsed.Value("distance") ? *parsed.Number("distance") : 5.0;
    if (dDistance < 1.0 || dDistance > 20.0) throw CTCriteriaError("--distance: between 1 and 20 m");

    TFrm_ChTempPanel panel;
    TFrm_ChBrine evap, cond;
    EnterCriteria(parsed, session, nCondenser, nFamily, TMainSession::kAnalysisSeqNr, panel, evap, cond, err);

    constexpr std::int32_t kSeq = TMainSession::kAnalysisSeqNr;
    unit.ResetUsedOptions(kSeq);
    Cls_ChOptAllowed* pLowNoise = ChosenOption(parsed, "low-noise", unit, session, 2);
    Cls_ChOptAllowed* pRecovery = ChosenOption(parsed, "heat-recovery", unit, session, 6);
    Cls_ChOptAllowed* pPump = ChosenOption(parsed, "pump", unit, session, 4);
    const TSelTempData temps = panel.GetTempData();
    unit.IsCandidateChiller(kSeq, false, temps, session.v_Controllers, cond.GetBrine(), cond.GetPercentage(),
                            TSoundArray{dDistance, dDistance, dDistance}, pPump, pLowNoise, pRecovery,
                            unit.GetSpecialOption(session.v_Options, kSeq, 8), 0.0, 0.0, kUnboundedCapacity, 0.0,
                            0.0, kUnboundedCapacity);

    TFrm_ChResultGrid grid;
    grid.SetupWindow(false, kSeq, &session.v_OptionCodes);
    grid.PutHeaders(nCondenser, nFamily, dDistance, TFrm_ChApplicationOptions::GetStdOptionSuffix(),
                    TFrm_Preferences::Values().ESEER, panel.GetSelCooling(), 0.0, 0.0, false);
    grid.AddChiller(&unit, kSeq);
    grid.SetCurrentPosition(0);
    if (parsed.Flag("json")) {
        WriteJson(grid, temps, 0.0, 0.0, {}, out);
        return 0;
    }
    out << LightText(unit.GetStatusLight(kSeq)) << "\n\n";
    PrintGrid(grid, out);
    if (pPump) {
        const auto pCurve = pPump->GetTheChPumpData();
        const double dESP = pCurve ? pCurve->Evaluate(unit.GetChillerData(kSeq).Evaporator.WFR) * 1000.0 : 0.0;
        out << "\nAvailable pump pressure: "
            << (pCurve ? TU_Form::PutDimensionedText(U_Pressure, true, dESP)
                       : std::string())
            << '\n';
    }
    return 0;
}

}  // namespace brumalis::app
