#pragma once
// The Options dialog's printing choice.

#include <QWidget>

#include "app/OptionsValues.h"

class QCheckBox;

namespace quillet::app {

class CPrintingPage : public QWidget {
  Q_OBJECT

 public:
  explicit CPrintingPage(QWidget* parent = nullptr);

  void Load(const SOptionsValues& values);
  void Store(SOptionsValues& values) const;

 private:
  QCheckBox* m_lineNumbers;
};

}  // namespace quillet::app
