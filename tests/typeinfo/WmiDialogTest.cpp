// "Insert a WMI script" on the offscreen platform: the class list and the chosen class; and the
// script generated for every listed class run under our console host, printing real values.

#include <QListWidget>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "TempFolder.h"
#include "platform/WmiCatalog.h"
#include "typeinfo/WmiScriptGenerator.h"
#include "typeinfo/ui/WMIDialog.h"

using namespace quillet;
using namespace quillet::typeinfo;

namespace {

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

// Classes whose instances this program reads from files every Linux system has, so that an empty
// result can only mean a fault.
const std::set<QString> kAlwaysPresent{
    "Win32_Process",   "Win32_OperatingSystem", "Win32_ComputerSystem", "Win32_Processor", "Win32_Environment",
    "Win32_LocalTime", "Win32_UTCTime",         "Win32_CurrentTime",    "Win32_Account",   "Win32_UserAccount",
    "Win32_Group",     "Win32_TimeZone"};

struct SRunResult {
  QString failure;  // empty when the script ran cleanly
  int instances = 0;
};

// Every property that can be joined to text has its line in every instance (an array cannot, and
// its line is skipped by the script's On Error Resume Next); at least one value per instance.
SRunResult RunGenerated(const QString& className, const test::CTempFolder& folder) {
  const std::u16string script = GenerateWmiScript(className.toStdU16String());
  if (script.empty()) return {QStringLiteral("no script")};
  const std::string path = folder.File(className.toStdString() + ".vbs");
  test::WriteFile(path, QString::fromStdU16String(script).toStdString());
  QProcess host;
  host.start(QStringLiteral(QUILLET_CSCRIPT_PATH), {"//nologo", "//T:60", QString::fromStdString(path)});
  if (!host.waitForFinished(90000)) {
    host.kill();
    return {QStringLiteral("did not end")};
  }
  const QString errors = QString::fromUtf8(host.readAllStandardError());
  const QStringList lines = QString::fromUtf8(host.readAllStandardOutput()).split(QStringLiteral("\n"));
  if (host.exitStatus() != QProcess::NormalExit || host.exitCode() != 0 || !errors.isEmpty()) {
    return {QStringLiteral("exit %1: %2").arg(host.exitCode()).arg(errors)};
  }
  const platform::SWmiClass* cls = platform::CWmiCatalog::Installed().Find(u"root\\cimv2", className.toStdU16String());
  std::map<QString, int> counts;
  int valued = 0;
  for (const platform::SWmiProperty& property : cls->properties) {
    if (property.isArray) continue;
    const QString prefix = QString::fromStdU16String(property.name) + QStringLiteral(": ");
    int& count = counts[prefix];
    for (const QString& line : lines) {
      if (!line.startsWith(prefix)) continue;
      ++count;
      if (!line.mid(prefix.size()).trimmed().isEmpty()) ++valued;
    }
  }
  SRunResult result;
  for (const auto& [prefix, count] : counts) result.instances = std::max(result.instances, count);
  for (const auto& [prefix, count] : counts) {
    if (count != result.instances) result.failure += prefix + QStringLiteral("missing in some instances; ");
  }
  if (valued < result.instances) result.failure += QStringLiteral("instances without values");
  return result;
}

}  // namespace

class WmiDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void listsClassesAlphabeticallyAndGivesTheChosenOne() {
    const platform::CWmiCatalog& catalogue = platform::CWmiCatalog::Installed();
    CWMIDialog dialog(catalogue);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert a WMI script"));
    const QStringList items = Items(dialog.List());
    QVERIFY(items.size() > 20);
    QVERIFY(items.contains("Win32_Process"));
    for (qsizetype i = 1; i < items.size(); ++i) {
      QVERIFY2(items[i - 1].compare(items[i], Qt::CaseInsensitive) < 0, qPrintable(items[i]));
      QVERIFY(items[i].startsWith("Win32_"));
    }

    dialog.accept();
    QCOMPARE(dialog.ClassName(), QString());  // OK with nothing selected chooses nothing
    dialog.List()->setCurrentItem(dialog.List()->findItems("Win32_Process", Qt::MatchExactly).front());
    dialog.accept();
    QCOMPARE(dialog.ClassName(), QStringLiteral("Win32_Process"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void everyGeneratedScriptRunsAndPrintsRealValues() {
    test::CTempFolder folder;
    folder.IsolateUserFolders();
    QStringList failures;
    QStringList withInstances;
    for (const std::u16string& name : WmiScriptClassNames(platform::CWmiCatalog::Installed())) {
      const QString className = QString::fromStdU16String(name);
      const SRunResult run = RunGenerated(className, folder);
      if (!run.failure.isEmpty()) failures << className + ": " + run.failure;
      if (run.instances > 0) withInstances << className;
      if (run.instances == 0 && kAlwaysPresent.count(className) != 0) failures << className + ": no instances";
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
    qInfo("classes with instances on this machine: %s", qPrintable(withInstances.join(", ")));
  }
};

QTEST_MAIN(WmiDialogTest)
#include "WmiDialogTest.moc"
