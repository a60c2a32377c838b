#pragma once
// What the editing logic needs to know about the screen: the font's widths and the window's
// size in pixels. The Qt view measures; tests use fixed numbers.

#include <cstdint>

namespace quillet::editor {

class ITextMetrics {
 public:
  virtual ~ITextMetrics() = default;
  // The width of "X" in the editor font: one column.
  [[nodiscard]] virtual int32_t CharWidth() const = 0;
  [[nodiscard]] virtual int32_t CharWidth(char16_t c) const = 0;
  [[nodiscard]] virtual int32_t LineHeight() const = 0;
  // The width of "X" in the margin's font, for the line-number margin.
  [[nodiscard]] virtual int32_t MarginDigitWidth() const = 0;
  [[nodiscard]] virtual int32_t ClientWidth() const = 0;
  [[nodiscard]] virtual int32_t ClientHeight() const = 0;
};

}  // namespace quillet::editor
