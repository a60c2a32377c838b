#pragma once
// What source analysis reads of an open script: the view's lines and its per-line scanner with
// the cache of line-end states. The editor supplies it; the analysis keeps no reference to it
// beyond one request.

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillet::intellisense {

// Colour classes of the scanner whose characters analysis treats as blanks.
inline constexpr int32_t kCommentColour = 7;
inline constexpr int32_t kNumberColour = 8;
inline constexpr int32_t kStringColour = 12;

// A run of one colour from start to the next run's start (the last run: to the end of the text).
struct SColourRun {
  int32_t start = 0;
  int32_t colour = 0;
};

class IAnalysisSource {
 public:
  virtual ~IAnalysisSource() = default;

  [[nodiscard]] virtual int32_t LineCount() const = 0;
  // Valid while the document is unchanged (the whole request).
  [[nodiscard]] virtual std::u16string_view LineText(int32_t line) const = 0;
  // Scans text (line's characters, possibly cut short) from the cached state at the end of the
  // line before it, stores the returned state as this line's, and fills runs.
  virtual void ScanLine(int32_t line, std::u16string_view text, std::vector<SColourRun>& runs) = 0;
};

}  // namespace quillet::intellisense
