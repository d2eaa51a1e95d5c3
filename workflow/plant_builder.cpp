#include "workflow/plant_builder.h"

#include <cmath>

#include "catalogue/units.h"
#include "catalogue/user_dialog.h"
#include "dialogs/messages.h"
#include "platform/settings_store.h"
#include "workflow/preferences.h"
#include "workflow/workflow_texts.h"

namespace brumalis {
namespace {

constexpr int kNetworkOption = 3;

bool Refused(const char* szEnglish) {
    ShowWorkflowError(WorkflowText(szEnglish));
    return false;
}

}  // namespace

TPlantBuilder::TPlantBuilder(TMainSession& Session) : v_session(Session) {
    v_grid.SetupWindow(false, TMainSession::kPlantSeqNrBase, &v_session.v_OptionCodes);
}

bool TPlantBuilder::Compatible(Cls_ChOutdoorUnit& Unit) const {
    Cls_ChOutdoorUnit& first = *v_PlantSolution->GetChillers().front();
    if (!platform::EqualsIgnoringCase(Unit.GetSeries(), first.GetSeries())) {
        return Refused("The series of the selected chiller and the chiller(s) in the plant differ. Cannot add this chiller.");
    }
    if (Unit.GetCondenserType() != first.GetCondenserType()) {
        return Refused("The condenser of the selected chiller and the chiller(s) in the plant differ. Cannot add this chiller.");
    }
    if (Unit.GetFamily() != first.GetFamily()) {
        return Refused("The family of the selected chiller and the chiller(s) in the plant differ. Cannot add this chiller.");
    }
    if (!(Unit.GetChillerData(TMainSession::kSelectionSeqNr).TempSelData ==
          first.GetChillerData(v_PlantSolution->GetSeqNr()).TempSelData)) {
        return Refused("The selection criteria of the selected chiller and the chiller(s) in the plant differ. Cannot add this chiller.");
    }
    return true;
}

void TPlantBuilder::PutHeaders(const Cls_ChOutdoorUnit& First, bool SelectCooling) {
    v_grid.PutHeaders(First.GetCondenserType(), First.GetFamily(), 0.0, "STD", TFrm_Preferences::Values().ESEER,
                      SelectCooling, v_PlantSolution->GetReqHeatCap(), v_PlantSolution->GetReqCoolCap(), false);
}

void TPlantBuilder::MarkNetworkOption(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr) const {
    const std::vector<Cls_ChOptAllowed*> network = Unit.GetSpecialOptCombs(v_session.v_Options, SeqNr, kNetworkOption);
    if (network.empty()) return;
    // The one the user chose, else the first the unit offers.
    Cls_ChOptAllowed* pChosen = network.front();
    for (Cls_ChOptAllowed* pComb : network) {
        if (pComb->GetSelected()) pChosen = pComb;
    }
    pChosen->Calculated = true;
}

void TPlantBuilder::FillUnits() {
    const std::vector<Cls_ChOutdoorUnit*>& units = v_PlantSolution->GetChillers();
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::int32_t nSeqNr = v_PlantSolution->GetSeqNr() + static_cast<std::int32_t>(i);
        MarkNetworkOption(*units[i], nSeqNr);
        v_grid.AddChiller(units[i], nSeqNr);
    }
    if (units.size() > 1) {
        v_PlantSolution->CalcTotals();
        v_grid.AddTotalColumn(v_PlantSolution->GetDataSet());
    }
}

bool TPlantBuilder::AddToPlant(Cls_ChOutdoorUnit& Unit, const TPanelRequirement& Panel) {
    if (Unit.GetSpecialOptCombs(v_session.v_Options, TMainSession::kSelectionSeqNr, kNetworkOption).empty()) {
        return Refused("The selected chiller has no network option (NVLT or KRTAMZV) needed for a plant. Cannot add this chiller.");
    }
    std::int32_t nSeqNr = 0;
    if (v_PlantSolution) {
        v_bAddCapacityEnabled = true;  // before the tests: it stays enabled when they fail
        if (!Compatible(Unit)) return false;
        nSeqNr = v_PlantSolution->GetSeqNr() + v_PlantSolution->UnitCount();
        v_session.ReservePlantSeqNrs(nSeqNr);
        v_bAddButtonsEnabled = true;
        v_grid.EmptyGrid();
    } else {
        v_bAddCapacityEnabled = false;
        nSeqNr = v_session.NextPlantSeqNr();
        v_PlantSolution = std::make_unique<TSolution>(nSeqNr, Panel.ReqHeatCap, Panel.ReqCoolCap,
                                                      std::vector<Cls_ChOutdoorUnit*>{});
        PutHeaders(Unit, Panel.SelectCooling);
    }
    Unit.CopyChillerData(TMainSession::kSelectionSeqNr, nSeqNr);
    v_PlantSolution->AddChiller(&Unit);
    FillUnits();
    v_grid.SetCurrentPosition(v_grid.UnitCount() - 1);
    ShowWorkflowInformation(WorkflowText("Chiller has been added to plant."));
    return true;
}

bool TPlantBuilder::AddCapacity(std::string_view Entry) {
    if (!v_PlantSolution) return false;
    const double dKW = TU_Form::GetDimensionedValue(Entry, U_Power, true);
    if (!(dKW > 0.0) || !std::isfinite(dKW)) {
        ShowUserError(dialogs::msgNotPositive, {std::string(Entry)});
        return false;
    }
    v_capacityEntry.clear();
    v_PlantSolution->ReplaceReqCap(dKW);
    Rebuild();
    return true;
}

void TPlantBuilder::Rebuild() {
    v_capacityEntry.clear();
    if (!v_PlantSolution || v_PlantSolution->GetChillers().empty()) return;
    v_PlantSolution->CalcTotals();
    PutHeaders(*v_PlantSolution->GetChillers().front(), v_PlantSolution->GetDataSet().TempSelData.SelectCooling);
    FillUnits();
    v_grid.SetCurrentPosition(v_grid.UnitCount() - 1);
}

void TPlantBuilder::RefreshGrid() {
    if (!v_PlantSolution) return;
    const int nPosition = v_grid.GetCurrentPosition();
    v_grid.EmptyGrid();
    FillUnits();
    v_grid.SetCurrentPosition(nPosition);
}

void TPlantBuilder::RemovePlant() {
    v_grid.EmptyGrid();
    v_PlantSolution.reset();
    v_bAddCapacityEnabled = false;
    v_bAddButtonsEnabled = false;
}

std::unique_ptr<TSolution> TPlantBuilder::TakeForBasket() {
    if (!v_PlantSolution) return nullptr;
    const std::vector<Cls_ChOutdoorUnit*> units = v_PlantSolution->GetChillers();
    const std::int32_t nBasket = v_session.NextBasketSeqNr(static_cast<std::int32_t>(units.size()));
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto n = static_cast<std::int32_t>(i);
        units[i]->CopyChillerData(v_PlantSolution->GetSeqNr() + n, nBasket + n);
    }
    auto pSolution = std::make_unique<TSolution>(nBasket, v_PlantSolution->GetReqHeatCap(),
                                                 v_PlantSolution->GetReqCoolCap(), units);
    RemovePlant();
    return pSolution;
}

bool TPlantBuilder::RefuseEdit() const {
    if (!v_PlantSolution) return false;
    ShowWorkflowError(WorkflowText("Cannot edit this plant definition, as there is an active plant definition."));
    return true;
}

bool TPlantBuilder::EditPlant(std::unique_ptr<TSolution>& BasketPlant) {
    if (RefuseEdit() || !BasketPlant || BasketPlant->GetChillers().empty()) return false;
    const std::vector<Cls_ChOutdoorUnit*> units = BasketPlant->GetChillers();
    const std::int32_t nPlant = v_session.NextPlantSeqNr(static_cast<std::int32_t>(units.size()));
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto n = static_cast<std::int32_t>(i);
        units[i]->CopyChillerData(BasketPlant->GetSeqNr() + n, nPlant + n);
    }
    v_PlantSolution = std::make_unique<TSolution>(nPlant, BasketPlant->GetReqHeatCap(), BasketPlant->GetReqCoolCap(),
                                                  units);
    BasketPlant.reset();  // its data sets are copied
    PutHeaders(*units.front(), v_PlantSolution->GetDataSet().TempSelData.SelectCooling);
    FillUnits();
    v_grid.SetCurrentPosition(0);
    v_bAddButtonsEnabled = true;
    return true;
}

}  // namespace brumalis
