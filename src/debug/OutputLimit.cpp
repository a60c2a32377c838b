#include "debug/OutputLimit.h"

namespace quillet::debug {

size_t OutputTrimLength(std::u16string_view text, size_t incoming) {
  if (text.size() + incoming <= kOutputLimit) return 0;
  // Taking whole lines keeps every remaining line intact for the error search.
  size_t end = 0;
  while (end < kOutputTrimStep) {
    const size_t feed = text.find(u'\n', end);
    if (feed == std::u16string_view::npos) return text.size();
    end = feed + 1;
  }
  return end;
}

}  // namespace quillet::debug
