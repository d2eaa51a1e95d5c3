// The series of a graph: key, label, colour, visibility and pen. A new entry
// takes the next colour of a process-wide palette of 32; the colours and
// visibility the user chose are kept per series in the current user's
// settings.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/graphics_types.h"

namespace brumalis::graphs {

using graphics::TColor;
using graphics::TPenStyle;

class TLegend {
public:
    // Takes the next palette colour and advances the position (after the
    // 32nd it starts again at the first).
    TLegend(std::string szKey, std::string szLegendEntry, bool bDisplay);
    // Sets the palette back to its first colour, so the series of the next
    // graph start from colour 1 again.
    ~TLegend();
    TLegend(const TLegend&) = delete;
    TLegend& operator=(const TLegend&) = delete;

    const std::string& GetKey() const { return v_key; }
    void SetLegend(std::string szLabel) { v_Label = std::move(szLabel); }
    const std::string& GetLegend() const { return v_Label; }
    void SetColor(TColor nColor) { v_Color = nColor; }
    TColor GetColor() const { return v_Color; }
    void SetDisplay(bool bDisplay) { v_DisplayIt = bDisplay; }
    bool MustDisplay() const { return v_DisplayIt; }
    void SetIsALine(bool DefAsLine, int PenWidth, TPenStyle PenStyle);
    bool GetIsALine() const { return v_IsALine; }
    int GetPenWidth() const { return v_PenWidth; }
    TPenStyle GetPenStyle() const { return v_PenStyle; }

    static void ResetColor();

    using TList = std::vector<std::unique_ptr<TLegend>>;
    // For each entry the key szSectionName + "\" + key of the current user
    // holds "Color" (integer) and "Visible" (boolean). Only the parts asked
    // for are read; a missing key or value keeps the entry's setting. Reading
    // colours resets the palette afterwards.
    static void LoadLegendFromIniFile(const TList& Legend, std::string_view szSectionName, bool bReadColor,
                                      bool bReadDisplayIt);
    static void SaveLegendToIniFile(const TList& Legend, std::string_view szSectionName);

private:
    std::string v_key;
    bool v_IsALine = false;
    bool v_DisplayIt;
    int v_PenWidth = 1;
    TPenStyle v_PenStyle = graphics::psSolid;
    TColor v_Color;
    std::string v_Label;
};

using TLegendList = TLegend::TList;

}  // namespace brumalis::graphs
