#include "engine/vm/ValueArena.h"

#include <algorithm>

namespace quillet::engine {

void CValueArena::MoveToNextSegment(size_t n) {
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

}  // namespace quillet::engine
