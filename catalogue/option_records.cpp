#include "catalogue/option_records.h"

#include "catalogue/records.h"

namespace brumalis {

void Cls_DeviceOption::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_DeviceOption_FIELDS(BRUMALIS_FIELD_INFO, Cls_DeviceOption)
}

CTRecordList<Cls_DevOptCombination> Cls_DeviceOption::GetAllDevOptCombination() const { return RelatedRecords<Cls_DevOptCombination>(*this, Cls_DevOptCombination::fldDeviceOption); }

void Cls_ChOption::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_DeviceOption::Initialize(tblInfo, szIDFieldName.empty() ? "OPT_ID" : szIDFieldName);
    Cls_ChOption_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOption)
}

CTRecordList<Cls_ChLWEStep> Cls_ChOption::GetAllChLWEStep() const { return RelatedRecords<Cls_ChLWEStep>(*this, Cls_ChLWEStep::fldChOption); }

CTRecordList<Cls_ChOptExcludes> Cls_ChOption::GetAllChOptExcludes() const { return RelatedRecords<Cls_ChOptExcludes>(*this, Cls_ChOptExcludes::fldChOption); }

CTRecordList<Cls_ChOptExcludes> Cls_ChOption::GetAllChOptExcludes2() const { return RelatedRecords<Cls_ChOptExcludes>(*this, Cls_ChOptExcludes::fldChOption2); }

void Cls_ChOptExcludes::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "OEX_ID" : szIDFieldName);
    Cls_ChOptExcludes_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOptExcludes)
}
Cls_ChOptExcludes_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChOptExcludes)

void Cls_DevOptCombination::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_DevOptCombination_FIELDS(BRUMALIS_FIELD_INFO, Cls_DevOptCombination)
}
Cls_DevOptCombination_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_DevOptCombination)

void Cls_ChOptAllowed::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_DevOptCombination::Initialize(tblInfo, szIDFieldName.empty() ? "OPA_ID" : szIDFieldName);
    Cls_ChOptAllowed_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOptAllowed)
}

std::unique_ptr<Cls_ChLowNoise> Cls_ChOptAllowed::GetTheChLowNoise() const { return SingleRelatedRecord<Cls_ChLowNoise>(*this, Cls_ChLowNoise::fldChOptAllowed); }

std::unique_ptr<Cls_ChPumpData> Cls_ChOptAllowed::GetTheChPumpData() const { return SingleRelatedRecord<Cls_ChPumpData>(*this, Cls_ChPumpData::fldChOptAllowed); }

CTRecordList<Cls_ChOptionHR> Cls_ChOptAllowed::GetAllChOptionHR() const { return RelatedRecords<Cls_ChOptionHR>(*this, Cls_ChOptionHR::fldChOptAllowed); }

std::unique_ptr<Cls_ChOptionPD> Cls_ChOptAllowed::GetTheChOptionPD() const { return SingleRelatedRecord<Cls_ChOptionPD>(*this, Cls_ChOptionPD::fldChOptAllowed); }

void Cls_ChLowNoise::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "LND_ID" : szIDFieldName);
    Cls_ChLowNoise_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChLowNoise)
}
Cls_ChLowNoise_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChLowNoise)

CTRecordList<Cls_ChLowNoiseCapacity> Cls_ChLowNoise::GetAllChLowNoiseCapacity() const { return RelatedRecords<Cls_ChLowNoiseCapacity>(*this, Cls_ChLowNoiseCapacity::fldChLowNoise); }

void Cls_ChOptionCode::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "OPC_ID" : szIDFieldName);
    Cls_ChOptionCode_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOptionCode)
}

CTRecordList<Cls_ChOptionCodeCombination> Cls_ChOptionCode::GetAllChOptionCodeCombination() const { return RelatedRecords<Cls_ChOptionCodeCombination>(*this, Cls_ChOptionCodeCombination::fldChOptionCode); }

void Cls_ChOptionCodeCombination::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "OCC_ID" : szIDFieldName);
    Cls_ChOptionCodeCombination_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOptionCodeCombination)
}
Cls_ChOptionCodeCombination_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChOptionCodeCombination)

void Cls_PowerSupply::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "PWS_ID" : szIDFieldName);
    Cls_PowerSupply_FIELDS(BRUMALIS_FIELD_INFO, Cls_PowerSupply)
}

CTRecordList<Cls_DevPSAllowed> Cls_PowerSupply::GetAllDevPSAllowed() const { return RelatedRecords<Cls_DevPSAllowed>(*this, Cls_DevPSAllowed::fldPowerSupply); }

void Cls_DevPSAllowed::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_DevPSAllowed_FIELDS(BRUMALIS_FIELD_INFO, Cls_DevPSAllowed)
}
Cls_DevPSAllowed_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_DevPSAllowed)

void Cls_ChPSAllowed::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_DevPSAllowed::Initialize(tblInfo, szIDFieldName.empty() ? "PSA_ID" : szIDFieldName);
    Cls_ChPSAllowed_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChPSAllowed)
}

void Cls_ChOptAllowed::RemoveWithAttachedData() {
    if (auto pLowNoise = GetTheChLowNoise()) pLowNoise->Remove();
    if (auto pPump = GetTheChPumpData()) pPump->Remove();
    if (auto pCurve = GetTheChOptionPD()) pCurve->Remove();
    for (auto& pRow : GetAllChOptionHR()) pRow->Remove();
    Remove();
}

}  // namespace brumalis
