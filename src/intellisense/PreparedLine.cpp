#include "intellisense/PreparedLine.h"

#include <algorithm>

namespace quillet::intellisense {
namespace {

bool IsBlankedColour(int32_t colour) {
  return colour == kCommentColour || colour == kStringColour || colour == kNumberColour;
}

}  // namespace

bool CPreparedLine::Prepare(IAnalysisSource& source, int32_t line, ELimit limit) {
  m_length = 0;
  m_buffer[0] = u'\0';
  m_raw = {};
  if (line < 0 || line >= source.LineCount()) return false;
  const std::u16string_view text = source.LineText(line);
  if (limit == ELimit::SkipLongLines && text.size() >= static_cast<size_t>(kLongLineLength)) return false;
  m_raw = text.substr(0, kBufferSize - 1);
  m_length = m_raw.size();
  std::copy(m_raw.begin(), m_raw.end(), m_buffer.begin());
  m_buffer[m_length] = u'\0';

  m_runs.clear();
  source.ScanLine(line, m_raw, m_runs);
  for (size_t i = 0; i < m_runs.size(); ++i) {
    if (!IsBlankedColour(m_runs[i].colour)) continue;
    const size_t from = std::min<size_t>(static_cast<size_t>(std::max(m_runs[i].start, 0)), m_length);
    const size_t to = i + 1 < m_runs.size()
                          ? std::min<size_t>(static_cast<size_t>(std::max(m_runs[i + 1].start, 0)), m_length)
                          : m_length;
    if (from < to) std::fill(m_buffer.begin() + static_cast<std::ptrdiff_t>(from),
                             m_buffer.begin() + static_cast<std::ptrdiff_t>(to), u' ');
  }
  // A NUL inside the line would end the pattern engine's subject early; it is no code either.
  std::replace(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_length), u'\0', u' ');
  return true;
}

void CPreparedLine::CutAt(size_t column) {
  m_length = std::min(column, m_length);
  m_buffer[m_length] = u'\0';
  m_raw = m_raw.substr(0, m_length);
}

}  // namespace quillet::intellisense
