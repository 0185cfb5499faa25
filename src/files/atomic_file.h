// Writing a file so that a failure never damages the file that was there: the content goes
// to a temporary file beside the target, which is renamed over it only when complete.
#pragma once

#include <string>
#include <string_view>

namespace gyrenda {

// Returns an empty string on success, otherwise what went wrong (the target is untouched).
std::string writeFileAtomically(const std::string& path, std::string_view content);

}  // namespace gyrenda
