#pragma once
// For Each over the engine's collections: asks for item 0, 1, 2 ... until the source says the
// sequence has ended. The source keeps whatever it reads from alive, so that a loop survives
// the script dropping the collection.

#include <functional>

#include "engine/runtime/DispatchObject.h"

namespace quillet::engine {

class CSequenceEnumerator : public CEnumerator {
 public:
  // False when index is past the end; otherwise sets value.
  using Source = std::function<bool(size_t index, CVariant& value)>;

  explicit CSequenceEnumerator(Source source) : m_source(std::move(source)) {}
  bool Next(CVariant& value) override;

 private:
  Source m_source;
  size_t m_next = 0;
  bool m_done = false;
};

}  // namespace quillet::engine
