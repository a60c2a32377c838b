#include "engine/vm/ValueArena.h"

#include <algorithm>

namespace quillet::engine {

std::span<CVariant> CValueArena::Take(size_t n, SMark& mark) {
  mark = SMark{m_segment, m_used};
  if (m_segments.empty() || m_used + n > m_segments[m_segment].size) {
    // The rest of this segment stays unused until the frames above it are gone.
    const size_t next = m_segments.empty() ? 0 : m_segment + 1;
    if (next == m_segments.size()) m_segments.emplace_back();
    SSegment& segment = m_segments[next];
    if (segment.size < n) {
      segment.size = std::max(n, kSegmentValues);
      segment.values = std::make_unique<CVariant[]>(segment.size);
    }
    m_segment = next;
    m_used = 0;
  }
  CVariant* values = m_segments[m_segment].values.get() + m_used;
  m_used += n;
  return {values, n};
}

void CValueArena::GiveBack(std::span<CVariant> values, const SMark& mark) noexcept {
  for (CVariant& value : values) value.Clear();
  m_segment = mark.segment;
  m_used = mark.used;
}

}  // namespace quillet::engine
