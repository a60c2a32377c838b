#include "intellisense/MemberListSelection.h"

#include <algorithm>

#include "intellisense/AsciiText.h"

namespace quillet::intellisense {
namespace {

// Compares the first prefix.size() characters of name with prefix, without regard to case.
int ComparePrefix(std::u16string_view name, std::u16string_view prefix) {
  const size_t n = std::min(name.size(), prefix.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t a = LowerAsciiUnit(name[i]);
    const char16_t b = LowerAsciiUnit(prefix[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return name.size() < prefix.size() ? -1 : 0;
}

bool LessNoCase(const SCompletionEntry* a, const SCompletionEntry* b) {
  const std::u16string_view x = a->name;
  const std::u16string_view y = b->name;
  const size_t n = std::min(x.size(), y.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t p = LowerAsciiUnit(x[i]);
    const char16_t q = LowerAsciiUnit(y[i]);
    if (p != q) return p < q;
  }
  return x.size() < y.size();
}

}  // namespace

std::vector<const SCompletionEntry*> SortedForList(const CCompletionSet& set) {
  std::vector<const SCompletionEntry*> sorted;
  sorted.reserve(set.Entries().size());
  for (const SCompletionEntry& entry : set.Entries()) sorted.push_back(&entry);
  std::stable_sort(sorted.begin(), sorted.end(), LessNoCase);
  return sorted;
}

int InitialSelection(const std::vector<const SCompletionEntry*>& sorted, std::u16string_view prefix) {
  if (sorted.empty()) return -1;
  if (prefix.empty()) return 0;
  int low = 0;
  int high = static_cast<int>(sorted.size()) - 1;
  int at = 0;
  while (low <= high) {
    at = low + (high - low) / 2;
    const int order = ComparePrefix(sorted[static_cast<size_t>(at)]->name, prefix);
    if (order == 0) {
      while (at > 0 && ComparePrefix(sorted[static_cast<size_t>(at - 1)]->name, prefix) == 0) --at;
      return at;
    }
    if (order < 0) {
      low = at + 1;
    } else {
      high = at - 1;
    }
  }
  return at;
}

std::optional<int> SelectionForTypedWord(const std::vector<const SCompletionEntry*>& sorted,
                                         std::u16string_view typed) {
  if (sorted.empty()) return std::nullopt;
  if (typed.empty()) return 0;
  for (size_t i = 0; i < sorted.size(); ++i) {
    if (ComparePrefix(sorted[i]->name, typed) >= 0) return static_cast<int>(i);
  }
  return std::nullopt;
}

SScreenPoint PlaceMemberList(SScreenPoint caret, int lineHeight, int charWidth, int width, int height,
                             const SScreenRect& workArea) {
  SScreenPoint at;
  at.x = caret.x + width <= workArea.right ? caret.x - 2 * charWidth : caret.x - width;
  at.y = caret.y + lineHeight + height + 2 <= workArea.bottom ? caret.y + lineHeight + 2 : caret.y - height + 2;
  return at;
}

}  // namespace quillet::intellisense
