#pragma once
// The language's built-in functions, registered from one table of name, argument counts and
// function, with shared argument checks so that every function fails alike.

#include <span>
#include <string_view>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

using BuiltinFn = CVariant (*)(std::span<CVariant> args);

struct SBuiltin {
  const char16_t* name;
  uint8_t minArgs;
  uint8_t maxArgs;
  BuiltinFn fn;
};

// -1 when name is no built-in function.
[[nodiscard]] int FindBuiltin(std::u16string_view name);
[[nodiscard]] const SBuiltin& BuiltinAt(int index);
[[nodiscard]] int BuiltinCount();
// Checks the count (450) and calls; arguments arrive dereferenced.
[[nodiscard]] CVariant CallBuiltin(int index, std::span<CVariant> args);

// The language's named constants (vbCrLf, vbTextCompare ...); false for any other name.
[[nodiscard]] bool FindBuiltinConstant(std::u16string_view name, CVariant& value);

// TypeName's answer for a value.
[[nodiscard]] std::u16string TypeNameOf(const CVariant& value);

}  // namespace quillet::engine
