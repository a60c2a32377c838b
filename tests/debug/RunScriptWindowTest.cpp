// Run script through the main window with our real host: output, input, errors, limits, Stop.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

#include "RecordingPrompts.h"
#include "TempFolder.h"
#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "app/ui/ArgumentsCombo.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QuilletApp.h"
#include "app/ui/SizingControlBar.h"
#include "debug/ui/ScriptRunner.h"
#include "debug/ui/ShellBar.h"
#include "debug/ui/ShellEditCtrl.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"
#include "platform/ProcessLauncher.h"

using namespace quillet;

namespace {

const std::string kHostFolder = std::filesystem::path(QUILLET_CSCRIPT_PATH).parent_path().string();

}  // namespace

class RunScriptWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  test::CRecordingPrompts m_prompts;

  std::unique_ptr<app::CQuilletApp> Start(const std::string& name, const std::string& text) {
    std::vector<QString> args{"quillet"};
    if (!name.empty()) {
      test::WriteFile(m_folder->File(name), text);
      args.push_back(QString::fromStdString(m_folder->File(name)));
    }
    auto app = std::make_unique<app::CQuilletApp>();
    if (!app->InitInstance(QStringList(args.begin(), args.end()), &m_prompts)) return {};
    app->MainFrame()->show();
    app->MainFrame()->Runner().SetLauncher(platform::CProcessLauncher(kHostFolder));
    return app;
  }

  // Run script with the arguments, then the completion line.
  static QString Run(app::CMainFrame* frame, const QString& arguments) {
    frame->ArgumentsBox()->setCurrentText(arguments);
    QSignalSpy ended(&frame->Runner(), &debug::CScriptRunner::ScriptEnded);
    frame->Action(app::ID_DEBUG_RUN_SCRIPT)->trigger();
    if (!ended.wait(20000)) return QStringLiteral("<no end>");
    return QString::fromStdU16String(frame->ShellBar()->Edit()->Text());
  }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    m_prompts = test::CRecordingPrompts();
  }
  void cleanup() { m_folder.reset(); }

  void echoArgumentsAndRecentList() {
    auto app = Start("echo.vbs", "For Each a In WScript.Arguments: WScript.Echo \"[\" & a & \"]\": Next\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    QVERIFY(frame->Action(app::ID_DEBUG_CSCRIPT)->isChecked());
    QCOMPARE(frame->Action(app::ID_DEBUG_RUN_SCRIPT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F5));
    QCOMPARE(frame->Action(app::ID_DEBUG_STOP)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    QVERIFY(frame->Action(app::ID_DEBUG_REDIRECT_CONSOLE)->isChecked());
    const QString output = Run(frame, QStringLiteral("ABC \"two words\""));
    QVERIFY2(output.contains(QStringLiteral("[ABC]\r\n[two words]\r\n")), qPrintable(output));
    QVERIFY(output.endsWith(QStringLiteral("\r\n***** script completed *****\r\n")));
    QVERIFY(frame->OutputBar()->isVisible());
    QVERIFY(frame->Action(app::ID_DEBUG_RUN_SCRIPT)->isEnabled());

    Run(frame, QStringLiteral("abc \"TWO WORDS\""));
    QCOMPARE(frame->ArgumentsBox()->count(), 1);
    QCOMPARE(frame->ArgumentsBox()->itemText(0), QStringLiteral("abc \"TWO WORDS\""));
  }

  void inputFromTheOutputWindowAndErrorLocation() {
    auto app = Start("ask.vbs",
                     "name = WScript.StdIn.ReadLine : name = WScript.StdIn.ReadLine\r\n"
                     "WScript.Echo \"hi \" & name\r\n    y = 2 / 0\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    QSignalSpy ended(&frame->Runner(), &debug::CScriptRunner::ScriptEnded);
    frame->Action(app::ID_DEBUG_RUN_SCRIPT)->trigger();
    debug::CShellEditCtrl* edit = frame->ShellBar()->Edit();
    // Backspace at the input start leaves the output alone; typed text goes to the script.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("Ann"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(ended.wait(20000));
    const QString output = QString::fromStdU16String(edit->Text());
    QVERIFY2(output.startsWith(QStringLiteral("Ann\r\n")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("\r\nhi Ann\r\n")), qPrintable(output));
    const QString located = QString::fromStdString(m_folder->File("ask.vbs")) + QStringLiteral("(3, 5)");
    QVERIFY2(output.contains(located), qPrintable(output));
    QCOMPARE(frame->View()->Core().Caret().y, 2);
    QCOMPARE(frame->View()->Core().Caret().x, 4);
    QVERIFY(edit->textCursor().selectedText().startsWith(located));

    // A double-click on that line comes back to it from elsewhere; one on other text does not.
    const QTextCursor errorLine = edit->textCursor();
    frame->View()->SetCaretPosition({0, 0});
    QTextCursor other = edit->textCursor();
    other.movePosition(QTextCursor::End);
    edit->setTextCursor(other);
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, edit->cursorRect(other).center());
    QCOMPARE(frame->View()->Core().Caret().y, 0);
    QTextCursor start(errorLine);
    start.setPosition(errorLine.selectionStart() + 3);
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, edit->cursorRect(start).center());
    QCOMPARE(frame->View()->Core().Caret().y, 2);
    QCOMPARE(frame->View()->Core().Caret().x, 4);
  }

  void untitledTextRunsFromTheTemporaryFolder() {
    auto app = Start("", "");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    int32_t endLine = 0, endChar = 0;
    frame->Document().InsertText(nullptr, 0, 0, u"WScript.Echo WScript.ScriptName", endLine, endChar, 0);
    const QString output = Run(frame, QString());
    const std::filesystem::path runPath(frame->Runner().RunPath());
    QCOMPARE(runPath.parent_path().filename().string(), std::string("Temp"));
    QVERIFY2(output.contains(QString::fromStdString(runPath.filename().string())), qPrintable(output));
    QVERIFY(frame->Document().GetPathName().empty());
    QVERIFY(frame->Document().IsModified());
  }

  void stopEndsAScriptThatRunsForever() {
    auto app = Start("loop.vbs", "WScript.Echo \"started\"\r\nDo\r\nLoop\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    QSignalSpy ended(&frame->Runner(), &debug::CScriptRunner::ScriptEnded);
    frame->Action(app::ID_DEBUG_RUN_SCRIPT)->trigger();
    QVERIFY(frame->Runner().IsRunning());
    QVERIFY(!frame->Action(app::ID_DEBUG_RUN_SCRIPT)->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(frame->ShellBar()->Edit()->toPlainText().contains("started"), 20000);
    QTest::keyClick(frame, Qt::Key_F5, Qt::ShiftModifier);
    QVERIFY(ended.count() == 1 || ended.wait(5000));
    QVERIFY(!frame->Runner().IsRunning());
    QVERIFY(frame->ShellBar()->Edit()->toPlainText().endsWith("***** script completed *****\n"));
  }

  void hostThatCannotStartAndConsoleToggles() {
    auto app = Start("x.vbs", "WScript.Echo 1\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    frame->Action(app::ID_DEBUG_WSCRIPT)->trigger();
    QVERIFY(frame->Action(app::ID_DEBUG_WSCRIPT)->isChecked());
    QVERIFY(!frame->Action(app::ID_DEBUG_CSCRIPT)->isChecked());
    QVERIFY(!frame->Action(app::ID_DEBUG_REDIRECT_CONSOLE)->isEnabled());
    QCOMPARE(frame->Settings().Read(app::settings::ConsoleMode), 0);
    frame->Runner().SetLauncher(platform::CProcessLauncher(m_folder->Path()));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray(m_folder->Path().c_str()));
    frame->ArgumentsBox()->setCurrentText(QStringLiteral("one two"));
    frame->Action(app::ID_DEBUG_RUN_SCRIPT)->trigger();
    QCOMPARE(m_prompts.messages.size(), 1);
    QCOMPARE(m_prompts.messages[0], QStringLiteral("Cannot run wscript.exe \"") +
                                        QString::fromStdString(m_folder->File("x.vbs")) + QStringLiteral("\" one two"));
    QVERIFY(!frame->Runner().IsRunning());
    // The arguments were recorded before the start failed; the box shows the stored list.
    QCOMPARE(frame->Settings().ReadString(u"Recent Arg List", u"Arg0", u""), std::u16string(u"one two"));
    QCOMPARE(frame->ArgumentsBox()->count(), 1);
    QCOMPARE(frame->ArgumentsBox()->itemText(0), QStringLiteral("one two"));
    QCOMPARE(frame->ArgumentsBox()->currentText(), QStringLiteral("one two"));

    // Redirected, the reason appears in the output window instead of a message box.
    frame->Action(app::ID_DEBUG_CSCRIPT)->trigger();
    QSignalSpy ended(&frame->Runner(), &debug::CScriptRunner::ScriptEnded);
    frame->Action(app::ID_DEBUG_RUN_SCRIPT)->trigger();
    QVERIFY(ended.wait(5000));
    const QString output = frame->ShellBar()->Edit()->toPlainText();
    QVERIFY2(output.startsWith(QStringLiteral("Cannot run CScript.exe //U \"")), qPrintable(output));
    QVERIFY(output.endsWith(QStringLiteral("***** script completed *****\n")));
    QCOMPARE(m_prompts.messages.size(), 1);
    qputenv("PATH", path);

    frame->Action(app::ID_DEBUG_REDIRECT_CONSOLE)->trigger();
    QVERIFY(!frame->Action(app::ID_DEBUG_REDIRECT_CONSOLE)->isChecked());
    QCOMPARE(frame->Settings().Read(app::settings::RedirectConsole), 0);
  }

  // The windowed host runs without the output window. Without a display its Echo falls back
  // to the standard output it inherits, which the test points at a file.
  void windowedHostRunsOnItsOwn() {
    auto app = Start("w.vbs", "WScript.Echo \"windowed \" & WScript.Arguments(0) & \" \" & MsgBox(\"?\", 4)\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    frame->Action(app::ID_DEBUG_WSCRIPT)->trigger();
    const std::string captured = m_folder->File("stdout.txt");
    std::fflush(stdout);
    const int savedOut = ::dup(1);
    const int file = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ::dup2(file, 1);
    ::close(file);
    frame->ArgumentsBox()->setCurrentText(QStringLiteral("arg"));
    QSignalSpy ended(&frame->Runner(), &debug::CScriptRunner::ScriptEnded);
    frame->Action(app::ID_DEBUG_RUN_SCRIPT)->trigger();
    const bool finished = ended.wait(20000);
    ::dup2(savedOut, 1);
    ::close(savedOut);
    QVERIFY(finished);
    QVERIFY(m_prompts.messages.isEmpty());
    QVERIFY(!frame->OutputBar()->isVisible());
    QCOMPARE(QString::fromStdString(test::ReadFile(captured)), QStringLiteral("windowed arg 6\r\n"));
  }

  // Not redirected, the console host gets the system's terminal, here one that notes its
  // arguments and runs the rest.
  void consoleWithoutRedirectRunsInATerminal() {
    auto app = Start("t.vbs", "WScript.Echo \"in terminal\"\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    frame->Action(app::ID_DEBUG_REDIRECT_CONSOLE)->trigger();
    QVERIFY(!frame->Action(app::ID_DEBUG_REDIRECT_CONSOLE)->isChecked());
    const std::string terminal = m_folder->File("x-terminal-emulator");
    test::WriteFile(terminal, "#!/bin/sh\necho \"$@\" > \"$0.args\"\nshift\nexec \"$@\" > \"$0.out\"\n");
    ::chmod(terminal.c_str(), 0755);
    frame->Runner().SetLauncher(platform::CProcessLauncher(m_folder->Path()));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray(kHostFolder.c_str()) + ":" + path);
    frame->Runner().SetTerminalAllowed(true);
    QSignalSpy ended(&frame->Runner(), &debug::CScriptRunner::ScriptEnded);
    frame->Action(app::ID_DEBUG_RUN_SCRIPT)->trigger();
    const bool finished = ended.wait(20000);
    qputenv("PATH", path);
    QVERIFY(finished);
    const QString args = QString::fromStdString(test::ReadFile(terminal + ".args"));
    QVERIFY2(args.startsWith(QStringLiteral("-e ") + QString::fromStdString(kHostFolder) + "/cscript"), qPrintable(args));
    QVERIFY2(args.contains(QString::fromStdString(m_folder->File("t.vbs"))), qPrintable(args));
    QVERIFY(QString::fromStdString(test::ReadFile(terminal + ".out")).endsWith(QStringLiteral("in terminal\r\n")));
    QVERIFY(m_prompts.messages.isEmpty());
  }

  void floodFromARealRunKeepsTheNewestWholeLines() {
    auto app = Start("flood.vbs", "For i = 100000 To 112999\r\nWScript.Echo i & \"" + std::string(92, 'x') +
                                      "\"\r\nNext\r\n");
    QVERIFY(app);
    const QString output = Run(app->MainFrame(), QString());
    QVERIFY(static_cast<size_t>(output.size()) <= 1048576);
    QVERIFY(output.contains(QStringLiteral("112999")));
    // Whole lines: the window starts with a number where a line of output started.
    QVERIFY2(output.left(6).toInt() >= 100000, qPrintable(output.left(20)));
    QCOMPARE(output.indexOf(QStringLiteral("\r\n")), 98);
  }

  // Output comes in pieces cut anywhere, also inside a CR LF: a CR LF, a lone CR and a lone
  // LF each end one line, wherever the pieces were cut.
  void outputReadsTheSameWhereverItIsCut() {
    const std::u16string output = u"10%\r20%\r\ndone\r\r\nlf\n\nlast\r";
    debug::CShellEditCtrl whole;
    whole.AppendOutput(output);
    QCOMPARE(whole.Text(), std::u16string(u"10%\r\n20%\r\ndone\r\n\r\nlf\r\n\r\nlast\r\n"));
    debug::CShellEditCtrl edit;
    for (size_t cut = 0; cut <= output.size(); ++cut) {
      edit.ClearOutput();
      edit.AppendOutput(std::u16string_view(output).substr(0, cut));
      edit.AppendOutput(std::u16string_view(output).substr(cut));
      QCOMPARE(edit.Text(), whole.Text());
      QCOMPARE(edit.InputStart(), edit.TextLength());
    }
    edit.ClearOutput();
    for (const char16_t unit : output) edit.AppendOutput(std::u16string_view(&unit, 1));
    QCOMPARE(edit.Text(), whole.Text());
  }

  void outputBeyondTheLimitLosesWholeOldLines() {
    debug::CShellEditCtrl edit;
    const std::u16string line = std::u16string(998, u'x') + u"\r\n";
    std::u16string chunk;
    for (int i = 0; i < 100; ++i) chunk += line;
    for (int i = 0; i < 11; ++i) edit.AppendOutput(chunk);
    QVERIFY(edit.TextLength() <= 1048576);
    QVERIFY(edit.TextLength() >= 1048576 - 131072 - 1000);
    QCOMPARE(edit.TextLength() % 1000, size_t{0});
    QCOMPARE(edit.InputStart(), edit.TextLength());
  }
};

QTEST_MAIN(RunScriptWindowTest)
#include "RunScriptWindowTest.moc"
