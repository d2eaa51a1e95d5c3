// The price-file frame of the preferences dialog without its widgets: which
// prices file is attached, what the frame shows about it, and its two
// buttons. Browse and Clear act at once on the settings and database 1; the
// dialog notes the file attached when it opened so that Cancel can give it
// back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/path_text.h"
#include "platform/settings_store.h"

namespace brumalis {

class TFrmPriceFileAdmin {
public:
    static constexpr const char* kFileNameCaption = "File name";
    static constexpr const char* kInvalidFile = "Not a valid price file";
    static constexpr const char* kFileNotFound = "File not found";
    static constexpr const char* kBrowseCaption = "Browse...";
    static constexpr const char* kBrowseHint = "Choose a price file";
    static constexpr const char* kClearCaption = "Clear";
    static constexpr const char* kClearHint = "Don't use a price file";
    static constexpr const char* kOpenTitle = "Choose Price File";
    // The extension of the prices files the program ships and the tools write.
    static constexpr const char* kDefaultExtension = "edi";
    static constexpr const char* kOpenFilter = "Price files (*.edi)|*.edi|All files (*.*)|*.*";
    static std::vector<std::string> Texts();

    // What the frame shows. The name text is the hint of Browse when no
    // file is chosen, else the path shortened to the frame.
    struct TFileState {
        std::string FileNameText;
        bool InvalidFileShown = false;
        bool FileNotFoundShown = false;
        bool ClearEnabled = false;
        bool operator==(const TFileState&) const = default;
    };

    // Where the name is kept and who is told of a change (may be empty).
    void Initialize(std::string szRegistryKey, bool bAllUsers, std::function<void()> pCallback);
    // The label's room (frame width − 2 × the label's left) and how the
    // view's font measures; until set, names are shown whole.
    void SetNameRoom(int nWidth, platform::TTextWidthFunc textWidth);

    // Reads the settings and database 1 again.
    void ShowFileState();
    const TFileState& State() const { return v_state; }
    // The stored name as ShowFileState read it, whole.
    const std::string& FileName() const { return v_fileName; }

    // The user confirmed a file in the open dialog: it is stored with its
    // checksum and attached.
    void Btn_BrowseClick(const std::string& szChosenPath);
    // No file: the name "" and checksum 0 stored, database 1 emptied.
    void Btn_ClearClick();

    // The stored name and checksum, noted when the dialog opens, with every
    // setting attaching a file writes.
    void NoteAttachedFile();
    // Cancel: when Browse or Clear changed the stored name or checksum
    // since NoteAttachedFile, the noted ones are stored again and that file
    // attached again; then each setting the frame touched is put back as it
    // was (a value or key that did not exist is removed), so a cancelled
    // dialog leaves the settings as it found them. Answers whether the file
    // had changed.
    bool RestoreNotedFile();

private:
    struct TNoted {
        std::string FileName;
        std::int32_t Checksum = 0;
    };
    // A setting as it was: its value, or none, and whether its key existed.
    struct TRawSetting {
        std::string Key;
        std::string Name;
        bool KeyExisted = false;
        std::optional<platform::TSettingValue> Value;
    };
    TNoted Stored() const;
    std::vector<TRawSetting> RawSettings() const;
    void PutBack(const std::vector<TRawSetting>& settings) const;
    void Attach();

    std::string v_registryKey;
    bool v_allUsers = false;
    std::function<void()> v_callback;
    int v_nameRoom = 0;
    platform::TTextWidthFunc v_textWidth;
    TFileState v_state;
    std::string v_fileName;
    std::optional<TNoted> v_noted;
    std::vector<TRawSetting> v_notedRaw;
};

}  // namespace brumalis
