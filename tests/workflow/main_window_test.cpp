#include <gtest/gtest.h>

#include "platform/desktop_entries.h"
#include "workflow/main_window.h"

namespace brumalis {
namespace {

TEST(MainWindowModel, PagesWithNothingToShowGiveWayToSettings) {
    TMainWindowModel model("Brumalis");
    int nChanges = 0;
    model.SetOnChange([&] { ++nChanges; });
    for (int i = 0; i < kChillerPageCount; ++i) EXPECT_TRUE(model.IsAvailable(static_cast<TChillerPage>(i)));

    model.MarkContentPagesEmpty();
    EXPECT_EQ(model.ImageIndex(TChillerPage::Results), TMainWindowModel::kImageNothingToShow);
    EXPECT_EQ(model.ImageIndex(TChillerPage::PlantBuilder), TMainWindowModel::kImageNothingToShow);
    EXPECT_EQ(model.ImageIndex(TChillerPage::Basket), TMainWindowModel::kImageNothingToShow);
    EXPECT_EQ(model.ImageIndex(TChillerPage::Analysis), TMainWindowModel::kImageAvailable);
    EXPECT_EQ(model.PageToActivate(TChillerPage::Results), TChillerPage::Settings);
    EXPECT_EQ(model.PageToActivate(TChillerPage::Basket), TChillerPage::Settings);
    EXPECT_EQ(model.PageToActivate(TChillerPage::Chillers), TChillerPage::Chillers);

    model.SetAvailable(TChillerPage::Results, true);
    EXPECT_EQ(model.PageToActivate(TChillerPage::Results), TChillerPage::Results);
    model.SetAvailable(TChillerPage::Results, false);
    EXPECT_EQ(model.PageToActivate(TChillerPage::Results), TChillerPage::Settings);
    // Settings, Analysis and Chillers always have something to show.
    model.SetAvailable(TChillerPage::Analysis, false);
    model.SetAvailable(TChillerPage::Settings, false);
    EXPECT_TRUE(model.IsAvailable(TChillerPage::Analysis));
    EXPECT_EQ(model.PageToActivate(TChillerPage::Settings), TChillerPage::Settings);
    EXPECT_EQ(nChanges, 3);

    EXPECT_EQ(ChillerPageCaption(TChillerPage::Basket), "Solution Basket");
    EXPECT_EQ(ChillerPageCaption(TChillerPage::PlantBuilder), "Plant Builder");
}

TEST(MainWindowModel, CaptionLogoAndProject) {
    TMainWindowModel model("Brumalis");
    model.AppendVersionToCaption("3.3.4 - beta2", "2.1", "Standard");
    EXPECT_EQ(model.Caption(), "Brumalis 3.3.4 - beta2 - 2.1 Standard");
    TMainWindowModel standard("Brumalis");
    standard.AppendVersionToCaption("3.3.4", "2.1", "");
    EXPECT_EQ(standard.Caption(), "Brumalis 3.3.4 - 2.1");
    EXPECT_TRUE(model.SecondLogoVisible());
    model.HideSecondLogo();
    EXPECT_FALSE(model.SecondLogoVisible());
    model.SetProjectModified(true);
    model.ResetProject();
    EXPECT_FALSE(model.ProjectModified());
    EXPECT_TRUE(model.ProjectFileName().empty());
}

TEST(WindowPlacement, StoredUnderTheInterfaceKeyAndReadBack) {
    platform::CTMemorySettingsStore store;
    EXPECT_FALSE(ReadWindowPlacement(store));
    const TWindowPlacement placement{{-1200, 40, 1100, 700}, true};
    ASSERT_TRUE(WriteWindowPlacement(store, placement));
    EXPECT_EQ(ReadWindowPlacement(store), placement);
    EXPECT_EQ(store.ReadInteger("Software\\Orvane\\Brumalis\\Interface", "Width", 0), 1100);
    // A placement without a size is no placement.
    store.WriteInteger(kInterfaceKey, "Height", 0);
    EXPECT_FALSE(ReadWindowPlacement(store));
    platform::CTMemorySettingsStore readOnly(true);
    EXPECT_FALSE(WriteWindowPlacement(readOnly, placement));
}

TEST(WindowPlacement, AWindowOffEveryScreenComesBackOntoTheFirst) {
    const TScreenRect primary{0, 0, 1280, 800};
    const TScreenRect left{-1920, 0, 1920, 1080};
    const std::vector<TScreenRect> screens{primary, left};
    // On a screen, partly off it too, as long as the title strip can be dragged.
    EXPECT_EQ(PlaceOnScreens({100, 50, 800, 600}, screens), (TScreenRect{100, 50, 800, 600}));
    EXPECT_EQ(PlaceOnScreens({900, 300, 800, 600}, screens), (TScreenRect{900, 300, 800, 600}));
    EXPECT_EQ(PlaceOnScreens({-1800, 100, 1600, 900}, screens), (TScreenRect{-1800, 100, 1600, 900}));
    // That screen was unplugged, or the title strip is above the top.
    EXPECT_EQ(PlaceOnScreens({-1800, 100, 1000, 700}, {primary}), (TScreenRect{0, 100, 1000, 700}));
    EXPECT_EQ(PlaceOnScreens({200, -300, 800, 600}, screens), (TScreenRect{200, 0, 800, 600}));
    EXPECT_EQ(PlaceOnScreens({5000, 5000, 800, 600}, screens), (TScreenRect{480, 200, 800, 600}));
    // Larger than any screen here: shrunk to the one it lies on.
    EXPECT_EQ(PlaceOnScreens({0, 0, 2560, 1600}, screens), (TScreenRect{0, 0, 1280, 800}));
    EXPECT_EQ(PlaceOnScreens({5000, 5000, 800, 600}, {}), (TScreenRect{5000, 5000, 800, 600}));
}

TEST(WindowPlacement, TheWindowNamesTheDesktopEntry) {
    EXPECT_EQ(platform::DesktopFileId("Orvane", "Brumalis"), "orvane-brumalis");
}

}  // namespace
}  // namespace brumalis
