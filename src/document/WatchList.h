#pragma once
// The names and values the variables window listed at its last refresh, for the editor's value
// tips. Entries are kept in the order of the window's rows (a row's place is the list of its
// indexes from the top), whatever order the host's replies came in, so that a name listed twice
// answers with the row nearest the top of the window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::document {

class CWatchList {
 public:
  // A tip holds at most this many code units (the tooltip text buffer less its terminator).
  static constexpr size_t kTipLength = 79;

  void Clear() { m_entries.clear(); }
  // The variable shown at row place; a second report for the same row replaces the first.
  void Add(std::vector<int32_t> place, std::u16string_view name, std::u16string_view value);
  // Name (lower case) and value, name and value, ... in the order of the rows.
  [[nodiscard]] std::vector<std::u16string> Pairs() const;
  // The value of the first variable called word (any case), cut to a tip's length; none when
  // no variable is called so.
  [[nodiscard]] std::optional<std::u16string> ValueTip(std::u16string_view word) const;

 private:
  struct SEntry {
    std::vector<int32_t> place;
    std::u16string name;  // lower case
    std::u16string value;
  };
  std::vector<SEntry> m_entries;
};

}  // namespace quillet::document
