// Mouse selection and drag and drop of CEditorCore.

#include <algorithm>

#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/LineText.h"
#include "editor/TextMetrics.h"
#include "editor/ViewHost.h"

namespace quillet::editor {

using document::CTextPosition;

CTextPosition CEditorCore::PointToTextPosition(int32_t x, int32_t y) const {
  const int32_t lineHeight = std::max(1, m_metrics.LineHeight());
  // Floor division, so that a point above the window lands above the first visible line.
  const int32_t row = y >= 0 ? y / lineHeight : -((-y + lineHeight - 1) / lineHeight);
  const int32_t line = std::clamp(m_firstLine + row, 0, m_document.GetLineCount() - 1);
  const int32_t target =
      std::max(0, x - MarginCellWidth() + m_firstColumn * m_metrics.CharWidth());
  const std::u16string_view text = m_document.GetLine(line);
  int32_t sum = 0;
  for (int32_t i = 0; i < static_cast<int32_t>(text.size()); ++i) {
    sum += Advance(text[i], sum);
    if (sum > target) return {i, line};
  }
  return {static_cast<int32_t>(text.size()), line};
}

std::u16string CEditorCore::WordAtPoint(int32_t x, int32_t y) const {
  const CTextPosition at = PointToTextPosition(x, y);
  const std::u16string_view line = m_document.GetLine(at.y);
  const int32_t start = WordStartAt(line, at.x);
  const int32_t end = WordEndAt(line, at.x);
  return std::u16string(line.substr(start, end - start));
}

bool CEditorCore::IsInMarginStrip(int32_t x) const { return x >= m_marginWidth && x < MarginCellWidth(); }

// Lines selected upwards keep the anchor at column 0 of the line below them, a line that holds
// nothing of the selection; the last selected line is the one to extend from.
int32_t CEditorCore::AnchorLine() const {
  if (m_anchor.x == 0 && m_caret < m_anchor) return m_anchor.y - 1;
  return m_anchor.y;
}

void CEditorCore::OnLButtonDown(int32_t x, int32_t y, bool shift, bool control) {
  const CTextPosition point = PointToTextPosition(x, y);
  if (x < m_marginWidth) {
    MoveCaret({0, point.y}, false);
    ToggleBreakpoint(point.y);
    return;
  }
  if (x < MarginCellWidth()) {
    // Select All is the whole click: holding or moving must not turn it into a selection
    // from the start of the text to the pointer.
    if (control) return SelectAll();
    m_capturing = true;
    m_lineMode = true;
    m_lineAnchor = shift ? AnchorLine() : point.y;
    ExtendByMouse(point, true);
    return;
  }
  m_capturing = true;
  const bool inside = HasSelection() && !(point < m_selStart) && point < m_selEnd;
  if (inside && !shift) {
    m_dragPending = true;
    m_pressPoint = point;
    return;
  }
  MoveCaret(point, shift);
  if (control) {
    m_wordMode = true;
    const std::u16string_view anchorLine = m_document.GetLine(m_anchor.y);
    m_wordAnchorStart = {WordStartAt(anchorLine, m_anchor.x), m_anchor.y};
    m_wordAnchorEnd = {WordEndAt(anchorLine, m_anchor.x), m_anchor.y};
    SelectWordsBetween(m_wordAnchorStart, m_wordAnchorEnd, point);
  }
}

void CEditorCore::OnLButtonDblClk(int32_t x, int32_t y) {
  if (x < MarginCellWidth()) return;
  const CTextPosition point = PointToTextPosition(x, y);
  const std::u16string_view line = m_document.GetLine(point.y);
  m_wordAnchorStart = {WordStartAt(line, point.x), point.y};
  m_wordAnchorEnd = {WordEndAt(line, point.x), point.y};
  MoveCaret(m_wordAnchorStart, false);
  MoveCaret(m_wordAnchorEnd, true);
  m_wordMode = true;
  m_capturing = true;
  m_dragPending = false;
}

void CEditorCore::SelectWordsBetween(CTextPosition fixedStart, CTextPosition fixedEnd,
                                     CTextPosition point) {
  const std::u16string_view line = m_document.GetLine(point.y);
  if (point < fixedStart) {
    MoveCaret(fixedEnd, false);
    MoveCaret({WordStartAt(line, point.x), point.y}, true);
  } else {
    MoveCaret(fixedStart, false);
    MoveCaret({std::max(WordEndAt(line, point.x), point.x), point.y}, true);
  }
}

bool CEditorCore::OnMouseMove(int32_t x, int32_t y) {
  if (m_dragPending) return true;
  if (!m_capturing) return false;
  const bool inMargin = x < MarginCellWidth();
  // Leaving the margin ends line selection; the words of Ctrl+click stay.
  if (m_lineMode && !inMargin) m_lineMode = m_wordMode = false;
  ExtendByMouse(PointToTextPosition(x, y), inMargin);
  return false;
}

void CEditorCore::ExtendByMouse(CTextPosition point, bool inMargin) {
  if (m_lineMode && inMargin) {
    const int32_t first = std::min(m_lineAnchor, point.y);
    const int32_t last = std::max(m_lineAnchor, point.y);
    SelectLines({first, last});
    if (point.y < m_lineAnchor) {
      const CTextPosition end = m_caret;
      MoveCaret(end, false);
      MoveCaret({0, first}, true);
    }
    return;
  }
  if (m_wordMode) return SelectWordsBetween(m_wordAnchorStart, m_wordAnchorEnd, point);
  MoveCaret(point, true);
}

void CEditorCore::OnLButtonUp(int32_t x, int32_t y) {
  // A press inside the selection that never became a drag is an ordinary click.
  if (m_dragPending) MoveCaret(PointToTextPosition(x, y), false);
  CancelMouse();
}

void CEditorCore::CancelMouse() {
  m_capturing = m_wordMode = m_lineMode = m_dragPending = false;
}

void CEditorCore::OnSelectionTimer(int32_t x, int32_t y) {
  if (!m_capturing) return;
  int32_t lines = 0;
  if (y < 0) lines = -1;
  if (y >= m_metrics.ClientHeight()) lines = 1;
  int32_t columns = 0;
  if (x < MarginCellWidth() && !m_lineMode) columns = -1;
  if (x >= m_metrics.ClientWidth()) columns = 1;
  if (lines == 0 && columns == 0) return;
  ScrollTo(m_firstLine + lines, m_firstColumn + columns);
  ExtendByMouse(PointToTextPosition(x, y), x < MarginCellWidth());
}

void CEditorCore::BeginDragSource() {
  m_dragPending = false;
  m_capturing = false;
  m_dragging = true;
  m_dropOnOwnSelection = false;
  m_dragStart = m_selStart;
  m_dragEnd = m_selEnd;
  m_editCountAtDrag = m_editCount;
  m_document.BeginUndoGroup(false);
}

void CEditorCore::EndDragSource(bool moved) {
  if (!m_dragging) return;
  // A drop on the dragged text itself only moved the caret: nothing may be deleted.
  if (moved && !m_dropOnOwnSelection) Delete(m_dragStart, m_dragEnd, document::ActionDragDrop);
  m_dragging = false;
  FlushEditGroup(m_editCountAtDrag);
  if (m_host != nullptr) m_host->InvalidateAll();
}

bool CEditorCore::DropText(CTextPosition position, std::u16string_view text) {
  const std::u16string normalized = NormalizeLineBreaks(text);
  if (normalized.empty()) return false;
  if (m_dragging && !(position < m_dragStart) && !(m_dragEnd < position)) {
    m_dropOnOwnSelection = true;
    MoveCaret(position, false);
    return false;
  }
  CTextPosition end;
  if (!Insert(position, normalized, document::ActionDragDrop, &end)) return false;
  MoveCaret(position, false);
  MoveCaret(end, true);
  return true;
}

}  // namespace quillet::editor
