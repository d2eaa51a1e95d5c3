// Units (devices, outdoor devices, chillers and heat pumps) with what
// describes them: compressor type, refrigerant, freeze-up factors, selection
// limits, documentation and heat-recovery rows.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/brine_records.h"
#include "catalogue/capacity_table.h"
#include "catalogue/chiller_data.h"
#include "catalogue/option_records.h"
#include "catalogue/polynomial_records.h"
#include "catalogue/record_support.h"
#include "catalogue/records_fwd.h"
#include "catalogue/unit_classes.h"

namespace brumalis {

class TFreezeUpCh;

// Table "Tbl_Device" (162, abstract).
#define Cls_Device_FIELDS(X, C) \
    X(C, Integer, 1, Fld_ReleaseStatus, ReleaseStatus, 0) \
    X(C, Translated, 2, Fld_GroupName, GroupName, "") \
    X(C, Name, 3, Fld_Name, Name, "") \
    X(C, Deleted, 4, Fld_Deleted, Deleted, false) \
    X(C, Integer, 5, Fld_ProductFamily, ProductFamily, 0) \
    X(C, Reference, 6, Fld_Visualization, Visualization, Cls_Visualization)
class Cls_Device : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_Device, CTDbObject, 162)
public:
    Cls_Device_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_Device)
    CTRecordList<Cls_DevOptCombination> GetAllDevOptCombination() const;
    CTRecordList<Cls_DevPSAllowed> GetAllDevPSAllowed() const;
    std::unique_ptr<Cls_DeviceDocumentation> GetTheDeviceDocumentation() const;

    // The first allowed-supply row of the device and its supply; without one,
    // no electrical data and the first supply marked default (or none).
    void GetStandardPSData(std::unique_ptr<Cls_PowerSupply>& PS, std::unique_ptr<Cls_DevPSAllowed>& ElectricalData) const;
};

// Table "Tbl_OutdoorDevice" (168, abstract).
#define Cls_OutdoorDevice_FIELDS(X, C) \
    X(C, Double, 8, Fld_HMinITemp, HMinITemp, 0.0) \
    X(C, Double, 9, Fld_HMaxITemp, HMaxITemp, 0.0) \
    X(C, Double, 10, Fld_HMinOTemp, HMinOTemp, 0.0) \
    X(C, Double, 11, Fld_CMaxOTemp, CMaxOTemp, 0.0) \
    X(C, Double, 12, Fld_CMinITemp, CMinITemp, 0.0) \
    X(C, Double, 13, Fld_CMaxITemp, CMaxITemp, 0.0) \
    X(C, Double, 14, Fld_CMinOTemp, CMinOTemp, 0.0) \
    X(C, Double, 15, Fld_HMaxOTemp, HMaxOTemp, 0.0) \
    X(C, Integer, 16, Fld_Family, Family, 1) \
    X(C, String, 17, Fld_Series, Series, "") \
    X(C, Double, 18, Fld_HIndLowerLimit, HIndLowerLimit, 0.0) \
    X(C, Double, 19, Fld_CIndUpperLimit, CIndUpperLimit, 0.0) \
    X(C, Double, 20, Fld_CIndLowerLimit, CIndLowerLimit, 0.0) \
    X(C, Double, 21, Fld_HIndUpperLimit, HIndUpperLimit, 0.0) \
    X(C, Double, 22, Fld_HDOutUR, HDOutUR, 0.0) \
    X(C, Double, 23, Fld_CDOutLL, CDOutLL, 0.0) \
    X(C, Double, 24, Fld_CDOutUL, CDOutUL, 0.0) \
    X(C, Double, 25, Fld_CDOutLR, CDOutLR, 0.0) \
    X(C, Double, 26, Fld_CDIndUR, CDIndUR, 0.0) \
    X(C, Double, 27, Fld_CDIndLL, CDIndLL, 0.0) \
    X(C, Double, 28, Fld_CDIndLR, CDIndLR, 0.0) \
    X(C, Double, 29, Fld_CDIndUL, CDIndUL, 0.0) \
    X(C, Double, 30, Fld_CDOutUR, CDOutUR, 0.0) \
    X(C, Double, 31, Fld_HDOutLL, HDOutLL, 0.0) \
    X(C, Double, 32, Fld_HDOutLR, HDOutLR, 0.0) \
    X(C, Double, 33, Fld_HDOutUL, HDOutUL, 0.0) \
    X(C, Double, 34, Fld_HDIndUR, HDIndUR, 0.0) \
    X(C, Double, 35, Fld_HDIndLL, HDIndLL, 0.0) \
    X(C, Double, 36, Fld_HDIndLR, HDIndLR, 0.0) \
    X(C, Double, 37, Fld_HDIndUL, HDIndUL, 0.0) \
    X(C, Reference, 38, Fld_Refrigerant, Refrigerant, Cls_Refrigerant)
class Cls_OutdoorDevice : public Cls_Device {
    BRUMALIS_RECORD_CLASS(Cls_OutdoorDevice, Cls_Device, 168)
public:
    Cls_OutdoorDevice_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_OutdoorDevice)
};

// Table "Tbl_ChCompressor" (188).
#define Cls_ChCompressor_FIELDS(X, C) \
    X(C, Double, 1, CMP_RemMaxLimit, RemMaxLimit, 0.0) \
    X(C, Double, 2, CMP_RemMinLimit, RemMinLimit, 0.0) \
    X(C, Deleted, 3, CMP_Deleted, Deleted, false) \
    X(C, TranslatedName, 4, CMP_Name, Name, "") \
    X(C, Double, 5, CMP_AirMaxLimit, AirMaxLimit, 0.0) \
    X(C, Double, 6, CMP_AirMinLimit, AirMinLimit, 0.0) \
    X(C, Double, 7, CMP_H2OMinLimit, H2OMinLimit, 0.0) \
    X(C, Double, 8, CMP_H2OMaxLimit, H2OMaxLimit, 0.0)
class Cls_ChCompressor : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChCompressor, CTDbObject, 188)
public:
    Cls_ChCompressor_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChCompressor)
    CTRecordList<Cls_ChOutdoorUnit> GetAllChOutdoorUnit() const;
};

// Table "Tbl_Refrigerant" (128).
#define Cls_Refrigerant_FIELDS(X, C) \
    X(C, Integer, 1, RFR_Rank, Rank, 0) \
    X(C, Deleted, 2, RFR_Deleted, Deleted, false) \
    X(C, Name, 3, RFR_Name, Name, "")
class Cls_Refrigerant : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_Refrigerant, CTDbObject, 128)
public:
    Cls_Refrigerant_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_Refrigerant)

    // All refrigerants minus those the user does not allow (the "REFRIG_NA" text).
    static CTRecordList<Cls_Refrigerant> GetAppliedRefrigerants();
    // The applied ones without the deleted ones.
    static CTRecordList<Cls_Refrigerant> GetAllowedRefrigerants();
    // Stores the record IDs of pList as the not-allowed text.
    static void SetNotAllowedRefrigerants(const CTRecordList<Cls_Refrigerant>& pList);
    static void SetNotAllowedRefrigerantIds(const std::vector<std::int32_t>& ids);
    static std::int32_t GetRegDefault();
    static void SetRegDefault(std::int32_t id);
    CTRecordList<Cls_OutdoorDevice> GetAllOutdoorDevice() const;
};

// Table "Tbl_ChFreezeUp" (83).
#define Cls_ChFreezeUp_FIELDS(X, C) \
    X(C, Double, 1, FRE_Temp, Temp, 0.0) \
    X(C, Double, 2, FRE_Corr, Corr, 1.0) \
    X(C, Reference, 3, FRE_ChOutdoorUnit, ChOutdoorUnit, Cls_ChOutdoorUnit)
class Cls_ChFreezeUp : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChFreezeUp, CTDbObject, 83)
public:
    Cls_ChFreezeUp_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChFreezeUp)
};

// Table "Tbl_ChLimits" (190).
#define Cls_ChLimits_FIELDS(X, C) \
    X(C, Integer, 1, Lim_CACLW, CACLW, 45) \
    X(C, Integer, 2, Lim_CACEW, CACEW, 40) \
    X(C, Integer, 3, Lim_EHLW, EHLW, 7) \
    X(C, Integer, 4, Lim_EHEW, EHEW, 12) \
    X(C, Integer, 5, Lim_ECLW, ECLW, 7) \
    X(C, Integer, 6, Lim_ECEW, ECEW, 12) \
    X(C, Integer, 7, Lim_CWCLW, CWCLW, 35) \
    X(C, Integer, 8, Lim_CWCEW, CWCEW, 30) \
    X(C, Integer, 9, Lim_CWHEW, CWHEW, 30) \
    X(C, Integer, 10, Lim_Condensing, Condensing, 45) \
    X(C, Integer, 11, Lim_Winter, Winter, 7) \
    X(C, Integer, 12, Lim_MaxDeltaT, MaxDeltaT, 8) \
    X(C, Integer, 13, Lim_MinDeltaT, MinDeltaT, 3) \
    X(C, Integer, 14, Lim_CAHEW, CAHEW, 40) \
    X(C, Integer, 15, Lim_CWHLW, CWHLW, 35) \
    X(C, Integer, 16, Lim_Summer, Summer, 35) \
    X(C, Integer, 17, Lim_CAHLW, CAHLW, 45) \
    X(C, Integer, 18, Lim_MinWinterTemp, MinWinterTemp, -10) \
    X(C, Integer, 19, Lim_MaxSolutions, MaxSolutions, 4) \
    X(C, Double, 20, Lim_MaxHeatDeviation, MaxHeatDeviation, 0.2) \
    X(C, Integer, 21, Lim_MaxCondenserTemp, MaxCondenserTemp, 55) \
    X(C, Integer, 22, Lim_MinCondenserTemp, MinCondenserTemp, 12) \
    X(C, Double, 23, Lim_MinCoolDeviation, MinCoolDeviation, -0.2) \
    X(C, Integer, 24, Lim_VORP, VORP, 4) \
    X(C, Double, 25, Lim_MinHeatDeviation, MinHeatDeviation, -0.2) \
    X(C, Double, 26, Lim_MaxCoolDeviation, MaxCoolDeviation, 0.2) \
    X(C, Integer, 27, Lim_MaxCEvaporatorTemp, MaxCEvaporatorTemp, 29) \
    X(C, Integer, 28, Lim_MinHEvaporatorTemp, MinHEvaporatorTemp, 27) \
    X(C, Integer, 29, Lim_MinCEvaporatorTemp, MinCEvaporatorTemp, -12) \
    X(C, Integer, 30, Lim_MinSummerTemp, MinSummerTemp, 15) \
    X(C, Integer, 31, Lim_MinRCondensingTemp, MinRCondensingTemp, 25) \
    X(C, Integer, 32, Lim_MaxRCondensingTemp, MaxRCondensingTemp, 60) \
    X(C, Integer, 33, Lim_MaxHEvaporatorTemp, MaxHEvaporatorTemp, 50) \
    X(C, Integer, 34, Lim_MaxWinterTemp, MaxWinterTemp, 18) \
    X(C, Integer, 35, Lim_MaxSummerTemp, MaxSummerTemp, 45) \
    X(C, Double, 36, Lim_StoredMinTemp, StoredMinTemp, -10.0) \
    X(C, Double, 37, Lim_StoredMaxTemp, StoredMaxTemp, 45.0)
class Cls_ChLimits : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChLimits, CTDbObject, 190)
public:
    Cls_ChLimits_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChLimits)
};

// Table "Tbl_DeviceDocumentation" (166, abstract).
#define Cls_DeviceDocumentation_FIELDS(X, C) \
    X(C, Double, 1, Fld_Depth, Depth, 0.0) \
    X(C, Double, 2, Fld_Weight, Weight, 0.0) \
    X(C, Double, 3, Fld_Height, Height, 0.0) \
    X(C, Double, 4, Fld_Width, Width, 0.0) \
    X(C, Reference, 5, Fld_Device, Device, Cls_Device)
class Cls_DeviceDocumentation : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_DeviceDocumentation, CTDbObject, 166)
public:
    Cls_DeviceDocumentation_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_DeviceDocumentation)
};

// Table "Tbl_OutdoorDocumentation" (167, abstract).
#define Cls_OutdoorDocumentation_FIELDS(X, C) \
    X(C, Double, 7, Fld_Side, Side, 0.0) \
    X(C, Double, 8, Fld_Front, Front, 0.0) \
    X(C, Double, 9, Fld_Back, Back, 0.0) \
    X(C, Double, 10, Fld_SoundPressure, SoundPressure, 0.0) \
    X(C, Double, 11, Fld_SoundPower, SoundPower, 0.0)
class Cls_OutdoorDocumentation : public Cls_DeviceDocumentation {
    BRUMALIS_RECORD_CLASS(Cls_OutdoorDocumentation, Cls_DeviceDocumentation, 167)
public:
    Cls_OutdoorDocumentation_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_OutdoorDocumentation)
};

// Table "Tbl_ChOutDocumentation" (93).
#define Cls_ChOutDocumentation_FIELDS(X, C) \
    X(C, Double, 12, ODC_SoundSpec4000, SoundSpec4000, 0.0) \
    X(C, Double, 13, ODC_SoundSpec2000, SoundSpec2000, 0.0) \
    X(C, Double, 14, ODC_SoundSpec8000, SoundSpec8000, 0.0) \
    X(C, Double, 15, ODC_SoundSpec1000, SoundSpec1000, 0.0) \
    X(C, Double, 16, ODC_SoundSpec125, SoundSpec125, 0.0) \
    X(C, Double, 17, ODC_SoundSpec63, SoundSpec63, 0.0) \
    X(C, Double, 18, ODC_SoundSpec500, SoundSpec500, 0.0) \
    X(C, Double, 19, ODC_SoundSpec250, SoundSpec250, 0.0)
class Cls_ChOutDocumentation : public Cls_OutdoorDocumentation {
    BRUMALIS_RECORD_CLASS(Cls_ChOutDocumentation, Cls_OutdoorDocumentation, 93)
public:
    Cls_ChOutDocumentation_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOutDocumentation)
};

// Table "Tbl_ChHRTotalPartial" (232, abstract).
#define Cls_ChHRTotalPartial_FIELDS(X, C) \
    X(C, Double, 1, Fld_CoolCap, CoolCap, 0.0) \
    X(C, Double, 2, Fld_CoolPI, CoolPI, 0.0) \
    X(C, Double, 3, Fld_HeatRecovered, HeatRecovered, 0.0) \
    X(C, Double, 4, Fld_LWE, LWE, 0.0) \
    X(C, Double, 5, Fld_EWC, EWC, 0.0) \
    X(C, Double, 6, Fld_LWC, LWC, 0.0)
class Cls_ChHRTotalPartial : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChHRTotalPartial, CTDbObject, 232)
public:
    Cls_ChHRTotalPartial_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChHRTotalPartial)
};

// Table "Tbl_ChDeviceHR" (223).
#define Cls_ChDeviceHR_FIELDS(X, C) \
    X(C, Reference, 7, Fld_ChOutdoorUnit, ChOutdoorUnit, Cls_ChOutdoorUnit)
class Cls_ChDeviceHR : public Cls_ChHRTotalPartial {
    BRUMALIS_RECORD_CLASS(Cls_ChDeviceHR, Cls_ChHRTotalPartial, 223)
public:
    Cls_ChDeviceHR_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChDeviceHR)
};

// Table "Tbl_ChOptionHR" (230).
#define Cls_ChOptionHR_FIELDS(X, C) \
    X(C, Reference, 7, Fld_ChOptAllowed, ChOptAllowed, Cls_ChOptAllowed)
class Cls_ChOptionHR : public Cls_ChHRTotalPartial {
    BRUMALIS_RECORD_CLASS(Cls_ChOptionHR, Cls_ChHRTotalPartial, 230)
public:
    Cls_ChOptionHR_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOptionHR)
};

// Table "Tbl_ChOutdoorUnit" (94).
#define Cls_ChOutdoorUnit_FIELDS(X, C) \
    X(C, Double, 40, OUT_ESEERLWE, ESEERLWE, 0.0) \
    X(C, Double, 41, OUT_ESEERAmb25, ESEERAmb25, 0.0) \
    X(C, Double, 42, OUT_ESEERAmb50, ESEERAmb50, 0.0) \
    X(C, Double, 43, OUT_IPLVEER100, IPLVEER100, 0.0) \
    X(C, Double, 44, OUT_IPLVEER25, IPLVEER25, 0.0) \
    X(C, Double, 45, OUT_IPLVEER50, IPLVEER50, 0.0) \
    X(C, Double, 46, OUT_IPLVEER75, IPLVEER75, 0.0) \
    X(C, Double, 47, OUT_ESEERPI75, ESEERPI75, 0.0) \
    X(C, Double, 48, OUT_ESEERPI100, ESEERPI100, 0.0) \
    X(C, Double, 49, OUT_ESEERCC25, ESEERCC25, 0.0) \
    X(C, Double, 50, OUT_ESEERPI50, ESEERPI50, 0.0) \
    X(C, Double, 51, OUT_ESEERAmb75, ESEERAmb75, 0.0) \
    X(C, Double, 52, OUT_ESEERAmb100, ESEERAmb100, 0.0) \
    X(C, Double, 53, OUT_ESEERPI25, ESEERPI25, 0.0) \
    X(C, Double, 54, OUT_IPLVAmb75, IPLVAmb75, 0.0) \
    X(C, Double, 55, OUT_IPLVAmb100, IPLVAmb100, 0.0) \
    X(C, Double, 56, OUT_IPLVPI25, IPLVPI25, 0.0) \
    X(C, Double, 57, OUT_IPLVAmb50, IPLVAmb50, 0.0) \
    X(C, Double, 58, OUT_IPLVLWE, IPLVLWE, 0.0) \
    X(C, Double, 59, OUT_IPLVAmb25, IPLVAmb25, 0.0) \
    X(C, Double, 60, OUT_IPLVCC50, IPLVCC50, 0.0) \
    X(C, Double, 61, OUT_IPLVCC75, IPLVCC75, 0.0) \
    X(C, Double, 62, OUT_IPLVCC100, IPLVCC100, 0.0) \
    X(C, Double, 63, OUT_IPLVCC25, IPLVCC25, 0.0) \
    X(C, Double, 64, OUT_IPLVPI50, IPLVPI50, 0.0) \
    X(C, Double, 65, OUT_IPLVPI75, IPLVPI75, 0.0) \
    X(C, Double, 66, OUT_IPLVPI100, IPLVPI100, 0.0) \
    X(C, Double, 67, OUT_MinWFRC, MinWFRC, 0.0) \
    X(C, Double, 68, OUT_MaxWFRE, MaxWFRE, 0.0) \
    X(C, Double, 69, OUT_MinWFRE, MinWFRE, 0.0) \
    X(C, Double, 70, OUT_MaxWFRC, MaxWFRC, 0.0) \
    X(C, Integer, 71, OUT_BrandType, BrandType, 0) \
    X(C, String, 72, OUT_ComprStep, ComprStep, "1") \
    X(C, Integer, 73, OUT_ComprQuantity, ComprQuantity, 1) \
    X(C, Boolean, 74, OUT_Eurovent, Eurovent, false) \
    X(C, Boolean, 75, OUT_Outside, Outside, true) \
    X(C, Integer, 76, OUT_CondenserType, CondenserType, 0) \
    X(C, Double, 77, OUT_MinDTE, MinDTE, 0.0) \
    X(C, Double, 78, OUT_MaxDTC, MaxDTC, 0.0) \
    X(C, Double, 79, OUT_MinDTC, MinDTC, 0.0) \
    X(C, Double, 80, OUT_MaxDTE, MaxDTE, 0.0) \
    X(C, Double, 81, OUT_ESEEREER50, ESEEREER50, 0.0) \
    X(C, Double, 82, OUT_ESEEREER75, ESEEREER75, 0.0) \
    X(C, Double, 83, OUT_ESEEREER100, ESEEREER100, 0.0) \
    X(C, Double, 84, OUT_ESEEREER25, ESEEREER25, 0.0) \
    X(C, Double, 85, OUT_ESEERCC50, ESEERCC50, 0.0) \
    X(C, Double, 86, OUT_ESEERCC75, ESEERCC75, 0.0) \
    X(C, Double, 87, OUT_ESEERCC100, ESEERCC100, 0.0) \
    X(C, Double, 88, OUT_COP100, COP100, 0.0) \
    X(C, String, 89, OUT_EClass, EClass, "") \
    X(C, Double, 90, OUT_ESEER, ESEER, 0.0) \
    X(C, Boolean, 91, OUT_HasOptionCodes, HasOptionCodes, false) \
    X(C, String, 92, OUT_NameSuffix, NameSuffix, " ") \
    X(C, Boolean, 93, OUT_LocalOpRange, LocalOpRange, false) \
    X(C, Double, 94, OUT_IPLV, IPLV, 0.0) \
    X(C, Boolean, 95, OUT_HasPressureDropData, HasPressureDropData, true) \
    X(C, Reference, 96, OUT_ChController, ChController, Cls_ChController) \
    X(C, Reference, 98, OUT_ChCompressor, ChCompressor, Cls_ChCompressor) \
    X(C, Reference, 100, OUT_ChVisualization, ChVisualization, Cls_ChVisualization) \
    X(C, Reference, 102, OUT_ChVisualization2, ChVisualization2, Cls_ChVisualization)
class Cls_ChOutdoorUnit : public Cls_OutdoorDevice {
public:
    static constexpr std::int32_t kClassID = 94;
    explicit Cls_ChOutdoorUnit(std::int32_t nObjID = 0, CTBaseFactory* pFactory = nullptr);
    ~Cls_ChOutdoorUnit() override;
    static void Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName);

    Cls_ChOutdoorUnit_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOutdoorUnit)
    // The capacity steps as reports and pages show them: a number stays, a
    // word ("stepless") is translated like the catalogue's multilingual texts.
    std::string GetShownComprStep() const { return GetTranslatedStringValue(fldComprStep); }
    CTRecordList<Cls_ChFreezeUp> GetAllChFreezeUp() const;
    CTRecordList<Cls_ChOutCapacity> GetAllChOutCapacity() const;
    CTRecordList<Cls_ChDeviceHR> GetAllChDeviceHR() const;

    // ---- Performance (all temperatures °C, capacities kW, flows l/min, pressure drops kPa)

    // The calculation of this unit for one sequence number; stores the data
    // set (except when the unit has no controller in Controllers: 233) and
    // answers the result code, 0 for no objection.
    std::int32_t IsCandidateChiller(std::int32_t SeqNr, bool CheckForErrors, const TSelTempData& TemperatureData,
                                    const CTRecordList<Cls_ChController>& Controllers, Cls_ChGlycol* CondenserBrine,
                                    double CondenserPercent, const TSoundArray& SoundDistances,
                                    Cls_ChOptAllowed* PumpOptComb, Cls_ChOptAllowed* LNOptComb,
                                    Cls_ChOptAllowed* HROptComb, const Cls_ChOption* OROption, double ReqCool,
                                    double MinReqCool, double MaxReqCool, double ReqHeat, double MinReqHeat,
                                    double MaxReqHeat);
    // The recalculation after the user changed OptComb, with the pump checks.
    std::int32_t RecalcChiller(std::int32_t SeqNr, const TSelTempData& TemperatureData,
                               const CTRecordList<Cls_ChController>& Controllers, Cls_ChGlycol* CondenserBrine,
                               double CondenserPercent, const TSoundArray& SoundDistances,
                               const Cls_ChOptAllowed* OptComb, const CTRecordList<Cls_ChOption>& Options,
                               double ReqCool, double MinReqCool, double MaxReqCool, double ReqHeat,
                               double MinReqHeat, double MaxReqHeat);

    std::int32_t GetCoolCapPI(const Cls_ChOptAllowed* LNOptComb, const TSelTempData& TempData, double MinReqCap,
                              double MaxReqCap, double CapCorrection, double PICorrection, TRepCap& CoolData);
    std::int32_t GetHeatCapPI(const Cls_ChOptAllowed* LNOptComb, const TSelTempData& TempData, double MinReqCap,
                              double MaxReqCap, double CapCorrection, double PICorrection, TRepCap& HeatData);
    std::int32_t GetEDeltaTFRPD(const Cls_ChOptAllowed* PumpOptComb, const TSelTempData& TempData,
                                const TRepCap& CoolData, double EFRCorrection, double EPDCorrection,
                                double CFRCorrection, double CPDCorrection, TRepFluid& Evaporator,
                                TRepFluid& Condenser);
    std::int32_t GetCDeltaTFRPD(const Cls_ChOptAllowed* PumpOptComb, const TSelTempData& TempData,
                                const TRepCap& HeatData, double EFRCorrection, double EPDCorrection,
                                double CFRCorrection, double CPDCorrection, TRepFluid& Evaporator,
                                TRepFluid& Condenser);
    void GetCoolNomCapPI(const Cls_ChOptAllowed* LNOptComb, const Cls_ChLimits& Limits, double& Cap, double& PI);
    void GetHeatNomCapPI(const Cls_ChOptAllowed* LNOptComb, const Cls_ChLimits& Limits, double& Cap, double& PI);
    // One table value; 0 for a TableType outside 3 to 6.
    double CalcCap(std::int32_t TableType, double LWETemp, double AmbTemp, bool InCooling, bool Simulate,
                   std::int32_t& ErrCode);
    // The pressure drop of curve 1 (evaporator) or 2 (condenser) at a flow;
    // 0 for another type or a missing curve.
    double EvaluatePD(std::int32_t PolType, double ArgParam);

    // Tables, loaded on first use of any of these.
    const TPolyCapListCh* GetTable(std::int32_t nPolType);
    // The low-noise table of a combination (none without low-noise rows).
    const TPolyCapListCh* GetLNTable(const Cls_ChOptAllowed* TheOptComb, std::int32_t nPolType);
    // The low-noise table when there is one, else the unit's own.
    const TPolyCapListCh* GetCapPITable(const Cls_ChOptAllowed* TheOptComb, std::int32_t nPolType);
    bool HasCapTable(std::int32_t TableType);
    const Cls_ChOutCapacity* GetPDPoly(std::int32_t PolType);
    void SetPDPoly(std::int32_t PolType, std::unique_ptr<Cls_ChOutCapacity> ThePoly);
    // Deletes the stored rows of a capacity type and resets its x range.
    void RemoveTable(std::int32_t nPolType);
    // The pump curve's flow range, or the unit's evaporator flow range.
    void GetPumpWFRLimits(const Cls_ChOptAllowed* PumpOptComb, double& WFRMin, double& WFRMax);

    // Data sets per sequence number.
    TChillerData GetChillerData(std::int32_t SeqNr);
    void SetChillerData(std::int32_t SeqNr, const TChillerData& DataSet);
    void CopyChillerData(std::int32_t SeqNrFrom, std::int32_t SeqNrTo);
    void RemoveChillerData(std::int32_t SeqNr);
    static TChillerData GetInitChillerData() { return brumalis::GetInitChillerData(); }
    // The data set itself, created on first use (results, combinations, price).
    TChillerDataSet& DataSet(std::int32_t SeqNr);

    // Sorts by a result key of each unit's data set (tags 1 to 8).
    static void SortChillers(std::vector<Cls_ChOutdoorUnit*>& TheChillers, std::int32_t SeqNr, std::int32_t SortTag,
                             bool SortAscending);
    // 0 with a result, 1 indicative (251, 253), 2 no result (250, 252, 254).
    std::int32_t GetStatusLight(std::int32_t SeqNr);
    void AnalyzeErrCode(std::int32_t ErrCode, std::int32_t SeqNr, const Cls_ChOptAllowed* PumpOptComb,
                        std::int32_t& MsgNr, std::vector<std::string>& Params);
    // The unit's controller, loaded once.
    Cls_ChController* GetController();
    void ClearCache();

    // ---- Heat recovery and freeze-up

    std::int32_t CalcHeatRecovery(const Cls_ChOptAllowed* HROptComb, const TSelTempData& TempData,
                                  TRepHeatRecovery& HRData, TRepFluid& HRCondenser);
    // The unit's rows (family 1) or the combination's (none without one).
    CTRecordList<Cls_ChHRTotalPartial> GetHRTable(const Cls_ChOptAllowed* TheOptComb);
    TFreezeUpCh& GetFreezeUpTable();
    double GetFreezeUpCorrection(double AmbientTemp);

    // ---- Documentation, sound and seasonal figures (LNOptComb: the selected
    // low-noise combination or none)

    // The documentation record, loaded once; an empty one is created, linked
    // and inserted when the unit has none.
    Cls_ChOutDocumentation& GetDocumentation();
    double GetSoundPower(const Cls_ChOptAllowed* LNOptComb);
    TRepSpectrum GetSoundSpectrum(const Cls_ChOptAllowed* LNOptComb);
    void GetDimensions(const Cls_ChOptAllowed* LNOptComb, double& Height, double& Width, double& Depth);
    double GetWeight(const Cls_ChOptAllowed* LNOptComb);
    void GetESEERIPLV(const Cls_ChOptAllowed* LNOptComb, double& nESEER, double& nESEEREER100, double& nIPLV,
                      double& nIPLVEER100);
    TESEERIPLVData GetESEERIPLVData(const Cls_ChOptAllowed* LNOptComb);
    static TSoundArray GetInitSoundDistances() { return TSoundArray{1.0, 5.0, 10.0}; }
    double CalcSoundLevel(const Cls_ChOptAllowed* TheLNAttr, double Distance);
    TSoundArray GetSoundData(const Cls_ChOptAllowed* LNOptComb, const TSoundArray& Distances);

    // ---- Options (per sequence number)

    CTRecordList<Cls_ChOptAllowed>& GetOptCombs(std::int32_t SeqNr);
    Cls_ChOptAllowed* GetSpecificOptComb(std::int32_t OptCls, std::int32_t OptObj, std::int32_t SeqNr);
    bool HasSpecialOptCombs(const CTRecordList<Cls_ChOption>& TheOptions, std::int32_t SeqNr, std::int32_t OptType);
    std::vector<Cls_ChOptAllowed*> GetSpecialOptCombs(const CTRecordList<Cls_ChOption>& TheOptions,
                                                      std::int32_t SeqNr, std::int32_t OptType);
    Cls_ChOption* GetSpecialOption(const CTRecordList<Cls_ChOption>& TheOptions, std::int32_t SeqNr,
                                   std::int32_t OptType);
    // Among the combinations that count as selected, the last of option types
    // 7, 4, 2, 6 and 8.
    void GetSelectedAttrOptionCombs(const CTRecordList<Cls_ChOption>& TheOptions, std::int32_t SeqNr,
                                    Cls_ChOptAllowed*& TankOptComb, Cls_ChOptAllowed*& PumpOptComb,
                                    Cls_ChOptAllowed*& LNOptComb, Cls_ChOptAllowed*& HROptComb,
                                    Cls_ChOptAllowed*& OROptComb);
    void ResetUsedOptions(std::int32_t SeqNr);
    void ResetStdPumpOption(const CTRecordList<Cls_ChOption>& TheOptions, const Cls_ChOption* NewStd,
                            std::int32_t SeqNr);
    // The option code: the characters of the positions, trimmed, then the name suffix.
    std::string GetOptionCode(std::int32_t SeqNr, const CTRecordList<Cls_ChOptionCode>& OptionCodes);

    // ---- Prices

    // The price for a calculation context from the loaded prices file, stored
    // in that data set; and the stored one (0 before).
    double CalcPrice(std::int32_t SeqNr);
    double GetPrice(std::int32_t SeqNr) { return DataSet(SeqNr).v_Price; }

    // ---- Power supplies

    void LoadAllPowerSupplies(const CTRecordList<Cls_ChPSAllowed>& ThePSCombs,
                              const CTRecordList<Cls_PowerSupply>& ThePS);
    // The same for several units at once.
    static void LoadAllPowerSupplies(const std::vector<Cls_ChOutdoorUnit*>& Units,
                                     const CTRecordList<Cls_ChPSAllowed>& ThePSCombs,
                                     const CTRecordList<Cls_PowerSupply>& ThePS);
    // The allowed, non-deleted supplies (records of the list LoadAllPowerSupplies was given).
    const std::vector<Cls_PowerSupply*>& GetPowerSupplies() const { return v_AllPowerSupplies; }

    // Deletes the unit with everything attached: allowed supplies,
    // combinations with their data, freeze-up, capacity and recovery rows.
    void Remove() override;

    std::int32_t v_SortSeqNr = -1;

private:
    struct TTables;
    TTables& Tables();
    std::array<std::unique_ptr<TPolyCapListCh>, 4> LoadLowNoiseTables(const Cls_ChOptAllowed& TheOptComb);
    TChillerDataSet* FindDataSet(std::int32_t SeqNr);
    // The table point (row selector, x) of the criteria in each mode.
    void CoolingPoint(const TSelTempData& TempData, double& lwe, double& x) const;
    void HeatingPoint(const TSelTempData& TempData, double& lwe, double& x) const;
    std::int32_t CapPIAt(const Cls_ChOptAllowed* LNOptComb, bool InCooling, double lwe, double x, double dFactor,
                         double MinReqCap, double MaxReqCap, double CapCorrection, double PICorrection,
                         TRepCap& Data);
    void NominalAt(const Cls_ChOptAllowed* LNOptComb, bool InCooling, double lwe, double x, double& Cap, double& PI);

    std::vector<Cls_PowerSupply*> v_AllPowerSupplies;
    std::unique_ptr<TFreezeUpCh> v_FreezeUpTable;
    std::unique_ptr<Cls_ChOutDocumentation> v_Doc;
    std::unique_ptr<Cls_ChController> v_Controller;
    bool v_ControllerLoaded = false;
    std::vector<std::unique_ptr<TChillerDataSet>> v_DataSetList;
    std::unique_ptr<TTables> v_Tables;
};


}  // namespace brumalis
