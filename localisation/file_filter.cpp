#include "localisation/file_filter.h"

#include <vector>

namespace brumalis {
namespace {

std::string_view Trimmed(std::string_view sz) {
    const auto nFirst = sz.find_first_not_of(" \t");
    if (nFirst == std::string_view::npos) return {};
    return sz.substr(nFirst, sz.find_last_not_of(" \t") - nFirst + 1);
}

std::vector<std::string_view> Split(std::string_view sz, std::string_view szSeparators) {
    std::vector<std::string_view> parts;
    std::size_t nStart = 0;
    while (nStart <= sz.size()) {
        const std::size_t nEnd = std::min(sz.find_first_of(szSeparators, nStart), sz.size());
        parts.push_back(sz.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return parts;
}

// The patterns in toolkit form, blank-separated; "" when there are none.
std::string Patterns(std::string_view szPatterns, std::string_view szSeparators) {
    std::string joined;
    for (std::string_view pattern : Split(szPatterns, szSeparators)) {
        pattern = Trimmed(pattern);
        if (pattern.empty()) continue;
        if (!joined.empty()) joined += ' ';
        joined += pattern == "*.*" ? std::string_view("*") : pattern;
    }
    return joined;
}

std::string NameFilter(std::string_view szText, const std::string& szPatterns) {
    szText = Trimmed(szText);
    const auto nOpen = szText.rfind('(');
    if (!szText.empty() && szText.back() == ')' && nOpen != std::string_view::npos &&
        Patterns(szText.substr(nOpen + 1, szText.size() - nOpen - 2), "; ,") == szPatterns) {
        szText = Trimmed(szText.substr(0, nOpen));
    }
    std::string filter(szText);
    if (!filter.empty()) filter += ' ';
    return filter + "(" + szPatterns + ")";
}

}  // namespace

std::string NameFiltersFromFilter(std::string_view szFilter) {
    const std::vector<std::string_view> parts = Split(szFilter, "|");
    std::string filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string patterns = Patterns(parts[i + 1], ";");
        if (patterns.empty()) continue;
        if (!filters.empty()) filters += ";;";
        filters += NameFilter(parts[i], patterns);
    }
    return filters;
}

}  // namespace brumalis
