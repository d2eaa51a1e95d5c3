// What the main window owns, without the window: the catalogue lists loaded
// at start, the selectable units, the output of the last selection run, the
// sequence-number counters, and the kept work: the solution basket, the
// plant under construction and the project's file name and unsaved-changes
// flag. The desktop program and the command line hold one each.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/records.h"
#include "workflow/basket.h"

namespace brumalis {

// What a selection run needs besides the units (all in internal units).
struct TSelectionRequest {
    std::vector<Cls_ChOutdoorUnit*> Units;            // the selected row's units
    std::function<bool(std::string_view)> Allowed;    // application-option test of a trimmed suffix
    TSelTempData Temperatures;
    double ReqCool = 0.0;  // kW, 0 when the box is hidden
    double ReqHeat = 0.0;
    Cls_ChGlycol* CondenserBrine = nullptr;
    double CondenserPercent = 0.0;
    double NegCooling = -0.2, PosCooling = 0.2, NegHeating = -0.2, PosHeating = 0.2;
    int MaxSolutions = 4;
};

// The capacity window of a requirement.
class TPlantBuilder;

struct TCapacityBand {
    double Min = 0.0;
    double Max = kUnboundedCapacity;
    static TCapacityBand Of(double dRequired, double dNeg, double dPos);
};

class TMainSession {
public:
    static constexpr std::int32_t kSelectionSeqNr = 1;
    static constexpr std::int32_t kAnalysisSeqNr = 2;
    static constexpr std::int32_t kBasketSeqNrBase = 3;
    static constexpr std::int32_t kPlantSeqNrBase = 40000;

    TMainSession();
    ~TMainSession();
    TMainSession(const TMainSession&) = delete;
    TMainSession& operator=(const TMainSession&) = delete;

    // Loads the lists in start-up order; basket and plant are emptied first
    // (their solutions refer to the units being replaced) (units, applied refrigerants,
    // (units, applied refrigerants, controllers, compressors, options,
    // exclusions, option codes, power supplies, their combinations, brines),
    // drops withdrawn records and builds the selectable units. The database
    // set must be connected.
    void LoadCatalogue(CTBaseFactory& factory);
    // The selectable units anew from v_Refrigerants (after the preferences
    // changed which refrigerants are allowed).
    void SelectPreferredUnits();

    // The run: every allowed unit of the request tested as a candidate with
    // data set 1; the best MaxSolutions candidates become the results, in
    // signed-deviation order; answers the index of the best result (-1: none).
    int RunSelection(const TSelectionRequest& request);
    // Counts the runs, so that a view can tell a new run's lists from those it shows.
    std::uint64_t RunNumber() const { return v_runNumber; }

    // Sequence numbers for basket solutions (3 upward) and plants (40000
    // upward); a solution of n units takes n consecutive numbers.
    std::int32_t NextBasketSeqNr(std::int32_t n = 1) { return std::exchange(v_nextBasketSeqNr, v_nextBasketSeqNr + n); }
    std::int32_t NextPlantSeqNr(std::int32_t n = 1) { return std::exchange(v_nextPlantSeqNr, v_nextPlantSeqNr + n); }
    // The plant's next unit takes the number after its last one; later
    // plants start beyond it.
    void ReservePlantSeqNrs(std::int32_t nUpTo) { v_nextPlantSeqNr = std::max(v_nextPlantSeqNr, nUpTo + 1); }

    // The basket; every change of it marks the project modified.
    TSolutionBasket& Basket() { return v_basket; }
    const TSolutionBasket& Basket() const { return v_basket; }
    TPlantBuilder& Plant() { return *v_plant; }
    const TPlantBuilder& Plant() const { return *v_plant; }
    // Basket and plant emptied, their data sets removed from the units; the
    // project's name and flag stay.
    void ClearWork();

    bool v_ProjectModified = false;
    std::string v_ProjectFileName;

    std::unique_ptr<Cls_ChLimits> v_Limits;
    CTRecordList<Cls_ChOutdoorUnit> v_Outdoors;
    CTRecordList<Cls_Refrigerant> v_Refrigerants;
    CTRecordList<Cls_ChController> v_Controllers;
    CTRecordList<Cls_ChCompressor> v_Compressors;
    CTRecordList<Cls_ChOption> v_Options;
    CTRecordList<Cls_ChOptExcludes> v_OptionsExcluded;
    CTRecordList<Cls_ChOptionCode> v_OptionCodes;
    CTRecordList<Cls_PowerSupply> v_Powersupplies;
    CTRecordList<Cls_ChPSAllowed> v_PSCombinations;
    CTRecordList<Cls_ChGlycol> v_Glycols;
    std::vector<Cls_ChOutdoorUnit*> v_PrefChillers;  // the units the user can select from

    std::vector<Cls_ChOutdoorUnit*> v_Candidates;
    std::vector<Cls_ChOutdoorUnit*> v_NonSelected;
    std::vector<Cls_ChOutdoorUnit*> v_Results;
    TCapacityBand v_CoolBand, v_HeatBand;  // of the last run

private:
    std::uint64_t v_runNumber = 0;
    std::int32_t v_nextBasketSeqNr = kBasketSeqNrBase;
    std::int32_t v_nextPlantSeqNr = kPlantSeqNrBase;
    // Last, so that they go before the units their solutions refer to.
    TSolutionBasket v_basket;
    std::unique_ptr<TPlantBuilder> v_plant;
};

}  // namespace brumalis
