#include "editor/ui/GotolineDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>

namespace quillet::editor {

CGotolineDlg::CGotolineDlg(int lineCount, MessageSink showMessage, QWidget* parent)
    : QDialog(parent), m_lineCount(lineCount), m_showMessage(std::move(showMessage)) {
  setWindowTitle(QStringLiteral("Go to line"));
  auto* layout = new QFormLayout(this);
  m_line = new QLineEdit(QStringLiteral("1"), this);
  m_line->setValidator(new QIntValidator(1, lineCount, m_line));
  m_line->selectAll();
  layout->addRow(QStringLiteral("&Line number:"), m_line);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CGotolineDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CGotolineDlg::reject);
}

int CGotolineDlg::Line() const { return m_line->text().toInt(); }

void CGotolineDlg::accept() {
  bool number = false;
  const int line = m_line->text().toInt(&number);
  if (!number || line < 1 || line > m_lineCount) {
    if (m_showMessage) {
      m_showMessage(QStringLiteral("Please enter an integer between 1 and %1.").arg(m_lineCount));
    }
    m_line->setFocus();
    m_line->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace quillet::editor
