#pragma once
// The output window keeps at most a million characters; when more arrive, the oldest whole
// lines go, at least 128 Ki characters at a time, so that trimming is rare.

#include <string_view>

namespace quillet::debug {

inline constexpr size_t kOutputLimit = 1048576;
inline constexpr size_t kOutputTrimStep = 131072;

// How many characters to remove from the start of text before adding incoming more: 0 when
// they fit; otherwise the end of the first whole line (its break included) at or past the trim
// step, or all of text when no line ends there.
[[nodiscard]] size_t OutputTrimLength(std::u16string_view text, size_t incoming);

}  // namespace quillet::debug
