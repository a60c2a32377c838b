// The variables window's rows on the offscreen platform: a frame is one raised bar across the
// row, a variable a pair of cells with lines between them, its name kept off the line.

#include <QHeaderView>
#include <QImage>
#include <QTest>
#include <QTreeWidget>

#include "debug/ui/VariableBar.h"
#include "debug/ui/VariableRowDelegate.h"

using quillet::debug::CVariableBar;
using quillet::debug::CVariableRowDelegate;

class VariableRowsTest : public QObject {
  Q_OBJECT

 private:
  // Whether any pixel of the rectangle is far from the colour.
  static bool AnyUnlike(const QImage& image, const QRect& rect, QColor color) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        if (std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                std::abs(pixel.blue() - color.blue()) > 8) {
          return true;
        }
      }
    }
    return false;
  }

 private slots:
  void FramesAreBarsAndVariablesACutTable() {
    CVariableBar bar;
    bar.resize(500, 200);
    QTreeWidget* tree = bar.Tree();
    auto* frame = new QTreeWidgetItem(tree, {QStringLiteral("[Work]")});
    frame->setFirstColumnSpanned(true);
    auto* variable = new QTreeWidgetItem(frame, {QString(80, QLatin1Char('W')), QStringLiteral("42")});
    frame->setExpanded(true);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QImage image = tree->viewport()->grab().toImage();
    const QPalette palette = tree->palette();
    const int nameEnd = tree->header()->sectionSize(0) - 1;

    // The frame's bar fills the value column too, in the button face colour.
    const QRect frameRow = tree->visualItemRect(frame);
    QVERIFY2(!AnyUnlike(image, QRect(nameEnd + 40, frameRow.center().y(), 40, 1), palette.color(QPalette::Button)), "frame bar");

    // The name stops short of its column's line, however long it is; lines at the column's
    // end and under the row.
    const QRect row = tree->visualItemRect(variable);
    const QRect gap(nameEnd - CVariableRowDelegate::kNameGap + 1, row.top(), CVariableRowDelegate::kNameGap - 1,
                    row.height() - 1);
    QVERIFY(!AnyUnlike(image, gap, palette.color(QPalette::Base)));
    QVERIFY(AnyUnlike(image, QRect(row.left() + 10, row.top(), 40, row.height() - 1), palette.color(QPalette::Base)));
    QVERIFY(!AnyUnlike(image, QRect(nameEnd, row.top(), 1, row.height()), palette.color(QPalette::Mid)));
    QVERIFY(!AnyUnlike(image, QRect(nameEnd + 40, row.bottom(), 100, 1), palette.color(QPalette::Mid)));
  }
};

QTEST_MAIN(VariableRowsTest)
#include "VariableRowsTest.moc"
