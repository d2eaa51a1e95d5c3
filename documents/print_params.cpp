#include "documents/print_params.h"

#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "dialogs/about_captions.h"
#include "dialogs/messages.h"
#include "objectstore/database_set.h"
#include "objectstore/streams.h"
#include "platform/build_identity.h"
#include "platform/resources.h"
#include "platform/settings_store.h"

namespace brumalis {
namespace {

constexpr const char* kLine1 = "DisLine1";
constexpr const char* kLine2 = "DisLine2";
constexpr const char* kLine3 = "DisLine3";
constexpr const char* kLogo = "DisLogo";

struct TShared {
    std::mutex mutex;
    std::shared_ptr<CTDecorationDefinition> pDecorations;
    TDateSource dateSource = SystemDate;
};

TShared& Shared() {
    static TShared shared;
    return shared;
}

std::string Stored(const char* szName) {
    return platform::Registry().CurrentUser().ReadString(TDlgPrintParams::kKey, szName, "");
}

// Without the blanks and control characters at either end.
std::string Trimmed(const std::string& sz) {
    std::size_t nFirst = 0;
    std::size_t nLast = sz.size();
    while (nFirst < nLast && static_cast<unsigned char>(sz[nFirst]) <= ' ') ++nFirst;
    while (nLast > nFirst && static_cast<unsigned char>(sz[nLast - 1]) <= ' ') --nLast;
    return sz.substr(nFirst, nLast - nFirst);
}

std::string Tr(const std::string& szEnglish) { return dialogs::TBaseMsg::Translate(szEnglish); }

// The file's first two bytes; none when it cannot be opened.
std::optional<std::string> Signature(const std::string& szFileName) {
    try {
        CTMyFileStream file(szFileName, CTMyFileStream::Mode::OpenReadDenyWrite);
        char signature[2] = {};
        return std::string(signature, file.Read(signature, 2));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The picture reader's reason in the program's language; a reason the
// glossary does not know (one with sizes or offsets in it) is left out
// rather than shown in English to a user of another language.
std::string ReasonText(const std::string& szReason) {
    const std::string szText = Tr(szReason);
    if (szText.empty() || (szText == szReason && !dialogs::TBaseMsg::TranslationDisabled())) return {};
    return " (" + szText + ")";
}

// Empty when the logo may be stored, else why not.
std::string LogoProblem(const std::string& szFileName) {
    if (szFileName.empty()) return {};
    const std::optional<std::string> signature = Signature(szFileName);
    if (!signature) return Tr("The logo cannot be opened") + ": " + szFileName;
    const graphics::CTGraphic logo = graphics::LoadPictureFile(szFileName);
    if (logo.IsEmpty()) return TDlgPrintParams::UnreadableLogo(logo) + ": " + szFileName;
    if (*signature != "BM") return Tr("The logo is not a BMP picture") + ": " + szFileName;
    if (logo.Width() > TDlgPrintParams::kMaxLogoWidth || logo.Height() > TDlgPrintParams::kMaxLogoHeight) {
        return dialogs::TBaseMsg::GetUnicodeString(TDlgPrintParams::kMsgMaxBitmapSize,
                                                   {std::to_string(TDlgPrintParams::kMaxLogoWidth),
                                                    std::to_string(TDlgPrintParams::kMaxLogoHeight)});
    }
    return {};
}

graphics::CTGraphic EmbeddedBitmap(const char* szName) {
    const auto bytes = platform::FindBlob(szName);
    return bytes ? graphics::DecodeBmp(*bytes) : graphics::CTGraphic();
}

}  // namespace

std::string TDlgPrintParams::GetLine1() { return Stored(kLine1); }
std::string TDlgPrintParams::GetLine2() { return Stored(kLine2); }
std::string TDlgPrintParams::GetLine3() { return Stored(kLine3); }
std::string TDlgPrintParams::GetLogoFile() { return Stored(kLogo); }

std::string TDlgPrintParams::UnreadableLogo(const graphics::CTGraphic& logo) {
    return Tr("The logo cannot be read") + ReasonText(logo.Reason());
}

TPrintParams TDlgPrintParams::GetParams() { return {GetLine1(), GetLine2(), GetLine3(), GetLogoFile()}; }

TDlgPrintParams::TSaveOutcome TDlgPrintParams::Save(const TPrintParams& params) {
    TSaveOutcome outcome;
    outcome.szMessage = LogoProblem(params.szLogoFile);
    if (!outcome.szMessage.empty()) return outcome;
    platform::CTSettingsStore& store = platform::Registry().CurrentUser();
    const bool bWritten = store.WriteString(kKey, kLine1, Trimmed(params.szLine1)) &&
                          store.WriteString(kKey, kLine2, Trimmed(params.szLine2)) &&
                          store.WriteString(kKey, kLine3, Trimmed(params.szLine3)) &&
                          store.WriteString(kKey, kLogo, params.szLogoFile);
    DiscardPageDecorations();
    if (!bWritten) {
        outcome.szMessage = Tr("The print parameters could not be stored in the settings");
        return outcome;
    }
    outcome.bSaved = true;
    return outcome;
}

std::shared_ptr<const CTDecorationDefinition> TDlgPrintParams::GetPageDecorations() {
    TShared& shared = Shared();
    std::lock_guard lock(shared.mutex);
    if (!shared.pDecorations) shared.pDecorations = BuildPageDecorations();
    return shared.pDecorations;
}

void TDlgPrintParams::DiscardPageDecorations() {
    TShared& shared = Shared();
    std::lock_guard lock(shared.mutex);
    shared.pDecorations.reset();
}

TDateSource TDlgPrintParams::SetDateSource(TDateSource source) {
    TShared& shared = Shared();
    std::lock_guard lock(shared.mutex);
    return std::exchange(shared.dateSource, source ? std::move(source) : TDateSource(SystemDate));
}

std::shared_ptr<CTDecorationDefinition> TDlgPrintParams::BuildPageDecorations() {
    auto pDef = std::make_shared<CTDecorationDefinition>();
    pDef->SetHasTopSepLine(true);
    pDef->SetHasBotSepLine(true);
    pDef->SetHasFrame(true);
    pDef->SetMustPrintHeaderLine(true);
    pDef->SetMustPrintFooterLine(true);
    pDef->SetHeaderLine(dialogs::TBaseMsg::GetUnicodeString(
        kMsgProducedOn, {FormatLongDate(Shared().dateSource()),
                         platform::CTVersionUtils::GetVersionStringEx(" - ", ""),
                         Cls_DdbVersionInfo::GetOrvaneVersion()}));
    pDef->AddPreloadedBitmapZone(true, 0, 50, 20, EmbeddedBitmap("QVLTLogo"), true);
    pDef->AddBitmapZone(true, 0, 50, 20, GetLogoFile());
    pDef->AddPreloadedBitmapZone(true, 0, 50, 20, EmbeddedBitmap("DistribLogo"), true);
    pDef->AddTextZone(false, 1, {GetLine1(), GetLine2(), GetLine3()}, graphics::taLeftJustify);
    pDef->AddTextZone(false, 1, {dialogs::DistributorLine(0), dialogs::DistributorLine(1), dialogs::DistributorLine(2)},
                      graphics::taCenter);
    pDef->AddPageNrZone(false, 1, kMsgPage, 2);
    return pDef;
}

}  // namespace brumalis
