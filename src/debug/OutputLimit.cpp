#include "debug/OutputLimit.h"

namespace quillet::debug {

size_t OutputTrimLength(std::u16string_view text, size_t incoming) {
  size_t start = 0;
  return OutputTrimLengthByLines(text.size(), incoming, [&]() -> std::optional<size_t> {
    const size_t feed = text.find(u'\n', start);
    if (feed == std::u16string_view::npos) return std::nullopt;
    const size_t length = feed + 1 - start;
    start = feed + 1;
    return length;
  });
}

}  // namespace quillet::debug
