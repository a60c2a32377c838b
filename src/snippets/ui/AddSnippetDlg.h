#pragma once
// "Add to Code Snippets": stores typed or selected code as a new snippet in the chosen folder of
// a tree the caller loaded. On OK the snippet is in the tree; the caller writes it.

#include <QDialog>

#include "snippets/ui/SnippetDialogPrompts.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quillet::snippets {

class CSnippetFolder;
class CSnippetTreeWidget;

class CAddSnippetDlg : public QDialog {
  Q_OBJECT

 public:
  CAddSnippetDlg(CSnippetFolder& root, const QString& code, SSnippetDialogPrompts prompts,
                 QWidget* parent = nullptr);

  void accept() override;
  void OnNewFolder();

  [[nodiscard]] QPlainTextEdit* CodeEdit() const { return m_code; }
  [[nodiscard]] QLineEdit* NameEdit() const { return m_name; }
  [[nodiscard]] QLineEdit* ShortcutEdit() const { return m_shortcut; }
  [[nodiscard]] CSnippetTreeWidget* Tree() const { return m_tree; }
  [[nodiscard]] QPushButton* NewFolderButton() const { return m_newFolder; }

 private:
  SSnippetDialogPrompts m_prompts;
  QPlainTextEdit* m_code;
  QLineEdit* m_name;
  QLineEdit* m_shortcut;
  CSnippetTreeWidget* m_tree;
  QPushButton* m_newFolder;
};

}  // namespace quillet::snippets
