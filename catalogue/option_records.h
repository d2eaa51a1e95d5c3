// Options, the option combinations of a unit, exclusions, option codes and
// power supplies.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "catalogue/record_support.h"
#include "catalogue/records_fwd.h"

namespace brumalis {

// Table "Tbl_DeviceOption" (163, abstract).
#define Cls_DeviceOption_FIELDS(X, C) \
    X(C, Integer, 1, Fld_Type, Type, 1) \
    X(C, Name, 2, Fld_Name, Name, "") \
    X(C, Double, 3, Fld_Width, Width, 0.0) \
    X(C, Integer, 4, Fld_ReleaseStatus, ReleaseStatus, 0) \
    X(C, Double, 5, Fld_Value, Value, 0.0) \
    X(C, Double, 6, Fld_Depth, Depth, 0.0) \
    X(C, Deleted, 7, Fld_Deleted, Deleted, false) \
    X(C, Description, 8, Fld_Description, Description, "") \
    X(C, String, 9, Fld_MCA, MCA, "") \
    X(C, Double, 10, Fld_Height, Height, 0.0) \
    X(C, Boolean, 11, Fld_NeedOneOfType, NeedOneOfType, false)
class Cls_DeviceOption : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_DeviceOption, CTDbObject, 163)
public:
    Cls_DeviceOption_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_DeviceOption)
    CTRecordList<Cls_DevOptCombination> GetAllDevOptCombination() const;

    // Name (description).
    std::string GetQualifiedName() const override;

    std::int32_t v_Quantity = 1;
};

// Table "Tbl_ChOption" (89).
#define Cls_ChOption_FIELDS(X, C) \
    X(C, Boolean, 12, OPT_IsKit, IsKit, false)
class Cls_ChOption : public Cls_DeviceOption {
    BRUMALIS_RECORD_CLASS(Cls_ChOption, Cls_DeviceOption, 89)
public:
    Cls_ChOption_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOption)
    CTRecordList<Cls_ChLWEStep> GetAllChLWEStep() const;
    CTRecordList<Cls_ChOptExcludes> GetAllChOptExcludes() const;
    CTRecordList<Cls_ChOptExcludes> GetAllChOptExcludes2() const;

    // Whether this option may be added to the combinations that count as
    // selected; a conflict is shown to the user (message 221) and answers
    // false. Options gives the other option's name. Selected options of
    // type nReplacedType do not count: the new tick replaces them (the one
    // pump of a unit without option codes).
    bool IsCompatibleComb(const CTRecordList<Cls_ChOptAllowed>& OptCombinations,
                          const CTRecordList<Cls_ChOptExcludes>& OptExcluded,
                          const CTRecordList<Cls_ChOption>& Options, std::int32_t nReplacedType = 0) const;
    // Name - description, or whichever of the two is not empty.
    std::string GetDescriptiveName() const override;
    // Deletes the exclusion rows, each combination with its attached data,
    // then the option.
    void Remove() override;

    std::int32_t v_DigitCode = -1;
};

// Table "Tbl_ChOptExcludes" (88).
#define Cls_ChOptExcludes_FIELDS(X, C) \
    X(C, Reference, 1, OEX_ChOption, ChOption, Cls_ChOption) \
    X(C, Reference, 3, OEX_ChOption2, ChOption2, Cls_ChOption)
class Cls_ChOptExcludes : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChOptExcludes, CTDbObject, 88)
public:
    Cls_ChOptExcludes_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOptExcludes)
};

// Table "Tbl_DevOptCombination" (164).
#define Cls_DevOptCombination_FIELDS(X, C) \
    X(C, Boolean, 1, Fld_IsPreferred, IsPreferred, false) \
    X(C, Integer, 2, Fld_NrRequired, NrRequired, 1) \
    X(C, Boolean, 3, Fld_IsStandard, IsStandard, false) \
    X(C, Reference, 4, Fld_Device, Device, Cls_Device) \
    X(C, Reference, 6, Fld_DeviceOption, DeviceOption, Cls_DeviceOption)
class Cls_DevOptCombination : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_DevOptCombination, CTDbObject, 164)
public:
    Cls_DevOptCombination_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_DevOptCombination)
};

// Table "Tbl_ChOptAllowed" (87).
#define Cls_ChOptAllowed_FIELDS(X, C) \
    X(C, Double, 8, OPA_Generic, Generic, 0.0)
class Cls_ChOptAllowed : public Cls_DevOptCombination {
    BRUMALIS_RECORD_CLASS(Cls_ChOptAllowed, Cls_DevOptCombination, 87)
public:
    Cls_ChOptAllowed_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOptAllowed)

    // Counts as selected: ticked, forced by the calculation, standard or preferred.
    bool GetSelected() const { return Selected || Calculated || GetIsStandard() || GetIsPreferred(); }
    // The user cannot untick it.
    bool IsImmutable() const { return Calculated || GetIsStandard(); }
    // The range of leaving recovery-water temperatures a heat-recovery combination offers.
    void GetHRMinMax(const Cls_ChLimits& Limits, double& LWCMin, double& LWCMax) const;

    // Deletes the combination with its low-noise record, pump curve, option
    // pressure-drop curve and heat-recovery rows.
    void RemoveWithAttachedData();

    bool Created = false;
    bool Selected = false;    // ticked by the user
    bool Calculated = false;  // forced by the calculation or by a leaving-water step
    std::unique_ptr<Cls_ChLowNoise> GetTheChLowNoise() const;
    std::unique_ptr<Cls_ChPumpData> GetTheChPumpData() const;
    CTRecordList<Cls_ChOptionHR> GetAllChOptionHR() const;
    std::unique_ptr<Cls_ChOptionPD> GetTheChOptionPD() const;
};

// The option of a combination among the loaded options; none when it is not there.
Cls_ChOption* OptionOf(const Cls_ChOptAllowed& comb, const CTRecordList<Cls_ChOption>& TheOptions);

// Table "Tbl_ChLowNoise" (224).
#define Cls_ChLowNoise_FIELDS(X, C) \
    X(C, Double, 1, LND_SoundSpec4000, SoundSpec4000, 0.0) \
    X(C, Double, 2, LND_SoundSpec8000, SoundSpec8000, 0.0) \
    X(C, Double, 3, LND_SoundSpec1000, SoundSpec1000, 0.0) \
    X(C, Double, 4, LND_SoundSpec2000, SoundSpec2000, 0.0) \
    X(C, Double, 5, LND_HIndLowerLimit, HIndLowerLimit, 0.0) \
    X(C, Double, 6, LND_HIndUpperLimit, HIndUpperLimit, 0.0) \
    X(C, Double, 7, LND_CIndLowerLimit, CIndLowerLimit, 0.0) \
    X(C, Double, 8, LND_CIndUpperLimit, CIndUpperLimit, 0.0) \
    X(C, Double, 9, LND_SoundSpec500, SoundSpec500, 0.0) \
    X(C, Double, 10, LND_Width, Width, 0.0) \
    X(C, Double, 11, LND_Weight, Weight, 0.0) \
    X(C, Double, 12, LND_Depth, Depth, 0.0) \
    X(C, Double, 13, LND_Height, Height, 0.0) \
    X(C, Double, 14, LND_SoundSpec125, SoundSpec125, 0.0) \
    X(C, Double, 15, LND_SoundSpec250, SoundSpec250, 0.0) \
    X(C, Double, 16, LND_SoundPower, SoundPower, 0.0) \
    X(C, Double, 17, LND_SoundSpec63, SoundSpec63, 0.0) \
    X(C, Double, 18, LND_ESEER, ESEER, 0.0) \
    X(C, Double, 19, LND_ESEERCC50, ESEERCC50, 0.0) \
    X(C, Double, 20, LND_ESEERCC25, ESEERCC25, 0.0) \
    X(C, Double, 21, LND_ESEERCC100, ESEERCC100, 0.0) \
    X(C, Double, 22, LND_ESEERCC75, ESEERCC75, 0.0) \
    X(C, Double, 23, LND_ESEERPI50, ESEERPI50, 0.0) \
    X(C, Double, 24, LND_ESEERPI25, ESEERPI25, 0.0) \
    X(C, Double, 25, LND_ESEERPI100, ESEERPI100, 0.0) \
    X(C, Double, 26, LND_ESEERPI75, ESEERPI75, 0.0) \
    X(C, Double, 27, LND_ESEEREER50, ESEEREER50, 0.0) \
    X(C, Double, 28, LND_ESEEREER25, ESEEREER25, 0.0) \
    X(C, Double, 29, LND_ESEEREER100, ESEEREER100, 0.0) \
    X(C, Double, 30, LND_ESEEREER75, ESEEREER75, 0.0) \
    X(C, Double, 31, LND_IPLV, IPLV, 0.0) \
    X(C, Double, 32, LND_IPLVEER100, IPLVEER100, 0.0) \
    X(C, Double, 33, LND_IPLVPI25, IPLVPI25, 0.0) \
    X(C, Double, 34, LND_IPLVPI50, IPLVPI50, 0.0) \
    X(C, Double, 35, LND_IPLVEER25, IPLVEER25, 0.0) \
    X(C, Double, 36, LND_IPLVEER50, IPLVEER50, 0.0) \
    X(C, Double, 37, LND_IPLVEER75, IPLVEER75, 0.0) \
    X(C, Double, 38, LND_IPLVCC50, IPLVCC50, 0.0) \
    X(C, Double, 39, LND_IPLVCC75, IPLVCC75, 0.0) \
    X(C, Double, 40, LND_IPLVCC100, IPLVCC100, 0.0) \
    X(C, Double, 41, LND_IPLVPI75, IPLVPI75, 0.0) \
    X(C, Double, 42, LND_IPLVPI100, IPLVPI100, 0.0) \
    X(C, Double, 43, LND_IPLVCC25, IPLVCC25, 0.0) \
    X(C, Reference, 44, LND_ChOptAllowed, ChOptAllowed, Cls_ChOptAllowed)
class Cls_ChLowNoise : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChLowNoise, CTDbObject, 224)
public:
    Cls_ChLowNoise_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChLowNoise)
    CTRecordList<Cls_ChLowNoiseCapacity> GetAllChLowNoiseCapacity() const;
};

// Table "Tbl_ChOptionCode" (221).
#define Cls_ChOptionCode_FIELDS(X, C) \
    X(C, Integer, 1, OPC_Opt7Ref, Opt7Ref, 0) \
    X(C, Integer, 2, OPC_Opt6Ref, Opt6Ref, 0) \
    X(C, Integer, 3, OPC_Opt8Ref, Opt8Ref, 0) \
    X(C, Integer, 4, OPC_Opt10Ref, Opt10Ref, 0) \
    X(C, Integer, 5, OPC_Opt9Ref, Opt9Ref, 0) \
    X(C, Integer, 6, OPC_Opt5Ref, Opt5Ref, 0) \
    X(C, Integer, 7, OPC_Opt1Ref, Opt1Ref, 0) \
    X(C, Integer, 8, OPC_DigitCode, DigitCode, -1) \
    X(C, Integer, 9, OPC_Opt2Ref, Opt2Ref, 0) \
    X(C, Integer, 10, OPC_Opt4Ref, Opt4Ref, 0) \
    X(C, Integer, 11, OPC_Opt3Ref, Opt3Ref, 0)
class Cls_ChOptionCode : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChOptionCode, CTDbObject, 221)
public:
    Cls_ChOptionCode_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOptionCode)
    CTRecordList<Cls_ChOptionCodeCombination> GetAllChOptionCodeCombination() const;

    static constexpr int kSlotCount = 10;
    // The option record IDs of slots 1 to 10 (0 or negative: empty slot).
    std::array<std::int32_t, kSlotCount> GetOptionRefs() const;
    // The character of this position for the combinations of CombList: one
    // bit per filled slot, set for an option selected but not standard.
    std::string GetOptionDigitCode(const CTRecordList<Cls_ChOptAllowed>& CombList) const;
    // The character of a bit pattern; "?" when the position has none.
    std::string GetCharCode(std::int32_t TheCode) const;
    // After the user changed TheOption: true, with the conflict shown (209 for
    // a tank, 210 otherwise), when the position has no character for CombList.
    bool CheckOptionCode(const Cls_ChOption& TheOption, const CTRecordList<Cls_ChOptAllowed>& CombList,
                         const CTRecordList<Cls_ChOption>& Options) const;
    // The character rows, loaded on first use and kept.
    const CTRecordList<Cls_ChOptionCodeCombination>& GetCombinations() const;

private:
    mutable CTRecordList<Cls_ChOptionCodeCombination> v_Combinations;
    mutable bool v_CombinationsLoaded = false;
};

// Table "Tbl_ChOptionCodeCombination" (222).
#define Cls_ChOptionCodeCombination_FIELDS(X, C) \
    X(C, String, 1, OCC_CharCode, CharCode, "") \
    X(C, Integer, 2, OCC_Combination, Combination, 0) \
    X(C, Reference, 3, OCC_ChOptionCode, ChOptionCode, Cls_ChOptionCode)
class Cls_ChOptionCodeCombination : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChOptionCodeCombination, CTDbObject, 222)
public:
    Cls_ChOptionCodeCombination_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChOptionCodeCombination)
};

// Table "Tbl_PowerSupply" (122).
#define Cls_PowerSupply_FIELDS(X, C) \
    X(C, String, 1, PWS_Range, Range, "") \
    X(C, String, 2, PWS_Voltage, Voltage, "") \
    X(C, String, 3, PWS_PhaseNames, PhaseNames, "") \
    X(C, Boolean, 4, PWS_Default, Default, false) \
    X(C, Name, 5, PWS_Name, Name, "") \
    X(C, Deleted, 6, PWS_Deleted, Deleted, false) \
    X(C, String, 7, PWS_Frequency, Frequency, "") \
    X(C, String, 8, PWS_Phases, Phases, "")
class Cls_PowerSupply : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_PowerSupply, CTDbObject, 122)
public:
    Cls_PowerSupply_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_PowerSupply)
    CTRecordList<Cls_DevPSAllowed> GetAllDevPSAllowed() const;

    // The user's default supply (record ID, 0 when none).
    static std::int32_t GetRegDefault();
    static void SetRegDefault(std::int32_t id);
};

// Table "Tbl_DevPSAllowed" (165, abstract).
#define Cls_DevPSAllowed_FIELDS(X, C) \
    X(C, String, 1, Fld_Fuses, Fuses, "Factory Std") \
    X(C, Reference, 2, Fld_Device, Device, Cls_Device) \
    X(C, Reference, 4, Fld_PowerSupply, PowerSupply, Cls_PowerSupply)
class Cls_DevPSAllowed : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_DevPSAllowed, CTDbObject, 165)
public:
    Cls_DevPSAllowed_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_DevPSAllowed)
};

// Table "Tbl_ChPSAllowed" (96).
#define Cls_ChPSAllowed_FIELDS(X, C) \
    X(C, Double, 6, PSA_StartingCurrent, StartingCurrent, 0.0) \
    X(C, Double, 7, PSA_MaxCurrentUnit, MaxCurrentUnit, 0.0) \
    X(C, Double, 8, PSA_MaxCurrentCompr, MaxCurrentCompr, 0.0)
class Cls_ChPSAllowed : public Cls_DevPSAllowed {
    BRUMALIS_RECORD_CLASS(Cls_ChPSAllowed, Cls_DevPSAllowed, 96)
public:
    Cls_ChPSAllowed_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChPSAllowed)
};

}  // namespace brumalis
