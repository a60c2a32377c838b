#pragma once

#include "document/UpdateContext.h"

namespace quillet::document {

// Text went in between start and end. A position exactly at the insertion point stays before
// the new text, so another view's caret is not pushed along by someone else's typing.
class CInsertContext final : public CUpdateContext {
 public:
  CInsertContext(CTextPosition start, CTextPosition end) : m_start(start), m_end(end) {}
  [[nodiscard]] CTextPosition RecalcPoint(CTextPosition point) const override;

 private:
  CTextPosition m_start;
  CTextPosition m_end;
};

}  // namespace quillet::document
