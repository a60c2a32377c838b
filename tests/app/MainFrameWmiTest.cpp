// The WMI command of the Snippets menu on the offscreen platform: the chosen class's script
// replaces the selection as one edit that one Undo takes back, with the caret after it.

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "TempFolder.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QuilletApp.h"
#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/ui/QuilletView.h"
#include "typeinfo/WmiScriptGenerator.h"
#include "typeinfo/ui/WMIDialog.h"

using namespace quillet;
using namespace quillet::app;

namespace {

std::u16string AllText(const document::CQuilletDoc& doc) {
  std::u16string text;
  const int32_t last = doc.GetLineCount() - 1;
  doc.GetText(0, 0, last, doc.GetLineLength(last), text, u"\r\n");
  return text;
}

// Answers the dialog the command is about to show: the class when one is given, else Cancel.
void AnswerDialog(const QString& className) {
  QTimer::singleShot(0, [className] {
    auto* dialog = qobject_cast<typeinfo::CWMIDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    if (className.isEmpty()) {
      dialog->reject();
      return;
    }
    dialog->List()->setCurrentItem(dialog->List()->findItems(className, Qt::MatchExactly).front());
    dialog->accept();
  });
}

}  // namespace

class MainFrameWmiTest : public QObject {
  Q_OBJECT

 private slots:
  void insertsTheScriptAtTheCaretAsOneEdit() {
    test::CTempFolder folder;
    folder.IsolateUserFolders();
    CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}));
    CMainFrame* frame = app.MainFrame();
    document::CQuilletDoc& doc = frame->Document();
    editor::CEditorCore& core = frame->View()->Core();
    for (const char16_t c : std::u16string_view(u"x = [old] : y")) core.OnChar(c);
    core.SetSelection({4, 0}, {9, 0});

    AnswerDialog(QString());
    frame->Action(ID_SNIPPETS_WMI)->trigger();
    QCOMPARE(AllText(doc), std::u16string(u"x = [old] : y"));

    AnswerDialog(QStringLiteral("Win32_LocalTime"));
    frame->Action(ID_SNIPPETS_WMI)->trigger();
    const std::u16string script = typeinfo::GenerateWmiScript(u"Win32_LocalTime");
    QVERIFY(!script.empty());
    QCOMPARE(AllText(doc), u"x = " + script + u" : y");
    const int32_t lastInserted = doc.GetLineCount() - 1;
    QCOMPARE(core.Caret(), (document::CTextPosition{0, lastInserted}));  // after the script's last line break

    frame->Action(ID_EDIT_UNDO)->trigger();
    QCOMPARE(AllText(doc), std::u16string(u"x = [old] : y"));
  }
};

QTEST_MAIN(MainFrameWmiTest)
#include "MainFrameWmiTest.moc"
