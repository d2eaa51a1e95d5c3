#include "workflow/basket_page.h"

#include "catalogue/polynomial_records.h"
#include "catalogue/units.h"
#include "catalogue/user_dialog.h"
#include "workflow/preferences.h"
#include "workflow/workflow_texts.h"

namespace brumalis {
namespace {

constexpr int kMsgPumpTooWeak = 242;

}  // namespace

TBasketPage::TBasketPage(TMainSession& Session)
    : v_session(Session), v_basket(Session.Basket()), v_plant(Session.Plant()) {
    v_grid.SetupWindow(&v_session.v_OptionCodes);
    v_grid.PutRowTitles(TFrm_Preferences::Values().ESEER);
}

void TBasketPage::SetEditCallbacks(TShowSettings ShowSettings, TShowResult ShowResult) {
    v_showSettings = std::move(ShowSettings);
    v_showResult = std::move(ShowResult);
}

bool TBasketPage::PumpRefused(Cls_ChOutdoorUnit& Unit) const {
    const std::int32_t nSeqNr = TMainSession::kSelectionSeqNr;
    Cls_ChOptAllowed *pTank = nullptr, *pPump = nullptr, *pLowNoise = nullptr, *pRecovery = nullptr,
                     *pRange = nullptr;
    Unit.GetSelectedAttrOptionCombs(v_session.v_Options, nSeqNr, pTank, pPump, pLowNoise, pRecovery, pRange);
    const auto pCurve = pPump ? pPump->GetTheChPumpData() : nullptr;
    if (!pCurve) return false;
    const TChillerData d = Unit.GetChillerData(nSeqNr);
    const double dESP = pCurve->Evaluate(d.Evaporator.WFR) * 1000.0;
    if (!(d.Evaporator.PD * 1000.0 > dESP)) return false;
    ShowUserError(kMsgPumpTooWeak, {Unit.GetName(), TU_Form::PutDimensionedText(U_Pressure, true, dESP),
                                    TU_Form::PutDimensionedText(U_Airflow, true, d.Evaporator.WFR / 60.0)});
    return true;
}

void TBasketPage::Added(std::unique_ptr<TSolution> pSolution) {
    v_basket.Add(std::move(pSolution));
    ShowWorkflowInformation(WorkflowText("Solution has been added to the basket."));
}

bool TBasketPage::AddResult(Cls_ChOutdoorUnit& Unit, const TPanelRequirement& Panel) {
    if (PumpRefused(Unit)) return false;
    const std::int32_t nSeqNr = v_session.NextBasketSeqNr();
    Unit.CopyChillerData(TMainSession::kSelectionSeqNr, nSeqNr);
    Added(std::make_unique<TSolution>(nSeqNr, Panel.ReqHeatCap, Panel.ReqCoolCap,
                                      std::vector<Cls_ChOutdoorUnit*>{&Unit}));
    return true;
}

bool TBasketPage::AddPlant() {
    std::unique_ptr<TSolution> pSolution = v_plant.TakeForBasket();
    if (!pSolution) return false;
    Added(std::move(pSolution));
    return true;
}

void TBasketPage::SelectColumn(int nColumn) { v_basket.Select(nColumn - 1); }

bool TBasketPage::RemoveSelected() { return v_basket.Remove(v_basket.Selected()); }

bool TBasketPage::MoveSelected(bool bRight) { return v_basket.Move(v_basket.Selected(), bRight); }

bool TBasketPage::EditOneUnit(std::unique_ptr<TSolution> pSolution) {
    Cls_ChOutdoorUnit& unit = *pSolution->GetChillers().front();
    unit.CopyChillerData(pSolution->GetSeqNr(), TMainSession::kSelectionSeqNr);
    const TChillerData d = unit.GetChillerData(TMainSession::kSelectionSeqNr);
    const double dCool = pSolution->GetReqCoolCap(), dHeat = pSolution->GetReqHeatCap();
    pSolution.reset();  // its data set is copied back
    // With its capacities, so that adding it back keeps the requirement.
    if (v_showSettings) v_showSettings(unit, d.TempSelData, dCool, dHeat, true);
    v_session.v_Results = {&unit};
    if (v_showResult) v_showResult(unit, dCool, dHeat, d.TempSelData.SelectCooling);
    return true;
}

bool TBasketPage::EditSelected() {
    const int nIndex = v_basket.Selected();
    if (nIndex < 0) return false;
    const bool bPlant = v_basket.At(nIndex).UnitCount() > 1;
    if (bPlant && v_plant.RefuseEdit()) return false;
    std::unique_ptr<TSolution> pSolution = v_basket.Take(nIndex);
    if (!bPlant) return EditOneUnit(std::move(pSolution));
    Cls_ChOutdoorUnit& first = *pSolution->GetChillers().front();
    const TSelTempData criteria = first.GetChillerData(pSolution->GetSeqNr()).TempSelData;
    const double dCool = pSolution->GetReqCoolCap(), dHeat = pSolution->GetReqHeatCap();
    if (!v_plant.EditPlant(pSolution)) return false;
    if (v_showSettings) v_showSettings(first, criteria, dCool, dHeat, false);
    return true;
}

void TBasketPage::PreferencesChanged(bool ShowESEER) {
    v_grid.PutRowTitles(ShowESEER);
    v_plant.Rebuild();
}

Cls_ChOutdoorUnit* TBasketPage::UnitOfColumn(int nColumn) const {
    const int nIndex = nColumn - 1;
    if (nIndex < 0 || nIndex >= v_basket.Count() || v_basket.At(nIndex).UnitCount() != 1) return nullptr;
    return v_basket.At(nIndex).GetChillers().front();
}

std::string TBasketPage::CellText(int nColumn, int nRow) const {
    if (nColumn == 0) return v_grid.RowTitle(nRow);
    return v_grid.CellText(v_basket.At(nColumn - 1), nColumn - 1, nRow);
}

}  // namespace brumalis
