#pragma once
// What page layout needs to know about the printer font, in device units.

#include <cstdint>

namespace quillet::editor {

class IPrinterMetrics {
 public:
  virtual ~IPrinterMetrics() = default;
  // The height of "X": one printed row.
  [[nodiscard]] virtual int32_t LineHeight() const = 0;
  [[nodiscard]] virtual int32_t CharWidth(char16_t c) const = 0;
};

}  // namespace quillet::editor
