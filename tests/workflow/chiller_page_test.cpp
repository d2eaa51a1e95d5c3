#include <algorithm>
#include <set>

#include "catalogue/capacity_table.h"
#include "catalogue/unit_classes.h"
#include "shipped_workflow_fixture.h"
#include "workflow/chiller_page.h"

namespace brumalis::testing {
namespace {

class ChillersPage : public ShippedWorkflow {
protected:
    void SetUp() override {
        ShippedWorkflow::SetUp();
        session = &Started();
        chooser.SetupWindow({}, [this](Cls_ChOutdoorUnit* p) { displayed.push_back(p); });
        chooser.SetChillers(&session->v_PrefChillers);
    }
    void TearDown() override {
        sheet.reset();
        ShippedWorkflow::TearDown();
    }
    static int LineOf(const std::vector<TFrm_ChillerSelect::TItem>& items, std::int32_t nValue) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].Value == nValue) return static_cast<int>(i);
        }
        return -1;
    }
    static int ItemNamed(const TSheetComboItems& combo, const std::string& szPrefix) {
        for (std::size_t i = 0; i < combo.Items.size(); ++i) {
            if (combo.Items[i].Text.rfind(szPrefix, 0) == 0) return static_cast<int>(i);
        }
        return -1;
    }
    TChillerDataSheet& Sheet() {
        sheet = std::make_unique<TChillerDataSheet>(*session);
        return *sheet;
    }

    TMainSession* session = nullptr;
    TFrm_ChillerSelect chooser;
    std::vector<Cls_ChOutdoorUnit*> displayed;
    std::unique_ptr<TChillerDataSheet> sheet;
};

TEST_F(ChillersPage, TheChooserKeepsFiveFamiliesListsDistinctSeriesAndSelectsAUnitsLines) {
    ASSERT_EQ(chooser.Condensers().size(), 3U);
    EXPECT_EQ(chooser.Condensers()[2].Text, "Remote condenser");
    EXPECT_EQ(chooser.Families().size(), 5U) << "before any condenser";
    chooser.ChooseCondenser(ctAirCooled);
    EXPECT_EQ(chooser.Families().size(), 5U);
    EXPECT_TRUE(chooser.Series().empty()) << "no family chosen";
    chooser.ChooseFamily(LineOf(chooser.Families(), famCoolingOnly));
    const auto& series = chooser.Series();
    ASSERT_GT(series.size(), 1U);
    std::set<std::string> distinct;
    for (const auto& item : series) distinct.insert(item.Text);
    EXPECT_EQ(distinct.size(), series.size());
    EXPECT_TRUE(std::is_sorted(series.begin(), series.end(), [](const auto& a, const auto& b) { return a.Text < b.Text; }));
    EXPECT_TRUE(chooser.Chillers().empty());
    chooser.ChooseSeries(0);
    ASSERT_FALSE(chooser.Chillers().empty());
    for (const auto& item : chooser.Chillers()) {
        EXPECT_EQ(item.Unit->GetSeries(), series[0].Text);
        EXPECT_EQ(item.Unit->GetFamily(), famCoolingOnly);
        EXPECT_EQ(item.Unit->GetCondenserType(), ctAirCooled);
    }
    EXPECT_EQ(chooser.GetSelectedChiller(), nullptr);
    chooser.ChooseChiller(0);
    EXPECT_EQ(displayed.back(), chooser.Chillers()[0].Unit);
    EXPECT_TRUE(std::all_of(displayed.begin(), displayed.end() - 1, [](auto* p) { return p == nullptr; }))
        << "every change ends with the display callback, none before a unit is chosen";

    Cls_ChOutdoorUnit* water = nullptr;
    for (Cls_ChOutdoorUnit* p : session->v_PrefChillers) {
        if (p->GetCondenserType() == ctWaterCooled) water = p;
    }
    ASSERT_NE(water, nullptr);
    chooser.SelectChiller(*water);
    EXPECT_EQ(chooser.GetCondenser(), ctWaterCooled);
    EXPECT_EQ(chooser.GetFamily(), water->GetFamily());
    EXPECT_EQ(chooser.Series()[static_cast<std::size_t>(chooser.SeriesLine())].Text, water->GetSeries());
    EXPECT_EQ(chooser.GetSelectedChiller(), water);
    EXPECT_EQ(displayed.back(), water);
    chooser.ChooseCondenser(ctAirCooled);
    EXPECT_EQ(displayed.back(), nullptr);
}

TEST_F(ChillersPage, ALowNoiseOptionWithoutTablesShowsTheRegularOnesAndTheIdenticalLabel) {
    Cls_ChOutdoorUnit& unit = *Unit(*session, "ACB 350");
    TChillerDataSheet& s = Sheet();
    s.ShowUnit(&unit);
    for (int c = 0; c < kSheetComboCount; ++c) {
        EXPECT_EQ(s.Combo(static_cast<TSheetCombo>(c)).Items.front().Text, "<None>");
        EXPECT_EQ(s.Combo(static_cast<TSheetCombo>(c)).Selected, 0);
    }
    EXPECT_TRUE(s.Cooling().Shown);
    EXPECT_FALSE(s.Heating().Shown) << "a cooling-only unit";
    EXPECT_EQ(s.Cooling().YCaption, "LWE");
    EXPECT_EQ(s.Cooling().XCaption, "Ambient temperature");
    EXPECT_FALSE(s.Cooling().IdenticalLabel);
    EXPECT_EQ(s.Cooling().RangeExtension, TPerformanceView::kNoExtension);
    const TPolyCapListCh* regular = s.Cooling().CapTable;
    ASSERT_NE(regular, nullptr);
    const int nLowNoise = ItemNamed(s.Combo(TSheetCombo::CoolLowNoise), "LN1");
    ASSERT_GT(nLowNoise, 0);
    EXPECT_EQ(ItemNamed(s.Combo(TSheetCombo::LowNoiseOption), "LN1"), nLowNoise) << "in the technical-data combo too";
    ASSERT_TRUE(s.ChooseOption(TSheetCombo::CoolLowNoise, nLowNoise));
    EXPECT_TRUE(s.Cooling().IdenticalLabel);
    EXPECT_EQ(s.Cooling().CapTable, regular);
    EXPECT_FALSE(s.ChooseOption(TSheetCombo::CoolLowNoise, 99));
    EXPECT_EQ(std::count_if(s.AllowedOptions().begin(), s.AllowedOptions().end(), [](const auto& l) { return l.Standard; }), 1);

    const std::string szAt5 = s.Technical().SoundPressure;
    s.SetDistance(10.0);
    EXPECT_NE(s.Technical().SoundPressure, szAt5);
    s.SetDistance(50.0);
    EXPECT_EQ(s.Distance(), TChillerDataSheet::kMaxDistance);
    EXPECT_FALSE(s.Technical().PowerSupply.empty());
    const std::string& szDeltaT = s.Technical().EvapDeltaTRange;
    EXPECT_TRUE(szDeltaT.find(" .. ") != std::string::npos && szDeltaT.ends_with(" K")) << szDeltaT;
    EXPECT_TRUE(s.Technical().MaxUnitRunCurrent.ends_with(" A")) << s.Technical().MaxUnitRunCurrent;
    EXPECT_FALSE(s.Technical().CondenserShown);
    EXPECT_FALSE(s.Photograph().IsEmpty());
    EXPECT_FALSE(s.Drawing().IsEmpty());

    s.ShowUnit(nullptr);
    EXPECT_TRUE(s.Technical().Lines().empty());
    EXPECT_TRUE(s.AllowedOptions().empty());
    EXPECT_TRUE(s.Photograph().IsEmpty());
    EXPECT_FALSE(s.Cooling().Shown);
}

TEST_F(ChillersPage, NoUnitKeepsTheLastUnitsElectricalTextsOrRecoveryRows) {
    Cls_ChOutdoorUnit& first = *Unit(*session, "ACB 350");
    TChillerDataSheet& s = Sheet();
    s.ShowUnit(&first);
    const int nRecovery = ItemNamed(s.Combo(TSheetCombo::HeatRecovery), "HR");
    ASSERT_GT(nRecovery, 0);
    ASSERT_TRUE(s.ChooseOption(TSheetCombo::HeatRecovery, nRecovery));
    EXPECT_FALSE(s.HeatRecoveryRows().empty());
    s.ShowUnit(&first);
    EXPECT_TRUE(s.HeatRecoveryRows().empty()) << "refilled without a chosen option: a family-4 unit has none";
    CTRecordList<Cls_PowerSupply> supplies = std::move(session->v_Powersupplies);
    s.ShowUnit(&first);
    EXPECT_EQ(s.Technical().PowerSupply, "");
    EXPECT_EQ(s.Technical().MaxUnitRunCurrent, "");
    session->v_Powersupplies = std::move(supplies);
}

TEST_F(ChillersPage, AnUndecodablePhotographIsNoPicture) {
    Cls_ChOutdoorUnit& unit = *Unit(*session, "ACB 350");
    std::int32_t nCls = 0, nPhoto = 0;
    unit.GetChVisualization_REF(nCls, nPhoto);
    const std::string stored = StoredPictureBytes(nPhoto);
    ASSERT_GT(stored.size(), 100U);
    TChillerDataSheet& s = Sheet();
    // The photograph's JPEG cut in the middle of its data, the drawing as stored.
    s.SetPictureReader([&](std::int32_t nObjID) {
        const std::string bytes = StoredPictureBytes(nObjID);
        return nObjID == nPhoto ? bytes.substr(0, bytes.size() / 3) : bytes;
    });
    s.ShowUnit(&unit);
    EXPECT_TRUE(s.Photograph().IsEmpty());
    EXPECT_FALSE(s.Photograph().Reason().empty());
    EXPECT_FALSE(s.Drawing().IsEmpty()) << "the drawing is read on its own";
    s.SetPictureReader([](std::int32_t) { return std::string("\xFF\xD8\xFF\xE0 no picture", 15); });
    s.ShowUnit(&unit);
    EXPECT_TRUE(s.Photograph().IsEmpty());
    EXPECT_TRUE(s.Drawing().IsEmpty());
    EXPECT_EQ(StoredPictureBytes(0), "");
    EXPECT_EQ(StoredPictureBytes(-5), "");
    EXPECT_TRUE(PictureOf("").IsEmpty());
}

}  // namespace
}  // namespace brumalis::testing
