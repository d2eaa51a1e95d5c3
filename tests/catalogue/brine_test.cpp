#include <gtest/gtest.h>

#include "catalogue/brine_records.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

using Brines = testing::CatalogueFixture;

TEST_F(Brines, SlotsHoldOnePolynomialPerTypeTheLaterRowWinning) {
    const auto pBrine = StoredBrine("Ethylene glycol");
    AddBrinePoly(*pBrine, 2, 1.0, -0.002);
    AddBrinePoly(*pBrine, 10, 0.99, 0.0);
    AddBrinePoly(*pBrine, 10, 0.95, 0.0);
    AddBrinePoly(*pBrine, 12, 7.0, 0.0);  // no such slot: dropped
    AddBrinePoly(*pBrine, 0, 7.0, 0.0);

    EXPECT_DOUBLE_EQ(pBrine->Evaluate(2, 30.0), 0.94);
    EXPECT_DOUBLE_EQ(pBrine->GetCapCorrection(30.0), 0.95);
    EXPECT_DOUBLE_EQ(pBrine->GetPICorrection(30.0), 1.0);  // missing type 11
    EXPECT_DOUBLE_EQ(pBrine->Evaluate(12, 30.0), 1.0);
    EXPECT_DOUBLE_EQ(pBrine->Evaluate(0, 30.0), 1.0);
    EXPECT_EQ(pBrine->GetBrinePoly(12), nullptr);

    auto pReplacement = New<Cls_ChGlyPolynomial>();
    pReplacement->SetA0(0.5);
    pBrine->SetBrinePoly(2, std::move(pReplacement));
    EXPECT_DOUBLE_EQ(pBrine->Evaluate(2, 30.0), 0.5);
    pBrine->SetBrinePoly(0, New<Cls_ChGlyPolynomial>());  // ignored
}

TEST_F(Brines, CorrectionDataSetsAreCreatedPerSequenceNumberOnFirstUse) {
    const auto pBrine = StoredBrine("Propylene glycol");
    const TCorrectionData fresh = pBrine->GetCorrections(7);
    EXPECT_EQ(fresh.CapCorrection, 1.0);
    EXPECT_EQ(fresh.PICorrection, 1.0);
    EXPECT_EQ(fresh.FRCorrection, 1.0);
    EXPECT_EQ(fresh.PDCorrection, 1.0);

    pBrine->SetCorrections(seqSettings, TCorrectionData{0.97, 1.02, 1.05, 1.2});
    pBrine->CopyCorrections(seqSettings, seqAnalysis);
    EXPECT_EQ(pBrine->GetCorrections(seqAnalysis).PDCorrection, 1.2);
    pBrine->SetCorrections(seqAnalysis, TCorrectionData{});
    EXPECT_EQ(pBrine->GetCorrections(seqSettings).PDCorrection, 1.2);

    auto pController = New<Cls_ChController>();
    TControllerDataSet set = pController->GetCorrections(seqSettings);
    EXPECT_EQ(set.Brine, nullptr);
    EXPECT_EQ(set.OptionCls, 0);
    EXPECT_EQ(set.FRCorrection, 1.0);
    set.Brine = pBrine.get();
    set.BrineMinPercent = 25.0;
    pController->SetCorrections(seqSettings, set);
    pController->CopyCorrections(seqSettings, seqAnalysis);
    EXPECT_EQ(pController->GetCorrections(seqAnalysis).Brine, pBrine.get());
    EXPECT_EQ(pController->GetCorrections(seqAnalysis).BrineMinPercent, 25.0);
}

TEST_F(Brines, StepsAreCachedSortedAndNamedWithTheirOption) {
    auto pController = New<Cls_ChController>();
    pController->SetName("Standard controller");
    pController = Inserted(std::move(pController));
    auto pOption = New<Cls_ChOption>();
    pOption->SetName("Brine version");
    pOption = Inserted(std::move(pOption));
    for (double dLWE : {5.0, -8.0, -2.5}) {
        auto pStep = New<Cls_ChLWEStep>();
        pStep->SetLWE(dLWE);
        pStep->SetChController(pController.get());
        if (dLWE < 0) pStep->SetChOption(pOption.get());
        Inserted(std::move(pStep));
    }
    const auto& steps = pController->CacheLWESteps();
    ASSERT_EQ(steps.size(), 3U);
    EXPECT_EQ(steps[0]->GetLWE(), -8.0);
    EXPECT_EQ(steps[2]->GetLWE(), 5.0);
    EXPECT_EQ(&pController->CacheLWESteps(), &steps);  // kept, not rebuilt
    EXPECT_EQ(steps[1]->GetName(), "-2.5\u00B0C");
    EXPECT_EQ(steps[1]->GetDescriptiveName(), "-2.5\u00B0C - Brine version");
    EXPECT_EQ(steps[2]->GetDescriptiveName(), "5\u00B0C");

    const auto pBrine = StoredBrine("Ethylene glycol");
    auto pPercent = New<Cls_ChEvapGlycolPerc>();
    pPercent->SetPercentage(30.0);
    EXPECT_EQ(pPercent->GetDescriptiveName(), "30%");
    pPercent->SetChGlycol(pBrine.get());
    EXPECT_EQ(pPercent->GetDescriptiveName(), "30% Ethylene glycol");
}

TEST_F(Brines, DefaultBrineIsKeptInTheUserSettings) {
    EXPECT_EQ(Cls_ChGlycol::GetRegDefault(), 0);
    Cls_ChGlycol::SetRegDefault(17);
    EXPECT_EQ(Cls_ChGlycol::GetRegDefault(), 17);
    platform::CTRegistryIniFile ini(platform::Registry().CurrentUser(), "Software\\Orvane\\Brumalis\\Devices");
    EXPECT_EQ(ini.ReadInteger("Default_Settings", "GLYCOL", -1), 17);
}

}  // namespace
}  // namespace brumalis
