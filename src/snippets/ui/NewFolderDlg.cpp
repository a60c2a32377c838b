#include "snippets/ui/NewFolderDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace quillet::snippets {

CNewFolderDlg::CNewFolderDlg(QWidget* parent) : QDialog(parent), m_name(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral("Create a New folder"));
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("Name:"), m_name);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CNewFolderDlg::Name() const { return m_name->text(); }

}  // namespace quillet::snippets
