#include "documents/ui/qt_colors.h"

#include <iterator>

namespace brumalis::docui {

namespace {

struct TRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// By system colour index: the palette entry that plays the same part.
constexpr TRole kSystemRoles[] = {
    {QPalette::Active, QPalette::Button},            // scroll bar
    {QPalette::Active, QPalette::Dark},              // desktop background
    {QPalette::Active, QPalette::Highlight},         // active caption
    {QPalette::Inactive, QPalette::Highlight},       // inactive caption
    {QPalette::Active, QPalette::Window},            // menu
    {QPalette::Active, QPalette::Base},              // window
    {QPalette::Active, QPalette::Dark},              // window frame
    {QPalette::Active, QPalette::WindowText},        // menu text
    {QPalette::Active, QPalette::Text},              // window text
    {QPalette::Active, QPalette::HighlightedText},   // caption text
    {QPalette::Active, QPalette::Mid},               // active border
    {QPalette::Active, QPalette::Midlight},          // inactive border
    {QPalette::Active, QPalette::Mid},               // application workspace
    {QPalette::Active, QPalette::Highlight},         // highlight
    {QPalette::Active, QPalette::HighlightedText},   // highlight text
    {QPalette::Active, QPalette::Button},            // button face
    {QPalette::Active, QPalette::Dark},              // button shadow
    {QPalette::Disabled, QPalette::Text},            // grey text
    {QPalette::Active, QPalette::ButtonText},        // button text
    {QPalette::Inactive, QPalette::HighlightedText}, // inactive caption text
    {QPalette::Active, QPalette::Light},             // button highlight
    {QPalette::Active, QPalette::Shadow},            // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 3-D light
    {QPalette::Active, QPalette::ToolTipText},       // info text
    {QPalette::Active, QPalette::ToolTipBase},       // info background
};

QColor FromRGB(graphics::TColor nRGB) {
    return QColor(graphics::GetRValue(nRGB), graphics::GetGValue(nRGB), graphics::GetBValue(nRGB));
}

}  // namespace

QColor ToQColor(graphics::TColor nColor, const QPalette& palette) {
    if (!graphics::IsSystemColor(nColor)) return FromRGB(nColor);
    const graphics::TColor nIndex = nColor & 0x00FFFFFF;
    // An index no palette role stands for keeps the fixed scheme's value.
    if (nIndex >= std::size(kSystemRoles)) return FromRGB(graphics::ColorToRGB(nColor));
    return palette.color(kSystemRoles[nIndex].group, kSystemRoles[nIndex].role);
}

}  // namespace brumalis::docui
