#pragma once
// The order in which analysis looks for what gave a name its meaning: the caret line, the lines
// above it nearest first, then the lines below it from the end of the script upwards.

#include <cstdint>

namespace quillet::intellisense {

class CScanOrder {
 public:
  CScanOrder(int32_t caretLine, int32_t lineCount) : m_caret(caretLine), m_count(lineCount), m_line(caretLine) {}

  [[nodiscard]] bool Done() const { return m_done || m_count <= 0 || m_caret < 0 || m_caret >= m_count; }
  [[nodiscard]] int32_t Line() const { return m_line; }
  // True once the scan has gone past line 0 to the end of the script.
  [[nodiscard]] bool Wrapped() const { return m_wrapped; }

  void Next() {
    if (m_line > 0) {
      --m_line;
    } else if (m_wrapped || m_caret == m_count - 1) {
      m_done = true;
      return;
    } else {
      m_line = m_count - 1;
      m_wrapped = true;
    }
    if (m_line == m_caret) m_done = true;
  }

 private:
  int32_t m_caret;
  int32_t m_count;
  int32_t m_line;
  bool m_wrapped = false;
  bool m_done = false;
};

}  // namespace quillet::intellisense
