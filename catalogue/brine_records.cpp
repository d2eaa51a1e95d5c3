#include "catalogue/brine_records.h"

#include <algorithm>

#include "catalogue/device_defaults.h"
#include "catalogue/records.h"
#include "localisation/number_text.h"

namespace brumalis {
namespace {

constexpr const char* kGlycolValue = "GLYCOL";

// The data set of a sequence number, appended with the initial values when
// there is none yet (linear search: there are one or two).
template <class TSet, class TData>
TData& FindOrAppend(std::vector<TSet>& list, std::int32_t SeqNr, const TData& initial) {
    for (TSet& set : list) {
        if (set.v_SeqNr == SeqNr) return set.v_DataSet;
    }
    list.push_back(TSet{SeqNr, initial});
    return list.back().v_DataSet;
}

bool ValidBrinePolyType(std::int32_t TheType) { return TheType >= 1 && TheType <= Cls_Glycol::kBrinePolyTypes; }

}  // namespace

const Cls_ChGlyPolynomial* Cls_Glycol::GetBrinePoly(std::int32_t TheType) const {
    if (!ValidBrinePolyType(TheType)) return nullptr;
    LoadBrinePolys();
    return v_brinePolys[static_cast<std::size_t>(TheType - 1)].get();
}

void Cls_Glycol::SetBrinePoly(std::int32_t TheType, std::unique_ptr<Cls_ChGlyPolynomial> ThePoly) {
    if (!ValidBrinePolyType(TheType)) return;
    v_brinePolys[static_cast<std::size_t>(TheType - 1)] = std::move(ThePoly);
}

void Cls_Glycol::LoadBrinePolys() const {
    if (v_brinePolysLoaded) return;
    v_brinePolysLoaded = true;
    // A later row of the same type takes the slot; other types are dropped.
    for (auto& pPoly : GetAllChGlyPolynomial()) {
        const std::int32_t nType = pPoly->GetType();
        if (ValidBrinePolyType(nType)) v_brinePolys[static_cast<std::size_t>(nType - 1)] = std::move(pPoly);
    }
}

double Cls_Glycol::EvaluateSlot(std::int32_t TheType, double ArgParam) const {
    const Cls_ChGlyPolynomial* pPoly = GetBrinePoly(TheType);
    return pPoly ? pPoly->Evaluate(ArgParam) : 1.0;
}

double Cls_Glycol::GetCapCorrection(double nPercentage) const { return EvaluateSlot(bptCapacity, nPercentage); }
double Cls_Glycol::GetPICorrection(double nPercentage) const { return EvaluateSlot(bptPowerInput, nPercentage); }

TCorrectionData& Cls_ChGlycol::DataSetOf(std::int32_t SeqNr) {
    return FindOrAppend(v_DataSetList, SeqNr, GetInitCorrections());
}
TCorrectionData Cls_ChGlycol::GetCorrections(std::int32_t SeqNr) { return DataSetOf(SeqNr); }
void Cls_ChGlycol::SetCorrections(std::int32_t SeqNr, const TCorrectionData& DataSet) { DataSetOf(SeqNr) = DataSet; }
void Cls_ChGlycol::CopyCorrections(std::int32_t SeqNrFrom, std::int32_t SeqNrTo) {
    const TCorrectionData from = DataSetOf(SeqNrFrom);
    DataSetOf(SeqNrTo) = from;
}

std::int32_t Cls_ChGlycol::GetRegDefault() { return ReadDeviceDefault(kGlycolValue); }

void Cls_ChGlycol::SetRegDefault(std::int32_t id) { WriteDeviceDefault(kGlycolValue, id); }

std::string Cls_ChEvapGlycolPerc::GetDescriptiveName() const {
    std::string text = Number2Str(15, GetPercentage()) + "%";
    if (const auto pBrine = GetChGlycol()) text += " " + pBrine->GetName();
    return text;
}

std::string Cls_ChLWEStep::GetName() const { return Number2Str(15, GetLWE()) + "\u00B0C"; }

std::string Cls_ChLWEStep::GetDescriptiveName() const {
    std::string text = GetName();
    if (const auto pOption = GetChOption()) text += " - " + pOption->GetName();
    return text;
}

TControllerDataSet& Cls_ChController::DataSetOf(std::int32_t SeqNr) {
    return FindOrAppend(v_DataSetList, SeqNr, GetInitCorrections());
}
TControllerDataSet Cls_ChController::GetCorrections(std::int32_t SeqNr) { return DataSetOf(SeqNr); }
void Cls_ChController::SetCorrections(std::int32_t SeqNr, const TControllerDataSet& DataSet) {
    DataSetOf(SeqNr) = DataSet;
}
void Cls_ChController::CopyCorrections(std::int32_t SeqNrFrom, std::int32_t SeqNrTo) {
    const TControllerDataSet from = DataSetOf(SeqNrFrom);
    DataSetOf(SeqNrTo) = from;
}

const CTRecordList<Cls_ChLWEStep>& Cls_ChController::CacheLWESteps() const {
    if (!v_stepsCached) {
        v_TheSteps = GetAllChLWEStepSorted();
        v_stepsCached = true;
    }
    return v_TheSteps;
}

CTRecordList<Cls_ChLWEStep> Cls_ChController::GetAllChLWEStepSorted() const {
    CTRecordList<Cls_ChLWEStep> steps = GetAllChLWEStep();
    std::stable_sort(steps.begin(), steps.end(),
                     [](const auto& a, const auto& b) { return a->GetLWE() < b->GetLWE(); });
    return steps;
}

void Cls_Glycol::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "Gly_ID" : szIDFieldName);
    Cls_Glycol_FIELDS(BRUMALIS_FIELD_INFO, Cls_Glycol)
}

CTRecordList<Cls_ChGlyPolynomial> Cls_Glycol::GetAllChGlyPolynomial() const { return RelatedRecords<Cls_ChGlyPolynomial>(*this, Cls_ChGlyPolynomial::fldGlycol); }

void Cls_ChGlycol::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    Cls_Glycol::Initialize(tblInfo, szIDFieldName.empty() ? "GLY_ID" : szIDFieldName);
}

CTRecordList<Cls_ChEvapGlycolPerc> Cls_ChGlycol::GetAllChEvapGlycolPerc() const { return RelatedRecords<Cls_ChEvapGlycolPerc>(*this, Cls_ChEvapGlycolPerc::fldChGlycol); }

void Cls_ChEvapGlycolPerc::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "EVP_ID" : szIDFieldName);
    Cls_ChEvapGlycolPerc_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChEvapGlycolPerc)
}
Cls_ChEvapGlycolPerc_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChEvapGlycolPerc)

void Cls_ChController::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "CTL_ID" : szIDFieldName);
    Cls_ChController_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChController)
}

CTRecordList<Cls_ChLWEStep> Cls_ChController::GetAllChLWEStep() const { return RelatedRecords<Cls_ChLWEStep>(*this, Cls_ChLWEStep::fldChController); }

CTRecordList<Cls_ChOutdoorUnit> Cls_ChController::GetAllChOutdoorUnit() const { return RelatedRecords<Cls_ChOutdoorUnit>(*this, Cls_ChOutdoorUnit::fldChController); }

void Cls_ChLWEStep::Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName) {
    CTDbObject::Initialize(tblInfo, szIDFieldName.empty() ? "LST_ID" : szIDFieldName);
    Cls_ChLWEStep_FIELDS(BRUMALIS_FIELD_INFO, Cls_ChLWEStep)
}
Cls_ChLWEStep_FIELDS(BRUMALIS_REFERENCE_GETTER, Cls_ChLWEStep)

CTRecordList<Cls_ChEvapGlycolPerc> Cls_ChLWEStep::GetAllChEvapGlycolPerc() const { return RelatedRecords<Cls_ChEvapGlycolPerc>(*this, Cls_ChEvapGlycolPerc::fldChLWEStep); }

}  // namespace brumalis
