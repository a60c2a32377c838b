#include "debug/ui/VariableValueDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace quillet::debug {

namespace {

QLineEdit* ReadOnlyLine(const QString& text, QWidget* parent) {
  auto* line = new QLineEdit(text, parent);
  line->setReadOnly(true);
  return line;
}

}  // namespace

CVariableValueDlg::CVariableValueDlg(const QString& name, const QString& type, const QString& value, QWidget* parent)
    : QDialog(parent), m_value(new QPlainTextEdit(value, this)) {
  setWindowTitle(QStringLiteral("Variable"));
  m_value->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Name"), ReadOnlyLine(name, this));
  form->addRow(QStringLiteral("Type"), ReadOnlyLine(type, this));
  form->addRow(QStringLiteral("Value"), m_value);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  m_value->setFocus();
}

QString CVariableValueDlg::Value() const { return m_value->toPlainText(); }

}  // namespace quillet::debug
