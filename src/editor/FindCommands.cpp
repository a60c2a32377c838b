// Searching, replacing and going to a line: the view's half of the find dialog, F3 and Ctrl+G.

#include <algorithm>

#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/TextSearch.h"
#include "editor/ViewHost.h"

namespace quillet::editor {

using document::ActionDeleteSelection;
using document::ActionReplace;

bool CEditorCore::FindTextInBlock(std::u16string_view text, CTextPosition start,
                                  CTextPosition blockBegin, CTextPosition blockEnd, uint32_t flags,
                                  bool wrap, CTextPosition& found, bool remember) {
  if (remember) {
    m_hasLastSearch = true;
    m_lastSearchText.assign(text);
    m_lastSearchFlags = flags;
  }
  return editor::FindTextInBlock(m_document, text, start, blockBegin, blockEnd, flags, wrap, found);
}

bool CEditorCore::FindText(std::u16string_view text, CTextPosition start, uint32_t flags, bool wrap,
                           CTextPosition& found, bool remember) {
  return FindTextInBlock(text, start, {0, 0}, EndOfText(), flags, wrap, found, remember);
}

document::CTextPosition CEditorCore::EndOfText() const {
  const int32_t last = m_document.GetLineCount() - 1;
  return {m_document.GetLineLength(last), last};
}

void CEditorCore::HighlightText(CTextPosition position, int32_t length) {
  SetSelection(position, {position.x + length, position.y});
}

void CEditorCore::ReplaceSelection(std::u16string_view text) {
  if (!HasSelection()) return;
  m_document.BeginUndoGroup(false);
  DeleteSelection(ActionDeleteSelection);
  m_document.FlushUndoGroup(this);
  m_document.BeginUndoGroup(false);
  CTextPosition end;
  if (Insert(m_caret, text, ActionReplace, &end)) MoveCaret(end, false);
  m_document.FlushUndoGroup(this);
}

bool CEditorCore::RepeatSearch(bool reverse) {
  const uint32_t flags = reverse ? m_lastSearchFlags ^ FindDirectionUp : m_lastSearchFlags;
  // A highlighted match leaves the caret at its end; searching up from there would find the same
  // match again, so an upward search starts where the selection starts.
  const CTextPosition start = (flags & FindDirectionUp) != 0 ? m_selStart : m_caret;
  CTextPosition found;
  if (!FindText(m_lastSearchText, start, flags, true, found, false)) return false;
  HighlightText(found, static_cast<int32_t>(m_lastSearchText.size()));
  SetShowSelectionAlways(true);
  return true;
}

bool CEditorCore::GoToLine(int32_t line) {
  if (line < 1 || line > m_document.GetLineCount()) return false;
  SetCaret({0, line - 1});
  return true;
}

void CEditorCore::SetShowSelectionAlways(bool on) {
  if (m_showSelectionAlways == on) return;
  m_showSelectionAlways = on;
  if (m_host != nullptr && HasSelection()) m_host->InvalidateLines(m_selStart.y, m_selEnd.y);
}

}  // namespace quillet::editor
