#pragma once
// The classes CreateObject can make, by ProgID: the engine's declared classes (read from their
// declarations, nothing copied, so that a new runtime costs nothing here) and the classes a
// host adds before the script runs.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/runtime/ObjectModel.h"
#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CDispatchObject;

// Makes a new object with no references yet; it may throw CScriptError.
using ObjectFactory = std::function<CDispatchObject*()>;

class CObjectRegistry {
 public:
  // A host's registration of a ProgID (in any case) replaces an engine class of that ProgID and
  // an earlier registration of the host.
  void Register(std::u16string_view progId, ObjectFactory factory);
  [[nodiscard]] bool Knows(std::u16string_view progId) const;
  // Throws 429 for a ProgID nobody registered.
  [[nodiscard]] CVariant Create(std::u16string_view progId) const;
  // Every ProgID Create accepts: the engine's, then the host's.
  [[nodiscard]] std::vector<std::u16string> ProgIds() const;

 private:
  struct SEntry {
    std::u16string progId;
    ObjectFactory factory;
  };
  [[nodiscard]] const SEntry* FindHostClass(std::u16string_view progId) const;

  std::vector<SEntry> m_hostClasses;
};

// The declared class the engine makes for a ProgID, its versioned one included; null if none.
[[nodiscard]] const om::SClass* FindEngineClass(std::u16string_view progId);

// What New makes of a name that no script class has: the language's own classes (RegExp);
// Empty when the name is none of them.
[[nodiscard]] CVariant NewBuiltinClass(std::u16string_view name);

}  // namespace quillet::engine
