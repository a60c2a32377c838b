#pragma once
// The classes CreateObject can make, by ProgID. Each script's runtime owns one, filled with the
// engine's own classes; a host adds its classes before the script runs.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CDispatchObject;

// Makes a new object with no references yet; it may throw CScriptError.
using ObjectFactory = std::function<CDispatchObject*()>;

class CObjectRegistry {
 public:
  CObjectRegistry();

  // A later registration of the same ProgID (in any case) replaces the earlier one, so that a
  // host can put its own class in place of an engine class.
  void Register(std::u16string_view progId, ObjectFactory factory);
  [[nodiscard]] bool Knows(std::u16string_view progId) const;
  // Throws 429 for a ProgID nobody registered.
  [[nodiscard]] CVariant Create(std::u16string_view progId) const;

 private:
  struct SEntry {
    std::u16string progId;
    ObjectFactory factory;
  };
  [[nodiscard]] const SEntry* Find(std::u16string_view progId) const;

  std::vector<SEntry> m_entries;
};

// What New makes of a name that no script class has: the language's own classes (RegExp);
// Empty when the name is none of them.
[[nodiscard]] CVariant NewBuiltinClass(std::u16string_view name);

}  // namespace quillet::engine
