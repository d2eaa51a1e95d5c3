// Raw-data resources: files embedded into the program at build time (see
// cmake/BrumalisEmbed.cmake) and looked up by name ignoring ASCII case, as
// the Windows build looks up its resources.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis::platform {

// Makes bytes findable under szName; a later registration of the same name,
// ignoring case, replaces the earlier one. The name is copied; the bytes must
// live as long as the process. The generated embedding code calls this
// during static initialisation.
void RegisterBlob(std::string_view szName, std::string_view bytes);

// The bytes registered under szName ignoring ASCII case, or nullopt.
std::optional<std::string_view> FindBlob(std::string_view szName);

// The names of every registered blob, in registration order.
std::vector<std::string> BlobNames();

}  // namespace brumalis::platform
