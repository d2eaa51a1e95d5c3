#include <gtest/gtest.h>

#include "catalogue/polynomial_records.h"
#include "catalogue/units.h"
#include "tests/workflow/basket_fixture.h"
#include "workflow/chiller_options.h"
#include "workflow/option_choice.h"
#include "workflow/option_steps.h"
#include "workflow/plant_builder.h"
#include "workflow/result_grid.h"

namespace brumalis {
namespace {

constexpr double kSentinel = 1234.5;  // a capacity no calculation gives

class OptionChoiceTest : public testing::BasketFixture {
protected:
    void SetUp() override {
        BasketFixture::SetUp();
        TU_Form::InitializeUnits();
        unit = AddUnit("OC 100");
        combs.push_back(AddOption(*unit, 2, "LN"));
        combs.push_back(AddOption(*unit, 1, "KIT"));
        combs.push_back(AddOption(*unit, 4, "P1"));
        combs.back()->SetIsStandard(true), combs.back()->Update();
        combs.push_back(AddOption(*unit, 4, "P2"));
        auto pCurve = New<Cls_ChPumpData>();
        pCurve->SetA0(150.0);  // kPa over the whole flow range
        pCurve->SetSelect1(0.0), pCurve->SetSelect2(10000.0);
        pCurve->SetChOptAllowed(combs.back().get());
        curve = Inserted(std::move(pCurve));
        combs.push_back(AddOption(*unit, 1, "X1"));
        combs.push_back(AddOption(*unit, 1, "X2"));
        combs.push_back(AddOption(*unit, 5, "FIXED"));
        combs.push_back(AddOption(*unit, 6, "HR"));
        combs.push_back(AddOption(*unit, 3, "NET"));
        for (const auto& p : options) {
            if (p->GetName() == "KIT") p->SetIsKit(true), p->Update();
        }
        auto pExcludes = New<Cls_ChOptExcludes>();
        pExcludes->SetChOption(OptionRecord("X1"));
        pExcludes->SetChOption2(OptionRecord("X2"));
        excludes = Inserted(std::move(pExcludes));
        ReloadOptions();
        session.v_OptionsExcluded = RecordsAs<Cls_ChOptExcludes>(CTDbObject::GetAllRecords(Cls_ChOptExcludes::kClassID, false));
        session.v_Controllers = RecordsAs<Cls_ChController>(CTDbObject::GetAllRecords(Cls_ChController::kClassID, false));
        auto pLimits = New<Cls_ChLimits>();
        session.v_Limits = Inserted(std::move(pLimits));
        request.Temperatures = Criteria();
        ASSERT_EQ(Compute(), 0);
        grid.SetupWindow(true, 1, &session.v_OptionCodes);
        grid.PutHeaders(0, 4, 0.0, "STD", true, true, 0.0, 0.0, false);
        grid.AddChiller(unit, 1);
        grid.SetCurrentPosition(0);
        frame.SetupWindow(&session.v_Options, 0, 5.0, 45.0, {}, [this](Cls_ChOption& o) { choice->SelectHROption(o); },
                          [this](Cls_ChOption& o, bool b) { choice->OptionChanged(o, b); }, [] {}, [] {});
        choice = std::make_unique<TOptionChoice>(session, frame, grid, [this] { return request; });
        choice->ShowCurrentUnit();
    }
    void TearDown() override {
        choice.reset();
        session.v_OptionsExcluded.clear();
        session.v_Controllers.clear();
        session.v_Limits.reset();
        excludes.reset(), curve.reset();
        combs.clear();
        TU_Form::CleanupUnits();
        BasketFixture::TearDown();
    }
    const Cls_ChOption* OptionRecord(const std::string& szName) const {
        for (const auto& p : options) {
            if (p->GetName() == szName) return p.get();
        }
        return nullptr;
    }
    std::int32_t Compute() {
        return unit->IsCandidateChiller(1, true, request.Temperatures, session.v_Controllers, nullptr, 0.0,
                                        Cls_ChOutdoorUnit::GetInitSoundDistances(), nullptr, nullptr, nullptr, nullptr,
                                        0.0, 0.0, kUnboundedCapacity, 0.0, 0.0, kUnboundedCapacity);
    }
    void MarkFigures() {
        TChillerData d = unit->GetChillerData(1);
        d.CoolData.Cap = kSentinel;
        unit->SetChillerData(1, d);
    }
    bool Recomputed() const { return unit->GetChillerData(1).CoolData.Cap != kSentinel; }
    int Line(const std::vector<TFrm_ChOptions::TLine>& lines, const std::string& szName) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].Option->GetName() == szName) return static_cast<int>(i);
        }
        return -1;
    }
    const TFrm_ChOptions::TLine& OptionLine(const std::string& szName) const {
        return frame.Options().at(static_cast<std::size_t>(Line(frame.Options(), szName)));
    }

    Cls_ChOutdoorUnit* unit = nullptr;
    CTRecordList<Cls_ChOptAllowed> combs;
    std::unique_ptr<Cls_ChPumpData> curve;
    std::unique_ptr<Cls_ChOptExcludes> excludes;
    TSelectionRequest request;
    TFrm_ChResultGrid grid;
    TFrm_ChOptions frame;
    std::unique_ptr<TOptionChoice> choice;
};

TEST_F(OptionChoiceTest, TheListsSortStandardOptionsAndKitsAndKeepAStandardPumpSwitchable) {
    EXPECT_TRUE(frame.StandardSpecs().empty());  // the only standard option is a pump of a unit without option codes
    ASSERT_EQ(frame.Kits().size(), 1U);
    EXPECT_EQ(frame.Kits()[0].Option->GetName(), "KIT");
    ASSERT_EQ(frame.Options().size(), 8U);
    for (std::size_t i = 1; i < frame.Options().size(); ++i) {
        EXPECT_LE(frame.Options()[i - 1].Text, frame.Options()[i].Text);
    }
    EXPECT_TRUE(OptionLine("P1").Ticked);
    EXPECT_FALSE(OptionLine("P1").Enabled);  // the chosen pump is not unticked directly
    EXPECT_FALSE(OptionLine("FIXED").Enabled);
    EXPECT_TRUE(OptionLine("LN").Enabled);
    EXPECT_TRUE(frame.AddEnabled());
    frame.ClearOptions();
    EXPECT_TRUE(frame.Options().empty());
    EXPECT_FALSE(frame.AddEnabled());
}

TEST_F(OptionChoiceTest, AKitNeverRecomputesALowNoiseTickDoes) {
    MarkFigures();
    frame.TickKit(0, true);
    EXPECT_FALSE(Recomputed());
    EXPECT_TRUE(Selected(*unit, 1, "KIT"));
    frame.TickOption(Line(frame.Options(), "LN"), true);
    EXPECT_TRUE(Recomputed());
    EXPECT_TRUE(Selected(*unit, 1, "LN"));
    EXPECT_TRUE(OptionLine("LN").Ticked);
}

TEST_F(OptionChoiceTest, AConflictingOptionIsUntickedWithMessage221AndNothingRecomputed) {
    frame.TickOption(Line(frame.Options(), "X1"), true);
    ASSERT_TRUE(Selected(*unit, 1, "X1"));
    MarkFigures();
    frame.TickOption(Line(frame.Options(), "X2"), true);
    EXPECT_EQ(dialog.numbers, std::vector<int>{221});
    EXPECT_FALSE(Selected(*unit, 1, "X2"));
    EXPECT_FALSE(OptionLine("X2").Ticked);
    EXPECT_FALSE(Recomputed());
}

TEST_F(OptionChoiceTest, ASecondPumpReplacesTheFirstWhenItsPressureIsAccepted) {
    dialog.yes = true;
    frame.TickOption(Line(frame.Options(), "P2"), true);
    EXPECT_EQ(dialog.questions, std::vector<int>{269});
    EXPECT_TRUE(Selected(*unit, 1, "P2"));
    EXPECT_FALSE(Selected(*unit, 1, "P1"));
    EXPECT_TRUE(OptionLine("P2").Ticked);
    EXPECT_FALSE(OptionLine("P2").Enabled);
    EXPECT_FALSE(OptionLine("P1").Ticked);
    EXPECT_TRUE(OptionLine("P1").Enabled);
}

TEST_F(OptionChoiceTest, APumpWhosePressureIsDeclinedIsLeftOutOfTheFigures) {
    dialog.yes = false;
    frame.TickOption(Line(frame.Options(), "P2"), true);
    EXPECT_EQ(dialog.questions, std::vector<int>{269});
    EXPECT_FALSE(Selected(*unit, 1, "P2"));
    EXPECT_FALSE(OptionLine("P2").Ticked);
    EXPECT_TRUE(Selected(*unit, 1, "P1")) << "the chosen pump stays chosen";
    EXPECT_TRUE(OptionLine("P1").Ticked);
}

TEST_F(OptionChoiceTest, ARefusedRecoveryTickIsRevertedWithItsFiguresAndATemperatureChangeRecomputes) {
    const int nLine = Line(frame.Options(), "HR");
    frame.TickOption(nLine, true);
    EXPECT_TRUE(frame.RecoveryShown());
    // No recovery rows: the limits record's condenser temperatures.
    EXPECT_EQ(frame.Recovery().Leaving().Min(), 10 * session.v_Limits->GetMinCondenserTemp());  // tenths of a degree
    EXPECT_EQ(frame.Recovery().Leaving().Max(), 10 * session.v_Limits->GetMaxCondenserTemp());
    // The option has no pressure-drop curve: the recomputation refuses it (231), the tick goes
    // back, and the figures are those of the unit without it again.
    EXPECT_EQ(dialog.numbers, std::vector<int>{231});
    EXPECT_FALSE(Selected(*unit, 1, "HR"));
    EXPECT_FALSE(OptionLine("HR").Ticked);
    EXPECT_EQ(unit->GetChillerData(1).HRData.HR, 0.0);
    EXPECT_EQ(unit->GetChillerData(1).HRCondenser.PD, 0.0);
    MarkFigures();
    frame.ClickOption(nLine);
    frame.EnterRecovery(TEntryRow::Leaving, "50");
    EXPECT_TRUE(Recomputed());
}

TEST_F(OptionChoiceTest, OnThePlantAPumpKeepsTheFiguresAndALowNoiseTickRecomputes) {
    TPlantBuilder plant(session);
    ASSERT_TRUE(plant.AddToPlant(*unit, TPanelRequirement{0.0, 0.0, true}));
    TFrm_ChOptions plantFrame;
    TOptionChoice plantChoice(session, plantFrame, plant, [this] { return request; });
    plantFrame.SetupWindow(&session.v_Options, 0, 5.0, 45.0, {}, {},
                           [&](Cls_ChOption& o, bool b) { plantChoice.OptionChanged(o, b); }, {}, [] {});
    EXPECT_FALSE(plantFrame.AddToPlantShown());
    EXPECT_TRUE(plantFrame.AddToBasketShown());
    plantChoice.ShowCurrentUnit();
    const std::int32_t nSeqNr = plant.Plant()->GetSeqNr();
    TChillerData d = unit->GetChillerData(nSeqNr);
    d.CoolData.Cap = kSentinel;
    unit->SetChillerData(nSeqNr, d);
    const auto lineOf = [&](const std::string& szName) {
        for (std::size_t i = 0; i < plantFrame.Options().size(); ++i) {
            if (plantFrame.Options()[i].Option->GetName() == szName) return static_cast<int>(i);
        }
        return -1;
    };
    plantFrame.TickOption(lineOf("P2"), true);
    EXPECT_TRUE(dialog.questions.empty());
    EXPECT_EQ(unit->GetChillerData(nSeqNr).CoolData.Cap, kSentinel);
    EXPECT_TRUE(Selected(*unit, nSeqNr, "P2"));
    EXPECT_FALSE(Selected(*unit, nSeqNr, "P1"));
    EXPECT_TRUE(plantFrame.Options()[static_cast<std::size_t>(lineOf("P2"))].Ticked);
    EXPECT_TRUE(Selected(*unit, 1, "P1")) << "the result's own data set keeps its pump";
    plantFrame.TickOption(lineOf("LN"), true);
    EXPECT_NE(unit->GetChillerData(nSeqNr).CoolData.Cap, kSentinel);
    EXPECT_EQ(plant.Grid().UnitCount(), 1);
    EXPECT_EQ(plant.Grid().GetCurrentPosition(), 0);
}

TEST_F(OptionChoiceTest, OptionCodesRevert209And210WithFiguresOfTheTicks) {
    Cls_ChOutdoorUnit* coded = AddUnit("OC 200");
    combs.push_back(AddOption(*coded, 2, "LN2"));
    combs.push_back(AddOption(*coded, 7, "TANK"));
    coded->SetHasOptionCodes(true);
    coded->Update();
    ReloadOptions();
    // One position over both options: only "neither" has a character.
    auto pCode = New<Cls_ChOptionCode>();
    pCode->SetOpt1Ref(OptionRecord("LN2")->GetID());
    pCode->SetOpt2Ref(OptionRecord("TANK")->GetID());
    pCode->SetDigitCode(1);
    const auto code = Inserted(std::move(pCode));
    auto pRow = New<Cls_ChOptionCodeCombination>();
    pRow->SetCombination(0);
    pRow->SetCharCode("0");
    pRow->SetChOptionCode(code.get());
    const auto row = Inserted(std::move(pRow));
    session.v_OptionCodes = RecordsAs<Cls_ChOptionCode>(CTDbObject::GetAllRecords(Cls_ChOptionCode::kClassID, false));
    ASSERT_EQ(coded->IsCandidateChiller(1, true, request.Temperatures, session.v_Controllers, nullptr, 0.0,
                                        Cls_ChOutdoorUnit::GetInitSoundDistances(), nullptr, nullptr, nullptr, nullptr,
                                        0.0, 0.0, kUnboundedCapacity, 0.0, 0.0, kUnboundedCapacity),
              0);
    const double dCap = coded->GetChillerData(1).CoolData.Cap;
    grid.EmptyGrid();
    grid.AddChiller(coded, 1);
    grid.SetCurrentPosition(0);
    choice->ShowCurrentUnit();
    EXPECT_EQ(frame.OptionCode().substr(0, 1), "0");

    TChillerData d = coded->GetChillerData(1);
    d.CoolData.Cap = kSentinel;
    coded->SetChillerData(1, d);
    frame.TickOption(Line(frame.Options(), "LN2"), true);
    EXPECT_EQ(dialog.numbers, std::vector<int>{210});
    EXPECT_FALSE(Selected(*coded, 1, "LN2"));
    EXPECT_FALSE(OptionLine("LN2").Ticked);
    EXPECT_EQ(coded->GetChillerData(1).CoolData.Cap, dCap) << "recomputed once more without the reverted tick";

    frame.TickOption(Line(frame.Options(), "TANK"), true);
    EXPECT_EQ(dialog.numbers, (std::vector<int>{210, 209}));
    EXPECT_FALSE(Selected(*coded, 1, "TANK"));
    EXPECT_FALSE(OptionLine("TANK").Ticked);
    EXPECT_EQ(frame.OptionCode().substr(0, 1), "0");
    session.v_OptionCodes.clear();
}

TEST_F(OptionChoiceTest, StepsByNameGoThroughTheFrameAndTellWhatWasNotTaken) {
    TWiredOptionFrame wired(session, grid, [this] { return request; }, [] {}, [] {});
    wired.ShowCurrentUnit();
    using K = TOptionStep::TKind;
    using R = TStepOutcome::TResult;
    EXPECT_EQ(wired.Apply({K::Tick, "ln"}).Result, R::Taken);
    EXPECT_TRUE(Selected(*unit, 1, "LN"));
    const TStepOutcome unknown = wired.Apply({K::Tick, "NOPE"});
    EXPECT_EQ(unknown.Result, R::Impossible);
    EXPECT_NE(unknown.Reason.find("LN"), std::string::npos) << "the options offered are named";
    EXPECT_EQ(wired.Apply({K::Untick, "P1"}).Result, R::Impossible) << "the chosen pump is replaced, not unticked";
    EXPECT_EQ(wired.Apply({K::Tick, "FIXED"}).Result, R::Impossible);
    EXPECT_EQ(wired.Apply({K::HRLeaving, "50"}).Result, R::Impossible) << "no recovery option worked on";

    EXPECT_EQ(wired.Apply({K::Tick, "X1"}).Result, R::Taken);
    EXPECT_EQ(wired.Apply({K::Tick, "X2"}).Result, R::Reverted);
    EXPECT_EQ(dialog.numbers, std::vector<int>{221});

    MarkFigures();
    EXPECT_EQ(wired.Apply({K::Kit, "KIT"}).Result, R::Taken);
    EXPECT_TRUE(Selected(*unit, 1, "KIT"));
    EXPECT_FALSE(Recomputed());

    dialog.yes = false;
    EXPECT_EQ(wired.Apply({K::Tick, "P2"}).Result, R::Reverted) << "269 answered no";
    EXPECT_TRUE(Selected(*unit, 1, "P1"));
    dialog.yes = true;
    EXPECT_EQ(wired.Apply({K::Tick, "P2"}).Result, R::Taken) << "269 answered yes";
    EXPECT_EQ(dialog.questions, (std::vector<int>{269, 269}));
    EXPECT_TRUE(Selected(*unit, 1, "P2"));
    EXPECT_FALSE(Selected(*unit, 1, "P1")) << "the second pump unticks the first";
    EXPECT_FALSE(wired.Frame().Options()[static_cast<std::size_t>(OptionLineNamed(wired.Frame().Options(), "P1"))].Ticked);
}

}  // namespace
}  // namespace brumalis
