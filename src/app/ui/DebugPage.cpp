#include "app/ui/DebugPage.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace quillet::app {

CDebugPage::CDebugPage(QWidget* parent)
    : QWidget(parent),
      m_automaticallySave(new QCheckBox(QStringLiteral("Automatically save file before running"), this)),
      m_displayLogo(new QCheckBox(QStringLiteral("Display logo when script executed in command console"), this)),
      // The wording is the one users of the program have always seen.
      m_firstStep(new QCheckBox(QStringLiteral("Stop at the beggining of the script if no breakpoint is set"), this)) {
  auto* column = new QVBoxLayout(this);
  for (QCheckBox* box : {m_automaticallySave, m_displayLogo, m_firstStep}) column->addWidget(box);
  column->addStretch();
}

void CDebugPage::Load(const SOptionsValues& values) {
  m_automaticallySave->setChecked(values.automaticallySave);
  m_displayLogo->setChecked(values.displayLogo);
  m_firstStep->setChecked(values.firstStep);
}

void CDebugPage::Store(SOptionsValues& values) const {
  values.automaticallySave = m_automaticallySave->isChecked();
  values.displayLogo = m_displayLogo->isChecked();
  values.firstStep = m_firstStep->isChecked();
}

}  // namespace quillet::app
