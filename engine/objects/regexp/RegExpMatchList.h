#pragma once
// What one Execute found: the searched text and the spans of every match and its groups, held
// once and shared by the Matches collection and each Match and SubMatches taken from it, so
// that a search with many matches makes objects only for the matches a script looks at.

#include <cstddef>
#include <string>
#include <vector>

namespace quillet::engine {

struct SRegExpMatchList {
  std::u16string subject;
  size_t groups = 0;
  std::vector<size_t> spans;  // 2 * (groups + 1) per match, as CRegExpPattern::Search gives them

  [[nodiscard]] size_t Stride() const { return 2 * (groups + 1); }
  [[nodiscard]] size_t Count() const { return spans.size() / Stride(); }
  // Start and end of group (0: the whole match) of one match; start is kUnset when unmatched.
  [[nodiscard]] size_t Start(size_t match, size_t group) const { return spans[match * Stride() + 2 * group]; }
  [[nodiscard]] size_t End(size_t match, size_t group) const { return spans[match * Stride() + 2 * group + 1]; }
};

}  // namespace quillet::engine
