#pragma once
// The script's command-line arguments on the debug toolbar: an editable drop-down with the
// recent arguments, showing a grey cue while empty.

#include <QComboBox>

namespace quillet::app {

class CSettings;

class CArgumentsCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit CArgumentsCombo(QWidget* parent = nullptr);

  // The stored entries in order, or one empty item when there are none.
  void LoadRecent(const CSettings& settings);
};

}  // namespace quillet::app
