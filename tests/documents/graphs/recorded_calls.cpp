#include "tests/documents/graphs/recorded_calls.h"

#include <sstream>

namespace brumalis::graphs::testing {

std::vector<std::string> CallsWith(const graphics::CTRecordingCanvas& canvas, const std::string& szPrefix,
                                   const std::vector<std::string>& szParts) {
    std::vector<std::string> found;
    for (const std::string& szCall : canvas.Calls()) {
        if (szCall.rfind(szPrefix, 0) != 0) continue;
        bool bAll = true;
        for (const std::string& szPart : szParts) bAll = bAll && szCall.find(szPart) != std::string::npos;
        if (bAll) found.push_back(szCall);
    }
    return found;
}

std::vector<std::string> TextsInColor(const graphics::CTRecordingCanvas& canvas, const std::string& szColor) {
    std::vector<std::string> texts;
    for (const std::string& szCall : CallsWith(canvas, "TextOut ")) {
        const auto first = szCall.find('"');
        const auto last = szCall.rfind('"');
        const auto font = szCall.find(" font=", last);
        if (font == std::string::npos || szCall.find("/" + szColor + " bg=", font) == std::string::npos) continue;
        texts.push_back(szCall.substr(first + 1, last - first - 1));
    }
    return texts;
}

std::vector<int> Coordinates(const std::string& szCall) {
    std::vector<int> numbers;
    const auto begin = szCall.find(' ') + 1;
    const auto end = szCall.find(" pen=");
    std::string szPart = szCall.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    for (char& c : szPart) c = c == ',' ? ' ' : c;
    std::istringstream in(szPart);
    for (int n = 0; in >> n;) numbers.push_back(n);
    return numbers;
}

std::pair<int, int> TextPosition(const graphics::CTRecordingCanvas& canvas, const std::string& szText) {
    for (const std::string& szCall : CallsWith(canvas, "TextOut ", {"\"" + szText + "\""})) {
        const std::vector<int> xy = Coordinates(szCall.substr(0, szCall.find('"')));
        if (xy.size() >= 2) return {xy[0], xy[1]};
    }
    return {-1, -1};
}

}  // namespace brumalis::graphs::testing
