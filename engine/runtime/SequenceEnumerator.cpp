#include "engine/runtime/SequenceEnumerator.h"

namespace quillet::engine {

bool CSequenceEnumerator::Next(CVariant& value) {
  if (m_done) return false;
  // Once ended, stays ended, even if the collection grows afterwards.
  if (!m_source(m_next, value)) {
    m_done = true;
    return false;
  }
  ++m_next;
  return true;
}

}  // namespace quillet::engine
