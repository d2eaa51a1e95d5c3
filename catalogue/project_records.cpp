#include "catalogue/project_records.h"

#include "catalogue/records.h"

namespace brumalis {

void Cls_Visualization::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_Visualization_FIELDS(BRUMALIS_FIELD_INFO, Cls_Visualization)
}

CTRecordList<Cls_Device> Cls_Visualization::GetAllDevice() const { return RelatedRecords<Cls_Device>(*this, Cls_Device::fldVisualization); }

void Cls_ChProject::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChProject_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChProject)
}

CTRecordList<Cls_ChSolution> Cls_ChProject::GetAllChSolution() const { return RelatedRecords<Cls_ChSolution>(*this, Cls_ChSolution::fldChProject); }

void Cls_ChSolution::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChSolution_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChSolution)
}
Cls_ChSolution_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChSolution)

CTRecordList<Cls_ChSelChiller> Cls_ChSolution::GetAllChSelChiller() const { return RelatedRecords<Cls_ChSelChiller>(*this, Cls_ChSelChiller::fldChSolution); }

void Cls_ChSelChiller::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChSelChiller_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChSelChiller)
}
Cls_ChSelChiller_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChSelChiller)

CTRecordList<Cls_ChUsedOption> Cls_ChSelChiller::GetAllChUsedOption() const { return RelatedRecords<Cls_ChUsedOption>(*this, Cls_ChUsedOption::fldChSelChiller); }

void Cls_ChUsedOption::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChUsedOption_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChUsedOption)
}
Cls_ChUsedOption_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChUsedOption)

void Cls_ChVisualization::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_ChVisualization_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChVisualization)
}

CTRecordList<Cls_ChOutdoorUnit> Cls_ChVisualization::GetAllChOutdoorUnit() const { return RelatedRecords<Cls_ChOutdoorUnit>(*this, Cls_ChOutdoorUnit::fldChVisualization); }

CTRecordList<Cls_ChOutdoorUnit> Cls_ChVisualization::GetAllChOutdoorUnit2() const { return RelatedRecords<Cls_ChOutdoorUnit>(*this, Cls_ChOutdoorUnit::fldChVisualization2); }

}  // namespace brumalis
