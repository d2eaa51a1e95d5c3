#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "catalogue/polynomial_records.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

TEST(Polynomial, HornerEvaluationMatchesTheExpandedForm) {
    const TPolynomial p{{1.5, -2.0, 0.25, 0.125, -0.01, 0.002, 0.0003, -0.00001}};
    for (double x : {-7.0, -1.0, 0.0, 0.5, 3.0, 35.0}) {
        double expected = 0.0;
        for (int i = 0; i < 8; ++i) expected += p.a[static_cast<std::size_t>(i)] * std::pow(x, i);
        EXPECT_NEAR(p.Evaluate(x), expected, 1e-9 * std::max(1.0, std::fabs(expected))) << x;
    }
    EXPECT_EQ(TPolynomial{}.Evaluate(12.0), 0.0);
}

TEST(Polynomial, OverflowAndInvalidOperationsGiveZero) {
    const TPolynomial huge{{0, 0, 0, 0, 0, 0, 0, 1e300}};
    EXPECT_EQ(huge.Evaluate(1e10), 0.0);
    const TPolynomial cancel{{0, std::numeric_limits<double>::infinity(), 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(cancel.Evaluate(0.0), 0.0);  // inf * 0 is invalid
    EXPECT_EQ(huge.Evaluate(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(RowCorrection, FractionalCodeDeratesAlongALineFromLToM) {
    const double v = 100.0;
    const double s = 2051.8;  // L 0.2, M 5.1, f 0.8
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(v, 0.2, s), v);
    EXPECT_NEAR(ApplyRowCorrection(v, 5.1, s), 0.8 * v, 1e-9);
    const double at7 = ApplyRowCorrection(v, 7.0, s);
    EXPECT_NEAR(at7, (1.0 - 6.8 * 0.2 / 4.9) * v, 1e-9);
    EXPECT_LT(at7, 0.8 * v);  // not clamped beyond M
}

TEST(RowCorrection, WholeCodeAddsAStepFromM) {
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(100.0, 15.0, 30150.0), 103.0);
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(100.0, 14.9, 30150.0), 100.0);
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(100.0, -20.0, 0.0), 100.0);
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(100.0, 40.0, 0.0), 100.0);
}

TEST(RowCorrection, FactorWithoutLowerTemperatureStepsAtM) {
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(80.0, 0.1, 0.5), 40.0);
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(80.0, 35.0, 0.5), 40.0);
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(80.0, 0.0, 0.5), 80.0);
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(80.0, -3.0, 0.5), 80.0);
    // The catalogue's usual code changes nothing.
    EXPECT_DOUBLE_EQ(ApplyRowCorrection(80.0, 46.0, 1000000.0), 80.0);
    // Absurd codes stay finite.
    EXPECT_TRUE(std::isfinite(ApplyRowCorrection(80.0, 46.0, 1e300)));
}

using PolynomialRecords = testing::CatalogueFixture;

TEST_F(PolynomialRecords, CapacityRowsEvaluateWithTheirCodeAndAreFoundByType) {
    auto pRow = New<Cls_ChOutCapacity>();
    pRow->SetA0(400.0);
    pRow->SetA1(-2.0);
    pRow->SetType(3);
    pRow->SetLWETemp(7.0);
    pRow->SetSelect2(30150.0);
    EXPECT_EQ(pRow->GetSelect1(), 7.0);
    EXPECT_DOUBLE_EQ(pRow->Evaluate(35.0), 330.0);
    EXPECT_DOUBLE_EQ(pRow->GetRowValue(35.0), 333.0);
    EXPECT_DOUBLE_EQ(pRow->GetRowValue(10.0), 380.0);

    CTRecordList<Cls_ChOutCapacity> rows;
    rows.push_back(New<Cls_ChOutCapacity>());
    rows.push_back(std::move(pRow));
    rows.push_back(New<Cls_ChOutCapacity>());
    rows.back()->SetType(3);
    EXPECT_EQ(Cls_ChOutCapacity::FindPolyOfType(rows, 3), rows[1].get());
    EXPECT_EQ(Cls_ChOutCapacity::FindPolyOfType(rows, 5), nullptr);
}

}  // namespace
}  // namespace brumalis
