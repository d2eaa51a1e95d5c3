#include "workflow/preferences.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <type_traits>
#include <variant>

#include "catalogue/refrigerants.h"
#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "platform/settings_store.h"
#include "workflow/start_up.h"

namespace brumalis {
namespace {

using TStoredField = std::variant<std::int32_t TPreferences::*, bool TPreferences::*, double TPreferences::*,
                                  std::string TPreferences::*>;

struct TStoredValue {
    std::string_view szName;
    TStoredField field;
    bool bTemperature = false;  // forgotten by a reset to the default temperatures
};

const TStoredValue kStoredValues[] = {
    {"CONDENSER", &TPreferences::CONDENSER},
    {"FAMILY", &TPreferences::FAMILY},
    {"COMPRESSOR", &TPreferences::COMPRESSOR},
    {"REFRIGERANT", &TPreferences::REFRIGERANT},
    {"VERSION_X", &TPreferences::VERSION_X},
    {"VERSION_P", &TPreferences::VERSION_P},
    {"VERSION_A", &TPreferences::VERSION_A},
    {"SOUND_L", &TPreferences::SOUND_L},
    {"SOUND_R", &TPreferences::SOUND_R},
    {"SOUND_X", &TPreferences::SOUND_X},
    {"SELCOOLING", &TPreferences::SELCOOLING},
    {"COOL_LWE", &TPreferences::COOL_LWE, true},
    {"COOL_DTE", &TPreferences::COOL_DTE, true},
    {"COOL_ALWC", &TPreferences::COOL_ALWC, true},
    {"COOL_ADTC", &TPreferences::COOL_ADTC, true},
    {"COOL_WLWC", &TPreferences::COOL_WLWC, true},
    {"COOL_WDTC", &TPreferences::COOL_WDTC, true},
    {"SUMMER", &TPreferences::SUMMER, true},
    {"HEAT_LWE", &TPreferences::HEAT_LWE, true},
    {"HEAT_DTE", &TPreferences::HEAT_DTE, true},
    {"HEAT_ALWC", &TPreferences::HEAT_ALWC, true},
    {"HEAT_ADTC", &TPreferences::HEAT_ADTC, true},
    {"HEAT_WLWC", &TPreferences::HEAT_WLWC, true},
    {"HEAT_WDTC", &TPreferences::HEAT_WDTC, true},
    {"WINTER", &TPreferences::WINTER, true},
    {"CONDENSING", &TPreferences::CONDENSING, true},
    {"NEGCOOLING", &TPreferences::NEGCOOLING},
    {"POSCOOLING", &TPreferences::POSCOOLING},
    {"NEGHEATING", &TPreferences::NEGHEATING},
    {"POSHEATING", &TPreferences::POSHEATING},
    {"MAXSOLUTION", &TPreferences::MAXSOLUTION},
    {"OPRANGE", &TPreferences::OPRANGE},
    {"PRESSUREDROP", &TPreferences::PRESSUREDROP},
    {"DIMENSIONAL", &TPreferences::DIMENSIONAL},
    {"COVERPAGE", &TPreferences::COVERPAGE},
    {"SPECTEXTS", &TPreferences::SPECTEXTS},
    {"ESEER", &TPreferences::ESEER},
};

platform::CTSettingsStore& UserStore() { return platform::Registry().CurrentUser(); }

// A value of another type than the field's counts as unreadable: the field
// keeps what it holds (its default).
void ReadInto(const platform::CTSettingsStore& store, const TStoredValue& stored, TPreferences& prefs) {
    const auto value = store.ReadValue(kPreferencesKey, stored.szName);
    if (!value) return;
    std::visit(
        [&](auto pMember) {
            using TField = std::remove_reference_t<decltype(prefs.*pMember)>;
            if (const TField* pValue = std::get_if<TField>(&*value)) prefs.*pMember = *pValue;
        },
        stored.field);
}

void WriteFrom(platform::CTSettingsStore& store, const TStoredValue& stored, const TPreferences& prefs) {
    std::visit([&](auto pMember) { store.WriteValue(kPreferencesKey, stored.szName, prefs.*pMember); },
               stored.field);
}

double Distance(std::int32_t nFrom, std::int32_t nTo) {
    return std::fabs(static_cast<double>(nFrom) - static_cast<double>(nTo));
}

// Where the condenser-dependent temperatures of a row are kept.
struct TCondenserFields {
    double TPreferences::*CoolLeavingC;
    double TPreferences::*CoolDeltaTC;
    double TPreferences::*HeatLeavingC;
    double TPreferences::*HeatDeltaTC;
    double TPreferences::*Summer;
};

TCondenserFields CondenserFieldsOf(std::int32_t nCondenser) {
    TCondenserFields fields{&TPreferences::COOL_ALWC, &TPreferences::COOL_ADTC, &TPreferences::HEAT_ALWC,
                            &TPreferences::HEAT_ADTC, &TPreferences::SUMMER};
    if (nCondenser == ctWaterCooled) {
        fields = {&TPreferences::COOL_WLWC, &TPreferences::COOL_WDTC, &TPreferences::HEAT_WLWC,
                  &TPreferences::HEAT_WDTC, &TPreferences::SUMMER};
    }
    if (nCondenser == ctCondenserless) fields.Summer = &TPreferences::CONDENSING;
    return fields;
}

// The groups of the "Units" page: quantity, readable title, and the unit
// "Restore Defaults" chooses.
struct TUnitGroupDefinition {
    U_RepUnit Quantity;
    const char* szTitle;
    int nDefaultIndex;
};

constexpr std::array<TUnitGroupDefinition, TFrm_Preferences::kUnitGroupCount> kUnitGroups = {{
    {U_Temperature, "Temperature", 0},
    {U_ShortLength, "Dimensions", 0},
    {U_Length, "Length", 0},
    {U_Mass, "Weight", 0},
    {U_Airflow, "Fluid flow", 1},
    {U_Power, "Capacity", 0},
    {U_Pressure, "Pressure drop", 1},
}};

// Deviations as the bars show them.
constexpr double kPercent = 100.0;
constexpr double kDefaultDeviation = 0.2;

// Stored fractions are read from a file the user may have edited: anything
// not finite counts as 0, the rest is kept to a range a bar can clamp.
int Percent(double dFraction) {
    if (!std::isfinite(dFraction)) return 0;
    return static_cast<int>(std::lround(std::clamp(dFraction, -kPercent, kPercent) * kPercent));
}

// The list's item of a number of solutions, the nearest one outside 1 … 10.
int MaxSolutionItem(std::int32_t nSolutions) { return std::clamp(nSolutions, 1, kMaxSolutionsShown) - 1; }
std::string PercentText(int nPercent) { return std::to_string(nPercent) + "%"; }

}  // namespace

std::vector<std::string> TFrm_Preferences::Texts() {
    std::vector<std::string> texts = {kCaption, kNoRefrigerantAllowed, kDefaultsCaption, kDefaultsHint,
                                      kCoverPageTitle, kCoverPageFilter};
    for (const TUnitGroupDefinition& group : kUnitGroups) texts.emplace_back(group.szTitle);
    return texts;
}

TFrm_Preferences::TFrm_Preferences(const Cls_ChLimits& Limits, const TSelectionCriteria& Current)
    : v_limits(Limits) {
    TPreferences& prefs = Values();
    prefs.CONDENSER = Current.Condenser;
    prefs.FAMILY = Current.Family;
    prefs.REFRIGERANT = Current.RefrigerantId;
    prefs.COMPRESSOR = Current.CompressorId;
    LoadUnits();
    LoadRefrigerants();
    // A stored number outside the list would choose no item, and OK would store 0.
    ChooseMaxSolution(MaxSolutionItem(prefs.MAXSOLUTION));
    SetBars(prefs.NEGCOOLING, prefs.POSCOOLING, prefs.NEGHEATING, prefs.POSHEATING);
    v_appl.SetupWindow(true);
    v_appl.SetOptionSettings(TRepApplOptions{true, prefs.VERSION_X, prefs.VERSION_P, prefs.VERSION_A, true,
                                             prefs.SOUND_L, prefs.SOUND_R, prefs.SOUND_X});
    v_appl.ShowAllOptions();
    v_choices = TChoices{prefs.OPRANGE, prefs.PRESSUREDROP, prefs.SPECTEXTS, prefs.COVERPAGE, prefs.ESEER};
    v_priceFile.Initialize(TProgramStart::kPriceFileKey, false, nullptr);
    v_priceFile.NoteAttachedFile();
}

void TFrm_Preferences::LoadUnits() {
    for (std::size_t n = 0; n < kUnitGroups.size(); ++n) {
        TUnitChoice& choice = v_units[n];
        choice.Quantity = kUnitGroups[n].Quantity;
        choice.Title = dialogs::TBaseMsg::Translate(kUnitGroups[n].szTitle);
        choice.Items.clear();
        for (int i = 0; i < TU_Form::DimensionCount(choice.Quantity); ++i) {
            choice.Items.push_back(TU_Form::GetSpecificString(choice.Quantity, i));
        }
        choice.ItemIndex = TU_Form::GetNewIndex(choice.Quantity);
    }
}

void TFrm_Preferences::ChooseUnit(TUnitGroup Group, int nItemIndex) {
    TUnitChoice& choice = v_units[Group];
    if (nItemIndex >= 0 && nItemIndex < static_cast<int>(choice.Items.size())) choice.ItemIndex = nItemIndex;
}

void TFrm_Preferences::LoadRefrigerants() {
    const std::vector<std::int32_t> notAllowed = ParseNotAllowedRefrigerants(GetNotAllowedRefrigerantsText());
    for (auto& list : v_refrigerants) list.clear();
    for (const auto& pRefrigerant :
         RecordsAs<Cls_Refrigerant>(CTDbObject::GetAllRecords(Cls_Refrigerant::kClassID, true))) {
        if (pRefrigerant->GetDeleted()) continue;
        const bool bNotAllowed =
            std::find(notAllowed.begin(), notAllowed.end(), pRefrigerant->GetID()) != notAllowed.end();
        v_refrigerants[bNotAllowed ? rlNotAllowed : rlAllowed].push_back(
            TRefrigerantItem{pRefrigerant->GetID(), pRefrigerant->GetName(), false});
    }
    SortList(rlAllowed);
    SortList(rlNotAllowed);
}

void TFrm_Preferences::SortList(TRefrigerantList List) {
    std::stable_sort(v_refrigerants[List].begin(), v_refrigerants[List].end(),
                     [](const TRefrigerantItem& a, const TRefrigerantItem& b) { return a.Name < b.Name; });
}

void TFrm_Preferences::SelectRefrigerant(TRefrigerantList List, std::size_t nItem, bool bSelected) {
    if (nItem < v_refrigerants[List].size()) v_refrigerants[List][nItem].Selected = bSelected;
}

bool TFrm_Preferences::MoveEnabled(TRefrigerantList From) const {
    const auto& list = v_refrigerants[From];
    return std::any_of(list.begin(), list.end(), [](const TRefrigerantItem& item) { return item.Selected; });
}

void TFrm_Preferences::MoveSelected(TRefrigerantList From) {
    const TRefrigerantList To = From == rlAllowed ? rlNotAllowed : rlAllowed;
    auto& from = v_refrigerants[From];
    auto& to = v_refrigerants[To];
    const auto moved = std::stable_partition(from.begin(), from.end(),
                                             [](const TRefrigerantItem& item) { return !item.Selected; });
    for (auto it = moved; it != from.end(); ++it) it->Selected = false;
    to.insert(to.end(), moved, from.end());
    from.erase(moved, from.end());
    SortList(To);
}

void TFrm_Preferences::DoubleClickRefrigerant(TRefrigerantList List, std::size_t nItem) {
    if (nItem >= v_refrigerants[List].size()) return;
    v_refrigerants[List][nItem].Selected = true;
    MoveSelected(List);
}

std::vector<std::string> TFrm_Preferences::MaxSolutionItems() {
    std::vector<std::string> items;
    for (int n = 1; n <= kMaxSolutionsShown; ++n) items.push_back(std::to_string(n));
    return items;
}

void TFrm_Preferences::ChooseMaxSolution(int nItemIndex) {
    v_maxSolutionIndex = std::clamp(nItemIndex, 0, kMaxSolutionsShown - 1);
}

void TFrm_Preferences::SetBars(double dNegCooling, double dPosCooling, double dNegHeating, double dPosHeating) {
    const auto set = [this](TDeviationBar which, int nMin, int nMax, double dValue) {
        TBar& bar = v_bars[which];
        bar.Min = std::min(nMin, 0);
        bar.Max = std::max(nMax, 0);
        bar.LimitText = PercentText(which == dbNegCooling || which == dbNegHeating ? bar.Min : bar.Max);
        MoveBar(which, Percent(dValue));
    };
    set(dbNegCooling, Percent(v_limits.GetMinCoolDeviation()), 0, dNegCooling);
    set(dbPosCooling, 0, Percent(v_limits.GetMaxCoolDeviation()), dPosCooling);
    set(dbNegHeating, Percent(v_limits.GetMinHeatDeviation()), 0, dNegHeating);
    set(dbPosHeating, 0, Percent(v_limits.GetMaxHeatDeviation()), dPosHeating);
}

void TFrm_Preferences::MoveBar(TDeviationBar Which, int nPosition) {
    TBar& bar = v_bars[Which];
    bar.Position = std::clamp(nPosition, bar.Min, bar.Max);
    bar.ValueText = PercentText(bar.Position);
}

void TFrm_Preferences::RestoreDefaults() {
    for (std::size_t n = 0; n < kUnitGroups.size(); ++n) {
        ChooseUnit(static_cast<TUnitGroup>(n), kUnitGroups[n].nDefaultIndex);
    }
    for (TRefrigerantItem& item : v_refrigerants[rlNotAllowed]) item.Selected = true;
    MoveSelected(rlNotAllowed);
    SetBars(-kDefaultDeviation, kDefaultDeviation, -kDefaultDeviation, kDefaultDeviation);
    ChooseMaxSolution(MaxSolutionItem(v_limits.GetMaxSolutions()));
    v_appl.SetOptionSettings(TRepApplOptions{});
    v_choices = TChoices{};
    // Clearing no file would only write an empty name where none was.
    if (v_priceFile.State().ClearEnabled) v_priceFile.Btn_ClearClick();
}

TFrm_Preferences::TAcceptResult TFrm_Preferences::Accept() {
    if (v_refrigerants[rlAllowed].empty()) {
        return TAcceptResult{false, dialogs::TBaseMsg::Translate(kNoRefrigerantAllowed), true};
    }
    for (const TUnitChoice& choice : v_units) TU_Form::SetNewIndex(choice.Quantity, choice.ItemIndex, true);
    std::vector<std::int32_t> notAllowed;
    for (const TRefrigerantItem& item : v_refrigerants[rlNotAllowed]) notAllowed.push_back(item.Id);
    Cls_Refrigerant::SetNotAllowedRefrigerantIds(notAllowed);
    TPreferences& prefs = Values();
    prefs.NEGCOOLING = v_bars[dbNegCooling].Position / kPercent;
    prefs.POSCOOLING = v_bars[dbPosCooling].Position / kPercent;
    prefs.NEGHEATING = v_bars[dbNegHeating].Position / kPercent;
    prefs.POSHEATING = v_bars[dbPosHeating].Position / kPercent;
    prefs.MAXSOLUTION = v_maxSolutionIndex + 1;
    const TRepApplOptions options = v_appl.GetOptionSettings();
    prefs.VERSION_X = options.VersionX;
    prefs.VERSION_P = options.VersionP;
    prefs.VERSION_A = options.VersionA;
    prefs.SOUND_L = options.SoundL;
    prefs.SOUND_R = options.SoundR;
    prefs.SOUND_X = options.SoundX;
    prefs.OPRANGE = v_choices.OperationRange;
    prefs.PRESSUREDROP = v_choices.PressureDrop;
    prefs.COVERPAGE = v_choices.CoverPage;
    prefs.SPECTEXTS = v_choices.SpecTexts;
    prefs.ESEER = v_choices.ESEER;
    WriteRegistry();
    return TAcceptResult{true, {}, false};
}

void TFrm_Preferences::Cancel() { v_priceFile.RestoreNotedFile(); }

TPreferences DefaultPreferences(const Cls_ChLimits& Limits) {
    TPreferences prefs;
    prefs.COOL_LWE = Limits.GetECLW();
    prefs.COOL_DTE = Distance(Limits.GetECEW(), Limits.GetECLW());
    prefs.COOL_ALWC = Limits.GetCACLW();
    prefs.COOL_ADTC = Distance(Limits.GetCACEW(), Limits.GetCACLW());
    prefs.COOL_WLWC = Limits.GetCWCLW();
    prefs.COOL_WDTC = Distance(Limits.GetCWCEW(), Limits.GetCWCLW());
    prefs.SUMMER = Limits.GetSummer();
    prefs.HEAT_LWE = Limits.GetEHLW();
    prefs.HEAT_DTE = Distance(Limits.GetEHEW(), Limits.GetEHLW());
    prefs.HEAT_ALWC = Limits.GetCAHLW();
    prefs.HEAT_ADTC = Distance(Limits.GetCAHEW(), Limits.GetCAHLW());
    prefs.HEAT_WLWC = Limits.GetCWHLW();
    prefs.HEAT_WDTC = Distance(Limits.GetCWHEW(), Limits.GetCWHLW());
    prefs.WINTER = Limits.GetWinter();
    prefs.CONDENSING = Limits.GetCondensing();
    prefs.MAXSOLUTION = Limits.GetMaxSolutions();
    return prefs;
}

TPreferences& TFrm_Preferences::Values() {
    static TPreferences values;
    return values;
}

void TFrm_Preferences::ReadRegistry(const Cls_ChLimits& Limits) {
    platform::CTSettingsStore& store = UserStore();
    TPreferences prefs = DefaultPreferences(Limits);
    // A store that cannot create the key still answers the reads: with the defaults.
    store.CreateKey(kPreferencesKey);
    for (const TStoredValue& stored : kStoredValues) ReadInto(store, stored, prefs);
    Values() = prefs;
    TU_Form::LoadSettingsFromRegistry(kPreferencesKey);
}

void TFrm_Preferences::WriteRegistry() {
    platform::CTSettingsStore& store = UserStore();
    for (const TStoredValue& stored : kStoredValues) WriteFrom(store, stored, Values());
    TU_Form::SaveSettingsToRegistry(kPreferencesKey);
}

void TFrm_Preferences::ResetDefaultTemps(const Cls_ChLimits& Limits) {
    platform::CTSettingsStore& store = UserStore();
    for (const TStoredValue& stored : kStoredValues) {
        if (stored.bTemperature) store.DeleteValue(kPreferencesKey, stored.szName);
    }
    ReadRegistry(Limits);
}

TSelTempData TFrm_Preferences::GetTempData(std::int32_t nCondenser) {
    const TPreferences& prefs = Values();
    const TCondenserFields fields = CondenserFieldsOf(nCondenser);
    TSelTempData data;
    data.SelectCooling = prefs.SELCOOLING;
    data.CoolLeavingE = prefs.COOL_LWE;
    data.CoolDeltaTE = prefs.COOL_DTE;
    data.CoolLeavingC = prefs.*fields.CoolLeavingC;
    data.CoolDeltaTC = prefs.*fields.CoolDeltaTC;
    data.Summer = prefs.*fields.Summer;
    data.HeatLeavingE = prefs.HEAT_LWE;
    data.HeatDeltaTE = prefs.HEAT_DTE;
    data.HeatLeavingC = prefs.*fields.HeatLeavingC;
    data.HeatDeltaTC = prefs.*fields.HeatDeltaTC;
    data.Winter = prefs.WINTER;
    return data;
}

void TFrm_Preferences::StoreCriteria(std::int32_t nCondenser, std::int32_t nFamily, std::int32_t nRefrigerantId,
                                     std::int32_t nCompressorId, const TSelTempData& TempData,
                                     const Cls_ChLimits& Limits) {
    TPreferences& prefs = Values();
    const double dStoredMin = Limits.GetStoredMinTemp();
    const auto leaving = [dStoredMin](double dValue) { return std::max(dValue, dStoredMin); };
    const TCondenserFields fields = CondenserFieldsOf(nCondenser);
    prefs.CONDENSER = nCondenser;
    prefs.FAMILY = nFamily;
    prefs.REFRIGERANT = nRefrigerantId;
    prefs.COMPRESSOR = nCompressorId;
    prefs.SELCOOLING = TempData.SelectCooling;
    prefs.COOL_LWE = leaving(TempData.CoolLeavingE);
    prefs.COOL_DTE = TempData.CoolDeltaTE;
    prefs.*fields.CoolLeavingC = leaving(TempData.CoolLeavingC);
    prefs.*fields.CoolDeltaTC = TempData.CoolDeltaTC;
    prefs.*fields.Summer = TempData.Summer;
    prefs.HEAT_LWE = leaving(TempData.HeatLeavingE);
    prefs.HEAT_DTE = TempData.HeatDeltaTE;
    prefs.*fields.HeatLeavingC = leaving(TempData.HeatLeavingC);
    prefs.*fields.HeatDeltaTC = TempData.HeatDeltaTC;
    prefs.WINTER = TempData.Winter;
}

}  // namespace brumalis
