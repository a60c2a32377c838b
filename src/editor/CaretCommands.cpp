// Caret movement and scrolling commands of CEditorCore.

#include <algorithm>

#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/IntelliSenseHooks.h"
#include "editor/LineText.h"
#include "editor/TextMetrics.h"
#include "editor/ViewHost.h"

namespace quillet::editor {

using document::CTextPosition;

void CEditorCore::SetCaret(CTextPosition position, bool extend) {
  position.y = std::clamp(position.y, 0, m_document.GetLineCount() - 1);
  position.x = std::clamp(position.x, 0, m_document.GetLineLength(position.y));
  MoveCaret(position, extend);
}

void CEditorCore::SetSelection(CTextPosition start, CTextPosition end) {
  SetCaret(start);
  SetCaret(end, true);
}

void CEditorCore::MoveCaret(CTextPosition position, bool extend, bool keepIdealColumn) {
  const CTextPosition oldStart = m_selStart;
  const CTextPosition oldEnd = m_selEnd;
  const int32_t oldCaretLine = m_caret.y;
  m_caret = position;
  if (!keepIdealColumn) m_idealColumn = DisplayColumnOf(m_caret);
  if (!extend) m_anchor = m_caret;
  m_selStart = std::min(m_anchor, m_caret);
  m_selEnd = std::max(m_anchor, m_caret);
  ScrollCaretIntoView();
  InvalidateSelectionChange(oldStart, oldEnd, oldCaretLine);
  if (m_host != nullptr) m_host->CaretChanged();
}

bool CEditorCore::MoveCommand(int32_t id) {
  using namespace app;
  if (id == ID_EDIT_SCROLLUP || id == ID_EDIT_SCROLLDOWN) {
    ScrollLines(id == ID_EDIT_SCROLLUP ? -1 : 1);
    return true;
  }
  if (id < ID_EDIT_CHARLEFT || id > ID_EDIT_TEXTEND + 1) return false;
  const bool extend = ((id - ID_EDIT_CHARLEFT) & 1) != 0;
  const int32_t base = id - (extend ? 1 : 0);
  // Arrow keys give IntelliSense its chance to correct the identifier just typed.
  const bool arrow = base == ID_EDIT_CHARLEFT || base == ID_EDIT_CHARRIGHT ||
                     base == ID_EDIT_LINEUP || base == ID_EDIT_LINEDOWN;
  if (arrow && m_document.IsTextChanged()) m_hooks->CorrectIdentifierCase(m_caret);
  const CTextPosition last{m_document.GetLineLength(m_document.GetLineCount() - 1),
                           m_document.GetLineCount() - 1};
  switch (base) {
    case ID_EDIT_CHARLEFT: MoveLeft(extend); break;
    case ID_EDIT_CHARRIGHT: MoveRight(extend); break;
    case ID_EDIT_WORDLEFT: MoveWordLeft(extend); break;
    case ID_EDIT_WORDRIGHT: MoveWordRight(extend); break;
    case ID_EDIT_LINEUP: MoveVertical(-1, extend); break;
    case ID_EDIT_LINEDOWN: MoveVertical(1, extend); break;
    case ID_EDIT_PAGEUP: MovePage(-1, extend); break;
    case ID_EDIT_PAGEDOWN: MovePage(1, extend); break;
    case ID_EDIT_LINEEND: MoveCaret({m_document.GetLineLength(m_caret.y), m_caret.y}, extend); break;
    case ID_EDIT_HOME: MoveHome(extend); break;
    case ID_EDIT_TEXTBEGIN: MoveCaret({0, 0}, extend); break;
    case ID_EDIT_TEXTEND: MoveCaret(last, extend); break;
    default: return false;
  }
  return true;
}

void CEditorCore::MoveLeft(bool extend) {
  if (HasSelection() && !extend) return MoveCaret(m_selStart, false);
  if (m_caret.x > 0) {
    return MoveCaret({PreviousCharStart(m_document.GetLine(m_caret.y), m_caret.x), m_caret.y}, extend);
  }
  if (m_caret.y > 0) MoveCaret({m_document.GetLineLength(m_caret.y - 1), m_caret.y - 1}, extend);
}

void CEditorCore::MoveRight(bool extend) {
  if (HasSelection() && !extend) return MoveCaret(m_selEnd, false);
  if (m_caret.x < m_document.GetLineLength(m_caret.y)) {
    return MoveCaret({NextCharEnd(m_document.GetLine(m_caret.y), m_caret.x), m_caret.y}, extend);
  }
  if (m_caret.y + 1 < m_document.GetLineCount()) MoveCaret({0, m_caret.y + 1}, extend);
}

void CEditorCore::MoveWordLeft(bool extend) {
  if (HasSelection() && !extend) return MoveLeft(false);
  CTextPosition target = m_caret;
  if (target.x == 0) {
    if (target.y == 0) return;
    target = {m_document.GetLineLength(target.y - 1), target.y - 1};
  }
  target.x = WordLeftIn(m_document.GetLine(target.y), target.x);
  MoveCaret(target, extend);
}

void CEditorCore::MoveWordRight(bool extend) {
  if (HasSelection() && !extend) return MoveRight(false);
  CTextPosition target = m_caret;
  if (target.x == m_document.GetLineLength(target.y)) {
    if (target.y + 1 >= m_document.GetLineCount()) return;
    target = {0, target.y + 1};
  }
  target.x = WordRightIn(m_document.GetLine(target.y), target.x);
  MoveCaret(target, extend);
}

// Vertical moves keep the remembered column, so passing a short line does not lose it.
void CEditorCore::MoveVertical(int32_t lines, bool extend) {
  if (HasSelection() && !extend) {
    const CTextPosition from = lines < 0 ? m_selStart : m_selEnd;
    MoveCaret(from, false);
  }
  const int32_t line = std::clamp(m_caret.y + lines, 0, m_document.GetLineCount() - 1);
  if (line == m_caret.y) return MoveCaret(m_caret, extend, true);
  MoveCaret({CharAtIdealColumn(line), line}, extend, true);
}

int32_t CEditorCore::CharAtIdealColumn(int32_t line) const {
  const std::u16string_view text = m_document.GetLine(line);
  const int32_t target = m_idealColumn * m_metrics.CharWidth();
  int32_t sum = 0;
  for (int32_t i = 0; i < static_cast<int32_t>(text.size()); ++i) {
    const int32_t width = Advance(text[i], sum);
    if (sum + width >= target) return target <= sum + width / 2 ? i : i + 1;
    sum += width;
  }
  return static_cast<int32_t>(text.size());
}

void CEditorCore::MovePage(int32_t direction, bool extend) {
  const int32_t step = std::max(1, VisibleLines() - 1) * direction;
  ScrollLines(step);
  const int32_t line = std::clamp(m_caret.y + step, 0, m_document.GetLineCount() - 1);
  MoveCaret({std::min(m_caret.x, m_document.GetLineLength(line)), line}, extend);
}

void CEditorCore::MoveHome(bool extend) {
  const int32_t firstNonBlank = FirstNonBlank(m_document.GetLine(m_caret.y));
  const int32_t x = firstNonBlank >= 0 && m_caret.x != firstNonBlank ? firstNonBlank : 0;
  MoveCaret({x, m_caret.y}, extend);
}

}  // namespace quillet::editor
