// The editing commands of CEditorCore: typing, deleting, indenting, commenting, the clipboard,
// bookmarks and undo.

#include <algorithm>
#include <string>

#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorClipboard.h"
#include "editor/EditorCore.h"
#include "editor/IntelliSenseHooks.h"
#include "editor/LineText.h"
#include "editor/ViewHost.h"

namespace quillet::editor {
namespace {

using namespace document;

// The characters that end a word and so give IntelliSense a chance to correct its case.
constexpr std::u16string_view kWordEnders = u" \t&\"()*+,-./:;<=>";

}  // namespace

bool CEditorCore::EditCommand(int32_t id) {
  using namespace app;
  switch (id) {
    case ID_EDIT_DELETE: DeleteForward(); break;
    case ID_EDIT_DELETE_BACK: DeleteBackward(); break;
    case ID_EDIT_DELETE_WORD_BACK: DeleteWordLeft(); break;
    case ID_EDIT_DELETE_WORD_FORWARD: DeleteWordRight(); break;
    case ID_EDIT_TAB: Tab(); break;
    case ID_EDIT_UNTAB: Untab(); break;
    case ID_EDIT_INCREASE_INDENT: BlockIndent(); break;
    case ID_EDIT_DECREASE_INDENT: BlockUnindent(); break;
    case ID_EDIT_COMMENT: CommentLines(true); break;
    case ID_EDIT_UNCOMMENT: CommentLines(false); break;
    case ID_EDIT_COPY: Copy(); break;
    case ID_EDIT_CUT: Cut(); break;
    case ID_EDIT_PASTE: Paste(); break;
    case ID_EDIT_SELECT_ALL: SelectAll(); break;
    case ID_EDIT_UNDO: Undo(); break;
    case ID_EDIT_REDO: Redo(); break;
    default: return false;
  }
  return true;
}

bool CEditorCore::Insert(CTextPosition at, std::u16string_view text, int32_t action,
                         CTextPosition* end) {
  int32_t endLine = 0, endChar = 0;
  if (!m_document.InsertText(this, at.y, at.x, text, endLine, endChar, action)) return false;
  ++m_editCount;
  if (end != nullptr) *end = {endChar, endLine};
  return true;
}

bool CEditorCore::Delete(CTextPosition start, CTextPosition end, int32_t action) {
  if (start == end) return false;
  if (!m_document.DeleteText(this, start.y, start.x, end.y, end.x, action)) return false;
  ++m_editCount;
  return true;
}

// The flush hands the newest record to the edit hook. A group that changed nothing has no record
// of its own, and the newest one may be an Enter typed long before: auto indent would run on it
// again and indent the caret's line.
void CEditorCore::FlushEditGroup(uint64_t editsAtStart) {
  m_document.FlushUndoGroup(m_editCount != editsAtStart ? this : nullptr);
}

void CEditorCore::DeleteSelection(int32_t action) {
  if (!HasSelection()) return;
  const CTextPosition start = m_selStart;
  Delete(start, m_selEnd, action);
  MoveCaret(start, false);
}

void CEditorCore::OnChar(char16_t c) {
  if (m_capturing) return;
  if (c == u'\r' || c == u'\n') return TypeEnter();
  if (c == u'\t') return Tab();
  if (c < 32) return;
  TypeCharacter(c);
}

void CEditorCore::TypeCharacter(char16_t c) {
  if (kWordEnders.find(c) != std::u16string_view::npos) m_hooks->CorrectWordCase(m_caret);
  // Characters join the step before them; a space starts a new one.
  m_document.BeginUndoGroup(c != u' ');
  if (HasSelection()) {
    DeleteSelection(ActionDeleteSelection);
  } else if (m_overwrite && m_caret.x < m_document.GetLineLength(m_caret.y)) {
    Delete(m_caret, {NextCharEnd(m_document.GetLine(m_caret.y), m_caret.x), m_caret.y}, ActionTyping);
  }
  CTextPosition end;
  const std::u16string_view text(&c, 1);
  if (Insert(m_caret, text, ActionTyping, &end)) MoveCaret(end, false);
  m_document.FlushUndoGroup(this);
  if (c == u'.') m_hooks->OpenMemberList(m_caret);
  if (c == u' ' || c == u'(') m_hooks->OpenParameterTip(m_caret);
}

void CEditorCore::TypeEnter() {
  m_hooks->CorrectWordCase(m_caret);
  if (m_overwrite && m_caret.y + 1 < m_document.GetLineCount()) {
    return MoveCaret({0, m_caret.y + 1}, false);
  }
  m_document.BeginUndoGroup(false);
  DeleteSelection(ActionDeleteSelection);
  CTextPosition end;
  if (Insert(m_caret, u"\r\n", ActionTyping, &end)) MoveCaret(end, false);
  // The flush calls OnEditOperation, which indents the new line as its own undo step.
  m_document.FlushUndoGroup(this);
}

void CEditorCore::OnEditOperation(int32_t action, std::u16string_view text) {
  if (!m_autoIndent || action != ActionTyping || text != u"\r\n" || m_overwrite) return;
  if (m_caret.y == 0) return;
  const std::u16string_view above = m_document.GetLine(m_caret.y - 1);
  size_t length = 0;
  while (length < above.size() && IsBlank(above[length])) ++length;
  if (length == 0) return;
  const std::u16string indent(above.substr(0, length));
  int32_t endLine = 0, endChar = 0;
  if (m_document.InsertText(nullptr, m_caret.y, m_caret.x, indent, endLine, endChar, ActionAutoIndent)) {
    MoveCaret({endChar, endLine}, false);
  }
}

void CEditorCore::DeleteForward() {
  if (HasSelection()) return DeleteSelection(ActionDelete);
  const std::u16string_view line = m_document.GetLine(m_caret.y);
  if (m_caret.x < static_cast<int32_t>(line.size())) {
    Delete(m_caret, {NextCharEnd(line, m_caret.x), m_caret.y}, ActionDelete);
  } else if (m_caret.y + 1 < m_document.GetLineCount()) {
    Delete(m_caret, {0, m_caret.y + 1}, ActionDelete);
  }
  MoveCaret(m_caret, false);
}

void CEditorCore::DeleteBackward() {
  if (HasSelection()) return DeleteSelection(ActionDelete);
  CTextPosition start = m_caret;
  if (m_caret.x > 0) {
    start.x = PreviousCharStart(m_document.GetLine(m_caret.y), m_caret.x);
  } else if (m_caret.y > 0) {
    start = {m_document.GetLineLength(m_caret.y - 1), m_caret.y - 1};
  }
  Delete(start, m_caret, ActionBackspace);
  MoveCaret(start, false);
}

void CEditorCore::DeleteWordLeft() {
  if (m_caret.x == 0) return;
  const CTextPosition end = m_caret;
  MoveCaret({WordLeftIn(m_document.GetLine(end.y), end.x), end.y}, false);
  MoveCaret(end, true);
  DeleteSelection(ActionDelete);
}

// Classifies by the first character after the blanks: a run of word characters or a run of
// other characters. At the line end it joins the next line as Delete does.
void CEditorCore::DeleteWordRight() {
  const std::u16string_view line = m_document.GetLine(m_caret.y);
  const auto n = static_cast<int32_t>(line.size());
  int32_t x = m_caret.x;
  while (x < n && IsBlank(line[x])) ++x;
  const bool word = x < n && IsWordChar(line[x]);
  while (x < n && !IsBlank(line[x]) && IsWordChar(line[x]) == word) ++x;
  if (x == m_caret.x) return DeleteForward();
  MoveCaret(m_caret, false);
  MoveCaret({x, m_caret.y}, true);
  DeleteSelection(ActionDelete);
}

void CEditorCore::Tab() {
  if (HasSelection() && m_selStart.y != m_selEnd.y) return BlockIndent();
  m_hooks->CorrectWordCase(m_caret);
  const std::u16string_view line = m_document.GetLine(m_caret.y);
  const int32_t tabSize = m_settings.tabSize;
  if (m_overwrite && m_caret.x < static_cast<int32_t>(line.size())) {
    // Overwrite mode moves to the next tab stop over the text instead of changing it.
    int32_t x = m_caret.x;
    while (x < static_cast<int32_t>(line.size())) {
      const char16_t c = line[x++];
      if (c == u'\t' || DisplayColumn(line, x, tabSize) % tabSize == 0) break;
    }
    return MoveCaret({x, m_caret.y}, false);
  }
  m_document.BeginUndoGroup(false);
  DeleteSelection(ActionDeleteSelection);
  // Spaces up to the next tab stop by display column, so earlier tabs in the line count right.
  const int32_t column = DisplayColumnOf(m_caret);
  const std::u16string text =
      m_settings.insertSpaces ? std::u16string(static_cast<size_t>(tabSize - column % tabSize), u' ') : u"\t";
  CTextPosition end;
  if (Insert(m_caret, text, ActionTyping, &end)) MoveCaret(end, false);
  m_document.FlushUndoGroup(this);
}

void CEditorCore::Untab() {
  if (HasSelection() && m_selStart.y != m_selEnd.y) return BlockUnindent();
  const int32_t column = DisplayColumnOf(m_caret);
  if (m_caret.x == 0) return;
  const int32_t tabSize = m_settings.tabSize;
  const int32_t stop = (column - 1) / tabSize * tabSize;
  int32_t x = m_caret.x;
  while (x > 0 && DisplayColumnOf({x, m_caret.y}) > stop) --x;
  MoveCaret({x, m_caret.y}, false);
}

CEditorCore::SLineRange CEditorCore::SelectedLines() const {
  if (!HasSelection()) return {m_caret.y, m_caret.y};
  SLineRange range{m_selStart.y, m_selEnd.y};
  if (m_selEnd.x == 0 && range.last > range.first) --range.last;
  return range;
}

void CEditorCore::SelectLines(SLineRange range) {
  const CTextPosition end = range.last + 1 < m_document.GetLineCount()
                                ? CTextPosition{0, range.last + 1}
                                : CTextPosition{m_document.GetLineLength(range.last), range.last};
  MoveCaret({0, range.first}, false);
  MoveCaret(end, true);
}

void CEditorCore::BlockIndent() {
  const SLineRange range = SelectedLines();
  SelectLines(range);
  const std::u16string indent =
      m_settings.insertSpaces ? std::u16string(static_cast<size_t>(m_settings.tabSize), u' ') : u"\t";
  m_blockOperation = true;
  const uint64_t editsAtStart = m_editCount;
  m_document.BeginUndoGroup(false);
  for (int32_t line = range.first; line <= range.last; ++line) Insert({0, line}, indent, ActionIndent, nullptr);
  FlushEditGroup(editsAtStart);
  m_blockOperation = false;
  m_longestColumns = -1;
  SelectLines(range);
  if (m_host != nullptr) m_host->ScrollRangesChanged();
}

void CEditorCore::BlockUnindent() {
  const SLineRange range = SelectedLines();
  SelectLines(range);
  const auto tabSize = static_cast<size_t>(m_settings.tabSize);
  m_blockOperation = true;
  const uint64_t editsAtStart = m_editCount;
  m_document.BeginUndoGroup(false);
  for (int32_t line = range.first; line <= range.last; ++line) {
    const std::u16string_view text = m_document.GetLine(line);
    size_t n = 0;
    while (n < text.size() && n < tabSize && text[n] == u' ') ++n;
    if (n < tabSize && n < text.size() && text[n] == u'\t') ++n;
    Delete({0, line}, {static_cast<int32_t>(n), line}, ActionIndent);
  }
  FlushEditGroup(editsAtStart);
  m_blockOperation = false;
  SelectLines(range);
  if (m_host != nullptr) m_host->ScrollRangesChanged();
}

void CEditorCore::CommentLines(bool comment) {
  const SLineRange range = SelectedLines();
  SelectLines(range);
  m_blockOperation = true;
  const uint64_t editsAtStart = m_editCount;
  m_document.BeginUndoGroup(false);
  for (int32_t line = range.first; line <= range.last; ++line) {
    const std::u16string_view text = m_document.GetLine(line);
    const int32_t first = FirstNonBlank(text);
    if (first < 0) continue;
    const bool commented = text[first] == u'\'';
    if (comment && !commented) Insert({0, line}, u"'", ActionGeneric, nullptr);
    if (!comment && commented) Delete({first, line}, {first + 1, line}, ActionGeneric);
  }
  FlushEditGroup(editsAtStart);
  m_blockOperation = false;
  SelectLines(range);
  MoveCaret(m_caret, false);
  if (m_host != nullptr) m_host->ScrollRangesChanged();
}

void CEditorCore::Copy() {
  if (HasSelection() && m_clipboard != nullptr) m_clipboard->SetText(SelectedText());
}

void CEditorCore::Cut() {
  if (!HasSelection()) return;
  Copy();
  DeleteSelection(ActionCut);
}

// The clipboard is read before the selection goes, so that an empty clipboard loses nothing.
void CEditorCore::Paste() {
  if (m_clipboard == nullptr || !m_clipboard->HasText()) return;
  const std::u16string text = NormalizeLineBreaks(m_clipboard->GetText());
  if (text.empty()) return;
  m_document.BeginUndoGroup(false);
  DeleteSelection(ActionPaste);
  CTextPosition end;
  if (Insert(m_caret, text, ActionPaste, &end)) MoveCaret(end, false);
  m_document.FlushUndoGroup(this);
}

std::u16string CEditorCore::NormalizeLineBreaks(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) result += u'\r';
    result += text[i];
  }
  return result;
}

void CEditorCore::SelectAll() {
  const int32_t last = m_document.GetLineCount() - 1;
  const int32_t firstLine = m_firstLine, firstColumn = m_firstColumn;
  m_anchor = m_selStart = {0, 0};
  m_caret = m_selEnd = {m_document.GetLineLength(last), last};
  m_idealColumn = DisplayColumnOf(m_caret);
  m_firstLine = firstLine;
  m_firstColumn = firstColumn;
  if (m_host != nullptr) {
    m_host->InvalidateAll();
    m_host->CaretChanged();
  }
}

bool CEditorCore::BookmarkCommand(int32_t id) {
  using namespace app;
  int32_t found = -1;
  switch (id) {
    case ID_EDIT_TOGGLE_BOOKMARK: {
      const bool on = (m_document.GetLineFlags(m_caret.y) & LineBookmark) == 0;
      m_document.SetLineFlag(m_caret.y, LineBookmark, on, false);
      m_hasBookmarks = on || m_document.FindLineWithFlag(LineBookmark) >= 0;
      return true;
    }
    case ID_EDIT_NEXT_BOOKMARK: found = m_document.FindNextBookmark(m_caret.y); break;
    case ID_EDIT_PREVIOUS_BOOKMARK: found = m_document.FindPrevBookmark(m_caret.y); break;
    case ID_EDIT_CLEAR_ALL_BOOKMARKS:
      for (int32_t line = m_document.FindLineWithFlag(LineBookmark); line >= 0;
           line = m_document.FindLineWithFlag(LineBookmark)) {
        m_document.SetLineFlag(line, LineBookmark, false, false);
      }
      m_hasBookmarks = false;
      return true;
    default: return false;
  }
  if (found >= 0) MoveCaret({0, found}, false);
  return true;
}

void CEditorCore::Undo() {
  CTextPosition caret;
  if (m_document.CanUndo() && m_document.Undo(caret)) SetCaret(caret);
}

void CEditorCore::Redo() {
  CTextPosition caret;
  if (m_document.CanRedo() && m_document.Redo(caret)) SetCaret(caret);
}

void CEditorCore::ToggleBreakpoint(int32_t line) {
  if (line < 0 || line >= m_document.GetLineCount()) return;
  auto& table = m_document.Breakpoints();
  const auto it = table.find(line);
  // A cleared breakpoint stays as 0 until the debugger has had a chance to drop it.
  if (it != table.end() && it->second == 1) {
    it->second = 0;
  } else {
    table[line] = 1;
  }
  m_document.UpdateViews(nullptr, nullptr, UpdateOneLine | UpdateMarksOnly, line);
  if (m_host != nullptr) m_host->BreakpointsChanged();
}

}  // namespace quillet::editor
