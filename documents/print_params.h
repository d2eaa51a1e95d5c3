// The print parameters: the consultant's name and address and logo, kept
// in the current user's settings under "Software\Orvane", and the page
// decorations every report is framed with. The dialog window shows these;
// the rules of its OK button live here so that the command line applies
// the same ones.
#pragma once

#include <memory>
#include <string>

#include "documents/long_date.h"
#include "documents/page_decorations.h"

namespace brumalis {

namespace graphics {
class CTGraphic;
}

struct TPrintParams {
    std::string szLine1;
    std::string szLine2;
    std::string szLine3;
    std::string szLogoFile;  // empty: no logo
};

class TDlgPrintParams {
public:
    static constexpr const char* kKey = "Software\\Orvane";
    // The largest logo, in pixels.
    static constexpr int kMaxLogoWidth = 590;
    static constexpr int kMaxLogoHeight = 236;
    // Message numbers.
    static constexpr int kMsgPage = 184;
    static constexpr int kMsgProducedOn = 185;
    static constexpr int kMsgMaxBitmapSize = 249;

    // The stored values; empty when absent.
    static std::string GetLine1();
    static std::string GetLine2();
    static std::string GetLine3();
    static std::string GetLogoFile();
    static TPrintParams GetParams();

    struct TSaveOutcome {
        bool bSaved = false;
        std::string szMessage;  // why nothing was stored, for the user
    };
    // The OK rules: a logo that is no readable BMP, or wider than 590 or
    // higher than 236 pixels, is refused and nothing is stored; otherwise the
    // trimmed lines and the logo's name are stored and the shared decoration
    // definition is dropped, so the next report rebuilds it.
    static TSaveOutcome Save(const TPrintParams& params);
    // Why a logo that did not decode is of no use, in the program's language.
    static std::string UnreadableLogo(const graphics::CTGraphic& logo);

    // The decorations of every report, built on first request (its header
    // line keeps the date it was built on) and shared until the parameters
    // are saved.
    static std::shared_ptr<const CTDecorationDefinition> GetPageDecorations();
    // Drops the shared definition.
    static void DiscardPageDecorations();
    // Where the header line's date comes from; answers the previous source.
    static TDateSource SetDateSource(TDateSource source);

private:
    static std::shared_ptr<CTDecorationDefinition> BuildPageDecorations();
};

}  // namespace brumalis
