#include "workflow/brine_frame.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "catalogue/records.h"
#include "localisation/number_text.h"

namespace brumalis {
namespace {

bool NameBefore(const Cls_ChGlycol* a, const Cls_ChGlycol* b) {
    const std::string szA = a->GetName();
    const std::string szB = b->GetName();
    return std::lexicographical_compare(szA.begin(), szA.end(), szB.begin(), szB.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

template <class T>
std::vector<T*> Pointers(const CTRecordList<T>& list) {
    std::vector<T*> pointers;
    for (const auto& pRecord : list) {
        if (pRecord) pointers.push_back(pRecord.get());
    }
    return pointers;
}

// The last step not above the temperature; the first when all are above.
const Cls_ChLWEStep* StepAt(const Cls_ChController& Controller, double dLWE) {
    const auto& steps = Controller.CacheLWESteps();
    if (steps.empty()) return nullptr;
    const Cls_ChLWEStep* pStep = steps.front().get();
    for (const auto& pCandidate : steps) {
        if (pCandidate->GetLWE() <= dLWE) pStep = pCandidate.get();
    }
    return pStep;
}

// The brine percentage the catalogue requires at the step (0 without an entry).
double StepPercentage(const Cls_ChLWEStep* pStep, const Cls_ChGlycol* pBrine) {
    if (!pStep || !pBrine) return 0.0;
    for (const auto& pEntry : pStep->GetAllChEvapGlycolPerc()) {
        std::int32_t nClsID = 0;
        std::int32_t nObjID = 0;
        pEntry->GetChGlycol_REF(nClsID, nObjID);
        if (nClsID == pBrine->TableIndex() && nObjID == pBrine->GetID()) return pEntry->GetPercentage();
    }
    return 0.0;
}

TControllerDataSet EvaporatorDataSet(const Cls_ChLWEStep* pStep, Cls_ChGlycol* pBrine, double dStepPercent,
                                     double dUsedPercent) {
    TControllerDataSet set = Cls_ChController::GetInitCorrections();
    set.BrineMinPercent = dStepPercent;
    set.BrineUsedPercent = dUsedPercent;
    if (dUsedPercent > 0.0 && pBrine) {
        set.Brine = pBrine;
        if (pStep) pStep->GetChOption_REF(set.OptionCls, set.OptionObj);
        set.CapCorrection = pBrine->Evaluate(bptEvapCapacity, dUsedPercent);
        set.PICorrection = pBrine->Evaluate(bptEvapPowerInput, dUsedPercent);
        set.FRCorrection = pBrine->Evaluate(bptEvapFlow, dUsedPercent);
        set.PDCorrection = pBrine->Evaluate(bptEvapPressureDrop, dUsedPercent);
    }
    return set;
}

TCorrectionData CondenserCorrections(const Cls_ChGlycol& Brine, double dPercent) {
    if (!(dPercent > 0.0)) return Cls_ChGlycol::GetInitCorrections();
    return {Brine.Evaluate(bptCondCapacity, dPercent), Brine.Evaluate(bptCondPowerInput, dPercent),
            Brine.Evaluate(bptCondFlow, dPercent), Brine.Evaluate(bptCondPressureDrop, dPercent)};
}

// The percentage a brine needs at a condenser leaving temperature; none
// above 0 °C, and none from a brine without that curve (its missing-curve
// factor 1.0 is no percentage).
double CondenserPercentage(const Cls_ChGlycol* pBrine, double dLWC) {
    if (!pBrine || !(dLWC < 0.0) || !pBrine->GetBrinePoly(bptPercentageAtTemp)) return 0.0;
    return pBrine->Evaluate(bptPercentageAtTemp, dLWC);
}

}  // namespace

void TFrm_ChBrine::SetupWindow(std::int32_t SeqNr, const CTRecordList<Cls_ChGlycol>& Brines,
                               const CTRecordList<Cls_ChController>& Controllers, std::function<void()> OnEnter,
                               std::function<void()> HandleChanges) {
    v_SeqNr = SeqNr;
    v_Brines = Pointers(Brines);
    v_items = v_Brines;
    std::stable_sort(v_items.begin(), v_items.end(), NameBefore);
    v_Controllers = Pointers(Controllers);
    v_OnEnter = std::move(OnEnter);
    v_HandleChanges = std::move(HandleChanges);
    SetBrineSettings(nullptr, true, 0.0);
}

Cls_ChGlycol* TFrm_ChBrine::GetBrine() const {
    if (v_itemIndex < 1 || static_cast<std::size_t>(v_itemIndex) > v_items.size()) return nullptr;
    return v_items[static_cast<std::size_t>(v_itemIndex - 1)];
}

TBrineSettings TFrm_ChBrine::GetBrineSettings() const { return {GetBrine(), GetPercentage(), v_bChangeWeight}; }

void TFrm_ChBrine::CopySettings(const TFrm_ChBrine& Other) {
    v_bChangeWeight = Other.v_bChangeWeight;
    SetBrineSettings(Other.GetBrine(), false, Other.v_percent);
}

int TFrm_ChBrine::ItemOf(const Cls_ChGlycol* Brine) const {
    const auto it = std::find(v_items.begin(), v_items.end(), Brine);
    return Brine && it != v_items.end() ? static_cast<int>(it - v_items.begin()) + 1 : 0;
}

void TFrm_ChBrine::SetPercent(double dPercent) {
    const double dRounded = std::round(dPercent);
    v_percent = std::isnan(dRounded) ? 0 : static_cast<int>(std::clamp(dRounded, 0.0, double{kMaxPercent}));
}

void TFrm_ChBrine::SetBrineSettings(Cls_ChGlycol* Brine, bool ForcedChange, double Percentage) {
    const int nItem = ItemOf(Brine);
    const bool bBrine = nItem != 0;
    v_bSettingsVisible =
        !v_items.empty() && (Percentage != 0.0 || (bBrine && !ForcedChange) || (bBrine && v_bChangeWeight));
    if (v_bSettingsVisible) {
        SetPercent(Percentage);
        v_itemIndex = nItem;
        return;
    }
    v_itemIndex = 0;
    v_percent = 0;
    v_bChangeWeight = false;
}

Cls_ChGlycol* TFrm_ChBrine::BrineInForce() const {
    if (Cls_ChGlycol* pBrine = GetBrine()) return pBrine;
    const std::int32_t nDefaultID = Cls_ChGlycol::GetRegDefault();
    const auto it = std::find_if(v_Brines.begin(), v_Brines.end(),
                                 [nDefaultID](const Cls_ChGlycol* pBrine) { return pBrine->GetID() == nDefaultID; });
    if (it != v_Brines.end()) return *it;
    return v_Brines.empty() ? nullptr : v_Brines.front();
}

// Each controller gets what its own step needs (or the user's higher
// percentage), so that no unit depends on the order of the controller list;
// the frame shows the largest.
void TFrm_ChBrine::UpdateEvaporatorBrinePercentage(double LWETemp) {
    Cls_ChGlycol* pBrine = BrineInForce();
    const double dUser = pBrine && v_bChangeWeight ? v_percent : 0.0;
    double dRequired = 0.0;
    for (Cls_ChController* pController : v_Controllers) {
        const Cls_ChLWEStep* pStep = StepAt(*pController, LWETemp);
        const double dStep = StepPercentage(pStep, pBrine);
        const double dUsed = std::max(dStep, dUser);
        dRequired = std::max(dRequired, dUsed);
        pController->SetCorrections(v_SeqNr, EvaporatorDataSet(pStep, pBrine, dStep, dUsed));
    }
    dRequired = std::max(dRequired, dUser);
    SetBrineSettings(dRequired != 0.0 ? pBrine : GetBrine(), false, dRequired);
}

void TFrm_ChBrine::UpdateCondenserBrinePercentage(double LWCTemp) {
    Cls_ChGlycol* pBrine = BrineInForce();
    double dRequired = CondenserPercentage(pBrine, LWCTemp);
    if (v_bChangeWeight) {
        dRequired = std::max(dRequired, static_cast<double>(v_percent));
        SetPercent(dRequired);
    }
    if (pBrine) pBrine->SetCorrections(v_SeqNr, CondenserCorrections(*pBrine, dRequired));
    SetBrineSettings(dRequired != 0.0 ? pBrine : GetBrine(), false, dRequired);
}

void TFrm_ChBrine::Refresh() {
    SetBrineSettings(GetBrine(), false, v_percent);
    if (v_HandleChanges) v_HandleChanges();
}

void TFrm_ChBrine::SelectItem(int nItemIndex) {
    const bool bValid = nItemIndex >= 0 && static_cast<std::size_t>(nItemIndex) <= v_items.size();
    v_itemIndex = bValid ? nItemIndex : 0;
    Refresh();
}

void TFrm_ChBrine::SelectBrine(const Cls_ChGlycol* Brine) { SelectItem(ItemOf(Brine)); }

void TFrm_ChBrine::SetChangeWeight(bool bChecked) {
    v_bChangeWeight = bChecked;
    Refresh();
}

TTypedEntry TFrm_ChBrine::EnterPercentage(std::string_view szText) {
    TTypedEntry entry;
    entry.Typed = Str2Number(szText);
    SetPercent(entry.Typed);
    entry.Value = v_percent;
    entry.Clamped = std::round(entry.Typed) != entry.Value;
    entry.Shown = std::to_string(v_percent);
    Refresh();
    return entry;
}

void TFrm_ChBrine::ControlEntered() const {
    if (v_OnEnter) v_OnEnter();
}

std::vector<std::string> TFrm_ChBrine::Items() const {
    std::vector<std::string> items{kNoBrine};
    for (const Cls_ChGlycol* pBrine : v_items) items.push_back(pBrine->GetName());
    return items;
}

}  // namespace brumalis
