#include <gtest/gtest.h>

#include <functional>

#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

class Sound : public testing::CatalogueFixture {
protected:
    // A unit documented with the example's figures: 84 dB(A), 2000 × 2566 × 2311 mm.
    std::unique_ptr<Cls_ChOutdoorUnit> ExampleUnit(double dSoundPower = 84.0) {
        auto pUnit = Inserted(New<Cls_ChOutdoorUnit>());
        auto pDoc = New<Cls_ChOutDocumentation>();
        pDoc->SetSoundPower(dSoundPower), pDoc->SetWidth(2000.0), pDoc->SetDepth(2566.0), pDoc->SetHeight(2311.0);
        pDoc->SetWeight(1800.0), pDoc->SetSoundSpec63(90.0), pDoc->SetSoundSpec8000(60.0);
        pDoc->SetDevice(pUnit.get());
        Inserted(std::move(pDoc));
        return pUnit;
    }
    std::unique_ptr<Cls_ChOptAllowed> LowNoise(const Cls_ChOutdoorUnit& unit,
                                               const std::function<void(Cls_ChLowNoise&)>& fill) {
        auto pComb = New<Cls_ChOptAllowed>();
        pComb->SetDevice(&unit);
        pComb = Inserted(std::move(pComb));
        auto pLN = New<Cls_ChLowNoise>();
        fill(*pLN);
        pLN->SetChOptAllowed(pComb.get());
        Inserted(std::move(pLN));
        return pComb;
    }
};

TEST_F(Sound, PressureFollowsTheFreeFieldBoxFormula) {
    const auto pUnit = ExampleUnit();
    EXPECT_NEAR(pUnit->CalcSoundLevel(nullptr, 1.0), 65.25, 0.005);
    const TSoundArray lp = pUnit->GetSoundData(nullptr, Cls_ChOutdoorUnit::GetInitSoundDistances());
    EXPECT_NEAR(lp[0], 65.25, 0.005);
    EXPECT_GT(lp[0], lp[1]);
    EXPECT_GT(lp[1], lp[2]);
    EXPECT_EQ(pUnit->CalcSoundLevel(nullptr, -1.0), 0.0);
    EXPECT_EQ(ExampleUnit(0.0)->CalcSoundLevel(nullptr, 1.0), 0.0);  // no sound power
    EXPECT_EQ(Inserted(New<Cls_ChOutdoorUnit>())->GetSoundData(nullptr, {1.0, 5.0, 10.0}), (TSoundArray{0, 0, 0}));
}

TEST_F(Sound, LowNoiseFiguresReplaceTheUnitsUnlessTheirProbeIsMissing) {
    const auto pUnit = ExampleUnit(88.0);
    const auto pQuiet = LowNoise(*pUnit, [](Cls_ChLowNoise& ln) {
        ln.SetSoundPower(80.0), ln.SetHeight(2400.0), ln.SetWidth(2000.0), ln.SetDepth(2566.0), ln.SetWeight(1900.0);
        ln.SetSoundSpec63(85.0);
    });
    EXPECT_EQ(pUnit->GetSoundPower(pQuiet.get()), 80.0);
    EXPECT_EQ(pUnit->GetWeight(pQuiet.get()), 1900.0);
    EXPECT_EQ(pUnit->GetSoundSpectrum(pQuiet.get())[Hz63], 85.0);
    EXPECT_EQ(pUnit->GetSoundSpectrum(pQuiet.get())[Hz8000], 0.0);  // the whole group comes from one source

    // No sound power, height or 63 Hz band of its own: the unit's figures count, all of them.
    const auto pBare = LowNoise(*pUnit, [](Cls_ChLowNoise& ln) { ln.SetSoundPower(0.0), ln.SetWidth(1.0); });
    EXPECT_EQ(pUnit->GetSoundPower(pBare.get()), 88.0);
    EXPECT_EQ(pUnit->GetSoundSpectrum(pBare.get())[Hz8000], 60.0);
    double h = 0.0, w = 0.0, d = 0.0;
    pUnit->GetDimensions(pBare.get(), h, w, d);
    EXPECT_EQ(w, 2000.0);

    // Both without sound power: 0.
    const auto pSilentUnit = ExampleUnit(0.0);
    EXPECT_EQ(pSilentUnit->GetSoundPower(LowNoise(*pSilentUnit, [](Cls_ChLowNoise&) {}).get()), 0.0);
}

TEST_F(Sound, LowNoiseWithoutHeightTakesTheUnitsDimensionsAndSoundPower) {
    const auto pUnit = ExampleUnit();
    const auto pComb = LowNoise(*pUnit, [](Cls_ChLowNoise& ln) { ln.SetSoundPower(70.0), ln.SetWidth(1000.0); });
    EXPECT_EQ(pUnit->GetSoundPower(pComb.get()), 70.0);
    EXPECT_NEAR(pUnit->CalcSoundLevel(pComb.get(), 1.0), 65.25, 0.005);
}

TEST_F(Sound, SeasonalFiguresComeFromTheUnitOrAWholeLowNoiseRecord) {
    auto pUnit = ExampleUnit();
    pUnit->SetESEER(4.1), pUnit->SetESEEREER100(3.0), pUnit->SetIPLV(4.4), pUnit->SetIPLVPI25(11.0);
    pUnit->Update();
    double eseer = 0.0, eer100 = 0.0, iplv = 0.0, iplvEER100 = 0.0;
    pUnit->GetESEERIPLV(LowNoise(*pUnit, [](Cls_ChLowNoise& ln) { ln.SetIPLV(9.0); }).get(), eseer, eer100, iplv,
                        iplvEER100);
    EXPECT_EQ(eseer, 4.1);
    EXPECT_EQ(eer100, 3.0);
    EXPECT_EQ(iplv, 4.4);
    EXPECT_EQ(pUnit->GetESEERIPLVData(nullptr)[IPLVPI25], 11.0);

    const auto pComb = LowNoise(*pUnit, [](Cls_ChLowNoise& ln) { ln.SetESEER(4.6), ln.SetIPLVCC50(55.0); });
    const TESEERIPLVData data = pUnit->GetESEERIPLVData(pComb.get());
    EXPECT_EQ(data[ESEER], 4.6);
    EXPECT_EQ(data[IPLVCC50], 55.0);
    EXPECT_EQ(data[IPLV], 0.0);
}

TEST_F(Sound, UndocumentedUnitsGetAnEmptyRecord) {
    const auto pUnit = Inserted(New<Cls_ChOutdoorUnit>());
    EXPECT_EQ(pUnit->GetDocumentation().GetStatus(), stStored);
    const std::int32_t nDocID = pUnit->GetDocumentation().GetID();
    EXPECT_EQ(Cls_ChOutdoorUnit(pUnit->GetID()).GetDocumentation().GetID(), nDocID);  // found again through its link

    const auto pNew = New<Cls_ChOutdoorUnit>();
    EXPECT_EQ(pNew->GetDocumentation().GetStatus(), stNew);
    EXPECT_EQ(pNew->GetSoundPower(nullptr), 0.0);
    EXPECT_EQ(pNew->GetWeight(nullptr), 0.0);
}

}  // namespace
}  // namespace brumalis
