// "Running scripts" on the offscreen platform against real processes the test starts: copies of
// the test child named as hosts and one script running under our console host.

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <memory>

#include "TempFolder.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ProcessesDlg.h"
#include "app/ui/QuilletApp.h"
#include "base/CommandIds.h"

using namespace quillet;
using namespace quillet::app;

namespace {

constexpr int kBound = 10000;  // milliseconds any awaited change may take

struct SKillAndCollect {
  void operator()(QProcess* process) const {
    process->kill();
    process->waitForFinished(kBound);
    delete process;
  }
};
using CRunning = std::unique_ptr<QProcess, SKillAndCollect>;

// Starts a program that runs until it is ended; killed and collected when the test is over.
CRunning Start(const QString& program, const QStringList& arguments) {
  CRunning process(new QProcess());
  process->start(program, arguments);
  process->waitForStarted(kBound);
  return process;
}

// A copy of the test child under the given name, waiting for a signal. A copy already made is
// used again: a running program cannot be written over.
CRunning StartNamedChild(const test::CTempFolder& folder, const std::string& name) {
  std::filesystem::copy_file(QUILLET_TEST_CHILD, folder.File(name), std::filesystem::copy_options::skip_existing);
  return Start(QString::fromStdString(folder.File(name)), {"forever"});
}

QTreeWidgetItem* Row(const QTreeWidget* list, qint64 pid) {
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    if (list->topLevelItem(i)->text(1) == QString::number(pid)) return list->topLevelItem(i);
  }
  return nullptr;
}

}  // namespace

class ProcessesDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void listsTheHostsInPlaceAndEndsTheChosenOne() {
    test::CTempFolder folder;
    folder.IsolateUserFolders();
    const auto first = StartNamedChild(folder, "cscript");
    const auto second = StartNamedChild(folder, "cscript");
    const auto other = StartNamedChild(folder, "MyHost");
    test::WriteFile(folder.File("loop.vbs"), "Do\r\n  WScript.Sleep 50\r\nLoop\r\n");
    const auto script = Start(QStringLiteral(QUILLET_CSCRIPT_PATH),
                              {"//nologo", QString::fromStdString(folder.File("loop.vbs"))});

    CProcessesDlg dialog(u"CScript");
    QStringList errors;
    dialog.SetErrorReporter([&](const QString& text) { errors << text; });
    QTreeWidget* list = dialog.List();
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Command Line"));
    QCOMPARE(list->columnWidth(1), 45);
    // The timer's refresh finds them; two copies of one host are two rows.
    QTRY_VERIFY_WITH_TIMEOUT(Row(list, first->processId()) && Row(list, second->processId()) &&
                                 Row(list, script->processId()),
                             kBound);
    QVERIFY(Row(list, other->processId()) == nullptr);
    QTreeWidgetItem* scriptRow = Row(list, script->processId());
    QVERIFY2(scriptRow->text(0).contains("loop.vbs"), qPrintable(scriptRow->text(0)));
    QVERIFY(!scriptRow->text(2).isEmpty());

    // A refresh keeps the rows themselves, and the selection on its process.
    QTreeWidgetItem* firstRow = Row(list, first->processId());
    list->setCurrentItem(firstRow);
    dialog.Refresh();
    QCOMPARE(Row(list, first->processId()), firstRow);
    QVERIFY(firstRow->isSelected());

    // Terminate ends the script's host; a later tick drops its row.
    list->setCurrentItem(scriptRow);
    dialog.TerminateButton()->click();
    QVERIFY(script->waitForFinished(kBound));
    QCOMPARE(script->exitStatus(), QProcess::CrashExit);
    QTRY_VERIFY_WITH_TIMEOUT(Row(list, script->processId()) == nullptr, kBound);
    QVERIFY(errors.isEmpty());

    // A host that ends after the listing and before Terminate: the system's reason.
    list->setCurrentItem(Row(list, second->processId()));
    second->kill();
    QVERIFY(second->waitForFinished(kBound));
    dialog.TerminateButton()->click();
    QCOMPARE(errors, QStringList{QStringLiteral("No such process")});
    QVERIFY(first->state() == QProcess::Running);

    // Another console host named in the settings takes cscript's place.
    CProcessesDlg renamed(u"MyHost");
    QVERIFY(Row(renamed.List(), other->processId()) != nullptr);
    QVERIFY(Row(renamed.List(), first->processId()) == nullptr);
  }

  void toolsMenuOpensTheDialog() {
    test::CTempFolder folder;
    folder.IsolateUserFolders();
    CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}));
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<CProcessesDlg*>(QApplication::activeModalWidget());
      seen = dialog != nullptr;
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    app.MainFrame()->Action(ID_TOOLS_RUNNING_SCRIPTS)->trigger();
    QVERIFY(seen);
  }
};

QTEST_MAIN(ProcessesDlgTest)
#include "ProcessesDlgTest.moc"
