#pragma once
// The questions the Add and Organize dialogs ask in dialogs of their own. Tests answer them
// without opening anything; the defaults open "Create a New folder", "Move to:" and a message box.

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace quillet::snippets {

class CSnippetFolder;

struct SSnippetDialogPrompts {
  // The new folder's name; none when cancelled.
  std::function<std::optional<QString>(QWidget* parent)> askFolderName;
  // The destination of a move; moving (a folder, or null for a snippet) and what lies under
  // it are not offered. Null when cancelled.
  std::function<CSnippetFolder*(QWidget* parent, CSnippetFolder& root, const CSnippetFolder* moving)>
      askMoveTarget;
  std::function<void(QWidget* parent, const QString& text)> showMessage;

  [[nodiscard]] static SSnippetDialogPrompts Modal();
};

}  // namespace quillet::snippets
