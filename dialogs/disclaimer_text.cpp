#include "dialogs/disclaimer_text.h"

#include "dialogs/messages.h"

namespace brumalis::dialogs {

namespace {

constexpr int kMsgCountry = 7130;
constexpr int kMsgCity = 7131;

enum class TKind { Heading, Paragraph, ListStart };

struct TLayoutEntry {
    int nMsgNr;
    TKind kind;
};

// The sections: start, use, property, marks, warranty, liability,
// indemnity, electronic submission, miscellaneous, contact. A list start is
// followed directly by the next paragraph.
constexpr TLayoutEntry kLayout[] = {
    {7100, TKind::Heading}, {7110, TKind::Paragraph}, {7111, TKind::Paragraph},
    {7101, TKind::Heading}, {7112, TKind::ListStart}, {7113, TKind::Paragraph},
    {7102, TKind::Heading}, {7114, TKind::Paragraph},
    {7103, TKind::Heading}, {7115, TKind::Paragraph},
    {7104, TKind::Heading}, {7116, TKind::Paragraph}, {7117, TKind::Paragraph},
    {7105, TKind::Heading}, {7118, TKind::Paragraph},
    {7106, TKind::Heading}, {7119, TKind::Paragraph},
    {7107, TKind::Heading}, {7120, TKind::ListStart}, {7121, TKind::ListStart}, {7122, TKind::ListStart},
    {7123, TKind::Paragraph},
    {7108, TKind::Heading}, {7124, TKind::Paragraph}, {7125, TKind::Paragraph},
    {7109, TKind::Heading}, {7126, TKind::Paragraph},
};

void Default(std::string& szName, const std::string& szDefault) {
    if (szName.empty()) szName = szDefault;
}

}  // namespace

TDisclaimerNames WithDefaults(TDisclaimerNames names) {
    Default(names.szShortCompanyName, kDefaultShortCompanyName);
    Default(names.szLongCompanyName, kDefaultLongCompanyName);
    Default(names.szEmail, kDefaultEmail);
    Default(names.szLawCountryName, TBaseMsg::GetUnicodeString(kMsgCountry));
    Default(names.szLawCityName, TBaseMsg::GetUnicodeString(kMsgCity));
    Default(names.szProgName, TBaseMsg::GetUnicodeString(2));
    return names;
}

std::vector<TDisclaimerParagraph> DisclaimerText(const TDisclaimerNames& names) {
    const TDisclaimerNames n = WithDefaults(names);
    const std::vector<std::string> params = {n.szProgName,        n.szEmail,          n.szShortCompanyName,
                                             n.szLongCompanyName, n.szLawCountryName, n.szLawCityName};
    std::vector<TDisclaimerParagraph> text;
    for (const TLayoutEntry& entry : kLayout) {
        text.push_back({TBaseMsg::GetUnicodeString(entry.nMsgNr, params), entry.kind == TKind::Heading,
                        entry.kind == TKind::ListStart});
    }
    return text;
}

}  // namespace brumalis::dialogs
