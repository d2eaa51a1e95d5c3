// The project file tables (project, solutions, selected units, used options)
// and the picture tables.
#pragma once

#include "catalogue/record_support.h"
#include "catalogue/records_fwd.h"

namespace brumalis {

// Table "Tbl_Visualization" (191).
#define Cls_Visualization_FIELDS(X, C) \
    X(C, Binary, 1, Fld_SmallImage, SmallImage, ) \
    X(C, Binary, 2, Fld_LargeImage, LargeImage, ) \
    X(C, Integer, 3, Fld_DeviceClassID, DeviceClassID, 0) \
    X(C, Integer, 4, Fld_DeviceFamily, DeviceFamily, 0) \
    X(C, Integer, 5, Fld_LargeImageType, LargeImageType, 0) \
    X(C, Name, 6, Fld_Name, Name, "")
class Cls_Visualization : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_Visualization, CTDbObject, 191)
public:
    Cls_Visualization_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_Visualization)
    CTRecordList<Cls_Device> GetAllDevice() const;
};

// Table "Tbl_ChProject" (243).
#define Cls_ChProject_FIELDS(X, C) \
    X(C, Name, 1, Fld_Name, Name, "") \
    X(C, String, 2, Fld_ProjectReference, ProjectReference, "") \
    X(C, String, 3, Fld_ClientName, ClientName, "") \
    X(C, String, 4, Fld_ClientAddress, ClientAddress, "") \
    X(C, String, 5, Fld_DBVersion, DBVersion, "1.0") \
    X(C, String, 6, Fld_OrvaneDefinedVersion, OrvaneDefinedVersion, "")
class Cls_ChProject : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChProject, CTDbObject, 243)
public:
    Cls_ChProject_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChProject)
    CTRecordList<Cls_ChSolution> GetAllChSolution() const;
};

// Table "Tbl_ChSolution" (244).
#define Cls_ChSolution_FIELDS(X, C) \
    X(C, Double, 1, Fld_ReqCoolCap, ReqCoolCap, 0.0) \
    X(C, Double, 2, Fld_ReqHeatCap, ReqHeatCap, 0.0) \
    X(C, Reference, 3, Fld_ChProject, ChProject, Cls_ChProject)
class Cls_ChSolution : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChSolution, CTDbObject, 244)
public:
    Cls_ChSolution_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChSolution)
    CTRecordList<Cls_ChSelChiller> GetAllChSelChiller() const;
};

// Table "Tbl_ChSelChiller" (245).
#define Cls_ChSelChiller_FIELDS(X, C) \
    X(C, Boolean, 1, Fld_SelectCooling, SelectCooling, true) \
    X(C, Double, 2, Fld_CoolLeavingE, CoolLeavingE, 0.0) \
    X(C, Double, 3, Fld_CoolLeavingC, CoolLeavingC, 0.0) \
    X(C, Double, 4, Fld_CoolDeltaTE, CoolDeltaTE, 5.0) \
    X(C, Double, 5, Fld_CoolDeltaTC, CoolDeltaTC, 5.0) \
    X(C, Double, 6, Fld_Summer, Summer, 0.0) \
    X(C, Double, 7, Fld_HeatLeavingE, HeatLeavingE, 0.0) \
    X(C, Double, 8, Fld_HeatLeavingC, HeatLeavingC, 0.0) \
    X(C, Double, 9, Fld_HeatDeltaTE, HeatDeltaTE, 5.0) \
    X(C, Double, 10, Fld_HeatDeltaTC, HeatDeltaTC, 5.0) \
    X(C, Double, 11, Fld_Winter, Winter, 0.0) \
    X(C, Double, 12, Fld_HRLeaving, HRLeaving, 0.0) \
    X(C, Double, 13, Fld_HRDeltaT, HRDeltaT, 5.0) \
    X(C, Double, 14, Fld_CoolCapNoGlycol, CoolCapNoGlycol, 0.0) \
    X(C, Double, 15, Fld_CoolCap, CoolCap, 0.0) \
    X(C, Double, 16, Fld_CoolPINoGlycol, CoolPINoGlycol, 0.0) \
    X(C, Double, 17, Fld_CoolPI, CoolPI, 0.0) \
    X(C, Double, 18, Fld_CoolEER, CoolEER, 0.0) \
    X(C, Double, 19, Fld_CoolDeviation, CoolDeviation, 0.0) \
    X(C, Double, 20, Fld_HeatCapNoGlycol, HeatCapNoGlycol, 0.0) \
    X(C, Double, 21, Fld_HeatCap, HeatCap, 0.0) \
    X(C, Double, 22, Fld_HeatPINoGlycol, HeatPINoGlycol, 0.0) \
    X(C, Double, 23, Fld_HeatPI, HeatPI, 0.0) \
    X(C, Double, 24, Fld_HeatCOP, HeatCOP, 0.0) \
    X(C, Double, 25, Fld_HeatDeviation, HeatDeviation, 0.0) \
    X(C, Double, 26, Fld_HRCC, HRCC, -1.0) \
    X(C, Double, 27, Fld_HRPI, HRPI, -1.0) \
    X(C, Double, 28, Fld_HRHR, HRHR, 0.0) \
    X(C, Double, 29, Fld_HRPercentage, HRPercentage, 0.0) \
    X(C, Double, 30, Fld_HRCop, HRCop, 0.0) \
    X(C, Double, 31, Fld_EBrinePercent, EBrinePercent, 0.0) \
    X(C, Double, 32, Fld_EDeltaT, EDeltaT, 0.0) \
    X(C, Double, 33, Fld_EWFRNoGlycol, EWFRNoGlycol, 0.0) \
    X(C, Double, 34, Fld_EWFR, EWFR, 0.0) \
    X(C, Double, 35, Fld_EPD, EPD, 0.0) \
    X(C, Double, 36, Fld_CBrinePercent, CBrinePercent, 0.0) \
    X(C, Double, 37, Fld_CDeltaT, CDeltaT, 0.0) \
    X(C, Double, 38, Fld_CWFRNoGlycol, CWFRNoGlycol, 0.0) \
    X(C, Double, 39, Fld_CWFR, CWFR, 0.0) \
    X(C, Double, 40, Fld_CPD, CPD, 0.0) \
    X(C, Double, 41, Fld_HRBrinePercent, HRBrinePercent, 0.0) \
    X(C, Double, 42, Fld_HRFluidDeltaT, HRFluidDeltaT, 0.0) \
    X(C, Double, 43, Fld_HRWFRNoGlycol, HRWFRNoGlycol, 0.0) \
    X(C, Double, 44, Fld_HRWFR, HRWFR, 0.0) \
    X(C, Double, 45, Fld_HRPD, HRPD, 0.0) \
    X(C, Double, 46, Fld_SoundPower, SoundPower, 0.0) \
    X(C, Double, 47, Fld_SoundDistance1, SoundDistance1, 1.0) \
    X(C, Double, 48, Fld_SoundDistance2, SoundDistance2, 5.0) \
    X(C, Double, 49, Fld_SoundDistance3, SoundDistance3, 10.0) \
    X(C, Double, 50, Fld_SoundPressure1, SoundPressure1, 0.0) \
    X(C, Double, 51, Fld_SoundPressure2, SoundPressure2, 0.0) \
    X(C, Double, 52, Fld_SoundPressure3, SoundPressure3, 0.0) \
    X(C, Integer, 53, Fld_ChillerClsId, ChillerClsId, 0) \
    X(C, Integer, 54, Fld_ChillerObjId, ChillerObjId, 0) \
    X(C, Integer, 55, Fld_EBrineClsId, EBrineClsId, 0) \
    X(C, Integer, 56, Fld_EBrineObjId, EBrineObjId, 0) \
    X(C, Integer, 57, Fld_CBrineClsId, CBrineClsId, 0) \
    X(C, Integer, 58, Fld_CBrineObjId, CBrineObjId, 0) \
    X(C, Integer, 59, Fld_HRBrineClsId, HRBrineClsId, 0) \
    X(C, Integer, 60, Fld_HRBrineObjId, HRBrineObjId, 0) \
    X(C, Reference, 61, Fld_ChSolution, ChSolution, Cls_ChSolution)
class Cls_ChSelChiller : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChSelChiller, CTDbObject, 245)
public:
    Cls_ChSelChiller_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChSelChiller)
    CTRecordList<Cls_ChUsedOption> GetAllChUsedOption() const;
};

// Table "Tbl_ChUsedOption" (246).
#define Cls_ChUsedOption_FIELDS(X, C) \
    X(C, Integer, 1, Fld_OptionClsId, OptionClsId, 0) \
    X(C, Integer, 2, Fld_OptionObjId, OptionObjId, 0) \
    X(C, Boolean, 3, Fld_IsCalcStandard, IsCalcStandard, false) \
    X(C, Reference, 4, Fld_ChSelChiller, ChSelChiller, Cls_ChSelChiller)
class Cls_ChUsedOption : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChUsedOption, CTDbObject, 246)
public:
    Cls_ChUsedOption_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChUsedOption)
};

// Table "Tbl_ChVisualization" (313).
#define Cls_ChVisualization_FIELDS(X, C) \
    X(C, Binary, 1, Fld_Drawing, Drawing, ) \
    X(C, Name, 2, Fld_Name, Name, "") \
    X(C, Integer, 3, Fld_Type, Type, 0)
class Cls_ChVisualization : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChVisualization, CTDbObject, 313)
public:
    Cls_ChVisualization_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChVisualization)
    CTRecordList<Cls_ChOutdoorUnit> GetAllChOutdoorUnit() const;
    CTRecordList<Cls_ChOutdoorUnit> GetAllChOutdoorUnit2() const;
};

}  // namespace brumalis
