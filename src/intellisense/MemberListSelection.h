#pragma once
// Which name the member list selects: the order it shows them in, the first selection for the
// word already typed, and the selection that follows each character typed into the list.

#include <optional>
#include <string_view>
#include <vector>

#include "intellisense/CompletionSet.h"

namespace quillet::intellisense {

// The entries sorted by name without regard to case, as the list shows them.
[[nodiscard]] std::vector<const SCompletionEntry*> SortedForList(const CCompletionSet& set);

// The first item that begins with prefix (found by bisection), or where the search ended when
// none does; 0 for an empty prefix. -1 for an empty list.
[[nodiscard]] int InitialSelection(const std::vector<const SCompletionEntry*>& sorted, std::u16string_view prefix);

// The first item, in list order, whose first characters are not less than the typed word
// (without regard to case); nothing when none is, and then the selection stays. 0 for an
// empty word.
[[nodiscard]] std::optional<int> SelectionForTypedWord(const std::vector<const SCompletionEntry*>& sorted,
                                                       std::u16string_view typed);

struct SScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
};

struct SScreenPoint {
  int x = 0;
  int y = 0;
};

// Where the popup of width by height goes for a caret whose line top is at caret: below the
// line and a little left of the caret, or to the left of the caret or above the line where the
// work area ends.
[[nodiscard]] SScreenPoint PlaceMemberList(SScreenPoint caret, int lineHeight, int charWidth, int width, int height,
                                           const SScreenRect& workArea);

}  // namespace quillet::intellisense
