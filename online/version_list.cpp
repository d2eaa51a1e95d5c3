#include "online/version_list.h"

#include <charconv>

#include "platform/build_identity.h"
#include "platform/settings_store.h"

namespace brumalis::online {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kTabsPerLine = 6;

// A decimal number of the whole text within T's range, else 0.
template <class T>
T NumberOr0(std::string_view szText) {
    T nValue = 0;
    const auto [pEnd, ec] = std::from_chars(szText.data(), szText.data() + szText.size(), nValue);
    return ec == std::errc() && pEnd == szText.data() + szText.size() ? nValue : 0;
}

// The seven fields of a line; nothing when it has fewer than six TABs.
std::optional<std::vector<std::string_view>> SplitLine(std::string_view szLine) {
    std::vector<std::string_view> fields;
    while (fields.size() < kTabsPerLine) {
        const std::size_t tab = szLine.find('\t');
        if (tab == std::string_view::npos) return std::nullopt;
        fields.push_back(szLine.substr(0, tab));
        szLine.remove_prefix(tab + 1);
    }
    fields.push_back(szLine.substr(0, szLine.find('\t')));
    return fields;
}

bool SameConfig(std::string_view a, std::string_view b) { return platform::EqualsIgnoringCase(a, b); }

bool Passes(const LTVersionEntry& e, const TRunningBuild& build) {
    if (e.v_version < build.nVersion) return false;
    if (!e.v_config.empty() && !SameConfig(e.v_config, build.szConfig)) return false;
    if (e.v_language != build.nLanguage && e.v_language != kEnglishLanguage) return false;
    return !(e.v_version == build.nVersion && e.v_dataVersion <= build.dataVersion);
}

// The default build (empty configuration) at the newest version in the
// language, the last one listed.
std::optional<std::size_t> DefaultAtNewest(const TVersionChoice& c, std::uint32_t nLanguage) {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < c.versions.size(); ++i) {
        const LTVersionEntry& e = c.versions[i];
        if (e.v_version == c.nNewest && e.v_language == nLanguage && e.v_config.empty()) found = i;
    }
    return found;
}

// The build of the running configuration in the language: the last one at
// the newest version, else (for a named configuration) the first one at the
// highest version below it.
std::optional<std::size_t> Configured(const TVersionChoice& c, std::uint32_t nLanguage, const std::string& szConfig) {
    std::optional<std::size_t> atNewest, below;
    for (std::size_t i = 0; i < c.versions.size(); ++i) {
        const LTVersionEntry& e = c.versions[i];
        if (e.v_language != nLanguage || !SameConfig(e.v_config, szConfig)) continue;
        if (e.v_version == c.nNewest) {
            atNewest = i;
        } else if (e.v_version < c.nNewest && (!below || e.v_version > c.versions[*below].v_version)) {
            below = i;
        }
    }
    if (atNewest || szConfig.empty()) return atNewest;
    return below;
}

std::vector<std::size_t> Offered(const TVersionChoice& c) {
    const auto& E = c.english;
    const auto& EC = c.englishConfigured;
    const auto& L = c.local;
    const auto& LC = c.localConfigured;
    auto version = [&c](std::size_t i) { return c.versions[i].v_version; };
    if (LC && version(*LC) == c.nNewest) return {*LC};
    std::vector<std::size_t> list;
    if (LC) list.push_back(*LC);
    if (L) list.push_back(*L);
    if (EC && EC != L && EC != LC && (!LC || version(*LC) < version(*EC))) list.push_back(*EC);
    if (E && E != L && E != EC && E != LC && !L) list.push_back(*E);
    return list;
}

}  // namespace

bool TVersionLine::IsUpdater() const { return platform::EqualsIgnoringCase(szName, kUpdaterFileName); }

std::vector<TVersionLine> ParseVersionList(std::string_view szText) {
    std::vector<TVersionLine> lines;
    for (std::size_t end = szText.find(kLineEnd); end != std::string_view::npos; end = szText.find(kLineEnd)) {
        const auto fields = SplitLine(szText.substr(0, end));
        szText.remove_prefix(end + kLineEnd.size());
        if (!fields) break;
        const auto& f = *fields;
        TVersionLine line;
        line.szName = f[0];
        line.entry.v_version = platform::CTVersionUtils::String2Version(f[1]);
        line.entry.v_config = f[2];
        line.entry.v_language = NumberOr0<std::uint32_t>(f[3]);
        line.entry.v_dataVersion = TDataVersion::Parse(f[4]);
        line.entry.v_fileName = f[5];
        line.entry.v_fileSize = NumberOr0<std::int32_t>(f[6]);
        if (line.entry.v_fileSize < 0) line.entry.v_fileSize = 0;
        lines.push_back(std::move(line));
    }
    return lines;
}

TVersionChoice ChooseVersions(std::string_view szList, const TRunningBuild& build, bool bHaveUpdater) {
    TVersionChoice c;
    for (TVersionLine& line : ParseVersionList(szList)) {
        if (line.IsUpdater()) {
            LTVersionEntry updater;
            updater.v_language = line.entry.v_language;
            updater.v_fileName = std::move(line.entry.v_fileName);
            updater.v_fileSize = line.entry.v_fileSize;
            c.updater = std::move(updater);
        } else if (Passes(line.entry, build)) {
            if (c.versions.empty() || line.entry.v_version > c.nNewest) c.nNewest = line.entry.v_version;
            c.versions.push_back(std::move(line.entry));
        }
    }
    c.english = DefaultAtNewest(c, kEnglishLanguage);
    c.englishConfigured = Configured(c, kEnglishLanguage, build.szConfig);
    if (build.nLanguage == kEnglishLanguage) {
        c.local = c.english;
        c.localConfigured = c.englishConfigured;
    } else {
        c.local = DefaultAtNewest(c, build.nLanguage);
        c.localConfigured = Configured(c, build.nLanguage, build.szConfig);
    }
    if (!c.english || !(bHaveUpdater || c.updater)) return c;
    c.offered = Offered(c);
    c.bConfigDiscontinued = !build.szConfig.empty() && !c.englishConfigured && !c.localConfigured;
    return c;
}

}  // namespace brumalis::online
