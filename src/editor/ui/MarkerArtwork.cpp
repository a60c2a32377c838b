#include "editor/ui/MarkerArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace quillet::editor {
namespace {

QPixmap Blank() {
  QPixmap image(16, 16);
  image.fill(Qt::transparent);
  return image;
}

QPixmap Bookmark() {
  QPixmap image = Blank();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(0x1F, 0x4E, 0x9A));
  painter.setBrush(QColor(0x5B, 0x9B, 0xE6));
  painter.drawRoundedRect(QRectF(2.5, 3.5, 11, 9), 3, 3);
  return image;
}

QPixmap ExecutionArrow() {
  QPixmap image = Blank();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrow;
  arrow.moveTo(1.5, 5.5);
  arrow.lineTo(8.5, 5.5);
  arrow.lineTo(8.5, 2);
  arrow.lineTo(14.5, 8);
  arrow.lineTo(8.5, 14);
  arrow.lineTo(8.5, 10.5);
  arrow.lineTo(1.5, 10.5);
  arrow.closeSubpath();
  painter.setPen(QColor(0x80, 0x60, 0x00));
  painter.setBrush(QColor(0xFF, 0xE0, 0x30));
  painter.drawPath(arrow);
  return image;
}

// A round mark shaded from a light centre, blended with whatever the margin shows beneath.
QPixmap Breakpoint() {
  QPixmap image = Blank();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shade(QPointF(6, 6), 8);
  shade.setColorAt(0, QColor(0xFF, 0x90, 0x90));
  shade.setColorAt(1, QColor(0xB0, 0x10, 0x10));
  painter.setPen(QColor(0x70, 0x00, 0x00));
  painter.setBrush(shade);
  painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  return image;
}

}  // namespace

std::array<QPixmap, 3> MakeMarkerImages() { return {Bookmark(), ExecutionArrow(), Breakpoint()}; }

}  // namespace quillet::editor
