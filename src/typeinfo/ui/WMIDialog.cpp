#include "typeinfo/ui/WMIDialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/WmiCatalog.h"
#include "typeinfo/WmiScriptGenerator.h"

namespace quillet::typeinfo {

CWMIDialog::CWMIDialog(const platform::CWmiCatalog& catalogue, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Insert a WMI script"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Select a class to insert a WMI script :"), this));
  m_list = new QListWidget(this);
  m_list->setObjectName(QStringLiteral("classes"));
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const std::u16string& name : WmiScriptClassNames(catalogue)) {
    m_list->addItem(QString::fromStdU16String(name));
  }
  layout->addWidget(m_list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CWMIDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CWMIDialog::reject);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &CWMIDialog::accept);
  layout->addWidget(buttons);
}

void CWMIDialog::accept() {
  const QListWidgetItem* chosen = m_list->currentItem();
  m_className = chosen != nullptr && chosen->isSelected() ? chosen->text() : QString();
  QDialog::accept();
}

void RunWmiScriptCommand(QWidget* parent, const std::function<void(std::u16string_view)>& insert) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  CWMIDialog dialog(platform::CWmiCatalog::Installed(), parent);
  QGuiApplication::restoreOverrideCursor();
  if (dialog.exec() != QDialog::Accepted || dialog.ClassName().isEmpty()) return;
  const std::u16string script = GenerateWmiScript(dialog.ClassName().toStdU16String());
  if (!script.empty()) insert(script);
}

}  // namespace quillet::typeinfo
