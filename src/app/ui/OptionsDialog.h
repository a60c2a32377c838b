#pragma once
// The Options property sheet: five pages over the settings, written only when OK is pressed and
// every page's values are valid.

#include <QDialog>

#include "app/OptionsValues.h"

class QTabWidget;

namespace quillet::app {

class CColorsPage;
class CDebugPage;
class CHelpPage;
class CPrintingPage;
class CSettings;
class CTabsPage;

class COptionsDialog : public QDialog {
  Q_OBJECT

 public:
  COptionsDialog(CSettings& settings, QWidget* parent = nullptr);

  [[nodiscard]] QTabWidget* Pages() const { return m_pages; }
  void accept() override;

 private:
  CSettings& m_settings;
  SOptionsValues m_values;
  QTabWidget* m_pages;
  CColorsPage* m_colors;
  CTabsPage* m_tabs;
  CHelpPage* m_help;
  CDebugPage* m_debug;
  CPrintingPage* m_printing;
};

// The desktop's grey-text colour as a COLORREF.
[[nodiscard]] int32_t SystemGrayText();

}  // namespace quillet::app
