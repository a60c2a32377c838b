// Snippet insertion, F4 expansion and the search for the next field.

#include <algorithm>

#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/SnippetSource.h"
#include "snippets/SnippetText.h"

namespace quillet::editor {
namespace {

using namespace document;

[[nodiscard]] bool IsShortcutCharacter(char16_t c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == u'_';
}

}  // namespace

void CEditorCore::InsertSnippet(std::u16string_view code) {
  const uint64_t editsAtStart = m_editCount;
  m_document.BeginUndoGroup(false);
  DeleteSelection(ActionPaste);
  const CTextPosition at = m_caret;
  // The whole run of blanks, not only up to the caret: the block lines up with its line.
  const std::u16string text =
      snippets::IndentSnippetCode(code, snippets::LeadingBlanks(m_document.GetLine(at.y)));
  CTextPosition end = at;
  if (Insert(at, text, ActionPaste, &end) && !SelectNextField(at)) {
    MoveCaret(end, false);
    ScrollCaretIntoView();
  }
  FlushEditGroup(editsAtStart);
}

void CEditorCore::InsertAsPaste(std::u16string_view text) {
  const uint64_t editsAtStart = m_editCount;
  m_document.BeginUndoGroup(false);
  DeleteSelection(ActionPaste);
  CTextPosition end;
  if (Insert(m_caret, text, ActionPaste, &end)) {
    MoveCaret(end, false);
    ScrollCaretIntoView();
  }
  FlushEditGroup(editsAtStart);
}

void CEditorCore::ExpandSnippetOrSelectField() {
  if (SelectNextField(m_caret) || m_snippetSource == nullptr) return;
  CTextPosition start = m_selStart, end = m_selEnd;
  if (!HasSelection()) {
    const std::u16string_view line = m_document.GetLine(m_caret.y);
    while (start.x > 0 && IsShortcutCharacter(line[start.x - 1])) --start.x;
    while (end.x < static_cast<int32_t>(line.size()) && IsShortcutCharacter(line[end.x])) ++end.x;
  } else if (start.y != end.y) {
    return;
  }
  if (start == end) return;
  const std::u16string word(m_document.GetLine(start.y).substr(start.x, end.x - start.x));
  const std::optional<std::u16string> code = m_snippetSource->CodeForShortcut(word);
  if (!code) return;
  SetSelection(start, end);
  InsertSnippet(*code);
}

bool CEditorCore::FieldStartingAt(int32_t line, int32_t column, CTextPosition& end) {
  std::vector<SColorBlock> blocks;
  m_colorizer.ParseLine(m_colorizer.GetParseCookie(line), line, &blocks);
  const std::u16string_view text = m_document.GetLine(line);
  for (const SColorBlock& block : blocks) {
    if (block.start != column || block.color != ColorField) continue;
    const size_t close = text.find(u'}', static_cast<size_t>(column));
    if (close == std::u16string_view::npos) return false;
    end = {static_cast<int32_t>(close) + 1, line};
    return true;
  }
  return false;
}

bool CEditorCore::SelectNextField(CTextPosition from) {
  const int32_t lineCount = m_document.GetLineCount();
  // Forward to the end of the text, then once more from its top.
  for (int32_t pass = 0; pass < 2; ++pass) {
    const int32_t firstLine = pass == 0 ? from.y : 0;
    const int32_t lastLine = pass == 0 ? lineCount - 1 : std::min(from.y, lineCount - 1);
    for (int32_t line = firstLine; line <= lastLine; ++line) {
      const std::u16string_view text = m_document.GetLine(line);
      const size_t startColumn = pass == 0 && line == from.y ? static_cast<size_t>(from.x) : 0;
      for (size_t brace = text.find(u'{', startColumn); brace != std::u16string_view::npos;
           brace = text.find(u'{', brace + 1)) {
        CTextPosition end;
        if (FieldStartingAt(line, static_cast<int32_t>(brace), end)) {
          SetSelection({static_cast<int32_t>(brace), line}, end);
          ScrollCaretIntoView();
          return true;
        }
      }
    }
  }
  return false;
}

}  // namespace quillet::editor
