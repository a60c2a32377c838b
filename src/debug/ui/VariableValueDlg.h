#pragma once
// "Variable": a simple value's name and type, and its value to edit as text.

#include <QDialog>

class QPlainTextEdit;

namespace quillet::debug {

class CVariableValueDlg : public QDialog {
  Q_OBJECT

 public:
  CVariableValueDlg(const QString& name, const QString& type, const QString& value, QWidget* parent = nullptr);

  [[nodiscard]] QString Value() const;

 private:
  QPlainTextEdit* m_value;
};

}  // namespace quillet::debug
