// Captions of the about box that other parts of the program show as well:
// the distributor's three lines, which also go into every report footer.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace brumalis::dialogs {

// The English captions of Lbl_Distrib1 … Lbl_Distrib3, in order.
const std::array<std::string_view, 3>& DistributorCaptions();

// Distributor line nLine (0 … 2) as the about box shows it: translated
// through the user-interface glossary; a caption that translates to nothing
// or to the run-time placeholder "<r-t>" reads as empty.
std::string DistributorLine(std::size_t nLine);

}  // namespace brumalis::dialogs
