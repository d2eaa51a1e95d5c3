// The English texts of the upgrade dialog, the welcome hint and the
// data-processing notice, translated through the message service like the
// rest of the user interface.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brumalis::online {

enum class TUpgradeText {
    // Upgrade frame: captions, buttons and columns.
    DialogCaption, PageUpgrade, ShowReminder, CServer, CProgram, CLanguage, CConfig, CDbVersion,
    CheckVersions, Download, AvailVersions, ColVersion, ColLanguage, ColConfiguration, ColDatabase, ColSize,
    // Upgrade frame: the texts its hidden panel keeps.
    CapDefault, NA, MB, Downloading, ErrBeta, ErrConnect, ErrCommunicate, WarNoNewVer, WarConfigNF,
    ErrDownload, HinComplete, ErrFailed, QueUnsaved, QueConfChange, QueLangChange,
    Server0, Server1, Server2,
    // Welcome hint.
    HintCaption, HintWelcome, HintLine1, HintLine3, HintLine5, HintShowAtStartup, HintLookNow, HintOK,
    // Data-processing notice.
    NoticeCaption, NoticePage, NoticeAccept, NoticeNotAccept, NoticeContinue,
    NoticeHeadCollect, NoticeCollect, NoticeItemBuild, NoticeItemCount, NoticeItemLocale, NoticeItemSystem,
    NoticeItemId, NoticeHeadUse, NoticeUse, NoticeHeadContact, NoticeContact,
};

// The text, translated; "$1" replaced by szParam when given.
std::string UpgradeText(TUpgradeText id);
std::string UpgradeText(TUpgradeText id, std::string_view szParam);
// Every English text above, for the glossary's completeness.
std::vector<std::string> EnglishUpgradeTexts();

// Every "$1" of szText replaced by szParam.
std::string ReplaceParam(std::string szText, std::string_view szParam);

}  // namespace brumalis::online
