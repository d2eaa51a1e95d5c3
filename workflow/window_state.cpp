#include "workflow/window_state.h"

#include <charconv>

#include "workflow/main_window.h"

namespace brumalis {

std::string WidgetStateValueName(TWidgetStateKind kind, std::string_view szObjectName) {
    constexpr const char* kSuffixes[] = {".Sizes", ".Tab", ".Widths"};
    return std::string(szObjectName) + kSuffixes[static_cast<int>(kind)];
}

std::string FormatSizeList(const std::vector<int>& sizes) {
    std::string szText;
    for (const int nSize : sizes) {
        if (!szText.empty()) szText += ',';
        szText += std::to_string(nSize);
    }
    return szText;
}

std::optional<std::vector<int>> ParseSizeList(std::string_view szText) {
    std::vector<int> sizes;
    const char* p = szText.data();
    const char* pEnd = p + szText.size();
    while (p < pEnd) {
        int nSize = 0;
        const auto [pNext, ec] = std::from_chars(p, pEnd, nSize);
        if (ec != std::errc() || nSize < 0 || nSize > kMaxStateSize || sizes.size() == kMaxStateEntries) {
            return std::nullopt;
        }
        sizes.push_back(nSize);
        p = pNext;
        if (p == pEnd) break;
        // A separator must be followed by a number.
        if (*p != ',' || ++p == pEnd) return std::nullopt;
    }
    if (sizes.empty()) return std::nullopt;
    return sizes;
}

std::optional<std::vector<int>> ReadWidgetSizes(const platform::CTSettingsStore& store, TWidgetStateKind kind,
                                                std::string_view szObjectName) {
    const std::string szText = store.ReadString(kInterfaceKey, WidgetStateValueName(kind, szObjectName), "");
    return ParseSizeList(szText);
}

bool WriteWidgetSizes(platform::CTSettingsStore& store, TWidgetStateKind kind, std::string_view szObjectName,
                      const std::vector<int>& sizes) {
    if (sizes.empty() || sizes.size() > kMaxStateEntries) return false;
    return store.WriteString(kInterfaceKey, WidgetStateValueName(kind, szObjectName), FormatSizeList(sizes));
}

std::optional<int> ReadCurrentTab(const platform::CTSettingsStore& store, std::string_view szObjectName) {
    const std::int32_t nIndex =
        store.ReadInteger(kInterfaceKey, WidgetStateValueName(TWidgetStateKind::CurrentTab, szObjectName), -1);
    if (nIndex < 0) return std::nullopt;
    return nIndex;
}

bool WriteCurrentTab(platform::CTSettingsStore& store, std::string_view szObjectName, int nIndex) {
    if (nIndex < 0) return false;
    return store.WriteInteger(kInterfaceKey, WidgetStateValueName(TWidgetStateKind::CurrentTab, szObjectName), nIndex);
}

}  // namespace brumalis
