// Builds stored test units: an air- or water-cooled unit with a simple
// envelope, linear capacity and power-input rows, pressure-drop curves and a
// controller; tests then adjust what they examine.
#pragma once

#include <memory>
#include <vector>

#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis::testing {

class UnitFixture : public CatalogueFixture {
protected:
    void SetUp() override;
    // The records go before the factory they belong to.
    void TearDown() override;

    // A row cap(x) = a0 + a1·x at leaving water lwe.
    void AddRow(Cls_ChOutdoorUnit& unit, std::int32_t nType, double lwe, double a0, double a1, double select2 = 0.0);
    void AddCurve(Cls_ChOutdoorUnit& unit, std::int32_t nType, double a0, double a1, double a2);
    // Family 4 (cooling only), air-cooled; envelope LWE 4..15, ambient 15..46;
    // table LWE 5, 7, 10 over x 20..45: cooling 130 − x + 2·(lwe − 7), power
    // 30 + 0.2·x; evaporator curve 0.001·flow² kPa; flow limits 100..600 l/min;
    // ΔT 3..8 K. dScale multiplies capacities, power inputs and flow limits.
    std::unique_ptr<Cls_ChOutdoorUnit> NewUnit(std::int32_t nFamily = 4, std::int32_t nCondenserType = 0,
                                               double dScale = 1.0);
    // Reloads a unit so that its tables are read from the store.
    std::unique_ptr<Cls_ChOutdoorUnit> Reloaded(const Cls_ChOutdoorUnit& unit);
    // An option of a type and a combination of it for the unit.
    std::unique_ptr<Cls_ChOptAllowed> AddOption(Cls_ChOutdoorUnit& unit, std::int32_t nType, const std::string& szName);

    TSelTempData Criteria() const;

    CTRecordList<Cls_ChController> controllers;
    CTRecordList<Cls_ChOption> options;
};

}  // namespace brumalis::testing
