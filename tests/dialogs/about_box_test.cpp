// The about box's texts and visibility, without a window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "dialogs/about_captions.h"
#include "dialogs/messages.h"
#include "tests/dialogs/table_translation.h"
#include "platform/build_identity.h"

namespace brumalis::dialogs {
namespace {

// Translates through a small table of its own; everything else stays English.
class AboutBox : public test::TableTranslationTest {};

TEST_F(AboutBox, ShowsTheProgramVersionLanguageAndCatalogue) {
    table["Version"] = "Версия";
    table["Brumalis Program"] = "Программа\nBrumalis";
    table["Russian"] = "Русский";
    const TAboutBoxContent content = TAboutBox::Content("EU 3.3.4 Nordic", true);
    EXPECT_EQ(content.ProductName, "Программа\nBrumalis");
    EXPECT_EQ(content.Version, "Версия " + platform::CTVersionUtils::GetVersionStringEx(" - ", ""));
    // Named in the window's language, not the language list's English.
    EXPECT_EQ(content.Language, "Русский");
    EXPECT_EQ(content.DataVersionCaption, "Database");
    EXPECT_EQ(content.DataVersion, "EU 3.3.4 Nordic");
    EXPECT_TRUE(content.DisclaimerShown);
    EXPECT_EQ(TAboutBox::Content("", false).DataVersionCaption, "");
    EXPECT_FALSE(TAboutBox::Content("", false).DisclaimerShown);
    // Another title message.
    EXPECT_EQ(TAboutBox::Content("", false, 70).ProductName, "Family");
}

TEST_F(AboutBox, HidesEveryDistributorLabelThatIsEmptyOrThePlaceholderWithItsIcon) {
    const TAboutBoxContent shipped = TAboutBox::Content("1.0", true);
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_TRUE(shipped.DistributorLines[n].Visible);
        EXPECT_EQ(shipped.DistributorLines[n].Text, DistributorCaptions()[n]);
        EXPECT_FALSE(shipped.DistributorLines[n].HasIcon);
    }
    EXPECT_FALSE(shipped.Telephone.Visible);  // "<r-t>" until a region names its telephone
    EXPECT_EQ(shipped.Telephone.Text, "");

    table[std::string(DistributorCaptions()[1])] = "<r-t>";
    table[std::string(DistributorCaptions()[2])] = "";
    table[TAboutBox::kDistributorTelephone] = "+7 495 000 00 00";
    table[TAboutBox::kDistributorWeb] = "<r-t>";
    const TAboutBoxContent region = TAboutBox::Content("1.0", true);
    EXPECT_TRUE(region.DistributorLines[0].Visible);
    EXPECT_FALSE(region.DistributorLines[1].Visible);
    EXPECT_EQ(region.DistributorLines[1].Text, "");
    EXPECT_FALSE(region.DistributorLines[2].Visible);
    EXPECT_TRUE(region.Telephone.Visible);
    EXPECT_EQ(region.Telephone.Target, "");
    EXPECT_FALSE(region.Web.Visible);
    EXPECT_FALSE(region.Web.HasIcon);
    EXPECT_EQ(region.Web.Target, "");
    EXPECT_TRUE(region.Mail.Visible && region.Mail.HasIcon);
}

TEST_F(AboutBox, LinksOpenTheirTextAsWebOrMailAddresses) {
    table[TAboutBox::kDistributorWeb] = "www.holod.invalid";
    table[TAboutBox::kDistributorMail] = "sales@holod.invalid";
    const TAboutBoxContent content = TAboutBox::Content("1.0", true);
    EXPECT_EQ(content.Web.Target, "http://www.holod.invalid");
    EXPECT_EQ(content.Mail.Target, "mailto:sales@holod.invalid");
    EXPECT_EQ(TAboutBox::WebTarget("https://secure.invalid"), "https://secure.invalid");
    EXPECT_EQ(TAboutBox::MailTarget("mailto:a@b.invalid"), "mailto:a@b.invalid");
    // The fixed links show their address without the scheme and open it.
    EXPECT_EQ(content.FixedLinks[0].Target, platform::MakerWebAddress());
    EXPECT_EQ("http://" + content.FixedLinks[0].Text, platform::MakerWebAddress());
    EXPECT_EQ(content.FixedLinks[1].Target, platform::SoftwareHouseWebAddress());
    EXPECT_TRUE(content.FixedLinks[1].Visible && content.FixedLinks[1].HasIcon);
    EXPECT_EQ(content.Credits.size(), 2U);
}

TEST(AboutBoxLayout, CentresAnIconAndItsLabelTruncatingTowardZero) {
    // (200 - 16 - 101 - 4) / 2 = 39.5
    EXPECT_EQ(TAboutBox::CentreIconPair(200, 16, 101, 4, 96), (TAboutBox::TIconPlacement{39, 59, 2}));
    EXPECT_EQ(TAboutBox::CentreIconPair(200, 16, 101, 4, 120).IconRaise, 0);
    // A label wider than its panel: -2.5 truncates to -2, not -3.
    EXPECT_EQ(TAboutBox::CentreIconPair(100, 16, 85, 4, 96).IconLeft, -2);
}

}  // namespace
}  // namespace brumalis::dialogs
