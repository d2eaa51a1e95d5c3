#include "workflow/report_run.h"

#include "dialogs/messages.h"
#include "objectstore/store_messages.h"
#include "workflow/project_commands.h"
#include "workflow/workflow_texts.h"

namespace brumalis {

TFileDialogRequest TReportRun::Request(bool bAnalysis) {
    return TFileDialogRequest{true, WorkflowText("Save report"), kDefaultExt,
                              WorkflowText(bAnalysis ? "Analysis report files (*.rtf)|*.rtf|All files (*.*)|*.*"
                                                     : "Report files (*.rtf)|*.rtf|All files (*.*)|*.*")};
}

bool TReportRun::AskFileName(bool bAnalysis) {
    std::string szName;
    if (!v_dialog || !v_dialog(Request(bAnalysis), szName) || szName.empty()) return false;
    v_fileName = WithExtension(szName, kDefaultExt);
    return true;
}

bool TReportRun::Basket(TMainSession& session, const TSolutionBasket& basket, const TBoxReporting& box,
                        CTProgressSink* pProgress) {
    if (!BasketEnabled(basket) || !AskFileName(false)) return false;
    CTMemoryStream bytes;
    const TReportOutcome outcome = TReportCommands::Bib_MSWordClick(bytes, session, basket, box, pProgress);
    return Deliver(bytes.Data(), outcome);
}

bool TReportRun::Analysis(const TAnalysisPage& page) {
    if (!AnalysisEnabled(page) || !AskFileName(true)) return false;
    CTMemoryStream bytes;
    const TReportOutcome outcome = TReportCommands::Bib_AnMSWordClick(bytes, page);
    return Deliver(bytes.Data(), outcome);
}

// The report is built in memory first, so a failure anywhere leaves the
// old file as it was.
bool TReportRun::Deliver(const std::string& bytes, const TReportOutcome& outcome) {
    if (!outcome.Ok) {
        ShowWorkflowError(outcome.Error);
        return false;
    }
    std::string szError;
    if (!TReportCommands::SaveReport(v_fileName, bytes, szError)) {
        ShowWorkflowError(dialogs::TBaseMsg::GetUnicodeString(msgUnableToCreateFile, {v_fileName}) + "\n" + szError);
        return false;
    }
    if (!outcome.Skipped.empty()) ShowWorkflowWarning(SkippedItemsText(outcome.Skipped));
    if (v_shell && !v_shell(v_fileName)) {
        ShowWorkflowWarning(WorkflowText("No program could be started to show $1.", {v_fileName}));
    }
    return true;
}

std::string SkippedItemsText(const std::vector<TReportSkip>& skipped) {
    std::string szText = WorkflowText("The report was written without:");
    for (const TReportSkip& skip : skipped) szText += "\n" + skip.Item + ": " + skip.Reason;
    return szText;
}

}  // namespace brumalis
