// Debugging from the main window with our real host: the commands' keys and enabled states,
// a breakpoint on a blank line whose mark moves, steps, the error box and Stop debugging.

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

#include "RecordingPrompts.h"
#include "TempFolder.h"
#include "app/FrameLayout.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SizingControlBar.h"
#include "app/ui/QuilletApp.h"
#include "base/CommandIds.h"
#include "debug/DebugController.h"
#include "debug/ui/ScriptRunner.h"
#include "debug/ui/VariableBar.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/ui/QuilletView.h"
#include "platform/ProcessLauncher.h"

using namespace quillet;
using debug::EDebugState;

namespace {

const std::string kHostFolder = std::filesystem::path(QUILLET_CSCRIPT_PATH).parent_path().string();
constexpr int kWait = 10000;

}  // namespace

class DebugWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  test::CRecordingPrompts m_prompts;

  std::unique_ptr<app::CQuilletApp> Start(const std::string& text) {
    test::WriteFile(m_folder->File("debug.vbs"), text);
    auto app = std::make_unique<app::CQuilletApp>();
    const QStringList args{"quillet", QString::fromStdString(m_folder->File("debug.vbs"))};
    if (!app->InitInstance(args, &m_prompts)) return {};
    app->MainFrame()->show();
    app->MainFrame()->Runner().SetLauncher(platform::CProcessLauncher(kHostFolder));
    return app;
  }
  static QTreeWidgetItem* Child(QTreeWidgetItem* parent, const char* name) {
    for (int i = 0; i < parent->childCount(); ++i) {
      if (parent->child(i)->text(0).compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return parent->child(i);
    }
    return nullptr;
  }
  static bool Enabled(app::CMainFrame* frame, int command) { return frame->Action(command)->isEnabled(); }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    m_prompts = test::CRecordingPrompts();
  }
  void cleanup() { m_folder.reset(); }

  void breakpointStepsAndStop() {
    auto app = Start("Dim n\r\nn = 1\r\n\r\nn = n + 1\r\nn = n + 1\r\nWScript.Echo n\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    QCOMPARE(frame->Action(app::ID_DEBUG_START_OR_CONTINUE)->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(frame->Action(app::ID_DEBUG_STEP_INTO)->shortcut(), QKeySequence(Qt::Key_F11));
    QCOMPARE(frame->Action(app::ID_DEBUG_STEP_OVER)->shortcut(), QKeySequence(Qt::Key_F10));
    QCOMPARE(frame->Action(app::ID_DEBUG_STEP_OUT)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F11));
    QCOMPARE(frame->Action(app::ID_DEBUG_TOGGLE_BREAKPOINT)->shortcut(), QKeySequence(Qt::Key_F9));
    QCOMPARE(frame->Action(app::ID_DEBUG_REMOVE_ALL_BREAKPOINTS)->shortcut(),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9));
    // Idle: start, and the breakpoint commands; nothing to step, break or stop.
    QVERIFY(Enabled(frame, app::ID_DEBUG_START_OR_CONTINUE));
    QVERIFY(Enabled(frame, app::ID_DEBUG_TOGGLE_BREAKPOINT) && Enabled(frame, app::ID_DEBUG_REMOVE_ALL_BREAKPOINTS));
    QVERIFY(!Enabled(frame, app::ID_DEBUG_STEP_INTO) && !Enabled(frame, app::ID_DEBUG_BREAK));
    QVERIFY(!Enabled(frame, app::ID_DEBUG_STOP) && !Enabled(frame, app::ID_VIEW_VARIABLES));

    frame->View()->SetCaretPosition({0, 2});  // the blank line
    frame->Action(app::ID_DEBUG_TOGGLE_BREAKPOINT)->trigger();
    QCOMPARE(frame->Document().Breakpoints().at(2), 1);
    frame->Action(app::ID_DEBUG_START_OR_CONTINUE)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(frame->Debugger().State() == EDebugState::Stopped, kWait);
    QCOMPARE(frame->Debugger().ExecutionLine(), 3);
    QCOMPARE(frame->Document().Breakpoints(), (document::CQuilletDoc::BreakpointTable{{3, 1}}));
    QCOMPARE(frame->View()->Core().Caret().y, 3);
    QVERIFY(frame->IsDebugging());
    QVERIFY(frame->VariablesBar()->isVisible());
    QVERIFY(Enabled(frame, app::ID_VIEW_VARIABLES) && frame->Action(app::ID_VIEW_VARIABLES)->isChecked());
    frame->Action(app::ID_VIEW_VARIABLES)->trigger();
    QVERIFY(frame->VariablesBar()->isHidden() && !frame->Action(app::ID_VIEW_VARIABLES)->isChecked());
    frame->Action(app::ID_VIEW_VARIABLES)->trigger();
    QVERIFY(!frame->VariablesBar()->isHidden() && frame->Action(app::ID_VIEW_VARIABLES)->isChecked());
    QVERIFY(Enabled(frame, app::ID_DEBUG_STEP_OVER) && Enabled(frame, app::ID_DEBUG_START_OR_CONTINUE));
    QVERIFY(!Enabled(frame, app::ID_DEBUG_BREAK) && !Enabled(frame, app::ID_DEBUG_RUN_SCRIPT));
    QVERIFY(Enabled(frame, app::ID_DEBUG_STOP));

    frame->Action(app::ID_DEBUG_STEP_OVER)->trigger();
    QVERIFY(!Enabled(frame, app::ID_DEBUG_STEP_OVER));
    QTRY_VERIFY_WITH_TIMEOUT(frame->Debugger().State() == EDebugState::Stopped, kWait);
    QCOMPARE(frame->Debugger().ExecutionLine(), 4);

    // Stop debugging ends the host; the cleared breakpoint leaves the table with the run.
    frame->Action(app::ID_DEBUG_TOGGLE_BREAKPOINT)->trigger();  // caret on line 4: a new one
    frame->Action(app::ID_DEBUG_REMOVE_ALL_BREAKPOINTS)->trigger();
    const int32_t debugWidth = frame->VariablesBar()->Sizes().horizontal.width;
    frame->Action(app::ID_DEBUG_STOP)->trigger();
    QCOMPARE(frame->Debugger().State(), EDebugState::Idle);
    QTRY_VERIFY_WITH_TIMEOUT(!frame->Runner().IsRunning(), kWait);
    QVERIFY(frame->Document().Breakpoints().empty());
    QVERIFY(!frame->IsDebugging());
    QVERIFY(!frame->VariablesBar()->isVisible() && !Enabled(frame, app::ID_VIEW_VARIABLES));
    QVERIFY(!frame->Document().IsDebugging());  // no value tips once the run is over
    app::SBarSizes stored;  // the debug layout is kept for the next run
    stored.Load(frame->Settings(), u"VariableBarState", frame->VariablesBar()->BarId());
    QCOMPARE(stored.horizontal.width, debugWidth);
    QTRY_VERIFY_WITH_TIMEOUT(Enabled(frame, app::ID_DEBUG_START_OR_CONTINUE), kWait);  // once the run has ended
    QVERIFY(!Enabled(frame, app::ID_DEBUG_STOP));
  }

  void runtimeErrorBox() {
    auto app = Start("Dim a\r\na = 1 / 0\r\nWScript.Echo a\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    QSignalSpy ended(&frame->Runner(), &debug::CScriptRunner::ScriptEnded);
    frame->Action(app::ID_DEBUG_START_OR_CONTINUE)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(frame->Debugger().State() == EDebugState::Stopped, kWait);
    QCOMPARE(frame->Debugger().ExecutionLine(), 1);
    QCOMPARE(m_prompts.messages,
             QStringList{"Line:\t2\nColumn:\t1\nError:\tDivision by zero\nCode:\t800A000B\nSource:\ta = 1 / 0"});
    frame->Action(app::ID_DEBUG_START_OR_CONTINUE)->trigger();
    QVERIFY(ended.wait(kWait));
    QCOMPARE(frame->Debugger().State(), EDebugState::Idle);
    QCOMPARE(frame->Debugger().ExitCode().value_or(-1), 0);  // -1: no exit event came
  }

  void variablesOfTheStoppedScriptOpenLevelByLevel() {
    auto app = Start("Class Box\r\n  Public Size\r\nEnd Class\r\n"
                     "Sub Work(count)\r\n  Dim inner\r\n  inner = count * 2\r\n  Stop\r\nEnd Sub\r\n"
                     "Dim list(2), crate\r\nlist(1) = \"one\"\r\nSet crate = New Box\r\ncrate.Size = 7\r\nWork 21\r\nlist(1) = \"two\"\r\nWork 5\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    frame->Action(app::ID_DEBUG_START_OR_CONTINUE)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(frame->Debugger().State() == EDebugState::Stopped, kWait);
    QTreeWidget* tree = frame->VariableBar()->Tree();
    QCOMPARE(tree->headerItem()->text(0), QStringLiteral("Name"));
    QCOMPARE(tree->headerItem()->text(1), QStringLiteral("Value"));
    QTRY_COMPARE_WITH_TIMEOUT(tree->topLevelItemCount(), 2, kWait);  // Work, then the global code
    QTreeWidgetItem* work = tree->topLevelItem(0);
    QVERIFY2(work->text(0).startsWith(QLatin1Char('[')) && work->text(0).contains(QStringLiteral("Work")),
             qPrintable(work->text(0)));
    // The top frame opens by itself: its locals and arguments, then the globals.
    QTRY_VERIFY_WITH_TIMEOUT(Child(work, "crate") != nullptr, kWait);
    QCOMPARE(Child(work, "inner")->text(1), QStringLiteral("42"));
    QCOMPARE(Child(work, "count")->text(1), QStringLiteral("21"));
    // The value tips read what this stop listed; the global frame's own level is in as well.
    const document::CWatchList& watch = frame->Document().WatchList();
    QVERIFY(frame->Document().IsDebugging());
    QVERIFY(watch.ValueTip(u"INNER") == u"42");
    QTRY_VERIFY_WITH_TIMEOUT(watch.Pairs().size() == 2 * static_cast<size_t>(work->childCount() +
                                                                             tree->topLevelItem(1)->childCount()),
                             kWait);
    QTreeWidgetItem* list = Child(work, "list");
    QVERIFY(list != nullptr && list->childCount() == 0);  // not loaded until opened
    list->setExpanded(true);
    QTRY_COMPARE_WITH_TIMEOUT(list->childCount(), 3, kWait);
    QCOMPARE(list->child(1)->text(1), QStringLiteral("\"one\""));
    QTreeWidgetItem* crate = Child(work, "crate");
    crate->setExpanded(true);
    QTRY_VERIFY_WITH_TIMEOUT(Child(crate, "Size") != nullptr, kWait);
    QCOMPARE(Child(crate, "Size")->text(1), QStringLiteral("7"));
    QVERIFY(!watch.ValueTip(u"size"));  // opened after the refresh, not by it
    // A simple value changes through the dialog; text the engine refuses leaves it as it was.
    QStringList asked;
    QString answer = QStringLiteral("43");
    frame->VariableBar()->SetValueEditor([&](const QString& name, const QString& type, const QString& value) {
      asked << name + QLatin1Char('|') + type + QLatin1Char('|') + value;
      return std::optional<QString>(answer);
    });
    frame->VariableBar()->EditVariable(Child(work, "inner"));
    QTRY_COMPARE_WITH_TIMEOUT(Child(work, "inner")->text(1), QStringLiteral("43"), kWait);
    answer = QStringLiteral("not a number");
    frame->VariableBar()->EditVariable(Child(work, "inner"));
    frame->VariableBar()->EditVariable(crate);  // an object: no dialog
    answer = QStringLiteral("5");
    frame->VariableBar()->EditVariable(Child(work, "count"));
    // Answers come in order: once the last one is in, the refused one has been seen too.
    QTRY_COMPARE_WITH_TIMEOUT(Child(work, "count")->text(1), QStringLiteral("5"), kWait);
    QCOMPARE(Child(work, "inner")->text(1), QStringLiteral("43"));
    QCOMPARE(asked.size(), 3);
    QCOMPARE(asked[0], QStringLiteral("inner|Integer|42"));
    // At the next stop what was open stays open, with the new values.
    frame->Action(app::ID_DEBUG_START_OR_CONTINUE)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(Child(work, "inner")->text(1), QStringLiteral("10"), kWait);
    QCOMPARE(tree->topLevelItem(0), work);
    QTRY_COMPARE_WITH_TIMEOUT(list->child(1)->text(1), QStringLiteral("\"two\""), kWait);
    QVERIFY(list->isExpanded() && crate->isExpanded());
    QCOMPARE(Child(crate, "Size")->text(1), QStringLiteral("7"));
    // Rebuilt at this stop, open items included, with none of the last stop's values.
    QTRY_VERIFY_WITH_TIMEOUT(watch.ValueTip(u"size") == u"7", kWait);
    QVERIFY(watch.ValueTip(u"inner") == u"10");
    QVERIFY(watch.ValueTip(u"count") == u"5");
  }

  void leavingTheScriptStopsTheDebuggerIfTheUserAgrees() {
    auto app = Start("Stop\r\nWScript.Echo 1\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    frame->Action(app::ID_DEBUG_START_OR_CONTINUE)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(frame->Debugger().State() == EDebugState::Stopped, kWait);
    m_prompts.okay = false;
    frame->OnFileNew();
    QCOMPARE(m_prompts.questions, QStringList{"This command will stop the debugger."});
    QCOMPARE(frame->Debugger().State(), EDebugState::Stopped);
    QVERIFY(!frame->Document().GetPathName().empty());
    m_prompts.okay = true;
    frame->OnFileNew();
    QCOMPARE(m_prompts.questions.size(), 2);
    QCOMPARE(frame->Debugger().State(), EDebugState::Idle);
    QVERIFY(!frame->Runner().IsRunning());
    QVERIFY(frame->Document().GetPathName().empty());
    // Nothing is debugged now: no question.
    frame->OnFileNew();
    QCOMPARE(m_prompts.questions.size(), 2);
  }
};

QTEST_MAIN(DebugWindowTest)
#include "DebugWindowTest.moc"
