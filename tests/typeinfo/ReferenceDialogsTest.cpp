// The reference dialogs over a Wine prefix in a temporary folder, driven as the user would.

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <future>

#include "ResolverFixtures.h"
#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/TypeLibrarySearch.h"
#include "typeinfo/ui/DialogTypeLibLocator.h"
#include "typeinfo/ui/LocateTypeLibraryDlg.h"
#include "typeinfo/ui/ReferenceDlg.h"
#include "typeinfo/ui/ReferencesCommand.h"
#include "typeinfo/ui/TypeLibPrompts.h"
#include "typeinfo/ui/TypeLibraryDlg.h"

using namespace quillet;
using namespace quillet::typeinfo;

namespace {

class CScriptedPrompts final : public ITypeLibPrompts {
 public:
  std::optional<QString> AskTypeLibPath(QWidget*, const QString&) override { return pickedPath; }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  void ShowWarning(QWidget*, const QString& text) override { warnings << text; }
  std::optional<QString> pickedPath;
  QStringList messages;
  QStringList warnings;
};

QString Q(const std::u16string& text) { return QString::fromStdU16String(text); }

// Runs the action on the modal dialog of type T as soon as the event loop shows it.
template <typename T>
void WhenShown(std::function<void(T&)> action) {
  QTimer::singleShot(0, [action] {
    T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    action(*dialog);
  });
}

QStringList Rows(const QTreeWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i)
    rows << list.topLevelItem(i)->text(0) + "=" + list.topLevelItem(i)->text(1);
  return rows;
}

}  // namespace

class ReferenceDialogsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  std::shared_ptr<platform::CClassRegistry> m_registry;
  CScriptedPrompts m_prompts;

  QString Lib(const char* name) const { return Q(test::PrefixFile(*m_folder, name)); }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    m_registry = test::WritePrefix(*m_folder, test::ProgIdKey("Shapes.Canvas", test::kCanvasReg) +
                                                  "[No.Class]\n@=\"x\"\n[Bad.Class\\CLSID]\n@=dword:00000001\n" +
                                                  test::VersionKey("{B0000000-0000-0000-0000-000000000001}", "1.0",
                                                                   "\"C:\\libs\\other.tlb\""));
    m_prompts = CScriptedPrompts();
  }
  void cleanup() {
    m_registry.reset();
    m_folder.reset();
  }

  void typeLibraryDialogOffersProgIdsAndChecksTheRegistry() {
    CTypeLibraryDlg dialog(m_registry, m_prompts);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add a type library reference"));
    QStringList offered;
    for (int i = 0; i < dialog.ProgIdBox()->count(); ++i) offered << dialog.ProgIdBox()->itemText(i);
    QCOMPARE(offered, (QStringList{"Shapes.Canvas", "Bad.Class"}));
    QCOMPARE(dialog.ProgId(), QString());

    m_prompts.pickedPath = Lib("libs/other.tlb");
    dialog.findChild<QPushButton*>("browse")->click();
    QCOMPARE(dialog.Path(), Lib("libs/other.tlb"));

    dialog.SetProgId("No.Class");
    dialog.accept();
    dialog.SetProgId("Bad.Class");
    dialog.accept();
    QCOMPARE(m_prompts.messages, (QStringList{"Unable to open this registry key : HKEY_CLASSES_ROOT\\No.Class\\CLSID",
                                              "Unable to read this registry key : HKEY_CLASSES_ROOT\\Bad.Class\\CLSID"}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    dialog.SetProgId("Shapes.Canvas");
    dialog.accept();
    QCOMPARE(m_prompts.warnings, QStringList{"Unable to find this object in this library"});
    // The reference is kept all the same.
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    CTypeLibraryDlg fitting(m_registry, m_prompts);
    fitting.SetProgId("Shapes.Canvas");
    fitting.SetPath(Lib("libs/shapes.tlb"));
    fitting.accept();
    QCOMPARE(m_prompts.warnings.size(), 1);
    QCOMPARE(fitting.result(), int(QDialog::Accepted));
  }

  void referenceDialogEditsItsWorkingCopy() {
    CReferenceDlg dialog({{u"A.B", u"/x.tlb"}, {u"Shapes.Canvas", u"unknown"}}, m_registry, m_prompts);
    QTreeWidget& list = *dialog.List();
    QCOMPARE(list.headerItem()->text(0), QStringLiteral("Prog ID"));
    QCOMPARE(list.headerItem()->text(1), QStringLiteral("TypeLib path"));
    QCOMPARE(Rows(list), (QStringList{"A.B=/x.tlb", "Shapes.Canvas=unknown"}));
    QPushButton* modify = nullptr;
    QPushButton* remove = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == "Modify...") modify = button;
      if (button->text() == "Delete") remove = button;
    }
    QVERIFY(modify && remove && !modify->isEnabled() && !remove->isEnabled());

    std::deque<CReferenceDlg::SReference> answers{{"Shapes.Canvas", "/s.tlb"}, {"shapes.canvas", "/t.tlb"},
                                                  {"Renamed.One", "/x.tlb"}};
    QList<CReferenceDlg::SReference> asked;
    dialog.SetReferenceEditor([&](const CReferenceDlg::SReference& start) -> std::optional<CReferenceDlg::SReference> {
      asked << start;
      if (answers.empty()) return std::nullopt;
      const auto answer = answers.front();
      answers.pop_front();
      return answer;
    });
    dialog.OnAdd();
    dialog.OnAdd();
    // An exact match replaces its path; another spelling is a new reference.
    QCOMPARE(Rows(list), (QStringList{"A.B=/x.tlb", "Shapes.Canvas=/s.tlb", "shapes.canvas=/t.tlb"}));
    // Re-adding the lower-case spelling changes its own row, not the first one that matches.
    answers.push_front({"shapes.canvas", "/u.tlb"});
    dialog.OnAdd();
    QCOMPARE(Rows(list), (QStringList{"A.B=/x.tlb", "Shapes.Canvas=/s.tlb", "shapes.canvas=/u.tlb"}));

    list.topLevelItem(0)->setSelected(true);
    QVERIFY(modify->isEnabled() && remove->isEnabled());
    dialog.OnModify();
    QCOMPARE(asked.last().progId, QStringLiteral("A.B"));
    QCOMPARE(asked.last().path, QStringLiteral("/x.tlb"));
    // A changed ProgID adds a reference and keeps the old one.
    QCOMPARE(Rows(list).size(), 4);

    list.clearSelection();
    list.topLevelItem(0)->setSelected(true);
    list.topLevelItem(2)->setSelected(true);
    dialog.OnDelete();
    QCOMPARE(Rows(list), (QStringList{"Shapes.Canvas=/s.tlb", "Renamed.One=/x.tlb"}));
    QCOMPARE(dialog.References(), (CReferenceDlg::ReferenceMap{{u"Renamed.One", u"/x.tlb"}, {u"Shapes.Canvas", u"/s.tlb"}}));
    QVERIFY(!modify->isEnabled());
  }

  void addRunsTheTypeLibraryDialog() {
    CReferenceDlg dialog({}, m_registry, m_prompts);
    WhenShown<CTypeLibraryDlg>([this](CTypeLibraryDlg& add) {
      add.SetProgId("Shapes.Canvas");
      add.SetPath(Lib("libs/shapes.tlb"));
      add.accept();
    });
    dialog.OnAdd();
    QCOMPARE(Rows(*dialog.List()), QStringList{"Shapes.Canvas=" + Lib("libs/shapes.tlb")});
    WhenShown<CTypeLibraryDlg>([](CTypeLibraryDlg& add) { add.reject(); });
    dialog.OnAdd();
    QCOMPARE(dialog.List()->topLevelItemCount(), 1);
  }

  void okRewritesTheStoreAndCancelLeavesIt() {
    test::CMemoryReferences store;
    store.entries = {{u"Gone.One", u"unknown"}, {u"Shapes.Canvas", u"/s.tlb"}};
    WhenShown<CReferenceDlg>([](CReferenceDlg& dialog) {
      dialog.List()->topLevelItem(0)->setSelected(true);
      dialog.OnDelete();
      dialog.reject();
    });
    RunReferencesCommand(store, m_registry, m_prompts, nullptr);
    QCOMPARE(store.writes, 0);
    QCOMPARE(store.entries.size(), size_t(2));

    WhenShown<CReferenceDlg>([](CReferenceDlg& dialog) {
      dialog.List()->topLevelItem(0)->setSelected(true);
      dialog.OnDelete();
      dialog.accept();
    });
    RunReferencesCommand(store, m_registry, m_prompts, nullptr);
    // The unknown entry deleted in the list leaves the store.
    QCOMPARE(store.entries, (std::map<std::u16string, std::u16string>{{u"Shapes.Canvas", u"/s.tlb"}}));
  }

  void locateRunsToTheEndAndRemembersUnknown() {
    CLocateTypeLibraryDlg dialog(m_registry, test::kCanvasClsid);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Locating type library..."));
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.Progress()->value(), 100);
    QCOMPARE(dialog.FoundPath(), std::u16string());

    test::CMemoryReferences store;
    CDialogTypeLibLocator locator(m_registry, nullptr);
    const CProgIdResolver resolver(m_registry, store, &locator);
    QCOMPARE(Q(resolver.ResolveProgID(u"Shapes.Canvas").path), QString());
    QCOMPARE(Q(store.Read(u"Shapes.Canvas")), QStringLiteral("unknown"));
  }

  void locateFindsTheLibraryOrIsCancelled() {
    auto registry = test::WritePrefix(
        *m_folder, test::VersionKey("{B0000000-0000-0000-0000-000000000001}", "1.0", "\"C:\\libs\\other.tlb\"") +
                       test::VersionKey("{B0000000-0000-0000-0000-000000000002}", "1.0", "\"C:\\libs\\shapes.tlb\""));
    CDialogTypeLibLocator locator(registry, nullptr);
    QCOMPARE(Q(locator.LocateTypeLibrary(test::kCanvasClsid)), Lib("libs/shapes.tlb"));

    WhenShown<CLocateTypeLibraryDlg>([](CLocateTypeLibraryDlg& dialog) { dialog.reject(); });
    // A cancelled search has no result.
    QCOMPARE(Q(locator.LocateTypeLibrary(test::kCanvasClsid)), QString());
  }

  // The library in hand may take long to read (a large file, a slow disk): Cancel must not wait
  // for it. Here the read is held until the caller has returned.
  void cancelReleasesTheCallerWhileALibraryIsStillBeingRead() {
    auto registry = test::WritePrefix(
        *m_folder, test::VersionKey("{B0000000-0000-0000-0000-000000000002}", "1.0", "\"C:\\libs\\shapes.tlb\""));
    using namespace std::chrono_literals;
    std::promise<void> entered;
    std::future<void> enteredSignal = entered.get_future();
    std::promise<void> release;
    std::shared_future<void> releaseSignal = release.get_future().share();
    std::atomic<bool> readFinished{false};
    std::atomic<bool> readFound{false};
    const FClassProbe slowRead = [&](std::u16string_view clsid, std::u16string_view path) {
      entered.set_value();
      (void)releaseSignal.wait_for(10s);
      const bool found = LibraryHasCoClass(clsid, path);
      readFound = found;
      readFinished = true;
      return found;
    };
    {
      CDialogTypeLibLocator locator(registry, nullptr, slowRead);
      WhenShown<CLocateTypeLibraryDlg>([&enteredSignal](CLocateTypeLibraryDlg& dialog) {
        QCOMPARE(enteredSignal.wait_for(20s), std::future_status::ready);
        dialog.reject();
      });
      QElapsedTimer clock;
      clock.start();
      const std::u16string found = locator.LocateTypeLibrary(test::kCanvasClsid);
      const qint64 waited = clock.elapsed();
      const bool stillReading = !readFinished;
      release.set_value();
      QVERIFY(stillReading);
      QVERIFY2(waited < 5000, qPrintable(QString::number(waited)));
      QCOMPARE(Q(found), QString());
      // Going away, the locator waits for the search it gave up, which finishes its read now
      // that the dialog and its widgets are gone.
    }
    QVERIFY(readFinished);
    QVERIFY(readFound);
  }
};

QTEST_MAIN(ReferenceDialogsTest)
#include "ReferenceDialogsTest.moc"
