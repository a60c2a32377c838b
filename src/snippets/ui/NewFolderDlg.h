#pragma once
// "Create a New folder": asks for a folder name, with no checks (an empty name is allowed).

#include <QDialog>

class QLineEdit;

namespace quillet::snippets {

class CNewFolderDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CNewFolderDlg(QWidget* parent = nullptr);
  [[nodiscard]] QString Name() const;
  [[nodiscard]] QLineEdit* NameEdit() const { return m_name; }

 private:
  QLineEdit* m_name;
};

}  // namespace quillet::snippets
