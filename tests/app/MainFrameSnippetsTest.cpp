// The frame's snippet menus, insertion, F4 and the Samples menu, on the offscreen platform.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "TempFolder.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QuilletApp.h"
#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/ui/QuilletView.h"
#include "platform/AppPaths.h"
#include "snippets/SnippetFileFormat.h"
#include "snippets/ui/AddSnippetDlg.h"
#include "snippets/ui/OrganizeSnippetsDlg.h"
#include "snippets/ui/ShippedSnippetFolder.h"
#include "snippets/ui/SnippetTreeWidget.h"

using namespace quillet;
using namespace quillet::app;

namespace {

QStringList Texts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return texts;
}

QAction* Item(const QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

std::u16string AllText(const document::CQuilletDoc& doc) {
  std::u16string text;
  const int32_t last = doc.GetLineCount() - 1;
  doc.GetText(0, 0, last, doc.GetLineLength(last), text, u"|");
  return text;
}

}  // namespace

class MainFrameSnippetsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  std::unique_ptr<CQuilletApp> m_app;

  CMainFrame* Start() {
    m_app = std::make_unique<CQuilletApp>();
    if (!m_app->InitInstance({"quillet"})) return nullptr;
    return m_app->MainFrame();
  }
  static void WriteLibrary(const snippets::CSnippetFolder& root) {
    std::filesystem::create_directories(platform::DataFolder());
    test::WriteFile(platform::DataFolder() + "/quillet_snippets.dat", snippets::WriteSnippetFile(root));
  }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    snippets::CSnippetFolder root;
    root.AddFolder(u"Loops").AddSnippet({u"For", u"fori", u"For {i} = 1 To 10\r\nNext"});
    root.AddSnippet({u"Hello", u"hi", u"WScript.Echo \"Hello\""});
    WriteLibrary(root);
  }
  void cleanup() {
    m_app.reset();
    m_folder.reset();
  }

  void menusShowTheLibraryAndInsertAtTheCaret() {
    CMainFrame* frame = Start();
    QCOMPARE(Texts(frame->SnippetsMenu()),
             (QStringList{"Add to Code Snippets...", "Organize Code Snippets...", "-", "WMI...", "-", "Loops", "Hello"}));
    QCOMPARE(Texts(frame->InsertSnippetMenu()), Texts(frame->SnippetsMenu()));
    QCOMPARE(Texts(frame->ContextSnippetMenu()), (QStringList{"WMI...", "-", "Loops", "Hello"}));
    QCOMPARE(Item(frame->SnippetsMenu(), "Hello")->data().toInt(), 40001);

    // Opening a menu reads the file again.
    snippets::CSnippetFolder changed;
    WriteLibrary(changed);
    emit frame->ContextSnippetMenu()->aboutToShow();
    QCOMPARE(Texts(frame->ContextSnippetMenu()), (QStringList{"WMI...", "-", "(Empty)"}));
    QCOMPARE(Texts(frame->SnippetsMenu()).last(), QStringLiteral("(Empty)"));
    cleanup();
    init();

    frame = Start();
    document::CQuilletDoc& doc = frame->Document();
    editor::CEditorCore& core = frame->View()->Core();
    core.OnChar(u'\t');
    QMenu* loops = Item(frame->SnippetsMenu(), "Loops")->menu();
    Item(loops, "For")->trigger();
    QCOMPARE(AllText(doc), std::u16string(u"\tFor {i} = 1 To 10|\tNext"));
    QCOMPARE(core.SelectedText(), std::u16string(u"{i}"));
  }

  void f4ExpandsAShortcutInTheView() {
    CMainFrame* frame = Start();
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    frame->View()->setFocus();
    QTest::keyClicks(frame->View(), "x = HI");
    QTest::keyClick(frame->View(), Qt::Key_F4);
    QCOMPARE(AllText(frame->Document()), std::u16string(u"x = WScript.Echo \"Hello\""));
  }

  void dialogsWriteOnOkAndNothingOnCancel() {
    CMainFrame* frame = Start();
    const std::string file = platform::DataFolder() + "/quillet_snippets.dat";
    const std::string before = test::ReadFile(file);

    // Organize: a deletion and a rename, then Cancel: the file stays as it was.
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<snippets::COrganizeSnippetsDlg*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->Tree()->setCurrentItem(dialog->Tree()->findItems("Loops", Qt::MatchExactly | Qt::MatchRecursive)[0]);
      dialog->DeleteButton()->click();
      dialog->Tree()->findItems("Hello", Qt::MatchExactly | Qt::MatchRecursive)[0]->setText(0, "Renamed");
      dialog->reject();
    });
    frame->Action(ID_SNIPPETS_ORGANIZE)->trigger();
    QCOMPARE(test::ReadFile(file), before);

    // The same with OK: written whole, and the menu follows.
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<snippets::COrganizeSnippetsDlg*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->Tree()->setCurrentItem(dialog->Tree()->findItems("Loops", Qt::MatchExactly | Qt::MatchRecursive)[0]);
      dialog->DeleteButton()->click();
      dialog->accept();
    });
    frame->Action(ID_SNIPPETS_ORGANIZE)->trigger();
    QCOMPARE(Texts(frame->SnippetsMenu()).mid(5), QStringList{"Hello"});

    // Add takes the editor's selection as its code.
    frame->View()->Core().OnChar(u'z');
    frame->View()->Core().SetSelection({0, 0}, {1, 0});
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<snippets::CAddSnippetDlg*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->NameEdit()->setText("Zed");
      dialog->accept();
    });
    frame->Action(ID_SNIPPETS_ADD)->trigger();
    QCOMPARE(Texts(frame->SnippetsMenu()).mid(5), (QStringList{"Hello", "Zed"}));
    snippets::CSnippetFolder expected;
    expected.AddSnippet({u"Hello", u"hi", u"WScript.Echo \"Hello\""});
    expected.AddSnippet({u"Zed", u"", u"z"});
    QCOMPARE(test::ReadFile(file), snippets::WriteSnippetFile(expected));
  }

  void samplesOpenAsNewUnmodifiedDocuments() {
    CMainFrame* frame = Start();
    emit frame->SamplesMenu()->aboutToShow();
    const QStringList texts = Texts(frame->SamplesMenu());
    QVERIFY2(texts.size() >= 7, qPrintable(texts.join(',')));  // the folders of the collection
    QVERIFY(!texts.contains(QStringLiteral("(Empty)")));
    emit frame->SamplesMenu()->aboutToShow();
    QCOMPARE(Texts(frame->SamplesMenu()), texts);  // rebuilt, not added to

    // The first sample of the first folder.
    QMenu* folder = frame->SamplesMenu()->actions().front()->menu();
    QVERIFY(folder != nullptr);
    QAction* sample = folder->actions().front();
    QVERIFY(sample->data().toInt() >= ID_SAMPLE_FIRST && sample->data().toInt() <= ID_SAMPLE_LAST);
    sample->trigger();
    document::CQuilletDoc& doc = frame->Document();
    QVERIFY(doc.GetLineCount() > 5);
    QVERIFY(!doc.IsModified());
    QVERIFY(!doc.CanUndo());
    QVERIFY(doc.GetPathName().empty());
    QCOMPARE(frame->View()->Core().Caret(), frame->View()->Core().EndOfText());
  }
};

QTEST_MAIN(MainFrameSnippetsTest)
#include "MainFrameSnippetsTest.moc"
