#include "documents/long_date.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "dialogs/messages.h"

namespace brumalis {
namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
// The glossary translates these as they stand in a date (the genitive in Russian).
constexpr std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",
                                                     "May",     "June",     "July",      "August",
                                                     "September", "October", "November", "December"};

std::string TwoDigits(unsigned n) { return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10); }

}  // namespace

std::string FormatLongDate(std::chrono::year_month_day date) {
    const std::chrono::weekday day{std::chrono::sys_days(date)};
    const auto nMonth = static_cast<unsigned>(date.month());
    std::string out = dialogs::TBaseMsg::Translate(kDayNames.at(day.c_encoding()));
    out += ", ";
    out += TwoDigits(static_cast<unsigned>(date.day()));
    out += ' ';
    out += dialogs::TBaseMsg::Translate(kMonthNames.at(nMonth - 1));
    out += ' ';
    out += std::to_string(static_cast<int>(date.year()));
    return out;
}

std::chrono::year_month_day SystemDate() {
    if (const char* szEpoch = std::getenv("SOURCE_DATE_EPOCH")) {
        const std::string_view text(szEpoch);
        long long nSeconds = 0;
        const auto [pEnd, ec] = std::from_chars(text.data(), text.data() + text.size(), nSeconds);
        if (ec == std::errc() && pEnd == text.data() + text.size() && !text.empty()) {
            return std::chrono::year_month_day(
                std::chrono::floor<std::chrono::days>(std::chrono::sys_seconds(std::chrono::seconds(nSeconds))));
        }
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day(std::chrono::year(local.tm_year + 1900),
                                       std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                       std::chrono::day(static_cast<unsigned>(local.tm_mday)));
}

}  // namespace brumalis
