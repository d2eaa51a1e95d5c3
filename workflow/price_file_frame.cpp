#include "workflow/price_file_frame.h"

#include <filesystem>
#include <system_error>

#include "catalogue/price_records.h"
#include "dialogs/messages.h"

namespace brumalis {

std::vector<std::string> TFrmPriceFileAdmin::Texts() {
    return {kFileNameCaption, kInvalidFile, kFileNotFound, kBrowseCaption, kBrowseHint,
            kClearCaption,    kClearHint,   kOpenTitle,    kOpenFilter};
}

void TFrmPriceFileAdmin::Initialize(std::string szRegistryKey, bool bAllUsers, std::function<void()> pCallback) {
    v_registryKey = std::move(szRegistryKey);
    v_allUsers = bAllUsers;
    v_callback = std::move(pCallback);
    ShowFileState();
}

void TFrmPriceFileAdmin::SetNameRoom(int nWidth, platform::TTextWidthFunc textWidth) {
    v_nameRoom = nWidth;
    v_textWidth = std::move(textWidth);
    ShowFileState();
}

void TFrmPriceFileAdmin::ShowFileState() {
    v_state = TFileState{};
    const std::string szName = Cls_PriceAndPrefsFile::GetFileName(v_registryKey, v_allUsers);
    if (szName.empty()) {
        v_state.FileNameText = dialogs::TBaseMsg::Translate(kBrowseHint);
        return;
    }
    v_state.FileNameText = v_textWidth ? platform::ShortenPathToWidth(szName, v_nameRoom, v_textWidth) : szName;
    std::error_code error;
    if (std::filesystem::is_regular_file(szName, error)) {
        const bool bLoaded = Cls_PriceAndPrefsFile::UniqueInstance() ||
                             Cls_PriceAndPrefsFile::LoadFile(v_registryKey, v_allUsers);
        v_state.InvalidFileShown = !bLoaded;
    } else {
        v_state.FileNotFoundShown = true;
    }
    v_state.ClearEnabled = true;
}

void TFrmPriceFileAdmin::Attach() {
    Cls_PriceAndPrefsFile::LoadFile(v_registryKey, v_allUsers);
    ShowFileState();
    if (v_callback) v_callback();
}

void TFrmPriceFileAdmin::Btn_BrowseClick(const std::string& szChosenPath) {
    Cls_PriceAndPrefsFile::SetFileName(v_registryKey, v_allUsers, szChosenPath);
    Attach();
}

void TFrmPriceFileAdmin::Btn_ClearClick() {
    Cls_PriceAndPrefsFile::SetFileName(v_registryKey, v_allUsers, "");
    Attach();
}

TFrmPriceFileAdmin::TNoted TFrmPriceFileAdmin::Stored() const {
    return {Cls_PriceAndPrefsFile::GetFileName(v_registryKey, v_allUsers),
            Cls_PriceAndPrefsFile::GetCurrentChecksum(v_registryKey, v_allUsers)};
}

void TFrmPriceFileAdmin::NoteAttachedFile() { v_noted = Stored(); }

bool TFrmPriceFileAdmin::RestoreNotedFile() {
    if (!v_noted) return false;
    const TNoted now = Stored();
    if (now.FileName == v_noted->FileName && now.Checksum == v_noted->Checksum) return false;
    // The checksum noted, not today's: the file may have changed since it was chosen.
    Cls_PriceAndPrefsFile::SetFileName(v_registryKey, v_allUsers, v_noted->FileName);
    Cls_PriceAndPrefsFile::SetCurrentChecksum(v_registryKey, v_allUsers, v_noted->Checksum);
    Attach();
    return true;
}

}  // namespace brumalis
