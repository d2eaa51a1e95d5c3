// Checks a report as its reader sees it: LibreOffice turns the RTF into PDF
// and flat ODT, and these must show the header and page numbers, A4 with
// the report's margins, the tables, an image per picture and figure, the
// figures' labels and, rendered, the operating envelope in its colours.
#pragma once

#include <string>
#include <vector>

namespace brumalis::tools {

// A picture of the report as the RTF carries it.
struct TReportFigure {
    int nWidth = 0;           // metafile pixels
    double dPagePixels = 0.0;  // page pixels at 96 an inch per metafile pixel
    std::vector<std::string> Labels;
    double dEnvelopeArea = 0.0;  // metafile pixels² inside the red envelope, 0 without one
    double dEnvelopePerimeter = 0.0;
};

struct TReportFacts {
    int nPictures = 0;  // every picture group
    std::vector<TReportFigure> Figures;  // the metafiles
};

TReportFacts ReadReportFacts(const std::string& rtf);

// A file's bytes; empty when it cannot be read.
std::string ReadAll(const std::string& szPath);
// The text without blanks, tabs, line and page breaks: converters break
// lines and space words as they like.
std::string WithoutBlanks(std::string text);

// Converts the reports (in one folder) with one soffice run per format;
// answers what went wrong, empty when both formats were written.
std::vector<std::string> ConvertReports(const std::vector<std::string>& files, const std::string& szOutDir);

// The checks on a converted report (converted first when its PDF or flat ODT
// is missing); szExpected: texts the PDF must show, blanks ignored. Answers
// the failures; the rendered pages stay in szOutDir as <name>-<n>.ppm.
std::vector<std::string> CheckReport(const std::string& szFile, const std::string& szOutDir,
                                     const std::vector<std::string>& szExpected = {});

}  // namespace brumalis::tools
