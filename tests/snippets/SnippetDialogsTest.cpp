// The four snippet dialogs on the offscreen platform, with their questions answered by the test.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItemIterator>

#include "snippets/SnippetFolder.h"
#include "snippets/ui/AddSnippetDlg.h"
#include "snippets/ui/MoveToDlg.h"
#include "snippets/ui/NewFolderDlg.h"
#include "snippets/ui/OrganizeSnippetsDlg.h"
#include "snippets/ui/SnippetTreeWidget.h"

using namespace quillet::snippets;

namespace {

// Root: folder "Files" (folder "Deep", snippet "Read"), folder "Empty", snippet "Hello".
CSnippetFolder SampleTree() {
  CSnippetFolder root;
  CSnippetFolder& files = root.AddFolder(u"Files");
  files.AddFolder(u"Deep");
  files.AddSnippet({u"Read", u"rd", u"Set f = {file}\r\nf.Close"});
  root.AddFolder(u"Empty");
  root.AddSnippet({u"Hello", u"hi", u"WScript.Echo 1"});
  return root;
}

QStringList Labels(const CSnippetTreeWidget* tree) {
  QStringList labels;
  for (QTreeWidgetItemIterator it(const_cast<CSnippetTreeWidget*>(tree)); *it != nullptr; ++it) {
    QString indent;
    for (QTreeWidgetItem* p = (*it)->parent(); p != nullptr; p = p->parent()) indent += QStringLiteral(" ");
    labels << indent + (*it)->text(0);
  }
  return labels;
}

QTreeWidgetItem* ItemNamed(const CSnippetTreeWidget* tree, const QString& text) {
  const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.front();
}

struct SAnswers {
  std::optional<QString> folderName;
  QString moveTo;  // label of the destination, empty: cancel
  QStringList messages;
  QStringList moveChoices;

  SSnippetDialogPrompts Prompts() {
    SSnippetDialogPrompts prompts;
    prompts.askFolderName = [this](QWidget*) { return folderName; };
    prompts.askMoveTarget = [this](QWidget*, CSnippetFolder& root, const CSnippetFolder* moving) -> CSnippetFolder* {
      CMoveToDlg dialog(root, moving);
      moveChoices = Labels(dialog.Tree());
      if (moveTo.isEmpty()) return nullptr;
      dialog.Tree()->setCurrentItem(ItemNamed(dialog.Tree(), moveTo));
      return dialog.Destination();
    };
    prompts.showMessage = [this](QWidget*, const QString& text) { messages << text; };
    return prompts;
  }
};

}  // namespace

class SnippetDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void addRequiresANameAndStoresInTheChosenFolder() {
    CSnippetFolder root = SampleTree();
    SAnswers answers;
    CAddSnippetDlg dialog(root, QStringLiteral("x = 1\r\ny = 2"), answers.Prompts());
    QCOMPARE(Labels(dialog.Tree()), (QStringList{"Snippets", " Files", "  Deep", " Empty"}));
    QCOMPARE(dialog.Tree()->currentItem(), dialog.Tree()->RootItem());
    QCOMPARE(dialog.CodeEdit()->toPlainText(), QStringLiteral("x = 1\ny = 2"));

    dialog.show();
    dialog.NameEdit()->setText(QStringLiteral("   "));
    dialog.accept();
    QCOMPARE(answers.messages, QStringList{"Name is required."});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(root == SampleTree());

    // A new folder goes under the selected one and becomes the destination.
    dialog.Tree()->setCurrentItem(ItemNamed(dialog.Tree(), "Files"));
    answers.folderName = QStringLiteral("Made here");
    dialog.NewFolderButton()->click();
    QCOMPARE(dialog.Tree()->currentItem()->text(0), QStringLiteral("Made here"));
    dialog.NameEdit()->setText(QStringLiteral("  Pair  "));
    dialog.ShortcutEdit()->setText(QStringLiteral(" pr "));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const CSnippetFolder& made = *root.folders[0]->folders[1];
    QCOMPARE(made.name, std::u16string(u"Made here"));
    QCOMPARE(made.snippets.size(), size_t{1});
    QVERIFY((*made.snippets[0] == SSnippet{u"Pair", u" pr ", u"x = 1\r\ny = 2"}));
  }

  void organizeShowsAndEditsTheSelectedSnippet() {
    CSnippetFolder root = SampleTree();
    SAnswers answers;
    COrganizeSnippetsDlg dialog(root, answers.Prompts());
    QCOMPARE(Labels(dialog.Tree()), (QStringList{"Snippets", " Files", "  Deep", "  Read", " Empty", " Hello"}));
    QVERIFY(!dialog.RenameButton()->isEnabled() && !dialog.DeleteButton()->isEnabled() &&
            !dialog.MoveButton()->isEnabled() && dialog.NewFolderButton()->isEnabled());
    QVERIFY(dialog.CodeEdit()->isReadOnly());

    dialog.Tree()->setCurrentItem(ItemNamed(dialog.Tree(), "Read"));
    QCOMPARE(dialog.CodeEdit()->toPlainText(), QStringLiteral("Set f = {file}\nf.Close"));
    QCOMPARE(dialog.ShortcutEdit()->text(), QStringLiteral("rd"));
    QVERIFY(!dialog.CodeEdit()->isReadOnly() && !dialog.NewFolderButton()->isEnabled());
    // Showing is not editing.
    QCOMPARE(root.folders[0]->snippets[0]->code, std::u16string(u"Set f = {file}\r\nf.Close"));
    dialog.ShortcutEdit()->setText(QStringLiteral("read"));
    dialog.CodeEdit()->setPlainText(QStringLiteral("a\nb"));
    QCOMPARE(root.folders[0]->snippets[0]->shortcut, std::u16string(u"read"));
    QCOMPARE(root.folders[0]->snippets[0]->code, std::u16string(u"a\r\nb"));

    dialog.Tree()->setCurrentItem(ItemNamed(dialog.Tree(), "Empty"));
    QVERIFY(dialog.CodeEdit()->toPlainText().isEmpty() && dialog.ShortcutEdit()->isReadOnly());
  }

  void renameTakesEnterWithoutClosing() {
    CSnippetFolder root = SampleTree();
    SAnswers answers;
    COrganizeSnippetsDlg dialog(root, answers.Prompts());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.Tree()->setCurrentItem(ItemNamed(dialog.Tree(), "Hello"));
    dialog.RenameButton()->click();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Greeting");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(root.snippets[0]->name, std::u16string(u"Greeting"));  // the commit is queued
    QVERIFY(dialog.isVisible());

    // Escape cancels the label edit, not the dialog.
    dialog.RenameButton()->click();
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, "zzz");
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!dialog.Tree()->IsEditingLabel());
    QVERIFY(dialog.isVisible());
    QCOMPARE(root.snippets[0]->name, std::u16string(u"Greeting"));
  }

  void deleteAndNewFolder() {
    CSnippetFolder root = SampleTree();
    SAnswers answers;
    COrganizeSnippetsDlg dialog(root, answers.Prompts());
    dialog.Tree()->setCurrentItem(ItemNamed(dialog.Tree(), "Files"));
    dialog.DeleteButton()->click();
    QCOMPARE(root.folders.size(), size_t{1});
    QCOMPARE(root.SnippetCount(), size_t{1});  // the folder's snippet went with it
    QCOMPARE(Labels(dialog.Tree()), (QStringList{"Snippets", " Empty", " Hello"}));

    dialog.Tree()->setCurrentItem(dialog.Tree()->RootItem());
    answers.folderName = QString();  // an empty name is allowed
    dialog.NewFolderButton()->click();
    QCOMPARE(Labels(dialog.Tree()), (QStringList{"Snippets", " Empty", " ", " Hello"}));
    QCOMPARE(root.folders.size(), size_t{2});
    answers.folderName.reset();  // cancelled
    dialog.NewFolderButton()->click();
    QCOMPARE(root.folders.size(), size_t{2});
  }

  void moveOffersNoFolderInsideTheMovedOne() {
    CSnippetFolder root = SampleTree();
    SAnswers answers;
    COrganizeSnippetsDlg dialog(root, answers.Prompts());

    // A folder: neither it nor what lies under it can be the destination.
    dialog.Tree()->setCurrentItem(ItemNamed(dialog.Tree(), "Files"));
    answers.moveTo = QStringLiteral("Empty");
    dialog.MoveButton()->click();
    QCOMPARE(answers.moveChoices, (QStringList{"Snippets", " Empty"}));
    QCOMPARE(Labels(dialog.Tree()),
             (QStringList{"Snippets", " Empty", "  Files", "   Deep", "   Read", " Hello"}));
    QCOMPARE(dialog.Tree()->currentItem()->text(0), QStringLiteral("Files"));
    QCOMPARE(root.folders[0]->folders[0]->name, std::u16string(u"Files"));

    // A snippet moved to its own folder goes to the end of its snippets.
    root.AddSnippet({u"Last", u"", u""});
    dialog.Tree()->FillChildren(dialog.Tree()->RootItem(), root);
    dialog.Tree()->setCurrentItem(ItemNamed(dialog.Tree(), "Hello"));
    answers.moveTo = QStringLiteral("Snippets");
    dialog.MoveButton()->click();
    QCOMPARE(root.snippets[0]->name, std::u16string(u"Last"));
    QCOMPARE(root.snippets[1]->name, std::u16string(u"Hello"));
    QCOMPARE(dialog.Tree()->currentItem()->text(0), QStringLiteral("Hello"));

    // Cancel moves nothing.
    answers.moveTo.clear();
    dialog.MoveButton()->click();
    QCOMPARE(root.snippets[1]->name, std::u16string(u"Hello"));
  }

  void newFolderDialogAsksForAName() {
    CNewFolderDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Create a New folder"));
    dialog.NameEdit()->setText(QStringLiteral("Scripts"));
    QCOMPARE(dialog.Name(), QStringLiteral("Scripts"));
  }
};

QTEST_MAIN(SnippetDialogsTest)
#include "SnippetDialogsTest.moc"
