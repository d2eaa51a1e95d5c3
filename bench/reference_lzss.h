// The LZSS encoder in its textbook form, the reference the project's coder
// is checked against by the tests and the fuzz target.
#pragma once

#include <string>
#include <string_view>

namespace brumalis::bench {

std::string ReferenceCompress(std::string_view in);

}  // namespace brumalis::bench
