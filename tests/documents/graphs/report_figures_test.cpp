#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

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

TEST_F(ReportFigures, AWaterCooledPressureDropFigureHasBothCurvesOnTheReportsTicks) {
    auto pUnit = NewUnit(4, ctWaterCooled);
    const CTGraphic figure = PressureDropFigure(*pUnit);
    ExpectGolden(figure, "pressure_drop_water_cooled.txt");
}

}  // namespace
}  // namespace brumalis::graphs
