#include <gtest/gtest.h>

#include "catalogue/polynomial_records.h"
#include "catalogue/units.h"
#include "tests/workflow/basket_fixture.h"
#include "workflow/basket_page.h"
#include "workflow/plant_builder.h"

namespace brumalis {
namespace {

class BasketPageTest : public testing::BasketFixture {
protected:
    void SetUp() override {
        BasketFixture::SetUp();
        TU_Form::InitializeUnits();
        a = AddUnit("AC 100");
        b = AddUnit("AC 200", 2.0);
        for (Cls_ChOutdoorUnit* p : {a, b}) {
            p->SetSeries("AC");
            p->Update();
            combs.push_back(AddOption(*p, 3, "NET " + p->GetName()));
            p->SetChillerData(1, Result(p == a ? 100.0 : 200.0));
        }
        ReloadOptions();
        page = std::make_unique<TBasketPage>(session);
        page->SetEditCallbacks(
            [this](Cls_ChOutdoorUnit& unit, const TSelTempData& criteria, double dCool, double dHeat, bool bCaps) {
                settings.push_back({&unit, criteria, dCool, dHeat, bCaps});
            },
            [this](Cls_ChOutdoorUnit& unit, double, double, bool) { results.push_back(&unit); });
    }
    void TearDown() override {
        page.reset();
        session.ClearWork();
        combs.clear();
        TU_Form::CleanupUnits();
        BasketFixture::TearDown();
    }
    // One more unit of the plant's kind, with its own result at data set 1.
    Cls_ChOutdoorUnit* Like(Cls_ChOutdoorUnit& unit, const std::string& szName) {
        Cls_ChOutdoorUnit* p = AddUnit(szName);
        p->SetSeries(unit.GetSeries());
        p->Update();
        combs.push_back(AddOption(*p, 3, "NET " + szName));
        p->SetChillerData(1, Result(150.0));
        ReloadOptions();
        return p;
    }
    int Row(TFrm_ChResultGrid::TRowKind kind) const {
        for (int r = 0; r < plant->Grid().RowCount(); ++r) {
            if (plant->Grid().Row(r).kind == kind) return r;
        }
        return -1;
    }
    struct TSettingsCall {
        Cls_ChOutdoorUnit* unit;
        TSelTempData criteria;
        double cool, heat;
        bool withCapacities;
    };

    TSolutionBasket& basket = session.Basket();
    TPlantBuilder* plant = &session.Plant();
    std::unique_ptr<TBasketPage> page;
    Cls_ChOutdoorUnit *a = nullptr, *b = nullptr;
    CTRecordList<Cls_ChOptAllowed> combs;
    std::vector<TSettingsCall> settings;
    std::vector<Cls_ChOutdoorUnit*> results;
    const TPanelRequirement panel{300.0, 0.0, true};
};

TEST_F(BasketPageTest, PlantRefusalsComeInOrderAndLeaveThePlantAsItWas) {
    Cls_ChOutdoorUnit* plain = AddUnit("NO NET");
    plain->SetChillerData(1, Result(100.0));
    EXPECT_FALSE(plant->AddToPlant(*plain, panel));
    EXPECT_NE(dialog.shown.back().find("has no network option"), std::string::npos);
    EXPECT_FALSE(plant->PageAvailable());

    ASSERT_TRUE(plant->AddToPlant(*a, panel));
    EXPECT_FALSE(plant->AddCapacityEnabled());
    EXPECT_EQ(dialog.informed.back(), "Chiller has been added to plant.");
    Cls_ChOutdoorUnit* other = Like(*a, "OTHER");
    struct TCase {
        std::function<void()> spoil;
        const char* what;
    };
    const TCase cases[] = {
        {[&] { other->SetSeries("BX"); }, "The series of the selected chiller"},
        {[&] { other->SetSeries("ac"), other->SetCondenserType(1); }, "The condenser of the selected chiller"},
        {[&] { other->SetCondenserType(0), other->SetFamily(2); }, "The family of the selected chiller"},
        {[&] {
             other->SetFamily(4);
             TChillerData d = other->GetChillerData(1);
             d.TempSelData.CoolLeavingE = 6.0;
             other->SetChillerData(1, d);
         },
         "The selection criteria of the selected chiller"},
    };
    for (const TCase& c : cases) {
        c.spoil();
        dialog.shown.clear();
        EXPECT_FALSE(plant->AddToPlant(*other, panel)) << c.what;
        ASSERT_EQ(dialog.shown.size(), 1U);
        EXPECT_EQ(dialog.shown[0].rfind(c.what, 0), 0U) << dialog.shown[0];
        EXPECT_TRUE(plant->AddCapacityEnabled()) << "enabled before the tests";
        EXPECT_EQ(plant->Plant()->UnitCount(), 1);
        EXPECT_EQ(plant->Grid().UnitCount(), 1);
        EXPECT_FALSE(plant->Grid().HasTotalColumn());
    }
    other->SetChillerData(1, Result(150.0));  // criteria equal again; the series differs only in case
    EXPECT_TRUE(plant->AddToPlant(*other, panel));
}

TEST_F(BasketPageTest, TwoIdenticalUnitsTakeConsecutiveNumbersAndTheTotalColumnTakesTheRequirement) {
    ASSERT_TRUE(plant->AddToPlant(*a, panel));
    ASSERT_TRUE(plant->AddToPlant(*a, panel));
    const TSolution& p = *plant->Plant();
    EXPECT_EQ(p.GetSeqNr(), TMainSession::kPlantSeqNrBase);
    EXPECT_EQ(p.GetChillers(), (std::vector<Cls_ChOutdoorUnit*>{a, a}));
    EXPECT_TRUE(plant->AddButtonsEnabled());
    const TFrm_ChResultGrid& grid = plant->Grid();
    ASSERT_EQ(grid.UnitCount(), 2);
    EXPECT_EQ(grid.Column(0).SeqNr, 40000);
    EXPECT_EQ(grid.Column(1).SeqNr, 40001);
    EXPECT_EQ(grid.GetCurrentPosition(), 1);
    ASSERT_TRUE(grid.HasTotalColumn());
    EXPECT_EQ(grid.ColumnTitle(2), "Solution");
    EXPECT_TRUE(Selected(*a, 40001, "NET AC 100"));  // the network option counts as calculated
    const int nRequired = Row(TFrm_ChResultGrid::rkCoolRequired), nDeviation = Row(TFrm_ChResultGrid::rkCoolDeviation);
    ASSERT_GE(nRequired, 0);
    EXPECT_EQ(grid.CellText(0, nRequired), "");
    EXPECT_EQ(grid.CellText(1, nDeviation), "");
    EXPECT_EQ(grid.CellText(2, nRequired), TU_Form::PutDimensionedText(U_Power, true, 300.0));
    EXPECT_EQ(grid.CellText(2, nDeviation), "-33.3%");
    EXPECT_EQ(grid.CellText(2, Row(TFrm_ChResultGrid::rkCoolCapacity)), TU_Form::PutDimensionedText(U_Power, true, 200.0));
    EXPECT_EQ(grid.CellText(2, Row(TFrm_ChResultGrid::rkESEER)), "");
    EXPECT_EQ(grid.CellText(2, Row(TFrm_ChResultGrid::rkSoundPower)), "85.4 dBA");
    EXPECT_EQ(grid.CellText(2, Row(TFrm_ChResultGrid::rkEvapFlow)), "");
}

TEST_F(BasketPageTest, AddCapacityRefusesAnEntryThatIsNoPositiveNumber) {
    ASSERT_TRUE(plant->AddToPlant(*a, panel));
    ASSERT_TRUE(plant->AddToPlant(*a, panel));
    for (const char* entry : {"", "abc", "0", "-50"}) {
        dialog.numbers.clear();
        plant->SetCapacityEntry(entry);
        EXPECT_FALSE(plant->AddCapacity(entry)) << entry;
        EXPECT_EQ(dialog.numbers, std::vector<int>{-8}) << entry;
        EXPECT_EQ(plant->Plant()->GetReqCoolCap(), 300.0);
        EXPECT_EQ(plant->CapacityEntry(), entry);
    }
    ASSERT_TRUE(plant->AddCapacity("250"));
    EXPECT_EQ(plant->Plant()->GetReqCoolCap(), 250.0);
    EXPECT_DOUBLE_EQ(plant->Plant()->GetDataSet().CoolData.Deviation, -20.0);
    EXPECT_EQ(plant->CapacityEntry(), "");
    EXPECT_EQ(plant->Grid().GetCurrentPosition(), 1);
}

TEST_F(BasketPageTest, ThePlantGoesIntoTheBasketAsOneSolutionAndThePlantIsGone) {
    ASSERT_TRUE(plant->AddToPlant(*a, panel));
    ASSERT_TRUE(plant->AddToPlant(*a, panel));
    ASSERT_TRUE(page->AddPlant());
    EXPECT_FALSE(plant->PageAvailable());
    EXPECT_EQ(plant->Grid().UnitCount(), 0);
    ASSERT_EQ(basket.Count(), 1);
    const TSolution& s = basket.At(0);
    EXPECT_EQ(s.GetSeqNr(), TMainSession::kBasketSeqNrBase);
    EXPECT_EQ(session.NextBasketSeqNr(), 5);  // two numbers taken
    EXPECT_DOUBLE_EQ(s.GetDataSet().CoolData.Cap, 200.0);
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwModel), "Plant");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwOptionCode), "");
    EXPECT_EQ(page->UnitOfColumn(1), nullptr);
    EXPECT_EQ(dialog.informed.back(), "Solution has been added to the basket.");
}

TEST_F(BasketPageTest, OneSolutionEnablesRemoveAndEditButNoMoveAndTheEndsDoNotMove) {
    EXPECT_FALSE(page->PageAvailable());
    ASSERT_TRUE(page->AddResult(*a, panel));
    EXPECT_TRUE(page->PageAvailable());
    EXPECT_EQ(basket.Selected(), 0);
    EXPECT_FALSE(basket.CanMoveLeft());
    EXPECT_FALSE(basket.CanMoveRight());
    EXPECT_TRUE(basket.CanRemove());
    EXPECT_TRUE(basket.CanEdit());
    ASSERT_TRUE(page->AddResult(*b, panel));
    page->SelectColumn(2);
    EXPECT_FALSE(page->MoveSelected(true));
    EXPECT_TRUE(page->MoveSelected(false));
    EXPECT_EQ(basket.Selected(), 0);  // the moved solution stays selected
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwModel), "AC 200");
    EXPECT_FALSE(page->MoveSelected(false));
    page->SelectColumn(0);  // the titles: nothing selected
    EXPECT_FALSE(basket.CanRemove());
    EXPECT_FALSE(page->RemoveSelected());
    page->SelectColumn(1);
    EXPECT_TRUE(page->RemoveSelected());
    EXPECT_EQ(basket.Selected(), 0);
    EXPECT_TRUE(page->RemoveSelected());
    EXPECT_FALSE(page->PageAvailable());
}

TEST_F(BasketPageTest, TheGridShowsADeviationAbove100PercentEmptyAndTheSeasonalRowByPreference) {
    TChillerData d = Result(250.0);
    a->SetChillerData(1, d);
    a->SetESEER(4.4), a->SetIPLV(5.1), a->Update();
    d.ESEER = 4.4, d.IPLV = 5.1;
    a->SetChillerData(1, d);
    ASSERT_TRUE(page->AddResult(*a, TPanelRequirement{100.0, 0.0, true}));
    EXPECT_DOUBLE_EQ(basket.At(0).GetDataSet().CoolData.Deviation, 150.0);
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwCoolDeviation), "");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwSolution), "   1");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwApplication), "STD");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwOptionCode), "<none>");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwSeasonal), "4.40");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwCertified), "No");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwEER100), "");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwSoundPressure3), "57.3 dBA");
    EXPECT_EQ(page->CellText(0, TBasketGrid::rwSeasonal), "   ESEER");
    EXPECT_EQ(page->CellText(0, TBasketGrid::rwSoundPressure2).rfind("   Sound pressure level @ 5 ", 0), 0U);
    page->PreferencesChanged(false);
    EXPECT_EQ(page->CellText(0, TBasketGrid::rwSeasonal), "   IPLV");
    EXPECT_EQ(page->CellText(1, TBasketGrid::rwSeasonal), "5.10");
    EXPECT_EQ(page->UnitOfColumn(1), a);
}

TEST_F(BasketPageTest, APumpThatCannotOvercomeThePressureDropIsRefused) {
    auto pPump = AddOption(*a, 4, "PUMP");
    ReloadOptions();
    Comb(*a, 1, "PUMP")->Selected = true;
    EXPECT_TRUE(page->AddResult(*a, panel)) << "a pump without a curve is not checked";
    auto pCurve = New<Cls_ChPumpData>();
    pCurve->SetA0(25.0);  // kPa, below the unit's 31.7
    pCurve->SetChOptAllowed(pPump.get());
    pCurve = Inserted(std::move(pCurve));
    EXPECT_FALSE(page->AddResult(*a, panel));
    EXPECT_EQ(dialog.numbers.back(), 242);
    EXPECT_NE(dialog.shown.back().find("\"AC 100\""), std::string::npos) << dialog.shown.back();
    EXPECT_EQ(basket.Count(), 1);
    pCurve->SetA0(40.0);
    pCurve->Update();
    EXPECT_TRUE(page->AddResult(*a, panel));
}

TEST_F(BasketPageTest, EditingAOneUnitSolutionReturnsItWithItsCapacities) {
    TChillerData d = Result(120.0);
    d.TempSelData.HRLeaving = 48.0;
    a->SetChillerData(1, d);
    ASSERT_TRUE(page->AddResult(*a, TPanelRequirement{110.0, 0.0, true}));
    a->SetChillerData(1, Result(90.0));  // another run since
    ASSERT_TRUE(page->EditSelected());
    EXPECT_TRUE(basket.Empty());
    EXPECT_DOUBLE_EQ(a->GetChillerData(1).CoolData.Cap, 120.0);
    ASSERT_EQ(settings.size(), 1U);
    EXPECT_EQ(settings[0].unit, a);
    EXPECT_DOUBLE_EQ(settings[0].criteria.HRLeaving, 48.0);
    EXPECT_DOUBLE_EQ(settings[0].cool, 110.0);
    EXPECT_TRUE(settings[0].withCapacities);
    EXPECT_EQ(results, std::vector<Cls_ChOutdoorUnit*>{a});
    EXPECT_EQ(session.v_Results, std::vector<Cls_ChOutdoorUnit*>{a});
}

TEST_F(BasketPageTest, EditingAPlantIsRefusedBesideAnActivePlantAndOtherwiseTakesFreshNumbers) {
    ASSERT_TRUE(plant->AddToPlant(*b, panel));
    ASSERT_TRUE(plant->AddToPlant(*b, panel));
    ASSERT_TRUE(plant->AddToPlant(*b, panel));
    ASSERT_TRUE(page->AddPlant());
    ASSERT_TRUE(plant->AddToPlant(*a, panel));  // a plant under construction
    page->SelectColumn(1);
    EXPECT_FALSE(page->EditSelected());
    EXPECT_EQ(dialog.shown.back(), "Cannot edit this plant definition, as there is an active plant definition.");
    EXPECT_EQ(basket.Count(), 1);
    EXPECT_EQ(plant->Plant()->GetChillers().front(), a);

    plant->RemovePlant();
    ASSERT_TRUE(page->EditSelected());
    EXPECT_TRUE(basket.Empty());
    const TSolution& p = *plant->Plant();
    EXPECT_EQ(p.GetSeqNr(), 40004);  // 40000..40002 and 40003 were used
    EXPECT_EQ(p.UnitCount(), 3);
    EXPECT_DOUBLE_EQ(p.GetDataSet().CoolData.Cap, 600.0);
    EXPECT_EQ(plant->Grid().GetCurrentPosition(), 0);  // the first unit, whose options the frame shows
    EXPECT_TRUE(plant->AddButtonsEnabled());
    ASSERT_EQ(settings.size(), 1U);
    EXPECT_FALSE(settings[0].withCapacities);
    ASSERT_TRUE(plant->AddToPlant(*b, panel));
    EXPECT_EQ(plant->Grid().Column(3).SeqNr, 40007);  // the counter advanced by the plant's unit count
    EXPECT_EQ(session.NextPlantSeqNr(), 40008);
}

TEST_F(BasketPageTest, TheSessionOwnsTheWorkAndEveryBasketChangeMarksTheProject) {
    EXPECT_EQ(&page->Basket(), &session.Basket());
    EXPECT_FALSE(session.v_ProjectModified);
    ASSERT_TRUE(page->AddResult(*a, panel));
    EXPECT_TRUE(session.v_ProjectModified);
    session.v_ProjectModified = false;
    ASSERT_TRUE(page->AddResult(*b, panel));
    page->SelectColumn(2);
    ASSERT_TRUE(page->MoveSelected(false));
    EXPECT_TRUE(session.v_ProjectModified);
    session.v_ProjectModified = false;
    ASSERT_TRUE(page->RemoveSelected());
    EXPECT_TRUE(session.v_ProjectModified);
    ASSERT_TRUE(plant->AddToPlant(*a, panel));
    session.v_ProjectModified = false;
    session.v_ProjectFileName = "kept.cpf";
    session.ClearWork();
    EXPECT_TRUE(basket.Empty());
    EXPECT_EQ(plant->Plant(), nullptr);
    EXPECT_EQ(a->GetChillerData(TMainSession::kBasketSeqNrBase).CoolData.Cap, 0.0) << "its data set went with it";
    EXPECT_EQ(session.v_ProjectFileName, "kept.cpf");
    EXPECT_FALSE(session.v_ProjectModified) << "clearing is no change of the user's";
}

TEST_F(BasketPageTest, TheGridReplacesSelectsByRecordAndDoubleClicksUnitColumnsOnly) {
    std::vector<Cls_ChOutdoorUnit*> shown, selected;
    TFrm_ChResultGrid grid;
    grid.SetupWindow(false, 1, &session.v_OptionCodes,
                     [&](Cls_ChOutdoorUnit* p, std::int32_t) { selected.push_back(p); },
                     [&](Cls_ChOutdoorUnit& u) { shown.push_back(&u); });
    grid.PutHeaders(0, 4, 0.0, "STD", true, true, 0.0, 300.0, false);
    EXPECT_FALSE(grid.ReplaceChiller(b)) << "no current column";
    grid.AddChiller(a, 1);
    grid.AddChiller(b, 1);
    grid.AddTotalColumn(a->GetChillerData(1));
    Cls_ChOutdoorUnit sameRecord(b->GetID());
    ASSERT_TRUE(grid.SetCurrentChiller(sameRecord));
    EXPECT_EQ(grid.GetCurrentPosition(), 1);
    EXPECT_EQ(selected, std::vector<Cls_ChOutdoorUnit*>{b});
    Cls_ChOutdoorUnit* other = AddUnit("AC 300");
    EXPECT_FALSE(grid.SetCurrentChiller(*other));
    EXPECT_EQ(grid.GetCurrentPosition(), 1);
    ASSERT_TRUE(grid.ReplaceChiller(a));
    EXPECT_EQ(grid.Column(1).unit, a);
    EXPECT_EQ(grid.Column(1).SeqNr, 1);
    EXPECT_TRUE(grid.DoubleClickColumn(0));
    EXPECT_FALSE(grid.DoubleClickColumn(2)) << "the total column names no unit";
    EXPECT_EQ(shown, std::vector<Cls_ChOutdoorUnit*>{a});
    const int nRows = grid.RowCount();
    grid.EmptyGrid(true);
    EXPECT_EQ(grid.UnitCount(), 0);
    EXPECT_FALSE(grid.HasTotalColumn());
    EXPECT_EQ(grid.RowCount(), nRows);
    grid.EmptyGrid(false);
    EXPECT_EQ(grid.RowCount(), 0);
}

}  // namespace
}  // namespace brumalis
