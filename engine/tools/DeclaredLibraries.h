#pragma once
// Every type library the engine and its hosts declare: what the generator writes.

#include <vector>

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine::tools {

[[nodiscard]] std::vector<const om::SLibrary*> DeclaredLibraries();

}  // namespace quillet::engine::tools
