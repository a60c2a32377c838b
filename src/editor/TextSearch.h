#pragma once
// Literal, line-by-line text search over a document. A match never spans a line break.

#include <cstdint>
#include <string>
#include <string_view>

#include "document/TextPosition.h"

namespace quillet::document {
class CQuilletDoc;
}

namespace quillet::editor {

inline constexpr uint32_t FindMatchCase = 0x1;
inline constexpr uint32_t FindWholeWord = 0x2;
inline constexpr uint32_t FindDirectionUp = 0x10;

// Searches text between blockBegin and blockEnd from start. Downwards a match must start before
// blockEnd (it may run past it). Upwards the nearest occurrence that ends at or before start is
// found: the start line's text before start, then the last occurrence on each line above.
// With wrap, a failed search runs once more from the far end of the block.
[[nodiscard]] bool FindTextInBlock(const document::CQuilletDoc& document, std::u16string_view text,
                                   document::CTextPosition start, document::CTextPosition blockBegin,
                                   document::CTextPosition blockEnd, uint32_t flags, bool wrap,
                                   document::CTextPosition& found);

// Upper-cases the letters that have a one-to-one capital in the first 256 codes and beyond.
[[nodiscard]] char16_t FoldCase(char16_t c);

// "Cannot find string"%s"" with the text in place of %s.
[[nodiscard]] std::u16string NotFoundMessage(std::u16string_view text);

}  // namespace quillet::editor
