#pragma once
// Finding "<script path>(<line>, <column>) ..." in the host's output, so that the editor can
// take the caret to the place an error names.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace quillet::debug {

struct SErrorLocation {
  int32_t line = 0;    // 1-based, as the host writes it
  int32_t column = 0;  // 1-based
  size_t lineStart = 0;  // the output line that names it, [lineStart, lineEnd)
  size_t lineEnd = 0;
};

// Whether (line - 1, column - 1) is a position of the document.
using PositionCheck = std::function<bool(int32_t line, int32_t column)>;

// The first line of output that begins with runPath (exact case) and names a valid position.
[[nodiscard]] std::optional<SErrorLocation> FindErrorLocation(std::u16string_view output,
                                                              std::u16string_view runPath,
                                                              const PositionCheck& isValid);

// One line the user double-clicked: its text before the first '(' must be runPath, compared
// without regard to case.
[[nodiscard]] std::optional<SErrorLocation> ParseLocationLine(std::u16string_view line,
                                                              std::u16string_view runPath);

// Whether a double-clicked line is worth sending to the view at all.
[[nodiscard]] bool LooksLikeLocation(std::u16string_view line);

// Reads a decimal number the way the C library does: leading blanks skipped, an optional sign,
// stops at the first non-digit; 0 when there are no digits.
[[nodiscard]] int32_t ReadDecimal(std::u16string_view text);

}  // namespace quillet::debug
