#include "engine/debug/DebugTarget.h"

namespace quillet::engine::debug {

std::u16string LineOfText(const std::u16string& source, int line) {
  if (line < 1) return {};
  size_t start = 0;
  for (int i = 1; i < line; ++i) {
    const size_t end = source.find(u'\n', start);
    if (end == std::u16string::npos) return {};
    start = end + 1;
  }
  size_t end = source.find(u'\n', start);
  if (end == std::u16string::npos) end = source.size();
  std::u16string text = source.substr(start, end - start);
  while (!text.empty() && text.back() == u'\r') text.pop_back();
  return text;
}

}  // namespace quillet::engine::debug
