#pragma once
// What a member list or Complete Word request does with the names it found: only give the typed
// word its declared case, insert the one name that fits at once, or let the user choose.

#include <cstdint>
#include <string>
#include <string_view>

#include "intellisense/CompletionSet.h"

namespace quillet::intellisense {

struct SCompletionDecision {
  enum class EKind {
    Nothing,   // no list, no edit
    Replace,   // the count characters before the caret become name
    ShowList,  // the popup, preselected on the prefix
  };
  EKind kind = EKind::Nothing;
  std::u16string name;
  int32_t count = 0;
};

// With correctCaseOnly the typed word (prefix) only ever takes the case of a name equal to it;
// a word already spelled so is left alone, since rewriting it would be an undo step that
// changes nothing. Otherwise one name beginning with the prefix is inserted at once (an empty
// prefix begins every name, so a type with one member completes directly) and any other number
// shows the list. An empty set shows nothing.
[[nodiscard]] SCompletionDecision DecideCompletion(const CCompletionSet& set, std::u16string_view prefix,
                                                   bool correctCaseOnly);

}  // namespace quillet::intellisense
