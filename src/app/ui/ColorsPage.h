#pragma once
// The Options dialog's syntax colours.

#include <QWidget>

#include <array>

#include "app/OptionsValues.h"

namespace quillet::app {

class CColorPicker;

class CColorsPage : public QWidget {
  Q_OBJECT

 public:
  CColorsPage(int32_t grayText, QWidget* parent = nullptr);

  void Load(const SOptionsValues& values);
  void Store(SOptionsValues& values) const;
  void OnDefaults();

 private:
  int32_t m_grayText;
  std::array<CColorPicker*, SOptionsValues::kColorCount> m_pickers{};
};

}  // namespace quillet::app
