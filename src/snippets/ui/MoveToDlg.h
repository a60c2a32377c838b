#pragma once
// "Move to:": picks the folder a snippet or folder moves into. The folder being moved and its
// contents are not offered, so a folder can never move into itself.

#include <QDialog>

namespace quillet::snippets {

class CSnippetFolder;
class CSnippetTreeWidget;

class CMoveToDlg : public QDialog {
  Q_OBJECT

 public:
  CMoveToDlg(CSnippetFolder& root, const CSnippetFolder* moving, QWidget* parent = nullptr);
  // The selected folder (the root at start).
  [[nodiscard]] CSnippetFolder* Destination() const;
  [[nodiscard]] CSnippetTreeWidget* Tree() const { return m_tree; }

 private:
  CSnippetTreeWidget* m_tree;
};

}  // namespace quillet::snippets
