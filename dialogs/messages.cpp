#include "dialogs/messages.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>

#include "objectstore/store_messages.h"
#include "platform/settings_store.h"

namespace brumalis::dialogs {

namespace {

struct TMessageText {
    int nMsgNr;
    std::string_view szText;
};

// The English texts, ascending by number. -2 and -3 and the database
// messages 5000 … 5026 are the object store's and are served from there.
// Some numbers of the message list are unused; they have no text.
constexpr TMessageText kCatalogue[] = {
    {-12, "You need administrator rights to uninstall $1. Only the user preferences are removed"},
    {-11, "Are you sure you want to uninstall $1?"},
    {-10, "$1 successfully uninstalled"},
    {-9, "Uninstall"},
    {-8, "$1 is not a valid positive number"},
    {-7, "$1 is not a valid non-negative number"},
    {-6, "$1 is not a valid integer number"},
    {-5, "File has changed. Save changes first?"},
    {-4, "Read-only"},
    {-1, "File $1 not found"},
    {2, "Brumalis Program"},
    {3, "For additional detail on maximum electrical rating conditions, please refer to the Engineering Data Book"},
    {5, "Ambient summer temperature"},
    {6, "Ambient winter temperature"},
    {7, "Ambient"},
    {8, "The following data are analysis data and are not the result of a selection."},
    {9, "Analysis Results"},
    {10, "Analyzed Chiller"},
    {11, "Selected Settings for Analysis"},
    {12, "Application"},
    {13, "@100%"},
    {14, "@25%"},
    {15, "@50%"},
    {16, "@75%"},
    {17, "Base Model"},
    {18, "Please check the minimum required water volume in the system, as indicated in the databook."},
    {19, "Capacity"},
    {20, "Capacity step"},
    {23, "Solution Overview"},
    {24, "Compressor"},
    {25, "Quantity"},
    {26, "Number of compressor steps"},
    {27, "Type"},
    {28, "Condenser"},
    {30, "Type"},
    {31, "Condensing temperature"},
    {32, "Cooling Capacity"},
    {33, "Cooling"},
    {34, "Cooling Power Input"},
    {35, "COP"},
    {36, "Operation Range in Cooling"},
    {38, "This Cu-Ni option will cause de-rating of the chiller capacities. Please contact the Orvane representative to receive confirmation on the correct unit de-rating"},
    {39, "Delta T"},
    {40, "Delta T (c)"},
    {41, "Delta T (h)"},
    {42, "Depth"},
    {43, "Deviation"},
    {44, "Dimensional drawing"},
    {45, "Distance from unit"},
    {46, "EER"},
    {52, "Electrical data"},
    {54, "Entering fluid temperature"},
    {55, "Entering fluid temperature (c)"},
    {56, "Entering fluid temperature (h)"},
    {58, "ESEER"},
    {59, "ESEER (European Seasonal EER) is based on Eurovent temperature conditions and Eurovent part load weighting calculation."},
    {60, "The ESEER figure is certified by Eurovent. Power input is for the total unit."},
    {61, "ESEER = 0.03 x EER@100% + 0.33 x EER@75% + 0.41 x EER@50% + 0.23 x EER@25%"},
    {64, "Eurovent class"},
    {65, "Equipment is Eurovent Certified and conforms to the following standard: Eurovent 6/C/2006"},
    {66, "Evaporator"},
    {67, "EWT"},
    {69, "The weight is excluding the selection options (naked model only). Please contact the factory for the extra shipping weight."},
    {70, "Family"},
    {71, "Frequency"},
    {72, "Full Model Reference"},
    {73, "Fuses"},
    {75, "Fluid type"},
    {76, "% Weight"},
    {77, "The selection criteria are within the capacity table. Equipment is Eurovent Certified and conforms to the following standard: Eurovent 6/C/2006."},
    {78, "Heating Capacity"},
    {79, "Heat gain"},
    {80, "Heating"},
    {82, "Heat recovery"},
    {83, "Heat recovery data are given for the following nominal conditions: LWE = 7°C, ambient temperature = 35°C"},
    {84, "Heat rejection"},
    {85, "Height"},
    {87, "Operation Range in Heating"},
    {88, "Cooling capacity (CC HR)"},
    {89, "HR Exchanger"},
    {90, "Heating capacity (HC HR)"},
    {91, "Heat recovery mode"},
    {92, "Heat recovery option"},
    {93, "% heat recovery"},
    {94, "Power input (PI HR)"},
    {96, "IPLV"},
    {97, "Orvane IPLV is based on the ARI temperature conditions and ARI part load weighting calculation."},
    {98, "Partload performances are calculated in relation to the units balancing diagrams. Power input os for the total unit."},
    {99, "Orvane IPLV = 0.01 x  EER@100% + 0.42 x EER@75% + 0.45 x EER@50% + 0.12 x EER@25%"},
    {100, "Leaving fluid temperature"},
    {101, "Leaving fluid temperature (c)"},
    {102, "Leaving fluid temperature (h)"},
    {104, "Low noise option"},
    {106, "LWE"},
    {107, "Max. compressor run current"},
    {108, "Max.  run current"},
    {109, "Max. start current"},
    {110, "Mechanical data / Hydronics"},
    {116, "none"},
    {120, "Option Code"},
    {122, "Overall"},
    {123, "Partial"},
    {124, "Partload (Cooling)"},
    {125, "Available pump ESP"},
    {126, "Power input equals the total unit power input to include compressor, fans and control circuits (excludes pumps)."},
    {128, "Power input"},
    {129, "Power supply"},
    {130, "Fluid pressure drop"},
    {132, "In some cases a pump option cannot be combined with total heat recovery (WQRK) due to the available space within the chassis."},
    {133, "In the case of this combination please contact the factory to verify this configuration."},
    {134, "Pump option"},
    {135, "The selection criteria outside the operation range."},
    {136, "Refrigerant"},
    {137, "Required total capacity"},
    {138, "Selected chiller solution"},
    {139, "Selected kits"},
    {140, "Selection data"},
    {141, "Selected options"},
    {142, "Selected plant solution"},
    {143, "Plant summary"},
    {147, "Sound"},
    {148, "Sound power data is in accordance with ISO3744. Measurement is at nominal condition."},
    {149, "Sound pressure is calculated for indication purposes. Calculation is only valid for free field conditions: Lp=Lw-10Log(S)."},
    {151, "Sound power"},
    {152, "Sound pressure"},
    {155, "(c) and (h) stand for cooling and heating data respectively."},
    {156, "Specification texts"},
    {157, "1000Hz"},
    {158, "125Hz"},
    {159, "2000Hz"},
    {160, "250Hz"},
    {161, "4000Hz"},
    {162, "500Hz"},
    {163, "63Hz"},
    {164, "8000Hz"},
    {165, "STD"},
    {166, "Standard options"},
    {168, "Subcool"},
    {169, "Suction dew point"},
    {170, "Superheat"},
    {172, "TC"},
    {173, "Total"},
    {174, "Uninstall"},
    {175, "Voltage limits"},
    {176, "Buffer tank volume"},
    {178, "Fluid flow rate"},
    {179, "Weight"},
    {180, "Width"},
    {181, "The selection criteria are outside the capacity table, but within the operation range. Results are purely for indication purposes."},
    {184, "Page $1"},
    {185, "Produced on $1 with the Brumalis Program V$2 and database version $3"},
    {202, "Pressure drop - condenser"},
    {203, "Pressure drop - condenser HR"},
    {204, "Pressure drop - evaporator"},
    {205, "Pressure drop"},
    {206, "Pressure drop - pump"},
    {207, "Fluid flow rate"},
    {209, "The option $1 can only be selected after the selection of a pump option."},
    {210, "The current setting of the option $1 with the current setting of the options $2 is not allowed, according to the option code definitions."},
    {212, "The solution is outside the deviation range (usage of low noise option)."},
    {214, "Capacity is outside $1% to $2% of the required cooling capacity."},
    {216, "Delta T condenser side (cooling) is outside the range."},
    {217, "Delta T evaporator side (cooling) is outside the range."},
    {218, "Delta T condenser side (heating) is outside the range."},
    {219, "Delta T evaporator side (heating) is outside the range."},
    {220, "Delta T leaving water (heat recovery) is outside the range."},
    {221, "The option \"$1\" conflicts with the selected option \"$2\"."},
    {223, "Fluid flow rate condenser side (cooling) is outside range."},
    {224, "Fluid flow rate evaporator side (cooling) is outside range."},
    {225, "Fluid flow rate condenser side (heating) is outside range."},
    {226, "Fluid flow rate evaporator side (heating) is outside range."},
    {228, "Fluid flow rate evaporator side (heating) is outside pump range."},
    {229, "Capacity is outside $1% to $2% of the required heating capacity."},
    {230, "No heat recovery capacity (LWC out of range)."},
    {231, "The chiller \"$1\" has no heat recovery pressure drop for a fluid flow of $2 (fluid flow out of range)."},
    {233, "Chiller unit has no controller."},
    {234, "No solutions found with up to $1 chillers (VORP limit)."},
    {236, "No pressure drop data for the condenser side."},
    {237, "No pressure drop data for the evaporator side."},
    {242, "The pressure drop of chiller \"$1\" is larger than the pressure drop of the pump option ($2 at $3)."},
    {247, "The fluid flow rate of chiller \"$1\" is below the standard pump option range ($2 .. $3). The required fluid flow is $4. Decrease your delta T."},
    {248, "The fluid flow rate of chiller \"$1\" exceeds the standard pump option range ($2 .. $3). The required fluid flow is $4. Increase your delta T."},
    {249, "Maximum bitmap size is $1x$2 pixels."},
    {250, "No capacity table found."},
    {251, "The selection criteria for cooling are outside the capacity table, but within the operation range. The cooling capacity is only indicative."},
    {252, "The selection criteria for cooling are outside the operation range. No cooling capacity."},
    {253, "The selection criteria for heating are outside the capacity table, but within the operation range. The heating capacity is only indicative."},
    {254, "The selection criteria for heating are outside the operation range. No heating capacity."},
    {269, "The fluid flow rate of chiller \"$1\" is within the standard pump option range ($2 .. $3). The available pump ESP at $4 is $5. Accept this option?"},
    {276, "Air cooled"},
    {278, "Cooling only"},
    {279, "Heating only"},
    {280, "Heat pump"},
    {281, "Heat recovery"},
    {283, "Condenserless"},
    {284, "Condensing unit"},
    {288, "Water cooled"},
    {289, "The database does not contain any selectable chillers."},
    {290, "Ambient temperature"},
    {291, "Condensing temperature"},
    {295, "LWC"},
    {296, "LWE"},
    {297, "SDP"},
    // The general terms of the disclaimer window and its default names.
    {7100, "$1 - Accept to launch the software."},
    {7101, "Use of the software"},
    {7102, "Intellectual property"},
    {7103, "Trade names and marks"},
    {7104, "Disclaimer of warranty"},
    {7105, "Exclusion of liability"},
    {7106, "Indemnity"},
    {7107, "Electronic submission of data"},
    {7108, "Miscellaneous"},
    {7109, "Contact"},
    {7110, "Please read these terms before you use $1. By choosing \"I accept these conditions\" and then \"Continue\" you agree to them; $1 starts only once you have."},
    {7111, "If you do not accept them, $1 ends without changing anything on your computer."},
    {7112, "$4 (\"$3\") grants you a free, non-exclusive and non-transferable right to use $1 for selecting and sizing $3 products."},
    {7113, "You may install $1 on the computers of your organisation. You may not sell, rent or lend it, nor change, translate or take it apart."},
    {7114, "$1, its catalogue data, texts, pictures and documentation belong to $4 and are protected by copyright. Using them gives you no rights beyond those stated here."},
    {7115, "$3 and the names of its products are trade names or registered marks of $4. They may not be used without its written consent, except to name the products selected with $1."},
    {7116, "$1 is provided as it is. Its results are calculated from the catalogue data for guidance only; they do not replace the engineering data and the confirmation of $3."},
    {7117, "$3 does not warrant that $1 is free from errors or fit for a particular purpose."},
    {7118, "As far as the law allows, $4 is not liable for any damage, loss of data, loss of profit or other loss arising from the use of $1 or from being unable to use it."},
    {7119, "You indemnify $4 against claims of third parties arising from a use of $1 contrary to these terms."},
    {7120, "When $1 exchanges data with the servers of $3 over the Internet:"},
    {7121, "1. data are sent only when you ask for it, for instance when you look for upgrades;"},
    {7122, "2. the data sent are exactly those the notice on data processing describes before the first upgrade;"},
    {7123, "3. $3 is not liable for delays, losses or errors of transmission over public networks."},
    {7124, "These terms are governed by the law of $5. The courts of $6 alone decide any dispute arising from them."},
    {7125, "Should a provision of these terms be invalid, the other provisions remain in force."},
    {7126, "For questions about these terms or about $1, write to $4 at $2."},
    {7130, "Belgium"},
    {7131, "Brussels"},
};

// The numbers the object store serves.
constexpr std::pair<int, int> kStoreNumbers[] = {{-3, -2}, {5000, 5026}};

// The ranges the built-in texts are registered for: the message window's
// list, the program's message list, the logon window's list and the
// disclaimer's texts.
constexpr std::pair<int, int> kBuiltInRanges[] = {{-12, -1}, {0, 298}, {5000, 5026}, {7100, 7199}};

std::string BuiltInText(int nMsgNr) {
    const auto it = std::lower_bound(std::begin(kCatalogue), std::end(kCatalogue), nMsgNr,
                                     [](const TMessageText& text, int n) { return text.nMsgNr < n; });
    if (it != std::end(kCatalogue) && it->nMsgNr == nMsgNr) return std::string(it->szText);
    return StoreMessageText(nMsgNr);
}

struct TObtainRange {
    TObtainStringFunc pFunc;
    int nMin;
    int nMax;
    bool Holds(int nMsgNr) const { return nMin <= nMsgNr && nMsgNr <= nMax; }
};

// Process-wide, as the message service is; messages may come from any thread
// that works on the object store.
struct TMessageState {
    std::mutex mutex;
    std::vector<TObtainRange> ranges;  // oldest first
    TTranslateFunc pTranslate;
    TMessageSink pSink = [](const std::string& szText, int) { std::cerr << szText << '\n'; };
    CTMessagePresenter* pPresenter = nullptr;

    TMessageState() {
        for (const auto& [nMin, nMax] : kBuiltInRanges) ranges.push_back({BuiltInText, nMin, nMax});
    }
};

TMessageState& State() {
    static TMessageState state;
    return state;
}

// The obtain function of the newest range that holds nMsgNr, if any.
TObtainStringFunc ObtainFuncFor(int nMsgNr) {
    TMessageState& state = State();
    const std::lock_guard lock(state.mutex);
    const auto it = std::find_if(state.ranges.rbegin(), state.ranges.rend(),
                                 [nMsgNr](const TObtainRange& range) { return range.Holds(nMsgNr); });
    return it == state.ranges.rend() ? TObtainStringFunc() : it->pFunc;
}

// Hooks are copied out and called without the lock, so that a hook may
// itself use the message service.
template <typename T>
T CopyOf(T TMessageState::*pMember) {
    TMessageState& state = State();
    const std::lock_guard lock(state.mutex);
    return state.*pMember;
}

template <typename T>
T Exchange(T TMessageState::*pMember, T value) {
    TMessageState& state = State();
    const std::lock_guard lock(state.mutex);
    return std::exchange(state.*pMember, std::move(value));
}

std::string Translated(std::string szText) {
    if (szText.empty() || TBaseMsg::TranslationDisabled()) return szText;
    const TTranslateFunc pTranslate = CopyOf(&TMessageState::pTranslate);
    return pTranslate ? pTranslate(szText) : szText;
}

void ToSink(const std::string& szText, int nMsgNr) {
    const TMessageSink pSink = CopyOf(&TMessageState::pSink);
    if (pSink) pSink(szText, nMsgNr);
}

// The message window through the presenter, else the text to the sink and
// the answer Esc would give.
int Display(TDialogParent* pParent, TMsgDlgType nType, TMsgDlgButtons buttons, int nMsgNr,
            const std::vector<std::string>& params) {
    const TMessageWindowModel model(nType, buttons, TBaseMsg::GetUnicodeString(nMsgNr, params));
    CTMessagePresenter* pPresenter = CopyOf(&TMessageState::pPresenter);
    std::optional<TMsgDlgBtn> answer;
    if (pPresenter) {
        answer = pPresenter->ShowMessageWindow(pParent, model);
    } else {
        ToSink(model.Text(), nMsgNr);
        answer = model.EscapeButton();
    }
    return answer ? ResultCodeOf(*answer) : mrNone;
}

}  // namespace

std::vector<int> CatalogueNumbers() {
    std::vector<int> numbers;
    for (const TMessageText& text : kCatalogue) numbers.push_back(text.nMsgNr);
    for (const auto& [nFirst, nLast] : kStoreNumbers) {
        for (int n = nFirst; n <= nLast; ++n) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string TBaseMsg::GetUnicodeString(int nMsgNr, const std::vector<std::string>& params) {
    if (nMsgNr == msgAllParameters) {
        std::string szAll;
        for (const std::string& szParam : params) szAll += szParam;
        return szAll;
    }
    const TObtainStringFunc pObtain = ObtainFuncFor(nMsgNr);
    if (!pObtain) return std::string();
    return FillMessageParameters(Translated(pObtain(nMsgNr)), params);
}

bool TBaseMsg::AddObtainStringFunc(TObtainStringFunc pFunc, int nMinMsgNr, int nMaxMsgNr) {
    if (!pFunc || nMinMsgNr > nMaxMsgNr) return false;
    TMessageState& state = State();
    const std::lock_guard lock(state.mutex);
    const bool bClash = std::any_of(state.ranges.begin(), state.ranges.end(), [&](const TObtainRange& range) {
        return range.Holds(nMinMsgNr) || range.Holds(nMaxMsgNr);
    });
    if (!bClash) state.ranges.push_back({std::move(pFunc), nMinMsgNr, nMaxMsgNr});
    return !bClash;
}

TTranslateFunc TBaseMsg::SetTranslateFunc(TTranslateFunc pFunc) {
    return Exchange(&TMessageState::pTranslate, std::move(pFunc));
}

std::string TBaseMsg::Translate(const std::string& szText) { return Translated(szText); }

bool TBaseMsg::TranslationDisabled() {
    const char* szLanguage = std::getenv("BRUMALIS_LANGUAGE");
    return szLanguage != nullptr && platform::EqualsIgnoringCase(szLanguage, "en");
}

TMessageSink TBaseMsg::SetMessageSink(TMessageSink pSink) {
    return Exchange(&TMessageState::pSink, std::move(pSink));
}

void TBaseMsg::ShowMessage(int nMsgNr, const std::vector<std::string>& params) {
    DisplayError(nullptr, nMsgNr, params);
}

CTMessagePresenter* TBaseMsg::SetPresenter(CTMessagePresenter* pPresenter) {
    return Exchange(&TMessageState::pPresenter, pPresenter);
}

void TBaseMsg::DisplayError(TDialogParent* pParent, int nMsgNr, const std::vector<std::string>& params) {
    Display(pParent, mtError, {mbOK}, nMsgNr, params);
}

void TBaseMsg::DisplayWarning(TDialogParent* pParent, int nMsgNr, const std::vector<std::string>& params) {
    Display(pParent, mtWarning, {mbOK}, nMsgNr, params);
}

void TBaseMsg::DisplayHint(TDialogParent* pParent, int nMsgNr, const std::vector<std::string>& params) {
    Display(pParent, mtInformation, {mbOK}, nMsgNr, params);
}

int TBaseMsg::DisplayQuestion(TDialogParent* pParent, int nMsgNr, TMsgDlgButtons buttons) {
    return DisplayQuestionEx(pParent, nMsgNr, buttons, {});
}

int TBaseMsg::DisplayQuestionEx(TDialogParent* pParent, int nMsgNr, TMsgDlgButtons buttons,
                                const std::vector<std::string>& params) {
    return Display(pParent, mtConfirmation, buttons, nMsgNr, params);
}

bool TBaseMsg::DisplayEditString(TDialogParent* pParent, int nCaptionMsgNr, int nMsgNr,
                                 const std::string& szDefaultValue, std::string& szEditedValue,
                                 const TEditOptions& options) {
    return DisplayEditString(pParent, nCaptionMsgNr, {}, nMsgNr, {}, szDefaultValue, szEditedValue, options);
}

bool TBaseMsg::DisplayEditString(TDialogParent* pParent, int nCaptionMsgNr,
                                 const std::vector<std::string>& captionParams, int nMsgNr,
                                 const std::vector<std::string>& params, const std::string& szDefaultValue,
                                 std::string& szEditedValue, const TEditOptions& options) {
    szEditedValue.clear();
    TInputWindowModel model(GetUnicodeString(nCaptionMsgNr, captionParams), GetUnicodeString(nMsgNr, params),
                            szDefaultValue, options);
    CTMessagePresenter* pPresenter = CopyOf(&TMessageState::pPresenter);
    if (!pPresenter) {
        ToSink(model.Prompt(), nMsgNr);
        return false;
    }
    if (!pPresenter->ShowInputWindow(pParent, model)) return false;
    szEditedValue = model.Result();
    return true;
}

CTMessageCallback InstallStoreMessageDisplay() {
    return SetMessageCallback(
        [](int nMsgNr, const std::vector<std::string>& params) { TBaseMsg::ShowMessage(nMsgNr, params); });
}

}  // namespace brumalis::dialogs
