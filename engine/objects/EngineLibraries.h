#pragma once
// The type libraries whose objects the engine itself makes, whatever the host. A host's own
// library (the script host's) is declared by the host.

#include <span>

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

[[nodiscard]] std::span<const om::SLibrary* const> EngineLibraries();

}  // namespace quillet::engine
