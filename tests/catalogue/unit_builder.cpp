#include "tests/catalogue/unit_builder.h"

namespace brumalis::testing {

void UnitFixture::SetUp() {
    CatalogueFixture::SetUp();
    auto pController = New<Cls_ChController>();
    pController->SetName("Standard controller");
    controllers.push_back(Inserted(std::move(pController)));
}

void UnitFixture::TearDown() {
    options.clear();
    controllers.clear();
    CatalogueFixture::TearDown();
}

void UnitFixture::AddRow(Cls_ChOutdoorUnit& unit, std::int32_t nType, double lwe, double a0, double a1,
                         double select2) {
    auto pRow = New<Cls_ChOutCapacity>();
    pRow->SetType(nType);
    pRow->SetLWETemp(lwe);
    pRow->SetSelect2(select2);
    pRow->SetA0(a0);
    pRow->SetA1(a1);
    pRow->SetChOutdoorUnit(&unit);
    Inserted(std::move(pRow));
}

void UnitFixture::AddCurve(Cls_ChOutdoorUnit& unit, std::int32_t nType, double a0, double a1, double a2) {
    auto pRow = New<Cls_ChOutCapacity>();
    pRow->SetType(nType);
    pRow->SetA0(a0);
    pRow->SetA1(a1);
    pRow->SetA2(a2);
    pRow->SetChOutdoorUnit(&unit);
    Inserted(std::move(pRow));
}

std::unique_ptr<Cls_ChOutdoorUnit> UnitFixture::NewUnit(std::int32_t nFamily, std::int32_t nCondenserType,
                                                       double dScale) {
    auto pUnit = New<Cls_ChOutdoorUnit>();
    pUnit->SetName("TU 120");
    pUnit->SetFamily(nFamily);
    pUnit->SetCondenserType(nCondenserType);
    pUnit->SetCMinITemp(4.0), pUnit->SetCMaxITemp(15.0), pUnit->SetCMinOTemp(15.0), pUnit->SetCMaxOTemp(46.0);
    pUnit->SetHMinITemp(25.0), pUnit->SetHMaxITemp(55.0), pUnit->SetHMinOTemp(-15.0), pUnit->SetHMaxOTemp(20.0);
    pUnit->SetCIndLowerLimit(20.0), pUnit->SetCIndUpperLimit(45.0);
    pUnit->SetHIndLowerLimit(-10.0), pUnit->SetHIndUpperLimit(15.0);
    pUnit->SetMinWFRE(100.0 * dScale), pUnit->SetMaxWFRE(600.0 * dScale);
    pUnit->SetMinWFRC(100.0 * dScale), pUnit->SetMaxWFRC(800.0 * dScale);
    pUnit->SetMinDTE(3.0), pUnit->SetMaxDTE(8.0), pUnit->SetMinDTC(3.0), pUnit->SetMaxDTC(8.0);
    pUnit->SetChController(controllers.front().get());
    pUnit = Inserted(std::move(pUnit));
    for (double lwe : {5.0, 7.0, 10.0}) {
        AddRow(*pUnit, cttCoolCap, lwe, dScale * (130.0 + 2.0 * (lwe - 7.0)), -dScale);
        AddRow(*pUnit, cttCoolPI, lwe, dScale * 30.0, dScale * 0.2);
    }
    for (double lwc : {35.0, 45.0}) {
        AddRow(*pUnit, cttHeatCap, lwc, dScale * (120.0 - (lwc - 35.0)), dScale * 2.0);
        AddRow(*pUnit, cttHeatPI, lwc, dScale * (35.0 + 0.5 * (lwc - 35.0)), 0.0);
    }
    AddCurve(*pUnit, cttEvapPressureDrop, 0.0, 0.0, 0.001 / (dScale * dScale));
    AddCurve(*pUnit, cttCondPressureDrop, 0.0, 0.0, 0.0005 / (dScale * dScale));
    return Reloaded(*pUnit);
}

std::unique_ptr<Cls_ChOutdoorUnit> UnitFixture::Reloaded(const Cls_ChOutdoorUnit& unit) {
    return RecordAs<Cls_ChOutdoorUnit>(factory->CreateObject(Cls_ChOutdoorUnit::kClassID, unit.GetID()));
}

std::unique_ptr<Cls_ChOptAllowed> UnitFixture::AddOption(Cls_ChOutdoorUnit& unit, std::int32_t nType,
                                                         const std::string& szName) {
    auto pOption = New<Cls_ChOption>();
    pOption->SetName(szName);
    pOption->SetType(nType);
    pOption = Inserted(std::move(pOption));
    auto pComb = New<Cls_ChOptAllowed>();
    pComb->SetDevice(&unit);
    pComb->SetDeviceOption(pOption.get());
    options.push_back(std::move(pOption));
    return Inserted(std::move(pComb));
}

TSelTempData UnitFixture::Criteria() const {
    TSelTempData t;
    t.CoolLeavingE = 7.0;
    t.CoolDeltaTE = 5.0;
    t.CoolLeavingC = 35.0;
    t.CoolDeltaTC = 5.0;
    t.Summer = 35.0;
    t.HeatLeavingC = 45.0;
    t.HeatDeltaTC = 5.0;
    t.HeatLeavingE = 10.0;
    t.HeatDeltaTE = 5.0;
    t.Winter = 7.0;
    t.HRLeaving = 45.0;
    t.HRDeltaT = 5.0;
    return t;
}

}  // namespace brumalis::testing
