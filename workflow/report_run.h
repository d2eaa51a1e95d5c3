// A report from the window without the window: the "Save report" dialog,
// the report written with per-solution progress, the file replaced
// atomically (a failure keeps the old file and shows why), everything left
// out in one warning, and the finished file handed to the desktop's viewer.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "workflow/project_file.h"
#include "workflow/report_commands.h"

namespace brumalis {

class TReportRun {
public:
    static constexpr const char* kDefaultExt = "rtf";
    // Opens a finished file (the desktop's viewer); false when none started.
    using TShellOpen = std::function<bool(const std::string& szFileName)>;

    TReportRun(TFileDialogFunc dialog, TShellOpen shell) : v_dialog(std::move(dialog)), v_shell(std::move(shell)) {}

    // True when a report was written; the file that was written last.
    bool Basket(TMainSession& session, const TSolutionBasket& basket, const TBoxReporting& box,
                CTProgressSink* pProgress = nullptr);
    bool Analysis(const TAnalysisPage& page);
    const std::string& FileName() const { return v_fileName; }

    // What is there to report.
    static bool BasketEnabled(const TSolutionBasket& basket) { return !basket.Empty(); }
    static bool AnalysisEnabled(const TAnalysisPage& page) { return page.Active(); }

    // The request of the save dialog of either report.
    static TFileDialogRequest Request(bool bAnalysis);

private:
    bool AskFileName(bool bAnalysis);
    bool Deliver(const std::string& bytes, const TReportOutcome& outcome);

    TFileDialogFunc v_dialog;
    TShellOpen v_shell;
    std::string v_fileName;
};

// The items a report left out, one line each, under one heading.
std::string SkippedItemsText(const std::vector<TReportSkip>& skipped);

}  // namespace brumalis
