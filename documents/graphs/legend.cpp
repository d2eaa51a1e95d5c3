#include "documents/graphs/legend.h"

#include <array>
#include <cstdint>

#include "platform/settings_store.h"

namespace brumalis::graphs {
namespace {

using graphics::RGBColor;

constexpr std::array<TColor, 32> kPalette = {
    RGBColor(128, 0, 0),     RGBColor(0, 128, 0),     RGBColor(128, 128, 0),   RGBColor(0, 0, 128),
    RGBColor(128, 0, 128),   RGBColor(0, 128, 128),   RGBColor(128, 128, 128), RGBColor(0, 0, 0),
    RGBColor(255, 0, 0),     RGBColor(0, 255, 0),     RGBColor(255, 255, 0),   RGBColor(0, 0, 255),
    RGBColor(255, 0, 255),   RGBColor(0, 255, 255),   RGBColor(192, 192, 192), RGBColor(255, 127, 0),
    RGBColor(192, 220, 192), RGBColor(164, 200, 240), RGBColor(127, 127, 255), RGBColor(0, 127, 255),
    RGBColor(127, 0, 255),   RGBColor(127, 255, 127), RGBColor(0, 255, 127),   RGBColor(127, 255, 0),
    RGBColor(255, 127, 127), RGBColor(255, 0, 127),   RGBColor(255, 127, 0),   RGBColor(127, 127, 175),
    RGBColor(0, 127, 175),   RGBColor(127, 0, 175),   RGBColor(127, 175, 127), RGBColor(0, 175, 127)};

// The palette position; graphs are built on the user-interface thread only.
std::size_t g_nextColor = 0;

TColor TakeNextColor() {
    const TColor nColor = kPalette[g_nextColor];
    g_nextColor = (g_nextColor + 1) % kPalette.size();
    return nColor;
}

constexpr std::string_view kColorValue = "Color";
constexpr std::string_view kVisibleValue = "Visible";

}  // namespace

TLegend::TLegend(std::string szKey, std::string szLegendEntry, bool bDisplay)
    : v_key(std::move(szKey)), v_DisplayIt(bDisplay), v_Color(TakeNextColor()), v_Label(std::move(szLegendEntry)) {}

TLegend::~TLegend() { ResetColor(); }

void TLegend::SetIsALine(bool DefAsLine, int PenWidth, TPenStyle PenStyle) {
    v_IsALine = DefAsLine;
    v_PenWidth = PenWidth;
    v_PenStyle = PenStyle;
}

void TLegend::ResetColor() { g_nextColor = 0; }

void TLegend::LoadLegendFromIniFile(const TList& Legend, std::string_view szSectionName, bool bReadColor,
                                    bool bReadDisplayIt) {
    const platform::CTRegistryIniFile ini(platform::Registry().CurrentUser(), szSectionName);
    for (const auto& pEntry : Legend) {
        if (bReadColor) {
            const auto nStored = static_cast<std::int32_t>(pEntry->GetColor());
            pEntry->SetColor(static_cast<TColor>(ini.ReadInteger(pEntry->GetKey(), kColorValue, nStored)));
        }
        if (bReadDisplayIt) pEntry->SetDisplay(ini.ReadBool(pEntry->GetKey(), kVisibleValue, pEntry->MustDisplay()));
    }
    if (bReadColor) ResetColor();
}

void TLegend::SaveLegendToIniFile(const TList& Legend, std::string_view szSectionName) {
    platform::CTRegistryIniFile ini(platform::Registry().CurrentUser(), szSectionName);
    for (const auto& pEntry : Legend) {
        ini.WriteInteger(pEntry->GetKey(), kColorValue, static_cast<std::int32_t>(pEntry->GetColor()));
        ini.WriteBool(pEntry->GetKey(), kVisibleValue, pEntry->MustDisplay());
    }
}

}  // namespace brumalis::graphs
