#include "engine/host/HostRunner.h"

#include <pthread.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "engine/vm/ScriptEngine.h"
#include "engine/runtime/ScriptError.h"
#include "engine/host/ConsoleDialogs.h"
#include "engine/host/ErrorReport.h"
#include "engine/host/HostCommandLine.h"
#include "engine/host/MainThreadQueue.h"
#include "engine/host/QueuedDialogs.h"
#include "engine/host/OutputStream.h"
#include "engine/host/ScriptSource.h"
#include "engine/host/WScriptObject.h"
#include "platform/FileBytes.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

namespace {

constexpr size_t kScriptStackBytes = size_t{512} << 20;  // reserved, touched only as used
constexpr auto kStopGrace = std::chrono::seconds(2);
// The script was ended, not finished: the host reports failure.
constexpr int kTimeoutExitCode = 1;

const char16_t* kUsage =
    u"Usage: cscript [//option...] scriptname [arguments]\r\n"
    u"\r\n"
    u"Options:\r\n"
    u" //B         Batch mode: suppresses script errors and prompts\r\n"
    u" //D         Enable active debugging\r\n"
    u" //E:engine  Use engine for executing script (vbscript)\r\n"
    u" //I         Interactive mode (default, opposite of //B)\r\n"
    u" //Logo      Display logo (default)\r\n"
    u" //Nologo    Prevent logo display: no banner will be shown at execution time\r\n"
    u" //T:nn      Time out in seconds: maximum time a script is permitted to run\r\n"
    u" //U         Use Unicode for redirected I/O from the console\r\n";

constexpr const char16_t* kHostName = u"Quillet Script Host";

struct SRun {
  CScriptEngine* engine = nullptr;
  std::u16string source;
  std::u16string displayPath;
  COutputStream* err = nullptr;
  IHostDialogs* errorBox = nullptr;  // the windowed host's error box, through the main thread
  CMainThreadQueue queue;
  bool batch = false;
  HostDebuggerFactory debugger;  // set with //D
  int exitCode = 0;
  bool timedOut = false;
};

void ReportError(SRun& run, const CScriptError& error) {
  run.exitCode = 1;
  if (run.batch) return;
  if (run.errorBox != nullptr) {
    (void)run.errorBox->MessageBox(WindowErrorText(error, run.displayPath), 0x10, kHostName);
    return;
  }
  run.err->Write(ConsoleErrorText(error, run.displayPath));
  run.err->Flush();
}

void RunScript(SRun& run) {
  std::unique_ptr<IHostDebugger> debugger;
  try {
    try {
      if (run.debugger) {
        const SCompiledUnit& unit = run.engine->Load(run.source);
        debugger = run.debugger(*run.engine, unit, run.source, run.displayPath);
        run.engine->RunLoaded(unit);
      } else {
        run.engine->Run(run.source);
      }
    } catch (const CScriptError& error) {
      ReportError(run, error);
    } catch (const SScriptStop& stop) {
      run.exitCode = stop.timedOut ? kTimeoutExitCode : stop.exitCode;
      if (stop.timedOut) run.timedOut = true;
    }
    run.engine->Close();
    if (debugger) debugger->ScriptEnded(run.exitCode);
  } catch (const std::exception&) {
    run.exitCode = 1;
  }
  run.queue.Finish();
}

void* ScriptThread(void* arg) {
  RunScript(*static_cast<SRun*>(arg));
  return nullptr;
}

// The script thread gets a large stack so that Out of stack space comes from the engine's own
// depth limit, never from the process.
bool StartScriptThread(SRun& run, pthread_t& thread) {
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  pthread_attr_setstacksize(&attr, kScriptStackBytes);
  const bool ok = pthread_create(&thread, &attr, ScriptThread, &run) == 0;
  pthread_attr_destroy(&attr);
  return ok;
}

// The main thread shows the script's windows while it waits. False when the script overran
// its time and did not stop at its next statement either (it waits in Sleep or on standard
// input): the host then ends without it.
bool WaitForScript(SRun& run, int timeoutSeconds) {
  if (timeoutSeconds <= 0) return run.queue.ServeUntilFinished();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  if (run.queue.ServeUntilFinished(deadline)) return true;
  run.engine->Vm().RequestStop(true);
  return run.queue.ServeUntilFinished(std::chrono::steady_clock::now() + kStopGrace);
}

// Messages of the host itself (usage, a missing file, the time-out): a box for the windowed
// host with a display, else the console.
class CHostMessages {
 public:
  CHostMessages(const SHostSetup& setup, COutputStream& out, COutputStream& err)
      : m_box(setup.kind == EHostKind::Windowed ? setup.windows : nullptr), m_out(out), m_err(err) {}
  void Info(const std::u16string& text) { Show(m_out, text, 0x40); }
  void Error(const std::u16string& text) { Show(m_err, text, 0x10); }

 private:
  void Show(COutputStream& stream, const std::u16string& text, int32_t icon) {
    if (m_box != nullptr) {
      (void)m_box->MessageBox(text, icon, kHostName);
      return;
    }
    stream.Write(text + u"\r\n");
    stream.Flush();
  }
  IHostDialogs* m_box;
  COutputStream& m_out;
  COutputStream& m_err;
};

std::u16string TimeoutText(const std::u16string& scriptFullName) {
  return u"Script execution time was exceeded on script \"" + scriptFullName + u"\".\r\nScript execution terminated.";
}

SHostInfo MakeHostInfo(const SHostCommandLine& line, const std::string& hostPath, bool windowed) {
  std::error_code ec;
  const std::string full = std::filesystem::absolute(line.scriptPath, ec).string();
  SHostInfo info;
  info.scriptFullName = platform::Utf8ToUtf16(ec ? line.scriptPath : full);
  info.scriptName = platform::Utf8ToUtf16(std::filesystem::path(line.scriptPath).filename().string());
  info.hostFullName = platform::Utf8ToUtf16(hostPath);
  for (const auto& arg : line.arguments) info.arguments.push_back(platform::Utf8ToUtf16(arg));
  info.interactive = !line.batch;
  info.timeoutSeconds = line.timeoutSeconds;
  info.windowed = windowed;
  return info;
}

}  // namespace

int RunHost(const std::vector<std::string>& args, const std::string& hostPath, const SHostSetup& setup) {
  const SHostCommandLine line = ParseHostCommandLine(args);
  const bool windowed = setup.kind == EHostKind::Windowed;
  COutputStream out(stdout, line.unicodeOutput);
  COutputStream err(stderr, line.unicodeOutput);
  CHostMessages messages(setup, out, err);
  if (line.logo && !line.batch && !windowed) {
    out.Write(u"Quillet Script Host Version 0.1\r\nCopyright (C) Kelmarsh. All rights reserved.\r\n\r\n");
  }
  if (!line.error.empty()) {
    messages.Error(platform::Utf8ToUtf16(line.error));
    return 1;
  }
  if (line.help || line.scriptPath.empty()) {
    std::u16string usage = kUsage;
    if (windowed) usage.replace(usage.find(u"cscript"), 7, u"wscript");
    while (!usage.empty() && (usage.back() == u'\n' || usage.back() == u'\r')) usage.pop_back();
    messages.Info(usage);
    return line.help ? 0 : 1;
  }
  std::string bytes;
  if (!platform::ReadFileBytes(line.scriptPath, bytes)) {
    messages.Error(u"Input Error: Can not find script file \"" + platform::Utf8ToUtf16(line.scriptPath) + u"\".");
    return 1;
  }
  SHostInfo info = MakeHostInfo(line, hostPath, windowed);
  info.echoInWindow = windowed && setup.windows != nullptr;

  SRun run;
  CQueuedDialogs queuedWindows(run.queue, setup.windows != nullptr ? *setup.windows : CurrentDialogs());
  CConsoleDialogs console(err);
  IHostDialogs& dialogs = setup.windows != nullptr ? static_cast<IHostDialogs&>(queuedWindows) : console;

  CScriptEngine engine;
  engine.Runtime().dialogs = &dialogs;
  engine.Runtime().hostName = kHostName;
  engine.AddNamedItem(u"WScript", CVariant::Object(new CWScriptObject(info, out, err)));
  run.engine = &engine;
  run.source = DecodeScript(bytes);
  run.displayPath = info.scriptFullName;
  run.err = &err;
  if (windowed && setup.windows != nullptr) run.errorBox = &queuedWindows;
  run.batch = line.batch;
  if (line.debug) run.debugger = setup.debugger;
  pthread_t thread{};
  if (!StartScriptThread(run, thread)) {
    // Running on the main thread itself: the windows are called directly.
    if (setup.windows != nullptr) engine.Runtime().dialogs = setup.windows;
    if (run.errorBox != nullptr) run.errorBox = setup.windows;
    RunScript(run);
  } else if (WaitForScript(run, line.timeoutSeconds)) {
    pthread_join(thread, nullptr);
  } else {
    messages.Error(TimeoutText(info.scriptFullName));
    out.Flush();
    err.Flush();
    std::_Exit(kTimeoutExitCode);
  }
  if (run.timedOut && line.timeoutSeconds > 0) messages.Error(TimeoutText(info.scriptFullName));
  out.Flush();
  err.Flush();
  return run.exitCode;
}

}  // namespace quillet::engine::host
