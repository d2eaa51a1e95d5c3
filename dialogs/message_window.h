// What the message window and the input window show and answer, without a
// toolkit: the type's title and icon, the buttons of a set in their reading
// order, the result codes, the key that closes the window, and the input
// window's rules (OK enabled, numeric filter, refusals). The front end draws
// these models through a CTMessagePresenter; tests script one.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace brumalis::dialogs {

// The window that owns a dialog, opaque to the models: a front end passes
// its own window pointer through it (none: the application's active window).
struct TDialogParent;

enum TMsgDlgType : int {
    mtError = 16,
    mtConfirmation = 32,
    mtWarning = 48,
    mtInformation = 64,
};

// Bit numbers in a button set.
enum TMsgDlgBtn : int {
    mbYes = 0,
    mbNo = 1,
    mbOK = 2,
    mbCancel = 3,
    mbAbort = 4,
    mbRetry = 5,
    mbIgnore = 6,
    mbAll = 7,
    mbNoToAll = 8,
    mbYesToAll = 9,
};

// The answer of a dialog; 0 when the window closed otherwise.
enum TModalResult : int {
    mrNone = 0,
    mrOK = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (const TMsgDlgBtn btn : buttons) v_bits = static_cast<std::uint16_t>(v_bits | Bit(btn));
    }
    static constexpr TMsgDlgButtons FromBits(std::uint16_t nBits) {
        TMsgDlgButtons set;
        set.v_bits = static_cast<std::uint16_t>(nBits & 0x3FF);
        return set;
    }
    constexpr bool Has(TMsgDlgBtn btn) const { return (v_bits & Bit(btn)) != 0; }
    constexpr std::uint16_t Bits() const { return v_bits; }
    int Count() const;

private:
    static constexpr std::uint16_t Bit(TMsgDlgBtn btn) { return static_cast<std::uint16_t>(1u << btn); }
    std::uint16_t v_bits = 0;
};

// The code a button answers: All and Yes to All count as OK, No to All as
// Cancel.
int ResultCodeOf(TMsgDlgBtn btn);
// The untranslated caption of a button ("&Yes", "N&o to All", ...).
std::string ButtonCaption(TMsgDlgBtn btn);
// The component name of a button ("Btn_Yes", "Btn_NoToAll", ...).
std::string ButtonName(TMsgDlgBtn btn);
// The untranslated title of a message type ("Error", "Confirm", "Warning",
// "Information"); empty for any other value.
std::string TypeCaption(TMsgDlgType nType);

class TMessageWindowModel {
public:
    // The text shows at most this many lines; longer texts scroll.
    static constexpr int kMaxVisibleLines = 10;

    // szText is the finished (translated, filled) message.
    TMessageWindowModel(TMsgDlgType nType, TMsgDlgButtons buttons, std::string szText);

    TMsgDlgType Type() const { return v_type; }
    TMsgDlgButtons Buttons() const { return v_buttons; }
    // The type's title, translated.
    const std::string& Title() const { return v_title; }
    const std::string& Text() const { return v_text; }
    // True for the four message types; other values show no icon.
    bool HasIcon() const;
    // Exactly the buttons of the set, in reading order: OK, Yes, Yes to All,
    // No, No to All, All, Abort, Retry, Ignore, Cancel.
    std::vector<TMsgDlgBtn> ButtonsLeftToRight() const;
    // What Esc and the window manager's close button answer: Cancel when it
    // is shown, OK when it is the only button, else nothing (the window
    // stays open, so the answer is never "closed otherwise").
    std::optional<TMsgDlgBtn> EscapeButton() const;

private:
    TMsgDlgType v_type;
    TMsgDlgButtons v_buttons;
    std::string v_title;
    std::string v_text;
};

// The rules of the one-line input window.
struct TEditOptions {
    bool bAllowEmpty = false;
    bool bNumericOnly = false;
    bool bIntegerOnly = false;
    bool bAllowNegative = false;
    bool bAllowZero = false;
};

// A refused confirmation: the message to show with its parameters.
struct TInputRefusal {
    int nMsgNr;
    std::vector<std::string> params;
};

class TInputWindowModel {
public:
    // szTitle and szPrompt are finished texts; szDefault fills the field.
    TInputWindowModel(std::string szTitle, std::string szPrompt, std::string szDefault, TEditOptions options);

    const std::string& Title() const { return v_title; }
    const std::string& Prompt() const { return v_prompt; }
    const std::string& Text() const { return v_text; }
    const TEditOptions& Options() const { return v_options; }

    // The user changed the text; numeric input is cleaned by CheckNumber.
    // Answers the text the field now shows.
    const std::string& Edit(const std::string& szTyped);
    // OK is enabled while the trimmed text is not empty, or when empty text
    // is allowed.
    bool OkEnabled() const;
    // Why OK is refused, none when the text is accepted. Numeric input must
    // be a whole number when integers are asked for (-6); a negative value
    // needs negatives allowed (-7 when zero is, else -8); zero needs zero
    // allowed (-8). The sign and zero rules hold for decimal input too.
    std::optional<TInputRefusal> Refusal() const;
    // The trimmed text.
    std::string Result() const;

private:
    std::string v_title;
    std::string v_prompt;
    std::string v_text;
    TEditOptions v_options;
};

// The front end's windows. Both calls are modal.
class CTMessagePresenter {
public:
    virtual ~CTMessagePresenter() = default;
    // Shows the message window; answers the button pressed, none when the
    // window closed otherwise.
    virtual std::optional<TMsgDlgBtn> ShowMessageWindow(TDialogParent* pParent, const TMessageWindowModel& model) = 0;
    // Shows the input window over the model, which keeps the edited text;
    // true when confirmed with OK.
    virtual bool ShowInputWindow(TDialogParent* pParent, TInputWindowModel& model) = 0;
};

}  // namespace brumalis::dialogs
