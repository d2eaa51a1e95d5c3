#include <gtest/gtest.h>

#include "catalogue/freeze_up.h"
#include "catalogue/units.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

class FreezeUp : public testing::CatalogueFixture {
protected:
    std::unique_ptr<Cls_ChOutdoorUnit> Unit() { return Inserted(New<Cls_ChOutdoorUnit>()); }
    void AddRow(const Cls_ChOutdoorUnit& unit, double temp, double corr) {
        auto pRow = New<Cls_ChFreezeUp>();
        pRow->SetTemp(temp);
        pRow->SetCorr(corr);
        pRow->SetChOutdoorUnit(&unit);
        Inserted(std::move(pRow));
    }
    // The example table, stored out of order.
    std::unique_ptr<Cls_ChOutdoorUnit> ExampleUnit() {
        auto pUnit = Unit();
        AddRow(*pUnit, 0.0, 0.87);
        AddRow(*pUnit, 7.0, 1.0);
        AddRow(*pUnit, -7.0, 0.85);
        AddRow(*pUnit, -5.0, 0.86);
        return pUnit;
    }
};

TEST_F(FreezeUp, FactorsInterpolateBetweenRowsAndHoldTheEndRowsOutside) {
    const auto pUnit = ExampleUnit();
    EXPECT_NEAR(pUnit->GetFreezeUpCorrection(-6.0), 0.855, 1e-12);
    EXPECT_EQ(pUnit->GetFreezeUpCorrection(-10.0), 0.85);
    EXPECT_EQ(pUnit->GetFreezeUpCorrection(10.0), 1.0);
    EXPECT_EQ(pUnit->GetFreezeUpCorrection(0.0), 0.87);
    EXPECT_NEAR(pUnit->GetFreezeUpCorrection(3.5), 0.935, 1e-12);
}

TEST_F(FreezeUp, MissingRowsGiveFactorOneAndTheTableIsLoadedOnce) {
    EXPECT_EQ(New<Cls_ChOutdoorUnit>()->GetFreezeUpCorrection(-15.0), 1.0);  // not stored: no rows
    const auto pUnit = Unit();
    EXPECT_EQ(pUnit->GetFreezeUpCorrection(-15.0), 1.0);
    AddRow(*pUnit, -10.0, 0.8);
    EXPECT_EQ(pUnit->GetFreezeUpCorrection(-15.0), 1.0);  // still the table of the first use
    pUnit->ClearCache();
    EXPECT_EQ(pUnit->GetFreezeUpCorrection(-15.0), 0.8);
}

TEST_F(FreezeUp, GridHasOneColumnPerRowSizedToItsTexts) {
    const auto pUnit = ExampleUnit();
    TGridData grid;
    pUnit->GetFreezeUpTable().FillGrid(grid, "Correction factor", "Temperature (°C)");
    ASSERT_EQ(grid.RowCount(), 2);
    ASSERT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.Cell(0, 1).text, "Temperature (°C)");
    EXPECT_EQ(grid.Cell(1, 0).text, " 0.85");
    EXPECT_EQ(grid.Cell(1, 1).text, "-7.0");
    EXPECT_EQ(grid.Cell(4, 0).text, " 1.00");
    EXPECT_EQ(grid.ColWidth(0), 17 * TGridData::kCharWidth + TGridData::kCharWidth / 2);
    EXPECT_EQ(grid.ColWidth(1), 5 * TGridData::kCharWidth + TGridData::kCharWidth / 2);

    // Temperatures follow the display unit.
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    pUnit->GetFreezeUpTable().FillGrid(grid, "Correction factor", "Temperature (°F)");
    TU_Form::SetNewIndex(U_Temperature, 0, false);
    EXPECT_EQ(grid.Cell(1, 1).text, "19.4");

    Unit()->GetFreezeUpTable().FillGrid(grid, "Correction factor", "Temperature (°C)");
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.Cell(1, 0).text, "");
}

}  // namespace
}  // namespace brumalis
