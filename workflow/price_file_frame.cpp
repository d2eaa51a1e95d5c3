#include "workflow/price_file_frame.h"

#include <filesystem>
#include <system_error>

#include "catalogue/price_records.h"
#include "dialogs/messages.h"
#include "objectstore/database_set.h"
#include "objectstore/db_object.h"
#include "platform/data_source_entries.h"

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
    v_fileName = Cls_PriceAndPrefsFile::GetFileName(v_registryKey, v_allUsers);
    const std::string& szName = v_fileName;
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

std::vector<TFrmPriceFileAdmin::TRawSetting> TFrmPriceFileAdmin::RawSettings() const {
    // The frame's name and checksum, and the data source's file that
    // connecting database 1 writes.
    std::vector<TRawSetting> settings = {{v_registryKey, "PPFileName", false, std::nullopt},
                                         {v_registryKey, "PPChecksum", false, std::nullopt}};
    if (const CTBaseFactory* pFactory = CTDbObject::GetDefaultFactory()) {
        settings.push_back(
            {platform::DataSourceKey(pFactory->GetLogicalName(dbPricingAndPrefs)), "DBQ", false, std::nullopt});
    }
    const platform::CTSettingsStore& store = platform::Registry().Hive(v_allUsers);
    for (TRawSetting& setting : settings) {
        setting.KeyExisted = store.KeyExists(setting.Key);
        setting.Value = store.ReadValue(setting.Key, setting.Name);
    }
    return settings;
}

void TFrmPriceFileAdmin::PutBack(const std::vector<TRawSetting>& settings) const {
    platform::CTSettingsStore& store = platform::Registry().Hive(v_allUsers);
    for (const TRawSetting& setting : settings) {
        if (setting.Value) {
            store.WriteValue(setting.Key, setting.Name, *setting.Value);
        } else {
            store.DeleteValue(setting.Key, setting.Name);
        }
        if (!setting.KeyExisted && store.ValueNames(setting.Key).empty() && store.SubkeyNames(setting.Key).empty()) {
            store.DeleteKey(setting.Key);
        }
    }
}

void TFrmPriceFileAdmin::NoteAttachedFile() {
    v_noted = Stored();
    v_notedRaw = RawSettings();
}

bool TFrmPriceFileAdmin::RestoreNotedFile() {
    if (!v_noted) return false;
    const TNoted now = Stored();
    const bool bChanged = now.FileName != v_noted->FileName || now.Checksum != v_noted->Checksum;
    if (bChanged) {
        // The checksum noted, not today's: the file may have changed since it was chosen.
        Cls_PriceAndPrefsFile::SetFileName(v_registryKey, v_allUsers, v_noted->FileName);
        Cls_PriceAndPrefsFile::SetCurrentChecksum(v_registryKey, v_allUsers, v_noted->Checksum);
        Attach();
    }
    PutBack(v_notedRaw);
    return bChanged;
}

}  // namespace brumalis
