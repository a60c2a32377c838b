#pragma once
// One member of a catalogue group, with its ready-made description.

#include <cstdint>
#include <string>

namespace quillet::typeinfo {

// Group and member kinds; they double as the object browser's image indices.
enum class ECatalogueKind : std::int32_t {
  Library = 0, Class = 1, Enumeration = 2, Interface = 3, Method = 4, Property = 5, Constant = 6, Event = 7,
  ScriptCode = 8
};

class CTypeLibMember {
 public:
  std::u16string name;
  std::u16string description;
  ECatalogueKind kind = ECatalogueKind::Method;
  std::int32_t nameStart = -1;  // the name's place in the description, shown in bold
  std::int32_t nameEnd = -1;
  bool seen = false;
  std::int32_t line = -1;
};

}  // namespace quillet::typeinfo
