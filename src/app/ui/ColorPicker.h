#pragma once
// A drop-down of the 17 colours the editor offers, each drawn as a framed swatch. A colour
// outside them (a hand-edited setting) stays selectable as one more item, drawn "Automatic", so
// that pressing OK never changes it behind the user's back.

#include <QComboBox>

#include <cstdint>

namespace quillet::app {

class CColorPicker : public QComboBox {
  Q_OBJECT

 public:
  // grayText: the system's grey-text colour, the last of the 17 (COLORREF).
  explicit CColorPicker(int32_t grayText, QWidget* parent = nullptr);

  // Selects the matching item.
  void SetColor(int32_t color);
  [[nodiscard]] int32_t Color() const;

  static constexpr int kStandardColorCount = 17;

 private:
  void AddSwatch(int32_t color);
  [[nodiscard]] QPixmap Swatch(int32_t color) const;
};

// COLORREF is 0x00BBGGRR.
[[nodiscard]] QColor ColorFromRef(int32_t color);
[[nodiscard]] int32_t RefFromColor(const QColor& color);

}  // namespace quillet::app
