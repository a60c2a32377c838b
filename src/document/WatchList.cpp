#include "document/WatchList.h"

#include <algorithm>

namespace quillet::document {

namespace {

// Script names are ASCII; anything else is compared as it is.
std::u16string LowerCase(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

void CWatchList::Add(std::vector<int32_t> place, std::u16string_view name, std::u16string_view value) {
  const auto at = std::lower_bound(m_entries.begin(), m_entries.end(), place,
                                   [](const SEntry& entry, const std::vector<int32_t>& p) { return entry.place < p; });
  if (at != m_entries.end() && at->place == place) {
    at->name = LowerCase(name);
    at->value = value;
    return;
  }
  m_entries.insert(at, SEntry{std::move(place), LowerCase(name), std::u16string(value)});
}

std::vector<std::u16string> CWatchList::Pairs() const {
  std::vector<std::u16string> pairs;
  pairs.reserve(m_entries.size() * 2);
  for (const SEntry& entry : m_entries) {
    pairs.push_back(entry.name);
    pairs.push_back(entry.value);
  }
  return pairs;
}

std::optional<std::u16string> CWatchList::ValueTip(std::u16string_view word) const {
  if (word.empty()) return std::nullopt;
  const std::u16string name = LowerCase(word);
  const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const SEntry& e) { return e.name == name; });
  if (found == m_entries.end()) return std::nullopt;
  std::u16string tip = found->value.substr(0, kTipLength);
  // A cut through a surrogate pair would leave half a character on show.
  if (found->value.size() > kTipLength && IsHighSurrogate(tip.back())) tip.pop_back();
  return tip;
}

}  // namespace quillet::document
