#include "workflow/basket_grid.h"

#include <algorithm>

#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "workflow/grid_texts.h"
#include "workflow/selection_list.h"

namespace brumalis {
namespace {

// A deviation above 100 % says nothing useful and is left out.
std::string DeviationText(double dDeviation) {
    return dDeviation > 100.0 ? std::string() : PlainCell(dDeviation, 1, "%");
}

}  // namespace

void TBasketGrid::SetupWindow(const CTRecordList<Cls_ChOptionCode>* OptionCodes, std::string StdAppl) {
    v_OptionCodes = OptionCodes;
    v_StdAppl = std::move(StdAppl);
    PutRowTitles(v_ShowESEER);
}

void TBasketGrid::PutRowTitles(bool ShowESEER) {
    v_ShowESEER = ShowESEER;
    const std::string in = kGridIndent;
    const TSoundArray distances = Cls_ChOutdoorUnit::GetInitSoundDistances();
    const std::string titles[kRowCount] = {
        "", "Model reference", "Application", "Option Code",
        "Cooling", in + "Required total capacity", in + "Deviation", in + "Capacity", in + "Power input", in + "EER",
        in + (ShowESEER ? "ESEER" : "IPLV"),
        "Heating", in + "Required total capacity", in + "Deviation", in + "Capacity", in + "Power input", in + "COP",
        "Heat recovery mode", in + "Cooling capacity (CC HR)", in + "Power input (PI HR)",
        in + "Heating capacity (HC HR)", in + "COP", in + "% heat recovery",
        "Sound", in + "Sound power", "", "", "",
        "Eurovent", in + "Certified", in + "EER @ 100%",
    };
    for (int i = 0; i < kRowCount; ++i) v_titles[static_cast<std::size_t>(i)] = TranslatedRowTitle(titles[i]);
    for (std::size_t k = 0; k < distances.size(); ++k) {
        v_titles[rwSoundPressure1 + k] = kGridIndent + SoundDistanceTitle(distances[k]);
    }
}

std::string TBasketGrid::OneUnitText(const TSolution& Solution, int nRow) const {
    Cls_ChOutdoorUnit& unit = *Solution.GetChillers().front();
    const TChillerData d = Solution.GetDataSet();
    switch (nRow) {
        case rwApplication: {
            const std::string suffix = TrimmedSuffix(unit);
            return suffix.empty() ? v_StdAppl : suffix;
        }
        case rwOptionCode:
            return unit.GetHasOptionCodes() && v_OptionCodes ? unit.GetOptionCode(Solution.GetSeqNr(), *v_OptionCodes)
                                                             : NoneCellText();
        case rwSeasonal: return PlainCell(v_ShowESEER ? d.ESEER : d.IPLV, 2);
        case rwEER100: return unit.GetEurovent() && d.ESEEREER100 > 0.0 ? PlainCell(d.ESEEREER100, 2) : std::string();
        default: return std::string();
    }
}

std::string TBasketGrid::CellText(const TSolution& Solution, int nPosition, int nRow) const {
    if (Solution.GetChillers().empty()) return std::string();
    const std::vector<Cls_ChOutdoorUnit*>& units = Solution.GetChillers();
    const bool bOne = units.size() == 1;
    const TChillerData d = Solution.GetDataSet();
    const bool bHR = d.HRData.HR > 0.0;
    switch (nRow) {
        case rwSolution: return kGridIndent + std::to_string(nPosition + 1);
        case rwModel: return bOne ? units.front()->GetName() : dialogs::TBaseMsg::Translate("Plant");
        case rwApplication:
        case rwOptionCode:
        case rwSeasonal:
        case rwEER100: return bOne ? OneUnitText(Solution, nRow) : std::string();
        case rwCoolRequired: return DimensionedCell(U_Power, Solution.GetReqCoolCap());
        case rwCoolDeviation: return DeviationText(d.CoolData.Deviation);
        case rwCoolCapacity: return DimensionedCell(U_Power, d.CoolData.Cap);
        case rwCoolPower: return DimensionedCell(U_Power, d.CoolData.PI);
        case rwEER: return PlainCell(d.CoolData.EERCOP, 2);
        case rwHeatRequired: return DimensionedCell(U_Power, Solution.GetReqHeatCap());
        case rwHeatDeviation: return DeviationText(d.HeatData.Deviation);
        case rwHeatCapacity: return DimensionedCell(U_Power, d.HeatData.Cap);
        case rwHeatPower: return DimensionedCell(U_Power, d.HeatData.PI);
        case rwCOP: return PlainCell(d.HeatData.EERCOP, 2);
        case rwHRMode: return HeatRecoveryModeText(*units.front(), d.HRData);
        case rwHRCC: return bHR ? DimensionedCell(U_Power, d.HRData.CC) : std::string();
        case rwHRPI: return bHR ? DimensionedCell(U_Power, d.HRData.PI) : std::string();
        case rwHRHC: return bHR ? DimensionedCell(U_Power, d.HRData.HR) : std::string();
        case rwHRCOP: return bHR ? PlainCell(d.HRData.HRCOP, 2) : std::string();
        case rwHRPercent: return bHR ? PlainCell(d.HRData.HRPercentage * 100.0, 1, "%") : std::string();
        case rwSoundPower: return PlainCell(d.SoundPower, 1, DecibelsSuffix());
        case rwSoundPressure1:
        case rwSoundPressure2:
        case rwSoundPressure3: return PlainCell(d.SoundPressures[static_cast<std::size_t>(nRow - rwSoundPressure1)], 1, DecibelsSuffix());
        case rwCertified: {
            const bool bAll = std::all_of(units.begin(), units.end(), [](const auto* p) { return p->GetEurovent(); });
            return dialogs::TBaseMsg::Translate(bAll ? "Yes" : "No");
        }
        default: return std::string();  // group titles
    }
}

}  // namespace brumalis
