#include "app/ui/PrintingPage.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace quillet::app {

CPrintingPage::CPrintingPage(QWidget* parent)
    : QWidget(parent), m_lineNumbers(new QCheckBox(QStringLiteral("Print line numbers"), this)) {
  auto* column = new QVBoxLayout(this);
  column->addWidget(m_lineNumbers);
  column->addStretch();
}

void CPrintingPage::Load(const SOptionsValues& values) { m_lineNumbers->setChecked(values.printLineNumbers); }

void CPrintingPage::Store(SOptionsValues& values) const { values.printLineNumbers = m_lineNumbers->isChecked(); }

}  // namespace quillet::app
