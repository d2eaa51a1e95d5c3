// A metafile written here, embedded in an RTF document as a word processor
// receives it, converted by LibreOffice to PDF: its text must come out.
// With CI set a missing program fails the test; elsewhere it is skipped.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/graphics/emf.h"

namespace brumalis::graphics {
namespace {

bool HaveProgram(const char* szName) {
    return std::system((std::string("command -v ") + szName + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Hex(const std::string& bytes) {
    static const char* kDigits = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += kDigits[std::uint8_t(bytes[i]) >> 4];
        out += kDigits[std::uint8_t(bytes[i]) & 15];
        if (i % 64 == 63) out += '\n';
    }
    return out;
}

std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(EmfClientTest, LibreOfficeShowsTheMetafilesText) {
    if (!HaveProgram("soffice") || !HaveProgram("pdftotext")) {
        if (std::getenv("CI")) FAIL() << "soffice and pdftotext are needed (libreoffice-writer-nogui, poppler-utils)";
        GTEST_SKIP() << "LibreOffice or pdftotext not installed";
    }
    const auto dir = std::filesystem::temp_directory_path() / ("brumalis-emf-client-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);

    CTEmfCanvas emf(400, 120);
    emf.Pen() = {clBlue, pmCopy, 2, psDot};
    emf.Rectangle(5, 5, 395, 115);
    const TPoint curve[] = {{10, 100}, {100, 10}, {200, 110}, {390, 20}};
    emf.PolyBezier(curve);
    emf.Font() = {"Arial", 14, {fsBold}, clRed};
    emf.TextOut(20, 20, "Chiller capacity 350 kW");
    emf.Brush().Style = bsClear;
    emf.Font() = {"Tahoma", 10, {}, clWindowText};
    emf.TextOut(20, 60, "Operating range");
    const std::string bytes = emf.Finish();

    std::ofstream(dir / "figure.rtf", std::ios::binary)
        << "{\\rtf1\\ansi{\\pict\\emfblip\\picw400\\pich120\\picwgoal6000\\pichgoal1800\n" << Hex(bytes) << "}}\n";
    const std::string command = "cd '" + dir.string() + "' && timeout 240 soffice --headless --norestore" +
                                " '-env:UserInstallation=file://" + (dir / "profile").string() + "'" +
                                " --convert-to pdf --outdir '" + dir.string() + "' figure.rtf >soffice.log 2>&1" +
                                " && pdftotext figure.pdf figure.txt";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadAll(dir / "soffice.log");
    const std::string text = ReadAll(dir / "figure.txt");
    EXPECT_NE(text.find("Chiller capacity 350 kW"), std::string::npos) << text;
    EXPECT_NE(text.find("Operating range"), std::string::npos) << text;
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace brumalis::graphics
