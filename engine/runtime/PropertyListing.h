#pragma once
// What a debugger shows of an object without running script code: the value of every property
// getter that takes no arguments and that its declaration marks free of side effects.
// Dictionary.Count is read; Dictionary.Item is never, since reading a missing key adds it.
// Objects that are not declared in the object model (script class instances) list nothing here.

#include <string_view>
#include <vector>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CDispatchObject;

struct SPropertyValue {
  std::u16string_view name;  // as declared; lives as long as the program
  CVariant value;
};

// In declaration order. A getter that fails (a windowed host's StdOut) is left out.
[[nodiscard]] std::vector<SPropertyValue> ListSideEffectFreeProperties(CDispatchObject& object);

}  // namespace quillet::engine
