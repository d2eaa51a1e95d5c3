// The power supplies a unit is offered for, and its standard electrical data.
#include "catalogue/records.h"

namespace brumalis {
namespace {

bool Refers(std::int32_t nClsID, std::int32_t nObjID, const CTDbObject& target) {
    return nObjID > 0 && nObjID == target.GetID() && nClsID == target.TableIndex();
}

Cls_PowerSupply* FindSupply(const CTRecordList<Cls_PowerSupply>& ThePS, std::int32_t nClsID, std::int32_t nObjID) {
    for (const auto& pSupply : ThePS) {
        if (Refers(nClsID, nObjID, *pSupply)) return pSupply.get();
    }
    return nullptr;
}

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
    v_AllPowerSupplies.clear();
    for (const auto& pComb : ThePSCombs) {
        std::int32_t nClsID = 0;
        std::int32_t nObjID = 0;
        pComb->GetDevice_REF(nClsID, nObjID);
        if (!Refers(nClsID, nObjID, *this)) continue;
        pComb->GetPowerSupply_REF(nClsID, nObjID);
        Cls_PowerSupply* pSupply = FindSupply(ThePS, nClsID, nObjID);
        if (pSupply && !pSupply->GetDeleted()) v_AllPowerSupplies.push_back(pSupply);
    }
}

}  // namespace brumalis
