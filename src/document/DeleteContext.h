#pragma once

#include "document/UpdateContext.h"

namespace quillet::document {

// The text between start and end went away; positions inside it collapse onto start.
class CDeleteContext final : public CUpdateContext {
 public:
  CDeleteContext(CTextPosition start, CTextPosition end) : m_start(start), m_end(end) {}
  [[nodiscard]] CTextPosition RecalcPoint(CTextPosition point) const override;

 private:
  CTextPosition m_start;
  CTextPosition m_end;
};

}  // namespace quillet::document
