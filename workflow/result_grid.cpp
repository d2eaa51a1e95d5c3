#include "workflow/result_grid.h"

#include <cmath>

#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "localisation/number_text.h"
#include "workflow/selection_list.h"

namespace brumalis {
namespace {

const std::string kIndent = "   ";

// "<none>" in the program's language.
std::string NoneText() { return "<" + dialogs::TBaseMsg::Translate("none") + ">"; }
std::string Decibels() { return " " + dialogs::TBaseMsg::Translate("dBA"); }

bool HasCooling(std::int32_t nFamily) { return nFamily == famHeatRecovery || nFamily == famHeatPump || nFamily == famCoolingOnly || nFamily == famCondensingUnit; }
bool HasHeating(std::int32_t nFamily) { return nFamily == famHeatPump || nFamily == famHeatingOnly; }

// A value exactly 0 leaves its cell empty.
std::string Dimensioned(U_RepUnit unit, double dValue) {
    if (dValue == 0.0) return std::string();
    return TU_Form::PutDimensionedText(unit, true, dValue);
}

std::string Plain(double dValue, int nDigits, const std::string& szUnit = std::string()) {
    if (dValue == 0.0) return std::string();
    return Number2FmtStr(1, nDigits, dValue) + szUnit;
}

std::string DistanceTitle(double dMetres) {
    const double dShown = TU_Form::ConvertValue(U_Length, 0, true, TU_Form::GetNewIndex(U_Length), dMetres);
    const std::string distance = Number2FmtStr(1, 0, std::round(dShown)) + " " + TU_Form::GetCurrentString(U_Length);
    std::string title = dialogs::TBaseMsg::Translate("Sound pressure level @ $1");
    const auto pos = title.find("$1");
    return pos == std::string::npos ? title + " " + distance : title.replace(pos, 2, distance);
}

std::string HRModeText(const Cls_ChOutdoorUnit& unit, const TRepHeatRecovery& hr) {
    if (unit.GetFamily() == famHeatRecovery) return "STD";
    if (hr.HR <= 0.0) return NoneText();
    return dialogs::TBaseMsg::Translate(hr.CC > 0.0 ? "Total" : "Partial");
}

}  // namespace

void TFrm_ChResultGrid::SetupWindow(bool MultipleChillers, std::int32_t SeqNr,
                                    const CTRecordList<Cls_ChOptionCode>* OptionCodes,
                                    std::function<void(Cls_ChOutdoorUnit*, std::int32_t)> SelectChiller) {
    v_MultipleChillers = MultipleChillers;
    v_SeqNr = SeqNr;
    v_OptionCodes = OptionCodes;
    v_selectChiller = std::move(SelectChiller);
}

void TFrm_ChResultGrid::AddRow(TRowKind kind, const std::string& title, int tag, int soundIndex) {
    // Titles are translated without their indent.
    const bool bIndented = title.rfind(kIndent, 0) == 0;
    const std::string caption = dialogs::TBaseMsg::Translate(bIndented ? title.substr(kIndent.size()) : title);
    v_rows.push_back(TRow{kind, bIndented ? kIndent + caption : caption, tag, soundIndex});
}

void TFrm_ChResultGrid::PutHeaders(std::int32_t Condenser, std::int32_t Family, double Distance,
                                   const std::string& StdAppl, bool ShowESEER, bool SelectOnCooling,
                                   double ReqHeatCap, double ReqCoolCap, bool bHasPrices) {
    EmptyGrid();
    v_rows.clear();
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
            AddRow(rkCoolRequired, kIndent + "Required total capacity");
            if (Family != famHeatPump || SelectOnCooling) AddRow(rkCoolDeviation, kIndent + "Deviation", 2);
        }
        AddRow(rkCoolCapacity, kIndent + "Capacity");
        AddRow(rkCoolPower, kIndent + "Power input");
        AddRow(rkEER, kIndent + "EER", 4);
        if (ShowESEER) {
            AddRow(rkESEER, kIndent + "ESEER", 6);
        } else {
            AddRow(rkIPLV, kIndent + "IPLV", 7);
        }
    }
    if (HasHeating(Family)) {
        AddRow(rkHeatTitle, "Heating");
        if (ReqHeatCap > 0.0) {
            AddRow(rkHeatRequired, kIndent + "Required total capacity");
            if (Family == famHeatingOnly || !SelectOnCooling) AddRow(rkHeatDeviation, kIndent + "Deviation", 2);
        }
        AddRow(rkHeatCapacity, kIndent + "Capacity");
        AddRow(rkHeatPower, kIndent + "Power input");
        AddRow(rkCOP, kIndent + "COP", 5);
    }
    if (Family != famCondensingUnit) {
        AddRow(rkEvapTitle, "Evaporator");
        AddRow(rkEvapFlow, kIndent + "Fluid flow rate");
        AddRow(rkEvapPD, kIndent + "Fluid pressure drop");
    }
    if (Condenser == ctWaterCooled) {
        AddRow(rkCondTitle, "Condenser");
        AddRow(rkCondFlow, kIndent + "Fluid flow rate");
        AddRow(rkCondPD, kIndent + "Fluid pressure drop");
    }
    AddRow(rkHRMode, "Heat recovery mode");
    AddRow(rkHRCC, kIndent + "Cooling capacity (CC HR)");
    AddRow(rkHRPI, kIndent + "Power input (PI HR)");
    AddRow(rkHRHC, kIndent + "Heating capacity (HC HR)");
    AddRow(rkHRCOP, kIndent + "COP");
    AddRow(rkHRPercent, kIndent + "% heat recovery");
    AddRow(rkHRXTitle, "HR Exchanger");
    AddRow(rkHRFlow, kIndent + "Fluid flow rate");
    AddRow(rkHRPD, kIndent + "Fluid pressure drop");
    AddRow(rkSoundTitle, "Sound");
    AddRow(rkSoundPower, kIndent + "Sound power", 8);
    if (Distance > 0.0) {
        AddRow(rkSoundPressure, kIndent + DistanceTitle(Distance), 0, 0);
    } else {
        const TSoundArray distances = Cls_ChOutdoorUnit::GetInitSoundDistances();
        for (int i = 0; i < 3; ++i) {
            AddRow(rkSoundPressure, kIndent + DistanceTitle(distances[static_cast<std::size_t>(i)]), 0, i);
        }
    }
    AddRow(rkEurovent, "Eurovent certified");
}

void TFrm_ChResultGrid::AddChiller(Cls_ChOutdoorUnit* Unit, std::int32_t SeqNr) {
    v_SeqNr = SeqNr;
    v_columns.push_back(TColumn{Unit, SeqNr});
}

void TFrm_ChResultGrid::EmptyGrid() {
    v_columns.clear();
    v_current = -1;
}

void TFrm_ChResultGrid::SetCurrentPosition(int Index) {
    if (Index < 0 || Index >= UnitCount()) return;
    v_current = Index;
    if (v_selectChiller) v_selectChiller(v_columns[static_cast<std::size_t>(Index)].unit, v_columns[static_cast<std::size_t>(Index)].SeqNr);
}

Cls_ChOutdoorUnit* TFrm_ChResultGrid::GetCurrentChiller(std::int32_t& SeqNr) const {
    if (v_current < 0) return nullptr;
    SeqNr = v_columns[static_cast<std::size_t>(v_current)].SeqNr;
    return v_columns[static_cast<std::size_t>(v_current)].unit;
}

bool TFrm_ChResultGrid::ClickRowTitle(int nRow) {
    if (!v_MultipleChillers || nRow < 0 || nRow >= RowCount() || v_rows[static_cast<std::size_t>(nRow)].tag == 0) {
        return false;
    }
    const int nTag = v_rows[static_cast<std::size_t>(nRow)].tag;
    v_SortAscending = nTag == v_SortTag ? !v_SortAscending : true;
    v_SortTag = nTag;
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

std::string TFrm_ChResultGrid::PriceText(const TColumn& column) const {
    if (v_current < 0) return std::string();
    const TColumn& reference = v_columns[static_cast<std::size_t>(v_current)];
    const double dReference = reference.unit->DataSet(reference.SeqNr).v_Price;
    if (dReference <= 0.0) return std::string();
    return Number2FmtStr(1, 0, std::round(column.unit->DataSet(column.SeqNr).v_Price / dReference * 100.0));
}

std::string TFrm_ChResultGrid::CellText(int nUnit, int nRow) const {
    const TColumn& column = v_columns.at(static_cast<std::size_t>(nUnit));
    Cls_ChOutdoorUnit& unit = *column.unit;
    const TRow& row = v_rows.at(static_cast<std::size_t>(nRow));
    const TChillerData d = unit.GetChillerData(column.SeqNr);
    const bool bHR = d.HRData.HR > 0.0;
    switch (row.kind) {
        case rkSolution: return kIndent + std::to_string(nUnit + 1);
        case rkModel: return unit.GetName();
        case rkApplication: {
            const std::string suffix = TrimmedSuffix(unit);
            return suffix.empty() ? v_StdAppl : suffix;
        }
        case rkOptionCode:
            return unit.GetHasOptionCodes() && v_OptionCodes ? unit.GetOptionCode(column.SeqNr, *v_OptionCodes)
                                                             : NoneText();
        case rkPrice: return PriceText(column);
        case rkCoolRequired: return Dimensioned(U_Power, v_ReqCoolCap);
        case rkCoolDeviation: return Plain(d.CoolData.Deviation, 1, "%");
        case rkCoolCapacity: return Dimensioned(U_Power, d.CoolData.Cap);
        case rkCoolPower: return Dimensioned(U_Power, d.CoolData.PI);
        case rkEER: return Plain(d.CoolData.EERCOP, 2);
        case rkESEER: return Plain(d.ESEER, 2);
        case rkIPLV: return Plain(d.IPLV, 2);
        case rkHeatRequired: return Dimensioned(U_Power, v_ReqHeatCap);
        case rkHeatDeviation: return Plain(d.HeatData.Deviation, 1, "%");
        case rkHeatCapacity: return Dimensioned(U_Power, d.HeatData.Cap);
        case rkHeatPower: return Dimensioned(U_Power, d.HeatData.PI);
        case rkCOP: return Plain(d.HeatData.EERCOP, 2);
        case rkEvapFlow: return Dimensioned(U_Airflow, d.Evaporator.WFR / 60.0);
        case rkEvapPD: return Dimensioned(U_Pressure, d.Evaporator.PD * 1000.0);
        case rkCondFlow: return Dimensioned(U_Airflow, d.Condenser.WFR / 60.0);
        case rkCondPD: return Dimensioned(U_Pressure, d.Condenser.PD * 1000.0);
        case rkHRMode: return HRModeText(unit, d.HRData);
        case rkHRCC: return bHR ? Dimensioned(U_Power, d.HRData.CC) : std::string();
        case rkHRPI: return bHR ? Dimensioned(U_Power, d.HRData.PI) : std::string();
        case rkHRHC: return bHR ? Dimensioned(U_Power, d.HRData.HR) : std::string();
        case rkHRCOP: return bHR ? Plain(d.HRData.HRCOP, 2) : std::string();
        case rkHRPercent: return bHR ? Plain(d.HRData.HRPercentage * 100.0, 1, "%") : std::string();
        case rkHRFlow: return bHR ? Dimensioned(U_Airflow, d.HRCondenser.WFR / 60.0) : std::string();
        case rkHRPD: return bHR ? Dimensioned(U_Pressure, d.HRCondenser.PD * 1000.0) : std::string();
        case rkSoundPower: return Plain(d.SoundPower, 1, Decibels());
        case rkSoundPressure: return Plain(d.SoundPressures[static_cast<std::size_t>(row.soundIndex)], 1, Decibels());
        case rkEurovent: return dialogs::TBaseMsg::Translate(unit.GetEurovent() ? "Yes" : "No");
        default: return std::string();  // group titles
    }
}

}  // namespace brumalis
