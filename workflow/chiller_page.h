// The Chillers page without the window: the unit chooser (TFrm_ChillerSelect)
// and the data sheet of one catalogue unit (or none): option combos, the
// allowed options, technical and electrical data, nominal figures, sound
// at a chosen distance, photograph and drawing, what the cooling, heating,
// pressure-drop and heat-recovery views are handed. The report's detail
// views draw from the same model.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/records.h"
#include "platform/graphics/picture.h"
#include "workflow/main_session.h"

namespace brumalis {

class TFrm_ChillerSelect {
public:
    using TDisplayData = std::function<void(Cls_ChOutdoorUnit*)>;
    struct TItem {
        std::string Text;
        std::int32_t Value = 0;             // condenser type or family
        Cls_ChOutdoorUnit* Unit = nullptr;  // of a chillers line
    };

    TFrm_ChillerSelect();
    void SetupWindow(std::function<void()> OnEnter, TDisplayData DisplayData);
    // The selectable units (the main window's list, not owned); the selection is cleared.
    void SetChillers(const std::vector<Cls_ChOutdoorUnit*>* SelChillers);
    // The unit's condenser, family, series and the unit itself chosen, then the display callback.
    void SelectChiller(Cls_ChOutdoorUnit& Unit);

    // The user's clicks on a line (-1: none); each ends with the display callback.
    void ChooseCondenser(int nLine);
    void ChooseFamily(int nLine);
    void ChooseSeries(int nLine);
    void ChooseChiller(int nLine);

    std::int32_t GetCondenser() const;  // -1 when none chosen
    std::int32_t GetFamily() const;     // 0 when none chosen
    Cls_ChOutdoorUnit* GetSelectedChiller() const;
    const std::vector<TItem>& Condensers() const { return v_condensers; }
    const std::vector<TItem>& Families() const { return v_families; }
    const std::vector<TItem>& Series() const { return v_series; }
    const std::vector<TItem>& Chillers() const { return v_chillers; }
    int CondenserLine() const { return v_condenser; }
    int FamilyLine() const { return v_family; }
    int SeriesLine() const { return v_seriesLine; }
    int ChillerLine() const { return v_chiller; }

private:
    void FillSeries();
    void FillChillers();
    void Display() const;

    const std::vector<Cls_ChOutdoorUnit*>* v_SelChillers = nullptr;
    std::vector<Cls_ChOutdoorUnit*> v_CondenserChillers;
    std::vector<TItem> v_condensers, v_families, v_series, v_chillers;
    int v_condenser = -1, v_family = -1, v_seriesLine = -1, v_chiller = -1;
    std::function<void()> v_onEnter;
    TDisplayData v_displayData;
};

// The option combos of the data sheet; item 0 of each is "<None>".
enum class TSheetCombo : int {
    CoolLowNoise, CoolTempExtend, HeatLowNoise, HeatTempExtend, HRPressureDrop, Pump, HeatRecovery, LowNoiseOption,
};
inline constexpr int kSheetComboCount = 8;

struct TSheetComboItems {
    struct TEntry {
        std::string Text;
        Cls_ChOptAllowed* Comb = nullptr;
    };
    std::vector<TEntry> Items;
    int Selected = 0;
    const Cls_ChOptAllowed* Chosen() const { return Items.at(static_cast<std::size_t>(Selected)).Comb; }
};

struct TAllowedOptionLine {
    std::string Option;
    std::string Qty;
    bool Standard = false;  // shown as a check mark
};

// The texts of the technical-data tab (in the display units). Electrical
// texts stay empty when no power supply of the unit is in the catalogue.
struct TTechnicalTexts {
    std::string Refrigerant, Controller, PlacedOutside, Eurovent;
    std::string EvapFlowRange, EvapDeltaTRange;
    bool CondenserShown = false;
    std::string CondFlowRange, CondDeltaTRange;
    std::string PowerSupply, Frequency, Phases, Voltage, VoltageRange;
    std::string MaxUnitRunCurrent, MaxComprRunCurrent, MaxUnitStartCurrent, Fuses;
    std::string NominalCoolCap, NominalCoolPI, NominalHeatCap, NominalHeatPI;
    std::string CompressorType, CompressorQuantity, CapacitySteps;
    std::string Height, Width, Depth, Weight;
    std::string SoundPower, SoundPressure;
    // Caption and text, in the tab's order, the empty ones left out.
    std::vector<std::pair<std::string, std::string>> Lines() const;
};

// What the capacity, graph and operating-range frames get for one mode.
struct TPerformanceView {
    static constexpr std::int32_t kNoExtension = 2147483647;
    bool Shown = false;
    std::string YCaption, XCaption;
    const TPolyCapListCh* CapTable = nullptr;
    const TPolyCapListCh* PITable = nullptr;
    bool IdenticalLabel = false;  // a low-noise option without tables of its own
    std::int32_t RangeExtension = kNoExtension;
    double LWEMin = 0.0, LWEMax = 0.0, XMin = 0.0, XMax = 0.0;  // of the power-input table
    const TFreezeUpCh* FreezeUp = nullptr;                      // heating only
};

struct TPressureDropView {
    const Cls_ChOutCapacity* Evaporator = nullptr;
    const Cls_ChOutCapacity* Condenser = nullptr;
    std::unique_ptr<Cls_ChOptionPD> Recovery;  // of the chosen heat-recovery option
    std::unique_ptr<Cls_ChPumpData> Pump;      // of the chosen pump option
};

class TChillerDataSheet {
public:
    static constexpr double kDefaultDistance = 5.0;
    static constexpr double kMinDistance = 1.0;
    static constexpr double kMaxDistance = 20.0;
    static constexpr const char* kIdenticalLabel = "Regular table and low noise table are identical";

    // The stored bytes of a picture by object identifier ("" when none).
    using TPictureReader = std::function<std::string(std::int32_t nObjID)>;

    explicit TChillerDataSheet(TMainSession& Session);
    // Where the pictures come from (the pictures database by default).
    void SetPictureReader(TPictureReader Reader) { v_pictureReader = std::move(Reader); }

    // The chooser's display callback: every step of showing a unit, or all cleared.
    void ShowUnit(Cls_ChOutdoorUnit* Unit);
    // A combo's item chosen: the view it belongs to is filled again. False
    // for an item the combo does not have.
    bool ChooseOption(TSheetCombo Combo, int nItem);
    // The sound distance (m), kept within 1 to 20; the sound texts follow.
    void SetDistance(double dMetres);

    Cls_ChOutdoorUnit* Unit() const { return v_unit; }
    const TSheetComboItems& Combo(TSheetCombo Combo) const { return v_combos[static_cast<std::size_t>(Combo)]; }
    const std::vector<TAllowedOptionLine>& AllowedOptions() const { return v_allowed; }
    const TTechnicalTexts& Technical() const { return v_technical; }
    const TPerformanceView& Cooling() const { return v_cooling; }
    const TPerformanceView& Heating() const { return v_heating; }
    const TPressureDropView& PressureDrop() const { return v_pressureDrop; }
    bool HeatRecoveryFilled() const { return v_bHRFilled; }
    const CTRecordList<Cls_ChHRTotalPartial>& HeatRecoveryRows() const { return v_hrRows; }
    const graphics::CTGraphic& Photograph() const { return v_photo; }
    const graphics::CTGraphic& Drawing() const { return v_drawing; }
    double Distance() const { return v_distance; }

private:
    void FillCombos();
    void FillTechnical();
    void FillElectrical();
    void FillSound();
    void FillPerformance(bool bCooling);
    void FillPressureDrop();
    void FillHeatRecovery();
    void LoadPictures();
    void Clear();

    TMainSession& v_session;
    Cls_ChOutdoorUnit* v_unit = nullptr;
    std::array<TSheetComboItems, kSheetComboCount> v_combos;
    std::vector<TAllowedOptionLine> v_allowed;
    TTechnicalTexts v_technical;
    TPerformanceView v_cooling, v_heating;
    TPressureDropView v_pressureDrop;
    bool v_bHRFilled = false;
    CTRecordList<Cls_ChHRTotalPartial> v_hrRows;
    graphics::CTGraphic v_photo, v_drawing;
    double v_distance = kDefaultDistance;
    TPictureReader v_pictureReader;
};

// The range extension of a temperature-extension combination:
// -(|generic| rounded, modulo 1000); kNoExtension without one.
std::int32_t RangeExtensionOf(const Cls_ChOptAllowed* TempExtension);
// The bytes of a picture of the pictures database; "" when there is none.
std::string StoredPictureBytes(std::int32_t nObjID);
// Picture bytes decoded; undecodable or missing data give an empty picture
// (with the reason when there was data).
graphics::CTGraphic PictureOf(const std::string& bytes);

}  // namespace brumalis
