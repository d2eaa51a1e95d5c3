#include "workflow/main_window.h"

#include <algorithm>

namespace brumalis {
namespace {

constexpr std::array<std::string_view, kChillerPageCount> kPageCaptions = {
    "Settings", "Results", "Plant Builder", "Solution Basket", "Analysis", "Chillers"};

constexpr const char* kValueLeft = "Left";
constexpr const char* kValueTop = "Top";
constexpr const char* kValueWidth = "Width";
constexpr const char* kValueHeight = "Height";
constexpr const char* kValueMaximised = "Maximized";

// The part of a window the user drags it by: it must stay reachable.
constexpr int kTitleStripHeight = 24;
constexpr int kTitleStripMinimumWidth = 100;

int Overlap(int nStartA, int nLengthA, int nStartB, int nLengthB) {
    const long long nEnd = std::min<long long>(static_cast<long long>(nStartA) + nLengthA,
                                               static_cast<long long>(nStartB) + nLengthB);
    return static_cast<int>(std::max<long long>(0, nEnd - std::max(nStartA, nStartB)));
}

bool TitleStripOn(const TScreenRect& window, const TScreenRect& screen) {
    const int nStrip = std::min(window.Height, kTitleStripHeight);
    return Overlap(window.Left, window.Width, screen.Left, screen.Width) >=
               std::min(window.Width, kTitleStripMinimumWidth) &&
           Overlap(window.Top, nStrip, screen.Top, screen.Height) >= nStrip;
}

// Shrunk to the screen and moved inside it.
TScreenRect FittedInto(TScreenRect window, const TScreenRect& screen) {
    window.Width = std::min(window.Width, screen.Width);
    window.Height = std::min(window.Height, screen.Height);
    window.Left = std::clamp(window.Left, screen.Left, screen.Left + screen.Width - window.Width);
    window.Top = std::clamp(window.Top, screen.Top, screen.Top + screen.Height - window.Height);
    return window;
}

}  // namespace

std::string_view ChillerPageCaption(TChillerPage page) { return kPageCaptions[static_cast<std::size_t>(page)]; }

TMainWindowModel::TMainWindowModel(std::string szCaption) : v_caption(std::move(szCaption)) {}

void TMainWindowModel::Changed() const {
    if (v_onChange) v_onChange();
}

void TMainWindowModel::AppendVersionToCaption(std::string_view szVersion, std::string_view szDataVersion,
                                              std::string_view szConfiguration) {
    v_caption += " ";
    v_caption += szVersion;
    v_caption += " - ";
    v_caption += szDataVersion;
    if (!szConfiguration.empty()) {
        v_caption += " ";
        v_caption += szConfiguration;
    }
    Changed();
}

bool TMainWindowModel::CanBeUnavailable(TChillerPage page) {
    return page == TChillerPage::Results || page == TChillerPage::PlantBuilder || page == TChillerPage::Basket;
}

void TMainWindowModel::SetAvailable(TChillerPage page, bool bAvailable) {
    if (!CanBeUnavailable(page)) return;
    v_imageIndex[Index(page)] = bAvailable ? kImageAvailable : kImageNothingToShow;
    Changed();
}

void TMainWindowModel::MarkContentPagesEmpty() {
    for (int i = 0; i < kChillerPageCount; ++i) {
        const auto page = static_cast<TChillerPage>(i);
        if (CanBeUnavailable(page)) v_imageIndex[i] = kImageNothingToShow;
    }
    Changed();
}

TChillerPage TMainWindowModel::PageToActivate(TChillerPage requested) const {
    return IsAvailable(requested) ? requested : TChillerPage::Settings;
}

void TMainWindowModel::HideSecondLogo() {
    v_bSecondLogoVisible = false;
    Changed();
}

void TMainWindowModel::ResetProject() {
    v_bProjectModified = false;
    v_projectFileName.clear();
}

std::optional<TWindowPlacement> ReadWindowPlacement(const platform::CTSettingsStore& store) {
    TWindowPlacement placement;
    placement.Normal.Width = store.ReadInteger(kInterfaceKey, kValueWidth, 0);
    placement.Normal.Height = store.ReadInteger(kInterfaceKey, kValueHeight, 0);
    if (placement.Normal.Width <= 0 || placement.Normal.Height <= 0) return std::nullopt;
    placement.Normal.Left = store.ReadInteger(kInterfaceKey, kValueLeft, 0);
    placement.Normal.Top = store.ReadInteger(kInterfaceKey, kValueTop, 0);
    placement.bMaximised = store.ReadBool(kInterfaceKey, kValueMaximised, false);
    return placement;
}

bool WriteWindowPlacement(platform::CTSettingsStore& store, const TWindowPlacement& placement) {
    return store.WriteInteger(kInterfaceKey, kValueLeft, placement.Normal.Left) &&
           store.WriteInteger(kInterfaceKey, kValueTop, placement.Normal.Top) &&
           store.WriteInteger(kInterfaceKey, kValueWidth, placement.Normal.Width) &&
           store.WriteInteger(kInterfaceKey, kValueHeight, placement.Normal.Height) &&
           store.WriteBool(kInterfaceKey, kValueMaximised, placement.bMaximised);
}

TScreenRect PlaceOnScreens(const TScreenRect& window, const std::vector<TScreenRect>& screens) {
    if (screens.empty()) return window;
    for (const TScreenRect& screen : screens) {
        if (TitleStripOn(window, screen)) {
            return window.Width > screen.Width || window.Height > screen.Height ? FittedInto(window, screen) : window;
        }
    }
    return FittedInto(window, screens.front());
}

}  // namespace brumalis
