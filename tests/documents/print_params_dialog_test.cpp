// The print parameters dialog's state: lines, logo name, buttons, preview
// and OK, without a window.
#include <gtest/gtest.h>

#include "documents/print_params_dialog.h"
#include "platform/program_path.h"
#include "tests/documents/print_params_support.h"

namespace brumalis {
namespace {

using test::Bitmap;

class PrintParamsDialog : public test::PrivateSettingsTest {};

TEST_F(PrintParamsDialog, OpensWithTheStoredValuesAndStoresTheLinesTrimmedOnOK) {
    const std::string szLogo = File("stored.bmp", Bitmap(300, 150));
    ASSERT_TRUE(TDlgPrintParams::Save({"Frost & Partners", "Rue du Nord 4", "4000 Liège", szLogo}).bSaved);
    TPrintParamsDialog dialog;
    EXPECT_EQ(dialog.Line(0), "Frost & Partners");
    EXPECT_EQ(dialog.Line(2), "4000 Liège");
    EXPECT_EQ(dialog.Line(3), "");
    EXPECT_EQ(dialog.LogoFile(), szLogo);
    EXPECT_TRUE(dialog.ClearEnabled());
    EXPECT_EQ(TPrintParamsDialog::WidthMaxText(), "590");
    EXPECT_EQ(TPrintParamsDialog::HeightMaxText(), "236");

    dialog.SetLine(0, "  Cold Air Consultants \t");
    dialog.SetLine(1, "");
    dialog.SetLine(7, "ignored");
    EXPECT_TRUE(dialog.Accept().bSaved);
    EXPECT_EQ(TDlgPrintParams::GetLine1(), "Cold Air Consultants");
    EXPECT_EQ(TDlgPrintParams::GetLine2(), "");
    EXPECT_EQ(TDlgPrintParams::GetLine3(), "4000 Liège");
}

TEST_F(PrintParamsDialog, ALogoTooLargeIsRefusedAndTheLargestAllowedOneStored) {
    TPrintParamsDialog dialog;
    dialog.SetLine(0, "new");
    dialog.Browse(File("wide.bmp", Bitmap(600, 100)));
    const auto refused = dialog.Accept();
    EXPECT_FALSE(refused.bSaved);
    EXPECT_EQ(refused.szMessage, "Maximum bitmap size is 590x236 pixels.");
    EXPECT_EQ(TDlgPrintParams::GetLine1(), "");  // nothing stored, the dialog stays as it was
    EXPECT_EQ(dialog.Line(0), "new");

    const std::string szLargest = File("largest.bmp", Bitmap(590, 236));
    dialog.Browse(szLargest);
    EXPECT_TRUE(dialog.Accept().bSaved);
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), szLargest);
}

TEST_F(PrintParamsDialog, ClearIsEnabledOnlyWithANameAndACancelledBrowseKeepsIt) {
    TPrintParamsDialog dialog;
    EXPECT_FALSE(dialog.ClearEnabled());
    EXPECT_FALSE(dialog.Preview().Shown);
    EXPECT_EQ(dialog.FileNameText(), "");
    const std::string szLogo = File("logo.bmp", Bitmap(40, 20));
    dialog.Browse(szLogo);
    EXPECT_TRUE(dialog.ClearEnabled());
    dialog.Browse(std::nullopt);
    EXPECT_EQ(dialog.LogoFile(), szLogo);
    EXPECT_TRUE(dialog.Preview().Shown);
    dialog.Clear();
    EXPECT_FALSE(dialog.ClearEnabled());
    EXPECT_FALSE(dialog.Preview().Shown);
    EXPECT_EQ(dialog.Preview().WidthText, "");
    EXPECT_TRUE(dialog.Accept().bSaved);
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), "");
}

TEST_F(PrintParamsDialog, PreviewsTheLogoAsItPrintsAt300Dpi) {
    TPrintParamsDialog dialog;
    dialog.Browse(File("logo.bmp", Bitmap(300, 150)));
    const auto& preview = dialog.Preview();
    ASSERT_TRUE(preview.Shown);
    EXPECT_EQ(preview.WidthText, "300");
    EXPECT_EQ(preview.HeightText, "150");
    EXPECT_EQ(dialog.PreviewSize(96), (TPrintParamsDialog::TSize{96, 48}));
    EXPECT_EQ(dialog.PreviewSize(144), (TPrintParamsDialog::TSize{144, 72}));
    EXPECT_EQ(dialog.Logo().Width(), 300);
    // Truncated, never rounded up past the printed size.
    dialog.Browse(File("odd.bmp", Bitmap(301, 149)));
    EXPECT_EQ(dialog.PreviewSize(96), (TPrintParamsDialog::TSize{96, 47}));
    // A file that cannot be read shows nothing.
    dialog.Browse(File("broken.bmp", "BMjunk"));
    EXPECT_FALSE(dialog.Preview().Shown);
    EXPECT_EQ(dialog.PreviewSize(96), (TPrintParamsDialog::TSize{0, 0}));
    EXPECT_TRUE(dialog.ClearEnabled());
}

TEST_F(PrintParamsDialog, BrowseStartsInTheProgramsLogoFolderOnlyWithoutALogo) {
    const platform::CTProgramPathSubstitute program("/opt/orvane/brumalis");
    TPrintParamsDialog dialog;
    EXPECT_EQ(dialog.BrowseStart().Folder, "/opt/orvane/Logos");
    EXPECT_EQ(dialog.BrowseStart().FileName, "");
    const std::string szLong = "/home/engineer/letterheads/2026/consultants/frost-and-partners-logo.bmp";
    dialog.Browse(szLong);
    EXPECT_EQ(dialog.BrowseStart().FileName, szLong);
    EXPECT_EQ(dialog.BrowseStart().Folder, "/home/engineer/letterheads/2026/consultants");
    EXPECT_EQ(dialog.FileNameText(), "/home/.../frost-and-partners-logo.bmp");
}

}  // namespace
}  // namespace brumalis
