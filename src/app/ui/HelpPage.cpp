#include "app/ui/HelpPage.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/AppStrings.h"
#include "app/ui/QtText.h"

namespace quillet::app {

QStringList FileDialogFilters(std::u16string_view filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QString name = parts[i];
    filters << name.replace(QStringLiteral("*.*"), QStringLiteral("*"));
  }
  return filters;
}

CHelpPage::CHelpPage(QWidget* parent)
    : QWidget(parent), m_file(new QLineEdit(this)), m_web(new QLineEdit(this)) {
  m_file->setObjectName(QStringLiteral("helpFile"));
  m_web->setObjectName(QStringLiteral("helpWeb"));
  auto* browse = new QPushButton(QStringLiteral("..."), this);
  browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  connect(browse, &QPushButton::clicked, this, &CHelpPage::OnBrowse);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(m_file);
  fileRow->addWidget(browse);
  auto* form = new QFormLayout(this);
  form->setRowWrapPolicy(QFormLayout::WrapAllRows);
  form->addRow(QStringLiteral("Help file (.CHM):"), fileRow);
  form->addRow(QStringLiteral("Search the web at:"), m_web);
}

void CHelpPage::Load(const SOptionsValues& values) {
  m_file->setText(ToQString(values.helpFile));
  m_web->setText(ToQString(values.helpWeb));
}

void CHelpPage::Store(SOptionsValues& values) const {
  values.helpFile = ToU16(m_file->text());
  values.helpWeb = ToU16(m_web->text());
}

void CHelpPage::OnBrowse() {
  const QString path = QFileDialog::getOpenFileName(this, QString(), m_file->text(),
                                                    FileDialogFilters(kHelpFileFilter).join(QStringLiteral(";;")));
  if (!path.isEmpty()) m_file->setText(path);
}

}  // namespace quillet::app
