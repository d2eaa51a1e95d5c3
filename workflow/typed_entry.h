// What became of a value the user typed into a bounded entry, in the unit
// the entry shows, so that a caller can tell the user it was clamped.
#pragma once

#include <string>

namespace brumalis {

struct TTypedEntry {
    double Typed = 0.0;  // the number read from the text (0 for no number)
    double Value = 0.0;  // what the entry holds now
    bool Clamped = false;
    bool Refused = false;  // the entry kept its previous value (a sign where none is taken)
    std::string Shown;  // the entry's text now
};

}  // namespace brumalis
