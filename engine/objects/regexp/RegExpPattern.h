#pragma once
// One compiled regular expression with the RegExp object's dialect: the script's own pattern
// syntax (\uXXXX, $ only at the very end unless Multiline, [] and [^] allowed, a reference to
// a group that has not matched matches nothing), searched over UTF-16 units. Every search is
// bounded, so that a pattern that backtracks without end fails with 28 instead of hanging.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace quillet::engine {

class CRegExpPattern {
 public:
  // Throws 5017..5021 for a pattern that does not compile.
  CRegExpPattern(std::u16string_view pattern, bool ignoreCase, bool multiline);
  ~CRegExpPattern();
  CRegExpPattern(const CRegExpPattern&) = delete;
  CRegExpPattern& operator=(const CRegExpPattern&) = delete;

  [[nodiscard]] size_t GroupCount() const { return m_groups; }
  // Searches subject from start. On success, spans holds start and end of the whole match and
  // of each group (2 * (GroupCount() + 1) values; an unmatched group is kUnset, kUnset).
  // Throws 28 when the search exceeds its bounds, 7 when memory runs out.
  bool Search(std::u16string_view subject, size_t start, std::vector<size_t>& spans);

  static constexpr size_t kUnset = static_cast<size_t>(-1);

 private:
  struct SHandles;
  std::unique_ptr<SHandles> m_handles;
  size_t m_groups = 0;
};

}  // namespace quillet::engine
