// The editor widget on the offscreen platform: keys reach the right commands, and a rendered
// window shows the default colours where the scanner put them.

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <cstdlib>

#include "TempFolder.h"
#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"

using namespace quillet;

class QuilletViewTest : public QObject {
  Q_OBJECT

 private:
  static void Load(document::CQuilletDoc& doc, std::initializer_list<std::u16string_view> lines) {
    doc.FreeAll();
    for (const auto line : lines) doc.AppendLine(line);
    doc.UpdateViews(nullptr, nullptr, document::UpdateAll, -1);
  }
  static QString LineText(const document::CQuilletDoc& doc, int line) {
    const auto text = doc.GetLine(line);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  }
  // Whether some pixel of the text cell at (column, line) has this colour; glyph edges are
  // smoothed, so a little distance is allowed.
  static bool CellHas(const QImage& image, editor::CQuilletView& view, int column, int line, QColor color) {
    const int x0 = view.Core().MarginCellWidth() + column * view.CharWidth();
    const int y0 = line * view.LineHeight();
    for (int y = y0; y < y0 + view.LineHeight(); ++y) {
      for (int x = x0; x < x0 + view.CharWidth(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        const int distance = std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                             std::abs(pixel.blue() - color.blue());
        if (distance <= 40) return true;
      }
    }
    return false;
  }

 private slots:
  void initTestCase() { m_folder.IsolateUserFolders(); }

  void KeysReachTheirCommands() {
    document::CQuilletDoc doc;
    editor::CQuilletView view(doc);
    view.resize(400, 300);
    view.show();
    view.setFocus();
    QSignalSpy moved(&view, &editor::CQuilletView::CaretMoved);
    QTest::keyClicks(&view, "ab cd");
    QTest::keyClick(&view, Qt::Key_Tab);
    QCOMPARE(LineText(doc, 0), QStringLiteral("ab cd\t"));
    QCOMPARE(moved.last().at(1).toInt(), 7);  // a tab counts as one column
    QTest::keyClick(&view, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Delete);
    QCOMPARE(LineText(doc, 0), QStringLiteral("ab "));
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(LineText(doc, 0), QStringLiteral("ab cd\t"));
    QCOMPARE(view.UndoMenuText(), QStringLiteral("&Undo Typing\tCtrl+Z"));
    QTest::keyClick(&view, Qt::Key_Insert);
    QCOMPARE(view.Core().IsOverwrite(), true);
    QTest::keyClick(&view, Qt::Key_Home);
    QTest::keyClicks(&view, "X");
    QCOMPARE(LineText(doc, 0), QStringLiteral("Xb cd\t"));
    QTest::keyClick(&view, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(LineText(doc, 0), QStringLiteral("'Xb cd\t"));
    QTest::keyClick(&view, Qt::Key_F2, Qt::ControlModifier);
    QVERIFY(doc.GetLineFlags(0) & document::LineBookmark);
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(doc.GetLineCount(), 2);  // on the last line even overwrite mode breaks the line
  }

  void DefaultColoursLandOnTheirText() {
    document::CQuilletDoc doc;
    editor::CQuilletView view(doc);
    view.resize(640, 200);
    view.show();
    Load(doc, {u"Dim s ' note", u"s = \"txt\" & 42 & {Name}"});
    const QImage image = view.viewport()->grab().toImage();
    QVERIFY(CellHas(image, view, 1, 0, QColor(0, 0, 0xFF)));      // keyword: blue
    QVERIFY(!CellHas(image, view, 4, 0, QColor(0, 0, 0xFF)));     // plain name: not blue
    QVERIFY(CellHas(image, view, 8, 0, QColor(0, 0x80, 0)));      // comment: green
    QVERIFY(CellHas(image, view, 6, 1, QColor(0x80, 0x80, 0x80)));  // string: grey
    QVERIFY(CellHas(image, view, 13, 1, QColor(0x80, 0, 0)));     // number: maroon
    QVERIFY(CellHas(image, view, 19, 1, QColor(0xFF, 0, 0)));     // field: red
    // The margin shows the line number in its own area, left of the text.
    const QColor marginColour = view.palette().color(QPalette::Button);
    QCOMPARE(image.pixelColor(1, 1), marginColour);
  }

  void MarginClickSetsABreakpoint() {
    document::CQuilletDoc doc;
    editor::CQuilletView view(doc);
    view.resize(400, 300);
    Load(doc, {u"a", u"b"});
    view.show();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(4, view.LineHeight() + 2));
    QCOMPARE(doc.Breakpoints().at(1), 1);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      QPoint(view.Core().MarginCellWidth() + 1, 2));
    QCOMPARE(view.CaretPosition(), (document::CTextPosition{0, 0}));
  }

  // The word under the mouse answers from the watch list, and only while debugging.
  void ValueTipsShowTheWatchedValueOfTheWordUnderTheMouse() {
    document::CQuilletDoc doc;
    editor::CQuilletView view(doc);
    view.resize(640, 200);
    Load(doc, {u"count = Total_1 + 2", u"\tx", u""});
    view.show();
    document::CWatchList& watch = doc.WatchList();
    watch.Add({0, 0}, u"Count", u"5");
    watch.Add({0, 1}, u"total_1", std::u16string(100, u'9'));
    watch.Add({0, 2}, u"X", u"\"tab\"");
    const int left = view.Core().MarginCellWidth();
    const auto at = [&](int pixelsIn, int line) { return QPoint(left + pixelsIn, line * view.LineHeight() + 1); };
    const auto column = [&](int column) { return column * view.CharWidth() + 1; };

    QVERIFY(view.ValueTipAt(at(column(2), 0)).isEmpty());  // not debugging
    doc.SetDebugging(true);
    QCOMPARE(view.ValueTipAt(at(column(2), 0)), QStringLiteral("5"));
    QCOMPARE(view.ValueTipAt(at(column(0), 0)), QStringLiteral("5"));  // the word's first character
    QCOMPARE(view.ValueTipAt(at(column(10), 0)), QString(79, QLatin1Char('9')));  // cut to a tip
    QVERIFY(view.ValueTipAt(at(column(16), 0)).isEmpty());  // "+" between blanks
    // Right of the text the index is the line's end: the word that ends there.
    QCOMPARE(view.ValueTipAt(at(column(40), 1)), QStringLiteral("\"tab\""));
    // The tab widens to its stop: its first pixels are not the x behind it.
    const int tabWidth = view.Core().Advance(u'\t', 0);
    QVERIFY(tabWidth > view.CharWidth());
    QVERIFY(view.ValueTipAt(at(tabWidth - view.CharWidth(), 1)).isEmpty());
    QCOMPARE(view.ValueTipAt(at(tabWidth + 1, 1)), QStringLiteral("\"tab\""));
    QVERIFY(view.ValueTipAt(at(column(1), 2)).isEmpty());  // an empty line

    // Through the toolkit's tooltip request, as the mouse resting there sends it.
    QHelpEvent onCount(QEvent::ToolTip, at(column(3), 0), view.viewport()->mapToGlobal(at(column(3), 0)));
    QApplication::sendEvent(view.viewport(), &onCount);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("5"));
    doc.SetDebugging(false);
    QHelpEvent afterTheRun(QEvent::ToolTip, at(column(3), 0), view.viewport()->mapToGlobal(at(column(3), 0)));
    QApplication::sendEvent(view.viewport(), &afterTheRun);
    QVERIFY(!afterTheRun.isAccepted());
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 5000);
  }

 private:
  test::CTempFolder m_folder;
};

QTEST_MAIN(QuilletViewTest)
#include "QuilletViewTest.moc"
