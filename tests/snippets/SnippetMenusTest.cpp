// The snippet menus and the samples catalogue, built for real on the offscreen platform.

#include <QAction>
#include <QMenu>
#include <QTest>

#include "TempFolder.h"
#include "base/CommandIds.h"
#include "snippets/SnippetFileFormat.h"
#include "snippets/SnippetText.h"
#include "snippets/ui/SamplesCatalog.h"
#include "snippets/ui/SnippetMenu.h"

using namespace quillet;
using namespace quillet::snippets;

namespace {

// "id text" per item, "[title]" opening a pop-up and "]" closing it.
QStringList Describe(const QMenu* menu) {
  QStringList lines;
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      lines << QStringLiteral("-");
    } else if (const QMenu* popup = action->menu()) {
      lines << QStringLiteral("[") + action->text();
      lines += Describe(popup);
      lines << QStringLiteral("]");
    } else {
      lines << QString::number(action->data().toInt()) + QStringLiteral(" ") + action->text();
    }
  }
  return lines;
}

QAction* Find(const QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions()) {
    if (action->text() == text) return action;
    if (action->menu() != nullptr) {
      if (QAction* found = Find(action->menu(), text)) return found;
    }
  }
  return nullptr;
}

}  // namespace

class SnippetMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void treeInMenuOrderWithCommandNumbers() {
    CSnippetFolder root;
    CSnippetFolder& files = root.AddFolder(u"Files");
    files.AddFolder(u"Nothing here");
    files.AddSnippet({u"A", u"a", u"1"});
    root.AddSnippet({u"B", u"b", u"2"});
    QMenu menu;
    menu.addAction(QStringLiteral("Fixed"))->setData(1);
    menu.addSeparator();
    std::vector<size_t> chosen;
    for (int build = 0; build < 2; ++build) {  // a rebuild replaces, never adds
      BuildSnippetMenu(&menu, 2, root, [&](size_t n) { chosen.push_back(n); });
    }
    QCOMPARE(Describe(&menu), (QStringList{"1 Fixed", "-", "[Files", "[Nothing here", "39999 (Empty)", "]",
                                           "40000 A", "]", "40001 B"}));
    QVERIFY(!Find(&menu, QStringLiteral("(Empty)"))->isEnabled());
    Find(&menu, QStringLiteral("B"))->trigger();
    Find(&menu, QStringLiteral("A"))->trigger();
    QCOMPARE(chosen, (std::vector<size_t>{1, 0}));

    BuildSnippetMenu(&menu, 2, CSnippetFolder(), [](size_t) {});
    QCOMPARE(Describe(&menu), (QStringList{"1 Fixed", "-", "39999 (Empty)"}));
  }

  void menuFromTheFileNeedsTheCurrentForm() {
    test::CTempFolder folder;
    CSnippetFolder root;
    root.AddSnippet({u"Only", u"o", u"x"});
    std::string bytes = WriteSnippetFile(root);
    test::WriteFile(folder.File("lib.dat"), bytes);
    QMenu menu;
    BuildSnippetMenu(&menu, 0, folder.File("lib.dat"), [](size_t) {});
    QCOMPARE(Describe(&menu), QStringList{"40000 Only"});
    bytes[4] = 11;
    test::WriteFile(folder.File("lib.dat"), bytes);
    BuildSnippetMenu(&menu, 0, folder.File("lib.dat"), [](size_t) {});
    QVERIFY(menu.actions().isEmpty());
    BuildSnippetMenu(&menu, 0, folder.File("missing.dat"), [](size_t) {});
    QVERIFY(menu.actions().isEmpty());
  }

  void snippetsPastTheRangeKeepWorkingWithoutAnId() {
    CSnippetFolder root;
    for (int i = 0; i < 2001; ++i) root.AddSnippet({u"s", u"", u""});
    QMenu menu;
    size_t chosen = 0;
    BuildSnippetMenu(&menu, 0, root, [&](size_t n) { chosen = n; });
    QCOMPARE(menu.actions()[1999]->data().toInt(), int(app::ID_SNIPPET_LAST));
    QCOMPARE(menu.actions()[2000]->data().toInt(), 0);
    menu.actions()[2000]->trigger();
    QCOMPARE(chosen, size_t{2000});
  }

  void samplesCatalogueReadsFoldersAndDecodesOnce() {
    const QByteArray xml = R"(<?xml version="1.0"?>
<samples>
  <dd name="Files">
    <vb name="Read" n="3">a &amp;lt; b</vb>
    <dd name="Deeper"><vb name="&amp;#8220;Deep&amp;#8221;" n="7"><![CDATA[If x < 1 Then y = "&amp;"]]></vb></dd>
  </dd>
  <vb name="Top" n="0">line 1
line 2</vb>
  <vb name="Out of range" n="2000">x</vb>
  <vb name="No number" n="z">x</vb>
</samples>)";
    const auto catalog = CSamplesCatalog::Parse(xml);
    QVERIFY(catalog);
    QCOMPARE(catalog->ScriptText(3), QStringLiteral("a &lt; b"));
    QCOMPARE(catalog->ScriptText(7), QStringLiteral("If x < 1 Then y = \"&amp;\""));
    QCOMPARE(SampleScriptText(catalog->ScriptText(0)->toStdU16String()), u"line 1\r\nline 2");
    QVERIFY(!catalog->ScriptText(2000));
    QMenu menu;
    int opened = -1;
    catalog->FillMenu(&menu, [&](int n) { opened = n; });
    QCOMPARE(Describe(&menu), (QStringList{"42000 Top", "[Files", "42003 Read", "[Deeper", "42007 \"Deep\"",
                                           "]", "]"}));
    Find(&menu, QStringLiteral("Read"))->trigger();
    QCOMPARE(opened, 3);
  }

  void damagedSamplesGiveNothing() {
    QVERIFY(!CSamplesCatalog::Parse("<samples><vb name='a' n='1'>x</samples>"));
    QVERIFY(!CSamplesCatalog::Parse("<other><vb name='a' n='1'>x</vb></other>"));
    QVERIFY(!CSamplesCatalog::Parse("<samples/><samples/>"));
    QVERIFY(!CSamplesCatalog::Parse(""));
    QByteArray deep = "<samples>";
    for (int i = 0; i < 5000; ++i) deep += "<dd name='d'>";
    QVERIFY(!CSamplesCatalog::Parse(deep));
    QVERIFY(!CSamplesCatalog::Load(QStringLiteral("/nonexistent/samples.xml")));
    QVERIFY(CSamplesCatalog::Parse("<samples/>"));
  }
};

QTEST_MAIN(SnippetMenusTest)
#include "SnippetMenusTest.moc"
