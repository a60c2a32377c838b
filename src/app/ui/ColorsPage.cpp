#include "app/ui/ColorsPage.h"

#include <QFormLayout>
#include <QPushButton>

#include "app/ui/ColorPicker.h"

namespace quillet::app {

CColorsPage::CColorsPage(int32_t grayText, QWidget* parent) : QWidget(parent), m_grayText(grayText) {
  static const char* const kLabels[] = {"Comments:", "Keywords:",     "Strings:",
                                        "Numbers:",  "Line numbers:", "Fields:"};
  auto* form = new QFormLayout(this);
  for (size_t i = 0; i < m_pickers.size(); ++i) {
    m_pickers[i] = new CColorPicker(grayText, this);
    m_pickers[i]->setObjectName(QString::fromLatin1(kLabels[i]));
    form->addRow(QString::fromLatin1(kLabels[i]), m_pickers[i]);
  }
  auto* defaults = new QPushButton(QStringLiteral("&Defaults"), this);
  connect(defaults, &QPushButton::clicked, this, &CColorsPage::OnDefaults);
  form->addRow(QString(), defaults);
}

void CColorsPage::Load(const SOptionsValues& values) {
  for (size_t i = 0; i < m_pickers.size(); ++i) m_pickers[i]->SetColor(values.colors[i]);
}

void CColorsPage::Store(SOptionsValues& values) const {
  for (size_t i = 0; i < m_pickers.size(); ++i) values.colors[i] = m_pickers[i]->Color();
}

void CColorsPage::OnDefaults() {
  const auto colors = SOptionsValues::DefaultColors(m_grayText);
  for (size_t i = 0; i < m_pickers.size(); ++i) m_pickers[i]->SetColor(colors[i]);
}

}  // namespace quillet::app
