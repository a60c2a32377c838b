#include "engine/tools/DeclaredLibraries.h"

#include "engine/host/HostLibrary.h"
#include "engine/objects/EngineLibraries.h"

namespace quillet::engine::tools {

std::vector<const om::SLibrary*> DeclaredLibraries() {
  std::vector<const om::SLibrary*> libraries(EngineLibraries().begin(), EngineLibraries().end());
  libraries.push_back(&host::kHostLibrary);
  return libraries;
}

}  // namespace quillet::engine::tools
