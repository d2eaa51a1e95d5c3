// A document with every feature of the writer, converted by LibreOffice to
// PDF and to a flat ODT: what a reader of the report sees must be there.
// With CI set a missing program fails the test; elsewhere it is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "documents/page_decorations.h"
#include "documents/rtf_output.h"
#include "platform/graphics/emf.h"
#include "tests/documents/rtf_checker.h"
#include "tools/check-report/report_check.h"

namespace brumalis::test {
namespace {

namespace fs = std::filesystem;

constexpr graphics::TColor kTestColour = graphics::RGBColor(240, 20, 160);
// The test rectangle in the figure's pixels, and the figure's scale: the
// writer sizes a picture at scale × 96 / 120 twelfths of a point a pixel,
// which makes 0.8 page pixels a figure pixel at 96 pixels an inch.
constexpr int kRectWidth = 200;
constexpr int kRectHeight = 100;
constexpr double kFigureScale = 1.25;
constexpr double kPagePixelsPerFigurePixel = kFigureScale * 96 / 120 * 12 * 96 / 1440;
constexpr int kColumnWidths[] = {150, 70, 90};

bool HaveProgram(const char* szName) {
    return std::system((std::string("command -v ") + szName + " >/dev/null 2>&1").c_str()) == 0;
}

using tools::ReadAll;
using tools::WithoutBlanks;

graphics::CTGraphic Figure() {
    graphics::CTEmfCanvas emf(300, 150);
    emf.Pen() = {kTestColour, graphics::pmCopy, 1, graphics::psSolid};
    emf.Brush() = {kTestColour, graphics::bsSolid};
    emf.Rectangle(50, 25, 50 + kRectWidth, 25 + kRectHeight);
    emf.Brush().Style = graphics::bsClear;
    emf.Font() = {"Arial", 10, {}, graphics::clBlack};
    emf.TextOut(60, 130, "Operating envelope");
    return emf.FinishGraphic();
}

void WriteSample(CTStream& stream) {
    CTDecorationDefinition def;
    def.SetHeaderLine("Produced on a test day with the Brumalis Program");
    def.SetMustPrintFooterLine(true);
    def.SetFooterLine("Report footer line");
    graphics::CTRaster logo(40, 16);
    for (int x = 0; x < 40; ++x) logo.SetPixel(x, 8, graphics::clNavy);
    def.AddPreloadedBitmapZone(true, 0, 50, 20, graphics::CTGraphic::FromRaster(logo), true);
    def.AddTextZone(true, 0, {"Header zone"}, graphics::taLeftJustify);
    def.AddTextZone(false, 1, {"Frost & Partners", "Rue du Nord 4"}, graphics::taLeftJustify);
    def.AddPageNrZone(false, 1, 184, 2);

    CTRTFOutput out(stream, "Brumalis", &def, 21, 29.7, 2, 2, 2, 2);
    out.TextHeading1("Selection", true);
    out.TextHeading2("Cooling data", true);
    out.TextLeft("Required capacity 350 kW at 7/12 \xC2\xB0" "C.", false);
    CTDocTable table(3, 3, 1, 1, false);
    for (int c = 0; c < 3; ++c) table.SetColumnWidth(c, kColumnWidths[c]);
    for (int r = 0; r < 3; ++r) table.SetRowHeight(r, 20);
    table.SetText(0, 0, "Model");
    table.SetText(1, 0, "Capacity");
    table.SetText(2, 0, "EER");
    table.SetText(0, 1, "AQ 350");
    table.SetText(1, 1, "351.2");
    table.SetText(2, 1, "3.12");
    table.SetText(0, 2, "Spanning note");
    table.SetColumnSpan(0, 2, 3);
    out.PutDocTable(table);
    out.PutGraphic(kFigureScale, Figure(), true);
    out.TextHeading1("Notes", false);
    out.TextWrite("Text on the first page.");
    out.NewPage();
    out.TextHeading1("Sound", true);
    out.TextWrite("Text on the second page.");
    ASSERT_TRUE(out.Finish()) << out.Error();
}

// Lines of soffice's output that say nothing is wrong.
bool IsKnownNotice(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos || line.rfind("convert ", 0) == 0 ||
           line.find("javaldx") != std::string::npos || line.rfind("Fontconfig warning: ", 0) == 0;
}

int Shell(const std::string& szCommand) { return std::system(szCommand.c_str()); }

// Pixels near the test colour in a binary PPM.
long TestColourPixels(const std::string& ppm) {
    std::istringstream in(ppm);
    std::string magic;
    int nWidth = 0;
    int nHeight = 0;
    int nMax = 0;
    in >> magic >> nWidth >> nHeight >> nMax;
    in.get();
    if (magic != "P6" || nMax != 255) return -1;
    const std::size_t nStart = static_cast<std::size_t>(in.tellg());
    long nCount = 0;
    for (std::size_t i = nStart; i + 2 < ppm.size(); i += 3) {
        const int r = static_cast<unsigned char>(ppm[i]);
        const int g = static_cast<unsigned char>(ppm[i + 1]);
        const int b = static_cast<unsigned char>(ppm[i + 2]);
        if (std::abs(r - 240) < 40 && std::abs(g - 20) < 40 && std::abs(b - 160) < 40) ++nCount;
    }
    return nCount;
}

// Column widths of the flat ODT's tables in twips.
std::vector<double> ColumnWidthsInTwips(const std::string& fodt) {
    std::vector<double> widths;
    const std::string szKey = "style:column-width=\"";
    for (std::size_t n = fodt.find(szKey); n != std::string::npos; n = fodt.find(szKey, n + 1)) {
        std::size_t nUnit = 0;
        const double d = std::stod(fodt.substr(n + szKey.size(), 20), &nUnit);
        const std::string unit = fodt.substr(n + szKey.size() + nUnit, 2);
        widths.push_back(unit == "in" ? d * 1440 : unit == "cm" ? d * 1440 / 2.54 : unit == "mm" ? d * 144 / 2.54 : d * 20);
    }
    return widths;
}

TEST(RtfClient, LibreOfficeShowsEveryFeatureOfAReport) {
    if (!HaveProgram("soffice") || !HaveProgram("pdftotext") || !HaveProgram("pdftoppm")) {
        if (std::getenv("CI")) FAIL() << "soffice, pdftotext and pdftoppm are needed (libreoffice-writer-nogui, poppler-utils)";
        GTEST_SKIP() << "LibreOffice or poppler-utils not installed";
    }
    setenv("BRUMALIS_LANGUAGE", "en", 1);
    const fs::path dir = fs::temp_directory_path() / ("brumalis-rtf-client-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        CTAtomicFileStream file((dir / "report.rtf").string());
        WriteSample(file);
        file.Commit();
    }
    const TRtfCheck check = CheckRtf(ReadAll(dir / "report.rtf"));
    ASSERT_TRUE(check.Ok()) << check.Report();

    const std::string soffice = "cd '" + dir.string() + "' && timeout 240 soffice --headless --norestore '-env:UserInstallation=file://" +
                                (dir / "profile").string() + "' --convert-to ";
    for (const char* szFormat : {"pdf", "fodt"}) {
        const std::string szLog = std::string("soffice-") + szFormat + ".err";
        EXPECT_EQ(Shell(soffice + szFormat + " --outdir '" + dir.string() + "' report.rtf >soffice.out 2>" + szLog), 0);
        // soffice answers 0 even when it could not load the file.
        ASSERT_TRUE(fs::exists(dir / (std::string("report.") + szFormat))) << ReadAll(dir / szLog);
        std::istringstream err(ReadAll(dir / szLog));
        for (std::string line; std::getline(err, line);) EXPECT_TRUE(IsKnownNotice(line)) << "soffice said: " << line;
    }

    ASSERT_EQ(Shell("cd '" + dir.string() + "' && pdftotext -layout report.pdf report.txt"), 0);
    const std::string text = ReadAll(dir / "report.txt");
    const std::string compact = WithoutBlanks(text);
    for (const char* szExpected : {"Produced on a test day with the Brumalis Program", "Report footer line", "Page 1",
                                   "Page 2", "Frost & Partners", "Header zone", "Model", "Capacity", "AQ 350", "351.2",
                                   "Spanning note", "1.Selection", "1.1.Cooling data", "2.Sound",
                                   "Operating envelope", "Text on the second page."}) {
        EXPECT_NE(compact.find(WithoutBlanks(szExpected)), std::string::npos) << "missing " << szExpected << " in\n"
                                                                              << text;
    }
    // The unnumbered heading stands bare.
    EXPECT_NE(compact.find("Notes"), std::string::npos);
    EXPECT_EQ(compact.find("1.2.Notes"), std::string::npos) << text;
    EXPECT_EQ(compact.find("2.Notes"), std::string::npos) << text;

    const std::string fodt = ReadAll(dir / "report.fodt");
    const std::vector<double> widths = ColumnWidthsInTwips(fodt);
    for (int nPixels : kColumnWidths) {
        const double nTwips = nPixels * 15.0;
        EXPECT_TRUE(std::any_of(widths.begin(), widths.end(), [&](double w) { return std::abs(w - nTwips) <= 5; }))
            << "no table column of " << nTwips << " twips";
    }
    EXPECT_NE(fodt.find("<draw:image"), std::string::npos);
    EXPECT_NE(fodt.find("<style:header"), std::string::npos);
    EXPECT_NE(fodt.find("<style:footer"), std::string::npos);

    // Rendered at 96 pixels an inch.
    ASSERT_EQ(Shell("cd '" + dir.string() + "' && pdftoppm -r 96 -f 1 -l 1 report.pdf page"), 0);
    fs::path page;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".ppm") page = entry.path();
    }
    ASSERT_FALSE(page.empty());
    const long nPixels = TestColourPixels(ReadAll(page));
    const double nExpected = kRectWidth * kRectHeight * kPagePixelsPerFigurePixel * kPagePixelsPerFigurePixel;
    EXPECT_NEAR(static_cast<double>(nPixels), nExpected, nExpected * 0.05);
    if (!std::getenv("BRUMALIS_KEEP_CLIENT_OUTPUT")) fs::remove_all(dir);
    unsetenv("BRUMALIS_LANGUAGE");
}

}  // namespace
}  // namespace brumalis::test
