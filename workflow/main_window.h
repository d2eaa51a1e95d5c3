// What the main window shows besides its pages' frames, without any GUI: the
// caption, which pages have something to show, the second brand's logo, the
// project's state and the window's place on the screens, kept in the
// current user's settings. The Qt window only shows this and forwards the
// user's page changes.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace brumalis {

enum class TChillerPage : int { Settings = 0, Results, PlantBuilder, Basket, Analysis, Chillers };
inline constexpr int kChillerPageCount = 6;

// The page captions, English, in page order.
std::string_view ChillerPageCaption(TChillerPage page);

class TMainWindowModel {
public:
    // The image index of a page: available, or greyed because it has nothing to show.
    static constexpr int kImageAvailable = 0;
    static constexpr int kImageNothingToShow = 1;

    explicit TMainWindowModel(std::string szCaption);

    // Called after every change, so that the window shows it.
    void SetOnChange(std::function<void()> onChange) { v_onChange = std::move(onChange); }

    const std::string& Caption() const { return v_caption; }
    // The caption followed by the program version, the data version and the
    // configuration name when there is one: "Brumalis 3.3.4 - 2.1 Standard".
    void AppendVersionToCaption(std::string_view szVersion, std::string_view szDataVersion,
                                std::string_view szConfiguration);

    // Results, Plant Builder and Solution Basket can have nothing to show;
    // the other pages are always available.
    static bool CanBeUnavailable(TChillerPage page);
    int ImageIndex(TChillerPage page) const { return v_imageIndex[Index(page)]; }
    bool IsAvailable(TChillerPage page) const { return ImageIndex(page) == kImageAvailable; }
    void SetAvailable(TChillerPage page, bool bAvailable);
    // The start: every page that can be unavailable is.
    void MarkContentPagesEmpty();
    // The page the window activates when the user asks for szRequested:
    // Settings instead of a page with nothing to show.
    TChillerPage PageToActivate(TChillerPage requested) const;

    bool SecondLogoVisible() const { return v_bSecondLogoVisible; }
    void HideSecondLogo();

    bool ProjectModified() const { return v_bProjectModified; }
    void SetProjectModified(bool bModified) { v_bProjectModified = bModified; }
    const std::string& ProjectFileName() const { return v_projectFileName; }
    // No project: not modified, no file.
    void ResetProject();

private:
    static int Index(TChillerPage page) { return static_cast<int>(page); }
    void Changed() const;

    std::string v_caption;
    std::array<int, kChillerPageCount> v_imageIndex{};
    bool v_bSecondLogoVisible = true;
    bool v_bProjectModified = false;
    std::string v_projectFileName;
    std::function<void()> v_onChange;
};

struct TScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const TScreenRect&) const = default;
};

// The window's normal (not maximised) place and whether it was maximised.
struct TWindowPlacement {
    TScreenRect Normal;
    bool bMaximised = false;

    bool operator==(const TWindowPlacement&) const = default;
};

// The settings key of the window's placement.
inline constexpr const char* kInterfaceKey = "Software\\Orvane\\Brumalis\\Interface";

// The stored placement; nothing when none is stored or it has no size.
std::optional<TWindowPlacement> ReadWindowPlacement(const platform::CTSettingsStore& store);
bool WriteWindowPlacement(platform::CTSettingsStore& store, const TWindowPlacement& placement);

// The place a window gets on the given screens (their available areas, the
// primary first): unchanged when its title strip lies on a screen; otherwise
// moved onto the primary screen, shrunk to fit it. A window larger than the
// screen it lies on is shrunk to that screen. Unchanged without screens.
TScreenRect PlaceOnScreens(const TScreenRect& window, const std::vector<TScreenRect>& screens);

}  // namespace brumalis
