#pragma once
// The descriptions that "&Undo %s" and "&Redo %s" show, with their string-table ids.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillet::document {

struct SEditActionText {
  int32_t stringId;
  std::u16string_view text;
};

// Nothing for a code without a description (11 and above, or negative).
[[nodiscard]] std::optional<SEditActionText> EditActionText(int32_t action);

}  // namespace quillet::document
