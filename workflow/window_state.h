// The window's state beside its placement, in the current user's settings
// under the interface key: the sizes of each splitter, the current tab of
// each tab set and the column widths of each grid, one value per widget
// named after it. Stored values are checked: a damaged one reads as none.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace brumalis {

enum class TWidgetStateKind { SplitterSizes, CurrentTab, ColumnWidths };

// The value name of a widget's state: "<object name>.Sizes", ".Tab", ".Widths".
std::string WidgetStateValueName(TWidgetStateKind kind, std::string_view szObjectName);

// Sizes and widths: at most kMaxStateEntries numbers of 0 … kMaxStateSize.
inline constexpr std::size_t kMaxStateEntries = 256;
inline constexpr int kMaxStateSize = 100000;

std::optional<std::vector<int>> ReadWidgetSizes(const platform::CTSettingsStore& store, TWidgetStateKind kind,
                                                std::string_view szObjectName);
bool WriteWidgetSizes(platform::CTSettingsStore& store, TWidgetStateKind kind, std::string_view szObjectName,
                      const std::vector<int>& sizes);
std::optional<int> ReadCurrentTab(const platform::CTSettingsStore& store, std::string_view szObjectName);
bool WriteCurrentTab(platform::CTSettingsStore& store, std::string_view szObjectName, int nIndex);

// "120,340" and back; nothing for text that is not such a list.
std::string FormatSizeList(const std::vector<int>& sizes);
std::optional<std::vector<int>> ParseSizeList(std::string_view szText);

}  // namespace brumalis
