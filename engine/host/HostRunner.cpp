#include "engine/host/HostRunner.h"

#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "engine/ScriptEngine.h"
#include "engine/ScriptError.h"
#include "engine/host/HostCommandLine.h"
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

struct SRun {
  CScriptEngine* engine = nullptr;
  std::u16string source;
  std::u16string displayPath;
  COutputStream* err = nullptr;
  bool batch = false;
  int exitCode = 0;
  bool finished = false;
  bool timedOut = false;
  std::mutex lock;
  std::condition_variable done;
};

void ReportError(SRun& run, const CScriptError& error) {
  run.exitCode = 1;
  if (run.batch) return;
  const bool compile = error.Kind() == EErrorKind::Compilation;
  std::u16string text = run.displayPath + u"(" + platform::Utf8ToUtf16(std::to_string(error.Line())) + u", " +
                        platform::Utf8ToUtf16(std::to_string(error.Column())) + u") ";
  if (!error.Source().empty() && !compile) text += error.Source() + u": ";
  else text += compile ? u"VBScript compilation error: " : u"VBScript runtime error: ";
  text += error.Description() + u"\r\n";
  run.err->Write(text);
  run.err->Flush();
}

void RunScript(SRun& run) {
  try {
    try {
      run.engine->Run(run.source);
    } catch (const CScriptError& error) {
      ReportError(run, error);
    } catch (const SScriptStop& stop) {
      run.exitCode = stop.timedOut ? kTimeoutExitCode : stop.exitCode;
      if (stop.timedOut) run.timedOut = true;
    }
    run.engine->Close();
  } catch (const std::exception&) {
    run.exitCode = 1;
  }
  std::lock_guard<std::mutex> guard(run.lock);
  run.finished = true;
  run.done.notify_all();
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

// False when the script overran its time and did not stop at its next statement either (it
// waits in Sleep or on standard input): the host then ends without it.
bool WaitForScript(SRun& run, int timeoutSeconds) {
  std::unique_lock<std::mutex> guard(run.lock);
  if (timeoutSeconds <= 0) {
    run.done.wait(guard, [&] { return run.finished; });
    return true;
  }
  if (run.done.wait_for(guard, std::chrono::seconds(timeoutSeconds), [&] { return run.finished; })) return true;
  run.engine->Vm().RequestStop(true);
  return run.done.wait_for(guard, kStopGrace, [&] { return run.finished; });
}

void ReportTimeout(COutputStream& err, const std::u16string& scriptFullName) {
  err.Write(u"Script execution time was exceeded on script \"" + scriptFullName +
            u"\".\r\nScript execution terminated.\r\n");
}

}  // namespace

int RunHost(const std::vector<std::string>& args, const std::string& hostPath) {
  const SHostCommandLine line = ParseHostCommandLine(args);
  COutputStream out(stdout, line.unicodeOutput);
  COutputStream err(stderr, line.unicodeOutput);
  if (line.logo && !line.batch) {
    out.Write(u"Quillet Script Host Version 0.1\r\nCopyright (C) Kelmarsh. All rights reserved.\r\n\r\n");
  }
  if (!line.error.empty()) {
    err.Write(platform::Utf8ToUtf16(line.error) + u"\r\n");
    return 1;
  }
  if (line.help || line.scriptPath.empty()) {
    out.Write(kUsage);
    return line.help ? 0 : 1;
  }
  std::string bytes;
  if (!platform::ReadFileBytes(line.scriptPath, bytes)) {
    err.Write(u"Input Error: Can not find script file \"" + platform::Utf8ToUtf16(line.scriptPath) + u"\".\r\n");
    return 1;
  }
  std::error_code ec;
  const std::string full = std::filesystem::absolute(line.scriptPath, ec).string();
  SHostInfo info;
  info.scriptFullName = platform::Utf8ToUtf16(ec ? line.scriptPath : full);
  info.scriptName = platform::Utf8ToUtf16(std::filesystem::path(line.scriptPath).filename().string());
  info.hostFullName = platform::Utf8ToUtf16(hostPath);
  for (const auto& arg : line.arguments) info.arguments.push_back(platform::Utf8ToUtf16(arg));
  info.interactive = !line.batch;
  info.timeoutSeconds = line.timeoutSeconds;

  CScriptEngine engine;
  engine.AddNamedItem(u"WScript", CVariant::Object(new CWScriptObject(info, out, err)));
  SRun run;
  run.engine = &engine;
  run.source = DecodeScript(bytes);
  run.displayPath = info.scriptFullName;
  run.err = &err;
  run.batch = line.batch;
  pthread_t thread{};
  if (!StartScriptThread(run, thread)) {
    RunScript(run);
  } else if (WaitForScript(run, line.timeoutSeconds)) {
    pthread_join(thread, nullptr);
  } else {
    ReportTimeout(err, info.scriptFullName);
    out.Flush();
    err.Flush();
    std::_Exit(kTimeoutExitCode);
  }
  if (run.timedOut && line.timeoutSeconds > 0) ReportTimeout(err, info.scriptFullName);
  out.Flush();
  err.Flush();
  return run.exitCode;
}

}  // namespace quillet::engine::host
