// The unit system: per physical quantity the units a value may be shown and
// typed in, the current display unit, conversion to and from the fixed
// internal unit, number texts in the current unit, subscribers told when a
// display unit changes, and the choice kept in the settings store.
//
// Values are held in the internal unit of their quantity (index 0: °C, kW,
// l/s, Pa, m, kg ...) and converted only for display and entry. The tables
// are process-wide and, like everything of the user interface, used from one
// thread; no operation raises: bad indices fall back to 0 or are ignored.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/form_translation.h"

namespace brumalis {

// The quantities; the numbers are stored in the settings ("Units19").
enum U_RepUnit : int {
    U_None,
    U_Airflow,  // also every fluid flow rate
    U_Current,
    U_Density,
    U_Energy,
    U_Enthalpy,
    U_HeatTransfer,
    U_Length,
    U_MediumLength,
    U_ShortLength,
    U_Mass,
    U_ShortMass,
    U_Power,
    U_Pressure,
    U_Humidity,
    U_RotationalSpeed,
    U_Sound,
    U_Speed,
    U_Surface,
    U_Temperature,
    U_Tension,
    U_Volume,
    U_Appl1,
    U_Appl2,
    U_Appl3,
    U_Appl4,
    U_Appl5,
    U_Appl6,
    U_Appl7,
    U_Appl8,
    U_Appl9,
};

inline constexpr int kUnitQuantityCount = U_Appl9 + 1;

// One unit of a quantity. A value v in this unit is the internal value
// (v - Offset) * Scale; a difference only scales. Extended precision keeps
// chains of conversions (gpm to l/s to l/min) exact to the shown digits.
struct CTDimData {
    std::string v_Caption;
    long double v_Scale = 1.0L;
    long double v_Offset = 0.0L;
    int v_Digits = 0;  // decimals in fixed formatting

    double ConvertToDefault(bool bIsAbsoluteValue, double TheVal) const;
    double ConvertFromDefault(bool bIsAbsoluteValue, double TheVal) const;
};

// Called as (subscriber object, old index, old caption, new caption, new index).
using TDimChangeProc =
    std::function<void(void* pObject, int nOldIndex, const std::string& szOldCaption, const std::string& szNewCaption,
                       int nNewIndex)>;

// The key below the current user's hive that holds the display units.
inline constexpr std::string_view kPreferencesKey = "Software\\Orvane\\Brumalis\\Preferences";

class TU_Form {
public:
    TU_Form() = delete;

    // Builds the quantities with the units of the preferences dialog's
    // groups, once; the first use of any operation builds them as well.
    static void InitializeUnits();
    // What the main window adds when it is first shown: the fluid flows,
    // capacities, lengths and pressure drops of the selection, and their digits.
    static void AddDisplayUnits();
    // Frees the tables and the subscriber lists (program end).
    static void CleanupUnits();

    static std::string UnitString(U_RepUnit TheUnit);
    static std::string GetSpecificString(U_RepUnit TheUnit, int TheIndex);
    static void SetSpecificString(U_RepUnit TheUnit, int TheIndex, std::string_view Caption);
    static std::string GetDefaultString(U_RepUnit TheUnit);
    static std::string GetCurrentString(U_RepUnit TheUnit);
    static int DimensionCount(U_RepUnit TheUnit);

    static int GetNewIndex(U_RepUnit TheUnit);
    static void SetNewIndex(U_RepUnit TheUnit, int nIndex, bool bUpdateSubscribers);

    static double ConvertValue(U_RepUnit TheUnit, int FromDimIndex, bool bIsAbsoluteValue, int ToDimIndex,
                               double TheValue);
    // Text in the current unit to an internal value; text that is no number gives 0.
    static double GetDimensionedValue(std::string_view TheValue, U_RepUnit TheUnit, bool bIsAbsoluteValue);
    // Internal value to the current unit, ThePrecision significant digits.
    static std::string PutDimensionedValue(U_RepUnit TheUnit, int ThePrecision, bool bIsAbsoluteValue,
                                           double TheValue);
    // Internal value to the current unit with its decimals, right-aligned in TheWidth.
    static std::string PutFmtDimensionedValue(U_RepUnit TheUnit, int TheWidth, bool bIsAbsoluteValue,
                                              double TheValue);
    // The same without padding, followed by a blank and the unit caption ("7.0 °C").
    static std::string PutDimensionedText(U_RepUnit TheUnit, bool bIsAbsoluteValue, double TheValue);

    static void AddDimension(U_RepUnit TheUnit, std::string_view TheCaption, long double offset, long double scale,
                             int digits);
    static void DeleteDimension(U_RepUnit TheUnit, int nIndex);
    static int GetDigits(U_RepUnit TheUnit, int TheDimIndex);
    static void SetDigits(U_RepUnit TheUnit, int TheDimIndex, int TheDigits);

    static void RegisterDimChange(void* Item, TDimChangeProc TheProc, U_RepUnit TheUnit);
    static void UnregisterDimChange(const void* TheObject, const TDimChangeProc& TheProc, U_RepUnit TheUnit);

    // A radio group shows the quantity: caption, unit captions, current unit.
    static void AssignControl(U_RepUnit TheUnit, CTTranslatableComponent& Ctl);
    // The radio group's choice becomes the current unit, subscribers told.
    static void DoDimensionChange(U_RepUnit TheUnit, const CTTranslatableComponent& Ctl);

    // Between related quantities in their internal units (m, cm, mm; kg, g).
    static double RedimValue(U_RepUnit FromUnit, U_RepUnit ToUnit, double TheValue);

    // The current units under szRegRoot + "\Units" of the current user's hive.
    static void SaveSettingsToRegistry(std::string_view szRegRoot = kPreferencesKey);
    static void LoadSettingsFromRegistry(std::string_view szRegRoot = kPreferencesKey);
};

}  // namespace brumalis
