// Brine corrections from the glycol property data (needs the public data).
#include <gtest/gtest.h>

#include <filesystem>

#include "tools/catalogue-gen/brine_model.h"

namespace brumalis::catgen {
namespace {

class BrineModel : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::string(BRUMALIS_PUBLIC_DATA) + "/coolprop_glycol/glycol_properties.csv")) {
            GTEST_SKIP() << "no public data at " << BRUMALIS_PUBLIC_DATA;
        }
        if (!s_data) s_data = std::make_unique<TPublicData>(ReadPublicData(BRUMALIS_PUBLIC_DATA));
    }
    static std::unique_ptr<TPublicData> s_data;
};

std::unique_ptr<TPublicData> BrineModel::s_data;

TEST_F(BrineModel, WaterNeedsNoCorrectionAndGlycolCostsFlowPressureAndCapacity) {
    const TBrineFactors water = BrineFactorsAt(*s_data, "ethylene_glycol", 0.0, 5.0, true);
    EXPECT_DOUBLE_EQ(water.capacity, 1.0);
    EXPECT_DOUBLE_EQ(water.flow, 1.0);
    EXPECT_DOUBLE_EQ(water.pressureDrop, 1.0);
    const TBrineFactors eg30 = BrineFactorsAt(*s_data, "ethylene_glycol", 30.0, 5.0, true);
    EXPECT_GT(eg30.flow, 1.05);
    EXPECT_LT(eg30.flow, 1.2);
    EXPECT_GT(eg30.pressureDrop, eg30.flow);
    EXPECT_LT(eg30.capacity, 1.0);
    EXPECT_GT(eg30.capacity, 0.9);
    const TBrineFactors cond = BrineFactorsAt(*s_data, "propylene_glycol", 30.0, 35.0, false);
    EXPECT_GT(cond.power, 1.0);
}

TEST_F(BrineModel, RequiredPercentageProtectsWithTheMargin) {
    const TBrineDef eg{"EG", "ethylene_glycol", 5.0};
    EXPECT_EQ(RequiredPercent(*s_data, eg, 6.0), 0.0);
    const double at10 = RequiredPercent(*s_data, eg, -10.0);
    EXPECT_NEAR(at10, 30.0, 3.0);  // about -15 °C freezing point
    EXPECT_GT(at10, RequiredPercent(*s_data, eg, -2.0));
    EXPECT_THROW(RequiredPercent(*s_data, eg, -80.0), TInputError);
}

TEST_F(BrineModel, ElevenPolynomialsFollowTheFactors) {
    const TBrineDef pg{"PG", "propylene_glycol", 5.0};
    const auto polys = BrinePolynomials(*s_data, pg);
    ASSERT_EQ(polys.size(), 11u);
    for (std::size_t i = 0; i < polys.size(); ++i) EXPECT_EQ(polys[i].first, static_cast<int>(i) + 1);
    EXPECT_NEAR(polys[3].second.Evaluate(30.0), BrineFactorsAt(*s_data, "propylene_glycol", 30.0, 5.0, true).flow, 0.005);
    EXPECT_NEAR(polys[0].second.Evaluate(-10.0), RequiredPercent(*s_data, pg, -10.0), 0.5);
}

}  // namespace
}  // namespace brumalis::catgen
