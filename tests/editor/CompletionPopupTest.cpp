// The member list and the parameter tip on the offscreen platform, driven by real key events:
// keys go where the application would send them (the open popup, else the view).

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "TempFolder.h"
#include "document/QuilletDoc.h"
#include "editor/ui/MethodsDlg.h"
#include "editor/ui/MyListCtrl.h"
#include "editor/ui/ParamCtrl.h"
#include "editor/ui/ParamDlg.h"
#include "editor/ui/QuilletView.h"

using namespace quillet;

class CompletionPopupTest : public QObject {
  Q_OBJECT

 private:
  struct SOpenView {
    document::CQuilletDoc doc;
    editor::CQuilletView view{doc};
  };

  static std::unique_ptr<SOpenView> Open(std::initializer_list<std::u16string_view> lines) {
    auto open = std::make_unique<SOpenView>();
    open->doc.FreeAll();
    for (const auto line : lines) open->doc.AppendLine(line);
    open->doc.UpdateViews(nullptr, nullptr, document::UpdateAll, -1);
    open->view.resize(600, 400);
    open->view.show();
    open->view.activateWindow();
    open->view.setFocus();
    const int last = open->doc.GetLineCount() - 1;
    open->view.SetCaretPosition({open->doc.GetLineLength(last), last});
    return open;
  }
  static QString Line(const SOpenView& open, int line) {
    const auto text = open.doc.GetLine(line);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  }
  // Where a key goes: the open popup's focus, else the view.
  static QWidget* KeyTarget(editor::CQuilletView& view) {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) return &view;
    if (auto* list = qobject_cast<editor::CMethodsDlg*>(popup)) return list->List();
    if (auto* tip = qobject_cast<editor::CParamDlg*>(popup)) return tip->Control();
    return popup;
  }
  static void Type(editor::CQuilletView& view, const QString& text) {
    for (const QChar c : text) QTest::keyClick(KeyTarget(view), c.toLatin1());
  }
  static void Key(editor::CQuilletView& view, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(KeyTarget(view), key, modifiers);
  }
  static editor::CMethodsDlg* MemberList() { return qobject_cast<editor::CMethodsDlg*>(QApplication::activePopupWidget()); }
  static editor::CParamDlg* Tip() { return qobject_cast<editor::CParamDlg*>(QApplication::activePopupWidget()); }
  static QStringList ListedNames(editor::CMethodsDlg* list) {
    QStringList names;
    for (int i = 0; i < list->List()->count(); ++i) names << list->List()->item(i)->text();
    return names;
  }
  // Popups close with a deferred delete; let it happen so that the next test starts clean.
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

 private slots:
  void initTestCase() { m_folder.IsolateUserFolders(); }
  void cleanup() {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    Settle();
  }

  void ADotListsTheObjectsMembersAndTheChoiceIsOneUndoableEdit() {
    auto open = Open({u"Set fso = CreateObject(\"Scripting.FileSystemObject\")", u""});
    Type(open->view, "fso.");
    editor::CMethodsDlg* list = MemberList();
    QVERIFY(list != nullptr);
    QVERIFY(ListedNames(list).contains("GetFolder"));
    QVERIFY(open->view.IsPopupActive());
    // The popup lies inside the screen's work area.
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(work.contains(list->frameGeometry()));
    // As wide as the longest name needs and no wider than the list may grow.
    const QFontMetrics metrics(list->List()->font());
    QVERIFY(list->List()->width() >= metrics.horizontalAdvance("GetAbsolutePathName") + editor::CMethodsDlg::kExtraWidth);
    QVERIFY(list->List()->width() <= editor::CMethodsDlg::kMaxListWidth);
    QVERIFY(list->List()->height() <= editor::CMethodsDlg::kMaxListHeight);
    // "getf" alone would stop at GetFile, the first name it does not sort after.
    Type(open->view, "getfo");
    QCOMPARE(list->SelectedName(), QString("GetFolder"));
    QCOMPARE(Line(*open, 1), QString("fso.getfo"));
    Key(open->view, Qt::Key_Return);
    QVERIFY(MemberList() == nullptr);
    QVERIFY(!open->view.IsPopupActive());
    QCOMPARE(Line(*open, 1), QString("fso.GetFolder"));
    Key(open->view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Line(*open, 1), QString("fso.getfo"));
  }

  void ErrListsItsMembersSortedWithClearSelected() {
    auto open = Open({u""});
    QSignalSpy status(&open->view, &editor::CQuilletView::StatusTextChanged);
    Type(open->view, "Err.");
    editor::CMethodsDlg* list = MemberList();
    QVERIFY(list != nullptr);
    QCOMPARE(ListedNames(list), (QStringList{"Clear", "Description", "HelpContext", "HelpFile", "Number", "Raise",
                                             "Source"}));
    QCOMPARE(list->SelectedName(), QString("Clear"));
    // The view keeps drawing its caret behind the dot although the list has the keyboard.
    QVERIFY(!open->view.hasFocus());
    const QImage image = open->view.viewport()->grab().toImage();
    const int caretX = open->view.Core().MarginCellWidth() + 4 * open->view.CharWidth();
    QCOMPARE(image.pixelColor(caretX, open->view.LineHeight() / 2), QColor(Qt::black));
    QVERIFY(!status.isEmpty());
    QCOMPARE(status.last().at(0).toString(), QString("Clears all property settings of the Err object."));
    Type(open->view, "d");
    QCOMPARE(list->SelectedName(), QString("Description"));
    Key(open->view, Qt::Key_Backspace);
    QCOMPARE(Line(*open, 0), QString("Err."));
    QCOMPARE(list->SelectedName(), QString("Clear"));
    Type(open->view, "d");
    Key(open->view, Qt::Key_Return);
    QCOMPARE(Line(*open, 0), QString("Err.Description"));
    QCOMPARE(status.last().at(0).toString(), QString());  // back to the idle text
  }

  void APunctuationCharacterCommitsAndIsTypedAfterTheName() {
    auto open = Open({u""});
    Type(open->view, "Err.r");
    QVERIFY(MemberList() != nullptr);
    Type(open->view, "(");
    QCOMPARE(Line(*open, 0), QString("Err.Raise("));
    editor::CParamDlg* tip = Tip();
    QVERIFY(tip != nullptr);
    QCOMPARE(tip->Control()->Lines().front(), QString("Raise (number, source, description, helpfile, helpcontext)"));
  }

  void ClosingTheViewTakesItsPopupsAlong() {
    auto open = Open({u""});
    Type(open->view, "Err.");
    QVERIFY(MemberList() != nullptr);
    open.reset();
    Settle();
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    auto another = Open({u""});
    Type(another->view, "MsgBox ");
    QVERIFY(Tip() != nullptr);
    another.reset();
    Settle();
    QVERIFY(QApplication::activePopupWidget() == nullptr);
  }

  void EscapeClosesTheListWithoutInserting() {
    auto open = Open({u""});
    Type(open->view, "Err.");
    QVERIFY(MemberList() != nullptr);
    Key(open->view, Qt::Key_Escape);
    QVERIFY(MemberList() == nullptr);
    QCOMPARE(Line(*open, 0), QString("Err."));
  }

  void ABlankAfterMsgBoxShowsItsTipUntilTheCaretLeavesTheCall() {
    auto open = Open({u""});
    Type(open->view, "msgbox ");
    QCOMPARE(Line(*open, 0), QString("MsgBox "));
    editor::CParamDlg* tip = Tip();
    QVERIFY(tip != nullptr);
    QCOMPARE(tip->Control()->Lines(), (QStringList{"MsgBox (prompt, [buttons], [title], [helpfile], [context])",
                                                   "Displays a message in a dialog box"}));
    QCOMPARE(tip->Control()->Background(), QToolTip::palette().color(QPalette::ToolTipBase));
    QVERIFY(tip->Timer().isActive());
    QCOMPARE(tip->Timer().interval(), editor::CParamDlg::kTimeoutMs);
    QVERIFY(open->view.IsPopupActive());
    QVERIFY(open->view.IsParameterTipActive());
    // Typing goes on in the editor while the tip stays.
    Type(open->view, "\"");
    QCOMPARE(Line(*open, 0), QString("MsgBox \""));
    QVERIFY(Tip() == tip);
    Key(open->view, Qt::Key_Left);
    QVERIFY(Tip() == tip);
    Key(open->view, Qt::Key_Left);  // now left of where the tip opened
    QVERIFY(Tip() == nullptr);
    QVERIFY(!open->view.IsPopupActive());
  }

  void TheTipEndsWithItsTimerAndLetsTheWindowsShortcutsRun() {
    auto open = Open({u""});
    int triggered = 0;
    QAction shortcut(&open->view);
    shortcut.setShortcut(QKeySequence(Qt::Key_F7));
    open->view.addAction(&shortcut);
    connect(&shortcut, &QAction::triggered, this, [&] { ++triggered; });
    Type(open->view, "x = Len(");
    editor::CParamDlg* tip = Tip();
    QVERIFY(tip != nullptr);
    Key(open->view, Qt::Key_F7);
    QCOMPARE(triggered, 1);
    QVERIFY(Tip() == tip);
    // Tab is typed, not a move to another control.
    Key(open->view, Qt::Key_Tab);
    QVERIFY(Line(*open, 0).startsWith("x = Len(") && Line(*open, 0).size() > 8);
    tip->Timer().start(1);  // its five seconds, cut short
    QTRY_VERIFY_WITH_TIMEOUT(Tip() == nullptr, 2000);
    QVERIFY(!open->view.IsPopupActive());
  }

  void TabCommitsTheListAndIsTyped() {
    auto open = Open({u""});
    Type(open->view, "Err.num");
    QVERIFY(MemberList() != nullptr);
    Key(open->view, Qt::Key_Tab);
    QVERIFY(MemberList() == nullptr);
    QVERIFY(Line(*open, 0).startsWith("Err.Number"));
    QVERIFY(Line(*open, 0).size() > 10);
  }

  void EnterInTheTipIsTypedAndClosesIt() {
    auto open = Open({u""});
    Type(open->view, "x = Asc(");
    QVERIFY(Tip() != nullptr);
    QCOMPARE(Tip()->Control()->Lines().front(), QString("Asc (string)"));
    Key(open->view, Qt::Key_Return);
    QVERIFY(Tip() == nullptr);
    QCOMPARE(open->doc.GetLineCount(), 2);
  }

  void ATypedDeclaredNameTakesItsDeclaredCase() {
    auto open = Open({u"dim myValue", u""});
    Type(open->view, "MYVALUE ");
    QCOMPARE(Line(*open, 1), QString("myValue "));
  }

  void AltRightCompletesTheWord() {
    auto open = Open({u"x = msgb"});
    Key(open->view, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(Line(*open, 0), QString("x = MsgBox"));
  }

 private:
  test::CTempFolder m_folder;
};

QTEST_MAIN(CompletionPopupTest)
#include "CompletionPopupTest.moc"
