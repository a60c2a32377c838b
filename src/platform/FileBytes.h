#pragma once

#include <string>

namespace quillet::platform {

// Reads a whole (small) file. False when it cannot be opened or read.
[[nodiscard]] bool ReadFileBytes(const std::string& path, std::string& bytes);

}  // namespace quillet::platform
