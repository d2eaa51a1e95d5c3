#include <gtest/gtest.h>

#include "tests/catalogue/catalogue_fixture.h"
#include "workflow/brine_frame.h"

namespace brumalis {
namespace {

// Two brines with linear curves, a controller with steps at -8 (needing an
// option), -2.5 and 5 °C, and the percentages the steps require of "Ethylene".
class BrineFrame : public testing::CatalogueFixture {
protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        brines.push_back(StoredBrine("propylene"));
        brines.push_back(StoredBrine("Ethylene"));
        ethylene = brines[1].get();
        AddBrinePoly(*ethylene, bptPercentageAtTemp, 5.0, -5.0);  // 15 % at -2 °C
        for (std::int32_t nType = bptEvapCapacity; nType <= bptCondPressureDrop; ++nType) {
            AddBrinePoly(*ethylene, nType, 1.0, 0.001 * nType);
        }
        option = Inserted(New<Cls_ChOption>());
        controllers.push_back(StoredController({{-8.0, 35.0}, {-2.5, 25.0}, {5.0, -1.0}}));
        frame.SetupWindow(seqSettings, brines, controllers, nullptr, [this] { ++changes; });
    }

    void TearDown() override {
        // Records go before their factory.
        controllers.clear();
        brines.clear();
        option.reset();
        CatalogueFixture::TearDown();
    }

    // Steps as (leaving temperature, percentage of ethylene; negative: no entry).
    std::unique_ptr<Cls_ChController> StoredController(std::initializer_list<std::pair<double, double>> steps) {
        auto pController = Inserted(New<Cls_ChController>());
        for (const auto& [dLWE, dPercent] : steps) {
            auto pStep = New<Cls_ChLWEStep>();
            pStep->SetLWE(dLWE);
            pStep->SetChController(pController.get());
            if (dLWE < -5.0) pStep->SetChOption(option.get());
            pStep = Inserted(std::move(pStep));
            if (dPercent < 0.0) continue;
            auto pEntry = New<Cls_ChEvapGlycolPerc>();
            pEntry->SetPercentage(dPercent);
            pEntry->SetChGlycol(ethylene);
            pEntry->SetChLWEStep(pStep.get());
            Inserted(std::move(pEntry));
        }
        return pController;
    }
    double Factor(std::int32_t nType, double dPercent) const { return 1.0 + 0.001 * nType * dPercent; }
    TControllerDataSet Installed(std::size_t n = 0) { return controllers[n]->GetCorrections(seqSettings); }

    CTRecordList<Cls_ChGlycol> brines;
    CTRecordList<Cls_ChController> controllers;
    Cls_ChGlycol* ethylene = nullptr;
    std::unique_ptr<Cls_ChOption> option;
    TFrm_ChBrine frame;
    int changes = 0;
};

TEST_F(BrineFrame, ListsNoBrineFirstThenTheBrinesByName) {
    EXPECT_EQ(frame.Items(), (std::vector<std::string>{"-- No brine --", "Ethylene", "propylene"}));
    EXPECT_EQ(frame.GetBrine(), nullptr);
    EXPECT_FALSE(frame.SettingsVisible());
    frame.SelectItem(2);
    EXPECT_EQ(frame.GetBrine(), brines[0].get());
    EXPECT_TRUE(frame.SettingsVisible());
    EXPECT_EQ(changes, 1);
    frame.SelectItem(7);  // no such item
    EXPECT_EQ(frame.GetBrine(), nullptr);
    EXPECT_FALSE(frame.SettingsVisible());

    TFrm_ChBrine empty;
    empty.SetupWindow(seqSettings, {}, controllers, nullptr, nullptr);
    empty.SetBrineSettings(ethylene, false, 20.0);
    empty.UpdateEvaporatorBrinePercentage(-10.0);
    EXPECT_EQ(empty.Items().size(), 1U);
    EXPECT_FALSE(empty.SettingsVisible());
    EXPECT_EQ(empty.GetPercentage(), 0.0);
}

TEST_F(BrineFrame, EvaporatorPercentageComesFromTheStepAtOrBelowTheLeavingTemperature) {
    frame.SelectBrine(ethylene);
    frame.UpdateEvaporatorBrinePercentage(-15.0);  // below the lowest step: the first step
    TControllerDataSet set = Installed();
    EXPECT_EQ(set.BrineMinPercent, 35.0);
    EXPECT_EQ(set.BrineUsedPercent, 35.0);
    EXPECT_EQ(set.Brine, ethylene);
    EXPECT_EQ(set.OptionObj, option->GetID());
    EXPECT_DOUBLE_EQ(set.CapCorrection, Factor(bptEvapCapacity, 35.0));
    EXPECT_DOUBLE_EQ(set.PDCorrection, Factor(bptEvapPressureDrop, 35.0));
    EXPECT_EQ(frame.GetPercentage(), 35.0);
    EXPECT_TRUE(frame.SettingsVisible());

    frame.UpdateEvaporatorBrinePercentage(-2.5);  // on a step
    EXPECT_EQ(Installed().BrineUsedPercent, 25.0);
    EXPECT_EQ(Installed().OptionObj, 0);

    frame.UpdateEvaporatorBrinePercentage(7.0);  // a step without an entry
    set = Installed();
    EXPECT_EQ(set.BrineUsedPercent, 0.0);
    EXPECT_EQ(set.Brine, nullptr);
    EXPECT_EQ(set.CapCorrection, 1.0);
    EXPECT_EQ(frame.GetBrine(), ethylene);  // still chosen, at 0 %
    EXPECT_EQ(frame.GetPercentage(), 0.0);
}

TEST_F(BrineFrame, ChangeWeightKeepsAHigherUserPercentageAndReplacesALowerOne) {
    frame.SelectBrine(ethylene);
    frame.SetChangeWeight(true);
    EXPECT_FALSE(frame.EnterPercentage("30").Clamped);
    frame.UpdateEvaporatorBrinePercentage(0.0);  // step -2.5 needs 25 %
    EXPECT_EQ(frame.GetPercentage(), 30.0);
    EXPECT_EQ(Installed().BrineMinPercent, 25.0);
    EXPECT_EQ(Installed().BrineUsedPercent, 30.0);
    EXPECT_DOUBLE_EQ(Installed().PICorrection, Factor(bptEvapPowerInput, 30.0));

    frame.EnterPercentage("10");
    frame.UpdateEvaporatorBrinePercentage(0.0);
    EXPECT_EQ(frame.GetPercentage(), 25.0);
    EXPECT_EQ(Installed().BrineUsedPercent, 25.0);
    EXPECT_TRUE(frame.ChangeWeight());
}

TEST_F(BrineFrame, TypedPercentagesAreWholeNumbersFrom0To40) {
    frame.SelectBrine(ethylene);
    frame.SetChangeWeight(true);
    TTypedEntry typed = frame.EnterPercentage("55");
    EXPECT_TRUE(typed.Clamped);
    EXPECT_EQ(typed.Value, 40.0);
    EXPECT_EQ(typed.Shown, "40");
    typed = frame.EnterPercentage("-3");
    EXPECT_TRUE(typed.Clamped);
    EXPECT_EQ(frame.GetPercentage(), 0.0);
    typed = frame.EnterPercentage("12,6");
    EXPECT_FALSE(typed.Clamped);
    EXPECT_EQ(frame.GetPercentage(), 13.0);
    EXPECT_EQ(frame.EnterPercentage("lots").Value, 0.0);
}

TEST_F(BrineFrame, WithoutAChosenBrineTheStoredDefaultOrElseTheFirstBrineIsUsed) {
    frame.UpdateEvaporatorBrinePercentage(-15.0);
    // No default stored: the first brine of the list, which has no entries.
    EXPECT_EQ(Installed().BrineUsedPercent, 0.0);
    EXPECT_EQ(frame.GetBrine(), nullptr);
    EXPECT_FALSE(frame.SettingsVisible());

    Cls_ChGlycol::SetRegDefault(ethylene->GetID());
    frame.UpdateEvaporatorBrinePercentage(-15.0);
    EXPECT_EQ(Installed().Brine, ethylene);
    EXPECT_EQ(frame.GetBrine(), ethylene);  // the frame now shows the brine it needs
    EXPECT_EQ(frame.GetPercentage(), 35.0);
}

TEST_F(BrineFrame, EachControllerGetsWhatItsOwnStepNeedsWhateverTheListOrder) {
    controllers.insert(controllers.begin(), StoredController({{-8.0, 35.0}}));
    controllers.push_back(StoredController({{-20.0, -1.0}}));  // needs no brine
    frame.SetupWindow(seqSettings, brines, controllers, nullptr, nullptr);
    frame.SelectBrine(ethylene);
    frame.UpdateEvaporatorBrinePercentage(0.0);
    EXPECT_EQ(Installed(0).BrineUsedPercent, 35.0);
    EXPECT_EQ(Installed(1).BrineUsedPercent, 25.0);
    EXPECT_EQ(Installed(2).BrineUsedPercent, 0.0);
    EXPECT_EQ(Installed(2).CapCorrection, 1.0);
    EXPECT_EQ(frame.GetPercentage(), 35.0);
}

TEST_F(BrineFrame, CondenserBelowZeroNeedsThePercentageOfTheFirstCurve) {
    frame.SelectBrine(ethylene);
    frame.UpdateCondenserBrinePercentage(-2.0);
    EXPECT_EQ(frame.GetPercentage(), 15.0);
    TCorrectionData set = ethylene->GetCorrections(seqSettings);
    EXPECT_DOUBLE_EQ(set.CapCorrection, Factor(bptCondCapacity, 15.0));
    EXPECT_DOUBLE_EQ(set.FRCorrection, Factor(bptCondFlow, 15.0));
    EXPECT_DOUBLE_EQ(set.PDCorrection, Factor(bptCondPressureDrop, 15.0));
    EXPECT_EQ(ethylene->GetCorrections(seqAnalysis).CapCorrection, 1.0);  // another context

    frame.SetChangeWeight(true);
    frame.EnterPercentage("20");
    frame.UpdateCondenserBrinePercentage(-2.0);
    EXPECT_EQ(frame.GetPercentage(), 20.0);
    EXPECT_DOUBLE_EQ(ethylene->GetCorrections(seqSettings).PICorrection, Factor(bptCondPowerInput, 20.0));

    frame.SetChangeWeight(false);
    frame.UpdateCondenserBrinePercentage(3.0);
    EXPECT_EQ(frame.GetPercentage(), 0.0);
    EXPECT_EQ(ethylene->GetCorrections(seqSettings).CapCorrection, 1.0);

    // A brine without the curve needs nothing, even below 0 °C.
    frame.SelectBrine(brines[0].get());
    frame.UpdateCondenserBrinePercentage(-5.0);
    EXPECT_EQ(frame.GetPercentage(), 0.0);
    EXPECT_EQ(brines[0]->GetCorrections(seqSettings).CapCorrection, 1.0);
}

}  // namespace
}  // namespace brumalis
