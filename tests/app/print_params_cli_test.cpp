#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/cli_args.h"
#include "app/cli_print_params.h"
#include "documents/print_params.h"
#include "platform/settings_store.h"

namespace brumalis::app {
namespace {

// A white 24-bit BMP.
std::string Bitmap(int nWidth, int nHeight) {
    const int nRow = (nWidth * 3 + 3) / 4 * 4;
    const auto nData = static_cast<std::uint32_t>(nRow * nHeight);
    std::string bytes = "BM";
    auto put = [&](std::uint32_t n, int nBytes) {
        for (int i = 0; i < nBytes; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    };
    put(54 + nData, 4), put(0, 4), put(54, 4), put(40, 4);
    put(static_cast<std::uint32_t>(nWidth), 4), put(static_cast<std::uint32_t>(nHeight), 4);
    put(1, 2), put(24, 2), put(0, 4), put(nData, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    bytes.append(nData, '\xFF');
    return bytes;
}

class PrintParamsCommand : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("BRUMALIS_LANGUAGE", "en", 1);
        registry = std::make_unique<platform::CTRegistry>(std::make_shared<platform::CTMemorySettingsStore>(),
                                                          std::make_shared<platform::CTMemorySettingsStore>(true));
        substitute = std::make_unique<platform::CTRegistrySubstitute>(*registry);
    }
    void TearDown() override {
        substitute.reset();
        registry.reset();
        for (const std::string& szFile : files) std::remove(szFile.c_str());
        unsetenv("BRUMALIS_LANGUAGE");
    }
    std::string Run(const std::vector<std::string>& args) {
        std::ostringstream out;
        EXPECT_EQ(RunPrintParams(args, out), 0);
        return out.str();
    }
    std::string File(const std::string& szName, const std::string& bytes) {
        files.push_back(::testing::TempDir() + std::to_string(getpid()) + "_" + szName);
        std::ofstream(files.back(), std::ios::binary) << bytes;
        return files.back();
    }

    std::unique_ptr<platform::CTRegistry> registry;
    std::unique_ptr<platform::CTRegistrySubstitute> substitute;
    std::vector<std::string> files;
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
