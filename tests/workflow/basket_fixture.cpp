#include "tests/workflow/basket_fixture.h"

namespace brumalis::testing {

void BasketFixture::TearDown() {
    session.ClearWork();
    session.v_Options.clear();
    session.v_Glycols.clear();
    session.v_PrefChillers.clear();
    session.v_Outdoors.clear();
    UnitFixture::TearDown();
}

Cls_ChOutdoorUnit* BasketFixture::AddUnit(const std::string& szName, double dScale, std::int32_t nFamily) {
    auto pUnit = NewUnit(nFamily, 0, dScale);
    pUnit->SetName(szName);
    pUnit->Update();
    session.v_Outdoors.push_back(std::move(pUnit));
    session.v_PrefChillers.push_back(session.v_Outdoors.back().get());
    return session.v_PrefChillers.back();
}

void BasketFixture::ReloadOptions() {
    session.v_Options = RecordsAs<Cls_ChOption>(CTDbObject::GetAllRecords(Cls_ChOption::kClassID, false));
}

Cls_ChOption* BasketFixture::Option(const std::string& szName) const {
    for (const auto& p : session.v_Options) {
        if (p->GetName() == szName) return p.get();
    }
    return nullptr;
}

Cls_ChOptAllowed* BasketFixture::Comb(Cls_ChOutdoorUnit& unit, std::int32_t nSeqNr, const std::string& szOption) const {
    const Cls_ChOption* pOption = Option(szOption);
    return pOption ? unit.GetSpecificOptComb(pOption->TableIndex(), pOption->GetID(), nSeqNr) : nullptr;
}

bool BasketFixture::Selected(Cls_ChOutdoorUnit& unit, std::int32_t nSeqNr, const std::string& szOption) const {
    const Cls_ChOptAllowed* pComb = Comb(unit, nSeqNr, szOption);
    return pComb && pComb->GetSelected();
}

TChillerData BasketFixture::Result(double dCap) {
    TChillerData d = GetInitChillerData();
    d.TempSelData.CoolLeavingE = 7.0;
    d.TempSelData.CoolDeltaTE = 5.0;
    d.TempSelData.Summer = 35.0;
    d.CoolData.Cap = dCap;
    d.CoolData.CapNoGlycol = dCap * 1.02;
    d.CoolData.PI = dCap / 3.1;
    d.CoolData.EERCOP = 3.1;
    d.CoolData.Deviation = 1.0 / 3.0;
    d.Evaporator.WFR = dCap * 2.87;
    d.Evaporator.PD = 31.7;
    d.SoundPower = 82.4;
    d.SoundDistances = Cls_ChOutdoorUnit::GetInitSoundDistances();
    d.SoundPressures = {74.4, 62.1, 57.3};
    return d;
}

}  // namespace brumalis::testing
