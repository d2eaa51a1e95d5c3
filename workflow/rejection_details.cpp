#include "workflow/rejection_details.h"

#include <cmath>

#include "catalogue/units.h"
#include "dialogs/messages.h"

namespace brumalis {
namespace {

std::string Percent(double dFraction) { return std::to_string(static_cast<long long>(std::llround(dFraction * 100.0))); }

TRejectionDetails::TExtra Range(const char* szTitle, U_RepUnit unit, bool bAbsolute, double dAvailable, double dMin,
                                double dMax) {
    return TRejectionDetails::TExtra{dialogs::TBaseMsg::Translate(szTitle), TU_Form::PutDimensionedText(unit, bAbsolute, dAvailable),
                                     TU_Form::PutDimensionedText(unit, bAbsolute, dMin), TU_Form::PutDimensionedText(unit, bAbsolute, dMax)};
}

}  // namespace

TRejectionDetails RejectionDetailsOf(Cls_ChOutdoorUnit& unit, std::int32_t SeqNr, const TMainSession& session,
                                     double dNegCooling, double dPosCooling, double dNegHeating, double dPosHeating) {
    const TChillerData d = unit.GetChillerData(SeqNr);
    TRejectionDetails details;
    details.Code = d.ErrCode;
    std::vector<std::string> params;
    switch (d.ErrCode) {
        case 214:
            params = {Percent(dNegCooling), Percent(dPosCooling)};
            details.Extra = Range("Cooling capacity", U_Power, true, d.CoolData.Cap, session.v_CoolBand.Min,
                                  session.v_CoolBand.Max);
            break;
        case 229:
            params = {Percent(dNegHeating), Percent(dPosHeating)};
            details.Extra = Range("Heating capacity", U_Power, true, d.HeatData.Cap, session.v_HeatBand.Min,
                                  session.v_HeatBand.Max);
            break;
        case 216:
        case 218:
            details.Extra = Range("Delta temperature", U_Temperature, false, d.Condenser.DeltaT, unit.GetMinDTC(),
                                  unit.GetMaxDTC());
            break;
        case 217:
        case 219:
            details.Extra = Range("Delta temperature", U_Temperature, false, d.Evaporator.DeltaT, unit.GetMinDTE(),
                                  unit.GetMaxDTE());
            break;
        case 223:
        case 225:
            details.Extra = Range("Water flow rate", U_Airflow, true, d.Condenser.WFR / 60.0, unit.GetMinWFRC() / 60.0,
                                  unit.GetMaxWFRC() / 60.0);
            break;
        case 224:
        case 226:
        case 228:
            details.Extra = Range("Water flow rate", U_Airflow, true, d.Evaporator.WFR / 60.0, unit.GetMinWFRE() / 60.0,
                                  unit.GetMaxWFRE() / 60.0);
            break;
        case 234:
            params = {std::to_string(session.v_Limits ? session.v_Limits->GetVORP() : 0)};
            break;
        default: break;
    }
    details.Message = dialogs::TBaseMsg::GetUnicodeString(d.ErrCode, params);
    return details;
}

}  // namespace brumalis
