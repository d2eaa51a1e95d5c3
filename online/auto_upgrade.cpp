#include "online/auto_upgrade.h"

#include <algorithm>

#include "dialogs/language_names.h"
#include "localisation/number_text.h"
#include "objectstore/database_set.h"
#include "objectstore/utf8.h"
#include "online/upgrade_hint.h"
#include "online/upgrade_signature.h"
#include "online/upgrade_staging.h"
#include "online/upgrade_texts.h"
#include "online/zorbit_config.h"
#include "online/zorbit_integration.h"
#include "platform/build_identity.h"
#include "platform/program_path.h"
#include "platform/settings_store.h"

namespace brumalis::online {
namespace {

using T = TUpgradeText;
using platform::CTVersionUtils;

constexpr int kLastServer = 10;
constexpr std::int64_t kMiB = 1048576;

// n / d rounded to the nearest integer, ties to the even one (n, d >= 0).
std::int64_t RoundHalfEven(std::int64_t n, std::int64_t d) {
    const std::int64_t q = n / d;
    const std::int64_t r2 = (n % d) * 2;
    return r2 > d || (r2 == d && q % 2 != 0) ? q + 1 : q;
}

std::string VersionText(int nVersion) { return CTVersionUtils::VersionString(nVersion, "", "", ""); }

std::string LanguageName(std::uint32_t nLanguage) {
    return dialogs::ShownLanguageName(static_cast<std::int32_t>(nLanguage & 0x7FFFFFFF));
}

std::string FileNameOf(const std::string& szPath) { return szPath.substr(szPath.rfind('/') + 1); }

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), AsciiLower);
    return s;
}

std::string CatalogueDataVersion() {
    try {
        return Cls_DdbVersionInfo::GetOrvaneVersion();
    } catch (...) {
        return {};
    }
}

bool SameConfig(const std::string& a, const std::string& b) { return platform::EqualsIgnoringCase(a, b); }

}  // namespace

std::string SizeText(std::int64_t nBytes) {
    const std::int64_t nTenths = RoundHalfEven(std::max<std::int64_t>(nBytes, 0) * 10, kMiB);
    std::string szText = std::to_string(nTenths / 10);
    if (nTenths % 10 != 0) {
        szText += DecimalSeparator();
        szText += static_cast<char>('0' + nTenths % 10);
    }
    return szText + UpgradeText(T::MB);
}

TUpgradeEnvironment TUpgradeEnvironment::Running() {
    TUpgradeEnvironment env;
    env.nVersion = CTVersionUtils::GetVersionEx(env.szSuffix);
    env.nLanguage = CTVersionUtils::GetLanguage();
    env.szConfig = CTVersionUtils::GetConfigurationName();
    env.nServer = CTVersionUtils::GetZorbitServerID();
    env.szAppTitle = "Brumalis";
    env.szProgramPath = platform::ProgramPath();
    env.szDataVersion = CatalogueDataVersion();
    env.publicKeys = BuildPublicKeys();
    env.usageCount = &TFrmAutoUpgradeHint::GetUsageCount;
    env.handOver = &StartUpdater;
    return env;
}

TFrmAutoUpgrade::TFrmAutoUpgrade(CTUpgradeView& view, TUpgradeEnvironment env)
    : v_view(view), v_env(std::move(env)) {}

void TFrmAutoUpgrade::InitializeFrame(bool bWarnUnsaved) {
    TAutoUpgradeState& s = v_state;
    s.v_warnUnsaved = bWarnUnsaved;
    s.v_zorbitServer = v_env.nServer;
    static constexpr T kServerNames[] = {T::Server0, T::Server1, T::Server2};
    v_labels.szServer = s.v_zorbitServer >= 0 && s.v_zorbitServer <= 2 ? UpgradeText(kServerNames[s.v_zorbitServer])
                                                                         : UpgradeText(T::NA);
    s.v_appKey = Lower(ProgramFileName());
    s.v_appTitle = v_env.szAppTitle;
    s.v_appVersion = v_env.nVersion;
    s.v_appLang = v_env.nLanguage;
    s.v_appConfig = v_env.szConfig;
    if (!v_env.szDataVersion.empty()) {
        s.v_dbVersion = TDataVersion::Parse(v_env.szDataVersion.substr(v_env.szDataVersion.rfind(' ') + 1));
        s.v_hasDb = s.v_dbVersion.Known();
    }
    v_labels.szProgram =
        s.v_appTitle + ' ' + CTVersionUtils::VersionString(s.v_appVersion, v_env.szSuffix, " - ", "");
    v_labels.szLanguage = LanguageName(s.v_appLang);
    if (s.v_hasDb) {
        v_labels.szConfig = s.v_appConfig.empty() ? UpgradeText(T::CapDefault) : s.v_appConfig;
        v_labels.szDbVersion = s.v_dbVersion.Text();
    } else {
        v_labels.szConfig = v_labels.szDbVersion = UpgradeText(T::NA);
    }
}

void TFrmAutoUpgrade::CheckEnabling() { v_view.SetDownloadEnabled(!v_items.empty() && v_selected.has_value()); }

void TFrmAutoUpgrade::Lvw_AvailableClick(std::optional<std::size_t> selected) {
    v_selected = selected && *selected < v_items.size() ? selected : std::nullopt;
    CheckEnabling();
}

void TFrmAutoUpgrade::Btn_CheckVersionsClick() {
    // A key-less build cannot verify what it would fetch: it is treated as
    // a pre-release and never asks the server.
    if (!v_env.szSuffix.empty() || v_env.publicKeys.empty()) {
        v_view.ShowMessage(TUpgradeMessageKind::Warning, UpgradeText(T::ErrBeta));
        return;
    }
    if (v_state.v_zorbitServer < 0 || v_state.v_zorbitServer > kLastServer) {
        v_view.ShowMessage(TUpgradeMessageKind::Warning, UpgradeText(T::ErrConnect));
        return;
    }
    try {
        CheckVersions();
    } catch (...) {
        v_view.ShowMessage(TUpgradeMessageKind::Error, UpgradeText(T::ErrCommunicate));
    }
    CheckEnabling();
}

void TFrmAutoUpgrade::CheckVersions() {
    TAutoUpgradeState& s = v_state;
    s.v_versions.clear();
    v_items.clear();
    v_listed.clear();
    v_selected.reset();
    v_view.FillList(v_items);
    std::string szAnswer;
    if (!CTZorbitIntegration::GetStringFromInternet(
            s.v_zorbitServer, "scripts/zorbit_get_versions.asp?name=" + EncodeQueryValue(s.v_appKey), szAnswer)) {
        v_view.ShowMessage(TUpgradeMessageKind::Error, UpgradeText(T::ErrCommunicate));
        return;
    }
    const TRunningBuild build{s.v_appVersion, s.v_appConfig, s.v_appLang, s.v_dbVersion};
    TVersionChoice choice = ChooseVersions(szAnswer, build, s.v_updateHelper.has_value());
    if (choice.updater) s.v_updateHelper = std::move(choice.updater);
    s.v_versions = std::move(choice.versions);
    if (choice.offered.empty()) {
        v_view.ShowMessage(TUpgradeMessageKind::Warning, UpgradeText(T::WarNoNewVer));
        return;
    }
    for (const std::size_t i : choice.offered) {
        v_listed.push_back(s.v_versions[i]);
        v_items.push_back(ItemOf(s.v_versions[i]));
    }
    v_view.FillList(v_items);
    if (choice.bConfigDiscontinued)
        v_view.ShowMessage(TUpgradeMessageKind::Warning, UpgradeText(T::WarConfigNF, s.v_appConfig));
}

TUpgradeListItem TFrmAutoUpgrade::ItemOf(const LTVersionEntry& e) const {
    TUpgradeListItem item;
    item.szCaption = v_state.v_appTitle + ' ' + VersionText(e.v_version);
    item.subItems.push_back(LanguageName(e.v_language));
    if (v_state.v_hasDb) {
        item.subItems.push_back(e.v_config.empty() ? UpgradeText(T::CapDefault) : e.v_config);
        item.subItems.push_back(e.v_dataVersion.Known() ? e.v_dataVersion.Text() : UpgradeText(T::NA));
    } else {
        item.subItems.push_back(UpgradeText(T::NA));
        item.subItems.push_back(UpgradeText(T::NA));
    }
    item.subItems.push_back(SizeText(e.v_fileSize));
    return item;
}

void TFrmAutoUpgrade::Btn_DownloadClick() {
    if (v_state.v_warnUnsaved && !v_view.AskYesNo(UpgradeText(T::QueUnsaved))) {
        v_view.CloseWithCancel();
        return;
    }
    if (v_selected && AskBeforeDownload(v_listed[*v_selected])) {
        try {
            Download(v_listed[*v_selected]);
        } catch (...) {
            // Whatever went wrong, the dialog stays usable with its list.
        }
    }
    if (!v_bEnded) ShowList();
}

bool TFrmAutoUpgrade::AskBeforeDownload(const LTVersionEntry& entry) {
    const TAutoUpgradeState& s = v_state;
    if (!s.v_appConfig.empty() && !SameConfig(s.v_appConfig, entry.v_config) &&
        !v_view.AskYesNo(UpgradeText(T::QueConfChange, s.v_appConfig)))
        return false;
    if (s.v_appLang != kEnglishLanguage && s.v_appLang != entry.v_language &&
        !v_view.AskYesNo(UpgradeText(T::QueLangChange, LanguageName(s.v_appLang))))
        return false;
    return !ReportsDownloads() ||
           v_view.ShowNotice(s.v_appTitle, DataProcessingNotice(s.v_appTitle));
}

bool TFrmAutoUpgrade::ReportsDownloads() const { return v_state.v_zorbitServer == 0 || v_state.v_zorbitServer == 10; }

void TFrmAutoUpgrade::ShowList() {
    v_view.ShowProgress(false);
    CheckEnabling();
}

void TFrmAutoUpgrade::Download(const LTVersionEntry& entry) {
    const auto pStaging = CTUpgradeStaging::Create(v_env.szStagingBase, ProgramFileName());
    if (!pStaging || !v_state.v_updateHelper) {
        v_view.ShowMessage(TUpgradeMessageKind::Error, UpgradeText(T::ErrDownload));
        return;
    }
    v_view.ShowProgress(true);
    // The updater is always fetched by its published name, whatever path its
    // line names; its listing carries no version, configuration or language.
    LTVersionEntry updater;
    updater.v_fileName = kUpdaterFileName;
    updater.v_fileSize = v_state.v_updateHelper->v_fileSize;
    if (!FetchVerified(std::string(kUpdaterFileName), pStaging->UpdaterFile(), updater, std::string(kUpdaterFileName)) ||
        !FetchVerified(ServerFilePath(entry.v_fileName), pStaging->ProgramFile(), entry, ProgramFileName()) ||
        !pStaging->MakeUpdaterExecutable()) {
        v_view.ShowMessage(TUpgradeMessageKind::Error, UpgradeText(T::ErrDownload));
        return;
    }
    v_position = kProgressMax;
    v_view.SetProgressPosition(v_position);
    HandOver(entry, *pStaging);
}

bool TFrmAutoUpgrade::FetchVerified(const std::string& szServerPath, const std::string& szLocalFile,
                                    const LTVersionEntry& listed, const std::string& szCaption) {
    v_view.SetProgressCaption(UpgradeText(T::Downloading) + ' ' + szCaption);
    v_position = 0;
    v_view.SetProgressPosition(v_position);
    v_state.v_fileSizeForAnimation = listed.v_fileSize;
    const int nServer = v_state.v_zorbitServer;
    if (!CTZorbitIntegration::GetFileFromInternet(nServer, szServerPath, szLocalFile, listed.v_fileSize,
                                                  [this](std::int32_t n) { ShowDownloadProgress(n); }))
        return false;
    std::string szSignature;
    if (!CTZorbitIntegration::GetStringFromInternet(
            nServer, DownloadScriptURL(szServerPath + std::string(kSignatureSuffix), nServer), szSignature))
        return false;
    const TSignedListing listing{szServerPath,      listed.v_version,     listed.v_config,
                                 listed.v_language, listed.v_dataVersion.Number(), listed.v_fileSize};
    return VerifyUpgradeFile(szLocalFile, listing, szSignature, v_env.publicKeys);
}

void TFrmAutoUpgrade::HandOver(const LTVersionEntry& entry, CTUpgradeStaging& staging) {
    const THandOver handOver{staging.UpdaterFile(), v_state.v_appTitle, staging.ProgramFile(), v_env.szProgramPath};
    if (!v_env.handOver || !v_env.handOver(handOver)) {
        // The verified files stay where they are.
        staging.Keep();
        v_view.ShowMessage(TUpgradeMessageKind::Hint, UpgradeText(T::ErrFailed));
        return;
    }
    // The updater owns the folder now and removes it when done.
    staging.Keep();
    v_view.ShowMessage(TUpgradeMessageKind::Hint, UpgradeText(T::HinComplete));
    if (ReportsDownloads()) SendReport(entry);
    v_bEnded = true;
    v_view.EndProgram();
}

void TFrmAutoUpgrade::SendReport(const LTVersionEntry& entry) {
    const TDownloadReport report{ProgramFileName(), entry, v_env.usageCount ? v_env.usageCount() : 0};
    std::string szIgnored;
    CTZorbitIntegration::GetStringFromInternet(v_state.v_zorbitServer, DownloadReportURL(report, v_env.reportSources),
                                               szIgnored);
}

void TFrmAutoUpgrade::ShowDownloadProgress(std::int32_t nTotalBytesRead) {
    const int nSize = v_state.v_fileSizeForAnimation;
    std::int64_t a = 0;
    if (nSize > 0) {
        a = RoundHalfEven(std::int64_t{kProgressMax} * std::max(nTotalBytesRead, 0), nSize);
    } else {
        a = v_position + 1 <= kProgressMax ? v_position + 1 : 0;  // no size known: the bar cycles
    }
    v_position = static_cast<int>(std::clamp<std::int64_t>(a, 0, kProgressMax));
    v_view.SetProgressPosition(v_position);
}

std::string TFrmAutoUpgrade::ProgramFileName() const { return FileNameOf(v_env.szProgramPath); }

}  // namespace brumalis::online
