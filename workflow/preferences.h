// The user's stored preferences: last selection criteria, temperatures,
// deviation window, report choices. They live in program-wide values, are
// read from the current user's settings at start (and after a reset) and
// written back after every selection run and accepted preferences change.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/chiller_data.h"
#include "catalogue/unit_records.h"
#include "catalogue/units.h"
#include "workflow/price_file_frame.h"
#include "workflow/selection_list.h"

namespace brumalis {

// The largest number of solutions the preferences offer.
constexpr int kMaxSolutionsShown = 10;

// The selection list's row when the dialog opens.
struct TSelectionCriteria {
    std::int32_t Condenser = 0;
    std::int32_t Family = 0;
    std::int32_t RefrigerantId = 0;
    std::int32_t CompressorId = 0;
};

// One field per stored value, named as the value is stored. Temperatures in
// °C, differences in K, deviations as fractions.
struct TPreferences {
    std::int32_t CONDENSER = 0;
    std::int32_t FAMILY = 4;
    std::int32_t COMPRESSOR = 0;  // 0: a "- - - - -" row
    std::int32_t REFRIGERANT = 0;
    bool VERSION_X = true;
    bool VERSION_P = true;
    bool VERSION_A = true;
    bool SOUND_L = true;
    bool SOUND_R = true;
    bool SOUND_X = true;
    bool SELCOOLING = true;
    double COOL_LWE = 0.0;
    double COOL_DTE = 0.0;
    double COOL_ALWC = 0.0;
    double COOL_ADTC = 0.0;
    double COOL_WLWC = 0.0;
    double COOL_WDTC = 0.0;
    double SUMMER = 0.0;
    double HEAT_LWE = 0.0;
    double HEAT_DTE = 0.0;
    double HEAT_ALWC = 0.0;
    double HEAT_ADTC = 0.0;
    double HEAT_WLWC = 0.0;
    double HEAT_WDTC = 0.0;
    double WINTER = 0.0;
    double CONDENSING = 0.0;
    double NEGCOOLING = -0.2;
    double POSCOOLING = 0.2;
    double NEGHEATING = -0.2;
    double POSHEATING = 0.2;
    std::int32_t MAXSOLUTION = 0;
    bool OPRANGE = true;
    bool PRESSUREDROP = true;
    bool DIMENSIONAL = true;
    std::string COVERPAGE;
    std::string SPECTEXTS;
    bool ESEER = true;

    bool operator==(const TPreferences&) const = default;
};

// The values of a first start: temperatures and the number of solutions
// from the limits record, delta T as the distance of entering and leaving.
TPreferences DefaultPreferences(const Cls_ChLimits& Limits);

// The preferences dialog's state and rules; the class operations keep the
// program-wide values. A dialog object lives from opening to OK or Cancel:
// nothing is stored before OK, except what the price-file frame does at once
// (and Cancel gives back).
class TFrm_Preferences {
public:
    static constexpr const char* kCaption = "Preferences";
    static constexpr const char* kNoRefrigerantAllowed = "At least one refrigerant must be allowed.";
    static constexpr const char* kDefaultsCaption = "Restore Defaults";
    static constexpr const char* kDefaultsHint = "Restores all settings to their default values";
    static constexpr const char* kCoverPageTitle = "Select the required file";
    static constexpr const char* kCoverPageFilter = "Specification Files (*.spt)|*.spt|All files (*.*)|*.*";
    // The dialog's own texts beside the frames' and the units'.
    static std::vector<std::string> Texts();

    // The seven unit groups of the "Units" page.
    enum TUnitGroup : int { ugTemperature, ugDimensions, ugLength, ugWeight, ugFluidFlow, ugCapacity, ugPressureDrop };
    static constexpr int kUnitGroupCount = 7;
    struct TUnitChoice {
        U_RepUnit Quantity = U_None;
        std::string Title;               // translated, e.g. "Fluid flow"
        std::vector<std::string> Items;  // the unit captions
        int ItemIndex = 0;
    };

    // The two lists of the "Refrigerants" page, each sorted by name.
    enum TRefrigerantList : int { rlAllowed, rlNotAllowed };
    struct TRefrigerantItem {
        std::int32_t Id = 0;
        std::string Name;
        bool Selected = false;
    };

    // The four scroll bars of the "Deviation" page, in percent.
    enum TDeviationBar : int { dbNegCooling, dbPosCooling, dbNegHeating, dbPosHeating };
    struct TBar {
        int Min = 0;
        int Max = 0;
        int Position = 0;
        std::string LimitText;  // the outer label: the bar's far end ("-25%", "25%")
        std::string ValueText;  // the inner label: the position ("-20%")
    };

    // The check boxes, texts and radio buttons of "Options",
    // "Personalized Data" and "Other".
    struct TChoices {
        bool OperationRange = true;
        bool PressureDrop = true;
        std::string SpecTexts;
        std::string CoverPage;
        bool ESEER = true;
    };

    struct TAcceptResult {
        bool Accepted = false;
        std::string Message;           // why not, translated
        bool FocusNotAllowed = false;  // the list the user has to take a refrigerant from
    };

    // Opening: the current criteria go into the program-wide values, then
    // every page shows them. The limits must outlive the dialog; the
    // catalogue (database 0) must be connected.
    TFrm_Preferences(const Cls_ChLimits& Limits, const TSelectionCriteria& Current);

    const TUnitChoice& UnitGroup(TUnitGroup Group) const { return v_units[Group]; }
    void ChooseUnit(TUnitGroup Group, int nItemIndex);

    const std::vector<TRefrigerantItem>& Refrigerants(TRefrigerantList List) const { return v_refrigerants[List]; }
    void SelectRefrigerant(TRefrigerantList List, std::size_t nItem, bool bSelected);
    // "<" and ">": enabled while the list they move from has a selection.
    bool MoveEnabled(TRefrigerantList From) const;
    void MoveSelected(TRefrigerantList From);
    // A double-click selects the item and moves the list's selection.
    void DoubleClickRefrigerant(TRefrigerantList List, std::size_t nItem);

    // "1" … "10".
    static std::vector<std::string> MaxSolutionItems();
    int MaxSolutionIndex() const { return v_maxSolutionIndex; }
    void ChooseMaxSolution(int nItemIndex);

    const TBar& Bar(TDeviationBar Which) const { return v_bars[Which]; }
    // Kept inside the bar's range.
    void MoveBar(TDeviationBar Which, int nPosition);

    // Standard version and sound ticked and disabled, the others enabled.
    TFrm_ChApplicationOptions& ApplicationOptions() { return v_appl; }
    const TFrm_ChApplicationOptions& ApplicationOptions() const { return v_appl; }
    TChoices& Choices() { return v_choices; }
    const TChoices& Choices() const { return v_choices; }
    TFrmPriceFileAdmin& PriceFile() { return v_priceFile; }
    const TFrmPriceFileAdmin& PriceFile() const { return v_priceFile; }

    // "Restore Defaults": only the dialog changes, and the price file is
    // cleared as its frame's Clear does.
    void RestoreDefaults();
    // OK. Refused with every page as it was while no refrigerant is
    // allowed; otherwise the units, the refrigerants and the values are
    // applied and written.
    TAcceptResult Accept();
    // Cancel or closing: nothing is stored, and a prices file that Browse or
    // Restore Defaults replaced is attached again.
    void Cancel();

    // The program-wide values.
    static TPreferences& Values();

    // Every stored value (its default when missing or unreadable), then the
    // display units.
    static void ReadRegistry(const Cls_ChLimits& Limits);
    // Every value, then the display units; failures are ignored.
    static void WriteRegistry();
    // Forgets the stored temperatures and reads everything again, so that
    // the temperatures take the limits' defaults.
    static void ResetDefaultTemps(const Cls_ChLimits& Limits);

    // The stored temperatures as the panel takes them for a row of that
    // condenser type: water-cooled or air-cooled condenser values, and the
    // condensing temperature as summer value for condenserless units.
    static TSelTempData GetTempData(std::int32_t nCondenser);
    // A selection run's criteria into the values (not yet written): leaving
    // temperatures no lower than the limits' StoredMinTemp, the condenser
    // and summer values where GetTempData takes them from.
    static void StoreCriteria(std::int32_t nCondenser, std::int32_t nFamily, std::int32_t nRefrigerantId,
                              std::int32_t nCompressorId, const TSelTempData& TempData, const Cls_ChLimits& Limits);

private:
    void LoadUnits();
    void LoadRefrigerants();
    void SetBars(double dNegCooling, double dPosCooling, double dNegHeating, double dPosHeating);
    void SortList(TRefrigerantList List);

    const Cls_ChLimits& v_limits;
    std::array<TUnitChoice, kUnitGroupCount> v_units;
    std::array<std::vector<TRefrigerantItem>, 2> v_refrigerants;
    int v_maxSolutionIndex = 0;
    std::array<TBar, 4> v_bars;
    TFrm_ChApplicationOptions v_appl;
    TChoices v_choices;
    TFrmPriceFileAdmin v_priceFile;
};

}  // namespace brumalis
