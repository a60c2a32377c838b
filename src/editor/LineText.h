#pragma once
// Questions about one line of text that caret movement, word commands and mouse selection ask.

#include <cstdint>
#include <string_view>

namespace quillet::editor {

// Letters, digits and "_": the words of caret movement and double-click.
[[nodiscard]] bool IsWordChar(char16_t c);
// Codes 9 to 13 and the space.
[[nodiscard]] bool IsBlank(char16_t c);

// The column of character index ch with tabs expanded to multiples of tabSize.
[[nodiscard]] int32_t DisplayColumn(std::u16string_view line, int32_t ch, int32_t tabSize);

// Word movement within one line.
[[nodiscard]] int32_t WordLeftIn(std::u16string_view line, int32_t x);
[[nodiscard]] int32_t WordRightIn(std::u16string_view line, int32_t x);
// The word (letters, digits, "_") around x; start == end between two other characters.
[[nodiscard]] int32_t WordStartAt(std::u16string_view line, int32_t x);
[[nodiscard]] int32_t WordEndAt(std::u16string_view line, int32_t x);

// The index of the first character that is not a space or tab, or -1.
[[nodiscard]] int32_t FirstNonBlank(std::u16string_view line);
// One character left or right, never splitting a surrogate pair.
[[nodiscard]] int32_t PreviousCharStart(std::u16string_view line, int32_t x);
[[nodiscard]] int32_t NextCharEnd(std::u16string_view line, int32_t x);

}  // namespace quillet::editor
