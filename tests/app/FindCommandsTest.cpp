// Find, Replace, F3 and Go to line through the main window's menus and keys.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include "RecordingPrompts.h"
#include "TempFolder.h"
#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QuilletApp.h"
#include "document/QuilletDoc.h"
#include "editor/ui/EditReplaceDlg.h"
#include "editor/ui/GotolineDlg.h"
#include "editor/ui/QuilletView.h"

using namespace quillet;

namespace {

using P = document::CTextPosition;

}  // namespace

class FindCommandsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  test::CRecordingPrompts m_prompts;

  std::unique_ptr<app::CQuilletApp> Start(const std::string& text) {
    test::WriteFile(m_folder->File("s.vbs"), text);
    auto app = std::make_unique<app::CQuilletApp>();
    if (!app->InitInstance({"quillet", QString::fromStdString(m_folder->File("s.vbs"))}, &m_prompts)) return {};
    app->MainFrame()->show();
    return app;
  }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    m_prompts = test::CRecordingPrompts();
  }
  void cleanup() { m_folder.reset(); }

  void findDialogSearchesReportsAndRemembers() {
    auto app = Start("Dim total\r\ntotal = 1\r\nx = total\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    editor::CEditorCore& core = frame->View()->Core();
    core.SetCaret({5, 0});
    frame->Action(app::ID_EDIT_FIND)->trigger();
    editor::CEditReplaceDlg* dialog = frame->FindDialog();
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Find"));
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->FindBox()->currentText(), QStringLiteral("total"));
    QVERIFY(!dialog->SelectionRadio()->isEnabled());
    QVERIFY(dialog->WholeDocumentRadio()->isChecked());
    // One dialog at a time.
    frame->Action(app::ID_EDIT_REPLACE)->trigger();
    QCOMPARE(frame->FindDialog(), dialog);

    dialog->FindBox()->setEditText(QStringLiteral("nothing"));
    QTest::mouseClick(dialog->FindNextButton(), Qt::LeftButton);
    QCOMPARE(m_prompts.messages, QStringList{QStringLiteral("Cannot find string\"nothing\"")});
    dialog->FindBox()->setEditText(QStringLiteral("total"));
    QTest::mouseClick(dialog->FindNextButton(), Qt::LeftButton);
    QCOMPARE(core.SelectionStart(), (P{0, 1}));
    QTest::mouseClick(dialog->FindNextButton(), Qt::LeftButton);
    QCOMPARE(core.SelectionStart(), (P{4, 2}));
    QCOMPARE(dialog->FindBox()->count(), 2);
    QCOMPARE(dialog->FindBox()->itemText(1), QStringLiteral("nothing"));
    dialog->FindBox()->setEditText(QStringLiteral("TOTAL"));
    dialog->WholeWordBox()->setChecked(true);
    dialog->close();
    QTRY_VERIFY(frame->FindDialog() == nullptr);
    QCOMPARE(app->Settings().Read(app::settings::ReplaceFindWhat), std::u16string(u"TOTAL"));
    QCOMPARE(app->Settings().Read(app::settings::ReplaceWholeWord), 1);

    // F3 and Shift+F3 repeat the dialog's last search from the caret.
    core.SetCaret({0, 0});
    frame->Action(app::ID_EDIT_REPEAT)->trigger();
    QCOMPARE(core.SelectionStart(), (P{4, 0}));
    frame->Action(app::ID_EDIT_FIND_PREVIOUS)->trigger();
    QCOMPARE(core.SelectionStart(), (P{4, 2}));
    QCOMPARE(m_prompts.messages.size(), 1);
  }

  void repeatKeysWithoutASearchOpenTheDialog() {
    auto app = Start("a = 1\r\na = 2\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    frame->View()->setFocus();
    QTest::keyClick(frame->View(), Qt::Key_F3);
    QVERIFY(frame->FindDialog() != nullptr);
    QCOMPARE(frame->FindDialog()->FindBox()->currentText(), QStringLiteral("a"));
    QTest::mouseClick(frame->FindDialog()->FindNextButton(), Qt::LeftButton);
    QCOMPARE(frame->View()->Core().SelectionStart(), (P{0, 0}));
    frame->FindDialog()->close();
    QTRY_VERIFY(frame->FindDialog() == nullptr);
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    frame->View()->setFocus();
    QTest::keyClick(frame->View(), Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(frame->View()->Core().SelectionStart(), (P{0, 1}));
    QTest::keyClick(frame->View(), Qt::Key_F3);
    QCOMPARE(frame->View()->Core().SelectionStart(), (P{0, 0}));
  }

  void replaceDialogWorksInTheSelectedBlock() {
    auto app = Start("x x\r\nx x\r\nx x\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    editor::CEditorCore& core = frame->View()->Core();
    core.SetSelection({2, 0}, {1, 1});
    frame->Action(app::ID_EDIT_REPLACE)->trigger();
    editor::CEditReplaceDlg* dialog = frame->FindDialog();
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Replace"));
    QVERIFY(dialog->SelectionRadio()->isEnabled());
    QVERIFY(dialog->SelectionRadio()->isChecked());
    dialog->FindBox()->setEditText(QStringLiteral("x"));
    dialog->ReplaceBox()->setEditText(QStringLiteral("y"));
    QTest::mouseClick(dialog->ReplaceAllButton(), Qt::LeftButton);
    QCOMPARE(app->Document().GetLine(0), std::u16string_view(u"x y"));
    QCOMPARE(app->Document().GetLine(1), std::u16string_view(u"y x"));
    QCOMPARE(app->Document().GetLine(2), std::u16string_view(u"x x"));
    QVERIFY(m_prompts.messages.isEmpty());
    dialog->WholeDocumentRadio()->setChecked(true);
    QTest::mouseClick(dialog->ReplaceAllButton(), Qt::LeftButton);
    QCOMPARE(app->Document().GetLine(2), std::u16string_view(u"y y"));
    QCOMPARE(app->Settings().ReadString(u"Recent Replace List", u"Arg0", u""), std::u16string(u"y"));
  }

  // Exit with the dialog open: it is closed before the view goes and what was typed in it is
  // kept for the next one, also when the window is destroyed without being closed first.
  void exitWithTheDialogOpenKeepsWhatWasTyped() {
    auto app = Start("a = 1\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    frame->Action(app::ID_EDIT_REPLACE)->trigger();
    editor::CEditReplaceDlg* dialog = frame->FindDialog();
    QVERIFY(dialog != nullptr);
    dialog->FindBox()->setEditText(QStringLiteral("a"));
    QTest::mouseClick(dialog->FindNextButton(), Qt::LeftButton);
    dialog->FindBox()->setEditText(QStringLiteral("typed"));
    dialog->ReplaceBox()->setEditText(QStringLiteral("after"));
    frame->Action(app::ID_APP_EXIT)->trigger();
    QVERIFY(!frame->isVisible());
    QVERIFY(frame->FindDialog() == nullptr);
    QCOMPARE(app->Settings().Read(app::settings::ReplaceFindWhat), std::u16string(u"typed"));
    QCOMPARE(app->Settings().Read(app::settings::ReplaceReplaceWith), std::u16string(u"after"));
    app.reset();

    app = Start("b = 2\r\n");
    QVERIFY(app);
    app->MainFrame()->Action(app::ID_EDIT_FIND)->trigger();
    QVERIFY(app->MainFrame()->FindDialog() != nullptr);
    app->MainFrame()->FindDialog()->FindBox()->setEditText(QStringLiteral("never closed"));
    app.reset();
    app = Start("c = 3\r\n");
    QVERIFY(app);
    QCOMPARE(app->Settings().Read(app::settings::ReplaceFindWhat), std::u16string(u"never closed"));
  }

  void goToLineRefusesLinesOutsideTheScript() {
    auto app = Start("a\r\nb\r\nc");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    frame->Action(app::ID_EDIT_GOTO_LINE)->trigger();
    auto* dialog = frame->findChild<editor::CGotolineDlg*>();
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Go to line"));
    QCOMPARE(dialog->LineBox()->text(), QStringLiteral("1"));
    for (const char* refused : {"0", "4", ""}) {
      dialog->LineBox()->setText(QString::fromLatin1(refused));
      dialog->accept();
      QVERIFY(dialog->isVisible());
    }
    QCOMPARE(m_prompts.messages.size(), 3);
    dialog->LineBox()->setText(QStringLiteral("3"));
    dialog->accept();
    QCOMPARE(frame->View()->Core().Caret(), (P{0, 2}));
  }

  void printCommandsAreConnectedAndPageSetupStoresMargins() {
    auto app = Start("Dim a\r\n");
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    for (const int id : {app::ID_FILE_PRINT, app::ID_FILE_PRINT_PREVIEW, app::ID_FILE_PAGE_SETUP}) {
      QVERIFY(frame->Action(id)->isEnabled());
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(m_folder->File("frame.pdf")));
    QVERIFY(frame->PrintTo(printer, false));
    QVERIFY(QFileInfo(printer.outputFileName()).size() > 0);

    app->Settings().Write(app::settings::PageSetupLeftMargin, 2500);
    bool shown = false;
    QTimer::singleShot(0, frame, [&shown] {
      auto* dialog = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget());
      shown = dialog != nullptr;
      if (dialog != nullptr) dialog->accept();
    });
    frame->Action(app::ID_FILE_PAGE_SETUP)->trigger();
    QVERIFY(shown);
    QCOMPARE(app->Settings().Read(app::settings::PageSetupLeftMargin), 2500);
    QCOMPARE(app->Settings().Read(app::settings::PageMarginLeft), 25);
    QCOMPARE(app->Settings().Read(app::settings::PageSetupTopMargin), 1000);
  }

  void printPreviewShowsTheSelectionPrintWouldPrint() {
    std::string text;
    for (int i = 0; i < 400; ++i) text += "x = " + std::to_string(i) + "\r\n";
    auto app = Start(text);
    QVERIFY(app);
    app::CMainFrame* frame = app->MainFrame();
    const auto previewPages = [frame] {
      int pages = -1;
      QTimer::singleShot(0, frame, [&pages] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) pages = preview->pageCount();
        dialog->reject();
      });
      frame->Action(app::ID_FILE_PRINT_PREVIEW)->trigger();
      return pages;
    };
    editor::CEditorCore& core = frame->View()->Core();
    const int all = previewPages();
    QVERIFY(all > 1);
    core.SetSelection({0, 100}, {2, 102});  // several lines: only they are shown
    QCOMPARE(previewPages(), 1);
    core.SetSelection({0, 100}, {5, 100});  // within one line: the whole script, as Print offers
    QCOMPARE(previewPages(), all);
  }
};

QTEST_MAIN(FindCommandsTest)
#include "FindCommandsTest.moc"
