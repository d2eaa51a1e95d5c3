#include "workflow/result_grid.h"

#include <cmath>

#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "localisation/number_text.h"
#include "workflow/grid_texts.h"
#include "workflow/selection_list.h"

namespace brumalis {
namespace {

bool HasCooling(std::int32_t nFamily) { return nFamily == famHeatRecovery || nFamily == famHeatPump || nFamily == famCoolingOnly || nFamily == famCondensingUnit; }
bool HasHeating(std::int32_t nFamily) { return nFamily == famHeatPump || nFamily == famHeatingOnly; }

}  // namespace

void TFrm_ChResultGrid::SetupWindow(bool MultipleChillers, std::int32_t SeqNr,
                                    const CTRecordList<Cls_ChOptionCode>* OptionCodes,
                                    TSelectChiller SelectChiller, TDblClickChiller DblClickChiller,
                                    TControlEntered OnEnter) {
    v_MultipleChillers = MultipleChillers;
    v_SeqNr = SeqNr;
    v_OptionCodes = OptionCodes;
    v_selectChiller = std::move(SelectChiller);
    v_dblClickChiller = std::move(DblClickChiller);
    v_onEnter = std::move(OnEnter);
}

void TFrm_ChResultGrid::AddRow(TRowKind kind, const std::string& title, int tag, int soundIndex) {
    v_rows.push_back(TRow{kind, TranslatedRowTitle(title), tag, soundIndex});
}

void TFrm_ChResultGrid::PutHeaders(std::int32_t Condenser, std::int32_t Family, double Distance,
                                   const std::string& StdAppl, bool ShowESEER, bool SelectOnCooling,
                                   double ReqHeatCap, double ReqCoolCap, bool bHasPrices) {
    EmptyGrid(false);
    // The units come in the run's order: markers of an earlier sort would lie.
    v_SortTag = 2;
    v_SortAscending = true;
    v_bSortClicked = false;
    v_StdAppl = StdAppl;
    v_ReqCoolCap = ReqCoolCap;
    v_ReqHeatCap = ReqHeatCap;
    if (v_MultipleChillers) AddRow(rkSolution, "Solution");
    AddRow(rkModel, "Model reference");
    AddRow(rkApplication, "Application");
    AddRow(rkOptionCode, "Option Code");
    if ((ReqCoolCap > 0.0 || ReqHeatCap > 0.0) && bHasPrices) AddRow(rkPrice, "Price indication (%)", 3);
    if (HasCooling(Family)) {
        AddRow(rkCoolTitle, "Cooling");
        if (ReqCoolCap > 0.0) {
            AddRow(rkCoolRequired, kGridIndent + "Required total capacity");
            if (Family != famHeatPump || SelectOnCooling) AddRow(rkCoolDeviation, kGridIndent + "Deviation", 2);
        }
        AddRow(rkCoolCapacity, kGridIndent + "Capacity");
        AddRow(rkCoolPower, kGridIndent + "Power input");
        AddRow(rkEER, kGridIndent + "EER", 4);
        if (ShowESEER) {
            AddRow(rkESEER, kGridIndent + "ESEER", 6);
        } else {
            AddRow(rkIPLV, kGridIndent + "IPLV", 7);
        }
    }
    if (HasHeating(Family)) {
        AddRow(rkHeatTitle, "Heating");
        if (ReqHeatCap > 0.0) {
            AddRow(rkHeatRequired, kGridIndent + "Required total capacity");
            if (Family == famHeatingOnly || !SelectOnCooling) AddRow(rkHeatDeviation, kGridIndent + "Deviation", 2);
        }
        AddRow(rkHeatCapacity, kGridIndent + "Capacity");
        AddRow(rkHeatPower, kGridIndent + "Power input");
        AddRow(rkCOP, kGridIndent + "COP", 5);
    }
    if (Family != famCondensingUnit) {
        AddRow(rkEvapTitle, "Evaporator");
        AddRow(rkEvapFlow, kGridIndent + "Fluid flow rate");
        AddRow(rkEvapPD, kGridIndent + "Fluid pressure drop");
    }
    if (Condenser == ctWaterCooled) {
        AddRow(rkCondTitle, "Condenser");
        AddRow(rkCondFlow, kGridIndent + "Fluid flow rate");
        AddRow(rkCondPD, kGridIndent + "Fluid pressure drop");
    }
    AddRow(rkHRMode, "Heat recovery mode");
    AddRow(rkHRCC, kGridIndent + "Cooling capacity (CC HR)");
    AddRow(rkHRPI, kGridIndent + "Power input (PI HR)");
    AddRow(rkHRHC, kGridIndent + "Heating capacity (HC HR)");
    AddRow(rkHRCOP, kGridIndent + "COP");
    AddRow(rkHRPercent, kGridIndent + "% heat recovery");
    AddRow(rkHRXTitle, "HR Exchanger");
    AddRow(rkHRFlow, kGridIndent + "Fluid flow rate");
    AddRow(rkHRPD, kGridIndent + "Fluid pressure drop");
    AddRow(rkSoundTitle, "Sound");
    AddRow(rkSoundPower, kGridIndent + "Sound power", 8);
    if (Distance > 0.0) {
        AddRow(rkSoundPressure, kGridIndent + SoundDistanceTitle(Distance), 0, 0);
    } else {
        const TSoundArray distances = Cls_ChOutdoorUnit::GetInitSoundDistances();
        for (int i = 0; i < 3; ++i) {
            AddRow(rkSoundPressure, kGridIndent + SoundDistanceTitle(distances[static_cast<std::size_t>(i)]), 0, i);
        }
    }
    AddRow(rkEurovent, "Eurovent certified");
}

void TFrm_ChResultGrid::AddChiller(Cls_ChOutdoorUnit* Unit, std::int32_t SeqNr) {
    v_SeqNr = SeqNr;
    v_columns.push_back(TColumn{Unit, SeqNr});
}

bool TFrm_ChResultGrid::AddTotalColumn(const TChillerData& TotalSet) {
    if (v_MultipleChillers || v_columns.empty()) return false;
    v_total = TotalSet;
    v_hasTotal = true;
    return true;
}

bool TFrm_ChResultGrid::ReplaceChiller(Cls_ChOutdoorUnit* Unit) {
    if (v_current < 0 || !Unit) return false;
    v_columns[static_cast<std::size_t>(v_current)].unit = Unit;
    UpdatePriceIndication();
    return true;
}

void TFrm_ChResultGrid::EmptyGrid(bool KeepFixedCols) {
    v_columns.clear();
    v_current = -1;
    v_hasTotal = false;
    v_priceReference = 0.0;
    if (!KeepFixedCols) v_rows.clear();
}

std::string TFrm_ChResultGrid::ColumnTitle(int nColumn) const {
    return v_hasTotal && nColumn == UnitCount() ? dialogs::TBaseMsg::Translate("Solution") : std::string();
}

bool TFrm_ChResultGrid::RequirementInTotal(TRowKind kind) const {
    if (!v_hasTotal) return false;
    if (kind == rkCoolRequired || kind == rkCoolDeviation) return v_ReqCoolCap > 0.0;
    if (kind == rkHeatRequired || kind == rkHeatDeviation) return v_ReqHeatCap > 0.0;
    return false;
}

std::string TFrm_ChResultGrid::TotalCellText(const TRow& row) const {
    const TChillerData& d = v_total;
    switch (row.kind) {
        case rkCoolRequired: return RequirementInTotal(row.kind) ? DimensionedCell(U_Power, v_ReqCoolCap) : std::string();
        case rkCoolDeviation: return RequirementInTotal(row.kind) ? PlainCell(d.CoolData.Deviation, 1, "%") : std::string();
        case rkCoolCapacity: return DimensionedCell(U_Power, d.CoolData.Cap);
        case rkCoolPower: return DimensionedCell(U_Power, d.CoolData.PI);
        case rkEER: return PlainCell(d.CoolData.EERCOP, 2);
        case rkHeatRequired: return RequirementInTotal(row.kind) ? DimensionedCell(U_Power, v_ReqHeatCap) : std::string();
        case rkHeatDeviation: return RequirementInTotal(row.kind) ? PlainCell(d.HeatData.Deviation, 1, "%") : std::string();
        case rkHeatCapacity: return DimensionedCell(U_Power, d.HeatData.Cap);
        case rkHeatPower: return DimensionedCell(U_Power, d.HeatData.PI);
        case rkCOP: return PlainCell(d.HeatData.EERCOP, 2);
        case rkSoundPower: return PlainCell(d.SoundPower, 1, DecibelsSuffix());
        case rkSoundPressure: return PlainCell(d.SoundPressures[static_cast<std::size_t>(row.soundIndex)], 1, DecibelsSuffix());
        default: return std::string();
    }
}

void TFrm_ChResultGrid::SetCurrentPosition(int Index) {
    if (Index < 0 || Index >= UnitCount()) return;
    v_current = Index;
    UpdatePriceIndication();
    if (v_selectChiller) v_selectChiller(v_columns[static_cast<std::size_t>(Index)].unit, v_columns[static_cast<std::size_t>(Index)].SeqNr);
}

Cls_ChOutdoorUnit* TFrm_ChResultGrid::GetCurrentChiller(std::int32_t& SeqNr) const {
    if (v_current < 0) return nullptr;
    SeqNr = v_columns[static_cast<std::size_t>(v_current)].SeqNr;
    return v_columns[static_cast<std::size_t>(v_current)].unit;
}

bool TFrm_ChResultGrid::SetCurrentChiller(const Cls_ChOutdoorUnit& Unit) {
    for (int i = 0; i < UnitCount(); ++i) {
        if (v_columns[static_cast<std::size_t>(i)].unit->GetID() == Unit.GetID()) {
            SetCurrentPosition(i);
            return true;
        }
    }
    return false;
}

bool TFrm_ChResultGrid::DoubleClickColumn(int nUnit) const {
    if (nUnit < 0 || nUnit >= UnitCount() || !v_dblClickChiller) return false;
    v_dblClickChiller(*v_columns[static_cast<std::size_t>(nUnit)].unit);
    return true;
}

bool TFrm_ChResultGrid::ClickRowTitle(int nRow) {
    if (!v_MultipleChillers || nRow < 0 || nRow >= RowCount() || v_rows[static_cast<std::size_t>(nRow)].tag == 0) {
        return false;
    }
    const int nTag = v_rows[static_cast<std::size_t>(nRow)].tag;
    v_SortAscending = v_bSortClicked && nTag == v_SortTag ? !v_SortAscending : true;
    v_SortTag = nTag;
    v_bSortClicked = true;
    std::int32_t nSeq = 0;
    Cls_ChOutdoorUnit* pCurrent = GetCurrentChiller(nSeq);
    if (pCurrent && nSeq != v_SeqNr) return true;  // the grid shows another calculation: keep its order
    std::vector<Cls_ChOutdoorUnit*> units;
    for (const TColumn& column : v_columns) units.push_back(column.unit);
    Cls_ChOutdoorUnit::SortChillers(units, v_SeqNr, v_SortTag, v_SortAscending);
    v_columns.clear();
    for (Cls_ChOutdoorUnit* pUnit : units) v_columns.push_back(TColumn{pUnit, v_SeqNr});
    for (int i = 0; i < UnitCount(); ++i) {
        if (v_columns[static_cast<std::size_t>(i)].unit == pCurrent) v_current = i;
    }
    return true;
}

std::string TFrm_ChResultGrid::SortMarker(int nRow) const {
    if (!v_MultipleChillers || nRow < 0 || nRow >= RowCount()) return std::string();
    const int nTag = v_rows[static_cast<std::size_t>(nRow)].tag;
    if (nTag == 0) return std::string();
    if (nTag == v_SortTag) return v_SortAscending ? ">" : "<";
    return "*";
}

void TFrm_ChResultGrid::ControlEntered() const {
    if (v_onEnter) v_onEnter();
}

int TFrm_ChResultGrid::PriceRow() const {
    for (int r = 0; r < RowCount(); ++r) {
        if (v_rows[static_cast<std::size_t>(r)].kind == rkPrice) return r;
    }
    return -1;
}

bool TFrm_ChResultGrid::UpdatePriceIndication() {
    v_priceReference = 0.0;
    if (PriceRow() < 0 || v_current < 0) return false;
    const TColumn& reference = v_columns[static_cast<std::size_t>(v_current)];
    v_priceReference = reference.unit->DataSet(reference.SeqNr).v_Price;
    return true;
}

std::string TFrm_ChResultGrid::PriceText(const TColumn& column) const {
    // A unit without a price is not free: its cell stays empty, and as the
    // reference it leaves every cell empty.
    const double dPrice = column.unit->DataSet(column.SeqNr).v_Price;
    if (v_priceReference <= 0.0 || dPrice <= 0.0) return std::string();
    return Number2FmtStr(1, 0, std::round(dPrice / v_priceReference * 100.0));
}

std::string TFrm_ChResultGrid::CellText(int nUnit, int nRow) const {
    const TRow& row = v_rows.at(static_cast<std::size_t>(nRow));
    if (v_hasTotal && nUnit == UnitCount()) return TotalCellText(row);
    if (RequirementInTotal(row.kind)) return std::string();
    const TColumn& column = v_columns.at(static_cast<std::size_t>(nUnit));
    Cls_ChOutdoorUnit& unit = *column.unit;
    const TChillerData d = unit.GetChillerData(column.SeqNr);
    const bool bHR = d.HRData.HR > 0.0;
    switch (row.kind) {
        case rkSolution: return kGridIndent + std::to_string(nUnit + 1);
        case rkModel: return unit.GetName();
        case rkApplication: {
            const std::string suffix = TrimmedSuffix(unit);
            return suffix.empty() ? v_StdAppl : suffix;
        }
        case rkOptionCode:
            return unit.GetHasOptionCodes() && v_OptionCodes ? unit.GetOptionCode(column.SeqNr, *v_OptionCodes)
                                                             : NoneCellText();
        case rkPrice: return PriceText(column);
        case rkCoolRequired: return DimensionedCell(U_Power, v_ReqCoolCap);
        case rkCoolDeviation: return PlainCell(d.CoolData.Deviation, 1, "%");
        case rkCoolCapacity: return DimensionedCell(U_Power, d.CoolData.Cap);
        case rkCoolPower: return DimensionedCell(U_Power, d.CoolData.PI);
        case rkEER: return PlainCell(d.CoolData.EERCOP, 2);
        case rkESEER: return PlainCell(d.ESEER, 2);
        case rkIPLV: return PlainCell(d.IPLV, 2);
        case rkHeatRequired: return DimensionedCell(U_Power, v_ReqHeatCap);
        case rkHeatDeviation: return PlainCell(d.HeatData.Deviation, 1, "%");
        case rkHeatCapacity: return DimensionedCell(U_Power, d.HeatData.Cap);
        case rkHeatPower: return DimensionedCell(U_Power, d.HeatData.PI);
        case rkCOP: return PlainCell(d.HeatData.EERCOP, 2);
        case rkEvapFlow: return DimensionedCell(U_Airflow, d.Evaporator.WFR / 60.0);
        case rkEvapPD: return DimensionedCell(U_Pressure, d.Evaporator.PD * 1000.0);
        case rkCondFlow: return DimensionedCell(U_Airflow, d.Condenser.WFR / 60.0);
        case rkCondPD: return DimensionedCell(U_Pressure, d.Condenser.PD * 1000.0);
        case rkHRMode: return HeatRecoveryModeText(unit, d.HRData);
        case rkHRCC: return bHR ? DimensionedCell(U_Power, d.HRData.CC) : std::string();
        case rkHRPI: return bHR ? DimensionedCell(U_Power, d.HRData.PI) : std::string();
        case rkHRHC: return bHR ? DimensionedCell(U_Power, d.HRData.HR) : std::string();
        case rkHRCOP: return bHR ? PlainCell(d.HRData.HRCOP, 2) : std::string();
        case rkHRPercent: return bHR ? PlainCell(d.HRData.HRPercentage * 100.0, 1, "%") : std::string();
        case rkHRFlow: return bHR ? DimensionedCell(U_Airflow, d.HRCondenser.WFR / 60.0) : std::string();
        case rkHRPD: return bHR ? DimensionedCell(U_Pressure, d.HRCondenser.PD * 1000.0) : std::string();
        case rkSoundPower: return PlainCell(d.SoundPower, 1, DecibelsSuffix());
        case rkSoundPressure: return PlainCell(d.SoundPressures[static_cast<std::size_t>(row.soundIndex)], 1, DecibelsSuffix());
        case rkEurovent: return dialogs::TBaseMsg::Translate(unit.GetEurovent() ? "Yes" : "No");
        default: return std::string();  // group titles
    }
}

}  // namespace brumalis
