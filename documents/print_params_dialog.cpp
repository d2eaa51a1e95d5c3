#include "documents/print_params_dialog.h"

#include "localisation/number_text.h"
#include "platform/path_text.h"
#include "platform/program_path.h"

namespace brumalis {

std::vector<std::string> TPrintParamsDialog::Texts() {
    std::vector<std::string> texts = {kCaption,      kCompanyGroup, kLogoGroup, kDimensions, kBrowseCaption,
                                      kBrowseHint,   kClearCaption, kClearHint, kOpenTitle,  kOpenFilter};
    texts.insert(texts.end(), kLineHints.begin(), kLineHints.end());
    return texts;
}

TPrintParamsDialog::TPrintParamsDialog() : v_params(TDlgPrintParams::GetParams()) { LoadLogo(); }

namespace {

// The field of line nLine (0 … 2), or none.
template <class TParams>
auto LineOf(TParams& params, std::size_t nLine) -> decltype(&params.szLine1) {
    decltype(&params.szLine1) fields[] = {&params.szLine1, &params.szLine2, &params.szLine3};
    return nLine < std::size(fields) ? fields[nLine] : nullptr;
}

}  // namespace

const std::string& TPrintParamsDialog::Line(std::size_t nLine) const {
    static const std::string kNone;
    const std::string* pField = LineOf(v_params, nLine);
    return pField ? *pField : kNone;
}

void TPrintParamsDialog::SetLine(std::size_t nLine, std::string szText) {
    if (std::string* pField = LineOf(v_params, nLine)) *pField = std::move(szText);
}

std::string TPrintParamsDialog::FileNameText() const { return ReducedFileName(v_params.szLogoFile); }

TPrintParamsDialog::TBrowseStart TPrintParamsDialog::BrowseStart() const {
    if (!v_params.szLogoFile.empty()) return {v_params.szLogoFile, platform::FolderOfPath(v_params.szLogoFile)};
    const std::string szProgram = platform::ProgramPath();
    return {"", szProgram.empty() ? std::string() : platform::FolderOfPath(szProgram) + "/Logos"};
}

void TPrintParamsDialog::Browse(const std::optional<std::string>& szChosen) {
    if (!szChosen) return;
    v_params.szLogoFile = *szChosen;
    LoadLogo();
}

void TPrintParamsDialog::Clear() {
    v_params.szLogoFile.clear();
    LoadLogo();
}

// The same reader the reports use, so the preview shows what prints.
void TPrintParamsDialog::LoadLogo() {
    v_logo = v_params.szLogoFile.empty() ? graphics::CTGraphic() : graphics::LoadPictureFile(v_params.szLogoFile);
    v_preview = TLogoPreview{};
    if (v_logo.IsEmpty()) return;
    v_preview = TLogoPreview{true, v_logo.Width(), v_logo.Height(), std::to_string(v_logo.Width()),
                             std::to_string(v_logo.Height())};
}

TPrintParamsDialog::TSize TPrintParamsDialog::PreviewSize(int nDpi) const {
    if (!v_preview.Shown) return {};
    return {v_preview.PixelWidth * nDpi / kLogoDpi, v_preview.PixelHeight * nDpi / kLogoDpi};
}

TDlgPrintParams::TSaveOutcome TPrintParamsDialog::Accept() const { return TDlgPrintParams::Save(v_params); }

}  // namespace brumalis
