// The about box without its widgets: every text it shows and which of its
// labels are visible, and the captions that other parts of the program show
// as well (the distributor's three lines also go into every report footer).
// The distributor's texts are captions translated through the
// user-interface glossary, so that each region's glossary names its own
// distributor; a caption that translates to nothing or to the run-time
// placeholder "<r-t>" is not shown.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis::dialogs {

// The English captions of Lbl_Distrib1 … Lbl_Distrib3, in order.
const std::array<std::string_view, 3>& DistributorCaptions();

// Distributor line nLine (0 … 2) as the about box shows it: translated
// through the user-interface glossary; a caption that translates to nothing
// or to the run-time placeholder "<r-t>" reads as empty.
std::string DistributorLine(std::size_t nLine);

// One label of the distributor block or the fixed links. A hidden label has
// its text cleared and its icon hidden with it.
struct TAboutLabel {
    std::string Text;
    bool Visible = false;
    bool HasIcon = false;
    std::string Target;  // what a click opens through the shell; empty: text only
};

struct TAboutBoxContent {
    std::string ProductName;         // Lbl_ProductName: the title message, may span lines
    std::string Version;             // Lbl_Version: "Version" + " " + the version string
    std::string Language;            // Lbl_Language: the build's language
    std::string DataVersionCaption;  // Lbl_DataVersion: "Database", cleared without a data version
    std::string DataVersion;         // Lbl_VersionAndConfig
    bool DisclaimerShown = false;    // Btn_License; without it Btn_OK is centred
    std::array<TAboutLabel, 3> DistributorLines;
    TAboutLabel Telephone;  // text only
    TAboutLabel Web;        // "http://" + text
    TAboutLabel Mail;       // "mailto:" + text
    std::array<TAboutLabel, 2> FixedLinks;  // the maker's and the software house's sites
    std::vector<std::string> Credits;       // the credit panel's lines
};

class TAboutBox {
public:
    static constexpr const char* kCaption = "About";
    static constexpr const char* kVersionCaption = "Version";
    static constexpr const char* kDatabaseCaption = "Database";
    static constexpr const char* kDisclaimerButton = "Disclaimer...";
    static constexpr const char* kUpgradeButton = "Upgrade...";
    static constexpr const char* kOKButton = "&OK";
    // The English captions of Lbl_DistribTel, Lbl_WWWDistrib and Lbl_MailDistrib.
    static constexpr const char* kDistributorTelephone = "<r-t>";
    static constexpr const char* kDistributorWeb = "www.orvane.invalid";
    static constexpr const char* kDistributorMail = "info@orvane.invalid";
    // The message of the program's name.
    static constexpr int kMsgProgramName = 2;
    // The texts to translate (the distributor's data excluded: each region's
    // glossary gives its own).
    static std::vector<std::string> Texts();

    // szDataVersion: the catalogue's data version, a blank and the
    // configuration name; bDisclaimer: a disclaimer callback is at hand.
    static TAboutBoxContent Content(std::string_view szDataVersion, bool bDisclaimer,
                                    int nTitleID = kMsgProgramName);

    // What a click on a web or mail label opens: the text with "http://" or
    // "mailto:" in front, unless it already starts so.
    static std::string WebTarget(std::string_view szText);
    static std::string MailTarget(std::string_view szText);

    // An icon and its label centred in their panel: the icon at (panel width
    // − icon width − label width − the label's left) div 2, truncated toward
    // zero, the label its former left after the icon; the icon raised by 2
    // pixels unless the screen has 120 pixels an inch.
    struct TIconPlacement {
        int IconLeft = 0;
        int LabelLeft = 0;
        int IconRaise = 0;
        bool operator==(const TIconPlacement&) const = default;
    };
    static TIconPlacement CentreIconPair(int nPanelWidth, int nIconWidth, int nLabelWidth, int nLabelLeft,
                                         int nScreenDpi);
};

}  // namespace brumalis::dialogs
