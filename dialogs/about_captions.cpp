#include "dialogs/about_captions.h"

#include "dialogs/messages.h"
#include "dialogs/language_names.h"
#include "platform/build_identity.h"

namespace brumalis::dialogs {
namespace {

constexpr std::string_view kPlaceholder = "<r-t>";
constexpr std::string_view kWebScheme = "http://";
constexpr std::string_view kSecureWebScheme = "https://";
constexpr std::string_view kMailScheme = "mailto:";
// Credits of the software house, our own.
constexpr std::array<const char*, 2> kCredits = {"Selection software developed for Orvane",
                                                 "by the Brumalis software team"};
constexpr int kUnraisedDpi = 120;
constexpr int kIconRaise = 2;

// A caption as the about box shows it: translated; nothing for the placeholder.
std::string ShownCaption(std::string_view szEnglish) {
    std::string szText = TBaseMsg::Translate(std::string(szEnglish));
    if (szText == kPlaceholder) szText.clear();
    return szText;
}

TAboutLabel Label(std::string szText, bool bHasIcon, std::string szTarget) {
    if (szText.empty()) return TAboutLabel{};
    return TAboutLabel{std::move(szText), true, bHasIcon, std::move(szTarget)};
}

// A web address as its link shows it: without its scheme.
std::string WithoutScheme(const std::string& szAddress) {
    for (const std::string_view scheme : {kWebScheme, kSecureWebScheme}) {
        if (szAddress.starts_with(scheme)) return szAddress.substr(scheme.size());
    }
    return szAddress;
}

TAboutLabel FixedLink(const std::string& szAddress) {
    return Label(WithoutScheme(szAddress), true, TAboutBox::WebTarget(szAddress));
}

std::string WithScheme(std::string_view szText, std::initializer_list<std::string_view> accepted) {
    for (const std::string_view scheme : accepted) {
        if (szText.starts_with(scheme)) return std::string(szText);
    }
    return std::string(*accepted.begin()) + std::string(szText);
}

}  // namespace

const std::array<std::string_view, 3>& DistributorCaptions() {
    static constexpr std::array<std::string_view, 3> kCaptions = {
        "Orvane Climate Systems",
        "Distribution, commissioning and service",
        "Ask your regional Orvane office for advice",
    };
    return kCaptions;
}

std::string DistributorLine(std::size_t nLine) {
    if (nLine >= DistributorCaptions().size()) return {};
    return ShownCaption(DistributorCaptions()[nLine]);
}

std::vector<std::string> TAboutBox::Texts() {
    std::vector<std::string> texts = {kCaption,       kVersionCaption, kDatabaseCaption,
                                      kDisclaimerButton, kUpgradeButton, kOKButton};
    texts.insert(texts.end(), kCredits.begin(), kCredits.end());
    return texts;
}

std::string TAboutBox::WebTarget(std::string_view szText) { return WithScheme(szText, {kWebScheme, kSecureWebScheme}); }

std::string TAboutBox::MailTarget(std::string_view szText) { return WithScheme(szText, {kMailScheme}); }

TAboutBoxContent TAboutBox::Content(std::string_view szDataVersion, bool bDisclaimer, int nTitleID) {
    TAboutBoxContent content;
    content.ProductName = TBaseMsg::GetUnicodeString(nTitleID);
    content.Version =
        TBaseMsg::Translate(kVersionCaption) + " " + platform::CTVersionUtils::GetVersionStringEx(" - ", "");
    content.Language = ShownLanguageName(static_cast<std::int32_t>(platform::CTVersionUtils::GetLanguage()));
    content.DataVersion = std::string(szDataVersion);
    if (!szDataVersion.empty()) content.DataVersionCaption = TBaseMsg::Translate(kDatabaseCaption);
    content.DisclaimerShown = bDisclaimer;
    for (std::size_t n = 0; n < content.DistributorLines.size(); ++n) {
        content.DistributorLines[n] = Label(DistributorLine(n), false, "");
    }
    content.Telephone = Label(ShownCaption(kDistributorTelephone), false, "");
    const std::string szWeb = ShownCaption(kDistributorWeb);
    content.Web = Label(szWeb, true, WebTarget(szWeb));
    const std::string szMail = ShownCaption(kDistributorMail);
    content.Mail = Label(szMail, true, MailTarget(szMail));
    content.FixedLinks = {FixedLink(platform::MakerWebAddress()), FixedLink(platform::SoftwareHouseWebAddress())};
    for (const char* szCredit : kCredits) content.Credits.push_back(TBaseMsg::Translate(szCredit));
    return content;
}

TAboutBox::TIconPlacement TAboutBox::CentreIconPair(int nPanelWidth, int nIconWidth, int nLabelWidth,
                                                   int nLabelLeft, int nScreenDpi) {
    TIconPlacement placement;
    // Integer division truncates toward zero, as the placement wants.
    placement.IconLeft = (nPanelWidth - nIconWidth - nLabelWidth - nLabelLeft) / 2;
    placement.LabelLeft = placement.IconLeft + nIconWidth + nLabelLeft;
    placement.IconRaise = nScreenDpi == kUnraisedDpi ? 0 : kIconRaise;
    return placement;
}

}  // namespace brumalis::dialogs
