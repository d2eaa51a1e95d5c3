// Arbitrary server answers through the version-list reader and the choice
// of builds to offer: no crash, no hang, and the choice keeps its rules:
// every offered build passes the filters, none twice, the local configured
// build alone when it is newest.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "online/version_list.h"
#include "platform/settings_store.h"

namespace {

using namespace brumalis::online;

void Require(bool bHolds) {
    if (!bHolds) std::abort();
}

// The running build comes from the first bytes, so that the fuzzer explores
// languages, configurations and versions as well as lists.
TRunningBuild BuildFrom(std::string_view& data) {
    static constexpr const char* kConfigs[] = {"", "Marine", "marine", "X"};
    static constexpr std::uint32_t kLanguages[] = {1033, 1049, 1031, 0};
    TRunningBuild build;
    if (data.size() < 3) return build;
    build.nVersion = static_cast<unsigned char>(data[0]) + 300;
    build.dataVersion = TDataVersion::Parse(std::to_string(static_cast<unsigned char>(data[1]) + 300));
    build.szConfig = kConfigs[data[2] & 3];
    build.nLanguage = kLanguages[(data[2] >> 2) & 3];
    data.remove_prefix(3);
    return build;
}

void CheckChoice(const TVersionChoice& c, const TRunningBuild& build) {
    for (const LTVersionEntry& e : c.versions) {
        Require(e.v_version >= build.nVersion && e.v_version <= c.nNewest);
        Require(e.v_language == build.nLanguage || e.v_language == kEnglishLanguage);
        Require(e.v_config.empty() || brumalis::platform::EqualsIgnoringCase(e.v_config, build.szConfig));
        Require(e.v_version > build.nVersion || e.v_dataVersion > build.dataVersion);
        Require(e.v_fileSize >= 0);
    }
    std::vector<std::size_t> offered = c.offered;
    for (const std::size_t i : offered) Require(i < c.versions.size());
    std::sort(offered.begin(), offered.end());
    Require(std::adjacent_find(offered.begin(), offered.end()) == offered.end());
    if (!c.offered.empty()) {
        Require(c.english.has_value());
        if (c.localConfigured && c.versions[*c.localConfigured].v_version == c.nNewest) Require(c.offered.size() == 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    std::string_view data(reinterpret_cast<const char*>(pData), nSize);
    const TRunningBuild build = BuildFrom(data);
    const auto lines = ParseVersionList(data);
    Require(lines.size() <= data.size() / 8 + 1);
    for (const bool bHaveUpdater : {false, true}) CheckChoice(ChooseVersions(data, build, bHaveUpdater), build);
    return 0;
}
