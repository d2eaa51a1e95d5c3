#include "workflow/selection_list.h"

#include <algorithm>
#include <map>

#include "catalogue/units.h"
#include "dialogs/messages.h"

namespace brumalis {
namespace {

constexpr std::int32_t kFamilyOrder[] = {4, 2, 1, 8, 16};

std::string ToLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

template <class T>
const T* FindRecord(const CTRecordList<T>& list, std::int32_t nID) {
    for (const auto& p : list) {
        if (p->GetID() == nID) return p.get();
    }
    return nullptr;
}

std::int32_t ReferencedID(const Cls_ChOutdoorUnit& unit, bool bCompressor) {
    std::int32_t nCls = 0, nObj = 0;
    if (bCompressor) {
        unit.GetChCompressor_REF(nCls, nObj);
    } else {
        unit.GetRefrigerant_REF(nCls, nObj);
    }
    return nObj;
}

}  // namespace

std::string FamilyText(std::int32_t nFamily) {
    static const std::map<std::int32_t, int> kMessages = {{1, 281}, {2, 280}, {4, 278}, {8, 279}, {16, 284}};
    const auto it = kMessages.find(nFamily);
    return it == kMessages.end() ? std::string() : dialogs::TBaseMsg::GetUnicodeString(it->second);
}

std::string CondenserText(std::int32_t nCondenserType) {
    static const int kMessages[] = {276, 288, 283};
    if (nCondenserType < 0 || nCondenserType > 2) return std::string();
    return dialogs::TBaseMsg::GetUnicodeString(kMessages[nCondenserType]);
}

std::string TrimmedSuffix(const Cls_ChOutdoorUnit& unit) {
    const std::string& suffix = unit.GetNameSuffix();
    const auto first = suffix.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const auto last = suffix.find_last_not_of(" \t");
    return suffix.substr(first, last - first + 1);
}

std::string DisplayName(const Cls_ChOutdoorUnit& unit) {
    const std::string suffix = TrimmedSuffix(unit);
    return suffix.empty() ? unit.GetName() : unit.GetName() + " " + suffix;
}

// ---- Selection list

void TFrm_ChSelection::SetupWindow(const Cls_ChLimits* Limits, std::function<void()> SelectionProc) {
    v_Limits = Limits;
    v_selectionProc = std::move(SelectionProc);
}

int TFrm_ChSelection::DisplaySelections(const std::vector<Cls_ChOutdoorUnit*>& Chillers,
                                        const CTRecordList<Cls_ChCompressor>& Compressors,
                                        const CTRecordList<Cls_Refrigerant>& Refrigerants) {
    v_rows.clear();
    v_ranges.clear();
    v_selected = -1;
    for (std::int32_t nCondenser = 0; nCondenser <= 2; ++nCondenser) {
        for (std::int32_t nFamily : kFamilyOrder) {
            std::vector<Cls_ChOutdoorUnit*> units;
            for (Cls_ChOutdoorUnit* pUnit : Chillers) {
                if (pUnit->GetCondenserType() == nCondenser && pUnit->GetFamily() == nFamily) units.push_back(pUnit);
            }
            if (!units.empty()) AddRows(nCondenser, nFamily, units, Compressors, Refrigerants);
        }
    }
    if (v_selectionProc) v_selectionProc();
    return v_rows.empty() ? kMsgNoSelectableChillers : 0;
}

void TFrm_ChSelection::AddRows(std::int32_t nCondenser, std::int32_t nFamily,
                               const std::vector<Cls_ChOutdoorUnit*>& units,
                               const CTRecordList<Cls_ChCompressor>& Compressors,
                               const CTRecordList<Cls_Refrigerant>& Refrigerants) {
    std::vector<std::int32_t> compressorIDs, refrigerantIDs;
    for (const Cls_ChOutdoorUnit* pUnit : units) {
        const std::int32_t nCompressor = ReferencedID(*pUnit, true), nRefrigerant = ReferencedID(*pUnit, false);
        if (std::find(compressorIDs.begin(), compressorIDs.end(), nCompressor) == compressorIDs.end()) {
            compressorIDs.push_back(nCompressor);
        }
        if (std::find(refrigerantIDs.begin(), refrigerantIDs.end(), nRefrigerant) == refrigerantIDs.end()) {
            refrigerantIDs.push_back(nRefrigerant);
        }
    }
    TSelectionRow base;
    base.Condenser = nCondenser;
    base.Family = nFamily;
    base.CondenserCaption = CondenserText(nCondenser);
    base.FamilyCaption = FamilyText(nFamily);
    const bool bAllRow = compressorIDs.size() + refrigerantIDs.size() >= 3;
    if (bAllRow) {
        TSelectionRow all = base;
        all.Compressor = all.Refrigerant = kAllRowText;
        all.Units = units;
        v_rows.push_back(std::move(all));
    }
    const auto compressorName = [&](std::int32_t nID) {
        const Cls_ChCompressor* p = FindRecord(Compressors, nID);
        return p ? p->GetName() : std::string();
    };
    std::stable_sort(compressorIDs.begin(), compressorIDs.end(), [&](std::int32_t a, std::int32_t b) {
        return ToLower(compressorName(a)) < ToLower(compressorName(b));
    });
    for (std::int32_t nCompressor : compressorIDs) {
        std::vector<std::int32_t> ofCompressor;  // refrigerants in order of first appearance
        for (const Cls_ChOutdoorUnit* pUnit : units) {
            const std::int32_t nRefrigerant = ReferencedID(*pUnit, false);
            if (ReferencedID(*pUnit, true) == nCompressor &&
                std::find(ofCompressor.begin(), ofCompressor.end(), nRefrigerant) == ofCompressor.end()) {
                ofCompressor.push_back(nRefrigerant);
            }
        }
        for (std::int32_t nRefrigerant : ofCompressor) {
            TSelectionRow row = base;
            row.Compressor = compressorName(nCompressor);
            const Cls_Refrigerant* pRefrigerant = FindRecord(Refrigerants, nRefrigerant);
            row.Refrigerant = pRefrigerant ? pRefrigerant->GetName() : std::string();
            for (Cls_ChOutdoorUnit* pUnit : units) {
                if (ReferencedID(*pUnit, true) == nCompressor && ReferencedID(*pUnit, false) == nRefrigerant) {
                    row.Units.push_back(pUnit);
                }
            }
            v_rows.push_back(std::move(row));
        }
    }
}

TFrm_ChSelection::TKWRange TFrm_ChSelection::NominalRange(const TSelectionRow& row) const {
    if (!v_Limits || row.Units.empty()) return {};
    const auto range = [&](bool bCooling) {
        TKWRange r{kUnboundedCapacity, -kUnboundedCapacity};
        for (Cls_ChOutdoorUnit* pUnit : row.Units) {
            double cap = 0.0, pi = 0.0;
            if (bCooling) {
                pUnit->GetCoolNomCapPI(nullptr, *v_Limits, cap, pi);
            } else {
                pUnit->GetHeatNomCapPI(nullptr, *v_Limits, cap, pi);
            }
            r.Min = std::min(r.Min, cap), r.Max = std::max(r.Max, cap);
        }
        return r;
    };
    TKWRange r = range(true);
    if (r.Min <= 0.0 || r.Max <= 0.0) r = range(false);
    if (r.Min <= 0.0 || r.Max <= 0.0) return {};
    return r;
}

TFrm_ChSelection::TCapacityTexts TFrm_ChSelection::CapacityRange(int nRow) const {
    if (nRow < 0 || nRow >= static_cast<int>(v_rows.size())) return {};
    v_ranges.resize(v_rows.size());
    std::optional<TKWRange>& cached = v_ranges[static_cast<std::size_t>(nRow)];
    if (!cached) cached = NominalRange(v_rows[static_cast<std::size_t>(nRow)]);
    if (cached->Max <= 0.0) return {};
    return {TU_Form::PutDimensionedText(U_Power, true, cached->Min), TU_Form::PutDimensionedText(U_Power, true, cached->Max)};
}

void TFrm_ChSelection::SelectRow(int nRow) {
    v_selected = nRow >= 0 && nRow < static_cast<int>(v_rows.size()) ? nRow : -1;
    if (v_selectionProc) v_selectionProc();
}

void TFrm_ChSelection::SetSelectionCriteria(std::int32_t Condenser, std::int32_t Family, std::int32_t RefrigerantId,
                                            std::int32_t CompressorId) {
    int nMatch = -1, nLastOfKind = -1;
    for (int i = 0; i < static_cast<int>(v_rows.size()) && nMatch < 0; ++i) {
        const TSelectionRow& row = v_rows[static_cast<std::size_t>(i)];
        const Cls_ChOutdoorUnit& first = *row.Units.front();
        if (first.GetCondenserType() != Condenser || first.GetFamily() != Family) continue;
        nLastOfKind = i;
        if (CompressorId == 0) {
            if (row.Compressor == kAllRowText) nMatch = i;
        } else if (row.Compressor != kAllRowText && ReferencedID(first, true) == CompressorId &&
                   ReferencedID(first, false) == RefrigerantId) {
            nMatch = i;
        }
    }
    SelectRow(nMatch >= 0 ? nMatch : nLastOfKind);
}

void TFrm_ChSelection::GetSelectionCriteria(std::int32_t& Condenser, std::int32_t& Family,
                                            std::int32_t& RefrigerantId, std::int32_t& CompressorId) const {
    Condenser = GetSelCondenser();
    Family = GetSelFamily();
    RefrigerantId = CompressorId = 0;
    if (v_selected < 0) return;
    const TSelectionRow& row = v_rows[static_cast<std::size_t>(v_selected)];
    if (row.Compressor == kAllRowText || row.Units.empty()) return;
    CompressorId = ReferencedID(*row.Units.front(), true);
    RefrigerantId = ReferencedID(*row.Units.front(), false);
}

std::int32_t TFrm_ChSelection::GetSelCondenser() const {
    return v_selected < 0 ? 0 : v_rows[static_cast<std::size_t>(v_selected)].Condenser;
}

std::int32_t TFrm_ChSelection::GetSelFamily() const {
    return v_selected < 0 ? 4 : v_rows[static_cast<std::size_t>(v_selected)].Family;
}

const std::vector<Cls_ChOutdoorUnit*>& TFrm_ChSelection::GetSelChillers() const {
    static const std::vector<Cls_ChOutdoorUnit*> kNone;
    return v_selected < 0 ? kNone : v_rows[static_cast<std::size_t>(v_selected)].Units;
}

// ---- Application options

namespace {

int VersionBox(char c) {
    switch (c) {
        case 'S': return TFrm_ChApplicationOptions::bxVersionS;
        case 'X': return TFrm_ChApplicationOptions::bxVersionX;
        case 'P': return TFrm_ChApplicationOptions::bxVersionP;
        default: return -1;
    }
}

int SoundBox(char c) {
    switch (c) {
        case 'S': return TFrm_ChApplicationOptions::bxSoundS;
        case 'L': return TFrm_ChApplicationOptions::bxSoundL;
        case 'R': return TFrm_ChApplicationOptions::bxSoundR;
        case 'X': return TFrm_ChApplicationOptions::bxSoundX;
        default: return -1;
    }
}

bool InitValue(const TRepApplOptions& o, int nBox) {
    const bool values[] = {o.VersionS, o.VersionX, o.VersionP, o.VersionA, o.SoundS, o.SoundL, o.SoundR, o.SoundX};
    return values[nBox];
}

}  // namespace

void TFrm_ChApplicationOptions::SetupWindow(bool DisableStd) { v_DisableStd = DisableStd; }

void TFrm_ChApplicationOptions::EnableFromInit(TBoxIndex nBox) {
    v_boxes[nBox].Enabled = true;
    v_boxes[nBox].Checked = InitValue(v_InitApplOptions, nBox);
}

void TFrm_ChApplicationOptions::ShowOptions(const std::vector<Cls_ChOutdoorUnit*>& SelectChillers) {
    for (TBox& box : v_boxes) box = TBox{};
    for (TBoxIndex nStd : {bxVersionS, bxSoundS}) v_boxes[nStd] = v_DisableStd ? TBox{false, true} : TBox{true, false};
    for (const Cls_ChOutdoorUnit* pUnit : SelectChillers) {
        const std::string suffix = TrimmedSuffix(*pUnit);
        if (suffix.empty()) {
            if (!v_DisableStd) v_boxes[bxVersionS] = v_boxes[bxSoundS] = TBox{true, true};
            continue;
        }
        const int nVersion = suffix.size() == 3 ? VersionBox(suffix[1]) : -1;
        if (nVersion < 0) {
            EnableFromInit(bxVersionA);
            continue;
        }
        if (!(v_DisableStd && nVersion == bxVersionS)) EnableFromInit(static_cast<TBoxIndex>(nVersion));
        const int nSound = SoundBox(suffix[2]);
        if (nSound < 0) {
            EnableFromInit(bxVersionA);
        } else if (!(v_DisableStd && nSound == bxSoundS)) {
            EnableFromInit(static_cast<TBoxIndex>(nSound));
        }
    }
}

void TFrm_ChApplicationOptions::ShowAllOptions() {
    for (int n = 0; n < 8; ++n) EnableFromInit(static_cast<TBoxIndex>(n));
    if (v_DisableStd) v_boxes[bxVersionS] = v_boxes[bxSoundS] = TBox{false, true};
}

bool TFrm_ChApplicationOptions::OptionAllowed(std::string_view Suffix) const {
    const int nVersion = Suffix.size() == 3 ? VersionBox(Suffix[1]) : -1;
    if (nVersion >= 0) {
        if (!v_boxes[nVersion].Checked) return false;
        const int nSound = SoundBox(Suffix[2]);
        return v_boxes[nSound >= 0 ? nSound : bxVersionA].Checked;
    }
    if (Suffix.empty()) return v_boxes[bxVersionS].Checked;
    return v_boxes[bxVersionA].Checked;
}

TRepApplOptions TFrm_ChApplicationOptions::GetOptionSettings() const {
    const auto c = [&](TBoxIndex n) { return v_boxes[n].Checked; };
    return TRepApplOptions{c(bxVersionS), c(bxVersionX), c(bxVersionP), c(bxVersionA),
                           c(bxSoundS),   c(bxSoundL),   c(bxSoundR),   c(bxSoundX)};
}

void TFrm_ChApplicationOptions::SetOptionSettings(const TRepApplOptions& options) {
    v_InitApplOptions = options;
    for (int n = 0; n < 8; ++n) {
        if (v_boxes[n].Enabled) v_boxes[n].Checked = InitValue(options, n);
    }
}

bool TFrm_ChApplicationOptions::SetBox(TBoxIndex nBox, bool bChecked) {
    if (!v_boxes[nBox].Enabled) return false;
    v_boxes[nBox].Checked = bChecked;
    return true;
}

}  // namespace brumalis
