#pragma once

#include <string>

namespace quillet::platform {

// The absolute form of path with each component spelled as the file system lists it. On a file
// system that ignores case (a memory stick, a Windows share) a name typed in another case is
// shown as it is stored. A component that cannot be found keeps its given spelling; a path
// longer than the system's limit is returned unchanged.
[[nodiscard]] std::string OnDiskSpelling(const std::string& path);

}  // namespace quillet::platform
