// The Solution Basket page without the window: adding a result or the
// plant, removing, moving and editing solutions, the grid and the page's
// availability. Edits hand the Settings page and the results back to the
// main window through callbacks.
#pragma once

#include <functional>

#include "workflow/basket.h"
#include "workflow/basket_grid.h"
#include "workflow/main_session.h"
#include "workflow/plant_builder.h"

namespace brumalis {

class TBasketPage {
public:
    // The Settings page shows the unit's condenser and family and the
    // criteria (with the required capacities when bWithCapacities, kW).
    using TShowSettings = std::function<void(Cls_ChOutdoorUnit& First, const TSelTempData& Criteria,
                                             double ReqCoolCap, double ReqHeatCap, bool bWithCapacities)>;
    // The results hold just this unit (its data set 1), headers with the
    // solution's requirements and cooling mode; the Results page is shown.
    using TShowResult = std::function<void(Cls_ChOutdoorUnit& Unit, double ReqCoolCap, double ReqHeatCap,
                                           bool SelectCooling)>;

    // The session's basket and plant.
    explicit TBasketPage(TMainSession& Session);
    void SetEditCallbacks(TShowSettings ShowSettings, TShowResult ShowResult);

    // "Add to Solution Basket" of the results frame (data set 1). A
    // selected pump whose curve cannot overcome the unit's pressure drop is
    // refused (242); a pump without a curve is not checked.
    bool AddResult(Cls_ChOutdoorUnit& Unit, const TPanelRequirement& Panel);
    // "Add to Solution Basket" of the plant frame: the plant becomes a
    // solution and is removed.
    bool AddPlant();
    // A click on grid column nColumn (0: the row titles).
    void SelectColumn(int nColumn);
    bool RemoveSelected();
    bool MoveSelected(bool bRight);
    // "Edit": a one-unit solution goes back to the results, a plant to the
    // Plant Builder (refused while a plant is under construction; the
    // basket then stays as it was).
    bool EditSelected();
    // After a preference change: the row titles and the plant grid again.
    void PreferencesChanged(bool ShowESEER);

    // The unit a double-click on a one-unit column shows (none for a plant).
    Cls_ChOutdoorUnit* UnitOfColumn(int nColumn) const;
    bool PageAvailable() const { return !v_basket.Empty(); }
    int ColumnCount() const { return v_basket.Count() + 1; }
    std::string CellText(int nColumn, int nRow) const;
    TBasketGrid& Grid() { return v_grid; }
    const TBasketGrid& Grid() const { return v_grid; }
    TSolutionBasket& Basket() { return v_basket; }

private:
    bool PumpRefused(Cls_ChOutdoorUnit& Unit) const;
    void Added(std::unique_ptr<TSolution> pSolution);
    bool EditOneUnit(std::unique_ptr<TSolution> pSolution);

    TMainSession& v_session;
    TSolutionBasket& v_basket;
    TPlantBuilder& v_plant;
    TBasketGrid v_grid;
    TShowSettings v_showSettings;
    TShowResult v_showResult;
};

}  // namespace brumalis
