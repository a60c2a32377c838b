#pragma once
// The two lines of a parameter tip: how the callee is written, and what it does when that is
// known.

#include <optional>
#include <string>

#include "intellisense/AnalysisTarget.h"

namespace quillet::intellisense {

struct SParameterTip {
  std::u16string syntax;
  std::u16string description;  // may be empty: then the tip has one line
};

// Nothing when the source describes no callee, or a library function whose names are missing.
[[nodiscard]] std::optional<SParameterTip> BuildParameterTip(const SParameterTipSource& source);

// "Name (first, [second])": parameter names only, optional ones in brackets.
[[nodiscard]] std::optional<std::u16string> TypeLibraryFunctionSyntax(const typeinfo::SFuncDesc& func);

}  // namespace quillet::intellisense
