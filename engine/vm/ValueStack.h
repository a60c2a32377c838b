#pragma once
// A frame's evaluation stack, over room the frame was given (its part of the value arena).
// Every slot above the top is Empty, so a push is a plain move and nothing above the top needs
// destroying. The room is the procedure's deepest use, worked out from its code; a push beyond
// it is refused rather than written past the end.

#include <cstddef>
#include <span>

#include "engine/runtime/ScriptError.h"
#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CValueStack {
 public:
  void Attach(std::span<CVariant> room) {
    m_base = room.data();
    m_top = room.data();
    m_end = room.data() + room.size();
  }

  void push_back(CVariant&& value) {
    if (m_top == m_end) Overflow();
    (m_top++)->MoveIntoEmpty(std::move(value));
  }
  void push_back(const CVariant& value) {
    if (m_top == m_end) Overflow();
    (m_top++)->CopyIntoEmpty(value);
  }
  void pop_back() noexcept { (--m_top)->Clear(); }
  // Drops the top value after it was moved away (it is Empty already).
  void DropEmptied() noexcept { --m_top; }
  // Drops the top n values.
  void Drop(size_t n) {
    for (CVariant* end = m_top - n; m_top != end;) pop_back();
  }
  void clear() noexcept {
    while (m_top != m_base) pop_back();
  }

  [[nodiscard]] CVariant& back() { return m_top[-1]; }
  [[nodiscard]] CVariant& operator[](size_t i) { return m_base[i]; }
  [[nodiscard]] size_t size() const { return static_cast<size_t>(m_top - m_base); }
  [[nodiscard]] CVariant* data() { return m_base; }
  // The top n values, the first pushed first.
  [[nodiscard]] std::span<CVariant> Top(size_t n) { return {m_top - n, n}; }

 private:
  [[noreturn]] static void Overflow() { throw CScriptError(err::InternalError); }

  CVariant* m_base = nullptr;
  CVariant* m_top = nullptr;
  CVariant* m_end = nullptr;
};

}  // namespace quillet::engine
