#include "workflow/preferences.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <type_traits>
#include <variant>

#include "catalogue/units.h"
#include "platform/settings_store.h"
#include "catalogue/unit_classes.h"

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

}  // namespace

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
