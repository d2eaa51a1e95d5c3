#include "catalogue/option_records.h"

#include "catalogue/device_defaults.h"
#include "catalogue/records.h"
#include "catalogue/user_dialog.h"

namespace brumalis {
namespace {

constexpr int kMsgTankNeedsPump = 209;
constexpr int kMsgOptionCodeConflict = 210;
constexpr int kMsgOptionsExclude = 221;
constexpr std::int32_t kTankOptionType = 7;
constexpr const char* kPowerSupplyDefault = "POWERSUPPLY";

std::int32_t OptionIDOf(const Cls_DevOptCombination& comb) {
    std::int32_t nClsID = 0;
    std::int32_t nObjID = 0;
    comb.GetDeviceOption_REF(nClsID, nObjID);
    return nObjID;
}

const Cls_ChOption* FindOption(const CTRecordList<Cls_ChOption>& Options, std::int32_t nID) {
    for (const auto& pOption : Options) {
        if (pOption->GetID() == nID) return pOption.get();
    }
    return nullptr;
}

std::string OptionName(const CTRecordList<Cls_ChOption>& Options, std::int32_t nID) {
    const Cls_ChOption* pOption = FindOption(Options, nID);
    return pOption ? pOption->GetName() : std::string();
}

const Cls_ChOptAllowed* FindCombOfOption(const CTRecordList<Cls_ChOptAllowed>& CombList, std::int32_t nOptID) {
    for (const auto& pComb : CombList) {
        if (OptionIDOf(*pComb) == nOptID) return pComb.get();
    }
    return nullptr;
}

// The option of the exclusion pair that is not nOptID, or 0 when the pair
// does not involve nOptID.
std::int32_t ExcludedPartner(const Cls_ChOptExcludes& pair, std::int32_t nOptID) {
    std::int32_t nClsID = 0;
    std::int32_t nFirst = 0;
    std::int32_t nSecond = 0;
    pair.GetChOption_REF(nClsID, nFirst);
    pair.GetChOption2_REF(nClsID, nSecond);
    if (nFirst == nOptID) return nSecond;
    if (nSecond == nOptID) return nFirst;
    return 0;
}

}  // namespace

void Cls_DeviceOption::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Fld_ID" : szIDFieldName);
    Cls_DeviceOption_FIELDS(BRUMALIS_FIELD_INFO, Cls_DeviceOption)
}

CTRecordList<Cls_DevOptCombination> Cls_DeviceOption::GetAllDevOptCombination() const { return RelatedRecords<Cls_DevOptCombination>(*this, Cls_DevOptCombination::fldDeviceOption); }

std::string Cls_DeviceOption::GetQualifiedName() const { return GetName() + " (" + GetDescription() + ")"; }

void Cls_ChOption::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_DeviceOption::Initialize(tblInfo, szIDFieldName.empty() ? "OPT_ID" : szIDFieldName);
    Cls_ChOption_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChOption)
}

CTRecordList<Cls_ChLWEStep> Cls_ChOption::GetAllChLWEStep() const { return RelatedRecords<Cls_ChLWEStep>(*this, Cls_ChLWEStep::fldChOption); }

CTRecordList<Cls_ChOptExcludes> Cls_ChOption::GetAllChOptExcludes() const { return RelatedRecords<Cls_ChOptExcludes>(*this, Cls_ChOptExcludes::fldChOption); }

CTRecordList<Cls_ChOptExcludes> Cls_ChOption::GetAllChOptExcludes2() const { return RelatedRecords<Cls_ChOptExcludes>(*this, Cls_ChOptExcludes::fldChOption2); }

bool Cls_ChOption::IsCompatibleComb(const CTRecordList<Cls_ChOptAllowed>& OptCombinations,
                                    const CTRecordList<Cls_ChOptExcludes>& OptExcluded,
                                    const CTRecordList<Cls_ChOption>& Options, std::int32_t nReplacedType) const {
    for (const auto& pPair : OptExcluded) {
        const std::int32_t nPartner = ExcludedPartner(*pPair, GetID());
        if (nPartner == 0) continue;
        const Cls_ChOption* pPartner = FindOption(Options, nPartner);
        if (nReplacedType != 0 && pPartner && pPartner->GetType() == nReplacedType) continue;
        for (const auto& pComb : OptCombinations) {
            if (pComb->GetSelected() && OptionIDOf(*pComb) == nPartner) {
                ShowUserError(kMsgOptionsExclude, {GetName(), OptionName(Options, nPartner)});
                return false;
            }
        }
    }
    return true;
}

std::string Cls_ChOption::GetDescriptiveName() const {
    const std::string szName = GetName();
    const std::string szDescription = GetDescription();
    if (szName.empty()) return szDescription;
    if (szDescription.empty()) return szName;
    return szName + " - " + szDescription;
}

void Cls_ChOption::Remove() {
    for (auto& pPair : GetAllChOptExcludes()) pPair->Remove();
    for (auto& pPair : GetAllChOptExcludes2()) pPair->Remove();
    for (auto& pComb : RecordsAs<Cls_ChOptAllowed>(
             ReferencingRecords(*this, Cls_ChOptAllowed::kClassID, Cls_DevOptCombination::fldDeviceOption))) {
        pComb->RemoveWithAttachedData();
    }
    CTDbObject::Remove();
}

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

std::array<std::int32_t, Cls_ChOptionCode::kSlotCount> Cls_ChOptionCode::GetOptionRefs() const {
    return {GetOpt1Ref(), GetOpt2Ref(), GetOpt3Ref(), GetOpt4Ref(), GetOpt5Ref(),
            GetOpt6Ref(), GetOpt7Ref(), GetOpt8Ref(), GetOpt9Ref(), GetOpt10Ref()};
}

const CTRecordList<Cls_ChOptionCodeCombination>& Cls_ChOptionCode::GetCombinations() const {
    if (!v_CombinationsLoaded) {
        v_Combinations = GetAllChOptionCodeCombination();
        v_CombinationsLoaded = true;
    }
    return v_Combinations;
}

std::string Cls_ChOptionCode::GetOptionDigitCode(const CTRecordList<Cls_ChOptAllowed>& CombList) const {
    std::int32_t nPattern = 0;
    for (const std::int32_t nOptID : GetOptionRefs()) {
        if (nOptID <= 0) continue;
        // A standard option is part of the unit itself, not of its code.
        const Cls_ChOptAllowed* pComb = FindCombOfOption(CombList, nOptID);
        const bool bSet = pComb && pComb->GetSelected() && !pComb->GetIsStandard();
        nPattern = 2 * nPattern + (bSet ? 1 : 0);
    }
    return GetCharCode(nPattern);
}

std::string Cls_ChOptionCode::GetCharCode(std::int32_t TheCode) const {
    for (const auto& pRow : GetCombinations()) {
        if (pRow->GetCombination() == TheCode) return pRow->GetCharCode();
    }
    return "?";
}

bool Cls_ChOptionCode::CheckOptionCode(const Cls_ChOption& TheOption, const CTRecordList<Cls_ChOptAllowed>& CombList,
                                       const CTRecordList<Cls_ChOption>& Options) const {
    if (GetOptionDigitCode(CombList) != "?") return false;
    if (TheOption.GetType() == kTankOptionType) {
        ShowUserError(kMsgTankNeedsPump, {TheOption.GetName()});
        return true;
    }
    std::string szOthers;
    for (const std::int32_t nOptID : GetOptionRefs()) {
        if (nOptID <= 0 || nOptID == TheOption.GetID()) continue;
        const Cls_ChOption* pOther = FindOption(Options, nOptID);
        if (!pOther) continue;
        if (!szOthers.empty()) szOthers += ", ";
        szOthers += pOther->GetName();
    }
    ShowUserError(kMsgOptionCodeConflict, {TheOption.GetName(), szOthers});
    return true;
}

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

std::int32_t Cls_PowerSupply::GetRegDefault() { return ReadDeviceDefault(kPowerSupplyDefault); }
void Cls_PowerSupply::SetRegDefault(std::int32_t id) { WriteDeviceDefault(kPowerSupplyDefault, id); }

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
