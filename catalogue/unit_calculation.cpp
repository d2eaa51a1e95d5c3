// Cls_ChOutdoorUnit: the calculation of one unit for one calculation context
// and the recalculation after an option change.
#include "catalogue/records.h"
#include "catalogue/units.h"
#include "catalogue/user_dialog.h"

namespace brumalis {
namespace {

// Specific heat of water, kJ/(kg·K), with 1 kg = 1 l.
constexpr double kWaterHeat = 4.186;

// A later step's code counts only while nothing has objected yet.
void Accumulate(std::int32_t& nCode, std::int32_t nStep) {
    if (nCode == 0) nCode = nStep;
}

double DeviationOf(double dCap, double dRequired) {
    return dCap > 0.0 && dRequired > 0.0 ? (dCap - dRequired) / dRequired * 100.0 : kNoDeviation;
}

Cls_ChController* FindController(const Cls_ChOutdoorUnit& unit, const CTRecordList<Cls_ChController>& Controllers) {
    std::int32_t nCls = 0, nObj = 0;
    unit.GetChController_REF(nCls, nObj);
    if (nObj <= 0) return nullptr;
    for (const auto& pController : Controllers) {
        if (pController->GetID() == nObj && pController->TableIndex() == nCls) return pController.get();
    }
    return nullptr;
}

}  // namespace

std::int32_t Cls_ChOutdoorUnit::GetHeatCapPI(const Cls_ChOptAllowed* LNOptComb, const TSelTempData& TempData,
                                             double MinReqCap, double MaxReqCap, double CapCorrection,
                                             double PICorrection, TRepCap& HeatData) {
    double lwe = 0.0, x = 0.0;
    HeatingPoint(TempData, lwe, x);
    // Defrosting costs heating capacity at low outdoor temperatures.
    const double dFreezeUp = GetFreezeUpCorrection(TempData.Winter);
    return CapPIAt(LNOptComb, false, lwe, x, dFreezeUp, MinReqCap, MaxReqCap, CapCorrection, PICorrection, HeatData);
}

std::int32_t Cls_ChOutdoorUnit::IsCandidateChiller(
    std::int32_t SeqNr, bool CheckForErrors, const TSelTempData& TemperatureData,
    const CTRecordList<Cls_ChController>& Controllers, Cls_ChGlycol* CondenserBrine, double CondenserPercent,
    const TSoundArray& SoundDistances, Cls_ChOptAllowed* PumpOptComb, Cls_ChOptAllowed* LNOptComb,
    Cls_ChOptAllowed* HROptComb, const Cls_ChOption* OROption, double ReqCool, double MinReqCool, double MaxReqCool,
    double ReqHeat, double MinReqHeat, double MaxReqHeat) {
    TChillerData Data = GetInitChillerData();
    Cls_ChController* pController = FindController(*this, Controllers);
    if (!pController) return 233;
    const TControllerDataSet CtrlData = pController->GetCorrections(SeqNr);
    if (CtrlData.OptionCls != 0 && CtrlData.OptionObj != 0) {
        if (Cls_ChOptAllowed* pStepComb = GetSpecificOptComb(CtrlData.OptionCls, CtrlData.OptionObj, SeqNr)) {
            pStepComb->Calculated = true;
        }
    }
    const TSelTempData& T = TemperatureData;
    Data.TempSelData = T;
    Data.Evaporator.Brine = CtrlData.Brine;
    Data.Evaporator.BrinePercent = CtrlData.BrineUsedPercent;
    Data.Condenser.Brine = CondenserBrine;
    Data.Condenser.BrinePercent = CondenserPercent;

    const TCorrectionData CondCorr =
        CondenserBrine ? CondenserBrine->GetCorrections(SeqNr) : Cls_ChGlycol::GetInitCorrections();
    const double CapCorr = CtrlData.CapCorrection * CondCorr.CapCorrection;
    const double PICorr = CtrlData.PICorrection * CondCorr.PICorrection;
    const double EFR = CtrlData.FRCorrection, EPD = CtrlData.PDCorrection;
    const double CFR = CondCorr.FRCorrection, CPD = CondCorr.PDCorrection;
    Cls_ChOptAllowed* ORComb = OROption ? GetSpecificOptComb(OROption->TableIndex(), OROption->GetID(), SeqNr) : nullptr;

    std::int32_t nCode = 0;
    const std::int32_t nFamily = GetFamily();
    const auto stop = [&] { return CheckForErrors && nCode != 0; };
    if (nFamily == famHeatRecovery || nFamily == famCoolingOnly || nFamily == famCondensingUnit) {
        if (ORComb && T.Summer < 0.0) ORComb->Calculated = true;
        nCode = GetCoolCapPI(LNOptComb, T, MinReqCool, MaxReqCool, CapCorr, PICorr, Data.CoolData);
        if (!stop() && nFamily != famCondensingUnit) {
            Accumulate(nCode, GetEDeltaTFRPD(PumpOptComb, T, Data.CoolData, EFR, EPD, CFR, CPD, Data.Evaporator,
                                             Data.Condenser));
            if (!stop() && (nFamily == famHeatRecovery || HROptComb)) {
                Accumulate(nCode, CalcHeatRecovery(HROptComb, T, Data.HRData, Data.HRCondenser));
            }
        }
    } else if (nFamily == famHeatPump) {
        if (ORComb && (T.Summer < 0.0 || T.Winter < 0.0)) ORComb->Calculated = true;
        const bool bCool = T.SelectCooling;
        nCode = GetCoolCapPI(LNOptComb, T, bCool ? MinReqCool : 0.0, bCool ? MaxReqCool : kUnboundedCapacity, CapCorr,
                             PICorr, Data.CoolData);
        if (!stop()) {
            Accumulate(nCode, GetHeatCapPI(LNOptComb, T, bCool ? 0.0 : MinReqHeat,
                                           bCool ? kUnboundedCapacity : MaxReqHeat, CapCorr, PICorr, Data.HeatData));
        }
        if (!stop()) {
            const std::int32_t q =
                bCool ? GetEDeltaTFRPD(PumpOptComb, T, Data.CoolData, EFR, EPD, CFR, CPD, Data.Evaporator,
                                       Data.Condenser)
                      : GetCDeltaTFRPD(PumpOptComb, T, Data.HeatData, EFR, EPD, CFR, CPD, Data.Evaporator,
                                       Data.Condenser);
            // Both modes share one water circuit: the other mode's ΔT at this flow.
            Data.Condenser = Data.Evaporator;
            const double dFlow = Data.Condenser.WFRNoGlycol;
            if (dFlow > 0.0) {
                Data.Condenser.DeltaT = bCool ? Data.HeatData.CapNoGlycol * 60.0 / (kWaterHeat * dFlow) * CFR
                                              : Data.CoolData.CapNoGlycol * 60.0 / (kWaterHeat * dFlow) * EFR;
            }
            Accumulate(nCode, q);
            if (HROptComb) Accumulate(nCode, CalcHeatRecovery(HROptComb, T, Data.HRData, Data.HRCondenser));
        }
    } else if (nFamily == famHeatingOnly) {
        if (ORComb && T.Winter < 0.0) ORComb->Calculated = true;
        nCode = GetHeatCapPI(LNOptComb, T, MinReqHeat, MaxReqHeat, CapCorr, PICorr, Data.HeatData);
        if (!stop()) {
            Accumulate(nCode, GetCDeltaTFRPD(PumpOptComb, T, Data.HeatData, EFR, EPD, CFR, CPD, Data.Evaporator,
                                             Data.Condenser));
        }
    }

    Data.CoolData.Deviation = DeviationOf(Data.CoolData.Cap, ReqCool);
    Data.HeatData.Deviation = DeviationOf(Data.HeatData.Cap, ReqHeat);
    Data.SoundPower = GetSoundPower(LNOptComb);
    Data.SoundDistances = SoundDistances;
    Data.SoundPressures = GetSoundData(LNOptComb, SoundDistances);
    GetESEERIPLV(LNOptComb, Data.ESEER, Data.ESEEREER100, Data.IPLV, Data.IPLVEER100);
    Data.ErrCode = nCode;
    TChillerDataSet& set = DataSet(SeqNr);
    set.v_DataSet = Data;
    set.v_UsedController = pController;
    return nCode;
}

std::int32_t Cls_ChOutdoorUnit::RecalcChiller(std::int32_t SeqNr, const TSelTempData& TemperatureData,
                                              const CTRecordList<Cls_ChController>& Controllers,
                                              Cls_ChGlycol* CondenserBrine, double CondenserPercent,
                                              const TSoundArray& SoundDistances, const Cls_ChOptAllowed* OptComb,
                                              const CTRecordList<Cls_ChOption>& Options, double ReqCool,
                                              double MinReqCool, double MaxReqCool, double ReqHeat, double MinReqHeat,
                                              double MaxReqHeat) {
    Cls_ChOptAllowed *pTank = nullptr, *pPump = nullptr, *pLowNoise = nullptr, *pRecovery = nullptr,
                     *pRange = nullptr;
    GetSelectedAttrOptionCombs(Options, SeqNr, pTank, pPump, pLowNoise, pRecovery, pRange);
    const Cls_ChOption* pRangeOption = GetSpecialOption(Options, SeqNr, 8);
    // Recalculates without the pump. A pump that still counts as selected
    // (standard or preferred) would be chosen again and again: keep the result.
    const auto withoutPump = [&](Cls_ChOptAllowed& pump, bool bAlsoStandard, std::int32_t nKeep) {
        pump.Selected = false;
        pump.Calculated = false;
        if (bAlsoStandard) pump.SetIsStandard(false);
        if (pump.GetSelected()) return nKeep;
        return RecalcChiller(SeqNr, TemperatureData, Controllers, CondenserBrine, CondenserPercent, SoundDistances,
                             OptComb, Options, ReqCool, MinReqCool, MaxReqCool, ReqHeat, MinReqHeat, MaxReqHeat);
    };
    std::int32_t nResult = IsCandidateChiller(SeqNr, false, TemperatureData, Controllers, CondenserBrine,
                                              CondenserPercent, SoundDistances, pPump, pLowNoise, pRecovery,
                                              pRangeOption, ReqCool, MinReqCool, MaxReqCool, ReqHeat, MinReqHeat,
                                              MaxReqHeat);
    const TChillerData Data = DataSet(SeqNr).v_DataSet;
    if (pRecovery && Data.HRCondenser.PD == 0.0) return 231;
    if (!pPump || !OptComb || pPump->GetID() != OptComb->GetID() || Data.Evaporator.WFR == 0.0) return nResult;

    double WFRMin = 0.0, WFRMax = 0.0;
    GetPumpWFRLimits(pPump, WFRMin, WFRMax);
    if (Data.Evaporator.WFRNoGlycol != 0.0) {
        const auto pCurve = pPump->GetTheChPumpData();
        const double dESP = (pCurve ? pCurve->Evaluate(Data.Evaporator.WFR) : 0.0) * 1000.0;
        const std::string szFlow = TU_Form::PutDimensionedText(U_Airflow, true, Data.Evaporator.WFR / 60.0);
        if (Data.Evaporator.PD * 1000.0 > dESP) {
            ShowUserError(242, {GetName(), TU_Form::PutDimensionedText(U_Pressure, true, dESP), szFlow});
            return withoutPump(*pPump, false, nResult);
        }
        if (!AskUserYesNo(269, {GetName(), TU_Form::PutDimensionedText(U_Airflow, true, WFRMin / 60.0), TU_Form::PutDimensionedText(U_Airflow, true, WFRMax / 60.0),
                                szFlow, TU_Form::PutDimensionedText(U_Pressure, true, dESP)})) {
            return withoutPump(*pPump, true, nResult);
        }
        return nResult;
    }
    // The flow lies outside the pump's range: the figures without the pump,
    // the reason with it.
    const std::int32_t nOutside = Data.Evaporator.WFR > WFRMax ? 248 : 247;
    withoutPump(*pPump, false, nOutside);
    return nOutside;
}

}  // namespace brumalis
