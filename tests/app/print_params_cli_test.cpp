#include <gtest/gtest.h>

#include <sstream>

#include "app/cli_args.h"
#include "app/cli_print_params.h"
#include "documents/print_params.h"
#include "tests/documents/print_params_support.h"

namespace brumalis::app {
namespace {

using test::Bitmap;

class PrintParamsCommand : public test::PrivateSettingsTest {
protected:
    std::string Run(const std::vector<std::string>& args) {
        std::ostringstream out;
        EXPECT_EQ(RunPrintParams(args, out), 0);
        return out.str();
    }
};

TEST_F(PrintParamsCommand, ShowsSetsAndKeepsWhatIsNotGiven) {
    EXPECT_EQ(Run({}), "Line 1: \nLine 2: \nLine 3: \nLogo:   (none)\n");
    const std::string szLogo = File("logo.bmp", Bitmap(100, 40));
    Run({"--line1", " Frost & Partners ", "--line3", "4000 Liège", "--logo", szLogo});
    Run({"--line2", "Rue du Nord 4"});
    EXPECT_EQ(Run({}), "Line 1: Frost & Partners\nLine 2: Rue du Nord 4\nLine 3: 4000 Liège\nLogo:   " + szLogo + "\n");
    Run({"--no-logo"});
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), "");
    EXPECT_EQ(TDlgPrintParams::GetLine1(), "Frost & Partners");
}

TEST_F(PrintParamsCommand, RefusesAnOversizedOrUnreadableLogoAndStoresNothing) {
    Run({"--line1", "kept"});
    std::ostringstream out;
    try {
        RunPrintParams({"--line1", "new", "--logo", File("wide.bmp", Bitmap(600, 100))}, out);
        ADD_FAILURE() << "an oversized logo was accepted";
    } catch (const CTCriteriaError& e) {
        EXPECT_STREQ(e.what(), "Maximum bitmap size is 590x236 pixels.");
    }
    EXPECT_THROW(RunPrintParams({"--logo", File("text.bmp", "not a picture")}, out), CTCriteriaError);
    EXPECT_THROW(RunPrintParams({"--logo", "/nonexistent/logo.bmp"}, out), CTCriteriaError);
    EXPECT_EQ(TDlgPrintParams::GetLine1(), "kept");
    EXPECT_EQ(TDlgPrintParams::GetLogoFile(), "");
    EXPECT_TRUE(out.str().empty());
}

TEST_F(PrintParamsCommand, RejectsContradictoryOrIncompleteOptions) {
    std::ostringstream out;
    EXPECT_THROW(RunPrintParams({"--logo", "a.bmp", "--no-logo"}, out), CTUsageError);
    EXPECT_THROW(RunPrintParams({"--line1"}, out), CTUsageError);
    EXPECT_THROW(RunPrintParams({"--logo", ""}, out), CTUsageError);
    EXPECT_THROW(RunPrintParams({"extra"}, out), CTUsageError);
}

}  // namespace
}  // namespace brumalis::app
