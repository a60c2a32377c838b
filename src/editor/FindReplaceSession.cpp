#include "editor/FindReplaceSession.h"

#include "base/SettingsInventory.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/LineText.h"
#include "editor/RecentEntryList.h"
#include "editor/TextSearch.h"

namespace quillet::editor {

namespace settings = app::settings;

CFindReplaceSession::CFindReplaceSession(CEditorCore& view, app::CSettings* settings)
    : m_view(view), m_settings(settings) {}

void CFindReplaceSession::Open() {
  if (m_settings != nullptr) {
    m_options.matchCase = m_settings->Read(settings::ReplaceMatchCase) != 0;
    m_options.wholeWord = m_settings->Read(settings::ReplaceWholeWord) != 0;
    m_options.findWhat = m_settings->Read(settings::ReplaceFindWhat);
    m_options.replaceWith = m_settings->Read(settings::ReplaceReplaceWith);
  }
  m_options.searchUp = false;
  m_options.selectionScope = false;
  const document::CQuilletDoc& document = m_view.Document();
  const CTextPosition selStart = m_view.SelectionStart();
  const CTextPosition selEnd = m_view.SelectionEnd();
  m_selectionEnabled = m_view.HasSelection();
  m_blockBegin = {0, 0};
  m_blockEnd = m_view.EndOfText();
  if (!m_selectionEnabled) {
    const CTextPosition caret = m_view.Caret();
    const std::u16string_view line = document.GetLine(caret.y);
    const int32_t start = WordStartAt(line, caret.x);
    const int32_t end = WordEndAt(line, caret.x);
    if (start < end) m_options.findWhat.assign(line.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    m_position = caret;
  } else if (selStart.y != selEnd.y) {
    m_options.selectionScope = true;
    m_blockBegin = selStart;
    m_blockEnd = selEnd;
    m_position = selStart;
  } else if (selStart.x == 0 && selEnd.x == document.GetLineLength(selEnd.y)) {
    m_position = selStart;
  } else {
    m_options.findWhat = m_view.SelectedText();
    m_position = selEnd;
  }
  m_view.SetShowSelectionAlways(true);
  m_recentFinds = UpdateRecentList(m_settings, settings::RecentFinds, m_options.findWhat);
  m_recentReplaces = UpdateRecentList(m_settings, settings::RecentReplaces, m_options.replaceWith);
  m_found = false;
}

void CFindReplaceSession::Close() {
  if (m_settings != nullptr) {
    m_settings->Write(settings::ReplaceMatchCase, m_options.matchCase ? 1 : 0);
    m_settings->Write(settings::ReplaceWholeWord, m_options.wholeWord ? 1 : 0);
    m_settings->Write(settings::ReplaceFindWhat, m_options.findWhat);
    m_settings->Write(settings::ReplaceReplaceWith, m_options.replaceWith);
  }
  m_view.SetShowSelectionAlways(false);
}

bool CFindReplaceSession::TakeFindText(bool withReplace) {
  if (m_options.findWhat.empty()) return false;
  m_recentFinds = UpdateRecentList(m_settings, settings::RecentFinds, m_options.findWhat);
  if (withReplace) {
    m_recentReplaces = UpdateRecentList(m_settings, settings::RecentReplaces, m_options.replaceWith);
  }
  return true;
}

std::u16string CFindReplaceSession::FindNext() {
  if (!TakeFindText(false)) return {};
  // Upwards the search already ends before the position, so only a downward one steps past the
  // match it found last.
  const bool down = m_options.selectionScope || !m_options.searchUp;
  if (m_found && down) ++m_position.x;
  std::u16string message;
  m_found = Search(true, true, false, &message);
  return message;
}

std::u16string CFindReplaceSession::Replace() {
  if (!TakeFindText(true)) return {};
  if (m_found && SelectionIsMatch()) ReplaceFound(m_options.selectionScope || !m_options.searchUp);
  std::u16string message;
  m_found = Search(true, true, false, &message);
  return message;
}

void CFindReplaceSession::ReplaceAll() {
  if (!TakeFindText(true)) return;
  m_found = false;
  m_position = {0, 0};
  while (Search(false, false, true, nullptr)) {
    m_found = true;
    ReplaceFound(true);
  }
  m_found = false;
}

bool CFindReplaceSession::Search(bool notify, bool wrap, bool forceDown, std::u16string* message) {
  uint32_t flags = 0;
  if (m_options.matchCase) flags |= FindMatchCase;
  if (m_options.wholeWord) flags |= FindWholeWord;
  const std::u16string& text = m_options.findWhat;
  CTextPosition found;
  bool ok = false;
  if (m_options.selectionScope) {
    ok = m_view.FindTextInBlock(text, m_position, m_blockBegin, m_blockEnd, flags, false, found, true);
  } else {
    if (m_options.searchUp && !forceDown) flags |= FindDirectionUp;
    ok = m_view.FindText(text, m_position, flags, wrap, found, true);
  }
  if (ok) {
    m_view.HighlightText(found, static_cast<int32_t>(text.size()));
    m_position = found;
  } else if (notify && message != nullptr) {
    *message = NotFoundMessage(text);
  }
  return ok;
}

bool CFindReplaceSession::SelectionIsMatch() const {
  return m_view.HasSelection() && m_view.SelectionStart() == m_position &&
         m_view.SelectionEnd() == CTextPosition{m_position.x + static_cast<int32_t>(m_options.findWhat.size()), m_position.y};
}

void CFindReplaceSession::ReplaceFound(bool down) {
  m_view.ReplaceSelection(m_options.replaceWith);
  const int32_t delta = static_cast<int32_t>(m_options.replaceWith.size()) -
                        static_cast<int32_t>(m_options.findWhat.size());
  if (m_selectionEnabled) {
    for (CTextPosition* edge : {&m_blockBegin, &m_blockEnd}) {
      if (edge->y == m_position.y && edge->x > m_position.x) edge->x += delta;
    }
  }
  // Upwards the next search looks before the replaced match; downwards it continues behind it.
  if (down) m_position.x += static_cast<int32_t>(m_options.replaceWith.size());
}

}  // namespace quillet::editor
