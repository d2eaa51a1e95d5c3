#include "platform/resources.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace brumalis::platform {

namespace {

struct SBlob {
    std::string szName;
    std::string_view bytes;
};

// A handful of blobs: a list searched in order is enough.
struct SRegistry {
    std::mutex mutex;
    std::vector<SBlob> blobs;
};

// Function-local, so it exists before the first registration whatever the
// order in which translation units run their static initialisers.
SRegistry& Registry() {
    static SRegistry registry;
    return registry;
}

// Not std::tolower: resource names are ASCII and must not depend on the locale.
char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<SBlob>::iterator FindIn(std::vector<SBlob>& blobs, std::string_view szName) {
    return std::ranges::find_if(blobs, [szName](const SBlob& blob) {
        return std::ranges::equal(blob.szName, szName, {}, AsciiLower, AsciiLower);
    });
}

}  // namespace

void RegisterBlob(std::string_view szName, std::string_view bytes) {
    SRegistry& registry = Registry();
    const std::lock_guard lock(registry.mutex);
    if (const auto it = FindIn(registry.blobs, szName); it != registry.blobs.end()) {
        it->bytes = bytes;
        return;
    }
    registry.blobs.push_back({std::string(szName), bytes});
}

std::optional<std::string_view> FindBlob(std::string_view szName) {
    SRegistry& registry = Registry();
    const std::lock_guard lock(registry.mutex);
    const auto it = FindIn(registry.blobs, szName);
    if (it == registry.blobs.end()) return std::nullopt;
    return it->bytes;
}

std::vector<std::string> BlobNames() {
    SRegistry& registry = Registry();
    const std::lock_guard lock(registry.mutex);
    std::vector<std::string> names;
    for (const SBlob& blob : registry.blobs) names.push_back(blob.szName);
    return names;
}

}  // namespace brumalis::platform
