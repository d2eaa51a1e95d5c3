// The numbered message texts shown to the user, and the service that
// resolves them. Every text a user reads about a rejection, an error or a
// question is addressed by its number: obtain functions serve ranges of
// numbers, the program's own catalogue (English) is registered from the start,
// a translation function (the user-interface glossary) translates a text
// before "$1" … "$9", "$A" … are filled, and a replaceable sink displays the
// result: a presenter's message window (the GUI) or, without one, the sink
// (the command line prints it). Questions and the input window need a
// presenter; without one they answer what Esc would, or nothing.
//
// Numbers of the built-in catalogue:
//   -12 … -1     the message window's own texts (file, number and uninstall
//                messages); -2 and -3 are the object store's
//   0 … 298      the program's message list: result codes of the performance
//                calculation (212 … 254), unit family and condenser captions
//                (270 … 288), report captions, questions and errors
//   5000 … 5026  the database messages, served by the object store
//   7100 … 7199  the disclaimer's general terms and default names; their
//                callers fill $1 … $6 (dialogs/disclaimer_text.h)
//
// Environment: BRUMALIS_LANGUAGE=en (any letter case) runs the program
// untranslated: the translation function is skipped and messages appear in
// English. Engineers share screenshots and reports across countries.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialogs/message_window.h"
#include "objectstore/store_messages.h"

namespace brumalis::dialogs {

// Message numbers the dialog framework itself uses.
enum TDialogMessage : int {
    msgFileNotFound = -1,          // "File $1 not found"
    msgUnableToOpenFile = -2,      // "Unable to open file $1"
    msgUnableToCreateFile = -3,    // "Unable to create file $1"
    msgReadOnly = -4,              // "Read-only"
    msgSaveChangesFirst = -5,      // "File has changed. Save changes first?"
    msgNotAnInteger = -6,          // "$1 is not a valid integer number"
    msgNotNonNegative = -7,        // "$1 is not a valid non-negative number"
    msgNotPositive = -8,           // "$1 is not a valid positive number"
    msgUninstall = -9,             // "Uninstall"
    msgUninstalled = -10,          // "$1 successfully uninstalled"
    msgConfirmUninstall = -11,     // "Are you sure you want to uninstall $1?"
    msgUninstallNeedsAdmin = -12,  // "You need administrator rights to uninstall $1. …"
    // Not a catalogue number: the text is the parameters joined together,
    // for texts that forms keep in their own (translated) labels.
    msgAllParameters = -100,
};

// Every number the built-in catalogue has a text for, ascending.
std::vector<int> CatalogueNumbers();

// Answers the untranslated text of a number of its range ("" when it has none).
using TObtainStringFunc = std::function<std::string(int nMsgNr)>;
// Answers the translation of an English text, or the text itself.
using TTranslateFunc = std::function<std::string(const std::string& szText)>;
// Displays a finished text; nMsgNr tells which message it is.
using TMessageSink = std::function<void(const std::string& szText, int nMsgNr)>;

class TBaseMsg {
public:
    TBaseMsg() = delete;

    // msgAllParameters: the parameters joined together. Otherwise the text of
    // the newest obtain function whose range holds nMsgNr ("" when none),
    // translated, with the k-th parameter in place of every "$k" (k in
    // hexadecimal: $1 … $9, $A …).
    static std::string GetUnicodeString(int nMsgNr, const std::vector<std::string>& params = {});
    // Registers pFunc for nMinMsgNr … nMaxMsgNr; refused (false) when either
    // end lies inside a range already registered, or the range is empty.
    static bool AddObtainStringFunc(TObtainStringFunc pFunc, int nMinMsgNr, int nMaxMsgNr);

    // Installs the translation function (none: texts stay English); answers
    // the previous one.
    static TTranslateFunc SetTranslateFunc(TTranslateFunc pFunc);
    // A caption or other fixed text of the program, translated like the
    // messages (unchanged without a translation or with BRUMALIS_LANGUAGE=en).
    static std::string Translate(const std::string& szText);
    // True when BRUMALIS_LANGUAGE asks for the untranslated program.
    static bool TranslationDisabled();

    // Installs the display used while no presenter is installed; answers the
    // previous one. The initial sink writes the text and a line end to
    // standard error.
    static TMessageSink SetMessageSink(TMessageSink pSink);
    // Resolves the message and shows it as an error.
    static void ShowMessage(int nMsgNr, const std::vector<std::string>& params = {});

    // Installs the front end's windows (not owned; none: the sink); answers
    // the previous one.
    static CTMessagePresenter* SetPresenter(CTMessagePresenter* pPresenter);
    // Message windows with the OK button and the error, warning or
    // information icon.
    static void DisplayError(TDialogParent* pParent, int nMsgNr, const std::vector<std::string>& params = {});
    static void DisplayWarning(TDialogParent* pParent, int nMsgNr, const std::vector<std::string>& params = {});
    static void DisplayHint(TDialogParent* pParent, int nMsgNr, const std::vector<std::string>& params = {});
    // A question with the given buttons; answers the result code 1 ... 7 of
    // the button pressed, 0 when the window closed otherwise. Without a
    // presenter the text goes to the sink and the answer is the one Esc
    // gives (Cancel, or OK when it is the only button), else 0.
    static int DisplayQuestion(TDialogParent* pParent, int nMsgNr, TMsgDlgButtons buttons);
    static int DisplayQuestionEx(TDialogParent* pParent, int nMsgNr, TMsgDlgButtons buttons,
                                 const std::vector<std::string>& params);
    // The input window: title message nCaptionMsgNr, prompt nMsgNr, field
    // filled with szDefaultValue. True when confirmed with OK; szEditedValue
    // is then the trimmed text, else empty. Without a presenter the prompt
    // goes to the sink and the answer is false.
    static bool DisplayEditString(TDialogParent* pParent, int nCaptionMsgNr, int nMsgNr,
                                  const std::string& szDefaultValue, std::string& szEditedValue,
                                  const TEditOptions& options = {});
    static bool DisplayEditString(TDialogParent* pParent, int nCaptionMsgNr,
                                  const std::vector<std::string>& captionParams, int nMsgNr,
                                  const std::vector<std::string>& params, const std::string& szDefaultValue,
                                  std::string& szEditedValue, const TEditOptions& options = {});
};

// Called once at start: the object store's messages go through ShowMessage.
// Answers the callback it replaces.
CTMessageCallback InstallStoreMessageDisplay();

}  // namespace brumalis::dialogs
