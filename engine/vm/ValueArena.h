#pragma once
// Where frames keep their locals and evaluation stacks: one growing stack of Variants, taken
// and given back in call order, so that a call allocates nothing once the arena has grown to
// the script's depth. Values never move while their frame lives: a ByRef parameter points at
// its caller's local.

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CValueArena {
 public:
  struct SMark {
    size_t segment = 0;
    size_t used = 0;
  };

  // n Empty values; mark receives what Release needs to give them back.
  [[nodiscard]] std::span<CVariant> Take(size_t n, SMark& mark) {
    mark = SMark{m_segment, m_used};
    if (m_segments.empty() || m_used + n > m_segments[m_segment].size) MoveToNextSegment(n);
    CVariant* values = m_segments[m_segment].values.get() + m_used;
    m_used += n;
    return {values, n};
  }
  // Gives back everything taken since mark. The values must be Empty by then: emptying them
  // may run Class_Terminate, which takes more room above them.
  void GiveBack(const SMark& mark) noexcept {
    m_segment = mark.segment;
    m_used = mark.used;
  }

 private:
  static constexpr size_t kSegmentValues = size_t{1} << 14;
  struct SSegment {
    std::unique_ptr<CVariant[]> values;
    size_t size = 0;
  };

  // The rest of the current segment stays unused until the frames above it are gone.
  void MoveToNextSegment(size_t n);

  std::vector<SSegment> m_segments;
  size_t m_segment = 0;  // in use; the ones after it are free
  size_t m_used = 0;     // values of it in use
};

}  // namespace quillet::engine
