// The window's project commands without the window: when "Save..." is
// offered, the unsaved-changes question that guards Open, Exit and every
// close, "Save As..." that always asks for the name, and the project named
// on the command line. Slow work (writing, reading) is announced to a
// progress sink only once the file is chosen, so a dialog left open never
// counts as slow.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "objectstore/base_factory.h"
#include "platform/self_deletion.h"
#include "workflow/project_file.h"

namespace brumalis {

class TProjectCommands {
public:
    // The commands own the basket's change notice while they live (it still
    // marks the project modified) and give it back when they go.
    TProjectCommands(TProjectFile& file, TMainSession& session, TFileDialogFunc dialog);
    ~TProjectCommands();
    TProjectCommands(const TProjectCommands&) = delete;
    TProjectCommands& operator=(const TProjectCommands&) = delete;

    // After every change of the basket, the file name or the flag.
    void SetOnChange(std::function<void()> onChange) { v_onChange = std::move(onChange); }
    void SetProgress(CTProgressSink* pProgress) { v_pProgress = pProgress; }

    // While the basket holds a solution or a file is known.
    bool SaveEnabled() const;
    // True to go on (Open, Exit, close): nothing to save, Yes with a save
    // that succeeded, or No. Cancel, or a Yes whose save failed or was
    // cancelled, stops.
    bool QueryUnsavedChanges();
    bool Save();
    // Always asks for the name; then saves as Save does. A cancelled dialog
    // keeps the known file name.
    bool SaveAs();
    // The question (once), the dialog, the file; a refused file leaves the
    // basket, its name and its flag as they were.
    bool Open();
    // The first parameter when it names an existing file, opened without
    // question; false when there is none or it could not be read.
    bool OpenParameter(const platform::TParameters& params);

private:
    TFileDialogFunc BusyAfterDialog(TFileDialogFunc dialog);
    void BeginBusy(bool bSave);
    void EndBusy();
    void Changed() const;

    TProjectFile& v_file;
    TMainSession& v_session;
    std::function<void()> v_onChange;
    CTProgressSink* v_pProgress = nullptr;
    bool v_bBusy = false;
};

// The project a program parameter names: the first parameter, when it is
// an existing regular file.
std::optional<std::string> ProjectParameter(const platform::TParameters& params);

// The name with "." and szExt appended when it has no extension.
std::string WithExtension(const std::string& szFileName, std::string_view szExt);

}  // namespace brumalis
