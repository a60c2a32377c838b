#include "typeinfo/ui/ObjectBrowserArtwork.h"

#include "editor/ui/CompletionArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>
#include <functional>

namespace quillet::typeinfo {
namespace {

constexpr int kSize = 16;

QPixmap Draw(const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  paint(painter);
  return pixmap;
}

void Book(QPainter& p) {
  p.setPen(QColor(60, 60, 110));
  p.setBrush(QColor(120, 130, 210));
  p.drawRect(QRectF(3.5, 1.5, 10, 13));
  p.setBrush(QColor(70, 80, 160));
  p.drawRect(QRectF(3.5, 1.5, 2.5, 13));
  p.setPen(QColor(240, 240, 250));
  p.drawLine(QPointF(7.5, 5), QPointF(11.5, 5));
}

void Blocks(QPainter& p) {
  p.setPen(QColor(120, 80, 20));
  p.setBrush(QColor(240, 190, 70));
  p.drawRect(QRectF(1.5, 8.5, 6, 6));
  p.drawRect(QRectF(8.5, 8.5, 6, 6));
  p.setBrush(QColor(250, 220, 120));
  p.drawRect(QRectF(5, 1.5, 6, 6));
}

void List(QPainter& p) {
  p.setPen(QColor(40, 110, 60));
  p.setBrush(QColor(200, 235, 200));
  p.drawRect(QRectF(2.5, 1.5, 11, 13));
  for (int y = 5; y <= 11; y += 3) p.drawLine(QPointF(5, y), QPointF(11, y));
}

void Lollipop(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  p.drawLine(QPointF(2, 11), QPointF(8, 11));
  p.setBrush(QColor(90, 170, 230));
  p.drawEllipse(QPointF(11, 11), 3.2, 3.2);
  p.drawLine(QPointF(11, 2), QPointF(11, 7.5));
}

void Square(QPainter& p) {
  p.setPen(QColor(40, 40, 40));
  p.setBrush(QColor(80, 160, 120));
  p.drawRect(QRectF(4.5, 4.5, 7, 7));
}

void Bolt(QPainter& p) {
  QPainterPath path;
  path.moveTo(10, 1);
  path.lineTo(4, 9);
  path.lineTo(8, 9);
  path.lineTo(6, 15);
  path.lineTo(12, 7);
  path.lineTo(8, 7);
  path.closeSubpath();
  p.setPen(QColor(150, 110, 0));
  p.setBrush(QColor(250, 210, 40));
  p.drawPath(path);
}

void Sheet(QPainter& p, bool selected) {
  p.setPen(QColor(80, 80, 80));
  p.setBrush(selected ? QColor(255, 250, 200) : QColor(255, 255, 255));
  p.drawRect(QRectF(3.5, 1.5, 9, 13));
  p.setPen(selected ? QColor(0, 90, 200) : QColor(120, 120, 120));
  for (int y = 5; y <= 11; y += 2) p.drawLine(QPointF(5.5, y), QPointF(y % 4 == 1 ? 10.5 : 9, y));
}

void Magnifier(QPainter& p) {
  p.setPen(QPen(QColor(50, 50, 50), 1.5));
  p.setBrush(QColor(210, 230, 250));
  p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
  p.setPen(QPen(QColor(90, 60, 30), 2.5));
  p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
}

QPixmap Image(int index) {
  switch (index) {
    case 0: return Draw(Book);
    case 1: return Draw(Blocks);
    case 2: return Draw(List);
    case 3: return Draw(Lollipop);
    // Methods and properties look as they do in the editor's member list.
    case 4: return editor::MakeCompletionImages()[0].pixmap(kSize, kSize);
    case 5: return editor::MakeCompletionImages()[1].pixmap(kSize, kSize);
    case 6: return Draw(Square);
    case 7: return Draw(Bolt);
    case 8: return Draw([](QPainter& p) { Sheet(p, false); });
    case kGlobalCodeImage: return Draw([](QPainter& p) { Sheet(p, false); });
    default: return Draw([](QPainter& p) { Sheet(p, true); });
  }
}

}  // namespace

QIcon BrowserImage(int index) {
  static const std::array<QIcon, kBrowserImageCount> icons = [] {
    std::array<QIcon, kBrowserImageCount> made;
    for (int i = 0; i < kBrowserImageCount; ++i) made[static_cast<size_t>(i)] = QIcon(Image(i));
    made[kGlobalCodeImage].addPixmap(Image(kGlobalCodeSelectedImage), QIcon::Selected);
    return made;
  }();
  if (index < 0 || index >= kBrowserImageCount) return {};
  return icons[static_cast<size_t>(index)];
}

QIcon FindButtonImage() { return QIcon(Draw(Magnifier)); }

}  // namespace quillet::typeinfo
