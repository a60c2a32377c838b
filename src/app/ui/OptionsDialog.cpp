#include "app/ui/OptionsDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPalette>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/AppStrings.h"
#include "app/ui/ColorPicker.h"
#include "app/ui/ColorsPage.h"
#include "app/ui/DebugPage.h"
#include "app/ui/HelpPage.h"
#include "app/ui/PrintingPage.h"
#include "app/ui/QtText.h"
#include "app/ui/TabsPage.h"

namespace quillet::app {

int32_t SystemGrayText() {
  return RefFromColor(QApplication::palette().color(QPalette::Disabled, QPalette::Text));
}

COptionsDialog::COptionsDialog(CSettings& settings, QWidget* parent)
    : QDialog(parent),
      m_settings(settings),
      m_values(SOptionsValues::Read(settings)),
      m_pages(new QTabWidget(this)),
      m_colors(new CColorsPage(SystemGrayText(), this)),
      m_tabs(new CTabsPage(this)),
      m_help(new CHelpPage(this)),
      m_debug(new CDebugPage(this)),
      m_printing(new CPrintingPage(this)) {
  setWindowTitle(ToQString(kOptionsCaption));
  m_pages->addTab(m_colors, QStringLiteral("Colors"));
  m_pages->addTab(m_tabs, QStringLiteral("Tabs"));
  m_pages->addTab(m_help, QStringLiteral("Help"));
  m_pages->addTab(m_debug, QStringLiteral("Debug"));
  m_pages->addTab(m_printing, QStringLiteral("Printing"));
  m_colors->Load(m_values);
  m_tabs->Load(m_values);
  m_help->Load(m_values);
  m_debug->Load(m_values);
  m_printing->Load(m_values);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addWidget(m_pages);
  column->addWidget(buttons);
}

void COptionsDialog::accept() {
  if (!m_tabs->Validate()) {
    m_pages->setCurrentWidget(m_tabs);
    return;
  }
  m_colors->Store(m_values);
  m_tabs->Store(m_values);
  m_help->Store(m_values);
  m_debug->Store(m_values);
  m_printing->Store(m_values);
  m_values.Write(m_settings);
  QDialog::accept();
}

}  // namespace quillet::app
