#include "catalogue/units.h"

#include "localisation/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/settings_store.h"

namespace brumalis {

namespace {

struct CTUnitData {
    std::string v_Caption;
    int v_CurrentDim = 0;
    std::vector<CTDimData> v_Dimensions;  // index 0 is the internal unit
};

struct TSubscriber {
    void* pObject;
    TDimChangeProc proc;
};
using CTDimChangeReg = std::vector<TSubscriber>;

struct TUnitRegistry {
    std::vector<CTUnitData> units;  // empty until built
    std::array<CTDimChangeReg, kUnitQuantityCount> subscribers;
};

TUnitRegistry& State() {
    static TUnitRegistry registry;
    return registry;
}

// The enumeration's names, as the application quantities show them.
constexpr std::array<const char*, kUnitQuantityCount> kQuantityCaptions = {
    "None",     "Airflow",     "Current",         "Density",     "Energy",    "Enthalpy", "HeatTransfer",
    "Length",   "MediumLength", "ShortLength",    "Mass",        "ShortMass", "Power",    "Pressure",
    "Humidity", "RotationalSpeed", "Sound",       "Speed",       "Surface",   "Temperature", "Tension",
    "Volume",   "Appl1",       "Appl2",           "Appl3",       "Appl4",     "Appl5",    "Appl6",
    "Appl7",    "Appl8",       "Appl9"};

// The units of the preferences dialog's groups; the main window replaces
// some of them at start-up (AddDisplayUnits).
std::vector<CTDimData> FormUnits(U_RepUnit quantity) {
    switch (quantity) {
        case U_None: return {{"None", 1, 0, 1}};
        case U_Airflow: return {{"l/s", 1, 0, 1}, {"m³/h", 0.2777777777777778L, 0, 0}, {"m³/s", 1000, 0, 1}};
        case U_Current: return {{"A", 1, 0, 1}};
        case U_Density: return {{"kg/m³", 1, 0, 3}, {"kg/l", 1000, 0, 4}};
        case U_Energy: return {{"kJ", 1, 0, 1}, {"kWh", 3600, 0, 1}, {"kcal", 4.1868L, 0, 0}};
        case U_Enthalpy: return {{"kJ/kg", 1, 0, 1}, {"kcal/kg", 4.1868L, 0, 1}};
        case U_HeatTransfer: return {{"W/m²", 1, 0, 1}, {"kcal/h m²", 1.1622222222222223L, 0, 1}};
        case U_Length: return {{"m", 1, 0, 3}};
        case U_MediumLength: return {{"cm", 1, 0, 1}};
        case U_ShortLength: return {{"mm", 1, 0, 0}, {"inch", 25.4L, 0, 1}};
        case U_Mass: return {{"kg", 1, 0, 3}, {"lbs", 0.45359237L, 0, 3}};
        case U_ShortMass: return {{"g", 1, 0, 0}};
        case U_Power: return {{"kW", 1, 0, 1}, {"kcal/h", 0.0011622222222222223L, 0, 0}};
        case U_Pressure: return {{"Pa", 1, 0, 1}, {"mBar", 100, 0, 3}, {"mmH2O", 9.80665L, 0, 3}};
        case U_Humidity: return {{"kg/kg", 1, 0, 4}, {"g/kg", 0.001L, 0, 1}, {"lbs/lbs", 1, 0, 4}};
        case U_RotationalSpeed: return {{"RPM", 1, 0, 0}};
        case U_Sound: return {{"DB", 1, 0, 0}};
        case U_Speed: return {{"m/s", 1, 0, 0}, {"km/h", 0.2777777777777778L, 0, 3}};
        case U_Surface: return {{"m²", 1, 0, 3}};
        case U_Temperature: return {{"°C", 1, 0, 1}, {"°F", 5.0L / 9.0L, 32, 1}};
        case U_Tension: return {{"V", 1, 0, 0}};
        case U_Volume: return {{"m³", 1, 0, 3}};
        default: return {{"", 1, 0, 1}};  // the application quantities
    }
}

std::vector<CTUnitData> BuildUnits() {
    std::vector<CTUnitData> units;
    units.reserve(kUnitQuantityCount);
    for (int n = 0; n < kUnitQuantityCount; ++n) {
        units.push_back({kQuantityCaptions[static_cast<std::size_t>(n)], 0, FormUnits(static_cast<U_RepUnit>(n))});
    }
    return units;
}

// A value outside the enumeration reads as U_None rather than outside the tables.
std::size_t Slot(U_RepUnit TheUnit) {
    return static_cast<std::size_t>(TheUnit >= U_None && TheUnit < kUnitQuantityCount ? TheUnit : U_None);
}

// The tables are built on first use, so that no order of calls reads them empty.
CTUnitData& Quantity(U_RepUnit TheUnit) {
    TUnitRegistry& registry = State();
    if (registry.units.empty()) registry.units = BuildUnits();
    return registry.units[Slot(TheUnit)];
}

CTDimChangeReg& Subscribers(U_RepUnit TheUnit) { return State().subscribers[Slot(TheUnit)]; }

bool IsIndex(const CTUnitData& unit, int nIndex) {
    return nIndex >= 0 && static_cast<std::size_t>(nIndex) < unit.v_Dimensions.size();
}

const CTDimData& DimOrDefault(const CTUnitData& unit, int nIndex) {
    return unit.v_Dimensions[IsIndex(unit, nIndex) ? static_cast<std::size_t>(nIndex) : 0];
}

const CTDimData& CurrentDim(U_RepUnit TheUnit) {
    const CTUnitData& unit = Quantity(TheUnit);
    return DimOrDefault(unit, unit.v_CurrentDim);
}

std::string WithSeparator(std::string sz, char chSeparator) {
    const std::size_t nPoint = sz.find('.');
    if (nPoint != std::string::npos) sz[nPoint] = chSeparator;
    return sz;
}

std::string ToChars(double nValue, std::chars_format format, int nPrecision) {
    // Room for the 309 integer digits of the largest double and the decimals.
    std::array<char, 400> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), nValue, format, nPrecision);
    return std::string(buf.data(), result.ptr);
}

std::string ExponentText(int nExponent, int nMinDigits, bool bPlusSign) {
    std::string szDigits = std::to_string(std::abs(nExponent));
    if (szDigits.size() < static_cast<std::size_t>(nMinDigits)) {
        szDigits.insert(0, static_cast<std::size_t>(nMinDigits) - szDigits.size(), '0');
    }
    return std::string("E") + (nExponent < 0 ? "-" : bPlusSign ? "+" : "") + szDigits;
}

std::string TrimFraction(std::string sz) {
    if (sz.find('.') == std::string::npos) return sz;
    sz.erase(sz.find_last_not_of('0') + 1);
    if (sz.back() == '.') sz.pop_back();
    return sz;
}

// Positional while the integer digits fit the precision and the value is not
// tiny, otherwise "1.5E-07"; trailing zeros dropped.
std::string FormatGeneral(double nValue, int nPrecision) {
    if (nValue == 0.0) return "0";
    if (!std::isfinite(nValue)) return ToChars(nValue, std::chars_format::scientific, 0);
    // 17 significant digits tell every double apart; more would be noise.
    const int nDigits = std::clamp(nPrecision, 1, 17);
    const std::string szScientific = ToChars(nValue, std::chars_format::scientific, nDigits - 1);
    const std::size_t nE = szScientific.find('e');
    const int nExponent = std::atoi(szScientific.c_str() + nE + 1);
    if (nExponent >= nDigits || std::fabs(nValue) < 0.00001) {
        return TrimFraction(szScientific.substr(0, nE)) + ExponentText(nExponent, 2, false);
    }
    // Rounded at the same decimal place as the scientific text above.
    return TrimFraction(ToChars(nValue, std::chars_format::fixed, std::max(0, nDigits - 1 - nExponent)));
}

// Fixed with nDigits decimals; a negative count gives the 15 significant
// digits of exponent notation ("1.50000000000000E+0003").
std::string FormatFixed(double nValue, int nWidth, int nDigits) {
    std::string szText;
    if (nDigits < 0) {
        const std::string szMantissa = ToChars(nValue, std::chars_format::scientific, 14);
        const std::size_t nE = szMantissa.find('e');
        szText = szMantissa.substr(0, nE) + ExponentText(std::atoi(szMantissa.c_str() + nE + 1), 4, true);
    } else {
        szText = ToChars(nValue, std::chars_format::fixed, std::min(nDigits, 18));
    }
    if (szText.size() < static_cast<std::size_t>(std::max(nWidth, 0))) {
        szText.insert(0, static_cast<std::size_t>(nWidth) - szText.size(), ' ');
    }
    return szText;
}

// Internal units of related quantities: m, cm and mm; kg and g.
struct TRedim {
    U_RepUnit from;
    U_RepUnit to;
    double nFactor;
    bool bMultiply;
};
constexpr std::array<TRedim, 8> kRedims = {{
    {U_Length, U_MediumLength, 100, true},
    {U_Length, U_ShortLength, 1000, true},
    {U_MediumLength, U_Length, 100, false},
    {U_MediumLength, U_ShortLength, 10, true},
    {U_ShortLength, U_Length, 1000, false},
    {U_ShortLength, U_MediumLength, 10, false},
    {U_Mass, U_ShortMass, 1000, true},
    {U_ShortMass, U_Mass, 1000, false},
}};

std::string UnitsKey(std::string_view szRegRoot) { return std::string(szRegRoot) + "\\Units"; }

std::string UnitsValueName(int nQuantity) { return "Units" + std::to_string(nQuantity); }

}  // namespace

double CTDimData::ConvertToDefault(bool bIsAbsoluteValue, double TheVal) const {
    const long double nVal = bIsAbsoluteValue ? TheVal - v_Offset : TheVal;
    return static_cast<double>(nVal * v_Scale);
}

double CTDimData::ConvertFromDefault(bool bIsAbsoluteValue, double TheVal) const {
    const long double nVal = TheVal / v_Scale;
    return static_cast<double>(bIsAbsoluteValue ? nVal + v_Offset : nVal);
}

void TU_Form::InitializeUnits() { Quantity(U_None); }

void TU_Form::AddDisplayUnits() {
    while (DimensionCount(U_Airflow) > 1) DeleteDimension(U_Airflow, 1);
    AddDimension(U_Airflow, "l/min", 0, 1.0L / 60.0L, 0);
    AddDimension(U_Airflow, "gph (UK)", 0, 0.0012628L, 1);
    AddDimension(U_Airflow, "gph (US)", 0, 0.0010515L, 1);
    AddDimension(U_Airflow, "gpm (UK)", 0, 0.0757682L, 1);
    AddDimension(U_Airflow, "gpm (US)", 0, 0.0630902L, 1);
    AddDimension(U_Power, "BTU/h", 0, 0.0002930711111111L, 0);
    AddDimension(U_Power, "Ton", 0, 3.516852L, 1);
    AddDimension(U_Length, "ft", 0, 0.3048L, 0);
    while (DimensionCount(U_Pressure) > 1) DeleteDimension(U_Pressure, 1);
    AddDimension(U_Pressure, "kPa", 0, 1000, 1);
    AddDimension(U_Pressure, "Bar", 0, 100000, 1);
    AddDimension(U_Pressure, "mH2O", 0, 9806.650124809235L, 1);
    SetDigits(U_Mass, 0, 1);
    SetDigits(U_Mass, 1, 1);
    SetDigits(U_Airflow, 0, 1);
    SetDigits(U_Length, 0, 0);
    SetDigits(U_Pressure, 0, 0);
    for (int n = 1; n <= 3; ++n) SetDigits(U_Pressure, n, 1);
}

void TU_Form::CleanupUnits() {
    TUnitRegistry& registry = State();
    registry.units.clear();
    for (CTDimChangeReg& subscribers : registry.subscribers) subscribers.clear();
}

std::string TU_Form::UnitString(U_RepUnit TheUnit) { return Quantity(TheUnit).v_Caption; }

std::string TU_Form::GetSpecificString(U_RepUnit TheUnit, int TheIndex) {
    return DimOrDefault(Quantity(TheUnit), TheIndex).v_Caption;
}

void TU_Form::SetSpecificString(U_RepUnit TheUnit, int TheIndex, std::string_view Caption) {
    CTUnitData& unit = Quantity(TheUnit);
    if (IsIndex(unit, TheIndex)) unit.v_Dimensions[static_cast<std::size_t>(TheIndex)].v_Caption = Caption;
}

std::string TU_Form::GetDefaultString(U_RepUnit TheUnit) { return GetSpecificString(TheUnit, 0); }

std::string TU_Form::GetCurrentString(U_RepUnit TheUnit) { return CurrentDim(TheUnit).v_Caption; }

int TU_Form::DimensionCount(U_RepUnit TheUnit) { return static_cast<int>(Quantity(TheUnit).v_Dimensions.size()); }

int TU_Form::GetNewIndex(U_RepUnit TheUnit) { return Quantity(TheUnit).v_CurrentDim; }

void TU_Form::SetNewIndex(U_RepUnit TheUnit, int nIndex, bool bUpdateSubscribers) {
    CTUnitData& unit = Quantity(TheUnit);
    if (!IsIndex(unit, nIndex)) return;
    const int nOldIndex = unit.v_CurrentDim;
    const std::string szOldCaption = GetCurrentString(TheUnit);
    const std::string szNewCaption = GetSpecificString(TheUnit, nIndex);
    unit.v_CurrentDim = nIndex;
    if (!bUpdateSubscribers) return;
    // A copy: a subscriber may unregister itself while it is told.
    const CTDimChangeReg subscribers = Subscribers(TheUnit);
    for (const TSubscriber& subscriber : subscribers) {
        subscriber.proc(subscriber.pObject, nOldIndex, szOldCaption, szNewCaption, nIndex);
    }
}

double TU_Form::ConvertValue(U_RepUnit TheUnit, int FromDimIndex, bool bIsAbsoluteValue, int ToDimIndex,
                             double TheValue) {
    // The internal unit (index 0) converts as the identity.
    const CTUnitData& unit = Quantity(TheUnit);
    const CTDimData& from = DimOrDefault(unit, FromDimIndex);
    const CTDimData& to = DimOrDefault(unit, ToDimIndex);
    if (&from == &to) return TheValue;
    return to.ConvertFromDefault(bIsAbsoluteValue, from.ConvertToDefault(bIsAbsoluteValue, TheValue));
}

double TU_Form::GetDimensionedValue(std::string_view TheValue, U_RepUnit TheUnit, bool bIsAbsoluteValue) {
    return ConvertValue(TheUnit, GetNewIndex(TheUnit), bIsAbsoluteValue, 0, Str2Number(TheValue));
}

std::string TU_Form::PutDimensionedValue(U_RepUnit TheUnit, int ThePrecision, bool bIsAbsoluteValue,
                                         double TheValue) {
    const double nShown = ConvertValue(TheUnit, 0, bIsAbsoluteValue, GetNewIndex(TheUnit), TheValue);
    return WithSeparator(FormatGeneral(nShown, ThePrecision), DecimalSeparator());
}

std::string TU_Form::PutFmtDimensionedValue(U_RepUnit TheUnit, int TheWidth, bool bIsAbsoluteValue,
                                            double TheValue) {
    const double nShown = ConvertValue(TheUnit, 0, bIsAbsoluteValue, GetNewIndex(TheUnit), TheValue);
    return WithSeparator(FormatFixed(nShown, TheWidth, CurrentDim(TheUnit).v_Digits), DecimalSeparator());
}

std::string TU_Form::PutDimensionedText(U_RepUnit TheUnit, bool bIsAbsoluteValue, double TheValue) {
    return PutFmtDimensionedValue(TheUnit, 1, bIsAbsoluteValue, TheValue) + " " + GetCurrentString(TheUnit);
}

void TU_Form::AddDimension(U_RepUnit TheUnit, std::string_view TheCaption, long double offset, long double scale,
                           int digits) {
    Quantity(TheUnit).v_Dimensions.push_back({std::string(TheCaption), scale, offset, digits});
}

void TU_Form::DeleteDimension(U_RepUnit TheUnit, int nIndex) {
    CTUnitData& unit = Quantity(TheUnit);
    if (nIndex <= 0 || !IsIndex(unit, nIndex)) return;
    unit.v_Dimensions.erase(unit.v_Dimensions.begin() + nIndex);
    if (unit.v_CurrentDim >= nIndex) SetNewIndex(TheUnit, 0, true);
}

int TU_Form::GetDigits(U_RepUnit TheUnit, int TheDimIndex) {
    return DimOrDefault(Quantity(TheUnit), TheDimIndex).v_Digits;
}

void TU_Form::SetDigits(U_RepUnit TheUnit, int TheDimIndex, int TheDigits) {
    CTUnitData& unit = Quantity(TheUnit);
    if (IsIndex(unit, TheDimIndex)) unit.v_Dimensions[static_cast<std::size_t>(TheDimIndex)].v_Digits = TheDigits;
}

void TU_Form::RegisterDimChange(void* Item, TDimChangeProc TheProc, U_RepUnit TheUnit) {
    CTDimChangeReg& subscribers = Subscribers(TheUnit);
    const bool bKnown = std::any_of(subscribers.begin(), subscribers.end(),
                                    [Item](const TSubscriber& subscriber) { return subscriber.pObject == Item; });
    if (!bKnown) subscribers.push_back({Item, std::move(TheProc)});
}

// The procedure cannot be compared; the object identifies the entry.
void TU_Form::UnregisterDimChange(const void* TheObject, const TDimChangeProc&, U_RepUnit TheUnit) {
    CTDimChangeReg& subscribers = Subscribers(TheUnit);
    std::erase_if(subscribers, [TheObject](const TSubscriber& subscriber) { return subscriber.pObject == TheObject; });
}

void TU_Form::AssignControl(U_RepUnit TheUnit, CTTranslatableComponent& Ctl) {
    Ctl.SetText("Caption", UnitString(TheUnit));
    std::vector<std::string> items;
    for (const CTDimData& dim : Quantity(TheUnit).v_Dimensions) items.push_back(dim.v_Caption);
    Ctl.SetItems(items);
    Ctl.SetItemIndex(GetNewIndex(TheUnit));
}

void TU_Form::DoDimensionChange(U_RepUnit TheUnit, const CTTranslatableComponent& Ctl) {
    SetNewIndex(TheUnit, Ctl.GetItemIndex(), true);
}

double TU_Form::RedimValue(U_RepUnit FromUnit, U_RepUnit ToUnit, double TheValue) {
    for (const TRedim& redim : kRedims) {
        if (redim.from == FromUnit && redim.to == ToUnit) {
            return redim.bMultiply ? TheValue * redim.nFactor : TheValue / redim.nFactor;
        }
    }
    return TheValue;
}

void TU_Form::SaveSettingsToRegistry(std::string_view szRegRoot) {
    platform::CTSettingsStore& store = platform::Registry().CurrentUser();
    const std::string szKey = UnitsKey(szRegRoot);
    if (!store.CreateKey(szKey)) return;
    for (int n = 1; n < kUnitQuantityCount; ++n) {
        store.WriteInteger(szKey, UnitsValueName(n), GetNewIndex(static_cast<U_RepUnit>(n)));
    }
}

void TU_Form::LoadSettingsFromRegistry(std::string_view szRegRoot) {
    platform::CTSettingsStore& store = platform::Registry().CurrentUser();
    const std::string szKey = UnitsKey(szRegRoot);
    if (!store.KeyExists(szKey) && !store.CreateKey(szKey)) return;
    for (int n = 1; n < kUnitQuantityCount; ++n) {
        SetNewIndex(static_cast<U_RepUnit>(n), store.ReadInteger(szKey, UnitsValueName(n), 0), false);
    }
}



}  // namespace brumalis
