#pragma once
// One script line as the patterns of source analysis see it: comments, strings and numbers
// blanked, so that nothing inside them looks like code, at the columns of the document.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "intellisense/AnalysisSource.h"

namespace quillet::intellisense {

// Member-list and tip scans skip lines this long: matching them would cost a key press too much.
inline constexpr int32_t kLongLineLength = 256;

class CPreparedLine {
 public:
  static constexpr size_t kBufferSize = 16384;

  enum class ELimit { None, SkipLongLines };

  // Reads, scans and blanks the line; false (and an empty text) when the limit skips it or the
  // line does not exist.
  bool Prepare(IAnalysisSource& source, int32_t line, ELimit limit);

  // NUL-terminated, for the pattern engine; valid until the next Prepare.
  [[nodiscard]] const char16_t* CStr() const { return m_buffer.data(); }
  [[nodiscard]] std::u16string_view Text() const { return {m_buffer.data(), m_length}; }
  // The unprepared characters of the same line, cut to the same length.
  [[nodiscard]] std::u16string_view Raw() const { return m_raw; }

  // Cuts the text at column (the caret's).
  void CutAt(size_t column);

 private:
  std::array<char16_t, kBufferSize> m_buffer{};
  size_t m_length = 0;
  std::u16string_view m_raw;
  std::vector<SColourRun> m_runs;
};

}  // namespace quillet::intellisense
