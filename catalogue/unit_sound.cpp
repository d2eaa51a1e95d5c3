// Cls_ChOutdoorUnit: documentation, sound and seasonal figures, with the
// replacement of each figure group by the selected low-noise version.
#include <cmath>

#include "catalogue/records.h"

namespace brumalis {
namespace {

// 10 / ln(10): Lw − 10·log10(S) computed through the natural logarithm.
constexpr double kTenOverLn10 = 4.342944819032518;

// Dimensions (mm) and sound power (dB(A)) of one source; the sound pressure
// takes them together.
struct TSoundSource {
    double Height = 0.0;
    double Width = 0.0;
    double Depth = 0.0;
    double SoundPower = 0.0;
};

std::unique_ptr<Cls_ChLowNoise> LowNoiseOf(const Cls_ChOptAllowed* LNOptComb) {
    return LNOptComb ? LNOptComb->GetTheChLowNoise() : nullptr;
}

// A figure group comes from the low-noise record unless that record's probe
// is 0 while the unit's is not: a low-noise version without its own figures
// must not wipe out the unit's.
template <class TUnitSource, class TGroup, class TProbe>
auto FigureGroup(const Cls_ChLowNoise* pLN, const TUnitSource& unit, TGroup group, TProbe probe) {
    const bool bLowNoise = pLN && (probe(*pLN) != 0.0 || probe(unit) == 0.0);
    return bLowNoise ? group(*pLN) : group(unit);
}

constexpr auto kSoundPower = [](const auto& r) { return r.GetSoundPower(); };
constexpr auto kHeight = [](const auto& r) { return r.GetHeight(); };
constexpr auto kWeight = [](const auto& r) { return r.GetWeight(); };
constexpr auto kSpec63 = [](const auto& r) { return r.GetSoundSpec63(); };
constexpr auto kESEER = [](const auto& r) { return r.GetESEER(); };

constexpr auto kSoundSource = [](const auto& r) {
    return TSoundSource{r.GetHeight(), r.GetWidth(), r.GetDepth(), r.GetSoundPower()};
};

constexpr auto kSpectrum = [](const auto& r) {
    return TRepSpectrum{r.GetSoundSpec63(),  r.GetSoundSpec125(),  r.GetSoundSpec250(),  r.GetSoundSpec500(),
                        r.GetSoundSpec1000(), r.GetSoundSpec2000(), r.GetSoundSpec4000(), r.GetSoundSpec8000()};
};

constexpr auto kSeasonalFigures = [](const auto& r) {
    return TESEERIPLVData{r.GetESEER(),      r.GetESEEREER100(), r.GetESEEREER75(), r.GetESEEREER50(),
                          r.GetESEEREER25(), r.GetESEERCC100(),  r.GetESEERPI100(), r.GetESEERCC75(),
                          r.GetESEERPI75(),  r.GetESEERCC50(),   r.GetESEERPI50(),  r.GetESEERCC25(),
                          r.GetESEERPI25(),  r.GetIPLV(),        r.GetIPLVEER100(), r.GetIPLVEER75(),
                          r.GetIPLVEER50(),  r.GetIPLVEER25(),   r.GetIPLVCC100(),  r.GetIPLVPI100(),
                          r.GetIPLVCC75(),   r.GetIPLVPI75(),    r.GetIPLVCC50(),   r.GetIPLVPI50(),
                          r.GetIPLVCC25(),   r.GetIPLVPI25()};
};

// Free-field sound pressure (dB(A)) over a box around the unit at Distance (m)
// on four sides and the top; 0 without sound power, dimensions or a distance.
double SoundPressure(const TSoundSource& src, double Distance) {
    const double w = src.Width / 1000.0;
    const double dp = src.Depth / 1000.0;
    const double h = src.Height / 1000.0;
    if (src.SoundPower <= 0.0 || w <= 0.0 || dp <= 0.0 || h <= 0.0 || !(Distance >= 0.0)) return 0.0;
    const double d2 = 2.0 * Distance;
    const double s = 2.0 * (w + d2) * (h + Distance) + 2.0 * (dp + d2) * (h + Distance) + (w + d2) * (dp + d2);
    return src.SoundPower - std::log(s) * kTenOverLn10;
}

std::unique_ptr<Cls_ChOutDocumentation> NewDocumentation(const Cls_ChOutdoorUnit& unit) {
    auto pDoc = std::make_unique<Cls_ChOutDocumentation>(0, &unit.GetFactory());
    // An unstored unit cannot be referred to; its empty record stays in memory.
    if (unit.GetStatus() == stStored) {
        pDoc->SetDevice(&unit);
        pDoc->Insert();  // a read-only catalogue refuses it: the record serves in memory
    }
    return pDoc;
}

// Dimensions and sound power from the source the height probe chooses.
TSoundSource SoundSourceOf(Cls_ChOutdoorUnit& unit, const Cls_ChOptAllowed* LNOptComb) {
    return FigureGroup(LowNoiseOf(LNOptComb).get(), unit.GetDocumentation(), kSoundSource, kHeight);
}

}  // namespace

Cls_ChOutDocumentation& Cls_ChOutdoorUnit::GetDocumentation() {
    if (!v_Doc) v_Doc = SingleRelatedRecord<Cls_ChOutDocumentation>(*this, Cls_DeviceDocumentation::fldDevice);
    if (!v_Doc) v_Doc = NewDocumentation(*this);
    return *v_Doc;
}

double Cls_ChOutdoorUnit::GetSoundPower(const Cls_ChOptAllowed* LNOptComb) {
    return FigureGroup(LowNoiseOf(LNOptComb).get(), GetDocumentation(), kSoundPower, kSoundPower);
}

TRepSpectrum Cls_ChOutdoorUnit::GetSoundSpectrum(const Cls_ChOptAllowed* LNOptComb) {
    return FigureGroup(LowNoiseOf(LNOptComb).get(), GetDocumentation(), kSpectrum, kSpec63);
}

void Cls_ChOutdoorUnit::GetDimensions(const Cls_ChOptAllowed* LNOptComb, double& Height, double& Width, double& Depth) {
    const TSoundSource src = SoundSourceOf(*this, LNOptComb);
    Height = src.Height;
    Width = src.Width;
    Depth = src.Depth;
}

double Cls_ChOutdoorUnit::GetWeight(const Cls_ChOptAllowed* LNOptComb) {
    return FigureGroup(LowNoiseOf(LNOptComb).get(), GetDocumentation(), kWeight, kWeight);
}

TESEERIPLVData Cls_ChOutdoorUnit::GetESEERIPLVData(const Cls_ChOptAllowed* LNOptComb) {
    return FigureGroup(LowNoiseOf(LNOptComb).get(), *this, kSeasonalFigures, kESEER);
}

void Cls_ChOutdoorUnit::GetESEERIPLV(const Cls_ChOptAllowed* LNOptComb, double& nESEER, double& nESEEREER100,
                                     double& nIPLV, double& nIPLVEER100) {
    const TESEERIPLVData data = GetESEERIPLVData(LNOptComb);
    nESEER = data[ESEER];
    nESEEREER100 = data[ESEEREER100];
    nIPLV = data[IPLV];
    nIPLVEER100 = data[IPLVEER100];
}

double Cls_ChOutdoorUnit::CalcSoundLevel(const Cls_ChOptAllowed* TheLNAttr, double Distance) {
    return SoundPressure(SoundSourceOf(*this, TheLNAttr), Distance);
}

TSoundArray Cls_ChOutdoorUnit::GetSoundData(const Cls_ChOptAllowed* LNOptComb, const TSoundArray& Distances) {
    // One lookup of the low-noise record serves all three distances.
    const TSoundSource src = SoundSourceOf(*this, LNOptComb);
    return {SoundPressure(src, Distances[0]), SoundPressure(src, Distances[1]), SoundPressure(src, Distances[2])};
}

}  // namespace brumalis
