#include "documents/graphs/pressure_drop_view.h"

#include <algorithm>
#include <cmath>

#include "catalogue/units.h"
#include "catalogue/unit_records.h"
#include "dialogs/messages.h"
#include "documents/graphs/graph_numbers.h"

namespace brumalis::graphs {
namespace {

// l/min; no unit's water flow comes near (that is 1.6 m³/s).
constexpr double kMaxPlausibleFlow = 100000.0;


int FlowUnit() { return TU_Form::GetNewIndex(U_Airflow); }

// l/min to the user's flow unit.
double ShownFlow(double dFlow) { return TU_Form::ConvertValue(U_Airflow, 0, true, FlowUnit(), dFlow / 60.0); }

// The smallest of 0.01, 0.02, 0.05, 0.1, … strictly above dSpan.
double TickStep(double dSpan) {
    constexpr double kMantissas[] = {1.0, 2.0, 5.0};
    for (int nExponent = -2;; ++nExponent) {
        for (double m : kMantissas) {
            const double dStep = m * std::pow(10.0, nExponent);
            if (dStep > dSpan) return dStep;
        }
    }
}

int Decimals(double dStep) { return dStep < 0.1 ? 2 : (dStep >= 1.0 ? 0 : 1); }

std::string Message(int nMsgNr) { return dialogs::TBaseMsg::GetUnicodeString(nMsgNr); }

}  // namespace

TFlowTicks FlowTicks(double dMinFlow, double dMaxFlow, TFlowTickRule Rule) {
    TFlowTicks ticks;
    const auto plausible = [](double f) { return std::fabs(f) <= kMaxPlausibleFlow; };
    if (!plausible(dMinFlow) || !plausible(dMaxFlow) || dMinFlow > dMaxFlow) return ticks;
    double dStart = (Rnd(dMinFlow) + 5) / 10 * 10;
    if (Rule == TFlowTickRule::View && dStart < dMinFlow) dStart += 5.0 * std::ceil((dMinFlow - dStart) / 5.0);
    ticks.StartFlow = dStart;

    const double dShownStart = ShownFlow(dStart);
    const double dShownMax = ShownFlow(dMaxFlow);
    const bool bTens = dShownStart >= 1.0;
    double dFirst = bTens ? Rnd(dShownStart + 5) / 10 * 10 : Rnd(dShownStart * 10 + 5) / 10;
    // Rounding may carry the start past the largest flow (5 l/s becomes 10):
    // then no tick would be left, so it goes back to the last rounded value below.
    const double dUnit = bTens ? 10.0 : 1.0;
    if (dFirst > dShownMax) dFirst -= dUnit * std::ceil((dFirst - dShownMax) / dUnit);

    const double dStep = TickStep((dShownMax - dFirst) / (Rule == TFlowTickRule::View ? 20.0 : 10.0));
    const int nDecimals = Decimals(dStep);
    const double dTolerance = dStep * 1e-9;
    for (int k = 0; dFirst + k * dStep <= dShownMax + dTolerance; ++k) {
        const double dShown = dFirst + k * dStep;
        ticks.Labels.push_back(FixedText(dShown, nDecimals));
        const double dLitresPerSecond = TU_Form::ConvertValue(U_Airflow, FlowUnit(), true, 0, dShown);
        ticks.Flows.push_back(Rnd(dLitresPerSecond * 1000.0));
    }
    return ticks;
}

double TPDSeries::Evaluated(double dFlow) const {
    const double dPa = Curve.Evaluate(dFlow) * 1000.0;
    const double v = TU_Form::ConvertValue(U_Pressure, 0, true, TU_Form::GetNewIndex(U_Pressure), dPa);
    return std::isfinite(v) ? v : kNoValue;
}

double TPDSeries::At(double dFlow) const {
    if (!(dFlow >= MinFlow && dFlow <= MaxFlow)) return kNoValue;
    return Evaluated(dFlow);
}

void TValueRange::Take(double v) {
    if (v == kNoValue) return;
    Min = std::min(Min, v);
    Max = std::max(Max, v);
}

TLegendList PressureDropLegend(const std::vector<TPDSeries>& Series) {
    TLegendList legend;
    for (const TPDSeries& series : Series) {
        legend.push_back(std::make_unique<TLegend>(series.Key, Message(series.nMsgNr), true));
    }
    return legend;
}

TLegendLayout DrawPressureDropGraph(graphics::CTDeviceCanvas& TheCanvas, const std::vector<TPDSeries>& Series,
                                    TLegendList& Legend, const TFlowTicks& Ticks, const TValueRange& YRange,
                                    bool bLegend, bool bChecks) {
    const auto value = [&Series, &Ticks](int s, int i, void*) {
        return Series[static_cast<std::size_t>(s)].At(Ticks.FlowAt(static_cast<std::size_t>(i)));
    };
    TVirtLineGraph graph(&TheCanvas, value, {});
    graph.SetBorder(kGraphBorder);
    graph.SetPlots(&Legend);
    graph.SetXTitle(Message(msgFlowRate) + " (" + TU_Form::GetCurrentString(U_Airflow) + ")");
    graph.SetYTitle(Message(msgPressureDrop) + "(" + TU_Form::GetCurrentString(U_Pressure) + ")");
    graph.SetXValues(static_cast<int>(Ticks.Flows.size()), Ticks.Labels);
    graph.SetYValues(YRange.Min, YRange.Max, 5, 1);
    graph.DrawOutline(bLegend, bChecks);
    graph.DrawGraph();
    return graph.LegendLayout();
}

void TFrm_ChillerPressureDrop::SetupWindow(const Cls_ChOutdoorUnit* TheChiller, const Cls_Polynomial* EvaporatorPD,
                                           const Cls_Polynomial* CondenserPD, const Cls_Polynomial* HeatRecoveryPD,
                                           const Cls_Polynomial* PumpPD) {
    Reset();
    const auto add = [this](const char* szKey, int nMsgNr, const Cls_Polynomial* pCurve, double dMin, double dMax) {
        if (pCurve) v_Series.push_back({szKey, nMsgNr, pCurve->GetPolynomial(), dMin, dMax});
    };
    if (TheChiller) {
        add("1", msgPDEvaporator, EvaporatorPD, TheChiller->GetMinWFRE(), TheChiller->GetMaxWFRE());
        add("2", msgPDCondenser, CondenserPD, TheChiller->GetMinWFRC(), TheChiller->GetMaxWFRC());
    }
    if (HeatRecoveryPD) {
        add("3", msgPDCondenserHR, HeatRecoveryPD, HeatRecoveryPD->GetSelect1(), HeatRecoveryPD->GetSelect2());
    }
    if (PumpPD) add("4", msgPDPump, PumpPD, PumpPD->GetSelect1(), PumpPD->GetSelect2());
    UseLegend(PressureDropLegend(v_Series), std::string(kPressureDropLegendKey));
    Repaint();
}

void TFrm_ChillerPressureDrop::ClearGraph() {
    Reset();
    Repaint();
}

void TFrm_ChillerPressureDrop::Reset() {
    ClearLegend();
    v_Series.clear();
}

TFlowTicks TFrm_ChillerPressureDrop::Ticks() const {
    const bool bAnyShown = std::ranges::any_of(v_Legend, [](const auto& pEntry) { return pEntry->MustDisplay(); });
    double dMin = kNotSet, dMax = -kNotSet;
    for (std::size_t s = 0; s < v_Series.size(); ++s) {
        if (bAnyShown && !v_Legend[s]->MustDisplay()) continue;
        dMin = std::min(dMin, v_Series[s].MinFlow);
        dMax = std::max(dMax, v_Series[s].MaxFlow);
    }
    return FlowTicks(dMin, dMax, TFlowTickRule::View);
}

TValueRange TFrm_ChillerPressureDrop::YRange(const TFlowTicks& Ticks) const {
    double dMaxFlow = -kNotSet;
    for (const TPDSeries& series : v_Series) dMaxFlow = std::max(dMaxFlow, series.MaxFlow);
    TValueRange range;
    for (const TPDSeries& series : v_Series) {
        for (double dFlow : {series.MinFlow, series.MaxFlow, Ticks.StartFlow, dMaxFlow}) range.Take(series.At(dFlow));
    }
    return range;
}

void TFrm_ChillerPressureDrop::Paint(graphics::CTDeviceCanvas& TheCanvas) {
    if (v_Series.empty()) return;
    const TFlowTicks ticks = Ticks();
    const bool bLegend = v_Series.size() >= 2;
    KeepLayout(DrawPressureDropGraph(TheCanvas, v_Series, v_Legend, ticks, YRange(ticks), bLegend, bLegend));
}

}  // namespace brumalis::graphs
