#pragma once
// The Options dialog's run and debug choices.

#include <QWidget>

#include "app/OptionsValues.h"

class QCheckBox;

namespace quillet::app {

class CDebugPage : public QWidget {
  Q_OBJECT

 public:
  explicit CDebugPage(QWidget* parent = nullptr);

  void Load(const SOptionsValues& values);
  void Store(SOptionsValues& values) const;

 private:
  QCheckBox* m_automaticallySave;
  QCheckBox* m_displayLogo;
  QCheckBox* m_firstStep;
};

}  // namespace quillet::app
