#include "workflow/solution.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brumalis {
namespace {

void SetDeviation(TRepCap& data, double dRequired) {
    if (data.Cap > 0.0 && dRequired > 0.0) data.Deviation = (data.Cap - dRequired) / dRequired * 100.0;
}

double Ratio(double dNumerator, double dDenominator) { return dDenominator != 0.0 ? dNumerator / dDenominator : 0.0; }

void AddFlow(TRepFluid& total, const TRepFluid& unit) {
    total.Brine = unit.Brine;
    total.BrinePercent = unit.BrinePercent;
    total.WFR += unit.WFR;
    total.PD = std::max(total.PD, unit.PD);
}

// Sound levels add as energies. Units without a figure (0 dBA: no sound data)
// add nothing, so a plant without any data shows none rather than 10·log10(n).
class TSoundSum {
public:
    void Add(double dLevel) {
        if (dLevel > 0.0) v_sum += std::pow(10.0, dLevel / 10.0);
    }
    double Level() const { return v_sum > 0.0 ? 10.0 * std::log10(v_sum) : 0.0; }

private:
    double v_sum = 0.0;
};

}  // namespace

TSolution::TSolution(std::int32_t SeqNr, double ReqHeatCap, double ReqCoolCap,
                     std::vector<Cls_ChOutdoorUnit*> Chillers)
    : v_SeqNr(SeqNr), v_Chillers(std::move(Chillers)), v_ReqCoolCap(ReqCoolCap), v_ReqHeatCap(ReqHeatCap),
      v_SolutionData(GetInitChillerData()) {
    CalcTotals();
}

TSolution::~TSolution() {
    for (std::size_t i = 0; i < v_Chillers.size(); ++i) {
        v_Chillers[i]->RemoveChillerData(v_SeqNr + static_cast<std::int32_t>(i));
    }
}

void TSolution::CalcTotals() {
    if (v_Chillers.size() == 1) {
        v_SolutionData = v_Chillers.front()->GetChillerData(v_SeqNr);
    } else {
        SumPlant();
    }
    ApplyDeviations();
}

void TSolution::SumPlant() {
    TChillerData total = GetInitChillerData();
    TSoundSum power;
    std::array<TSoundSum, 3> pressures;
    for (std::size_t i = 0; i < v_Chillers.size(); ++i) {
        const TChillerData unit = v_Chillers[i]->GetChillerData(v_SeqNr + static_cast<std::int32_t>(i));
        total.TempSelData = unit.TempSelData;
        total.CoolData.Cap += unit.CoolData.Cap;
        total.CoolData.PI += unit.CoolData.PI;
        total.HeatData.Cap += unit.HeatData.Cap;
        total.HeatData.PI += unit.HeatData.PI;
        total.HRData.CC += unit.HRData.CC;
        total.HRData.PI += unit.HRData.PI;
        total.HRData.HR += unit.HRData.HR;
        AddFlow(total.Evaporator, unit.Evaporator);
        AddFlow(total.Condenser, unit.Condenser);
        power.Add(unit.SoundPower);
        for (std::size_t k = 0; k < pressures.size(); ++k) pressures[k].Add(unit.SoundPressures[k]);
    }
    total.CoolData.EERCOP = Ratio(total.CoolData.Cap, total.CoolData.PI);
    total.HeatData.EERCOP = Ratio(total.HeatData.Cap, total.HeatData.PI);
    TRepHeatRecovery& hr = total.HRData;
    if (hr.CC > 0.0 && hr.PI > 0.0) {
        hr.HRPercentage = hr.HR / (hr.CC + hr.PI);
        hr.HRCOP = (hr.CC + hr.HR) / hr.PI;
    } else {
        hr.CC = hr.PI = hr.HRPercentage = hr.HRCOP = 0.0;
    }
    total.SoundPower = power.Level();
    for (std::size_t k = 0; k < pressures.size(); ++k) total.SoundPressures[k] = pressures[k].Level();
    v_SolutionData = total;
}

void TSolution::ApplyDeviations() {
    SetDeviation(v_SolutionData.CoolData, v_ReqCoolCap);
    SetDeviation(v_SolutionData.HeatData, v_ReqHeatCap);
}

void TSolution::ReplaceReqCap(double ReqCap) {
    if (!(ReqCap > 0.0)) return;
    if (v_SolutionData.CoolData.Cap > 0.0 && v_ReqCoolCap > 0.0) {
        v_ReqCoolCap = ReqCap;
        SetDeviation(v_SolutionData.CoolData, ReqCap);
    }
    if (v_SolutionData.HeatData.Cap > 0.0 && v_ReqHeatCap > 0.0) {
        v_ReqHeatCap = ReqCap;
        SetDeviation(v_SolutionData.HeatData, ReqCap);
    }
}

}  // namespace brumalis
