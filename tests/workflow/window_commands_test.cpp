// The GUI-free rules behind the window's commands: kept widget state read
// back only when sound, default extensions, the
// project named on the command line and the one warning of a report.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "platform/settings_store.h"
#include "tests/platform/private_registry.h"
#include "workflow/main_window.h"
#include "workflow/project_commands.h"
#include "workflow/report_run.h"
#include "workflow/window_state.h"

namespace brumalis {
namespace {

TEST(WindowState, SizeListsRoundTripAndDamagedTextReadsAsNone) {
    EXPECT_EQ(FormatSizeList({120, 0, 340}), "120,0,340");
    EXPECT_EQ(ParseSizeList("120,0,340"), (std::vector<int>{120, 0, 340}));
    EXPECT_EQ(ParseSizeList("7"), std::vector<int>{7});
    for (const char* szBad : {"", ",", "1,", ",1", "1,,2", "1;2", "-5", "12a", "1, 2", "100001", "99999999999999999"}) {
        EXPECT_FALSE(ParseSizeList(szBad).has_value()) << '"' << szBad << '"';
    }
    std::string szLong = "1";
    for (std::size_t i = 1; i < kMaxStateEntries; ++i) szLong += ",1";
    EXPECT_TRUE(ParseSizeList(szLong).has_value());
    EXPECT_FALSE(ParseSizeList(szLong + ",1").has_value()) << "one entry too many";
}

TEST(WindowState, EachWidgetKeepsItsValuesUnderTheInterfaceKey) {
    testing::TPrivateRegistry registry;
    platform::CTSettingsStore& store = platform::Registry().CurrentUser();
    EXPECT_FALSE(ReadWidgetSizes(store, TWidgetStateKind::SplitterSizes, "Spl_Data").has_value());
    EXPECT_FALSE(ReadCurrentTab(store, "PG_Data").has_value());
    ASSERT_TRUE(WriteWidgetSizes(store, TWidgetStateKind::SplitterSizes, "Spl_Data", {200, 500}));
    ASSERT_TRUE(WriteWidgetSizes(store, TWidgetStateKind::ColumnWidths, "Spl_Data", {60, 80, 90}));
    ASSERT_TRUE(WriteCurrentTab(store, "PG_Data", 3));
    EXPECT_EQ(store.ReadString(kInterfaceKey, "Spl_Data.Sizes", ""), "200,500");
    EXPECT_EQ(ReadWidgetSizes(store, TWidgetStateKind::SplitterSizes, "Spl_Data"), (std::vector<int>{200, 500}));
    EXPECT_EQ(ReadWidgetSizes(store, TWidgetStateKind::ColumnWidths, "Spl_Data"), (std::vector<int>{60, 80, 90}));
    EXPECT_EQ(ReadCurrentTab(store, "PG_Data"), 3);
    EXPECT_FALSE(WriteCurrentTab(store, "PG_Data", -1)) << "no tab is nothing to keep";
    EXPECT_FALSE(WriteWidgetSizes(store, TWidgetStateKind::SplitterSizes, "Spl_Data", {}));
    // Values of another type or out of range, written by hand, read as none.
    store.WriteInteger(kInterfaceKey, "Spl_Data.Sizes", 12);
    store.WriteInteger(kInterfaceKey, "PG_Data.Tab", -7);
    EXPECT_FALSE(ReadWidgetSizes(store, TWidgetStateKind::SplitterSizes, "Spl_Data").has_value());
    EXPECT_FALSE(ReadCurrentTab(store, "PG_Data").has_value());
}

TEST(FileRequests, DefaultExtensionsAndTheProjectParameter) {
    EXPECT_EQ(WithExtension("/tmp/report", "rtf"), "/tmp/report.rtf");
    EXPECT_EQ(WithExtension("/tmp/report.doc", "rtf"), "/tmp/report.doc");
    EXPECT_EQ(WithExtension("/tmp/v1.2/report", "rtf"), "/tmp/v1.2/report.rtf") << "a dot in a folder is no extension";

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("parameter-" + std::to_string(::getpid()) + ".cpf");
    std::ofstream(file) << "x";
    EXPECT_EQ(ProjectParameter({file.string()}), file.string());
    EXPECT_EQ(ProjectParameter({file.string(), "more"}), file.string());
    EXPECT_FALSE(ProjectParameter({}).has_value());
    EXPECT_FALSE(ProjectParameter({file.parent_path().string()}).has_value()) << "a folder is no project";
    EXPECT_FALSE(ProjectParameter({file.string() + ".gone"}).has_value());
    std::filesystem::remove(file);
}

TEST(ReportRequests, BothDialogsAndTheOneWarning) {
    const TFileDialogRequest basket = TReportRun::Request(false);
    const TFileDialogRequest analysis = TReportRun::Request(true);
    EXPECT_TRUE(basket.Save && analysis.Save);
    EXPECT_EQ(basket.Title, "Save report");
    EXPECT_EQ(analysis.Title, "Save report");
    EXPECT_EQ(basket.DefaultExt, "rtf");
    EXPECT_EQ(basket.Filter, "Report files (*.rtf)|*.rtf|All files (*.*)|*.*");
    EXPECT_EQ(analysis.Filter, "Analysis report files (*.rtf)|*.rtf|All files (*.*)|*.*");
    const std::string szText = SkippedItemsText({{"cover.xml", "the file does not exist"}, {"ACQ 100", "no drawing"}});
    EXPECT_EQ(szText, "The report was written without:\ncover.xml: the file does not exist\nACQ 100: no drawing");
}

}  // namespace
}  // namespace brumalis
