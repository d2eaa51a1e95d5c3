// The project: the session's basket kept in a project file (database 2 of
// the database set, in the compressed EDI format), under the session's file
// name and unsaved-changes flag. Saving writes the file atomically and takes the
// name only once the file is written; opening reads the file aside and
// replaces basket, name and flag only when the whole file proved sound.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "workflow/basket.h"

namespace brumalis {

class CTDbEngine;
class CTFactory;
class TMainSession;

// What a file dialog is asked for; answers false when cancelled.
struct TFileDialogRequest {
    bool Save = false;
    std::string Title;       // "Save project" or "Open project"
    std::string DefaultExt;  // "cpf"
    std::string Filter;      // "Chiller project files (*.cpf)|*.cpf|All files (*.*)|*.*"
};
using TFileDialogFunc = std::function<bool(const TFileDialogRequest& request, std::string& szFileName)>;

class TProjectFile {
public:
    static constexpr const char* kDefaultExt = "cpf";
    static constexpr const char* kProjectVersion = "1.0";

    // The session gives the catalogue lists, the basket and its numbers,
    // the file name and the flag.
    TProjectFile(CTFactory& factory, TMainSession& session);

    void SetFileDialog(TFileDialogFunc dialog) { v_fileDialog = std::move(dialog); }

    // "Save...": to the known file, else to one chosen in the save dialog
    // ("cpf" appended to a name without extension). A failing write to the
    // known file offers the dialog once. True when the file was written.
    bool Save();
    // "Save..." to a given name, no dialog.
    bool SaveAs(const std::string& szFileName);
    // "Open...": the unsaved-changes question, the open dialog, the file.
    bool Open();
    // Opens a given file without question or dialog (a file named at start).
    bool OpenFile(const std::string& szFileName);
    // The same from the file's bytes, read by a caller that holds it locked.
    bool OpenBytes(const std::string& szFileName, const std::string& bytes);
    // The unsaved-changes question (Open, Exit): true to go on. Yes saves
    // and goes on only when the save succeeded; No goes on, but the changes
    // stay marked until an open replaces them, so a cancelled or failed
    // open leaves them protected.
    bool QueryUnsavedChanges();

    // What the last open left out, one text per unit or option, with the reason.
    std::vector<std::string> v_Skipped;
    // The catalogue data version the opened project was made with.
    std::string v_DataVersion;

private:
    bool Load(const std::string& szFileName, const std::string* pBytes);
    bool WriteFile(const std::string& szFileName);
    bool AskFileName(bool bSave, std::string& szFileName) const;
    void FillProjectDatabase(const std::string& szFileName);
    // Puts the previous project database back and reports why the file was refused.
    bool OpenFailed(const std::string& szFileName, const std::string& szMessage, std::unique_ptr<CTDbEngine> pPrevious);

    CTFactory& v_factory;
    TMainSession& v_session;
    TSolutionBasket& v_basket;
    TFileDialogFunc v_fileDialog;
};

// The file name with "." and the default extension appended when it has none.
std::string WithDefaultExtension(const std::string& szFileName);

}  // namespace brumalis
