#pragma once
// The Options dialog's tab handling: spaces or tab characters, and the tab width.

#include <QWidget>

#include "app/OptionsValues.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace quillet::app {

class CTabsPage : public QWidget {
  Q_OBJECT

 public:
  explicit CTabsPage(QWidget* parent = nullptr);

  void Load(const SOptionsValues& values);
  // False, with the reason shown on the page, when the size is not a whole number from 1 to 20.
  bool Validate();
  void Store(SOptionsValues& values) const;

 private:
  QRadioButton* m_insertSpaces;
  QRadioButton* m_keepTabs;
  QLineEdit* m_size;
  QLabel* m_error;
};

}  // namespace quillet::app
