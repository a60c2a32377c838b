#include "editor/ui/CompletionArtwork.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include <initializer_list>

namespace quillet::editor {
namespace {

QPixmap Blank() {
  QPixmap image(16, 16);
  image.fill(Qt::transparent);
  return image;
}

void Face(QPainter& painter, std::initializer_list<QPointF> corners, const QColor& fill) {
  painter.setBrush(fill);
  painter.drawPolygon(QPolygonF(QList<QPointF>(corners)));
}

// A violet block seen from a corner: something that acts.
QPixmap MethodSymbol() {
  QPixmap image = Blank();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x4B, 0x1F, 0x7A), 1));
  Face(painter, {{8, 2}, {14, 5}, {8, 8}, {2, 5}}, QColor(0xC8, 0x9B, 0xF0));
  Face(painter, {{2, 5}, {8, 8}, {8, 14.5}, {2, 11.5}}, QColor(0x8E, 0x4F, 0xD0));
  Face(painter, {{14, 5}, {8, 8}, {8, 14.5}, {14, 11.5}}, QColor(0x63, 0x2C, 0xA6));
  return image;
}

// A small card with a filled field on it: something that holds a value.
QPixmap PropertySymbol() {
  QPixmap image = Blank();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x3A, 0x4A, 0x5C), 1));
  painter.setBrush(QColor(0xF4, 0xF6, 0xF8));
  painter.drawRoundedRect(QRectF(1.5, 3.5, 13, 10), 1.5, 1.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x2E, 0x8B, 0x57));
  painter.drawRect(QRectF(4, 6, 8, 2));
  painter.setBrush(QColor(0x9A, 0xA8, 0xB6));
  painter.drawRect(QRectF(4, 9.5, 5, 1.5));
  return image;
}

}  // namespace

std::array<QIcon, 2> MakeCompletionImages() { return {QIcon(MethodSymbol()), QIcon(PropertySymbol())}; }

}  // namespace quillet::editor
