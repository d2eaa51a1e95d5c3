#include <gtest/gtest.h>

#include "tests/catalogue/unit_builder.h"
#include "workflow/main_session.h"
#include "workflow/rejection_details.h"
#include "workflow/result_grid.h"
#include "workflow/selection_list.h"

namespace brumalis {
namespace {

class SelectionTest : public testing::UnitFixture {
protected:
    void TearDown() override {
        units.clear();
        compressors.clear();
        refrigerants.clear();
        UnitFixture::TearDown();
    }
    template <class T>
    std::int32_t AddNamed(CTRecordList<T>& list, const std::string& szName) {
        auto p = New<T>();
        p->SetName(szName);
        list.push_back(Inserted(std::move(p)));
        return list.back()->GetID();
    }
    Cls_ChOutdoorUnit* Unit(const std::string& szName, std::int32_t nCompressor, std::int32_t nRefrigerant,
                            double dScale = 1.0, const std::string& szSuffix = " ", std::int32_t nFamily = 4) {
        auto pUnit = NewUnit(nFamily, 0, dScale);
        pUnit->SetName(szName);
        pUnit->SetNameSuffix(szSuffix);
        for (const auto& p : compressors) {
            if (p->GetID() == nCompressor) pUnit->SetChCompressor(p.get());
        }
        for (const auto& p : refrigerants) {
            if (p->GetID() == nRefrigerant) pUnit->SetRefrigerant(p.get());
        }
        pUnit->Update();
        units.push_back(std::move(pUnit));
        return units.back().get();
    }
    std::vector<Cls_ChOutdoorUnit*> All() const {
        std::vector<Cls_ChOutdoorUnit*> all;
        for (const auto& p : units) all.push_back(p.get());
        return all;
    }

    CTRecordList<Cls_ChOutdoorUnit> units;
    CTRecordList<Cls_ChCompressor> compressors;
    CTRecordList<Cls_Refrigerant> refrigerants;
};

TEST_F(SelectionTest, AFamilyGetsAnAllRowFromThreeCompressorsAndRefrigerants) {
    const std::int32_t scroll = AddNamed(compressors, "Scroll");
    const std::int32_t r32 = AddNamed(refrigerants, "R32"), r410 = AddNamed(refrigerants, "R410A");
    Unit("A 1", scroll, r32);
    Unit("A 2", scroll, r410);          // 1 compressor + 2 refrigerants = 3
    Unit("H 1", scroll, r32, 1.0, " ", 2);  // heat pumps: 1 + 1, no "- - - - -" row
    TFrm_ChSelection list;
    int nCallbacks = 0;
    list.SetupWindow(nullptr, [&] { ++nCallbacks; });
    EXPECT_EQ(list.DisplaySelections(All(), compressors, refrigerants), 0);
    ASSERT_EQ(list.Rows().size(), 4U);
    EXPECT_EQ(list.Rows()[0].Compressor, TFrm_ChSelection::kAllRowText);
    EXPECT_EQ(list.Rows()[0].Units.size(), 2U);
    EXPECT_EQ(list.Rows()[1].Refrigerant, "R32");
    EXPECT_EQ(list.Rows()[2].Refrigerant, "R410A");
    EXPECT_EQ(list.Rows()[3].Family, 2);
    EXPECT_EQ(list.Rows()[3].Compressor, "Scroll");
    EXPECT_EQ(list.Rows()[3].FamilyCaption, "Heat pump");
    EXPECT_EQ(nCallbacks, 1);

    list.SetSelectionCriteria(0, 4, r410, scroll);
    EXPECT_EQ(list.SelectedRow(), 2);
    list.SetSelectionCriteria(0, 4, 0, 0);
    EXPECT_EQ(list.SelectedRow(), 0);
    list.SetSelectionCriteria(0, 2, 0, 0);  // no all-row for heat pumps: the last of the kind
    EXPECT_EQ(list.SelectedRow(), 3);
    list.SetSelectionCriteria(1, 4, 0, 0);
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(list.GetSelFamily(), 4);
    EXPECT_EQ(list.DisplaySelections({}, compressors, refrigerants), kMsgNoSelectableChillers);
}

TEST_F(SelectionTest, ApplicationSuffixesDecideWhichVariantsRun) {
    const std::int32_t scroll = AddNamed(compressors, "Scroll"), r32 = AddNamed(refrigerants, "R32");
    Unit("S", scroll, r32, 1.0, " ");
    Unit("XL", scroll, r32, 1.0, "EXL");
    Unit("Odd", scroll, r32, 1.0, "EXQ");
    TFrm_ChApplicationOptions options;
    options.SetupWindow(false);
    TRepApplOptions stored;
    stored.SoundL = false;
    options.SetOptionSettings(stored);
    options.ShowOptions(All());
    EXPECT_TRUE(options.Box(TFrm_ChApplicationOptions::bxVersionS).Checked);
    EXPECT_TRUE(options.Box(TFrm_ChApplicationOptions::bxVersionX).Enabled);
    EXPECT_FALSE(options.Box(TFrm_ChApplicationOptions::bxSoundL).Checked);  // from the stored options
    EXPECT_TRUE(options.Box(TFrm_ChApplicationOptions::bxVersionA).Enabled);  // "Q" is no sound level
    EXPECT_FALSE(options.Box(TFrm_ChApplicationOptions::bxVersionP).Enabled);
    EXPECT_TRUE(options.OptionAllowed(""));
    EXPECT_FALSE(options.OptionAllowed("EXL"));
    EXPECT_TRUE(options.OptionAllowed("EXQ"));
    EXPECT_TRUE(options.OptionAllowed("TOO LONG"));
    options.SetBox(TFrm_ChApplicationOptions::bxVersionS, false);
    EXPECT_FALSE(options.OptionAllowed(""));
    EXPECT_FALSE(options.SetBox(TFrm_ChApplicationOptions::bxVersionP, true));  // disabled

    TFrm_ChApplicationOptions fixedStd;
    fixedStd.SetupWindow(true);
    fixedStd.ShowOptions(All());
    EXPECT_TRUE(fixedStd.Box(TFrm_ChApplicationOptions::bxVersionS).Checked);
    EXPECT_FALSE(fixedStd.Box(TFrm_ChApplicationOptions::bxVersionS).Enabled);
}

class SelectionRun : public SelectionTest {
protected:
    TSelectionRequest Request(double dReqCool) {
        TSelectionRequest request;
        request.Units = All();
        request.Temperatures = Criteria();
        request.ReqCool = dReqCool;
        request.MaxSolutions = 20;
        return request;
    }
    TMainSession session;

    void SetUp() override {
        SelectionTest::SetUp();
        // The session holds its own controller objects, as the program's does.
        session.v_Controllers =
            RecordsAs<Cls_ChController>(CTDbObject::GetAllRecords(Cls_ChController::kClassID, false, factory.get()));
    }
    void TearDown() override {
        session.v_Controllers.clear();
        SelectionTest::TearDown();
    }
};

TEST_F(SelectionRun, TwentyFiveCandidatesAreCutToTheBestTwentyInSignedDeviationOrder) {
    // Units of 95 kW × scale at the criteria: scale 0.85 .. 1.33 against 100 kW.
    for (int i = 0; i < 25; ++i) Unit("U" + std::to_string(i), 0, 0, 0.85 + 0.02 * i);
    const int nBest = session.RunSelection(Request(100.0));
    ASSERT_EQ(session.v_Candidates.size() + session.v_NonSelected.size(), 25U);
    EXPECT_EQ(session.v_Candidates.size(), 25U - session.v_NonSelected.size());
    ASSERT_EQ(session.v_Results.size(), 20U);
    double dPrevious = -1000.0, dSmallest = 1000.0;
    for (Cls_ChOutdoorUnit* pUnit : session.v_Results) {
        const double d = pUnit->GetChillerData(1).CoolData.Deviation;
        EXPECT_GE(d, dPrevious);
        dPrevious = d;
        dSmallest = std::min(dSmallest, std::fabs(d));
    }
    ASSERT_GE(nBest, 0);
    EXPECT_DOUBLE_EQ(std::fabs(session.v_Results[static_cast<std::size_t>(nBest)]->GetChillerData(1).CoolData.Deviation),
                     dSmallest);
    // The five dropped candidates deviate most.
    for (Cls_ChOutdoorUnit* pUnit : session.v_Candidates) {
        const bool bShown = std::find(session.v_Results.begin(), session.v_Results.end(), pUnit) != session.v_Results.end();
        if (!bShown) {
            EXPECT_GT(std::fabs(pUnit->GetChillerData(1).CoolData.Deviation), dSmallest);
        }
    }
}

TEST_F(SelectionRun, UntickedVariantsAreNeitherCandidatesNorRejected) {
    Unit("Std", 0, 0);
    Unit("Quiet", 0, 0, 1.0, "ESL");
    Unit("Small", 0, 0, 0.5);
    TSelectionRequest request = Request(100.0);
    request.Allowed = [](std::string_view suffix) { return suffix.empty(); };
    EXPECT_EQ(session.RunSelection(request), 0);
    EXPECT_EQ(session.v_Candidates.size(), 1U);
    ASSERT_EQ(session.v_NonSelected.size(), 1U);
    EXPECT_EQ(session.v_NonSelected.front()->GetName(), "Small");
    EXPECT_EQ(session.v_NonSelected.front()->GetChillerData(1).ErrCode, 214);
    EXPECT_DOUBLE_EQ(session.v_CoolBand.Min, 80.0);
    EXPECT_DOUBLE_EQ(session.v_CoolBand.Max, 120.0);

    request.ReqCool = 0.0;
    EXPECT_EQ(session.RunNumber(), 1U);
    session.RunSelection(request);
    EXPECT_EQ(session.RunNumber(), 2U);
    EXPECT_EQ(session.v_CoolBand.Max, kUnboundedCapacity);
    EXPECT_EQ(session.v_Candidates.size(), 2U);
}

TEST_F(SelectionRun, RejectionDetailsShowTheValueAgainstItsRange) {
    Unit("Small", 0, 0, 0.5);
    Unit("Narrow", 0, 0);
    units.back()->SetMaxDTE(4.0);
    session.RunSelection(Request(100.0));
    ASSERT_EQ(session.v_NonSelected.size(), 2U);
    const TRejectionDetails small =
        RejectionDetailsOf(*session.v_NonSelected[0], 1, session, -0.25, 0.1, -0.2, 0.2);
    EXPECT_EQ(small.Code, 214);
    EXPECT_EQ(small.Message, "Capacity is outside -25% to 10% of the required cooling capacity.");
    ASSERT_TRUE(small.Extra.has_value());
    EXPECT_EQ(small.Extra->Title, "Cooling capacity");
    EXPECT_EQ(small.Extra->Available, "47.5 kW");
    EXPECT_EQ(small.Extra->Minimum, "80.0 kW");
    const TRejectionDetails narrow = RejectionDetailsOf(*session.v_NonSelected[1], 1, session, -0.2, 0.2, -0.2, 0.2);
    EXPECT_EQ(narrow.Code, 217);
    ASSERT_TRUE(narrow.Extra.has_value());
    EXPECT_EQ(narrow.Extra->Title, "Delta temperature");
    EXPECT_EQ(narrow.Extra->Maximum, "4.0 \u00B0C");

    TChillerData d = session.v_NonSelected[1]->GetChillerData(1);
    d.ErrCode = 233;
    session.v_NonSelected[1]->SetChillerData(1, d);
    EXPECT_FALSE(RejectionDetailsOf(*session.v_NonSelected[1], 1, session, -0.2, 0.2, -0.2, 0.2).Extra.has_value());
}

TEST_F(SelectionRun, GridRowsFollowTheRequirementAndSortByClickedRows) {
    for (double dScale : {0.9, 1.0, 1.1}) Unit("U" + std::to_string(dScale), 0, 0, dScale);
    session.RunSelection(Request(100.0));
    TFrm_ChResultGrid grid;
    grid.SetupWindow(true, 1, &session.v_OptionCodes);
    grid.PutHeaders(0, 4, 0.0, "STD", true, true, 0.0, 100.0, false);
    for (Cls_ChOutdoorUnit* pUnit : session.v_Results) grid.AddChiller(pUnit, 1);
    grid.SetCurrentPosition(0);
    int nDeviationRow = -1, nEERRow = -1, nRequiredRow = -1;
    for (int r = 0; r < grid.RowCount(); ++r) {
        if (grid.Row(r).kind == TFrm_ChResultGrid::rkCoolDeviation) nDeviationRow = r;
        if (grid.Row(r).kind == TFrm_ChResultGrid::rkEER) nEERRow = r;
        if (grid.Row(r).kind == TFrm_ChResultGrid::rkCoolRequired) nRequiredRow = r;
    }
    ASSERT_GE(nDeviationRow, 0);
    ASSERT_GE(nRequiredRow, 0);
    EXPECT_EQ(grid.SortMarker(nDeviationRow), ">");
    EXPECT_EQ(grid.SortMarker(nEERRow), "*");
    EXPECT_EQ(grid.CellText(0, 0), "   1");
    EXPECT_EQ(grid.CellText(0, nDeviationRow), "-14.5%");

    // The run's order is no click: the first click on its key keeps ascending.
    ASSERT_TRUE(grid.ClickRowTitle(nDeviationRow));
    EXPECT_EQ(grid.SortMarker(nDeviationRow), ">");
    EXPECT_EQ(grid.CellText(0, nDeviationRow), "-14.5%");
    ASSERT_TRUE(grid.ClickRowTitle(nDeviationRow));  // the same key again: descending
    EXPECT_EQ(grid.SortMarker(nDeviationRow), "<");
    EXPECT_EQ(grid.CellText(0, nDeviationRow), "4.5%");
    EXPECT_EQ(grid.GetCurrentPosition(), 2);  // the current unit stays current
    ASSERT_TRUE(grid.ClickRowTitle(nEERRow));
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ(grid.GetSortTag(), 4);
    EXPECT_FALSE(grid.ClickRowTitle(nRequiredRow));

    // New headers are a new run's, in its own order again.
    grid.PutHeaders(0, 4, 0.0, "STD", true, true, 0.0, 100.0, false);
    EXPECT_EQ(grid.GetSortTag(), 2);
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ(grid.SortMarker(nDeviationRow), ">");
    EXPECT_EQ(grid.SortMarker(nEERRow), "*");

    // Without a cooling requirement there is no required-capacity row.
    grid.PutHeaders(0, 4, 0.0, "STD", true, true, 0.0, 0.0, false);
    for (int r = 0; r < grid.RowCount(); ++r) {
        EXPECT_NE(grid.Row(r).kind, TFrm_ChResultGrid::rkCoolRequired);
        EXPECT_NE(grid.Row(r).kind, TFrm_ChResultGrid::rkCoolDeviation);
    }
}


TEST_F(SelectionRun, PriceIndicationIsRelativeToTheCurrentUnit) {
    for (double dScale : {0.9, 1.0, 1.1}) Unit("U" + std::to_string(dScale), 0, 0, dScale);
    session.RunSelection(Request(100.0));
    ASSERT_EQ(session.v_Results.size(), 3U);
    const double prices[] = {1000.0, 1250.0, 0.0};
    for (std::size_t i = 0; i < 3; ++i) session.v_Results[i]->DataSet(1).v_Price = prices[i];
    int nEntered = 0;
    TFrm_ChResultGrid grid;
    grid.SetupWindow(true, 1, &session.v_OptionCodes, {}, {}, [&nEntered] { ++nEntered; });
    grid.PutHeaders(0, 4, 0.0, "STD", true, true, 0.0, 100.0, true);
    const int nPriceRow = grid.PriceRow();
    ASSERT_GE(nPriceRow, 0);
    for (Cls_ChOutdoorUnit* pUnit : session.v_Results) grid.AddChiller(pUnit, 1);
    // Nothing current yet: nothing to compare with.
    EXPECT_FALSE(grid.UpdatePriceIndication());
    EXPECT_EQ(grid.CellText(0, nPriceRow), "");

    grid.SetCurrentPosition(1);
    EXPECT_EQ(grid.CellText(0, nPriceRow), "80");
    EXPECT_EQ(grid.CellText(1, nPriceRow), "100");
    EXPECT_EQ(grid.CellText(2, nPriceRow), "");  // no price is not a price of 0
    grid.SetCurrentPosition(0);
    EXPECT_EQ(grid.CellText(1, nPriceRow), "125");
    // A current unit without a price leaves every cell empty.
    grid.SetCurrentPosition(2);
    EXPECT_EQ(grid.CellText(0, nPriceRow), "");
    EXPECT_EQ(grid.CellText(2, nPriceRow), "");
    // Prices changed under the grid: shown only once asked for.
    session.v_Results[2]->DataSet(1).v_Price = 500.0;
    EXPECT_EQ(grid.CellText(0, nPriceRow), "");
    EXPECT_TRUE(grid.UpdatePriceIndication());
    EXPECT_EQ(grid.CellText(0, nPriceRow), "200");
    // Sorting keeps the reference, whatever column it moved to.
    grid.ClickRowTitle(nPriceRow);
    EXPECT_EQ(grid.CellText(grid.GetCurrentPosition(), nPriceRow), "100");
    grid.EmptyGrid();
    EXPECT_FALSE(grid.UpdatePriceIndication());

    grid.ControlEntered();
    EXPECT_EQ(nEntered, 1);
    // Without a price file there is no price row to fill.
    grid.PutHeaders(0, 4, 0.0, "STD", true, true, 0.0, 100.0, false);
    grid.AddChiller(session.v_Results[0], 1);
    grid.SetCurrentPosition(0);
    EXPECT_EQ(grid.PriceRow(), -1);
    EXPECT_FALSE(grid.UpdatePriceIndication());
}

}  // namespace
}  // namespace brumalis
