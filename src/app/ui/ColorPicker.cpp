#include "app/ui/ColorPicker.h"

#include <QPainter>
#include <QPixmap>

#include "app/AppStrings.h"
#include "app/ui/QtText.h"

namespace quillet::app {
namespace {

constexpr int32_t kColors[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                               0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                               0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
constexpr QSize kSwatchSize(64, 16);

}  // namespace

QColor ColorFromRef(int32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int32_t RefFromColor(const QColor& color) {
  return color.red() | (color.green() << 8) | (color.blue() << 16);
}

CColorPicker::CColorPicker(int32_t grayText, QWidget* parent) : QComboBox(parent) {
  setIconSize(kSwatchSize);
  for (const int32_t color : kColors) AddSwatch(color);
  AddSwatch(grayText);
}

QPixmap CColorPicker::Swatch(int32_t color) const {
  QPixmap pixmap(kSwatchSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QRect swatch = pixmap.rect().adjusted(2, 2, -3, -3);
  painter.fillRect(swatch, ColorFromRef(color));
  painter.setPen(Qt::black);
  painter.drawRect(swatch);
  return pixmap;
}

void CColorPicker::AddSwatch(int32_t color) { addItem(QIcon(Swatch(color)), QString(), color); }

void CColorPicker::SetColor(int32_t color) {
  while (count() > kStandardColorCount) removeItem(count() - 1);
  const int index = findData(color);
  if (index >= 0) {
    setCurrentIndex(index);
    return;
  }
  addItem(ToQString(kAutomaticColor), color);
  setCurrentIndex(count() - 1);
}

int32_t CColorPicker::Color() const { return currentData().toInt(); }

}  // namespace quillet::app
