// A catalogue's data version as published: dotted decimal parts, such as
// "2026.1" (year and release) or "3.3.4". Unlike program versions its parts
// are not single digits, so it is shown as written and ordered part by part
// ("2026.10" is newer than "2026.9"). The web service and the signed
// listings still carry it as String2Version's number (every "." removed,
// "2026.1" gives 20261), so Number() keeps that.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis::online {

class TDataVersion {
public:
    TDataVersion() = default;  // unknown

    // Unknown unless the text is dotted decimal parts whose number is not 0
    // and fits the protocol's integer.
    static TDataVersion Parse(std::string_view szText);

    bool Known() const { return !m_parts.empty(); }
    // As written; empty when unknown.
    const std::string& Text() const { return m_szText; }
    // The protocol's number; 0 when unknown.
    int Number() const { return m_nNumber; }

    // Part by part, a missing part reading as 0; unknown is below every
    // known version.
    std::strong_ordering operator<=>(const TDataVersion& other) const { return m_parts <=> other.m_parts; }
    bool operator==(const TDataVersion& other) const { return m_parts == other.m_parts; }

private:
    std::string m_szText;
    std::vector<std::uint32_t> m_parts;  // trailing zeros dropped
    int m_nNumber = 0;
};

}  // namespace brumalis::online
