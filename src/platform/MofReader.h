#pragma once
// Reads the class declarations of MOF text into catalogue classes (see WmiCatalog.h). Classes
// are returned as declared (own members only); the catalogue adds inherited ones.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WmiCatalog.h"

namespace quillet::platform {

struct SMofReadResult {
  bool ok = false;
  std::vector<std::unique_ptr<SWmiClass>> classes;
  std::string error;  // "line N: what"
};

[[nodiscard]] SMofReadResult ReadMof(std::string_view text);

}  // namespace quillet::platform
