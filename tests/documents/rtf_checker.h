// A strict reader of the RTF the document writer produces, for the tests:
// it reports every way a document departs from what the writer may emit and
// gives back the body text and the pictures' bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brumalis::test {

struct TRtfCheck {
    std::vector<std::string> problems;  // empty for a sound document
    std::vector<std::string> pictures;  // the bytes of each picture, in order
    std::u16string bodyText;            // text outside header, tables of fonts etc.: \par as LF, \tab as TAB
    int nRows = 0;                      // table rows (\trowd … \row), headers and footers included

    bool Ok() const { return problems.empty(); }
    std::string Report() const;
};

// Checks: the document is one group opened by "{\rtf1"; groups balance;
// only control words of the writer's vocabulary; no raw control characters
// but TAB, CR and LF and no raw bytes 0x80…0x9F; every row has as many
// \cell as \cellx; picture data is an even count of hex digits; nothing but
// CR LF after the last "}".
TRtfCheck CheckRtf(std::string_view rtf);

}  // namespace brumalis::test
