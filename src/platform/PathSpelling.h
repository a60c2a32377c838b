#pragma once

#include <string>

namespace quillet::platform {

// The absolute form of path with each component spelled as the file system lists it. On a file
// system that ignores case (a memory stick, a Windows share) a name typed in another case is
// shown as it is stored. A component that cannot be found keeps its given spelling; a path
// longer than the system's limit is returned unchanged. "." and ".." are gone, ".." taken as the
// system takes it when opening the path: after a symbolic link it leads out of the link's
// target, so the result names the file that opening the path reaches.
[[nodiscard]] std::string OnDiskSpelling(const std::string& path);

}  // namespace quillet::platform
