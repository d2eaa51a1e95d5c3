// The long date of the report header ("Wednesday, 09 December 2026"), with
// the day and month names translated through the user-interface glossary,
// never through the C library's locale.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace brumalis {

// "dddd, dd mmmm yyyy".
std::string FormatLongDate(std::chrono::year_month_day date);

// Where today's date comes from.
using TDateSource = std::function<std::chrono::year_month_day()>;

// The local date, or the UTC date of SOURCE_DATE_EPOCH (seconds since 1970)
// when that variable holds a number, so that reports can be reproduced.
std::chrono::year_month_day SystemDate();

}  // namespace brumalis
