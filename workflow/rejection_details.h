// What "Rejected selections" shows for a rejected unit: the message of its
// reason and, for reasons about a capacity, a temperature difference or a
// flow, the value the unit reached against the allowed range.
#pragma once

#include <optional>
#include <string>

#include "catalogue/records.h"
#include "workflow/main_session.h"

namespace brumalis {

struct TRejectionDetails {
    std::int32_t Code = 0;
    std::string Message;
    struct TExtra {
        std::string Title;  // "Cooling capacity", "Delta temperature", "Water flow rate", …
        std::string Available, Minimum, Maximum;  // in the current display units
    };
    std::optional<TExtra> Extra;
};

// The details of the unit's data set; the deviations (fractions) fill the
// capacity messages, the session's bands the capacity range.
TRejectionDetails RejectionDetailsOf(Cls_ChOutdoorUnit& unit, std::int32_t SeqNr, const TMainSession& session,
                                     double dNegCooling, double dPosCooling, double dNegHeating, double dPosHeating);

}  // namespace brumalis
