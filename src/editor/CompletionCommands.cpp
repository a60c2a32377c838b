// The edits that completion makes: a chosen name in place of the word typed so far, and a case
// correction that leaves no undo step behind.

#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/IntelliSenseHooks.h"
#include "editor/ViewHost.h"

namespace quillet::editor {

using namespace document;

bool CEditorCore::IntelliSenseCommand(int32_t id) {
  switch (id) {
    case app::ID_EDIT_LIST_MEMBERS: m_hooks->ListMembers(); return true;
    case app::ID_EDIT_COMPLETE_WORD: m_hooks->CompleteWord(); return true;
    case app::ID_EDIT_PARAMETERS_INFO: m_hooks->ParametersInfo(); return true;
    default: return false;
  }
}

// Deletion and insertion form one group, so that one Undo gives back the word as it was typed.
void CEditorCore::ReplaceBeforeCaret(int32_t count, std::u16string_view text) {
  const uint64_t editsAtStart = m_editCount;
  m_document.BeginUndoGroup(false);
  if (count > 0 && m_caret.x >= count) {
    const CTextPosition start{m_caret.x - count, m_caret.y};
    if (Delete(start, m_caret, ActionPaste)) MoveCaret(start, false);
  }
  CTextPosition end;
  if (Insert(m_caret, text, ActionPaste, &end)) MoveCaret(end, false);
  ScrollCaretIntoView();
  FlushEditGroup(editsAtStart);
}

void CEditorCore::RewriteWordCase(CTextPosition position, std::u16string_view text) {
  if (!m_document.RewriteInPlace(position.y, position.x, text)) return;
  if (m_host != nullptr) m_host->InvalidateLines(position.y, position.y);
}

}  // namespace quillet::editor
