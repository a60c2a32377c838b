// MsgBox and InputBox as windows: the buttons, icon and default of the flags, and the value
// of the button pressed.

#include <QApplication>
#include <QInputDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "engine/host/ui/WindowDialogs.h"

using quillet::engine::host::CWindowDialogs;
using quillet::engine::host::ConfigureMessageBox;

class WindowDialogsTest : public QObject {
  Q_OBJECT

 private:
  // Acts on the modal window as soon as it is open.
  static void WhenOpen(const std::function<void(QWidget*)>& act) {
    QTimer::singleShot(0, [act] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) {
        WhenOpen(act);
        return;
      }
      act(modal);
    });
  }

 private slots:
  void flagsChooseButtonsIconAndDefault() {
    QMessageBox box;
    ConfigureMessageBox(box, u"Save?", 3 + 48 + 256, u"Title");  // Yes/No/Cancel, warning, 2nd
    QCOMPARE(box.windowTitle(), QString("Title"));
    QCOMPARE(box.text(), QString("Save?"));
    QCOMPARE(box.icon(), QMessageBox::Warning);
    QCOMPARE(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.defaultButton(), box.button(QMessageBox::No));
    QCOMPARE(box.escapeButton(), box.button(QMessageBox::Cancel));

    QMessageBox yesNo;
    ConfigureMessageBox(yesNo, u"?", 4 + 512, u"T");  // no third button: the first is default
    QCOMPARE(yesNo.defaultButton(), yesNo.button(QMessageBox::Yes));
    QVERIFY(yesNo.escapeButton() == nullptr);
    QCOMPARE(yesNo.icon(), QMessageBox::NoIcon);
  }

  void pressedButtonGivesItsValue() {
    CWindowDialogs dialogs;
    WhenOpen([](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Retry)->click(); });
    QCOMPARE(dialogs.MessageBox(u"Failed", 2, u"T"), 4);  // Abort/Retry/Ignore: Retry
    WhenOpen([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    QCOMPARE(dialogs.MessageBox(u"?", 1, u"T"), 2);  // Escape is Cancel
    WhenOpen([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
    QCOMPARE(dialogs.MessageBox(u"?", 5 + 256, u"T"), 2);  // Enter takes the default: Cancel
  }

  // A Yes/No box has no Escape button: only the time-out can close it unanswered. The bound
  // is generous; the box must not close before its second.
  void boxWithTimeoutClosesItselfAndAnswersMinusOne() {
    CWindowDialogs dialogs;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(dialogs.MessageBoxWithTimeout(u"Still there?", 4, u"T", 1), -1);
    QVERIFY(clock.elapsed() >= 900);
    QVERIFY(clock.elapsed() < 20000);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    WhenOpen([](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::No)->click(); });
    clock.restart();
    QCOMPARE(dialogs.MessageBoxWithTimeout(u"?", 4, u"T", 60), 7);
    QVERIFY(clock.elapsed() < 20000);
  }

  void inputBoxGivesTextOrNothing() {
    CWindowDialogs dialogs;
    WhenOpen([](QWidget* w) {
      auto* dialog = qobject_cast<QInputDialog*>(w);
      QCOMPARE(dialog->labelText(), QString("Name?"));
      QCOMPARE(dialog->textValue(), QString("Ann"));
      dialog->setTextValue("Bea");
      dialog->accept();
    });
    QCOMPARE(dialogs.InputBox(u"Name?", u"T", u"Ann").value_or(u"-"), std::u16string(u"Bea"));
    WhenOpen([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    QVERIFY(!dialogs.InputBox(u"Name?", u"T", u"Ann").has_value());
  }
};

QTEST_MAIN(WindowDialogsTest)
#include "WindowDialogsTest.moc"
