#pragma once
// The windows that IntelliSense opens over the view: the member list and the parameter tip. The
// window side implements it; the editor core decides when and with what.

#include <string_view>

#include "intellisense/CompletionSet.h"
#include "intellisense/ParameterTip.h"

namespace quillet::editor {

class IIntelliSensePopups {
 public:
  virtual ~IIntelliSensePopups() = default;
  // Under the caret, preselected on prefix (the word before the caret that the list replaces).
  virtual void ShowMemberList(const intellisense::CCompletionSet& set, std::u16string_view prefix) = 0;
  virtual void ShowParameterTip(const intellisense::SParameterTip& tip) = 0;
};

}  // namespace quillet::editor
