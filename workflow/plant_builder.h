// The Plant Builder page without the window: the plant under construction
// (a solution of identical-series units at identical criteria, each on its
// own data set from 40000 upward), its grid with the total column and
// "Add Capacity". The plant is never limited in size.
#pragma once

#include <memory>
#include <string_view>

#include "workflow/main_session.h"
#include "workflow/result_grid.h"
#include "workflow/solution.h"

namespace brumalis {

// The requirement of the Settings page a unit is added under (kW).
struct TPanelRequirement {
    double ReqCoolCap = 0.0;
    double ReqHeatCap = 0.0;
    bool SelectCooling = true;
};

class TPlantBuilder {
public:
    explicit TPlantBuilder(TMainSession& Session);
    TPlantBuilder(const TPlantBuilder&) = delete;
    TPlantBuilder& operator=(const TPlantBuilder&) = delete;

    // "Add to Plant Builder" for a result (its data set 1). The unit needs a
    // network option and, beside a first unit, the same series, condenser,
    // family and criteria; a refusal is shown and leaves the plant as it was.
    bool AddToPlant(Cls_ChOutdoorUnit& Unit, const TPanelRequirement& Panel);
    // "Add Capacity": the entry in the current power unit; an empty,
    // non-numeric or non-positive entry is refused (-8) and changes nothing.
    bool AddCapacity(std::string_view Entry);
    // The grid again: headers, units, totals, total column, last unit selected.
    void Rebuild();
    // The unit columns again after an option change, the same column selected.
    void RefreshGrid();
    // "Remove Plant".
    void RemovePlant();
    // The plant as a basket solution at basket numbers; the plant is removed.
    std::unique_ptr<TSolution> TakeForBasket();
    // "Edit" of a basket plant while none is under construction: its data
    // sets copied to new plant numbers (the counter advances by its unit
    // count) before the basket solution is destroyed; the first unit column
    // selected. False, with the message, while a plant exists.
    bool EditPlant(std::unique_ptr<TSolution>& BasketPlant);
    // Whether editing a basket plant is refused now (a plant exists); shows why.
    bool RefuseEdit() const;

    const TSolution* Plant() const { return v_PlantSolution.get(); }
    TFrm_ChResultGrid& Grid() { return v_grid; }
    const TFrm_ChResultGrid& Grid() const { return v_grid; }
    bool AddCapacityEnabled() const { return v_bAddCapacityEnabled; }
    bool AddButtonsEnabled() const { return v_bAddButtonsEnabled; }
    bool PageAvailable() const { return v_PlantSolution != nullptr; }
    const std::string& CapacityEntry() const { return v_capacityEntry; }
    void SetCapacityEntry(std::string_view Entry) { v_capacityEntry = Entry; }

private:
    bool Compatible(Cls_ChOutdoorUnit& Unit) const;
    void PutHeaders(const Cls_ChOutdoorUnit& First, bool SelectCooling);
    void FillUnits();
    void MarkNetworkOption(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr) const;

    TMainSession& v_session;
    std::unique_ptr<TSolution> v_PlantSolution;
    TFrm_ChResultGrid v_grid;
    bool v_bAddCapacityEnabled = false;
    bool v_bAddButtonsEnabled = false;
    std::string v_capacityEntry;
};

}  // namespace brumalis
