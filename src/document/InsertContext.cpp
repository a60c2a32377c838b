#include "document/InsertContext.h"

namespace quillet::document {

CTextPosition CInsertContext::RecalcPoint(CTextPosition point) const {
  if (point.y < m_start.y) return point;
  if (point.y > m_start.y) return {point.x, point.y + (m_end.y - m_start.y)};
  if (point.x <= m_start.x) return point;
  return {m_end.x + point.x - m_start.x, m_end.y};
}

}  // namespace quillet::document
