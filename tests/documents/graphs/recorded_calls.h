// Reading a recording canvas's calls in the graph tests.
#pragma once

#include <string>
#include <vector>

#include "platform/graphics/recording_canvas.h"

namespace brumalis::graphs::testing {

// The calls that start with szPrefix and contain every one of szParts.
std::vector<std::string> CallsWith(const graphics::CTRecordingCanvas& canvas, const std::string& szPrefix,
                                   const std::vector<std::string>& szParts = {});
// The quoted texts of the TextOut calls in a font colour ("0000FF" for red).
std::vector<std::string> TextsInColor(const graphics::CTRecordingCanvas& canvas, const std::string& szColor);
// The numbers of a call, in order ("Polygon 1,2 3,4 pen=…" gives 1, 2, 3, 4).
std::vector<int> Coordinates(const std::string& szCall);
// The position of the TextOut of exactly this text; (-1, -1) when none.
std::pair<int, int> TextPosition(const graphics::CTRecordingCanvas& canvas, const std::string& szText);

}  // namespace brumalis::graphs::testing
