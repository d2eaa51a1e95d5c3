// The general terms the disclaimer window shows: ten sections, each a bold
// heading followed by its paragraphs, every text a message of the catalogue
// (7100 … 7199), translated with the user interface and filled with the
// names of the program, the maker and the law that applies.
#pragma once

#include <string>
#include <vector>

namespace brumalis::dialogs {

// Names the terms speak of; an empty one takes its default: the maker's
// short and long company names, its contact address, the country whose law
// applies and the city of the competent courts.
struct TDisclaimerNames {
    std::string szLawCityName;
    std::string szLawCountryName;
    std::string szLongCompanyName;
    std::string szShortCompanyName;
    std::string szEmail;
    std::string szProgName;
};

// The maker's own names, which are not translated.
inline constexpr const char* kDefaultShortCompanyName = "Orvane";
inline constexpr const char* kDefaultLongCompanyName = "Orvane Climate Systems";
inline constexpr const char* kDefaultEmail = "info@orvane.invalid";

struct TDisclaimerParagraph {
    std::string szText;
    bool bHeading = false;
    // The next paragraph belongs to the same list and follows without an
    // empty line.
    bool bContinuesList = false;
};

// The names with the defaults in place of empty ones.
TDisclaimerNames WithDefaults(TDisclaimerNames names);

// The ten sections in order, translated, "$1" … "$6" replaced by the
// program name, e-mail address, short and long company name, country and
// city.
std::vector<TDisclaimerParagraph> DisclaimerText(const TDisclaimerNames& names);

// How many sections the terms have.
inline constexpr int kDisclaimerSections = 10;

}  // namespace brumalis::dialogs
