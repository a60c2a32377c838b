#include "app/ui/TabsPage.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/AppStrings.h"
#include "app/ui/QtText.h"

namespace quillet::app {
namespace {

constexpr int kMinimumSize = 1;
constexpr int kMaximumSize = 20;

}  // namespace

CTabsPage::CTabsPage(QWidget* parent)
    : QWidget(parent),
      m_insertSpaces(new QRadioButton(QStringLiteral("Insert spaces"), this)),
      m_keepTabs(new QRadioButton(QStringLiteral("Keep tabs"), this)),
      m_size(new QLineEdit(this)),
      m_error(new QLabel(ToQString(kTabSizeRange), this)) {
  m_size->setObjectName(QStringLiteral("tabSize"));
  m_error->setStyleSheet(QStringLiteral("color: #c00000"));
  m_error->hide();
  auto* form = new QFormLayout(this);
  form->addRow(m_insertSpaces);
  form->addRow(m_keepTabs);
  form->addRow(QStringLiteral("Size:"), m_size);
  form->addRow(m_error);
}

void CTabsPage::Load(const SOptionsValues& values) {
  m_insertSpaces->setChecked(values.insertSpaces);
  m_keepTabs->setChecked(!values.insertSpaces);
  m_size->setText(QString::number(values.tabSize));
}

bool CTabsPage::Validate() {
  bool isNumber = false;
  const int size = m_size->text().trimmed().toInt(&isNumber);
  const bool valid = isNumber && size >= kMinimumSize && size <= kMaximumSize;
  m_error->setVisible(!valid);
  if (!valid) {
    m_size->setFocus();
    m_size->selectAll();
  }
  return valid;
}

void CTabsPage::Store(SOptionsValues& values) const {
  values.insertSpaces = m_insertSpaces->isChecked();
  values.tabSize = m_size->text().trimmed().toInt();
}

}  // namespace quillet::app
