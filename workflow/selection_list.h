// The selection list of the Settings page: one row per group of selectable
// units (condenser type, family, compressor, refrigerant) with its capacity
// range, and the application options that decide which variants of a row's
// units take part in a run.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/records.h"

namespace brumalis {

// "The database does not contain any selectable chillers."
constexpr int kMsgNoSelectableChillers = 289;

// Captions of the unit classification, from the message list.
std::string FamilyText(std::int32_t nFamily);
std::string CondenserText(std::int32_t nCondenserType);

struct TSelectionRow {
    std::int32_t Condenser = 0;
    std::int32_t Family = 0;
    std::string CondenserCaption;
    std::string FamilyCaption;
    std::string Compressor;   // "- - - - -" on a row of all compressors and refrigerants
    std::string Refrigerant;
    std::vector<Cls_ChOutdoorUnit*> Units;  // not owned
};

class TFrm_ChSelection {
public:
    static constexpr const char* kAllRowText = "- - - - -";

    void SetupWindow(const Cls_ChLimits* Limits, std::function<void()> SelectionProc);
    // Rebuilds the rows; 0, or kMsgNoSelectableChillers for an empty list.
    int DisplaySelections(const std::vector<Cls_ChOutdoorUnit*>& Chillers,
                          const CTRecordList<Cls_ChCompressor>& Compressors,
                          const CTRecordList<Cls_Refrigerant>& Refrigerants);
    // Selects the row of stored criteria (compressor 0: the "- - - - -" row).
    void SetSelectionCriteria(std::int32_t Condenser, std::int32_t Family, std::int32_t RefrigerantId,
                              std::int32_t CompressorId);
    void GetSelectionCriteria(std::int32_t& Condenser, std::int32_t& Family, std::int32_t& RefrigerantId,
                              std::int32_t& CompressorId) const;
    void SelectRow(int nRow);  // -1: none

    const std::vector<TSelectionRow>& Rows() const { return v_rows; }
    // The row's range of nominal capacities in the current power unit, both
    // empty when no range is known. Worked out when first asked for: a
    // selection run needs none.
    struct TCapacityTexts {
        std::string From, To;
    };
    TCapacityTexts CapacityRange(int nRow) const;
    int SelectedRow() const { return v_selected; }
    std::int32_t GetSelCondenser() const;
    std::int32_t GetSelFamily() const;
    const std::vector<Cls_ChOutdoorUnit*>& GetSelChillers() const;

private:
    void AddRows(std::int32_t nCondenser, std::int32_t nFamily, const std::vector<Cls_ChOutdoorUnit*>& units,
                 const CTRecordList<Cls_ChCompressor>& Compressors, const CTRecordList<Cls_Refrigerant>& Refrigerants);
    struct TKWRange {
        double Min = 0.0, Max = 0.0;  // both 0: no range
    };
    TKWRange NominalRange(const TSelectionRow& row) const;

    const Cls_ChLimits* v_Limits = nullptr;
    std::function<void()> v_selectionProc;
    std::vector<TSelectionRow> v_rows;
    mutable std::vector<std::optional<TKWRange>> v_ranges;  // per row, once asked for
    int v_selected = -1;
};

// Which application variants (name suffixes) take part in a run.
struct TRepApplOptions {
    bool VersionS = true, VersionX = true, VersionP = true, VersionA = true;
    bool SoundS = true, SoundL = true, SoundR = true, SoundX = true;
};

class TFrm_ChApplicationOptions {
public:
    struct TBox {
        bool Enabled = false;
        bool Checked = false;
    };
    enum TBoxIndex : int { bxVersionS, bxVersionX, bxVersionP, bxVersionA, bxSoundS, bxSoundL, bxSoundR, bxSoundX };

    // DisableStd: the standard boxes are always ticked and cannot be changed.
    void SetupWindow(bool DisableStd);
    // Enables the boxes of the variants among the units, ticked from the stored options.
    void ShowOptions(const std::vector<Cls_ChOutdoorUnit*>& SelectChillers);
    // Every box enabled and ticked from the stored options (the standard
    // ones ticked and disabled with DisableStd): the preferences offer every
    // variant, whatever the catalogue holds.
    void ShowAllOptions();
    bool OptionAllowed(std::string_view Suffix) const;
    static std::string GetStdOptionSuffix() { return "STD"; }
    TRepApplOptions GetOptionSettings() const;
    void SetOptionSettings(const TRepApplOptions& options);
    // Ticks a box the user may change; false when it is disabled.
    bool SetBox(TBoxIndex nBox, bool bChecked);
    const TBox& Box(TBoxIndex nBox) const { return v_boxes[nBox]; }

private:
    void EnableFromInit(TBoxIndex nBox);

    bool v_DisableStd = false;
    TRepApplOptions v_InitApplOptions;
    TBox v_boxes[8];
};

// The trimmed name suffix of a unit (the field's default is one blank).
std::string TrimmedSuffix(const Cls_ChOutdoorUnit& unit);
// The model name with its variant suffix ("ACS 033 -SL"), as lists name a
// unit; the bare name for the standard variant.
std::string DisplayName(const Cls_ChOutdoorUnit& unit);

}  // namespace brumalis
