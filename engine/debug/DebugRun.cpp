#include "engine/debug/DebugRun.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "engine/host/ErrorReport.h"
#include "engine/host/OutputStream.h"
#include "engine/host/ScriptSource.h"
#include "engine/host/WScriptObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/FileBytes.h"
#include "platform/TextConvert.h"

namespace quillet::engine::debug {

namespace {

constexpr size_t kScriptStackBytes = size_t{512} << 20;  // as the hosts: deep recursion fits
constexpr const char16_t* kHostName = u"Quillet Script Host";
constexpr int kEndGraceMilliseconds = 5000;

// The streams are written in UTF-16LE (the hosts' //U), so that no character is lost on the
// way; this turns the bytes back into text for the client, keeping an odd byte for later.
struct SOutputCookie {
  CDebugRun::OutputSink* sink = nullptr;
  const char* category = "stdout";
  std::string pending;
};

ssize_t WriteOutput(void* cookie, const char* bytes, size_t size) {
  auto& output = *static_cast<SOutputCookie*>(cookie);
  output.pending.append(bytes, size);
  const size_t whole = output.pending.size() & ~size_t{1};
  std::u16string text;
  text.reserve(whole / 2);
  for (size_t i = 0; i < whole; i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(output.pending[i]) |
                                  static_cast<unsigned char>(output.pending[i + 1]) << 8);
  }
  output.pending.erase(0, whole);
  if (!text.empty() && *output.sink) (*output.sink)(output.category, platform::Utf16ToUtf8(text));
  return static_cast<ssize_t>(size);
}

int CloseOutput(void* cookie) {
  delete static_cast<SOutputCookie*>(cookie);
  return 0;
}

}  // namespace

CDebugRun::CDebugRun(IDebugListener& listener, OutputSink output, EndSink ended)
    : m_listener(listener), m_output(std::move(output)), m_onEnded(std::move(ended)) {}

CDebugRun::~CDebugRun() {
  Terminate();
  if (m_threadStarted && !WaitEnded(kEndGraceMilliseconds)) {
    // The script waits in a call that no stop reaches (a long Sleep): its thread keeps what it
    // uses, which stays allocated, rather than have it freed under it.
    pthread_detach(m_thread);
    (void)m_inspector.release();
    (void)m_debugger.release();
    (void)m_engine.release();
    (void)m_out.release();
    (void)m_err.release();
    return;
  }
  if (m_threadStarted) pthread_join(m_thread, nullptr);
  m_inspector.reset();
  m_debugger.reset();
  m_engine.reset();
  m_out.reset();
  m_err.reset();
  for (std::FILE* file : m_files) std::fclose(file);
}

std::FILE* CDebugRun::OpenOutput(const char* category) {
  auto* cookie = new SOutputCookie{&m_output, category, {}};
  std::FILE* file = fopencookie(cookie, "w", cookie_io_functions_t{nullptr, WriteOutput, nullptr, CloseOutput});
  if (file == nullptr) {
    delete cookie;
    return nullptr;
  }
  std::setvbuf(file, nullptr, _IONBF, 0);
  m_files.push_back(file);
  return file;
}

bool CDebugRun::Load(const SLaunchOptions& options, std::u16string& error) {
  if (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0) {
    error = u"Cannot change to the folder \"" + platform::Utf8ToUtf16(options.workingFolder) + u"\".";
    return false;
  }
  std::string bytes;
  if (options.program.empty() || !platform::ReadFileBytes(options.program, bytes)) {
    error = u"Input Error: Can not find script file \"" + platform::Utf8ToUtf16(options.program) + u"\".";
    return false;
  }
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(options.program, ec);
  m_programPath = ec ? options.program : full.lexically_normal().string();
  m_source = host::DecodeScript(bytes);

  std::FILE* out = OpenOutput("stdout");
  std::FILE* err = OpenOutput("stderr");
  if (out == nullptr || err == nullptr) {
    error = u"Cannot open the script's output streams.";
    return false;
  }
  m_out = std::make_unique<host::COutputStream>(out, true);
  m_err = std::make_unique<host::COutputStream>(err, true);
  host::SHostInfo info;
  info.scriptFullName = platform::Utf8ToUtf16(m_programPath);
  info.scriptName = platform::Utf8ToUtf16(std::filesystem::path(m_programPath).filename().string());
  info.hostFullName = u"quillet-dap";
  for (const auto& argument : options.arguments) info.arguments.push_back(platform::Utf8ToUtf16(argument));
  info.interactive = true;
  info.windowed = options.windowed;

  m_engine = std::make_unique<CScriptEngine>();
  m_engine->Runtime().hostName = kHostName;
  m_engine->Runtime().debugOutput = [this](std::u16string_view text) {
    if (m_output) m_output("console", platform::Utf16ToUtf8(text));
  };
  m_engine->AddNamedItem(u"WScript", CVariant::Object(new host::CWScriptObject(info, *m_out, *m_err)));
  m_debugger = std::make_unique<CScriptDebugger>(*m_engine, m_listener);
  m_inspector = std::make_unique<CVariableInspector>(*m_engine, *m_debugger);
  try {
    m_unit = &m_engine->Load(m_source);
  } catch (const CScriptError& failure) {
    error = host::ConsoleErrorText(failure, info.scriptFullName);
    return false;
  }
  m_debugger->SetCodeLines(m_unit->CodeLines());
  if (options.stopOnEntry) m_debugger->StopOnEntry();
  return true;
}

bool CDebugRun::Start() {
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  pthread_attr_setstacksize(&attr, kScriptStackBytes);
  m_threadStarted = pthread_create(&m_thread, &attr, ThreadMain, this) == 0;
  pthread_attr_destroy(&attr);
  return m_threadStarted;
}

void CDebugRun::Go() {
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_go = true;
  }
  m_changed.notify_all();
}

void CDebugRun::Terminate() {
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    if (m_ended) return;
    m_cancelled = true;
  }
  m_changed.notify_all();
  if (m_debugger) m_debugger->Terminate();
}

bool CDebugRun::WaitEnded(int milliseconds) {
  std::unique_lock<std::mutex> guard(m_lock);
  if (!m_threadStarted) return true;
  return m_changed.wait_for(guard, std::chrono::milliseconds(milliseconds), [&] { return m_ended; });
}

void* CDebugRun::ThreadMain(void* self) {
  static_cast<CDebugRun*>(self)->RunScript();
  return nullptr;
}

void CDebugRun::RunScript() {
  bool cancelled = false;
  {
    std::unique_lock<std::mutex> guard(m_lock);
    m_changed.wait(guard, [&] { return m_go || m_cancelled; });
    cancelled = m_cancelled;
  }
  int exitCode = 0;
  try {
    if (!cancelled) {
      try {
        m_engine->RunLoaded(*m_unit);
      } catch (const CScriptError& error) {
        exitCode = 1;
        m_err->Write(host::ConsoleErrorText(error, platform::Utf8ToUtf16(m_programPath)));
      } catch (const SScriptStop& stop) {
        exitCode = stop.exitCode;
      }
    }
    m_engine->Close();
  } catch (...) {
    exitCode = 1;
  }
  if (m_onEnded) m_onEnded(exitCode);
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_ended = true;
  }
  m_changed.notify_all();
}

}  // namespace quillet::engine::debug
