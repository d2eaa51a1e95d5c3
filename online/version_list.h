// The server's list of downloadable builds and the choice among them of
// what to offer the running build.
//
// The list is text of lines ended by CR LF, seven TAB-separated fields a
// line: file name ("Updater.exe" marks the updater's line), program version
// (dotted), configuration (empty: the default), language identifier,
// catalogue version (dotted), file path on the server, size in bytes. A line
// with fewer than six TABs ends the list; text after the last CR LF is never
// read. A number that is not one, or out of range, reads as 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "online/data_version.h"

namespace brumalis::online {

inline constexpr std::uint32_t kEnglishLanguage = 1033;
inline constexpr std::string_view kUpdaterFileName = "Updater.exe";

// One downloadable build.
struct LTVersionEntry {
    int v_version = 0;             // program version
    std::string v_config;          // configuration; empty is the default
    std::uint32_t v_language = 0;  // Windows language identifier
    TDataVersion v_dataVersion;    // catalogue version delivered with it
    std::string v_fileName;        // file path on the server
    int v_fileSize = 0;            // bytes

    bool operator==(const LTVersionEntry&) const = default;
};

// One line as listed.
struct TVersionLine {
    std::string szName;  // first field
    LTVersionEntry entry;
    bool IsUpdater() const;
};

std::vector<TVersionLine> ParseVersionList(std::string_view szText);

// What identifies the running build for the choice.
struct TRunningBuild {
    int nVersion = 0;
    std::string szConfig;
    std::uint32_t nLanguage = kEnglishLanguage;
    TDataVersion dataVersion;  // unknown: no catalogue version known
};

// The outcome of reading a list for the running build.
struct TVersionChoice {
    std::vector<LTVersionEntry> versions;  // the entries that passed the filters, in list order
    std::optional<LTVersionEntry> updater;  // the list's updater line, when it has one
    int nNewest = 0;                        // M: the highest version among `versions`
    // Indexes into `versions` of the candidates; nothing when missing.
    std::optional<std::size_t> english, englishConfigured, local, localConfigured;  // E, EC, L, LC
    // What the list shows, in order (indexes into `versions`).
    std::vector<std::size_t> offered;
    // The build's configuration is no longer published.
    bool bConfigDiscontinued = false;
};

// Filters the list for the running build and picks the candidates. An
// updater line is kept whatever its version; `offered` is filled only when
// there is an English default build (E) and bHaveUpdater or the list names an
// updater.
TVersionChoice ChooseVersions(std::string_view szList, const TRunningBuild& build, bool bHaveUpdater);

}  // namespace brumalis::online
