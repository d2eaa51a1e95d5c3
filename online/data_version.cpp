#include "online/data_version.h"

#include <algorithm>
#include <charconv>

#include "platform/build_identity.h"

namespace brumalis::online {
namespace {

bool AllDigits(std::string_view sz) {
    return !sz.empty() && std::ranges::all_of(sz, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TDataVersion TDataVersion::Parse(std::string_view szText) {
    TDataVersion version;
    const int nNumber = platform::CTVersionUtils::String2Version(szText);
    if (nNumber <= 0) return version;
    std::vector<std::uint32_t> parts;
    for (std::string_view szRest = szText;;) {
        const std::size_t dot = szRest.find('.');
        const std::string_view szPart = szRest.substr(0, dot);
        // String2Version accepts "3..4" and "+3.4"; as a dotted version they
        // are not one.
        if (!AllDigits(szPart)) return version;
        std::uint32_t nPart = 0;
        std::from_chars(szPart.data(), szPart.data() + szPart.size(), nPart);  // fits: the number does
        parts.push_back(nPart);
        if (dot == std::string_view::npos) break;
        szRest.remove_prefix(dot + 1);
    }
    while (!parts.empty() && parts.back() == 0) parts.pop_back();
    version.m_szText = szText;
    version.m_parts = std::move(parts);
    version.m_nNumber = nNumber;
    return version;
}

}  // namespace brumalis::online
