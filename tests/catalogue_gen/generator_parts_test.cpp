// The generator's parts: hostile description input, CSV cells, polynomial
// fits, the performance model, brine factors and the sound relation.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/catalogue-gen/brine_model.h"
#include "tools/catalogue-gen/poly_fit.h"
#include "tools/catalogue-gen/unit_design.h"

namespace brumalis::catgen {
namespace {

std::string ErrorOf(const std::string& json) {
    try {
        TJsonNode root = TJsonNode::Parse(json, "test.json");
        root.Member("a").Elements().at(0).Integer("n", 0, 10);
    } catch (const TInputError& e) {
        return e.what();
    }
    return "";
}

TEST(DescriptionInput, DefectsAreReportedWithFileAndPath) {
    EXPECT_NE(ErrorOf("{\"a\": [{\"n\": 3}]").find("test.json"), std::string::npos);  // syntax
    EXPECT_NE(ErrorOf("{\"b\": 1}").find("lacks the member \"a\""), std::string::npos);
    EXPECT_NE(ErrorOf("{\"a\": 1}").find("/a must be an array"), std::string::npos);
    EXPECT_NE(ErrorOf("{\"a\": [{\"n\": \"3\"}]}").find("/a[0]/n must be a number"), std::string::npos);
    EXPECT_NE(ErrorOf("{\"a\": [{\"n\": 11}]}").find("must lie between 0 and 10"), std::string::npos);
    EXPECT_NE(ErrorOf("{\"a\": [{\"n\": 2.5}]}").find("whole number"), std::string::npos);
    EXPECT_NE(ErrorOf(std::string(100000, '[')).find("nested deeper"), std::string::npos);
    EXPECT_EQ(ErrorOf("{\"a\": [{\"n\": 3}]}"), "");
}

// A copy of the committed description with one file replaced.
class RangeFolder : public ::testing::Test {
protected:
    void SetUp() override {
        v_dir = std::filesystem::temp_directory_path() / ("brumalis-range-" + std::to_string(::getpid()));
        std::filesystem::create_directories(v_dir);
        std::filesystem::copy(BRUMALIS_RANGE_DIR, v_dir,
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    }
    void TearDown() override { std::filesystem::remove_all(v_dir); }
    // The error of reading the folder with szFile replaced by text; the
    // original file is back afterwards.
    std::string ErrorWith(const std::string& szFile, const std::string& text) {
        const std::filesystem::path file = v_dir / szFile;
        const std::filesystem::path saved = v_dir / (szFile + ".saved");
        std::filesystem::copy_file(file, saved, std::filesystem::copy_options::overwrite_existing);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        std::string error;
        try {
            ReadRangeDescription(v_dir.string());
        } catch (const TInputError& e) {
            error = e.what();
        }
        std::filesystem::rename(saved, file);
        return error;
    }
    std::filesystem::path v_dir;
};

TEST_F(RangeFolder, CommittedDescriptionReadsAndPlansTheRange) {
    const TRangeDescription range = ReadRangeDescription(v_dir.string());
    EXPECT_EQ(range.dbVersion, "8.7");
    EXPECT_GE(PlanUnits(range).size(), 800u);
}

TEST_F(RangeFolder, CrossReferencesAndRulesAreChecked) {
    EXPECT_NE(ErrorWith("variants.json", R"([{"suffix": "-AB", "eer_factor": 1}])").find("three characters"),
              std::string::npos);
    EXPECT_NE(ErrorWith("options.json", R"({"options": [{"name": "X", "type": 1, "description": "d"}], "exclusions": []})")
                  .find("1 is not an option type"),
              std::string::npos);
    EXPECT_NE(ErrorWith("power_supplies.json", "[]").find("exactly one power supply"), std::string::npos);
    EXPECT_NE(ErrorWith("option_codes.json", R"([{"digit": 1, "slots": ["ZZ"], "codes": {"0": "0"}}])")
                  .find("unknown option \"ZZ\""),
              std::string::npos);
    EXPECT_NE(ErrorWith("option_codes.json", R"([{"digit": 1, "slots": ["P1"], "codes": {"01": "0"}}])")
                  .find("one 0 or 1 per slot"),
              std::string::npos);
    EXPECT_NE(ErrorWith("refrigerants.json", R"([{"name": "R32", "rank": 1}])").find("unknown refrigerant"),
              std::string::npos);
    EXPECT_NE(ErrorWith("controllers.json", R"([{"name": "C", "steps": [5, 4], "brine_below": 5, "brine_option": "BR"}])")
                  .find("ascending"),
              std::string::npos);
    // The committed series with one member spoilt at a time.
    std::ifstream in(v_dir / "series.json", std::ios::binary);
    const std::string series((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto spoilt = [&](const std::string& szFrom, const std::string& szTo) {
        std::string text = series;
        const std::size_t at = text.find(szFrom);
        EXPECT_NE(at, std::string::npos) << szFrom;
        if (at != std::string::npos) text.replace(at, szFrom.size(), szTo);
        return ErrorWith("series.json", text);
    };
    EXPECT_NE(spoilt(R"("low_noise_modes": "heating")", R"("low_noise_modes": "night")")
                  .find("both, cooling or heating"),
              std::string::npos);
    EXPECT_NE(spoilt(R"("pressure_drop_zero_at": 0.5)", R"("pressure_drop_zero_at": 0.9)")
                  .find("pressure_drop_zero_at"),
              std::string::npos);
    EXPECT_NE(spoilt(R"("from": 0.9,)", R"("from": 0.1,)").find("flow_limit_capacities"), std::string::npos);
}

TEST(CsvTable, QuotedCellsAndNumbersWhateverTheLocale) {
    const TCsvTable t = TCsvTable::Parse("a,b,c\n\"4,160V\",1.5e3,\n", "t.csv");
    EXPECT_EQ(t.Text(0, "a"), "4,160V");
    EXPECT_DOUBLE_EQ(t.Number(0, "b"), 1500.0);
    EXPECT_FALSE(t.OptionalNumber(0, "c"));
    EXPECT_THROW(t.Number(0, "c"), TInputError);
    EXPECT_THROW(t.Text(0, "d"), TInputError);
    EXPECT_THROW(TCsvTable::Parse("a,b\n1\n", "t.csv"), TInputError);
    EXPECT_FALSE(ParseNumber("1,5"));
    EXPECT_FALSE(ParseNumber("nan"));
}

TEST(PolynomialFit, RecoversACubicAndRefusesWhatItCannotFollow) {
    std::vector<double> xs, ys, steps;
    for (int i = -10; i <= 46; ++i) {
        xs.push_back(i);
        ys.push_back(50.0 - 0.3 * i + 0.01 * i * i - 0.0002 * i * i * i);
        steps.push_back(i < 10 ? 1.0 : 2.0);
    }
    const TPolyFit fit = FitPolynomial(xs, ys, 3);
    EXPECT_NEAR(fit.poly.a[0], 50.0, 1e-9);
    EXPECT_NEAR(fit.poly.a[3], -0.0002, 1e-12);
    EXPECT_LT(fit.maxRelError, 1e-12);
    EXPECT_THROW(FitWithin(xs, steps, 3, 7, 0.005, "step"), TInputError);
}

TModelParams AirChiller(const TChillerCurveSet& curves, const TPartLoadCurve& partLoad) {
    TModelParams p;
    p.curves = &curves;
    p.partLoad = &partLoad;
    p.coolCapNom = 100.0, p.eerNom = 3.0, p.heatCapNom = 108.0, p.copNom = 3.2;
    p.family = TFamily::HeatPump;
    return p;
}

// A plain curve set: capacity +3 %/K of leaving water, −1 %/K of ambient.
TChillerCurveSet LinearCurves() {
    TChillerCurveSet c;
    c.capFT = {{1.0 - 0.03 * 7 + 0.01 * 35, 0.03, 0, -0.01, 0, 0}, 5, 10, 24, 46};
    c.eirFT = {{1.0 + 0.02 * 7 - 0.015 * 35, -0.02, 0, 0.015, 0, 0}, 5, 10, 24, 46};
    return c;
}

TEST(PerformanceModel, ReproducesItsNominalPointsAndFollowsTheCycle) {
    const TChillerCurveSet curves = LinearCurves();
    const TPartLoadCurve partLoad{"", "air", "A", "positive_displacement", {0.1, 0.2, 0.7, 0.0}};
    const TUnitModel m(AirChiller(curves, partLoad), TNominalPoints{});
    EXPECT_NEAR(m.CoolCap(7.0, 35.0), 100.0, 1e-9);
    EXPECT_NEAR(m.CoolCap(7.0, 35.0) / m.CoolPower(7.0, 35.0), 3.0, 1e-9);
    EXPECT_NEAR(m.HeatCap(45.0, 7.0), 108.0, 1e-9);
    EXPECT_NEAR(m.HeatCap(45.0, 7.0) / m.HeatPower(45.0, 7.0), 3.2, 1e-9);
    // Inside the curve bounds the curve rules; outside the cycle continues it.
    EXPECT_NEAR(m.CoolCap(8.0, 35.0) / m.CoolCap(7.0, 35.0), 1.03 / 1.0, 0.01);
    EXPECT_LT(m.CoolCap(7.0, 46.0), m.CoolCap(7.0, 40.0));
    EXPECT_GT(m.CoolCap(15.0, 35.0), m.CoolCap(12.0, 35.0));
    EXPECT_LT(m.HeatCap(45.0, -15.0), 0.7 * m.HeatCap(45.0, 7.0));
    EXPECT_LT(m.HeatCap(55.0, 7.0) / m.HeatPower(55.0, 7.0), 3.2);
    EXPECT_DOUBLE_EQ(m.PartLoadPower(1.0), 1.0);
    EXPECT_DOUBLE_EQ(m.PartLoadPower(2.0), 1.0);
}

TEST(SoundRelation, GrowsWithCapacityAndTheSpectrumSumsToTheSoundPower) {
    EXPECT_NEAR(SoundPowerOf(100.0, 1, TCondenser::Air), 82.0, 1e-9);
    EXPECT_LT(SoundPowerOf(100.0, 4, TCondenser::Air), SoundPowerOf(100.0, 1, TCondenser::Air));
    EXPECT_GT(SoundPowerOf(1000.0, 1, TCondenser::Water), SoundPowerOf(100.0, 1, TCondenser::Water));
    const std::array<double, 8> bands = SpectrumOf(85.0, TCondenser::Air);
    const std::array<double, 8> aWeighting{-26.2, -16.1, -8.6, -3.2, 0.0, 1.2, 1.0, -1.1};
    double sum = 0.0;
    for (std::size_t i = 0; i < 8; ++i) sum += std::pow(10.0, (bands[i] + aWeighting[i]) / 10.0);
    EXPECT_NEAR(10.0 * std::log10(sum), 85.0, 0.1);
    EXPECT_GT(bands[0], bands[7]);
}

TEST(FlowUnits, LitresPerMinuteFromHeatAndDeltaT) {
    EXPECT_NEAR(FlowLPerMin(100.0, 5.0), 286.67, 0.01);
}

}  // namespace
}  // namespace brumalis::catgen
