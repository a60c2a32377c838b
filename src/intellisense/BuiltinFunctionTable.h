#pragma once
// The built-in functions with the call syntax and description that a parameter tip shows for a
// call without a dot.

#include <span>
#include <string_view>

namespace quillet::intellisense {

struct BuiltinFunctionRecord {
  std::u16string_view name;
  std::u16string_view syntax;       // shown as stored; square brackets mark optional arguments
  std::u16string_view description;  // one sentence, the tip's second line
};

// Every row in stored order.
extern const std::span<const BuiltinFunctionRecord> BuiltinFunctionTable;

// The first row whose name equals name without regard to ASCII case, or null.
[[nodiscard]] const BuiltinFunctionRecord* FindBuiltinFunction(std::u16string_view name);

}  // namespace quillet::intellisense
