#pragma once
// "Organize Code Snippets": rename, delete, move and edit the snippets and folders of a tree
// the caller loaded. Every change goes into that tree at once; the caller writes it on OK and
// drops it on Cancel.

#include <QDialog>

#include "snippets/ui/SnippetDialogPrompts.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidgetItem;

namespace quillet::snippets {

class CSnippetFolder;
class CSnippetTreeWidget;

class COrganizeSnippetsDlg : public QDialog {
  Q_OBJECT

 public:
  COrganizeSnippetsDlg(CSnippetFolder& root, SSnippetDialogPrompts prompts, QWidget* parent = nullptr);

  void OnRename();
  void OnDelete();
  void OnNewFolder();
  void OnMoveTo();

  [[nodiscard]] CSnippetTreeWidget* Tree() const { return m_tree; }
  [[nodiscard]] QPlainTextEdit* CodeEdit() const { return m_code; }
  [[nodiscard]] QLineEdit* ShortcutEdit() const { return m_shortcut; }
  [[nodiscard]] QPushButton* RenameButton() const { return m_rename; }
  [[nodiscard]] QPushButton* DeleteButton() const { return m_delete; }
  [[nodiscard]] QPushButton* NewFolderButton() const { return m_newFolder; }
  [[nodiscard]] QPushButton* MoveButton() const { return m_move; }

 private:
  void OnSelectionChanged();
  void OnItemChanged(QTreeWidgetItem* item);
  // The folder whose lists hold item's folder or snippet.
  [[nodiscard]] static CSnippetFolder* ParentFolderOf(const QTreeWidgetItem* item);

  CSnippetFolder& m_root;
  SSnippetDialogPrompts m_prompts;
  CSnippetTreeWidget* m_tree;
  QPlainTextEdit* m_code;
  QLineEdit* m_shortcut;
  QPushButton* m_rename;
  QPushButton* m_delete;
  QPushButton* m_newFolder;
  QPushButton* m_move;
  bool m_showing = false;  // filling the fields is not typing in them
};

}  // namespace quillet::snippets
