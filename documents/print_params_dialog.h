// The print parameters dialog without its widgets: the three lines, the
// logo's name as the label shows it, the buttons' enabling, the preview of
// the logo as it prints at 300 dpi, and OK through the stored parameters'
// own rules.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "documents/print_params.h"
#include "platform/graphics/picture.h"

namespace brumalis {

class TPrintParamsDialog {
public:
    static constexpr const char* kCaption = "Print Parameters";
    static constexpr const char* kCompanyGroup = "Company and address";
    static constexpr std::array<const char*, 3> kLineHints = {
        "Line 1 of name and address", "Line 2 of name and address", "Line 3 of name and address"};
    static constexpr const char* kLogoGroup = "Consultant logo";
    static constexpr const char* kDimensions = "Dimensions (drawing scaled to 300 dpi)";
    static constexpr const char* kBrowseCaption = "Browse...";
    static constexpr const char* kBrowseHint = "Browse for the logo file";
    static constexpr const char* kClearCaption = "Clear";
    static constexpr const char* kClearHint = "Do not use a logo file";
    static constexpr const char* kOpenTitle = "Select Logo";
    static constexpr const char* kOpenFilter = "Bitmap files (*.bmp)|*.bmp";
    // The logo prints at this resolution.
    static constexpr int kLogoDpi = 300;
    static std::vector<std::string> Texts();

    // What the logo group shows of the chosen file.
    struct TLogoPreview {
        bool Shown = false;  // false without a name or when the file cannot be read
        int PixelWidth = 0;
        int PixelHeight = 0;
        std::string WidthText;  // Lbl_Width, Lbl_Height: the pixel size, empty when not shown
        std::string HeightText;
    };
    struct TSize {
        int Width = 0;
        int Height = 0;
        bool operator==(const TSize&) const = default;
    };
    // Where the open dialog starts: the current logo, or without one the
    // program's "Logos" folder.
    struct TBrowseStart {
        std::string FileName;
        std::string Folder;
    };

    // Opening: the stored lines and logo.
    TPrintParamsDialog();

    // Txt_Line1 … Txt_Line3 (nLine 0 … 2; others are empty and ignored).
    const std::string& Line(std::size_t nLine) const;
    void SetLine(std::size_t nLine, std::string szText);
    const std::string& LogoFile() const { return v_params.szLogoFile; }
    // Lbl_FileName: the name, shortened when long.
    std::string FileNameText() const;
    bool ClearEnabled() const { return !v_params.szLogoFile.empty(); }
    // Lbl_WidthMax, Lbl_HeightMax.
    static std::string WidthMaxText() { return std::to_string(TDlgPrintParams::kMaxLogoWidth); }
    static std::string HeightMaxText() { return std::to_string(TDlgPrintParams::kMaxLogoHeight); }

    TBrowseStart BrowseStart() const;
    // The open dialog's answer: a file, or none when it was cancelled (the
    // name stays).
    void Browse(const std::optional<std::string>& szChosen);
    void Clear();

    const TLogoPreview& Preview() const { return v_preview; }
    // The picture behind the preview (empty when not shown).
    const graphics::CTGraphic& Logo() const { return v_logo; }
    // The logo's size on a screen of nDpi logical pixels an inch, as it
    // will print at 300 dpi; empty when not shown.
    TSize PreviewSize(int nDpi) const;

    // OK: the stored parameters' rules; refused (nothing stored, the dialog
    // stays open) with the message for the user.
    TDlgPrintParams::TSaveOutcome Accept() const;

private:
    void LoadLogo();

    TPrintParams v_params;
    graphics::CTGraphic v_logo;
    TLogoPreview v_preview;
};

}  // namespace brumalis
