#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "documents/graphs/heat_recovery_view.h"
#include "tests/catalogue_gen/shipped_catalogue.h"

namespace brumalis::graphs {
namespace {

class HeatRecoveryView : public brumalis::testing::ShippedCatalogue {
protected:
    // The first unit with built-in recovery whose rows are keyed as asked.
    Cls_ChOutdoorUnit* UnitKeyedBy(bool bByEWC) {
        for (const auto& pUnit : s_units) {
            if (pUnit->GetFamily() != famHeatRecovery) continue;
            const auto rows = pUnit->GetHRTable(nullptr);
            if (!rows.empty() && (rows.front()->GetEWC() > 0.0) == bByEWC) return pUnit.get();
        }
        return nullptr;
    }
    static std::vector<std::string> Captions(const TFrm_ChillerHeatRecovery& view) {
        std::vector<std::string> captions;
        for (const TListColumn& column : view.Columns()) captions.push_back(column.Caption);
        return captions;
    }
};

TEST_F(HeatRecoveryView, RowsKeyedByEnteringRecoveryWaterShowTheEWCColumn) {
    Cls_ChOutdoorUnit* pUnit = UnitKeyedBy(true);
    ASSERT_NE(pUnit, nullptr);
    const auto rows = pUnit->GetHRTable(nullptr);
    TFrm_ChillerHeatRecovery view;
    view.SetupWindow(rows);
    EXPECT_EQ(Captions(view), (std::vector<std::string>{"EWC", "LWC", "CC", "PI", "HR", ""}));
    ASSERT_EQ(view.Rows().size(), rows.size());
    EXPECT_EQ(view.Rows().front()[0], TU_Form::PutDimensionedText(U_Temperature, true, rows.front()->GetEWC()));
    EXPECT_EQ(view.Rows().front()[4], TU_Form::PutDimensionedText(U_Power, true, rows.front()->GetHeatRecovered()));
    EXPECT_TRUE(view.Columns()[2].bRightAligned);
    EXPECT_FALSE(view.Columns()[1].bRightAligned);
    for (const TListColumn& column : view.Columns()) EXPECT_GE(column.nWidth, TGridData::TextWidth(column.Caption));
    EXPECT_GE(view.Columns()[4].nWidth, TGridData::TextWidth(view.Rows().front()[4]));
}

TEST_F(HeatRecoveryView, RowsKeyedByLeavingEvaporatorWaterShowTheLWEColumn) {
    Cls_ChOutdoorUnit* pUnit = UnitKeyedBy(false);
    ASSERT_NE(pUnit, nullptr);
    auto rows = pUnit->GetHRTable(nullptr);
    ASSERT_GE(rows.size(), 2u);
    std::ranges::reverse(rows);  // the view sorts them itself
    TFrm_ChillerHeatRecovery view;
    view.SetupWindow(rows);
    std::ranges::reverse(rows);
    ASSERT_FALSE(view.Columns().empty());
    EXPECT_EQ(view.Columns().front().Caption, "LWE");
    for (std::size_t r : {std::size_t{0}, rows.size() - 1}) {
        EXPECT_EQ(view.Rows()[r][0], TU_Form::PutDimensionedText(U_Temperature, true, rows[r]->GetLWE()));
        EXPECT_EQ(view.Rows()[r][1], TU_Form::PutDimensionedText(U_Temperature, true, rows[r]->GetLWC()));
    }

    // Rows without cooling figures drop the CC and PI columns; an entering
    // temperature written as -1 still marks rows keyed by LWE.
    for (auto& pRow : rows) pRow->SetCoolCap(-1.0), pRow->SetEWC(-1.0);
    view.SetupWindow(rows);
    EXPECT_EQ(Captions(view), (std::vector<std::string>{"LWE", "LWC", "HR", ""}));
    view.SetupWindow({});
    EXPECT_TRUE(view.Columns().empty());
    EXPECT_TRUE(view.Rows().empty());
}

}  // namespace
}  // namespace brumalis::graphs
