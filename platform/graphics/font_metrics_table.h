// The generated font metrics table (font_metrics_table.cpp); see
// tools/font-metrics for its encoding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brumalis::graphics::font_table {

struct TFaceStyleTable {
    const char* szFace;
    int nStyleBits;  // bit 0 bold, bit 1 italic
    int nUnitsPerEm;
    int nWinAscent;
    int nWinDescent;
    int nAvgCharWidth;
    const std::uint16_t* pRuns;
    std::size_t nRunWords;
};

extern const TFaceStyleTable kTables[];
extern const std::size_t kTableCount;

}  // namespace brumalis::graphics::font_table
