// The output window and the editor share the font settings: the same default on this screen,
// and a font chosen with Change Font reaches both.

#include <QAction>
#include <QApplication>
#include <QFontDialog>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <string>

#include "TempFolder.h"
#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QuilletApp.h"
#include "debug/ui/ShellBar.h"
#include "debug/ui/ShellEditCtrl.h"
#include "editor/ui/QuilletView.h"

using namespace quillet;

namespace {

// A screen that is not 96 dots per inch, so that a default of 13 pixels no longer passes for
// 10 points.
constexpr char kScreenDpi[] = "120";

}  // namespace

class OutputFontTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
  }
  void cleanup() { m_folder.reset(); }

  void outputWindowFollowsTheEditorFont() {
    app::CQuilletApp app;
    QVERIFY(app.InitInstance({"quillet"}));
    app::CMainFrame* frame = app.MainFrame();
    frame->show();
    const editor::CQuilletView* view = frame->View();
    const debug::CShellEditCtrl* output = frame->ShellBar()->Edit();
    QCOMPARE(frame->logicalDpiY(), std::atoi(kScreenDpi));
    const int tenPoints = -app::settings::DefaultFontHeight(frame->logicalDpiY());
    QCOMPARE(view->EditorFont().pixelSize(), tenPoints);
    QCOMPARE(output->font().pixelSize(), tenPoints);

    bool shown = false;
    QTimer::singleShot(0, frame, [&shown] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      shown = dialog != nullptr;
      if (dialog == nullptr) return;
      QFont font = dialog->currentFont();
      font.setPointSize(24);
      dialog->setCurrentFont(font);
      dialog->accept();
    });
    frame->Action(app::ID_VIEW_CHANGE_FONT)->trigger();
    QVERIFY(shown);
    QVERIFY(view->EditorFont().pixelSize() != tenPoints);
    QCOMPARE(output->font().pixelSize(), view->EditorFont().pixelSize());
    QCOMPARE(output->font().family(), view->EditorFont().family());
    QCOMPARE(app.Settings().Read(app::settings::FontHeight), -view->EditorFont().pixelSize());
  }
};

// The offscreen platform reads its screens from a file; without scaling, widgets see the
// screen's own dots per inch.
int main(int argc, char** argv) {
  const test::CTempFolder screens;
  test::WriteFile(screens.File("screens.json"),
                  std::string(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1600, "height": 1200, )") +
                      R"("logicalDpi": )" + kScreenDpi + R"(, "logicalBaseDpi": 96, "dpr": 1}]})");
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + screens.File("screens.json").c_str());
  }
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication application(argc, argv);
  OutputFontTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "OutputFontTest.moc"
