#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "documents/graphs/report_figures.h"
#include "documents/graphs/graph_numbers.h"
#include "documents/graphs/legend.h"
#include "platform/graphics/emf.h"
#include "tests/catalogue/unit_builder.h"

namespace brumalis::graphs {
namespace {

using namespace graphics;

// The dumps the figures must reproduce record by record. With
// BRUMALIS_UPDATE_GOLDENS set the test writes them instead (look at the
// difference before committing).
void ExpectGolden(const CTGraphic& figure, const std::string& szName) {
    ASSERT_TRUE(figure.IsMetafile());
    EXPECT_EQ(figure.Width(), kReportFigureWidth);
    EXPECT_EQ(figure.Height(), kReportFigureHeight);
    const std::string szDump = DumpEmf(figure.MetafileBytes());
    const std::string szPath = std::string(BRUMALIS_GRAPHS_GOLDENS) + "/" + szName;
    if (std::getenv("BRUMALIS_UPDATE_GOLDENS")) {
        std::ofstream(szPath, std::ios::binary) << szDump;
        GTEST_SKIP() << "wrote " << szPath;
    }
    std::ifstream in(szPath, std::ios::binary);
    ASSERT_TRUE(in) << szPath;
    std::ostringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(szDump, expected.str());
}

class ReportFigures : public brumalis::testing::UnitFixture {
protected:
    void SetUp() override {
        UnitFixture::SetUp();
        TLegend::ResetColor();
        TU_Form::SetNewIndex(U_Temperature, 0, false);
        TU_Form::SetNewIndex(U_Airflow, 0, false);
        TU_Form::SetNewIndex(U_Pressure, 0, false);
    }
};

TEST_F(ReportFigures, AChamferedEnvelopeWithItsCapacityArea) {
    auto pUnit = NewUnit();
    pUnit->SetCDIndUL(3.0), pUnit->SetCDOutUL(6.0);
    pUnit->SetCDIndLR(2.0), pUnit->SetCDOutLR(5.0);
    const TPolyCapListCh* pTable = pUnit->GetTable(cttCoolCap);
    ASSERT_NE(pTable, nullptr);
    const CTGraphic figure = OperatingRangeFigure(*pUnit, *pTable, kNotSet);
    ExpectGolden(figure, "operating_range_chamfered.txt");
    const std::string szDump = DumpEmf(figure.MetafileBytes());
    EXPECT_NE(szDump.find("Arial"), std::string::npos);
}

TEST_F(ReportFigures, TheRangeFigureLabelsItsAxesForTheUnitKindAndDrawsTheTablesMode) {
    auto pUnit = NewUnit(famCondensingUnit, ctWaterCooled);
    const TPolyCapListCh* pHeating = pUnit->GetTable(cttHeatCap);
    ASSERT_NE(pHeating, nullptr);
    const std::string szDump = DumpEmf(OperatingRangeFigure(*pUnit, *pHeating, kNotSet).MetafileBytes());
    EXPECT_NE(szDump.find("\"SDP\""), std::string::npos);
    EXPECT_NE(szDump.find("\"LWC\""), std::string::npos);
    EXPECT_NE(szDump.find("\"55.0/20.0\""), std::string::npos);  // the heating envelope's upper-right corner
    EXPECT_EQ(szDump.find("\"15.0/46.0\""), std::string::npos);  // not the cooling one

    auto pCondenserless = NewUnit(famCoolingOnly, ctCondenserless);
    const std::string szOther =
        DumpEmf(OperatingRangeFigure(*pCondenserless, *pCondenserless->GetTable(cttCoolCap), kNotSet).MetafileBytes());
    EXPECT_NE(szOther.find("\"LWE\""), std::string::npos);
    EXPECT_NE(szOther.find("\"Condensing temperature\""), std::string::npos);
}

TEST_F(ReportFigures, AWaterCooledPressureDropFigureHasBothCurvesOnTheReportsTicks) {
    auto pUnit = NewUnit(4, ctWaterCooled);
    const CTGraphic figure = PressureDropFigure(*pUnit);
    ExpectGolden(figure, "pressure_drop_water_cooled.txt");
}

}  // namespace
}  // namespace brumalis::graphs
