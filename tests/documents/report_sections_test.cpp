// The report sections that need no catalogue unit: value texts, the four
// report grids, the basket comparison and a plant's totals.
#include <gtest/gtest.h>

#include <cstdlib>

#include "catalogue/unit_classes.h"
#include "documents/report_sections.h"
#include "tests/documents/recording_doc_output.h"

namespace brumalis::testing {
namespace {

using R = TChReporting;

class ReportSections : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("BRUMALIS_LANGUAGE", "en", 1);
        TU_Form::SetNewIndex(U_Temperature, 0, false);
    }
    void TearDown() override {
        TU_Form::SetNewIndex(U_Temperature, 0, false);
        unsetenv("BRUMALIS_LANGUAGE");
    }
    static TChillerData Cooling(double dCap, double dReq) {
        TChillerData d = GetInitChillerData();
        d.TempSelData.CoolLeavingE = 7.0;
        d.TempSelData.CoolDeltaTE = 5.0;
        d.TempSelData.Summer = 35.0;
        d.CoolData.Cap = dCap;
        d.CoolData.PI = dCap / 3.0;
        d.CoolData.EERCOP = 3.0;
        d.CoolData.Deviation = (dCap - dReq) / dReq * 100.0;
        d.Evaporator.WFR = 300.0;
        d.Evaporator.PD = 40.0;
        d.SoundPower = 80.0;
        d.SoundPressures = {60.0, 52.0, 47.0};
        return d;
    }

    CTRecordingDocOutput doc;
    TGridData grid;
};

TEST_F(ReportSections, ValueTextsLeaveZeroEmptyButPrintTemperatures) {
    EXPECT_EQ(R::FmtValue(0.0, "%"), "");
    EXPECT_EQ(R::FmtValue(12.34, "%"), "12.3%");
    EXPECT_EQ(R::FmtQuantity(0.0, U_Power), "");
    EXPECT_EQ(R::FmtQuantity(12.5, U_Power), "12.5 kW");
    EXPECT_EQ(R::FmtDistance(0.0), "");
    EXPECT_EQ(R::FmtDistance(5.0), "5 m");
    EXPECT_EQ(R::FmtTemperature(0.0), "0.0 °C");
    EXPECT_EQ(R::FmtTemperatureDiff(0.0), "0.0 °C");
    // A difference scales only: 5 K is 9 °F, not 41 °F.
    TU_Form::SetNewIndex(U_Temperature, 1, false);
    EXPECT_EQ(R::FmtTemperatureDiff(5.0), "9.0 °F");
    EXPECT_EQ(R::FmtTemperature(0.0), "32.0 °F");
}

TEST_F(ReportSections, GridResetsMeasureTheirLiteralsAndLeaveRowZeroEmpty) {
    R::ResetReportGrid(grid);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 0);
    EXPECT_GT(grid.ColWidth(0), 10);
    for (int c = 1; c < 4; ++c) EXPECT_EQ(grid.ColWidth(c), grid.ColWidth(0));
    for (int c = 0; c < 4; ++c) EXPECT_TRUE(grid.Cell(c, 0).text.empty());
    EXPECT_TRUE(grid.HasOption(goFixedHorzLine));
    EXPECT_FALSE(grid.HasOption(goHorzLine));

    R::ResetWideReportGrid(grid, "12345678");
    EXPECT_EQ(grid.ColCount(), 10);
    EXPECT_GT(grid.ColWidth(0), grid.ColWidth(1));
    EXPECT_EQ(grid.ColWidth(9), grid.ColWidth(1));
    EXPECT_TRUE(grid.HasOption(goHorzLine));

    R::ResetListGrid(grid);
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_GT(grid.ColWidth(1), 4 * grid.ColWidth(0));

    R::ResetComparisonGrid(grid);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.ColWidth(0), 10);

    // Cells outside grow the grid.
    R::PutReportCell(grid, 4, 6, R::kBold, "x");
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(grid.Cell(4, 6).object, static_cast<std::int64_t>(R::kBold));
}

TEST_F(ReportSections, SevenSolutionsMakeTwoComparisonTablesOnSeparatePages) {
    TGridData basket;
    basket.Reset(3, 8, 64);
    basket.Cell(0, 0).text = "Solution";
    basket.Cell(0, 1).text = "   Capacity ";
    basket.Cell(0, 2).text = "";
    for (int c = 1; c < 8; ++c) basket.Cell(c, 0).text = "  " + std::to_string(c) + " ";
    R::ReportComparisonTable(doc, grid, basket);
    ASSERT_EQ(doc.Tables().size(), 2U);
    EXPECT_EQ(doc.Tables()[0].ColCount(), 6);
    EXPECT_EQ(doc.Tables()[1].ColCount(), 3);
    EXPECT_EQ(doc.Tables()[1].Cell(1, 0).text, "6");
    EXPECT_EQ(doc.Tables()[1].Cell(0, 1).text, "Capacity");
    EXPECT_EQ(doc.Tables()[0].Cell(0, 0).object, static_cast<std::int64_t>(R::kBold));
    EXPECT_EQ(doc.Tables()[0].Cell(0, 1).object, static_cast<std::int64_t>(R::kPlain));
    EXPECT_EQ(doc.Tables()[0].Cell(2, 0).object, static_cast<std::int64_t>(R::kCentred));
    EXPECT_EQ(doc.Calls(), (std::vector<std::string>{"TABLE 3x6", "LN", "PAGE", "LN", "TABLE 3x3", "LN"}));
}

TEST_F(ReportSections, CapacityTableShowsRequirementsOnlyWhenGivenAndHidesLargeOrMissingDeviations) {
    // No requirement: capacity, power input and EER right under the header.
    R::ReportPlant(doc, grid, famCoolingOnly, ctAirCooled, Cooling(100.0, 100.0), 0.0, 0.0);
    const TGridData* pCap = doc.TableStartingWith("Cooling");
    ASSERT_NE(pCap, nullptr);
    EXPECT_EQ(ColumnTexts(*pCap, 0), (std::vector<std::string>{"Cooling", "Capacity", "Power input", "EER"}));
    EXPECT_EQ(pCap->Cell(1, 1).text, "100.0 kW");

    CTRecordingDocOutput large;
    R::ReportPlant(large, grid, famCoolingOnly, ctAirCooled, Cooling(250.0, 100.0), 100.0, 0.0);
    pCap = large.TableStartingWith("Cooling");
    ASSERT_NE(pCap, nullptr);
    EXPECT_EQ(pCap->Cell(0, 1).text, "Required total capacity");
    EXPECT_EQ(pCap->Cell(1, 1).text, "100.0 kW");
    EXPECT_EQ(pCap->Cell(1, 2).text, "") << "150 % is beyond 100 %";

    CTRecordingDocOutput small;
    R::ReportPlant(small, grid, famCoolingOnly, ctAirCooled, Cooling(110.0, 100.0), 100.0, 0.0);
    EXPECT_EQ(small.TableStartingWith("Cooling")->Cell(1, 2).text, "10.0%");

    // A heat pump selected on cooling: the heating column's deviation is "none" and prints empty.
    TChillerData hp = Cooling(100.0, 100.0);
    hp.HeatData.Cap = 110.0;
    hp.HeatData.Deviation = kNoDeviation;
    CTRecordingDocOutput pump;
    R::ReportPlant(pump, grid, famHeatPump, ctAirCooled, hp, 100.0, 90.0);
    pCap = pump.TableStartingWith("Cooling");
    ASSERT_NE(pCap, nullptr);
    EXPECT_EQ(pCap->Cell(2, 0).text, "Heating");
    EXPECT_EQ(pCap->Cell(3, 1).text, "90.0 kW");
    EXPECT_EQ(pCap->Cell(3, 2).text, "");
    EXPECT_FALSE(pump.AnyTableHas("2147483647.0%"));
}

TEST_F(ReportSections, FluidsFollowFamilyModeAndCondenser) {
    // A heat pump selected on heating: the cooling delta T is the condenser data's.
    TChillerData d = Cooling(100.0, 100.0);
    d.TempSelData.SelectCooling = false;
    d.TempSelData.HeatLeavingC = 45.0;
    d.TempSelData.HeatDeltaTC = 5.0;
    d.Condenser.DeltaT = 4.0;
    R::ReportPlant(doc, grid, famHeatPump, ctAirCooled, d, 0.0, 0.0);
    const TGridData* pFluids = doc.TableStartingWith("Evaporator");
    ASSERT_NE(pFluids, nullptr);
    EXPECT_EQ(pFluids->Cell(0, 3).text, "Delta T (c)");
    EXPECT_EQ(pFluids->Cell(1, 2).text, "11.0 °C");
    EXPECT_EQ(pFluids->Cell(1, 3).text, "4.0 °C");
    EXPECT_EQ(pFluids->Cell(1, 6).text, "5.0 °C");
    EXPECT_EQ(pFluids->Cell(3, 3).text, "0.0 °C") << "a temperature of 0 is printed";
    EXPECT_EQ(pFluids->Cell(2, 3).text, "Ambient winter temperature");
    EXPECT_EQ(pFluids->Cell(3, 1).text, "Air cooled");
    EXPECT_EQ(pFluids->Cell(0, 7).text, "Fluid flow rate");
    EXPECT_EQ(pFluids->Cell(1, 7).text, "5.0 l/s");
    EXPECT_EQ(pFluids->Cell(1, 8).text, R::FmtQuantity(40000.0, U_Pressure)) << "kPa kept, Pa shown";

    // A water-cooled cooling unit: heat rejection first; a condensing unit: superheat and subcool.
    CTRecordingDocOutput water;
    d = Cooling(100.0, 100.0);
    d.TempSelData.CoolLeavingC = 35.0;
    d.TempSelData.CoolDeltaTC = 5.0;
    R::ReportPlant(water, grid, famCoolingOnly, ctWaterCooled, d, 0.0, 0.0);
    pFluids = water.TableStartingWith("Evaporator");
    ASSERT_NE(pFluids, nullptr);
    EXPECT_EQ(pFluids->Cell(2, 2).text, "Heat rejection");
    EXPECT_EQ(pFluids->Cell(3, 2).text, "133.3 kW");
    EXPECT_EQ(pFluids->Cell(3, 4).text, "30.0 °C");
    CTRecordingDocOutput cu;
    R::ReportPlant(cu, grid, famCondensingUnit, ctAirCooled, d, 0.0, 0.0);
    pFluids = cu.TableStartingWith("Evaporator");
    ASSERT_NE(pFluids, nullptr);
    EXPECT_EQ(ColumnTexts(*pFluids, 0)[2], "Superheat");
    EXPECT_EQ(pFluids->Cell(1, 2).text, "10.0 °C");
    EXPECT_EQ(pFluids->Cell(1, 3).text, "5.0 °C");
    EXPECT_EQ(pFluids->RowCount(), 4) << "no flow rows for a condensing unit";
}

TEST_F(ReportSections, APlantHasHeatRecoveryOnlyWithRecoveredHeatAndSoundWithoutSpectrum) {
    TChillerData d = Cooling(100.0, 100.0);
    R::ReportPlant(doc, grid, famCoolingOnly, ctAirCooled, d, 0.0, 0.0);
    EXPECT_EQ(doc.TableStartingWith("Heat recovery"), nullptr);
    const TGridData* pSound = doc.TableStartingWith("Sound");
    ASSERT_NE(pSound, nullptr);
    EXPECT_EQ(pSound->Cell(1, 2).text, "");
    EXPECT_EQ(pSound->Cell(9, 2).text, "80.0 dBA");
    EXPECT_EQ(pSound->Cell(2, 3).text, "5 m");
    EXPECT_EQ(pSound->Cell(2, 4).text, "52.0 dBA");
    EXPECT_TRUE(doc.AnyTextHas("ISO3744"));

    d.HRData.HR = 50.0;
    d.HRData.CC = 0.0;
    d.HRData.HRPercentage = 0.4;
    CTRecordingDocOutput partial;
    R::ReportPlant(partial, grid, famCoolingOnly, ctAirCooled, d, 0.0, 0.0);
    const TGridData* pHR = partial.TableStartingWith("Heat recovery");
    ASSERT_NE(pHR, nullptr);
    EXPECT_EQ(pHR->Cell(1, 1).text, "Partial");
    EXPECT_EQ(pHR->Cell(1, 6).text, "40.0%");
    CTRecordingDocOutput family;
    R::ReportPlant(family, grid, famHeatRecovery, ctAirCooled, d, 0.0, 0.0);
    EXPECT_EQ(family.TableStartingWith("Heat recovery")->Cell(1, 1).text, "STD");
}

TEST_F(ReportSections, PicturesDecodeOnceAndDamagedOnesAreNamedOnce) {
    CTReportPictures pictures;
    EXPECT_TRUE(pictures.Decoded(7, "ACQ 100: photo", "\xFF\xD8\xFF\xE0 damaged").IsEmpty());
    EXPECT_TRUE(pictures.Decoded(7, "ACQ 160: photo", "\xFF\xD8\xFF\xE0 damaged").IsEmpty());
    ASSERT_EQ(pictures.Skipped().size(), 1U);
    EXPECT_EQ(pictures.Skipped()[0].Item, "ACQ 100: photo");
    EXPECT_FALSE(pictures.Skipped()[0].Reason.empty());
    EXPECT_TRUE(pictures.Decoded(8, "none", "").IsEmpty());
    EXPECT_EQ(pictures.Skipped().size(), 1U) << "a unit without a picture is no fault";
    EXPECT_EQ(pictures.Decoded(), 2);
}

}  // namespace
}  // namespace brumalis::testing
