#include "workflow/project_commands.h"

#include <filesystem>
#include <utility>

#include "workflow/main_session.h"
#include "workflow/workflow_texts.h"

namespace brumalis {

TProjectCommands::TProjectCommands(TProjectFile& file, TMainSession& session, TFileDialogFunc dialog)
    : v_file(file), v_session(session) {
    v_file.SetFileDialog(BusyAfterDialog(std::move(dialog)));
    v_session.Basket().SetOnChanged([this] {
        v_session.v_ProjectModified = true;
        Changed();
    });
}

TProjectCommands::~TProjectCommands() {
    TMainSession& session = v_session;
    session.Basket().SetOnChanged([&session] { session.v_ProjectModified = true; });
    v_file.SetFileDialog({});
}

// Reading and writing are the slow part, not the user choosing a name.
TFileDialogFunc TProjectCommands::BusyAfterDialog(TFileDialogFunc dialog) {
    return [this, dialog = std::move(dialog)](const TFileDialogRequest& request, std::string& szFileName) {
        EndBusy();
        if (!dialog || !dialog(request, szFileName)) return false;
        BeginBusy(request.Save);
        return true;
    };
}

void TProjectCommands::BeginBusy(bool bSave) {
    if (v_bBusy || !v_pProgress) return;
    v_bBusy = true;
    v_pProgress->Start(WorkflowText(bSave ? "Save project" : "Open project"),
                       WorkflowText(bSave ? "Writing the project file" : "Reading the project file"), 1);
}

void TProjectCommands::EndBusy() {
    if (!v_bBusy) return;
    v_bBusy = false;
    v_pProgress->Step();
    v_pProgress->Close();
}

void TProjectCommands::Changed() const {
    if (v_onChange) v_onChange();
}

bool TProjectCommands::SaveEnabled() const {
    return !v_session.Basket().Empty() || !v_session.v_ProjectFileName.empty();
}

bool TProjectCommands::QueryUnsavedChanges() {
    if (!SaveEnabled()) return true;
    const bool bGoOn = v_file.QueryUnsavedChanges();
    EndBusy();
    Changed();
    return bGoOn;
}

bool TProjectCommands::Save() {
    if (!v_session.v_ProjectFileName.empty()) BeginBusy(true);
    const bool bSaved = v_file.Save();
    EndBusy();
    Changed();
    return bSaved;
}

bool TProjectCommands::SaveAs() {
    // Without a known name the project file asks; the old name comes back
    // when the user cancels or the write fails.
    const std::string szKnown = std::exchange(v_session.v_ProjectFileName, std::string());
    const bool bSaved = Save();
    if (!bSaved) v_session.v_ProjectFileName = szKnown;
    Changed();
    return bSaved;
}

bool TProjectCommands::Open() {
    if (!QueryUnsavedChanges()) return false;
    // Asked once: the file's own question sees no changes; a cancelled or
    // refused open puts the flag back, so the changes stay protected.
    const bool bModified = std::exchange(v_session.v_ProjectModified, false);
    const bool bOpened = v_file.Open();
    if (!bOpened) v_session.v_ProjectModified = bModified;
    EndBusy();
    Changed();
    return bOpened;
}

bool TProjectCommands::OpenParameter(const platform::TParameters& params) {
    const std::optional<std::string> szFile = ProjectParameter(params);
    if (!szFile) return false;
    BeginBusy(false);
    const bool bOpened = v_file.OpenFile(*szFile);
    EndBusy();
    Changed();
    return bOpened;
}

std::optional<std::string> ProjectParameter(const platform::TParameters& params) {
    if (params.empty()) return std::nullopt;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(params.front(), ec)) return std::nullopt;
    return params.front();
}

std::string WithExtension(const std::string& szFileName, std::string_view szExt) {
    if (std::filesystem::path(szFileName).has_extension()) return szFileName;
    return szFileName + "." + std::string(szExt);
}

}  // namespace brumalis
