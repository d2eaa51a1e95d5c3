#include "workflow/chiller_page.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <set>

#include "catalogue/capacity_table.h"
#include "catalogue/freeze_up.h"
#include "catalogue/polynomial_records.h"
#include "catalogue/project_records.h"
#include "catalogue/units.h"
#include "localisation/number_text.h"
#include "objectstore/streams.h"
#include "workflow/grid_texts.h"
#include "workflow/selection_list.h"
#include "workflow/workflow_texts.h"

namespace brumalis {
namespace {

constexpr std::int32_t kTypeLowNoise = 2;
constexpr std::int32_t kTypePump = 4;
constexpr std::int32_t kTypeHeatRecovery = 6;
constexpr std::int32_t kTypeTempExtension = 8;
constexpr std::int32_t kFamilies[] = {famHeatRecovery, famHeatPump, famCoolingOnly, famHeatingOnly, famCondensingUnit};
// The data sheet reads the catalogue unit's option combinations of the selection's data set.
constexpr std::int32_t kSheetSeqNr = TMainSession::kSelectionSeqNr;

void SortItems(std::vector<TFrm_ChillerSelect::TItem>& items) {
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.Text < b.Text; });
}

int LineOf(const std::vector<TFrm_ChillerSelect::TItem>& items, const auto& matches) {
    const auto it = std::find_if(items.begin(), items.end(), matches);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

bool CoolingFamily(std::int32_t nFamily) {
    return nFamily == famHeatRecovery || nFamily == famHeatPump || nFamily == famCoolingOnly || nFamily == famCondensingUnit;
}
bool HeatingFamily(std::int32_t nFamily) {
    return nFamily == famHeatRecovery || nFamily == famHeatPump || nFamily == famHeatingOnly;
}

std::string Range(U_RepUnit unit, double dMin, double dMax) {
    return TU_Form::PutDimensionedText(unit, true, dMin) + " .. " + TU_Form::PutDimensionedText(unit, true, dMax);
}

std::string Kelvin(double dMin, double dMax) {
    return WorkflowText("$1 .. $2 K", {Number2FmtStr(1, 1, dMin), Number2FmtStr(1, 1, dMax)});
}

std::string YesNo(bool b) { return WorkflowText(b ? "Yes" : "No"); }

std::string Amperes(double d) { return WorkflowText("$1 A", {Number2FmtStr(1, 1, d)}); }

}  // namespace

// ---- unit chooser -------------------------------------------------------

TFrm_ChillerSelect::TFrm_ChillerSelect() {
    const char* const kCondensers[] = {"Air cooled", "Water cooled", "Remote condenser"};
    for (std::int32_t n = 0; n < 3; ++n) v_condensers.push_back(TItem{WorkflowText(kCondensers[n]), n, nullptr});
    for (std::int32_t nFamily : kFamilies) v_families.push_back(TItem{FamilyText(nFamily), nFamily, nullptr});
    SortItems(v_families);
}

void TFrm_ChillerSelect::SetupWindow(std::function<void()> OnEnter, TDisplayData DisplayData) {
    v_onEnter = std::move(OnEnter);
    v_displayData = std::move(DisplayData);
}

void TFrm_ChillerSelect::SetChillers(const std::vector<Cls_ChOutdoorUnit*>* SelChillers) {
    v_SelChillers = SelChillers;
    v_CondenserChillers.clear();
    v_series.clear();
    v_chillers.clear();
    v_condenser = v_family = v_seriesLine = v_chiller = -1;
}

void TFrm_ChillerSelect::ChooseCondenser(int nLine) {
    v_condenser = nLine >= 0 && nLine < static_cast<int>(v_condensers.size()) ? nLine : -1;
    v_CondenserChillers.clear();
    if (v_SelChillers && v_condenser >= 0) {
        for (Cls_ChOutdoorUnit* pUnit : *v_SelChillers) {
            if (pUnit->GetCondenserType() == GetCondenser()) v_CondenserChillers.push_back(pUnit);
        }
    }
    v_family = -1;  // the other lists again, nothing chosen
    FillSeries();
    Display();
}

void TFrm_ChillerSelect::ChooseFamily(int nLine) {
    v_family = nLine >= 0 && nLine < static_cast<int>(v_families.size()) ? nLine : -1;
    FillSeries();
    Display();
}

void TFrm_ChillerSelect::ChooseSeries(int nLine) {
    v_seriesLine = nLine >= 0 && nLine < static_cast<int>(v_series.size()) ? nLine : -1;
    FillChillers();
    Display();
}

void TFrm_ChillerSelect::ChooseChiller(int nLine) {
    v_chiller = nLine >= 0 && nLine < static_cast<int>(v_chillers.size()) ? nLine : -1;
    Display();
}

void TFrm_ChillerSelect::FillSeries() {
    v_series.clear();
    std::set<std::string> seen;
    for (Cls_ChOutdoorUnit* pUnit : v_CondenserChillers) {
        if (pUnit->GetFamily() == GetFamily() && seen.insert(pUnit->GetSeries()).second) {
            v_series.push_back(TItem{pUnit->GetSeries(), 0, nullptr});
        }
    }
    SortItems(v_series);
    v_seriesLine = -1;
    FillChillers();
}

void TFrm_ChillerSelect::FillChillers() {
    v_chillers.clear();
    if (v_seriesLine >= 0) {
        const std::string& szSeries = v_series[static_cast<std::size_t>(v_seriesLine)].Text;
        for (Cls_ChOutdoorUnit* pUnit : v_CondenserChillers) {
            if (pUnit->GetFamily() == GetFamily() && pUnit->GetSeries() == szSeries) {
                v_chillers.push_back(TItem{DisplayName(*pUnit), 0, pUnit});
            }
        }
    }
    SortItems(v_chillers);
    v_chiller = -1;
}

void TFrm_ChillerSelect::SelectChiller(Cls_ChOutdoorUnit& Unit) {
    ChooseCondenser(Unit.GetCondenserType());
    v_family = LineOf(v_families, [&](const TItem& i) { return i.Value == Unit.GetFamily(); });
    FillSeries();
    v_seriesLine = LineOf(v_series, [&](const TItem& i) { return i.Text == Unit.GetSeries(); });
    FillChillers();
    v_chiller = LineOf(v_chillers, [&](const TItem& i) { return i.Unit == &Unit; });
    Display();
}

std::int32_t TFrm_ChillerSelect::GetCondenser() const {
    return v_condenser < 0 ? -1 : v_condensers[static_cast<std::size_t>(v_condenser)].Value;
}

std::int32_t TFrm_ChillerSelect::GetFamily() const {
    return v_family < 0 ? 0 : v_families[static_cast<std::size_t>(v_family)].Value;
}

Cls_ChOutdoorUnit* TFrm_ChillerSelect::GetSelectedChiller() const {
    return v_chiller < 0 ? nullptr : v_chillers[static_cast<std::size_t>(v_chiller)].Unit;
}

void TFrm_ChillerSelect::Display() const {
    if (v_displayData) v_displayData(GetSelectedChiller());
}

// ---- data sheet ---------------------------------------------------------

std::int32_t RangeExtensionOf(const Cls_ChOptAllowed* TempExtension) {
    if (!TempExtension) return TPerformanceView::kNoExtension;
    const double dGeneric = std::fabs(std::round(TempExtension->GetGeneric()));
    if (!std::isfinite(dGeneric) || dGeneric > 1e9) return TPerformanceView::kNoExtension;
    return -(static_cast<std::int32_t>(dGeneric) % 1000);
}

std::string StoredPictureBytes(std::int32_t nObjID) {
    if (nObjID <= 0) return std::string();
    try {
        Cls_ChVisualization picture(nObjID);
        CTMemoryStream bytes;
        return picture.GetDrawing(bytes) ? bytes.TakeData() : std::string();
    } catch (const std::exception&) {
        return std::string();  // no such record
    }
}

graphics::CTGraphic PictureOf(const std::string& bytes) {
    return bytes.empty() ? graphics::CTGraphic() : graphics::DecodePicture(bytes);
}

std::vector<std::pair<std::string, std::string>> TTechnicalTexts::Lines() const {
    const std::pair<const char*, const std::string*> all[] = {
        {"Refrigerant", &Refrigerant},
        {"Controller", &Controller},
        {"Placed outside", &PlacedOutside},
        {"Eurovent certified", &Eurovent},
        {"Evaporator flow range", &EvapFlowRange},
        {"Evaporator delta T range", &EvapDeltaTRange},
        {"Condenser flow range", &CondFlowRange},
        {"Condenser delta T range", &CondDeltaTRange},
        {"Power supply", &PowerSupply},
        {"Frequency", &Frequency},
        {"Phases", &Phases},
        {"Voltage", &Voltage},
        {"Voltage range", &VoltageRange},
        {"Maximum unit run current", &MaxUnitRunCurrent},
        {"Maximum compressor run current", &MaxComprRunCurrent},
        {"Maximum unit start current", &MaxUnitStartCurrent},
        {"Fuses", &Fuses},
        {"Nominal cooling capacity", &NominalCoolCap},
        {"Nominal cooling power input", &NominalCoolPI},
        {"Nominal heating capacity", &NominalHeatCap},
        {"Nominal heating power input", &NominalHeatPI},
        {"Compressor type", &CompressorType},
        {"Compressor quantity", &CompressorQuantity},
        {"Capacity steps", &CapacitySteps},
        {"Height", &Height},
        {"Width", &Width},
        {"Depth", &Depth},
        {"Operating weight", &Weight},
        {"Sound power", &SoundPower},
        {"Sound pressure", &SoundPressure},
    };
    std::vector<std::pair<std::string, std::string>> lines;
    for (const auto& [szCaption, pText] : all) {
        if (!pText->empty()) lines.emplace_back(WorkflowText(szCaption), *pText);
    }
    return lines;
}

TChillerDataSheet::TChillerDataSheet(TMainSession& Session)
    : v_session(Session), v_pictureReader(StoredPictureBytes) {
    Clear();
}

void TChillerDataSheet::Clear() {
    const std::string szNone = "<" + WorkflowText("None") + ">";
    for (TSheetComboItems& combo : v_combos) combo = TSheetComboItems{{{szNone, nullptr}}, 0};
    v_allowed.clear();
    v_technical = TTechnicalTexts{};
    v_cooling = TPerformanceView{};
    v_heating = TPerformanceView{};
    v_pressureDrop = TPressureDropView{};
    v_bHRFilled = false;
    v_hrRows.clear();
    v_photo = v_drawing = graphics::CTGraphic();
}

void TChillerDataSheet::ShowUnit(Cls_ChOutdoorUnit* Unit) {
    v_unit = Unit;
    Clear();
    if (!v_unit) return;
    FillCombos();
    v_cooling.Shown = CoolingFamily(v_unit->GetFamily());
    v_heating.Shown = HeatingFamily(v_unit->GetFamily());
    FillTechnical();
    if (v_cooling.Shown) FillPerformance(true);
    if (v_heating.Shown) FillPerformance(false);
    FillPressureDrop();
    FillHeatRecovery();
    LoadPictures();
}

void TChillerDataSheet::FillCombos() {
    const auto add = [this](TSheetCombo combo, const std::string& szText, Cls_ChOptAllowed* pComb) {
        v_combos[static_cast<std::size_t>(combo)].Items.push_back({szText, pComb});
    };
    for (const auto& pComb : v_unit->GetOptCombs(kSheetSeqNr)) {
        const Cls_ChOption* pOption = OptionOf(*pComb, v_session.v_Options);
        if (!pOption) continue;
        const std::string szName = pOption->GetDescriptiveName();
        switch (pOption->GetType()) {
            case kTypeLowNoise:
                for (TSheetCombo c : {TSheetCombo::CoolLowNoise, TSheetCombo::HeatLowNoise, TSheetCombo::LowNoiseOption}) {
                    add(c, szName, pComb.get());
                }
                break;
            case kTypePump: add(TSheetCombo::Pump, szName, pComb.get()); break;
            case kTypeHeatRecovery:
                add(TSheetCombo::HeatRecovery, szName, pComb.get());
                add(TSheetCombo::HRPressureDrop, szName, pComb.get());
                break;
            case kTypeTempExtension:
                add(TSheetCombo::CoolTempExtend, szName, pComb.get());
                add(TSheetCombo::HeatTempExtend, szName, pComb.get());
                break;
            default: break;
        }
        v_allowed.push_back(TAllowedOptionLine{szName, std::to_string(pComb->GetNrRequired()), pComb->GetIsStandard()});
    }
}

bool TChillerDataSheet::ChooseOption(TSheetCombo Combo, int nItem) {
    TSheetComboItems& combo = v_combos[static_cast<std::size_t>(Combo)];
    if (!v_unit || nItem < 0 || nItem >= static_cast<int>(combo.Items.size())) return false;
    combo.Selected = nItem;
    switch (Combo) {
        case TSheetCombo::CoolLowNoise:
        case TSheetCombo::CoolTempExtend: FillPerformance(true); break;
        case TSheetCombo::HeatLowNoise:
        case TSheetCombo::HeatTempExtend: FillPerformance(false); break;
        case TSheetCombo::HRPressureDrop:
        case TSheetCombo::Pump: FillPressureDrop(); break;
        case TSheetCombo::HeatRecovery: FillHeatRecovery(); break;
        case TSheetCombo::LowNoiseOption: FillSound(); break;
    }
    return true;
}

void TChillerDataSheet::SetDistance(double dMetres) {
    v_distance = std::isfinite(dMetres) ? std::clamp(dMetres, kMinDistance, kMaxDistance) : kDefaultDistance;
    if (v_unit) FillSound();
}

void TChillerDataSheet::FillTechnical() {
    Cls_ChOutdoorUnit& unit = *v_unit;
    TTechnicalTexts& t = v_technical;
    std::int32_t nCls = 0, nObj = 0;
    unit.GetRefrigerant_REF(nCls, nObj);
    for (const auto& p : v_session.v_Refrigerants) {
        if (p->GetID() == nObj) t.Refrigerant = p->GetName();
    }
    if (const Cls_ChController* pController = unit.GetController()) t.Controller = pController->GetName();
    t.PlacedOutside = YesNo(unit.GetOutside());
    t.Eurovent = YesNo(unit.GetEurovent());
    t.EvapFlowRange = Range(U_Airflow, unit.GetMinWFRE() / 60.0, unit.GetMaxWFRE() / 60.0);
    t.EvapDeltaTRange = Kelvin(unit.GetMinDTE(), unit.GetMaxDTE());
    t.CondenserShown = unit.GetCondenserType() == ctWaterCooled;
    if (t.CondenserShown) {
        t.CondFlowRange = Range(U_Airflow, unit.GetMinWFRC() / 60.0, unit.GetMaxWFRC() / 60.0);
        t.CondDeltaTRange = Kelvin(unit.GetMinDTC(), unit.GetMaxDTC());
    }
    FillElectrical();
    if (v_session.v_Limits) {
        double dCap = 0.0, dPI = 0.0;
        const std::int32_t nFamily = unit.GetFamily();
        if (CoolingFamily(nFamily)) {
            unit.GetCoolNomCapPI(nullptr, *v_session.v_Limits, dCap, dPI);
            t.NominalCoolCap = TU_Form::PutDimensionedText(U_Power, true, dCap);
            t.NominalCoolPI = TU_Form::PutDimensionedText(U_Power, true, dPI);
        }
        if (nFamily == famHeatPump || nFamily == famHeatingOnly) {
            unit.GetHeatNomCapPI(nullptr, *v_session.v_Limits, dCap, dPI);
            t.NominalHeatCap = TU_Form::PutDimensionedText(U_Power, true, dCap);
            t.NominalHeatPI = TU_Form::PutDimensionedText(U_Power, true, dPI);
        }
    }
    unit.GetChCompressor_REF(nCls, nObj);
    for (const auto& p : v_session.v_Compressors) {
        if (p->GetID() == nObj) t.CompressorType = p->GetName();
    }
    t.CompressorQuantity = std::to_string(unit.GetComprQuantity());
    t.CapacitySteps = unit.GetShownComprStep();
    double dHeight = 0.0, dWidth = 0.0, dDepth = 0.0;
    unit.GetDimensions(nullptr, dHeight, dWidth, dDepth);
    t.Height = TU_Form::PutDimensionedText(U_ShortLength, true, dHeight);
    t.Width = TU_Form::PutDimensionedText(U_ShortLength, true, dWidth);
    t.Depth = TU_Form::PutDimensionedText(U_ShortLength, true, dDepth);
    t.Weight = TU_Form::PutDimensionedText(U_Mass, true, unit.GetWeight(nullptr));
    FillSound();
}

void TChillerDataSheet::FillElectrical() {
    // The first combination of the unit whose supply the catalogue knows;
    // without one the texts stay empty rather than show another unit's.
    for (const auto& pComb : v_session.v_PSCombinations) {
        std::int32_t nCls = 0, nDevice = 0, nSupply = 0;
        pComb->GetDevice_REF(nCls, nDevice);
        if (nDevice != v_unit->GetID()) continue;
        pComb->GetPowerSupply_REF(nCls, nSupply);
        const auto it = std::find_if(v_session.v_Powersupplies.begin(), v_session.v_Powersupplies.end(),
                                     [nSupply](const auto& p) { return p->GetID() == nSupply; });
        if (it == v_session.v_Powersupplies.end()) continue;
        const Cls_PowerSupply& supply = **it;
        TTechnicalTexts& t = v_technical;
        t.PowerSupply = supply.GetName();
        t.Frequency = supply.GetFrequency();
        t.Phases = supply.GetPhases();
        t.Voltage = supply.GetVoltage();
        t.VoltageRange = supply.GetRange();
        t.MaxUnitRunCurrent = Amperes(pComb->GetMaxCurrentUnit());
        t.MaxComprRunCurrent = Amperes(pComb->GetMaxCurrentCompr());
        t.MaxUnitStartCurrent = Amperes(pComb->GetStartingCurrent());
        t.Fuses = pComb->GetFuses();
        return;
    }
}

void TChillerDataSheet::FillSound() {
    const Cls_ChOptAllowed* pLowNoise = Combo(TSheetCombo::LowNoiseOption).Chosen();
    v_technical.SoundPower = PlainCell(v_unit->GetSoundPower(pLowNoise), 1, DecibelsSuffix());
    v_technical.SoundPressure = PlainCell(v_unit->CalcSoundLevel(pLowNoise, v_distance), 1, DecibelsSuffix());
}

void TChillerDataSheet::FillPerformance(bool bCooling) {
    Cls_ChOutdoorUnit& unit = *v_unit;
    TPerformanceView& view = bCooling ? v_cooling : v_heating;
    const Cls_ChOptAllowed* pLowNoise =
        Combo(bCooling ? TSheetCombo::CoolLowNoise : TSheetCombo::HeatLowNoise).Chosen();
    const Cls_ChOptAllowed* pExtension =
        Combo(bCooling ? TSheetCombo::CoolTempExtend : TSheetCombo::HeatTempExtend).Chosen();
    view.YCaption = WorkflowText(unit.GetFamily() == famCondensingUnit ? "SDP" : "LWE");
    const char* const kXCaptions[] = {"Ambient temperature", "LWC", "Condensing temperature"};
    const std::int32_t nCondenser = unit.GetCondenserType();
    view.XCaption = nCondenser >= 0 && nCondenser <= 2 ? WorkflowText(kXCaptions[nCondenser]) : std::string();
    const std::int32_t nCapType = bCooling ? 3 : 4, nPIType = bCooling ? 5 : 6;
    view.IdenticalLabel = pLowNoise && !unit.GetLNTable(pLowNoise, nCapType);
    view.CapTable = unit.GetCapPITable(pLowNoise, nCapType);
    view.PITable = unit.GetCapPITable(pLowNoise, nPIType);
    view.RangeExtension = RangeExtensionOf(pExtension);
    view.LWEMin = view.LWEMax = view.XMin = view.XMax = 0.0;
    if (view.PITable) {
        view.PITable->GetLWETempRange(view.LWEMin, view.LWEMax);
        view.PITable->GetXRange(view.XMin, view.XMax);
    }
    view.FreezeUp = bCooling ? nullptr : &unit.GetFreezeUpTable();
}

void TChillerDataSheet::FillPressureDrop() {
    v_pressureDrop.Evaporator = v_unit->GetPDPoly(1);
    v_pressureDrop.Condenser = v_unit->GetPDPoly(2);
    const Cls_ChOptAllowed* pRecovery = Combo(TSheetCombo::HRPressureDrop).Chosen();
    const Cls_ChOptAllowed* pPump = Combo(TSheetCombo::Pump).Chosen();
    v_pressureDrop.Recovery = pRecovery ? pRecovery->GetTheChOptionPD() : nullptr;
    v_pressureDrop.Pump = pPump ? pPump->GetTheChPumpData() : nullptr;
}

void TChillerDataSheet::FillHeatRecovery() {
    // Filled for every unit, so that no view keeps the rows of the last one.
    const TSheetComboItems& combo = Combo(TSheetCombo::HeatRecovery);
    v_bHRFilled = combo.Items.size() > 1;
    const Cls_ChOptAllowed* pRecovery = combo.Chosen();
    if (pRecovery) {
        v_hrRows = v_unit->GetHRTable(pRecovery);
    } else if (v_unit->GetFamily() == famHeatRecovery) {
        v_hrRows = v_unit->GetHRTable(nullptr);
    } else {
        v_hrRows.clear();
    }
}

void TChillerDataSheet::LoadPictures() {
    std::int32_t nCls = 0, nPhoto = 0, nDrawing = 0;
    v_unit->GetChVisualization_REF(nCls, nPhoto);
    v_unit->GetChVisualization2_REF(nCls, nDrawing);
    v_photo = PictureOf(v_pictureReader(nPhoto));
    v_drawing = PictureOf(v_pictureReader(nDrawing));
}

}  // namespace brumalis
