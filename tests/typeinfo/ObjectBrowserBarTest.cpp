// The object browser on the offscreen platform, over the engine's generated libraries and class
// registrations, kept current by the script outline as the editor view would keep it.

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "AnalysisFixtures.h"
#include "ScriptSource.h"
#include "TempFolder.h"
#include "base/SettingsInventory.h"
#include "intellisense/ScriptOutline.h"
#include "platform/SettingsStore.h"
#include "typeinfo/TypeLib.h"
#include "typeinfo/WmiClassLibrary.h"
#include "typeinfo/ui/ObjectBrowserBar.h"

using namespace quillet;
using namespace quillet::typeinfo;

namespace {

QStringList Children(const QTreeWidgetItem* parent) {
  QStringList texts;
  for (int i = 0; i < parent->childCount(); ++i) texts << parent->child(i)->text(0);
  return texts;
}

QStringList Roots(const QTreeWidget& tree) {
  QStringList texts;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) texts << tree.topLevelItem(i)->text(0);
  return texts;
}

QTreeWidgetItem* Item(const QTreeWidget& tree, const QString& path) {
  QTreeWidgetItem* at = nullptr;
  for (const QString& step : path.split('/')) {
    const int count = at != nullptr ? at->childCount() : tree.topLevelItemCount();
    QTreeWidgetItem* next = nullptr;
    for (int i = 0; i < count && next == nullptr; ++i) {
      QTreeWidgetItem* candidate = at != nullptr ? at->child(i) : tree.topLevelItem(i);
      if (candidate->text(0) == step) next = candidate;
    }
    if (next == nullptr) return nullptr;
    at = next;
  }
  return at;
}

QString BoldText(const QTextEdit& pane) {
  QString bold;
  for (QTextBlock block = pane.document()->begin(); block.isValid(); block = block.next()) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      if (fragment.fragment().charFormat().fontWeight() == QFont::Bold) bold += fragment.fragment().text();
    }
  }
  return bold;
}

constexpr char16_t kScript[] =
    u"Sub Main()\n"
    u"End Sub\n"
    u"Class Shape\n"
    u"  Public Property Get Width\n"
    u"  End Property\n"
    u"  Public Sub Move(dx)\n"
    u"  End Sub\n"
    u"End Class\n"
    u"Class Brush\n"
    u"  Function Paint()\n"
    u"  End Function\n"
    u"End Class\n"
    u"Function Area(w, h)\n"
    u"End Function\n"
    u"Sub Cleanup\n"
    u"End Sub\n";

}  // namespace

class ObjectBrowserBarTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  std::unique_ptr<platform::CSettingsStore> m_store;
  std::unique_ptr<app::CSettings> m_settings;
  std::unique_ptr<intellisense::test::SGeneratedClasses> m_classes;
  std::unique_ptr<intellisense::CScriptOutline> m_outline;
  std::unique_ptr<CObjectBrowserBar> m_bar;

  void Refresh(std::u16string_view script) {
    intellisense::test::CScriptSource source(script);
    m_outline->Refresh(source, u"a.vbs", u"/a.vbs", *m_bar);
  }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    m_store = std::make_unique<platform::CSettingsStore>(m_folder->File("settings.reg"), u"HKEY_CURRENT_USER\\Software\\T");
    m_settings = std::make_unique<app::CSettings>(*m_store);
    m_classes = std::make_unique<intellisense::test::SGeneratedClasses>();
    QVERIFY(m_classes->loaded);
    m_outline = std::make_unique<intellisense::CScriptOutline>(
        [resolver = m_classes->resolver.get()](std::u16string_view progId) { return resolver->ResolveProgID(progId).path; });
    m_bar = std::make_unique<CObjectBrowserBar>(m_classes->registry, m_settings.get(), nullptr);
    m_bar->resize(300, 500);
    m_bar->show();
  }
  void cleanup() {
    m_bar.reset();
    m_outline.reset();
    m_classes.reset();
    m_settings.reset();
    m_store.reset();
    m_folder.reset();
  }

  void theScriptSitsSortedAboveTheHostLibraryAndRenamesKeepWhatIsOpen() {
    QTreeWidget& tree = *m_bar->Tree();
    QCOMPARE(tree.topLevelItemCount(), 1);
    const CTypeLib* hostLibrary = m_bar->LoadedLibraries().front();
    QCOMPARE(hostLibrary->path, std::u16string(u"wscript.exe"));
    QVERIFY(!hostLibrary->groups.empty());
    const QString hostName = QString::fromStdU16String(hostLibrary->name);

    Refresh(kScript);
    QCOMPARE(Roots(tree), (QStringList{"Area", "Brush", "Cleanup", "Main", "Shape", hostName}));
    QTreeWidgetItem* shape = Item(tree, "Shape");
    QCOMPARE(Children(shape), (QStringList{"Move", "Width"}));
    shape->setExpanded(true);
    QTreeWidgetItem* host = tree.topLevelItem(5);
    host->setExpanded(true);

    std::u16string renamed(kScript);
    renamed.replace(renamed.find(u"Sub Move"), 8, u"Sub Slide");
    renamed.replace(renamed.find(u"Sub Main"), 8, u"Sub Begin");
    Refresh(renamed);
    QCOMPARE(Roots(tree), (QStringList{"Area", "Begin", "Brush", "Cleanup", "Shape", hostName}));
    QCOMPARE(Item(tree, "Shape"), shape);
    QVERIFY(shape->isExpanded() && host->isExpanded());
    QCOMPARE(Children(shape), (QStringList{"Slide", "Width"}));

    // Deleting a class takes its group away.
    std::u16string deleted = renamed;
    const size_t from = deleted.find(u"Class Brush");
    deleted.erase(from, deleted.find(u"End Class\n", from) + 10 - from);
    Refresh(deleted);
    QCOMPARE(Roots(tree), (QStringList{"Area", "Begin", "Cleanup", "Shape", hostName}));

    // After a reset the next scan shows the script again.
    m_bar->Reset();
    QCOMPARE(Roots(tree), QStringList{hostName});
    Refresh(deleted);
    QCOMPARE(Roots(tree), (QStringList{"Area", "Begin", "Cleanup", "Shape", hostName}));
  }

  void doubleClickingAScriptItemAsksForItsLineAndALibraryItemDoesNothing() {
    Refresh(kScript);
    QTreeWidget& tree = *m_bar->Tree();
    QSignalSpy lines(m_bar.get(), &CObjectBrowserBar::GoToLineRequested);
    tree.expandAll();
    for (const QString path : {"Shape/Move", "Brush", "Area"}) {
      QTreeWidgetItem* item = Item(tree, path);
      QVERIFY2(item != nullptr, qPrintable(path));
      tree.scrollToItem(item);
      // A view takes a double-click only on the item the button went down on.
      QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
      QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
    }
    QTreeWidgetItem* libraryMember = tree.topLevelItem(tree.topLevelItemCount() - 1)->child(0)->child(0);
    tree.scrollToItem(libraryMember);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(libraryMember).center());
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(libraryMember).center());
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0).at(0).toInt(), 5);
    QCOMPARE(lines.at(1).at(0).toInt(), 8);
    QCOMPARE(lines.at(2).at(0).toInt(), 12);
  }

  void aCreatedDictionaryShowsItsLibraryAndDescribesATypedMember() {
    Refresh(u"Set d = CreateObject(\"Scripting.Dictionary\")\n");
    QTreeWidget& tree = *m_bar->Tree();
    QCOMPARE(tree.topLevelItemCount(), 2);
    QTreeWidgetItem* scripting = Item(tree, "Scripting");
    QVERIFY(scripting != nullptr);
    QTreeWidgetItem* exists = Item(tree, "Scripting/Dictionary/Exists");
    QVERIFY(exists != nullptr);
    tree.setCurrentItem(exists);
    const QTextEdit& pane = *m_bar->DescriptionPane();
    QVERIFY2(pane.toPlainText().startsWith("Function Exists(") && pane.toPlainText().contains(" As Boolean"),
             qPrintable(pane.toPlainText()));
    QCOMPARE(BoldText(pane), QStringLiteral("Exists"));
    QCOMPARE(pane.font().family(), QStringLiteral("Arial"));
    QCOMPARE(pane.font().pointSize(), 10);

    tree.setCurrentItem(scripting);
    QVERIFY(pane.toPlainText().startsWith("Library Scripting\n" +
                                          QString::fromStdU16String(m_bar->LoadedLibraries().back()->path) + "\n"));
    QCOMPARE(BoldText(pane), QStringLiteral("Scripting"));

    // The script no longer creates it: gone at the next scan, the host's library stays.
    Refresh(u"x = 1\n");
    QCOMPARE(tree.topLevelItemCount(), 1);
    QCOMPARE(m_bar->LoadedLibraries().front()->path, std::u16string(u"wscript.exe"));
    QVERIFY(pane.toPlainText().isEmpty() || tree.currentItem() != nullptr);
  }

  void aLibraryWhoseFileDisappearsStaysUntilTheScriptLetsItGo() {
    const std::string copy = m_folder->File("copy.tlb");
    std::filesystem::copy_file(std::string(QUILLET_CLASSES_DIR) + "/Scripting.tlb", copy);
    CTypeLib& library = m_bar->AddLibrary(std::u16string(copy.begin(), copy.end()));
    std::filesystem::remove(copy);
    QTreeWidget& tree = *m_bar->Tree();
    QTreeWidgetItem* item = Item(tree, "Scripting/Dictionary/Exists");
    QVERIFY(item != nullptr);
    tree.setCurrentItem(item);
    m_bar->RefreshDescription();
    QVERIFY(m_bar->DescriptionPane()->toPlainText().startsWith("Function Exists("));
    // The next change of the script's ProgIDs reconciles the set without it.
    Refresh(u"Set s = CreateObject(\"Scripting.FileSystemObject\")\n");
    for (CTypeLib* loaded : m_bar->LoadedLibraries()) QVERIFY(loaded != &library);
    QCOMPARE(tree.topLevelItemCount(), 2);
  }

  void searchWrapsRemembersRecentTextsAndReportsTextFoundNowhereOnce() {
    Refresh(kScript);
    QStringList messages;
    m_bar->SetNotFoundPrompt([&](const QString& text) { messages << text; });
    QTreeWidget& tree = *m_bar->Tree();
    QComboBox& box = *m_bar->SearchBox();
    QCOMPARE(box.lineEdit()->placeholderText(), QStringLiteral("<Search>"));

    // Texts are searched in names and descriptions, without regard to case, in tree order.
    box.setEditText(" sUB ");
    m_bar->Find();
    QCOMPARE(tree.currentItem(), Item(tree, "Cleanup"));
    m_bar->Find();
    QCOMPARE(tree.currentItem(), Item(tree, "Main"));
    m_bar->Find();
    QCOMPARE(tree.currentItem(), Item(tree, "Shape/Move"));
    // On through the host's library and round to the first match again.
    int finds = 0;
    for (; finds < 500 && tree.currentItem() != Item(tree, "Cleanup"); ++finds) m_bar->Find();
    QVERIFY(finds > 1 && finds < 500);
    QVERIFY(messages.isEmpty());

    box.setEditText("NoSuchTextAnywhere");
    m_bar->Find();
    QCOMPARE(messages, QStringList{"The following specified text was not found:\n\nNoSuchTextAnywhere"});
    QCOMPARE(tree.currentItem(), Item(tree, "Cleanup"));

    // Empty text: the search starts again from the top, without a message.
    box.setEditText("  ");
    m_bar->Find();
    QCOMPARE(messages.size(), 1);
    box.setEditText("Cleanup");
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    QCOMPARE(tree.currentItem(), Item(tree, "Cleanup"));

    QStringList recent;
    for (int i = 0; i < box.count(); ++i) recent << box.itemText(i);
    QCOMPARE(recent, (QStringList{"Cleanup", "NoSuchTextAnywhere", "sUB"}));
    box.setEditText("nosuchtextanywhere");
    m_bar->Find();
    recent.clear();
    for (int i = 0; i < box.count(); ++i) recent << box.itemText(i);
    QCOMPARE(recent, (QStringList{"nosuchtextanywhere", "Cleanup", "sUB"}));
    QCOMPARE(m_settings->ReadString(u"ObjectBrowser Recent List", u"Arg1", u""), std::u16string(u"Cleanup"));
    QCOMPARE(m_settings->ReadString(u"ObjectBrowser Recent List", u"Arg3", u"x"), std::u16string());

    // A new bar starts with the stored list.
    CObjectBrowserBar again(m_classes->registry, m_settings.get(), nullptr);
    QCOMPARE(again.SearchBox()->count(), 3);
    QCOMPARE(again.SearchBox()->currentText(), QString());
  }

  void theSplitterKeepsThePaneHeightAndItsMargins() {
    m_bar->SetSplitterFromBottom(100);
    QCOMPARE(m_bar->DescriptionPane()->geometry(), QRect(0, 402, 300, 98));
    m_bar->resize(300, 700);
    QTRY_COMPARE(m_bar->DescriptionPane()->geometry(), QRect(0, 602, 300, 98));
    QWidget* band = m_bar->childAt(150, 600);
    QVERIFY(band != nullptr && band->cursor().shape() == Qt::SizeVerCursor);
    QTest::mousePress(band, Qt::LeftButton, {}, QPoint(150, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, -1000), band->mapToGlobal(QPointF(150, -1000)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(band, &move);
    QTest::mouseRelease(band, Qt::LeftButton, {}, QPoint(150, 2));
    QCOMPARE(m_bar->DescriptionPane()->geometry().top(), 22);
    QCOMPARE(m_bar->SplitterFromBottom(), 680);
  }

  void theWmiLibraryIsFilledAwayFromTheWindowAndJoinsTheTreeWhenDone() {
    auto filled = [](CTypeLib& library, std::stop_token) {
      library.groups.push_back(std::make_unique<CTypeLibGroup>(u"Win32_Process", ECatalogueKind::Class));
    };
    CObjectBrowserBar bar(m_classes->registry, nullptr, filled);
    QCOMPARE(bar.WmiLibrary().libraryKind, CTypeLib::ELibraryKind::Wmi);
    QSignalSpy loaded(&bar, &CObjectBrowserBar::WmiLibraryLoaded);
    QVERIFY(loaded.wait(5000));
    QVERIFY(Item(*bar.Tree(), "WMI Classes/Win32_Process") != nullptr);
    // The outline never unloads it.
    for (CTypeLib* library : bar.LoadedLibraries()) QVERIFY(library != &bar.WmiLibrary());

    // A bar closed while the filler still runs stops it and waits for it.
    std::mutex mutex;
    std::condition_variable_any stopped;
    bool started = false;
    auto blocking = [&](CTypeLib&, std::stop_token stop) {
      std::unique_lock lock(mutex);
      started = true;
      stopped.notify_all();
      stopped.wait(lock, stop, [] { return false; });
    };
    auto closing = std::make_unique<CObjectBrowserBar>(m_classes->registry, nullptr, blocking);
    {
      std::unique_lock lock(mutex);
      stopped.wait(lock, [&] { return started; });
    }
    QSignalSpy never(closing.get(), &CObjectBrowserBar::WmiLibraryLoaded);
    closing.reset();
    QCOMPARE(never.size(), 0);
  }

  void aDamagedClassCatalogueShowsNoClassesAndSaysWhyInThePane() {
    test::WriteFile(m_folder->File("broken.mof"), "class Win32_Broken {\n  strang Name;\n};");
    const std::filesystem::path folder = m_folder->Path();
    auto damaged = [folder](CTypeLib& library, std::stop_token stop) {
      platform::CWmiCatalog catalogue;
      catalogue.AddMofFolder(folder);
      (void)FillWmiClassLibrary(library, catalogue, std::move(stop));
    };
    CObjectBrowserBar bar(m_classes->registry, nullptr, damaged);
    QSignalSpy loaded(&bar, &CObjectBrowserBar::WmiLibraryLoaded);
    QVERIFY(loaded.wait(5000));
    QTreeWidgetItem* wmi = Item(*bar.Tree(), "WMI Classes");
    QVERIFY(wmi != nullptr);
    QCOMPARE(wmi->childCount(), 0);
    bar.Tree()->setCurrentItem(wmi);
    const QString text = bar.DescriptionPane()->toPlainText();
    QVERIFY2(text.contains("The WMI classes could not be read: broken.mof: line 2: unknown type strang"), qPrintable(text));
  }
};

QTEST_MAIN(ObjectBrowserBarTest)
#include "ObjectBrowserBarTest.moc"
