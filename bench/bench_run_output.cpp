// A script that writes 10 MB of text, run redirected through the output window: the longest
// gap between ticks of a 1 ms timer while it runs (the window must stay responsive), and the
// run's time against the same host writing to /dev/null. A plain program: one long run each.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/SettingsInventory.h"
#include "debug/ui/ScriptRunner.h"
#include "debug/ui/ShellBar.h"
#include "document/QuilletDoc.h"
#include "platform/SettingsStore.h"

namespace {

using namespace quillet;

class CQuietHost : public debug::IRunHost {
 public:
  bool SaveDocument() override { return true; }
  debug::ESaveAnswer AskSaveChanges() override { return debug::ESaveAnswer::No; }
  void ShowError(const std::u16string&) override {}
  bool GoToLocation(int32_t, int32_t) override { return true; }
  [[nodiscard]] bool IsValidLocation(int32_t, int32_t) const override { return false; }
  void ShowOutputBar(bool) override {}
};

// 100,000 lines of 100 characters and a line break: a little over 10 MB of text.
std::string WriteScript(const std::filesystem::path& folder) {
  const std::string path = (folder / "flood.vbs").string();
  std::ofstream(path) << "s = \"" << std::string(100, 'x')
                      << "\"\r\nFor i = 1 To 100000\r\nWScript.Echo s\r\nNext\r\n";
  return path;
}

double TimeToNull(const std::string& host, const std::string& script) {
  QElapsedTimer clock;
  clock.start();
  const std::string command = "'" + host + "' //U //nologo '" + script + "' > /dev/null";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "host failed\n");
  return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillet-bench-run";
  std::filesystem::create_directories(folder);
  for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) setenv(name, folder.c_str(), 1);
  QApplication app(argc, argv);
  const std::string script = WriteScript(folder);
  const std::string host = std::filesystem::path(QUILLET_CSCRIPT_PATH).string();

  platform::CSettingsStore store((folder / "settings.reg").string(),
                                 platform::CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet"));
  app::CSettings settings(store);
  settings.Write(app::settings::DisplayLogo, 0);
  document::CQuilletDoc document;
  document.SetPathName(script);
  CQuietHost host_;
  debug::CShellBar bar;
  bar.show();
  debug::CScriptRunner runner(document, settings, host_, bar, folder.string());
  runner.SetLauncher(platform::CProcessLauncher(std::filesystem::path(host).parent_path().string()));

  const double baseline = TimeToNull(host, script);

  QEventLoop loop;
  QObject::connect(&runner, &debug::CScriptRunner::ScriptEnded, &loop, &QEventLoop::quit);
  QElapsedTimer clock, sinceTick;
  qint64 longestGap = 0;
  QTimer ticker;
  ticker.setInterval(1);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longestGap = std::max(longestGap, sinceTick.nsecsElapsed());
    sinceTick.restart();
  });
  clock.start();
  sinceTick.start();
  ticker.start();
  runner.RunScript(u"");
  loop.exec();
  const double run = static_cast<double>(clock.nsecsElapsed()) / 1e9;

  std::printf("host to /dev/null: %.2f s\n", baseline);
  std::printf("through the output window: %.2f s (ratio %.2f, target at most 3)\n", run, run / baseline);
  std::printf("longest gap between 1 ms ticks: %.1f ms (target: under a 16 ms frame)\n",
              static_cast<double>(longestGap) / 1e6);
  std::filesystem::remove_all(folder);
  return 0;
}
