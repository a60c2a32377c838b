#include "engine/objects/EngineLibraries.h"

#include "engine/objects/regexp/RegExpLibrary.h"
#include "engine/objects/scripting/ScriptingLibrary.h"
#include "engine/objects/wmi/WbemScriptingLibrary.h"
#include "engine/objects/wsh/WshLibrary.h"

namespace quillet::engine {

std::span<const om::SLibrary* const> EngineLibraries() {
  static constexpr const om::SLibrary* kLibraries[] = {&kScriptingLibrary, &kRegExpLibrary, &kWshLibrary,
                                                      &kWbemScriptingLibrary};
  return kLibraries;
}

}  // namespace quillet::engine
