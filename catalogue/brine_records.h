// Brines, their leaving-water steps and the controllers that own the steps.
#pragma once

#include <array>
#include <vector>

#include "catalogue/polynomial_records.h"
#include "catalogue/record_support.h"
#include "catalogue/records_fwd.h"

namespace brumalis {

// Sequence numbers: independent calculation contexts.
enum TSequenceNumber : std::int32_t {
    seqSettings = 1,  // the Settings page and its selection run
    seqAnalysis = 2,  // the Analysis page
};

// Brine factors applied to a unit's figures; 1.0 means no correction.
struct TCorrectionData {
    double CapCorrection = 1.0;
    double PICorrection = 1.0;
    double FRCorrection = 1.0;
    double PDCorrection = 1.0;
};

struct TCorrectionDataSet {
    std::int32_t v_SeqNr = 0;
    TCorrectionData v_DataSet;
};

// What a controller's leaving-water step requires and the evaporator brine
// factors in force for one calculation context.
struct TControllerDataSet {
    std::int32_t OptionCls = 0;  // the option the step requires (0 and 0: none)
    std::int32_t OptionObj = 0;
    Cls_ChGlycol* Brine = nullptr;  // not owned: the brines live in the session's lists
    double BrineMinPercent = 0.0;
    double BrineUsedPercent = 0.0;
    double CapCorrection = 1.0;
    double PICorrection = 1.0;
    double FRCorrection = 1.0;
    double PDCorrection = 1.0;
};

struct TCtrlDataSet {
    std::int32_t v_SeqNr = 0;
    TControllerDataSet v_DataSet;
};

// Brine polynomial types.
enum TBrinePolyType : std::int32_t {
    bptPercentageAtTemp = 1,  // brine percentage needed at a leaving temperature
    bptEvapCapacity = 2,
    bptEvapPowerInput,
    bptEvapFlow,
    bptEvapPressureDrop,
    bptCondCapacity = 6,
    bptCondPowerInput,
    bptCondFlow,
    bptCondPressureDrop,
    bptCapacity = 10,
    bptPowerInput = 11,
};

// Table "Tbl_Glycol" (337).
#define Cls_Glycol_FIELDS(X, C) \
    X(C, Deleted, 1, Gly_Deleted, Deleted, false) \
    X(C, Name, 2, Gly_Name, Name, "")
class Cls_Glycol : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_Glycol, CTDbObject, 337)
public:
    Cls_Glycol_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_Glycol)
    CTRecordList<Cls_ChGlyPolynomial> GetAllChGlyPolynomial() const;

    static constexpr std::int32_t kBrinePolyTypes = 11;
    // The polynomial of that type (1 to 11), fetched with the others on first
    // use; none outside 1 to 11 or when the brine has no such row.
    const Cls_ChGlyPolynomial* GetBrinePoly(std::int32_t TheType) const;
    // Replaces (and frees) the slot's polynomial; ignored outside 1 to 11.
    void SetBrinePoly(std::int32_t TheType, std::unique_ptr<Cls_ChGlyPolynomial> ThePoly);
    // Types 10 and 11 at a percentage; 1.0 when missing.
    double GetCapCorrection(double nPercentage) const;
    double GetPICorrection(double nPercentage) const;

protected:
    // P(arg) of the slot's polynomial, or 1.0 without one.
    double EvaluateSlot(std::int32_t TheType, double ArgParam) const;

private:
    void LoadBrinePolys() const;

    mutable std::array<std::unique_ptr<Cls_ChGlyPolynomial>, kBrinePolyTypes> v_brinePolys;
    mutable bool v_brinePolysLoaded = false;
};

// Table "Tbl_ChGlycol" (84).
class Cls_ChGlycol : public Cls_Glycol {
    BRUMALIS_RECORD_CLASS(Cls_ChGlycol, Cls_Glycol, 84)
public:
    CTRecordList<Cls_ChEvapGlycolPerc> GetAllChEvapGlycolPerc() const;

    double Evaluate(std::int32_t PolType, double ArgParam) const { return EvaluateSlot(PolType, ArgParam); }

    // The condenser factors of a calculation context, created with the
    // initial values on first use.
    TCorrectionData GetCorrections(std::int32_t SeqNr);
    void SetCorrections(std::int32_t SeqNr, const TCorrectionData& DataSet);
    void CopyCorrections(std::int32_t SeqNrFrom, std::int32_t SeqNrTo);
    static TCorrectionData GetInitCorrections() { return TCorrectionData{}; }

    // The record ID of the default brine in the user's settings (0: none).
    static std::int32_t GetRegDefault();
    static void SetRegDefault(std::int32_t id);

private:
    TCorrectionData& DataSetOf(std::int32_t SeqNr);

    std::vector<TCorrectionDataSet> v_DataSetList;
};

// Table "Tbl_ChEvapGlycolPerc" (82).
#define Cls_ChEvapGlycolPerc_FIELDS(X, C) \
    X(C, Double, 1, EVP_Percentage, Percentage, 0.0) \
    X(C, Reference, 2, EVP_ChGlycol, ChGlycol, Cls_ChGlycol) \
    X(C, Reference, 4, EVP_ChLWEStep, ChLWEStep, Cls_ChLWEStep)
class Cls_ChEvapGlycolPerc : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChEvapGlycolPerc, CTDbObject, 82)
public:
    Cls_ChEvapGlycolPerc_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChEvapGlycolPerc)

    // "30%", then " " and the brine name when the brine is set.
    std::string GetDescriptiveName() const override;
};

// Table "Tbl_ChLWEStep" (86).
#define Cls_ChLWEStep_FIELDS(X, C) \
    X(C, Double, 1, LST_LWE, LWE, 0.0) \
    X(C, Reference, 2, LST_ChOption, ChOption, Cls_ChOption) \
    X(C, Reference, 4, LST_ChController, ChController, Cls_ChController)
class Cls_ChLWEStep : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChLWEStep, CTDbObject, 86)
public:
    Cls_ChLWEStep_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChLWEStep)
    CTRecordList<Cls_ChEvapGlycolPerc> GetAllChEvapGlycolPerc() const;

    // The step temperature followed by "°C".
    std::string GetName() const override;
    // The name, then " - " and the option's name when the step needs one.
    std::string GetDescriptiveName() const override;
};

// Table "Tbl_ChController" (81).
#define Cls_ChController_FIELDS(X, C) \
    X(C, Name, 1, CTL_Name, Name, "") \
    X(C, Deleted, 2, CTL_Deleted, Deleted, false)
class Cls_ChController : public CTDbObject {
    BRUMALIS_RECORD_CLASS(Cls_ChController, CTDbObject, 81)
public:
    Cls_ChController_FIELDS(BRUMALIS_FIELD_ACCESSORS, Cls_ChController)
    CTRecordList<Cls_ChLWEStep> GetAllChLWEStep() const;
    CTRecordList<Cls_ChOutdoorUnit> GetAllChOutdoorUnit() const;

    TControllerDataSet GetCorrections(std::int32_t SeqNr);
    void SetCorrections(std::int32_t SeqNr, const TControllerDataSet& DataSet);
    void CopyCorrections(std::int32_t SeqNrFrom, std::int32_t SeqNrTo);
    static TControllerDataSet GetInitCorrections() { return TControllerDataSet{}; }

    // The steps sorted by LST_LWE ascending, loaded once and kept.
    const CTRecordList<Cls_ChLWEStep>& CacheLWESteps() const;
    // A new sorted list for the caller.
    CTRecordList<Cls_ChLWEStep> GetAllChLWEStepSorted() const;

private:
    TControllerDataSet& DataSetOf(std::int32_t SeqNr);

    std::vector<TCtrlDataSet> v_DataSetList;
    mutable CTRecordList<Cls_ChLWEStep> v_TheSteps;
    mutable bool v_stepsCached = false;
};

}  // namespace brumalis
