#include "document/EditActionText.h"

#include <array>

#include "document/DocumentTypes.h"

namespace quillet::document {
namespace {

// Indexed by action code; Typing and Delete have ids out of numeric order.
constexpr std::array<SEditActionText, 11> kTexts = {{
    {8619, u"Action"},
    {8620, u"Paste"},
    {8621, u"Delete Selection"},
    {8622, u"Cut"},
    {8624, u"Typing"},
    {8625, u"Backspace"},
    {8626, u"Indent"},
    {8627, u"Drag And Drop"},
    {8628, u"Replace"},
    {8623, u"Delete"},
    {8629, u"Auto Indent"},
}};

}  // namespace

std::optional<SEditActionText> EditActionText(int32_t action) {
  if (action < 0 || action >= static_cast<int32_t>(kTexts.size())) return std::nullopt;
  return kTexts[static_cast<size_t>(action)];
}

}  // namespace quillet::document
