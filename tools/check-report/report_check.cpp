#include "tools/check-report/report_check.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/graphics/emf.h"
#include "platform/graphics/recording_canvas.h"

namespace brumalis::tools {
namespace {

namespace fs = std::filesystem;

constexpr graphics::TColor kEnvelopeFill = graphics::RGBColor(240, 240, 255);

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

int Shell(const std::string& szCommand) { return std::system(szCommand.c_str()); }

// The figure's labels and its envelope, as the metafile draws them.
class CTFigureReader : public graphics::CTRecordingCanvas {
public:
    explicit CTFigureReader(TReportFigure& figure) : CTRecordingCanvas({figure.nWidth, figure.nWidth}), v_figure(figure) {}
    void Polygon(std::span<const graphics::TPoint> points) override {
        CTRecordingCanvas::Polygon(points);
        if (Pen().Color != graphics::clRed || Brush().Color != kEnvelopeFill || points.size() < 3) return;
        double dArea = 0.0, dPerimeter = 0.0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const graphics::TPoint& a = points[i];
            const graphics::TPoint& b = points[(i + 1) % points.size()];
            dArea += static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
            dPerimeter += std::hypot(b.X - a.X, b.Y - a.Y);
        }
        v_figure.dEnvelopeArea += std::fabs(dArea) / 2.0;
        v_figure.dEnvelopePerimeter += dPerimeter;
    }
    void TextOut(int nX, int nY, std::string_view szUtf8) override {
        CTRecordingCanvas::TextOut(nX, nY, szUtf8);
        if (!WithoutBlanks(std::string(szUtf8)).empty()) v_figure.Labels.emplace_back(szUtf8);
    }

private:
    TReportFigure& v_figure;
};

std::string Unhex(std::string_view hex) {
    std::string bytes;
    int nHigh = -1;
    for (const char c : hex) {
        const int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (v < 0) continue;
        if (nHigh < 0) {
            nHigh = v;
        } else {
            bytes.push_back(static_cast<char>(nHigh * 16 + v));
            nHigh = -1;
        }
    }
    return bytes;
}

long NumberAfter(const std::string& text, std::size_t nFrom, std::size_t nTo, const std::string& szKey) {
    const std::size_t at = text.find(szKey, nFrom);
    if (at == std::string::npos || at > nTo) return 0;
    return std::strtol(text.c_str() + at + szKey.size(), nullptr, 10);
}

struct TPixels {
    long nPale = 0;
    long nRed = 0;
};

// The envelope's fills and the red of its outline on a binary PPM page.
TPixels CountPixels(const std::string& ppm) {
    std::istringstream in(ppm);
    std::string magic;
    int w = 0, h = 0, nMax = 0;
    in >> magic >> w >> h >> nMax;
    in.get();
    TPixels pixels;
    if (magic != "P6" || nMax != 255) return pixels;
    for (auto i = static_cast<std::size_t>(in.tellg()); i + 2 < ppm.size(); i += 3) {
        const int r = static_cast<unsigned char>(ppm[i]);
        const int g = static_cast<unsigned char>(ppm[i + 1]);
        const int b = static_cast<unsigned char>(ppm[i + 2]);
        const bool bPaleBlue = r >= 228 && r <= 250 && g >= 228 && g <= 250 && b >= 250;
        const bool bPaleYellow = r >= 250 && g >= 250 && b >= 228 && b <= 250;
        if (bPaleBlue || bPaleYellow) ++pixels.nPale;
        if (r > 180 && g < 90 && b < 90) ++pixels.nRed;
    }
    return pixels;
}

// An ODF length attribute in centimetres; -1 without it.
double Centimetres(const std::string& fodt, const std::string& szAttr) {
    const std::string key = szAttr + "=\"";
    const std::size_t at = fodt.find(key);
    if (at == std::string::npos) return -1.0;
    std::size_t nUsed = 0;
    const double d = std::stod(fodt.substr(at + key.size(), 20), &nUsed);
    const std::string unit = fodt.substr(at + key.size() + nUsed, 2);
    return unit == "in" ? d * 2.54 : unit == "mm" ? d / 10.0 : unit == "pt" ? d * 2.54 / 72.0 : d;
}

int Count(const std::string& text, const std::string& szWhat) {
    int n = 0;
    for (std::size_t at = text.find(szWhat); at != std::string::npos; at = text.find(szWhat, at + 1)) ++n;
    return n;
}

}  // namespace

std::string ReadAll(const std::string& szPath) {
    std::ifstream in(szPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WithoutBlanks(std::string text) {
    std::erase_if(text, [](unsigned char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r'; });
    return text;
}

TReportFacts ReadReportFacts(const std::string& rtf) {
    TReportFacts facts;
    for (std::size_t at = rtf.find("{\\pict "); at != std::string::npos; at = rtf.find("{\\pict ", at + 1)) {
        ++facts.nPictures;
        const std::size_t nHeaderEnd = rtf.find('\n', at);
        const std::size_t nEnd = rtf.find('}', at);
        if (nHeaderEnd == std::string::npos || nEnd == std::string::npos) break;
        if (rtf.compare(at, 16, "{\\pict \\emfblip\\") != 0) continue;
        const std::string bytes = Unhex(std::string_view(rtf).substr(nHeaderEnd, nEnd - nHeaderEnd));
        graphics::TEmfHeader header;
        try {
            graphics::ReadEmfRecords(bytes, &header);
        } catch (const std::exception&) {
            continue;
        }
        TReportFigure figure;
        const graphics::TSize size = graphics::EmfPixelSize(header);
        figure.nWidth = size.cx;
        const long nGoal = NumberAfter(rtf, at, nHeaderEnd, "\\picwgoal");
        figure.dPagePixels = size.cx > 0 ? nGoal / 15.0 / size.cx : 0.0;
        CTFigureReader reader(figure);
        graphics::PlayEmf(bytes, reader, {0, 0, size.cx, size.cy});
        facts.Figures.push_back(std::move(figure));
    }
    return facts;
}

std::vector<std::string> ConvertReports(const std::vector<std::string>& files, const std::string& szOutDir) {
    std::vector<std::string> failures;
    std::string szFiles;
    for (const std::string& szFile : files) szFiles += " " + Quoted(fs::absolute(szFile).string());
    for (const char* szFormat : {"pdf", "fodt"}) {
        const fs::path log = fs::path(szOutDir) / (std::string("soffice-") + szFormat + ".err");
        const std::string command = "timeout 300 soffice --headless --norestore " +
                                    Quoted("-env:UserInstallation=file://" + (fs::absolute(szOutDir) / "profile").string()) +
                                    " --convert-to " + szFormat + " --outdir " + Quoted(szOutDir) + szFiles +
                                    " >/dev/null 2>" + Quoted(log.string());
        if (Shell(command) != 0) failures.push_back(std::string("soffice failed converting to ") + szFormat);
        std::istringstream err(ReadAll(log));
        for (std::string line; std::getline(err, line);) {
            const bool bKnown = line.find_first_not_of(" \t\r") == std::string::npos || line.rfind("convert ", 0) == 0 ||
                                line.find("javaldx") != std::string::npos || line.rfind("Fontconfig warning: ", 0) == 0;
            if (!bKnown) failures.push_back("soffice said: " + line);
        }
    }
    return failures;
}

std::vector<std::string> CheckReport(const std::string& szFile, const std::string& szOutDir,
                                     const std::vector<std::string>& szExpected) {
    std::vector<std::string> failures;
    const std::string stem = fs::path(szFile).stem().string();
    const fs::path pdf = fs::path(szOutDir) / (stem + ".pdf");
    const fs::path fodt = fs::path(szOutDir) / (stem + ".fodt");
    fs::create_directories(szOutDir);
    if (!fs::exists(pdf) || !fs::exists(fodt)) {
        for (std::string& f : ConvertReports({szFile}, szOutDir)) failures.push_back(std::move(f));
    }
    if (!fs::exists(pdf) || !fs::exists(fodt)) {
        failures.push_back("LibreOffice did not convert " + szFile);
        return failures;
    }
    const TReportFacts facts = ReadReportFacts(ReadAll(szFile));

    const fs::path txt = fs::path(szOutDir) / (stem + ".txt");
    if (Shell("pdftotext -layout " + Quoted(pdf.string()) + " " + Quoted(txt.string())) != 0) failures.push_back("pdftotext failed");
    const std::string text = ReadAll(txt);
    const std::string compact = WithoutBlanks(text);
    std::vector<std::string> expected = szExpected;
    expected.insert(expected.end(), {"1."});
    for (const TReportFigure& figure : facts.Figures) expected.insert(expected.end(), figure.Labels.begin(), figure.Labels.end());
    for (const std::string& szText : expected) {
        if (compact.find(WithoutBlanks(szText)) == std::string::npos) failures.push_back("the PDF does not show \"" + szText + "\"");
    }
    if (text.find('?') != std::string::npos) failures.push_back("the PDF shows \"?\" (a character lost)");
    if (Count(text, "\f") < 1) failures.push_back("the PDF has no pages");

    const std::string flat = ReadAll(fodt);
    const std::size_t nLayout = flat.find("<style:page-layout-properties fo:page-width");
    const std::string layout = nLayout == std::string::npos ? std::string() : flat.substr(nLayout, flat.find('>', nLayout) - nLayout);
    if (std::fabs(Centimetres(layout, "fo:page-width") - 21.0) > 0.05 || std::fabs(Centimetres(layout, "fo:page-height") - 29.7) > 0.05) {
        failures.push_back("the page is not A4");
    }
    const double dLeft = Centimetres(layout, "fo:margin-left");
    const double dRight = Centimetres(layout, "fo:margin-right");
    if (std::fabs(dLeft - 2.0) > 0.05 || (std::fabs(dRight - 1.5) > 0.05 && std::fabs(dRight - 2.0) > 0.05)) {
        failures.push_back("margins " + std::to_string(dLeft) + " and " + std::to_string(dRight) + " cm");
    }
    if (flat.find("<table:table ") == std::string::npos) failures.push_back("the flat ODT has no table");
    if (flat.find("<style:header") == std::string::npos || flat.find("<style:footer") == std::string::npos) {
        failures.push_back("the flat ODT has no header or footer");
    }
    // The header and footer pictures are the decorations' own.
    const int nImages = Count(flat, "<draw:image");
    if (nImages < facts.nPictures) {
        failures.push_back(std::to_string(nImages) + " images in the flat ODT for " + std::to_string(facts.nPictures) + " pictures");
    }

    // Each envelope on the first page from the previous one on that shows the figure's labels.
    std::vector<std::string> pages;
    std::stringstream split(text);
    for (std::string page; std::getline(split, page, '\f');) pages.push_back(WithoutBlanks(page));
    std::vector<double> area(pages.size(), 0.0), perimeter(pages.size(), 0.0);
    // Figures placed per page and figure (its labels).
    std::map<std::pair<std::size_t, std::vector<std::string>>, int> placed;
    std::size_t nPage = 0;
    for (const TReportFigure& figure : facts.Figures) {
        if (figure.dEnvelopeArea <= 0.0) continue;
        // A page holds as many copies of a figure as its rarest label shows.
        auto room = [&figure](const std::string& page) {
            int nCopies = 1 << 20;
            for (const std::string& label : figure.Labels) nCopies = std::min(nCopies, Count(page, WithoutBlanks(label)));
            return nCopies;
        };
        while (nPage < pages.size() && placed[{nPage, figure.Labels}] >= room(pages[nPage])) ++nPage;
        if (nPage == pages.size()) {
            failures.push_back("no page shows an operating range's labels");
            break;
        }
        ++placed[{nPage, figure.Labels}];
        area[nPage] += figure.dEnvelopeArea * figure.dPagePixels * figure.dPagePixels;
        perimeter[nPage] += figure.dEnvelopePerimeter * figure.dPagePixels;
    }
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (area[p] <= 0.0) continue;
        const std::string prefix = (fs::path(szOutDir) / stem).string() + "-" + std::to_string(p + 1);
        Shell("pdftoppm -r 96 -f " + std::to_string(p + 1) + " -l " + std::to_string(p + 1) + " -singlefile " +
              Quoted(pdf.string()) + " " + Quoted(prefix));
        const TPixels pixels = CountPixels(ReadAll(prefix + ".ppm"));
        if (std::fabs(static_cast<double>(pixels.nPale) - area[p]) > 0.25 * area[p]) {
            failures.push_back("page " + std::to_string(p + 1) + ": " + std::to_string(pixels.nPale) +
                               " pixels of the envelope's colours for an area of " + std::to_string(static_cast<long>(area[p])));
        }
        if (static_cast<double>(pixels.nRed) < 0.5 * perimeter[p]) {
            failures.push_back("page " + std::to_string(p + 1) + ": the envelope has no red outline");
        }
    }
    return failures;
}

}  // namespace brumalis::tools
