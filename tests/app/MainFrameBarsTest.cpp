// The finished frame's menus, toolbars and bars, built for real on the offscreen platform.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "TempFolder.h"
#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "app/ui/ArgumentsCombo.h"
#include "app/ui/FrameObjectBrowser.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QuilletApp.h"
#include "app/ui/SizingControlBar.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"
#include "typeinfo/TypeLib.h"
#include "typeinfo/ui/ObjectBrowserBar.h"

using namespace quillet;
using namespace quillet::app;

namespace {

QList<QPair<int, QString>> Items(const QList<QAction*>& actions) {
  QList<QPair<int, QString>> items;
  for (const QAction* action : actions) {
    if (action->isVisible()) items.append({action->isSeparator() ? 0 : action->data().toInt(), action->text()});
  }
  return items;
}

QMenu* MenuTitled(CMainFrame* frame, const QString& title) {
  for (QAction* action : frame->menuBar()->actions()) {
    if (action->text() == title) return action->menu();
  }
  return nullptr;
}

}  // namespace

class MainFrameBarsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  std::unique_ptr<CQuilletApp> m_app;

  CMainFrame* Start() {
    m_app = std::make_unique<CQuilletApp>();
    if (!m_app->InitInstance({"quillet"})) return nullptr;
    return m_app->MainFrame();
  }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
  }
  void cleanup() {
    m_app.reset();
    m_folder.reset();
  }

  void menusHoldTheCommandsInOrder() {
    CMainFrame* frame = Start();
    QStringList titles;
    for (QAction* action : frame->menuBar()->actions()) titles << action->text();
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Debug", "Snippets", "Samples", "Tools", "&Help"}));
    using L = QList<QPair<int, QString>>;
    QCOMPARE(Items(MenuTitled(frame, "&Help")->actions()),
             (L{{32886, "Contents"}, {57670, "&Search..."}, {32793, "Search the &Web..."}, {0, ""},
                {32849, "Quillet website"}, {32842, "Download Microsoft Script Deb&ugger..."}, {0, ""},
                {57664, "&About..."}}));
    QCOMPARE(Items(MenuTitled(frame, "Tools")->actions()),
             (L{{32878, "References..."}, {0, ""}, {32788, "Options..."}, {32913, "Running scripts..."}}));
    QCOMPARE(Items(MenuTitled(frame, "Samples")->actions()), (L{{32907, "(Empty)"}}));
    // A fresh start has no recent files: the greyed placeholder stands in the File menu.
    QAction* recent = frame->Action(ID_FILE_MRU_FILE1);
    QVERIFY(recent->isVisible() && !recent->isEnabled());
    QCOMPARE(recent->text(), QStringLiteral("Recent File"));
    QCOMPARE(frame->Action(ID_VIEW_CHANGE_FONT)->text(), QStringLiteral("Change &Font..."));
    QCOMPARE(frame->Action(ID_HELP_SEARCH)->shortcut(), QKeySequence(Qt::Key_F1));
    // Commands nobody handles yet are greyed rather than doing nothing.
    QVERIFY(!frame->Action(ID_DEBUG_STEP_INTO)->isEnabled());

    QStringList context;
    for (QAction* action : frame->EditorContextMenu()->actions()) {
      if (!action->isSeparator()) context << action->text();
    }
    QCOMPARE(context, (QStringList{"Cu&t", "&Copy", "&Paste", "Comment", "Uncomment", "Toggle &Breakpoint",
                                   "Add to Snippets...", "Insert a code snippet", "List members",
                                   "Parameters info", "Complete Word"}));
  }

  void toolbarsHoldTheButtonsWithTheirCaptions() {
    CMainFrame* frame = Start();
    QList<int> ids;
    for (QAction* action : frame->MainToolbar()->actions()) ids << (action->isSeparator() ? 0 : action->data().toInt());
    QCOMPARE(ids, (QList<int>{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57643, 57644, 0, 32854, 0,
                              32892, 0, 57636, 32793, 57670, 0, 37223, 37225, 37224, 37226, 0, 32781,
                              32782, 0, 32847, 32859}));
    ids.clear();
    QStringList captions;
    for (QAction* action : frame->DebugToolbar()->actions()) {
      ids << (action->isSeparator() ? 0 : action->data().toInt());
      auto* button = qobject_cast<QToolButton*>(frame->DebugToolbar()->widgetForAction(action));
      if (button != nullptr && button->toolButtonStyle() == Qt::ToolButtonTextBesideIcon) captions << button->text();
    }
    QCOMPARE(ids, (QList<int>{32805, 32820, 32891, 0, 32816, 32807, 32818, 0, 32813, 32822, 0, 32771, 0,
                              32865, 32832, 32866, 32776, 32775}));
    QCOMPARE(captions, (QStringList{"Start", "WScript", "CScript"}));
    auto* snippets = qobject_cast<QToolButton*>(frame->MainToolbar()->widgetForAction(frame->Action(ID_SNIPPETS_INSERT)));
    QCOMPARE(snippets->text(), QStringLiteral("Snippets"));
    QCOMPARE(snippets->menu(), frame->InsertSnippetMenu());
    QVERIFY(!frame->Action(ID_EDIT_COMMENT)->icon().isNull());
    QVERIFY(!frame->Action(ID_DEBUG_STEP_OUT)->icon().pixmap(16, QIcon::Disabled).isNull());
  }

  void argumentsBoxShowsItsCueAndTheRecentArguments() {
    {
      CMainFrame* frame = Start();
      QCOMPARE(frame->ArgumentsBox()->count(), 1);
      QCOMPARE(frame->ArgumentsBox()->lineEdit()->placeholderText(), QStringLiteral("<Command-Line Arguments>"));
      frame->Settings().WriteString(u"Recent Arg List", u"Arg0", u"first");
      frame->Settings().WriteString(u"Recent Arg List", u"Arg2", u"third");
      frame->Settings().WriteString(u"Engine", u"CScript", u"ConHost");
      m_app.reset();
    }
    CMainFrame* frame = Start();
    QCOMPARE(frame->ArgumentsBox()->count(), 2);
    QCOMPARE(frame->ArgumentsBox()->itemText(1), QStringLiteral("third"));
    auto* console = qobject_cast<QToolButton*>(frame->DebugToolbar()->widgetForAction(frame->Action(ID_DEBUG_CSCRIPT)));
    QCOMPARE(console->text(), QStringLiteral("ConHost"));
    frame->resize(1200, 600);
    QTRY_COMPARE(frame->ArgumentsBox()->width(),
                 std::max(frame->DebugToolbar()->width() - frame->ArgumentsBox()->x() - 10, 50));
  }

  void placementIsSavedOnCloseAndIgnoredOffTheDesktop() {
    CMainFrame* frame = Start();
    frame->setGeometry(40, 50, 640, 480);
    QVERIFY(frame->close());
    QCOMPARE(frame->Settings().Read(settings::MainWindowWidth), 640);
    m_app.reset();
    QCOMPARE(Start()->geometry(), QRect(40, 50, 640, 480));
    m_app->Settings().Write(settings::MainWindowLeft, -9000);
    m_app.reset();
    QVERIFY(Start()->geometry().left() != -9000);
  }

  void barsToggleWithCheckMarksAndKeepTheirSizes() {
    CMainFrame* frame = Start();
    QAction* output = frame->Action(ID_VIEW_OUTPUT);
    QVERIFY(frame->OutputBar()->isHidden() && !output->isChecked());
    output->trigger();
    QVERIFY(!frame->OutputBar()->isHidden() && output->isChecked());
    QVERIFY(!frame->ObjectBrowserBar()->isHidden());
    frame->Action(ID_VIEW_OBJECT_BROWSER)->trigger();
    QVERIFY(frame->ObjectBrowserBar()->isHidden());
    QVERIFY(!frame->Action(ID_VIEW_OBJECT_BROWSER)->isChecked());
    QCOMPARE(frame->Settings().Read(settings::ObjectBrowserFloating), 0);
    QCOMPARE(frame->ObjectBrowserBar()->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    frame->Settings().WriteInt(u"VariableBarState-SCBar-124", u"sizeHorzCX", 3);
    frame->Settings().WriteInt(u"VariableBarState-SCBar-124", u"sizeHorzCY", 222);
    frame->VariablesBar()->LoadState(frame->Settings(), settings::VariableBarLayout);
    QCOMPARE(frame->VariablesBar()->Sizes().horizontal, (SSize{33, 222}));
    QCOMPARE(frame->VariablesBar()->minimumSize(), QSize(33, 32));
    frame->VariablesBar()->SaveState(frame->Settings(), settings::ShellBarLayout);
    QCOMPARE(frame->Settings().ReadInt(u"ShellBarState-SCBar-124", u"sizeHorzCX", 0), 33);
  }

  void objectBrowserFollowsTheScriptWhileShownAndTakesTheCaretToADefinition() {
    CMainFrame* frame = Start();
    frame->resize(900, 700);
    frame->show();
    editor::CQuilletView* view = frame->View();
    typeinfo::CObjectBrowserBar& bar = frame->ObjectBrowser().Bar();
    QCOMPARE(frame->ObjectBrowserBar()->widget(), &bar);
    QVERIFY(view->IsOutlineActive());
    int32_t endLine = 0, endChar = 0;
    QVERIFY(frame->Document().InsertText(nullptr, 0, 0,
                                         u"x = 1\r\ny = 2\r\nClass Shape\r\n  Sub Move(dx)\r\n  End Sub\r\nEnd Class\r\n",
                                         endLine, endChar, document::ActionTyping));
    view->RefreshScriptOutline();
    QTreeWidget& tree = *bar.Tree();
    QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("Shape"));
    QTreeWidgetItem* move = tree.topLevelItem(0)->child(0);
    QCOMPARE(move->text(0), QStringLiteral("Move"));
    tree.expandAll();
    tree.scrollToItem(move);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(move).center());
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(move).center());
    QTRY_COMPARE(view->CaretPosition().y, 3);
    QCOMPARE(view->CaretPosition().x, 0);

    // F3 in the bar searches the bar, although the window has F3 for the editor's search.
    QVERIFY(frame->Action(ID_EDIT_REPEAT)->isEnabled());
    QCOMPARE(frame->Action(ID_EDIT_REPEAT)->shortcut(), QKeySequence(Qt::Key_F3));
    bar.SearchBox()->setEditText("move");
    tree.setCurrentItem(tree.topLevelItem(0));
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_F3);
    QCOMPARE(tree.currentItem(), move);

    // The WMI classes join the tree once their thread has read them (which may have happened
    // already, while the events above were being handled).
    QTRY_VERIFY_WITH_TIMEOUT(!tree.findItems("WMI Classes", Qt::MatchExactly).isEmpty(), 10000);
    QVERIFY(!bar.WmiLibrary().groups.empty());

    // Hidden, the browser is not kept current; shown again, it is brought up to date at once.
    frame->Action(ID_VIEW_OBJECT_BROWSER)->trigger();
    QVERIFY(!view->IsOutlineActive());
    QVERIFY(frame->Document().DeleteText(nullptr, 2, 0, 6, 0, document::ActionTyping));
    frame->Action(ID_VIEW_OBJECT_BROWSER)->trigger();
    QVERIFY(view->IsOutlineActive());
    QVERIFY(tree.topLevelItem(0)->text(0) != QStringLiteral("Shape"));
  }

  void objectBrowserSplitterIsPlacedFromTheSettingsAndSavedOnClose() {
    {
      CMainFrame* frame = Start();
      frame->Settings().Write(settings::ObjectBrowserSplitter, 150);
      m_app.reset();
    }
    CMainFrame* frame = Start();
    QCOMPARE(frame->ObjectBrowser().Bar().SplitterFromBottom(), 150);
    frame->ObjectBrowser().Bar().SetSplitterFromBottom(180);
    QVERIFY(frame->close());
    QCOMPARE(frame->Settings().Read(settings::ObjectBrowserSplitter), 180);
  }
};

QTEST_MAIN(MainFrameBarsTest)
#include "MainFrameBarsTest.moc"
