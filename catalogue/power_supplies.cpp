// The power supplies a unit is offered for, and its standard electrical data.
#include <map>
#include <utility>

#include "catalogue/records.h"

namespace brumalis {
namespace {

using TRecordKey = std::pair<std::int32_t, std::int32_t>;  // class ID, record ID

TRecordKey KeyOf(const CTDbObject& record) { return {record.TableIndex(), record.GetID()}; }

std::unique_ptr<Cls_PowerSupply> FirstDefaultSupply() {
    for (auto& pSupply : RecordsAs<Cls_PowerSupply>(CTDbObject::GetAllRecords(Cls_PowerSupply::kClassID, true))) {
        if (pSupply->GetDefault()) return std::move(pSupply);
    }
    return nullptr;
}

}  // namespace

void Cls_Device::GetStandardPSData(std::unique_ptr<Cls_PowerSupply>& PS,
                                   std::unique_ptr<Cls_DevPSAllowed>& ElectricalData) const {
    CTRecordList<Cls_DevPSAllowed> rows = GetAllDevPSAllowed();
    if (rows.empty()) {
        ElectricalData.reset();
        PS = FirstDefaultSupply();
        return;
    }
    ElectricalData = std::move(rows.front());
    PS = ElectricalData->GetPowerSupply();
}

void Cls_ChOutdoorUnit::LoadAllPowerSupplies(const CTRecordList<Cls_ChPSAllowed>& ThePSCombs,
                                             const CTRecordList<Cls_PowerSupply>& ThePS) {
    LoadAllPowerSupplies({this}, ThePSCombs, ThePS);
}

// One pass over the combinations for all units: the start loads every unit,
// and a pass per unit would read every combination once for each of them.
void Cls_ChOutdoorUnit::LoadAllPowerSupplies(const std::vector<Cls_ChOutdoorUnit*>& Units,
                                             const CTRecordList<Cls_ChPSAllowed>& ThePSCombs,
                                             const CTRecordList<Cls_PowerSupply>& ThePS) {
    std::map<TRecordKey, Cls_ChOutdoorUnit*> units;
    for (Cls_ChOutdoorUnit* pUnit : Units) {
        pUnit->v_AllPowerSupplies.clear();
        units.emplace(KeyOf(*pUnit), pUnit);
    }
    std::map<TRecordKey, Cls_PowerSupply*> supplies;  // the first of equal keys
    for (const auto& pSupply : ThePS) supplies.emplace(KeyOf(*pSupply), pSupply.get());
    for (const auto& pComb : ThePSCombs) {
        std::int32_t nClsID = 0;
        std::int32_t nObjID = 0;
        pComb->GetDevice_REF(nClsID, nObjID);
        const auto unit = units.find({nClsID, nObjID});
        if (nObjID <= 0 || unit == units.end()) continue;
        pComb->GetPowerSupply_REF(nClsID, nObjID);
        const auto supply = supplies.find({nClsID, nObjID});
        if (nObjID <= 0 || supply == supplies.end() || supply->second->GetDeleted()) continue;
        unit->second->v_AllPowerSupplies.push_back(supply->second);
    }
}

}  // namespace brumalis
