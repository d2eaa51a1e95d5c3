// The word-processor reports of the main window without the window: the
// "Reporting Section" choices, the basket report and the analysis report
// written as RTF into any byte stream, saved atomically and opened with
// the desktop's viewer. A run answers what it left out and why.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "documents/report_sections.h"
#include "objectstore/base_factory.h"
#include "objectstore/streams.h"
#include "workflow/analysis_page.h"
#include "workflow/basket.h"
#include "workflow/main_session.h"
#include "workflow/preferences.h"

namespace brumalis {

struct TReportCheckBox {
    bool Enabled = true;
    bool Checked = false;
};

// The group "Reporting Section".
class TBoxReporting {
public:
    static constexpr const char* kCaption = "Reporting Section";

    // Whenever the preferences are applied: the three figure flags from the
    // preferences; cover page and texts enabled, and ticked, only when their
    // file or folder exists.
    void ApplyPreferences(const TPreferences& Prefs);

    TReportCheckBox Chk_CoverPage;
    TReportCheckBox Chk_OperationRange;
    TReportCheckBox Chk_PressureDrop;
    TReportCheckBox Chk_Dimensional;
    TReportCheckBox Chk_SpecTexts;
    // Where the cover page and the texts come from (the preferences' names).
    std::string CoverPageFile;
    std::string SpecTextsFolder;
    bool ShowESEER = true;
};

// What a report run produced.
struct TReportOutcome {
    bool Ok = false;
    std::string Error;  // why nothing (complete) was written
    std::vector<TReportSkip> Skipped;
    int Solutions = 0;
    int Units = 0;
    int Figures = 0;
    int Pictures = 0;
    int SpecTexts = 0;
};

class TReportCommands {
public:
    TReportCommands() = delete;

    static constexpr double kPaperWidthCm = 21.0;
    static constexpr double kPaperHeightCm = 29.7;
    static constexpr double kBasketMarginLeftCm = 2.0;
    static constexpr double kBasketMarginRightCm = 1.5;
    static constexpr double kAnalysisMarginCm = 2.0;
    static constexpr double kMarginTopBottomCm = 1.5;

    // The basket report (every solution with the sections ticked); progress
    // one step per solution.
    static TReportOutcome Bib_MSWordClick(CTStream& Sink, TMainSession& Session, const TSolutionBasket& Basket,
                                          const TBoxReporting& Box, CTProgressSink* pProgress = nullptr);
    // The report of the current analysis; nothing is written without one.
    static TReportOutcome Bib_AnMSWordClick(CTStream& Sink, const TAnalysisPage& Page);
    // The bodies of both reports, into any document.
    static TReportOutcome WriteBasketReport(CTDocOutput& Doc, TMainSession& Session, const TSolutionBasket& Basket,
                                            const TBoxReporting& Box, CTProgressSink* pProgress = nullptr);
    static TReportOutcome WriteAnalysisReport(CTDocOutput& Doc, const TAnalysisPage& Page);

    // Replaces the file with the bytes atomically: a failure keeps the old
    // file and answers the system's reason.
    static bool SaveReport(const std::string& szFileName, const std::string& bytes, std::string& szError);
    // Hands the file (made absolute) to the desktop's viewer; false when
    // none started.
    static bool OpenReport(const std::string& szFileName);
};

}  // namespace brumalis
