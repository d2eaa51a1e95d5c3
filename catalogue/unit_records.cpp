#include "catalogue/unit_records.h"

#include "catalogue/records.h"

namespace brumalis {

void Cls_Device::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_Device_FIELDS(BRUMALIS_FIELD_INFO, Cls_Device)
}
Cls_Device_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_Device)

CTRecordList<Cls_DevOptCombination> Cls_Device::GetAllDevOptCombination() const { return RelatedRecords<Cls_DevOptCombination>(*this, Cls_DevOptCombination::fldDevice); }

CTRecordList<Cls_DevPSAllowed> Cls_Device::GetAllDevPSAllowed() const { return RelatedRecords<Cls_DevPSAllowed>(*this, Cls_DevPSAllowed::fldDevice); }

std::unique_ptr<Cls_DeviceDocumentation> Cls_Device::GetTheDeviceDocumentation() const { return SingleRelatedRecord<Cls_DeviceDocumentation>(*this, Cls_DeviceDocumentation::fldDevice); }

void Cls_OutdoorDevice::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_Device::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_OutdoorDevice_FIELDS(BRUMALIS_FIELD_INFO, Cls_OutdoorDevice)
}
Cls_OutdoorDevice_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_OutdoorDevice)

void Cls_ChCompressor::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "CMP_ID" : szIDFieldName);
    Cls_ChCompressor_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChCompressor)
}

CTRecordList<Cls_ChOutdoorUnit> Cls_ChCompressor::GetAllChOutdoorUnit() const { return RelatedRecords<Cls_ChOutdoorUnit>(*this, Cls_ChOutdoorUnit::fldChCompressor); }

void Cls_Refrigerant::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "RFR_ID" : szIDFieldName);
    Cls_Refrigerant_FIELDS(BRUMALIS_FIELD_INFO, Cls_Refrigerant)
}

CTRecordList<Cls_OutdoorDevice> Cls_Refrigerant::GetAllOutdoorDevice() const { return RelatedRecords<Cls_OutdoorDevice>(*this, Cls_OutdoorDevice::fldRefrigerant); }

void Cls_ChOutdoorUnit::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_OutdoorDevice::Initialize(tblInfo, szIDFieldName.empty() ? "OUT_ID" : szIDFieldName);
    Cls_ChOutdoorUnit_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOutdoorUnit)
}
Cls_ChOutdoorUnit_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChOutdoorUnit)

CTRecordList<Cls_ChFreezeUp> Cls_ChOutdoorUnit::GetAllChFreezeUp() const { return RelatedRecords<Cls_ChFreezeUp>(*this, Cls_ChFreezeUp::fldChOutdoorUnit); }

CTRecordList<Cls_ChOutCapacity> Cls_ChOutdoorUnit::GetAllChOutCapacity() const { return RelatedRecords<Cls_ChOutCapacity>(*this, Cls_ChOutCapacity::fldChOutdoorUnit); }

CTRecordList<Cls_ChDeviceHR> Cls_ChOutdoorUnit::GetAllChDeviceHR() const { return RelatedRecords<Cls_ChDeviceHR>(*this, Cls_ChDeviceHR::fldChOutdoorUnit); }

void Cls_ChFreezeUp::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "FRE_ID" : szIDFieldName);
    Cls_ChFreezeUp_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChFreezeUp)
}
Cls_ChFreezeUp_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChFreezeUp)

void Cls_ChLimits::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Lim_ID" : szIDFieldName);
    Cls_ChLimits_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChLimits)
}

void Cls_DeviceDocumentation::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_DeviceDocumentation_FIELDS(BRUMALIS_FIELD_INFO, Cls_DeviceDocumentation)
}
Cls_DeviceDocumentation_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_DeviceDocumentation)

void Cls_OutdoorDocumentation::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_DeviceDocumentation::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_OutdoorDocumentation_FIELDS(BRUMALIS_FIELD_INFO, Cls_OutdoorDocumentation)
}

void Cls_ChOutDocumentation::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_OutdoorDocumentation::Initialize(tblInfo, szIDFieldName.empty() ? "ODC_ID" : szIDFieldName);
    Cls_ChOutDocumentation_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOutDocumentation)
}

void Cls_ChHRTotalPartial::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChHRTotalPartial_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChHRTotalPartial)
}

void Cls_ChDeviceHR::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_ChHRTotalPartial::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChDeviceHR_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChDeviceHR)
}
Cls_ChDeviceHR_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChDeviceHR)

void Cls_ChOptionHR::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_ChHRTotalPartial::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChOptionHR_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOptionHR)
}
Cls_ChOptionHR_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChOptionHR)

}  // namespace brumalis
