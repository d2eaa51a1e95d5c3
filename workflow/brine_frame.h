// The brine (glycol) of one water circuit: which brine, the weight
// percentage the circuit needs at its leaving temperature or the user forces,
// and the capacity corrections this causes, installed in the controllers'
// (evaporator) or the brine's (condenser) data set of one calculation context.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/brine_records.h"
#include "workflow/typed_entry.h"

namespace brumalis {

struct TBrineSettings {
    Cls_ChGlycol* Brine = nullptr;
    double Percentage = 0.0;
    bool ChangeWeight = false;
};

class TFrm_ChBrine {
public:
    static constexpr const char* kNoBrine = "-- No brine --";
    static constexpr int kMaxPercent = 40;

    // The brines and controllers stay owned by the caller and must outlive
    // the frame (or a new SetupWindow).
    void SetupWindow(std::int32_t SeqNr, const CTRecordList<Cls_ChGlycol>& Brines,
                     const CTRecordList<Cls_ChController>& Controllers, std::function<void()> OnEnter,
                     std::function<void()> HandleChanges);

    // None when the first item is selected.
    Cls_ChGlycol* GetBrine() const;
    // The percentage in force: the user's when "Change % weight" is ticked,
    // else the one the circuit requires.
    double GetPercentage() const { return v_percent; }
    void SetBrineSettings(Cls_ChGlycol* Brine, bool ForcedChange, double Percentage);
    TBrineSettings GetBrineSettings() const;
    // Brine, percentage and "Change % weight" of another frame over the same
    // brines, without the change callback.
    void CopySettings(const TFrm_ChBrine& Other);
    void UpdateEvaporatorBrinePercentage(double LWETemp);
    void UpdateCondenserBrinePercentage(double LWCTemp);

    // What the user does; each fires the change callback.
    void SelectItem(int nItemIndex);
    void SelectBrine(const Cls_ChGlycol* Brine);
    void SetChangeWeight(bool bChecked);
    // Typed into the percentage edit: a whole number 0 to 40, no number reading as 0.
    TTypedEntry EnterPercentage(std::string_view szText);
    void ControlEntered() const;
    // The brine the percentage rules work with: the chosen brine, else the
    // stored default brine, else the first one.
    Cls_ChGlycol* BrineInForce() const;

    // The combo's texts: kNoBrine, then the brines by name.
    std::vector<std::string> Items() const;
    int ItemIndex() const { return v_itemIndex; }
    bool SettingsVisible() const { return v_bSettingsVisible; }
    bool ChangeWeight() const { return v_bChangeWeight; }
    std::int32_t SeqNr() const { return v_SeqNr; }

private:
    int ItemOf(const Cls_ChGlycol* Brine) const;
    void SetPercent(double dPercent);
    void Refresh();

    std::int32_t v_SeqNr = seqSettings;
    std::vector<Cls_ChGlycol*> v_Brines;  // in list order
    std::vector<Cls_ChGlycol*> v_items;   // by name, behind the first item
    std::vector<Cls_ChController*> v_Controllers;
    int v_itemIndex = 0;
    int v_percent = 0;  // the up-down position
    bool v_bChangeWeight = false;
    bool v_bSettingsVisible = false;
    std::function<void()> v_OnEnter;
    std::function<void()> v_HandleChanges;
};

}  // namespace brumalis
