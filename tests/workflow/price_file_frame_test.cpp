// The price-file frame over the shipped catalogue: what it shows for each
// kind of file, its buttons, the shortened name, and the preferences
// dialog's Cancel giving back the file it opened with.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "catalogue/price_records.h"
#include "platform/path_text.h"
#include "shipped_workflow_fixture.h"
#include "workflow/preferences.h"
#include "workflow/price_file_frame.h"

namespace brumalis::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kKey = "Software\\Orvane";

// Every character 7 pixels wide.
int Width(std::string_view sz) { return static_cast<int>(sz.size()) * 7; }

class PriceFileFrame : public ShippedWorkflow {
protected:
    void SetUp() override {
        ShippedWorkflow::SetUp();
        folder = fs::path(::testing::TempDir()) / ("price_frame_" + std::to_string(getpid()));
        fs::create_directories(folder);
        session = &Started();
    }
    void TearDown() override {
        Cls_PriceAndPrefsFile::SetFileName(kKey, false, "");
        Cls_PriceAndPrefsFile::LoadFile(kKey, false);
        ShippedWorkflow::TearDown();
        fs::remove_all(folder);
    }
    std::string Copy(const std::string& szFrom, const std::string& szName) {
        const fs::path to = folder / szName;
        fs::copy_file(szFrom, to, fs::copy_options::overwrite_existing);
        return to.string();
    }
    std::string Prices(const std::string& szName = "prices.edi") { return Copy(BRUMALIS_EXAMPLE_PRICES, szName); }
    static std::string StoredName() { return Cls_PriceAndPrefsFile::GetFileName(kKey, false); }

    fs::path folder;
    TMainSession* session = nullptr;
    TFrmPriceFileAdmin frame;
};

TEST_F(PriceFileFrame, ShowsWhichFileIsAttachedAndWhatIsWrongWithIt) {
    frame.Initialize(kKey, false, nullptr);
    EXPECT_EQ(frame.State(), (TFrmPriceFileAdmin::TFileState{"Choose a price file", false, false, false}));

    int nCalls = 0;
    frame.Initialize(kKey, false, [&] { ++nCalls; });
    const std::string szPrices = Prices();
    frame.Btn_BrowseClick(szPrices);
    EXPECT_EQ(frame.State(), (TFrmPriceFileAdmin::TFileState{szPrices, false, false, true}));
    EXPECT_NE(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetCurrentChecksum(kKey, false), Cls_PriceAndPrefsFile::CalcFileChecksum(szPrices));
    EXPECT_EQ(nCalls, 1);

    // A database of another kind is no price file.
    frame.Btn_BrowseClick(Copy(BRUMALIS_TEST_CATALOGUE, "catalogue.edi"));
    EXPECT_TRUE(frame.State().InvalidFileShown);
    EXPECT_FALSE(frame.State().FileNotFoundShown);
    EXPECT_TRUE(frame.State().ClearEnabled);
    EXPECT_EQ(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);

    // A file deleted since it was chosen.
    frame.Btn_BrowseClick(szPrices);
    fs::remove(szPrices);
    frame.ShowFileState();
    EXPECT_TRUE(frame.State().FileNotFoundShown);
    EXPECT_FALSE(frame.State().InvalidFileShown);
    EXPECT_EQ(frame.State().FileNameText, szPrices);

    frame.Btn_ClearClick();
    EXPECT_EQ(registry->CurrentUser().ReadString(kKey, "PPFileName", "unset"), "");
    EXPECT_EQ(registry->CurrentUser().ReadInteger(kKey, "PPChecksum", -1), 0);
    EXPECT_EQ(frame.State(), (TFrmPriceFileAdmin::TFileState{"Choose a price file", false, false, false}));
    EXPECT_EQ(nCalls, 4);
}

TEST_F(PriceFileFrame, ALongNameIsShortenedToTheFrameKeepingTheFileName) {
    fs::create_directories(folder / "engineering" / "projects" / "2026" / "north-hospital");
    const std::string szPrices = Prices("engineering/projects/2026/north-hospital/prices-2026.edi");
    frame.Initialize(kKey, false, nullptr);
    frame.Btn_BrowseClick(szPrices);
    const std::string szFirstElement = szPrices.substr(0, szPrices.find('/', 1));
    const int nRoom = Width(szFirstElement + "/.../north-hospital/prices-2026.edi") + 3;
    frame.SetNameRoom(nRoom, Width);
    const std::string& szShown = frame.State().FileNameText;
    EXPECT_LE(Width(szShown), nRoom);
    EXPECT_TRUE(szShown.ends_with("/north-hospital/prices-2026.edi")) << szShown;
    EXPECT_NE(szShown.find("/..."), std::string::npos) << szShown;
    EXPECT_FALSE(frame.State().InvalidFileShown);
}

TEST(ShortenPath, ReplacesWholeElementsFromTheLeftAndNeverTheFileName) {
    const std::string szPath = "/home/engineer/projects/2026/prices.edi";
    EXPECT_EQ(platform::ShortenPathToWidth(szPath, Width(szPath), Width), szPath);
    EXPECT_EQ(platform::ShortenPathToWidth(szPath, Width(szPath) - 1, Width), "/home/.../projects/2026/prices.edi");
    EXPECT_EQ(platform::ShortenPathToWidth(szPath, Width("/home/.../2026/prices.edi"), Width),
              "/home/.../2026/prices.edi");
    EXPECT_EQ(platform::ShortenPathToWidth(szPath, Width("/home/.../prices.edi"), Width), "/home/.../prices.edi");
    EXPECT_EQ(platform::ShortenPathToWidth(szPath, 10, Width), ".../prices.edi");
    EXPECT_EQ(platform::ShortenPathToWidth("C:\\Data\\Prices\\list.edi", Width("C:\\...\\list.edi"), Width),
              "C:\\...\\list.edi");
    EXPECT_EQ(platform::ShortenPathToWidth("prices-without-folder.edi", 10, Width), "prices-without-folder.edi");
}

TEST_F(PriceFileFrame, CancelGivesBackTheFileTheDialogOpenedWithAndOKKeepsTheNewOne) {
    const std::string szFirst = Prices("first.edi");
    const std::string szSecond = Prices("second.edi");
    Cls_PriceAndPrefsFile::SetFileName(kKey, false, szFirst);
    Cls_PriceAndPrefsFile::SetCurrentChecksum(kKey, false, 12345);  // as it was when chosen
    Cls_PriceAndPrefsFile::LoadFile(kKey, false);
    const TSelectionCriteria criteria{0, 4, 0, 0};

    // Browse, then Cancel.
    auto browsed = std::make_unique<TFrm_Preferences>(*session->v_Limits, criteria);
    browsed->PriceFile().Btn_BrowseClick(szSecond);
    EXPECT_EQ(StoredName(), szSecond);
    browsed->Cancel();
    EXPECT_EQ(StoredName(), szFirst);
    EXPECT_EQ(Cls_PriceAndPrefsFile::GetCurrentChecksum(kKey, false), 12345);
    EXPECT_NE(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);

    // Restore Defaults clears the file at once; Cancel gives it back.
    auto restored = std::make_unique<TFrm_Preferences>(*session->v_Limits, criteria);
    restored->RestoreDefaults();
    EXPECT_EQ(StoredName(), "");
    EXPECT_EQ(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);
    restored->Cancel();
    EXPECT_EQ(StoredName(), szFirst);
    EXPECT_NE(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);

    // OK keeps what the frame shows.
    auto accepted = std::make_unique<TFrm_Preferences>(*session->v_Limits, criteria);
    accepted->PriceFile().Btn_BrowseClick(szSecond);
    ASSERT_TRUE(accepted->Accept().Accepted);
    EXPECT_EQ(StoredName(), szSecond);
    EXPECT_NE(Cls_PriceAndPrefsFile::UniqueInstance(), nullptr);
    // An untouched dialog's Cancel writes nothing.
    auto untouched = std::make_unique<TFrm_Preferences>(*session->v_Limits, criteria);
    EXPECT_FALSE(untouched->PriceFile().RestoreNotedFile());
    EXPECT_EQ(StoredName(), szSecond);
}

}  // namespace
}  // namespace brumalis::testing
