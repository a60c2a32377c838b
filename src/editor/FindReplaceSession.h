#pragma once
// What the Find and Replace dialog does, without the dialog: the options it opens with, its
// scope and block, the search position, and the Find Next, Replace and Replace All buttons.

#include <string>
#include <vector>

#include "document/TextPosition.h"

namespace quillet::app {
class CSettings;
}

namespace quillet::editor {

class CEditorCore;

struct SFindReplaceOptions {
  std::u16string findWhat;
  std::u16string replaceWith;
  bool matchCase = false;
  bool wholeWord = false;
  bool searchUp = false;
  bool selectionScope = false;
};

class CFindReplaceSession {
 public:
  using CTextPosition = document::CTextPosition;

  // settings may be null: then the options start empty and nothing is stored.
  CFindReplaceSession(CEditorCore& view, app::CSettings* settings);
  CFindReplaceSession(const CFindReplaceSession&) = delete;
  CFindReplaceSession& operator=(const CFindReplaceSession&) = delete;

  // Reads the stored options and takes the find text, scope and start from the selection.
  void Open();
  // Stores the options for the next dialog and stops showing the selection without the focus.
  void Close();

  [[nodiscard]] SFindReplaceOptions& Options() { return m_options; }
  [[nodiscard]] bool SelectionScopeEnabled() const { return m_selectionEnabled; }
  [[nodiscard]] const std::vector<std::u16string>& RecentFinds() const { return m_recentFinds; }
  [[nodiscard]] const std::vector<std::u16string>& RecentReplaces() const { return m_recentReplaces; }
  [[nodiscard]] CTextPosition SearchPosition() const { return m_position; }
  [[nodiscard]] CTextPosition BlockBegin() const { return m_blockBegin; }
  [[nodiscard]] CTextPosition BlockEnd() const { return m_blockEnd; }
  [[nodiscard]] bool Found() const { return m_found; }

  // Each returns the message to show, empty when there is none.
  std::u16string FindNext();
  std::u16string Replace();
  // Replaces every match downwards from the start of the scope; never wraps and never reports.
  void ReplaceAll();

 private:
  bool TakeFindText(bool withReplace);
  bool Search(bool notify, bool wrap, bool forceDown, std::u16string* message);
  // down: the next search continues behind the replacement, else before it.
  void ReplaceFound(bool down);
  [[nodiscard]] bool SelectionIsMatch() const;

  CEditorCore& m_view;
  app::CSettings* m_settings;
  SFindReplaceOptions m_options;
  std::vector<std::u16string> m_recentFinds;
  std::vector<std::u16string> m_recentReplaces;
  bool m_selectionEnabled = false;
  CTextPosition m_blockBegin, m_blockEnd;
  CTextPosition m_position;
  bool m_found = false;
};

}  // namespace quillet::editor
