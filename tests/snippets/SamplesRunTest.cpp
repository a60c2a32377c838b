// Every shipped sample that needs no display runs under our cscript to a clean end and prints
// something; the shipped first library is sound and every snippet in it has a field to type.

#include <QProcess>
#include <QTest>

#include <functional>

#include "TempFolder.h"
#include "snippets/FirstSnippetLibrary.h"
#include "snippets/SnippetFileFormat.h"
#include "snippets/SnippetText.h"
#include "snippets/ui/SamplesCatalog.h"

using namespace quillet;
using namespace quillet::snippets;

namespace {

void ForEachSample(const CSamplesCatalog::SFolder& folder, const QString& path,
                   const std::function<void(const QString&, int)>& visit) {
  for (const auto& sample : folder.samples) visit(path + sample.name, sample.number);
  for (const auto& child : folder.folders) ForEachSample(*child, path + child->name + "/", visit);
}

bool NeedsDisplay(const QString& script) {
  return script.contains(QStringLiteral("MsgBox")) || script.contains(QStringLiteral("InputBox")) ||
         script.contains(QStringLiteral(".Popup"));
}

}  // namespace

class SamplesRunTest : public QObject {
  Q_OBJECT

 private slots:
  void everySampleRunsCleanly() {
    const auto catalog = CSamplesCatalog::Load(QStringLiteral(QUILLET_SAMPLES_XML));
    QVERIFY(catalog);
    QVERIFY2(catalog->SampleCount() >= 40, qPrintable(QString::number(catalog->SampleCount())));
    QCOMPARE(catalog->Root().folders.size(), size_t{7});

    test::CTempFolder folder;
    folder.IsolateUserFolders();  // the samples write to the user's registry and temporary folder
    int run = 0;
    QStringList failures;
    ForEachSample(catalog->Root(), QString(), [&](const QString& name, int number) {
      const QString script = *catalog->ScriptText(number);
      if (NeedsDisplay(script)) return;
      const QString path = QString::fromStdString(folder.File("sample" + std::to_string(number) + ".vbs"));
      test::WriteFile(path.toStdString(),
                      QString::fromStdU16String(SampleScriptText(script.toStdU16String())).toStdString());
      QProcess host;
      host.start(QStringLiteral(QUILLET_CSCRIPT_PATH), {"//nologo", "//T:30", path});
      if (!host.waitForFinished(60000)) host.kill();
      const QByteArray output = host.readAllStandardOutput();
      const QByteArray errors = host.readAllStandardError();
      ++run;
      if (host.exitStatus() != QProcess::NormalExit || host.exitCode() != 0 || !errors.isEmpty() ||
          output.trimmed().isEmpty()) {
        failures << name + ": exit " + QString::number(host.exitCode()) + ", " + errors + output.left(300);
      }
    });
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
    QVERIFY(run >= 40);
  }

  void firstLibraryIsSoundWithFieldsEverywhere() {
    const CSnippetFolder library = FirstSnippetLibrary();
    const SSnippetFileContent read = ParseSnippetFile(WriteSnippetFile(library));
    QVERIFY(read.sound && read.IsCurrent());
    QVERIFY(read.root == library);
    QVERIFY(library.SnippetCount() >= 30);
    library.ForEachSnippet([](const SSnippet& snippet) {
      QVERIFY2(!snippet.shortcut.empty(), qPrintable(QString::fromStdU16String(snippet.name)));
      QVERIFY2(snippet.code.find(u'{') != std::u16string::npos, qPrintable(QString::fromStdU16String(snippet.name)));
      QVERIFY(snippet.code.find(u'\n') == std::u16string::npos ||
              snippet.code.find(u"\r\n") != std::u16string::npos);
    });
  }
};

QTEST_MAIN(SamplesRunTest)
#include "SamplesRunTest.moc"
