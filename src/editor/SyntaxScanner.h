#pragma once
// The per-line VBScript scanner. It carries a small state word, the parse cookie, from the end of
// one line to the start of the next, so that any line can be coloured from its predecessor's
// cookie without rescanning the file.

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillet::editor {

inline constexpr uint32_t CookieComment = 0x1;
inline constexpr uint32_t CookieString = 0x8;
inline constexpr uint32_t CookieUnknown = 0xFFFFFFFF;

// Indices into the colour table.
enum EColorIndex : int32_t {
  ColorWhitespace = 0,
  ColorBackground = 1,
  ColorNormalText = 2,
  ColorMargin = 3,
  ColorSelectionBack = 4,
  ColorSelectionText = 5,
  ColorKeyword = 6,
  ColorComment = 7,
  ColorNumber = 8,
  ColorField = 9,
  ColorString = 12,
};

// A colour from start to the next block's start (or the end of the line).
struct SColorBlock {
  int32_t start = 0;
  int32_t color = ColorNormalText;
  friend bool operator==(const SColorBlock&, const SColorBlock&) = default;
};

// Scans one line starting in state cookie and returns the state at its end. With blocks, the
// colour blocks are appended to it. Every "Rem" that opens a comment but is spelled otherwise
// has its start index appended to remFixes, so the caller can correct the text's case.
[[nodiscard]] uint32_t ScanLine(uint32_t cookie, std::u16string_view line,
                                std::vector<SColorBlock>* blocks,
                                std::vector<int32_t>* remFixes = nullptr);

[[nodiscard]] constexpr bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
[[nodiscard]] constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace quillet::editor
