// The option frame (TFrm_ChOptions) without the window: the standard specs,
// the options and the kits of the current unit of a grid, the option code,
// the heat-recovery entries and the add buttons. Ticks are not kept here:
// they live in the unit's option combinations per data set; the frame
// reports every tick through its callbacks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "catalogue/records.h"
#include "workflow/temp_panel.h"

namespace brumalis {

class TFrm_ChOptions {
public:
    static constexpr std::int32_t kTypePump = 4;
    static constexpr std::int32_t kTypeFixed = 5;
    static constexpr std::int32_t kTypeHeatRecovery = 6;

    struct TLine {
        std::string Text;
        Cls_ChOption* Option = nullptr;  // of the main window's list
        bool Enabled = true;
        bool Ticked = false;
    };
    using THandleChanges = std::function<void(Cls_ChOption& Option, bool bTicked)>;
    using TSelectHROption = std::function<void(Cls_ChOption& Option)>;

    // The callbacks, the recovery entries as a condenser with their start
    // values (K, °C); an add button exists only with its callback.
    void SetupWindow(const CTRecordList<Cls_ChOption>* Options, int CurrTempIndex, double HRDeltaT, double HRLeaving,
                     TNotify OnEnter, TSelectHROption SelectHROption, THandleChanges HandleChanges,
                     std::function<void()> AddToPlant, std::function<void()> AddToBasket);
    // The unit's combinations for SeqNr sorted into the three lists; the
    // recovery entries hidden, the option code cleared.
    void DisplayOptions(Cls_ChOutdoorUnit& Chiller, std::int32_t SeqNr);
    void ClearOptions();
    void SetAddToBasket(bool bEnabled) { v_bAddEnabled = bEnabled; }
    // The option's line enabled and ticked (or its kit ticked).
    void SetOption(const Cls_ChOption& Option, bool bTicked);
    // Exactly this pump ticked; a ticked pump cannot be unticked directly.
    void SetStdPump(const Cls_ChOption* PumpOption);
    void SetOptionCode(std::string Code) { v_optionCode = std::move(Code); }
    void GetHRData(double& HRLeaving, double& HRDeltaT) const;
    void InstallLimits(std::int32_t MinLeaving, std::int32_t MaxLeaving, std::int32_t MaxDeltaT, std::int32_t MinDeltaT);

    // The user: a click on an option line, a tick on an option or a kit, a
    // recovery temperature typed (the current line's tick handled again).
    void ClickOption(int nLine);
    void TickOption(int nLine, bool bTicked);
    void TickKit(int nLine, bool bTicked);
    TTypedEntry EnterRecovery(TEntryRow Row, std::string_view Text);
    // The add buttons pressed: their callbacks, while enabled.
    void PressAddToPlant() const;
    void PressAddToBasket() const;

    const std::vector<std::string>& StandardSpecs() const { return v_standard; }
    const std::vector<TLine>& Options() const { return v_options; }
    const std::vector<TLine>& Kits() const { return v_kits; }
    const std::string& OptionCode() const { return v_optionCode; }
    bool RecoveryShown() const { return v_bRecoveryShown; }
    const TFrm_ChTempScrollEntries& Recovery() const { return v_recovery; }
    // For the entries' view: a value typed or scrolled in repeats the tick
    // handling as EnterRecovery does.
    TFrm_ChTempScrollEntries& Recovery() { return v_recovery; }
    bool AddToPlantShown() const { return static_cast<bool>(v_addToPlant); }
    bool AddToBasketShown() const { return static_cast<bool>(v_addToBasket); }
    bool AddEnabled() const { return v_bAddEnabled; }
    int CurrentLine() const { return v_current; }

private:
    void HandleTick(int nLine, bool bTicked);
    TLine* LineOf(std::vector<TLine>& lines, const Cls_ChOption& Option);

    const CTRecordList<Cls_ChOption>* v_Options = nullptr;
    std::vector<std::string> v_standard;
    std::vector<TLine> v_options;
    std::vector<TLine> v_kits;
    std::string v_optionCode;
    TFrm_ChTempScrollEntries v_recovery;
    bool v_bRecoveryShown = false;
    bool v_bAddEnabled = false;
    int v_current = -1;
    TNotify v_onEnter;
    TSelectHROption v_selectHROption;
    THandleChanges v_handleChanges;
    std::function<void()> v_addToPlant;
    std::function<void()> v_addToBasket;
};

}  // namespace brumalis
