#pragma once
// What a change did to positions: views pass their saved positions (caret, anchor, first visible
// line) through RecalcPoint to find where the same text is after the change.

#include "document/TextPosition.h"

namespace quillet::document {

class CUpdateContext {
 public:
  virtual ~CUpdateContext() = default;
  [[nodiscard]] virtual CTextPosition RecalcPoint(CTextPosition point) const = 0;
};

}  // namespace quillet::document
