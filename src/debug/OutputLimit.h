#pragma once
// The output window keeps at most a million characters; when more arrive, the oldest whole
// lines go, at least 128 Ki characters at a time, so that trimming is rare.

#include <optional>
#include <string_view>

namespace quillet::debug {

inline constexpr size_t kOutputLimit = 1048576;
inline constexpr size_t kOutputTrimStep = 131072;

// How many characters to remove from the start of text before adding incoming more: 0 when
// they fit; otherwise the end of the first whole line (its break included) at or past the trim
// step, or all of text when no line ends there.
[[nodiscard]] size_t OutputTrimLength(std::u16string_view text, size_t incoming);

// The same rule for a text known by its length and its lines: nextLine() gives the length of
// each line in turn, its break included, and nothing once only the last, unbroken line is left.
// The window counts its lines this way without putting its whole text together.
template <typename NextLine>
[[nodiscard]] size_t OutputTrimLengthByLines(size_t textLength, size_t incoming, NextLine nextLine) {
  if (textLength + incoming <= kOutputLimit) return 0;
  // Taking whole lines keeps every remaining line intact for the error search.
  size_t end = 0;
  while (end < kOutputTrimStep) {
    const std::optional<size_t> line = nextLine();
    if (!line) return textLength;
    end += *line;
  }
  return end;
}

}  // namespace quillet::debug
