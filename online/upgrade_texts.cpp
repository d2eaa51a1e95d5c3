#include "online/upgrade_texts.h"

#include <map>

#include "dialogs/messages.h"

namespace brumalis::online {
namespace {

using T = TUpgradeText;

const std::map<TUpgradeText, std::string_view>& Texts() {
    static const std::map<TUpgradeText, std::string_view> texts = {
        {T::DialogCaption, "Software Upgrade"},
        {T::PageUpgrade, "Upgrade"},
        {T::ShowReminder, "Show upgrade reminder at startup"},
        {T::CServer, "Download server"},
        {T::CProgram, "Program"},
        {T::CLanguage, "Language"},
        {T::CConfig, "Configuration"},
        {T::CDbVersion, "Database version"},
        {T::CheckVersions, "Check Available Versions"},
        {T::Download, "Download Selected Version"},
        {T::AvailVersions, "Available versions"},
        {T::ColVersion, "Version"},
        {T::ColLanguage, "Language"},
        {T::ColConfiguration, "Configuration"},
        {T::ColDatabase, "Database"},
        {T::ColSize, "Size"},
        {T::CapDefault, "<default>"},
        {T::NA, "n/a"},
        {T::MB, "MB"},
        {T::Downloading, "Downloading"},
        {T::ErrBeta, "You can only upgrade official releases of the program"},
        {T::ErrConnect, "Unable to connect to the download site. Please try again later"},
        {T::ErrCommunicate, "A problem occurred while communicating with the download server. Please try again later"},
        {T::WarNoNewVer, "No new versions available for download"},
        {T::WarConfigNF,
         "Configuration '$1' has been discontinued. You will need to download a default program version"},
        {T::ErrDownload, "Unable to download the upgrade version. Please try again later"},
        {T::HinComplete, "Download complete. The program will now restart"},
        {T::ErrFailed, "Upgrade failed. Please try again later"},
        {T::QueUnsaved,
         "The program will automatically restart after the upgrade. Make sure you have saved your project as "
         "unsaved changes will be lost! Would you proceed with the upgrade?"},
        {T::QueConfChange,
         "You are about to upgrade to a default configuration of the program. Automatic upgrade to configuration "
         "'$1' will no longer be possible after this. Continue anyway?"},
        {T::QueLangChange,
         "You are about to upgrade to an English version of the program. Automatic upgrade to $1 will no longer "
         "be possible after this. Continue anyway?"},
        {T::Server0, "Orvane East"},
        {T::Server1, "Orvane North"},
        {T::Server2, "Orvane South"},
        {T::HintCaption, "Welcome"},
        {T::HintWelcome, "Welcome to the $1 program."},
        {T::HintLine1, "This program lets you download upgrade versions from the Internet."},
        {T::HintLine3, "To look for available upgrades now, choose the button below."},
        {T::HintLine5,
         "To look for available upgrades at a later time, choose the About command in the program's main screen. "
         "Then choose the Upgrade button in the About screen."},
        {T::HintShowAtStartup, "Always show this message when starting the program"},
        {T::HintLookNow, "Look for Upgrades now..."},
        {T::HintOK, "&OK"},
        {T::NoticeCaption, "Notice"},
        {T::NoticePage, "NOTICE ON DATA PROCESSING"},
        {T::NoticeAccept, "I accept these conditions"},
        {T::NoticeNotAccept, "I do not accept these conditions"},
        {T::NoticeContinue, "Continue"},
        {T::NoticeHeadCollect, "Information we collect"},
        {T::NoticeCollect,
         "When you accept the upgrade, $1 sends a short report of the download to the maker of the program. "
         "The report holds these data and nothing else:"},
        {T::NoticeItemBuild,
         "- the file name of the program, and the version, language, configuration and database version of the "
         "build you download;"},
        {T::NoticeItemCount, "- how many times this version of the program has been started;"},
        {T::NoticeItemLocale, "- the language and the country set for your user account;"},
        {T::NoticeItemSystem, "- the name and release of the operating system;"},
        {T::NoticeItemId,
         "- an anonymous number computed from the identifier of this computer and your user name, so that two "
         "reports from the same workplace are counted once. Neither the computer's name nor your user name is "
         "sent, and the number cannot be turned back into them."},
        {T::NoticeHeadUse, "How we use it"},
        {T::NoticeUse,
         "The data serve only to count the upgrades of $1 by version, country and language. They are not passed "
         "on to anyone else."},
        {T::NoticeHeadContact, "Contact"},
        {T::NoticeContact,
         "For questions about these data, or to have them deleted, contact the maker of $1 at the web or e-mail "
         "address shown in the program's About box."},
    };
    return texts;
}

}  // namespace

std::string ReplaceParam(std::string szText, std::string_view szParam) {
    for (std::size_t pos = szText.find("$1"); pos != std::string::npos; pos = szText.find("$1", pos + szParam.size()))
        szText.replace(pos, 2, szParam);
    return szText;
}

std::string UpgradeText(TUpgradeText id) { return dialogs::TBaseMsg::Translate(std::string(Texts().at(id))); }

std::string UpgradeText(TUpgradeText id, std::string_view szParam) { return ReplaceParam(UpgradeText(id), szParam); }

std::vector<std::string> EnglishUpgradeTexts() {
    std::vector<std::string> list;
    for (const auto& [id, szText] : Texts()) list.emplace_back(szText);
    return list;
}

}  // namespace brumalis::online
