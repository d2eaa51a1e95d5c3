#include "dialogs/message_window.h"

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <utility>

#include "dialogs/messages.h"
#include "dialogs/number_edit.h"
#include "localisation/number_text.h"

namespace brumalis::dialogs {

namespace {

// Reading order from left to right; the window fills its foot from the
// right edge in the reverse order, so Cancel always ends a row.
constexpr TMsgDlgBtn kReadingOrder[] = {mbOK, mbYes, mbYesToAll, mbNo,    mbNoToAll,
                                        mbAll, mbAbort, mbRetry,  mbIgnore, mbCancel};

struct TButtonInfo {
    const char* szCaption;
    const char* szName;  // the component name
    int nCode;
};

// By bit number. All and Yes to All count as OK, No to All as Cancel.
constexpr TButtonInfo kButtons[] = {
    {"&Yes", "Btn_Yes", mrYes},         {"&No", "Btn_No", mrNo},
    {"&OK", "Btn_OK", mrOK},            {"&Cancel", "Btn_Cancel", mrCancel},
    {"&Abort", "Btn_Abort", mrAbort},   {"&Retry", "Btn_Retry", mrRetry},
    {"&Ignore", "Btn_Ignore", mrIgnore}, {"&All", "Btn_All", mrOK},
    {"N&o to All", "Btn_NoToAll", mrCancel}, {"Yes to &All", "Btn_YesToAll", mrOK},
};

// A value outside the ten buttons has no caption and answers 0.
const TButtonInfo& ButtonOf(TMsgDlgBtn btn) {
    static constexpr TButtonInfo kNone{"", "", mrNone};
    const auto nIndex = static_cast<std::size_t>(btn);
    return nIndex < std::size(kButtons) ? kButtons[nIndex] : kNone;
}

std::string Trimmed(const std::string& sz) {
    const auto bBlank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t nFirst = 0;
    std::size_t nEnd = sz.size();
    while (nFirst < nEnd && bBlank(static_cast<unsigned char>(sz[nFirst]))) ++nFirst;
    while (nEnd > nFirst && bBlank(static_cast<unsigned char>(sz[nEnd - 1]))) --nEnd;
    return sz.substr(nFirst, nEnd - nFirst);
}

// A whole number of the 32-bit range: an optional sign and digits only.
std::optional<long long> IntegerValue(const std::string& szText) {
    const std::size_t nDigitsFrom = !szText.empty() && (szText[0] == '+' || szText[0] == '-') ? 1 : 0;
    if (nDigitsFrom == szText.size()) return std::nullopt;
    if (!std::all_of(szText.begin() + static_cast<std::ptrdiff_t>(nDigitsFrom), szText.end(),
                     [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    errno = 0;
    const long long nValue = std::strtoll(szText.c_str(), nullptr, 10);
    if (errno == ERANGE || nValue < std::numeric_limits<std::int32_t>::min() ||
        nValue > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return nValue;
}

}  // namespace

int TMsgDlgButtons::Count() const { return static_cast<int>(std::bitset<16>(v_bits).count()); }

int ResultCodeOf(TMsgDlgBtn btn) { return ButtonOf(btn).nCode; }

std::string ButtonCaption(TMsgDlgBtn btn) { return ButtonOf(btn).szCaption; }

std::string ButtonName(TMsgDlgBtn btn) { return ButtonOf(btn).szName; }

std::string TypeCaption(TMsgDlgType nType) {
    switch (nType) {
        case mtError:
            return "Error";
        case mtConfirmation:
            return "Confirm";
        case mtWarning:
            return "Warning";
        case mtInformation:
            return "Information";
    }
    return std::string();
}

TMessageWindowModel::TMessageWindowModel(TMsgDlgType nType, TMsgDlgButtons buttons, std::string szText)
    : v_type(nType), v_buttons(buttons), v_title(TBaseMsg::Translate(TypeCaption(nType))), v_text(std::move(szText)) {}

bool TMessageWindowModel::HasIcon() const { return !TypeCaption(v_type).empty(); }

std::vector<TMsgDlgBtn> TMessageWindowModel::ButtonsLeftToRight() const {
    std::vector<TMsgDlgBtn> buttons;
    for (const TMsgDlgBtn btn : kReadingOrder) {
        if (v_buttons.Has(btn)) buttons.push_back(btn);
    }
    return buttons;
}

std::optional<TMsgDlgBtn> TMessageWindowModel::EscapeButton() const {
    if (v_buttons.Has(mbCancel)) return mbCancel;
    if (v_buttons.Bits() == TMsgDlgButtons{mbOK}.Bits()) return mbOK;
    return std::nullopt;
}

TInputWindowModel::TInputWindowModel(std::string szTitle, std::string szPrompt, std::string szDefault,
                                     TEditOptions options)
    : v_title(std::move(szTitle)), v_prompt(std::move(szPrompt)), v_text(std::move(szDefault)), v_options(options) {}

const std::string& TInputWindowModel::Edit(const std::string& szTyped) {
    v_text = v_options.bNumericOnly ? CleanNumberEdit(szTyped, 0).szText : szTyped;
    return v_text;
}

bool TInputWindowModel::OkEnabled() const { return v_options.bAllowEmpty || !Result().empty(); }

std::optional<TInputRefusal> TInputWindowModel::Refusal() const {
    const std::string szText = Result();
    if (!v_options.bNumericOnly || (szText.empty() && v_options.bAllowEmpty)) return std::nullopt;
    double nValue = 0.0;
    if (v_options.bIntegerOnly) {
        const std::optional<long long> nInteger = IntegerValue(szText);
        if (!nInteger) return TInputRefusal{msgNotAnInteger, {szText}};
        nValue = static_cast<double>(*nInteger);
    } else {
        nValue = Str2Number(szText);
    }
    if (nValue < 0.0 && !v_options.bAllowNegative) {
        return TInputRefusal{v_options.bAllowZero ? msgNotNonNegative : msgNotPositive, {szText}};
    }
    if (nValue == 0.0 && !v_options.bAllowZero) return TInputRefusal{msgNotPositive, {szText}};
    return std::nullopt;
}

std::string TInputWindowModel::Result() const { return Trimmed(v_text); }

}  // namespace brumalis::dialogs
