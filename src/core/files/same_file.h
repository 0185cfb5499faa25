// Whether two names the user gives for outputs lead to one file.
#pragma once

#include <string>

namespace gyrenda {

// "-" stands for standard output, the open descriptor `standardOutput` (none when negative).
// Existing files are compared by device and inode, so hard links, symbolic links and names such
// as /dev/stdout are seen through; a name that does not exist yet is followed through its
// symbolic links to the name that a save would create, and compared with "." and ".."
// resolved.
bool sameFile(const std::string& a, const std::string& b, int standardOutput);

}  // namespace gyrenda
