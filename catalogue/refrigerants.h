// The refrigerants the user does not allow: record IDs kept per user as the
// text "REFRIG_NA" (IDs separated by single blanks), held for the whole run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis {

// The record IDs of a not-allowed text: blank-separated integers from the
// start, up to the first token that is not a positive integer.
std::vector<std::int32_t> ParseNotAllowedRefrigerants(std::string_view szText);

// (Re)reads the text from the settings; done at start-up, and on first use
// when nobody did.
void LoadNotAllowedRefrigerants();
const std::string& GetNotAllowedRefrigerantsText();

}  // namespace brumalis
