#include "document/DeleteContext.h"

namespace quillet::document {

CTextPosition CDeleteContext::RecalcPoint(CTextPosition point) const {
  if (point.y < m_start.y) return point;
  if (point.y > m_end.y) return {point.x, point.y - (m_end.y - m_start.y)};
  if (point.y == m_end.y && point.x >= m_end.x) {
    return {m_start.x + point.x - m_end.x, m_start.y};
  }
  if (point.y != m_start.y) return m_start;
  if (point.x > m_start.x) point.x = m_start.x;
  return point;
}

}  // namespace quillet::document
