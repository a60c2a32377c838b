#include "intellisense/CompletionDecision.h"

#include "intellisense/AsciiText.h"

namespace quillet::intellisense {

SCompletionDecision DecideCompletion(const CCompletionSet& set, std::u16string_view prefix, bool correctCaseOnly) {
  SCompletionDecision decision;
  if (correctCaseOnly) {
    for (const SCompletionEntry& entry : set.Entries()) {
      if (!EqualNoCase(entry.name, prefix)) continue;
      if (entry.name != prefix) {
        decision = {SCompletionDecision::EKind::Replace, entry.name, static_cast<int32_t>(prefix.size())};
      }
      break;
    }
    return decision;
  }
  if (set.Empty()) return decision;
  const SCompletionEntry* only = nullptr;
  int matches = 0;
  for (const SCompletionEntry& entry : set.Entries()) {
    if (!StartsWithNoCase(entry.name, prefix)) continue;
    only = &entry;
    if (++matches == 2) break;
  }
  if (matches == 1) {
    return {SCompletionDecision::EKind::Replace, only->name, static_cast<int32_t>(prefix.size())};
  }
  decision.kind = SCompletionDecision::EKind::ShowList;
  return decision;
}

}  // namespace quillet::intellisense
