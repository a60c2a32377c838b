// The application started for real on the offscreen platform, with files in a temporary folder
// and the user's folders pointed into it.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <QTest>
#include <QUrl>

#include <deque>
#include <filesystem>

#include "TempFolder.h"
#include "base/CommandIds.h"
#include "app/RecentFileList.h"
#include "base/SettingsInventory.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ArgumentsCombo.h"
#include "app/ui/QuilletApp.h"
#include "debug/ui/ShellBar.h"
#include "debug/ui/ShellEditCtrl.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"
#include "platform/SettingsStore.h"
#include "platform/TextConvert.h"
#include "typeinfo/ui/ReferenceDlg.h"

using namespace quillet;
using quillet::test::ReadFile;
using quillet::test::WriteFile;

namespace {

class CScriptedPrompts : public app::IFramePrompts {
 public:
  std::optional<document::SSaveAsAnswer> AskSavePath(const document::SSaveAsRequest&) override {
    ++saveDialogs;
    if (savePaths.empty()) return std::nullopt;
    document::SSaveAsAnswer answer{savePaths.front(), document::kAnsiFilter};
    savePaths.pop_front();
    return answer;
  }
  bool ConfirmUnicodeLoss(const std::u16string&) override { return true; }
  void ReportSaveFailure(const std::string&, int) override { ++failures; }
  app::ESaveChangesAnswer AskSaveChanges(const QString& title) override {
    askedAbout << title;
    return saveChanges;
  }
  std::optional<std::string> AskOpenPath(const std::string&) override { return openPath; }
  void ShowError(const QString& text) override { errors << text; }
  void ShowMessage(const QString& text) override { messages << text; }
  void ShowAbout(const QString& text) override { messages << text; }
  void OpenAddress(const QUrl& address) override { opened << address; }

  std::deque<std::string> savePaths;
  std::optional<std::string> openPath;
  app::ESaveChangesAnswer saveChanges = app::ESaveChangesAnswer::Cancel;
  QStringList askedAbout;
  QStringList errors;
  QStringList messages;
  QList<QUrl> opened;
  int saveDialogs = 0;
  int failures = 0;
};

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  CScriptedPrompts m_prompts;

  std::string File(const std::string& name) const { return m_folder->File(name); }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    m_prompts = CScriptedPrompts();
  }
  void cleanup() { m_folder.reset(); }

  void opensTheScriptOnTheCommandLineAndSavesEdits() {
    WriteFile(File("hello.vbs"), "WScript.Echo 1\r\n");
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet", QString::fromStdString(File("hello.vbs"))}, &m_prompts));
    app::CMainFrame* frame = app.MainFrame();
    QCOMPARE(frame->windowTitle(), QStringLiteral("hello.vbs - Quillet"));
    QCOMPARE(app.Document().GetLineCount(), 2);
    QCOMPARE(app.RecentFiles().Entries().front(), File("hello.vbs"));
    QVERIFY(app.ColorDepth() > 0);

    editor::CQuilletView* view = frame->View();
    QTest::keyClicks(view, "' note");
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Backspace);
    QVERIFY(app.Document().IsModified());
    frame->Action(app::ID_FILE_SAVE)->trigger();
    QCOMPARE(m_prompts.saveDialogs, 0);
    QCOMPARE(ReadFile(File("hello.vbs")), std::string("' notWScript.Echo 1\r\n"));
    QVERIFY(!app.Document().IsModified());
    QCOMPARE(app.Settings().ReadString(u"Recent File List", u"File1", u""),
             std::u16string(u"") + platform::Utf8ToUtf16(File("hello.vbs")));
  }

  void editMenuListsMembersAndTheStatusBarDescribesTheSelection() {
    WriteFile(File("err.vbs"), "Err.");
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet", QString::fromStdString(File("err.vbs"))}, &m_prompts));
    app::CMainFrame* frame = app.MainFrame();
    frame->View()->SetCaretPosition({4, 0});
    QVERIFY(frame->Action(app::ID_EDIT_LIST_MEMBERS)->isEnabled());
    QCOMPARE(frame->Action(app::ID_EDIT_LIST_MEMBERS)->statusTip(), QStringLiteral("Brings up the completion list box"));
    frame->Action(app::ID_EDIT_LIST_MEMBERS)->trigger();
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup != nullptr);
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Clears all property settings of the Err object."));
    popup->close();
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The menu shows Alt+Right for Complete Word; the key, pressed in the view, completes once.
    QCOMPARE(frame->Action(app::ID_EDIT_COMPLETE_WORD)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Right));
    frame->show();
    frame->View()->setFocus();
    QTest::keyClick(frame->View(), Qt::Key_End);
    QTest::keyClick(frame->View(), Qt::Key_Return);
    QTest::keyClicks(frame->View(), "msgb");
    QTest::keyClick(frame->View(), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(frame->View()->CaretPosition().x, 6);
    QCOMPARE(QString::fromStdU16String(std::u16string(frame->Document().GetLine(1))), QStringLiteral("MsgBox"));
  }

  void startsUntitledAndAsksWhereToSave() {
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}, &m_prompts));
    QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("Untitled - Quillet"));
    QTest::keyClicks(app.MainFrame()->View(), "MsgBox 2");
    m_prompts.savePaths.push_back(File("new.vbs"));
    QVERIFY(app.MainFrame()->OnFileSave());
    QCOMPARE(m_prompts.saveDialogs, 1);
    QCOMPARE(ReadFile(File("new.vbs")), std::string("MsgBox 2"));
    QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("new.vbs - Quillet"));
  }

  void missingScriptEndsStartUp() {
    app::CQuilletApp app;
    QVERIFY(!app.InitInstance({"quillet", QString::fromStdString(File("missing.vbs"))}, &m_prompts));
    QCOMPARE(m_prompts.errors, QStringList{QStringLiteral("Failed to open document.")});
  }

  void closingAModifiedScriptAsksFirst() {
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}, &m_prompts));
    QTest::keyClicks(app.MainFrame()->View(), "x");
    m_prompts.saveChanges = app::ESaveChangesAnswer::Cancel;
    QVERIFY(!app.MainFrame()->close());
    QCOMPARE(m_prompts.askedAbout, QStringList{QStringLiteral("Untitled")});
    m_prompts.saveChanges = app::ESaveChangesAnswer::Discard;
    QVERIFY(app.MainFrame()->close());
  }

  // A recent file that has gone, or a folder chosen in the Open dialog, leaves the script with
  // its undo history, its arguments and its output as they were; a file that opens, and New,
  // start without arguments or output.
  void openThatFailsKeepsTheScriptAndOpenOrNewClearTheRun() {
    WriteFile(File("first.vbs"), "Dim a\r\n");
    WriteFile(File("gone.vbs"), "x");
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet", QString::fromStdString(File("gone.vbs"))}, &m_prompts));
    app::CMainFrame* frame = app.MainFrame();
    m_prompts.openPath = File("first.vbs");
    frame->Action(app::ID_FILE_OPEN)->trigger();
    std::filesystem::remove(File("gone.vbs"));
    QTest::keyClicks(frame->View(), "x");
    const auto enterRun = [frame] {
      frame->ArgumentsBox()->setCurrentText(QStringLiteral("args"));
      frame->ShellBar()->AppendOutput(u"output");
    };
    enterRun();
    m_prompts.saveChanges = app::ESaveChangesAnswer::Discard;
    const auto keptAsItWas = [&] {
      QCOMPARE(app.Document().GetLineCount(), 2);
      QCOMPARE(app.Document().GetLine(0), std::u16string_view(u"xDim a"));
      QVERIFY(app.Document().IsModified());
      QVERIFY(app.Document().CanUndo());
      QCOMPARE(app.Document().GetPathName(), File("first.vbs"));
      QCOMPARE(frame->windowTitle(), QStringLiteral("first.vbs - Quillet"));
      QCOMPARE(frame->ArgumentsBox()->currentText(), QStringLiteral("args"));
      QCOMPARE(frame->ShellBar()->Edit()->Text(), std::u16string(u"output"));
    };

    QAction* goneEntry = nullptr;
    for (QAction* action : frame->findChildren<QAction*>()) {
      if (action->text().startsWith(QStringLiteral("&2 "))) goneEntry = action;
    }
    QVERIFY(goneEntry != nullptr);
    QVERIFY(goneEntry->text().endsWith(QStringLiteral("gone.vbs")));
    goneEntry->trigger();
    QCOMPARE(m_prompts.errors, QStringList{QStringLiteral("Failed to open document.")});
    keptAsItWas();
    QCOMPARE(app.RecentFiles().Entries(), std::vector<std::string>{File("first.vbs")});

    m_prompts.openPath = m_folder->Path();  // opens, but its first read fails
    frame->Action(app::ID_FILE_OPEN)->trigger();
    QCOMPARE(m_prompts.errors.size(), 2);
    keptAsItWas();

    m_prompts.openPath = File("first.vbs");
    frame->Action(app::ID_FILE_OPEN)->trigger();
    QCOMPARE(app.Document().GetLine(0), std::u16string_view(u"Dim a"));
    QVERIFY(frame->ArgumentsBox()->currentText().isEmpty());
    QVERIFY(frame->ShellBar()->Edit()->Text().empty());
    enterRun();
    frame->Action(app::ID_FILE_NEW)->trigger();
    QCOMPARE(frame->windowTitle(), QStringLiteral("Untitled - Quillet"));
    QVERIFY(frame->ArgumentsBox()->currentText().isEmpty());
    QVERIFY(frame->ShellBar()->Edit()->Text().empty());
    QCOMPARE(m_prompts.errors.size(), 2);
  }

  void droppedFileOpens() {
    WriteFile(File("dropped.vbs"), "a\r\nb\r\nc");
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}, &m_prompts));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(File("dropped.vbs")))});
    // A drop goes to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(app.MainFrame(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(app.MainFrame(), &drop);
    QCOMPARE(app.Document().GetLineCount(), 3);
    QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("dropped.vbs - Quillet"));
  }

  void helpOpensTheReferencePageOfTheWordAtTheCaret() {
    WriteFile(File("help.vbs"), "MsgBox 1\r\nfoo = 2\r\n");
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet", QString::fromStdString(File("help.vbs"))}, &m_prompts));
    app::CMainFrame* frame = app.MainFrame();
    frame->View()->SetCaretPosition({2, 0});
    frame->Action(app::ID_HELP_SEARCH)->trigger();
    QCOMPARE(m_prompts.opened.size(), 1);
    QVERIFY(m_prompts.opened[0].toLocalFile().endsWith("/reference/fn-msgbox.html"));
    QVERIFY(QFileInfo::exists(m_prompts.opened[0].toLocalFile()));

    frame->View()->SetCaretPosition({1, 1});  // "foo" is no language word: the index
    frame->Action(app::ID_HELP_SEARCH)->trigger();
    QVERIFY(m_prompts.opened[1].toLocalFile().endsWith("/reference/index.html"));

    app.Settings().Write(app::settings::HelpWeb, u"https://s.example/?q=%1");
    frame->Action(app::ID_HELP_SEARCH_WEB)->trigger();
    QCOMPARE(m_prompts.opened[2], QUrl("https://s.example/?q=foo"));

    app.Settings().Write(app::settings::HelpFile, u"/docs/mine.chm");
    frame->Action(app::ID_HELP_SEARCH)->trigger();
    QCOMPARE(m_prompts.opened[3], QUrl::fromLocalFile("/docs/mine.chm"));

    frame->SetDebugging(true);
    frame->Action(app::ID_HELP_SEARCH)->trigger();
    frame->Action(app::ID_HELP_CONTENTS)->trigger();
    QCOMPARE(m_prompts.opened.size(), 4);
    QCOMPARE(m_prompts.messages, QStringList(2, "Sorry, Help is not available while debugging."));
    frame->SetDebugging(false);
    frame->Action(app::ID_HELP_CONTENTS)->trigger();
    QVERIFY(QFileInfo::exists(m_prompts.opened[4].toLocalFile()));
    frame->Action(app::ID_APP_ABOUT)->trigger();
    QVERIFY(m_prompts.messages.last().contains(QStringLiteral(QUILLET_TEST_VERSION)));
    // No debugger page exists for this system: the command is greyed.
    QVERIFY(!frame->Action(app::ID_HELP_DOWNLOAD_DEBUGGER)->isEnabled());
  }

  void f1OnAMenuItemOpensItsTopic() {
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}, &m_prompts));
    app::CMainFrame* frame = app.MainFrame();
    QMenu* fileMenu = frame->menuBar()->findChildren<QMenu*>().front();
    fileMenu->popup(QPoint(0, 0));
    fileMenu->setActiveAction(frame->Action(app::ID_FILE_OPEN));
    QTest::keyClick(fileMenu, Qt::Key_F1);
    QCOMPARE(m_prompts.opened.size(), 1);
    QVERIFY(m_prompts.opened[0].toLocalFile().endsWith(QStringLiteral("/topic2.html")));
    QVERIFY(QFileInfo::exists(m_prompts.opened[0].toLocalFile()));
  }

  void editMenuCommandsReachTheView() {
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}, &m_prompts));
    app::CMainFrame* frame = app.MainFrame();
    QTest::keyClicks(frame->View(), "MsgBox 1");
    frame->Action(app::ID_EDIT_SELECT_ALL)->trigger();
    frame->Action(app::ID_EDIT_COMMENT)->trigger();
    QCOMPARE(app.Document().GetLine(0), std::u16string_view(u"'MsgBox 1"));
    frame->UpdateEditorCommands();
    QVERIFY(frame->Action(app::ID_EDIT_UNDO)->isEnabled());
    QVERIFY(frame->Action(app::ID_EDIT_UNDO)->text().startsWith(QStringLiteral("&Undo ")));
    QVERIFY(frame->Action(app::ID_VIEW_LINE_NUMBERS)->isChecked());
    frame->Action(app::ID_VIEW_LINE_NUMBERS)->trigger();
    QCOMPARE(app.Settings().Read(app::settings::ViewLineNumbers), 0);  // the toggle is stored
  }

  void startUpTidiesTheTemporaryFolder() {
    const std::string temp = File("home/.local/share/Kelmarsh/Quillet/Temp");
    std::filesystem::create_directories(temp);
    WriteFile(temp + "/abcdefgh.vbs", "old copy");
    WriteFile(temp + "/script.vbs", "not ours");
    const auto twoDaysAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(temp + "/abcdefgh.vbs", twoDaysAgo);
    std::filesystem::last_write_time(temp + "/script.vbs", twoDaysAgo);
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}, &m_prompts));
    QCOMPARE(app.TempFolder(), temp);
    QTRY_VERIFY_WITH_TIMEOUT(!std::filesystem::exists(temp + "/abcdefgh.vbs"), 5000);
    QVERIFY(std::filesystem::exists(temp + "/script.vbs"));
  }

  void referencesCommandEditsTheStoredReferences() {
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}, &m_prompts));
    app.Settings().WriteString(app::settings::TypeLibSection, u"Gone.One", app::settings::TypeLibUnknown);
    app.Settings().WriteString(app::settings::TypeLibSection, u"Kept.One", u"/libs/kept.tlb");
    QAction* references = app.MainFrame()->Action(app::ID_TOOLS_REFERENCES);
    QVERIFY(references->isEnabled());
    QStringList listed;
    QTimer::singleShot(0, [&listed] {
      auto* dialog = qobject_cast<typeinfo::CReferenceDlg*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i) listed << dialog->List()->topLevelItem(i)->text(0);
      dialog->List()->topLevelItem(0)->setSelected(true);
      dialog->OnDelete();
      dialog->accept();
    });
    references->trigger();
    QCOMPARE(listed, (QStringList{"Gone.One", "Kept.One"}));
    QCOMPARE(app.Settings().ReadString(app::settings::TypeLibSection, u"Gone.One", u"-"), std::u16string(u"-"));
    QCOMPARE(app.Settings().ReadString(app::settings::TypeLibSection, u"Kept.One", u"-"), std::u16string(u"/libs/kept.tlb"));
  }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
