// The "Software Upgrade" frame as a GUI-free model: it shows the running
// build's identity, asks the web service for the published builds, offers
// the ones that fit, downloads and verifies the chosen build with the
// updater, and hands over to the updater, which replaces the program file
// and starts it again. The window implements CTUpgradeView and forwards its
// clicks; tests script the view.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "online/download_report.h"
#include "online/version_list.h"

namespace brumalis::online {

enum class TUpgradeMessageKind { Warning, Error, Hint };

// One row of the list of available versions.
struct TUpgradeListItem {
    std::string szCaption;               // title and version
    std::vector<std::string> subItems;   // language, configuration, database, size
};

// The value labels of the frame.
struct TUpgradeLabels {
    std::string szServer, szProgram, szLanguage, szConfig, szDbVersion;
};

class CTUpgradeView {
public:
    virtual ~CTUpgradeView() = default;
    virtual void ShowMessage(TUpgradeMessageKind kind, const std::string& szText) = 0;
    virtual bool AskYesNo(const std::string& szQuestion) = 0;
    // The data-processing notice; true when the user accepted it.
    virtual bool ShowNotice(const std::string& szProgramName, const std::vector<TNoticeParagraph>& paragraphs) = 0;
    // Replaces the list's rows (none: cleared).
    virtual void FillList(const std::vector<TUpgradeListItem>& items) = 0;
    virtual void SetDownloadEnabled(bool bEnabled) = 0;
    virtual void SetProgressCaption(const std::string& szCaption) = 0;
    virtual void SetProgressPosition(int nPosition) = 0;
    // true: the progress display replaces the list (and the window repaints);
    // false: the list is shown again.
    virtual void ShowProgress(bool bProgress) = 0;
    // Closes the upgrade dialog with the cancel result.
    virtual void CloseWithCancel() = 0;
    // Ends the program at once: no further dialogs, no save.
    virtual void EndProgram() = 0;
};

// What the hand-over gives the updater.
struct THandOver {
    std::string szUpdater;     // U
    std::string szTitle;       // T
    std::string szNewProgram;  // N
    std::string szProgram;     // E
};
// Starts the updater; true once it runs.
using THandOverFunc = std::function<bool(const THandOver&)>;

// Everything the frame takes from its surroundings; Running() has the real
// ones, tests vary them.
struct TUpgradeEnvironment {
    int nVersion = 0;
    std::string szSuffix;
    std::uint32_t nLanguage = kEnglishLanguage;
    std::string szConfig;
    int nServer = 0;
    std::string szAppTitle;
    std::string szProgramPath;  // full path of the running program file
    std::string szDataVersion;  // the catalogue's data version text
    std::vector<std::string> publicKeys;
    std::string szStagingBase;  // empty: $TMPDIR or /tmp
    TReportSources reportSources;
    std::function<int()> usageCount;
    THandOverFunc handOver;

    static TUpgradeEnvironment Running();
};

// The frame's state, named as the frame names it.
struct TAutoUpgradeState {
    int v_zorbitServer = 0;
    std::vector<LTVersionEntry> v_versions;
    std::optional<LTVersionEntry> v_updateHelper;  // kept across checks
    std::string v_appKey;
    std::string v_appTitle;
    std::string v_appConfig;
    std::uint32_t v_appLang = 0;
    int v_appVersion = 0;
    bool v_hasDb = false;
    TDataVersion v_dbVersion;
    int v_fileSizeForAnimation = 0;
    bool v_warnUnsaved = false;
};

class TFrmAutoUpgrade {
public:
    static constexpr int kProgressMax = 100;

    TFrmAutoUpgrade(CTUpgradeView& view, TUpgradeEnvironment env);

    void InitializeFrame(bool bWarnUnsaved);
    // Download is enabled exactly when the list has a selected row.
    void CheckEnabling();
    void Btn_CheckVersionsClick();
    void Btn_DownloadClick();
    // The selected row, or none.
    void Lvw_AvailableClick(std::optional<std::size_t> selected);
    void ShowDownloadProgress(std::int32_t nTotalBytesRead);

    const TUpgradeLabels& Labels() const { return v_labels; }
    const TAutoUpgradeState& State() const { return v_state; }
    const std::vector<TUpgradeListItem>& Items() const { return v_items; }

private:
    void ShowList();
    void CheckVersions();
    void Download(const LTVersionEntry& entry);
    bool AskBeforeDownload(const LTVersionEntry& entry);
    bool FetchVerified(const std::string& szServerPath, const std::string& szLocalFile, const LTVersionEntry& listed,
                       const std::string& szCaption);
    void HandOver(const LTVersionEntry& entry, class CTUpgradeStaging& staging);
    void SendReport(const LTVersionEntry& entry);
    bool ReportsDownloads() const;
    TUpgradeListItem ItemOf(const LTVersionEntry& e) const;
    std::string ProgramFileName() const;

    CTUpgradeView& v_view;
    TUpgradeEnvironment v_env;
    TAutoUpgradeState v_state;
    TUpgradeLabels v_labels;
    std::vector<TUpgradeListItem> v_items;
    std::vector<LTVersionEntry> v_listed;  // the entry of each row
    std::optional<std::size_t> v_selected;
    int v_position = 0;
    bool v_bEnded = false;  // the program was told to end
};

// The size as the list shows it: tenths of a MiB rounded half to even, in
// the user's number format, directly followed by "MB" ("3.3MB", "1MB").
std::string SizeText(std::int64_t nBytes);

}  // namespace brumalis::online
