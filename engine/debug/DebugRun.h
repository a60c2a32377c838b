#pragma once
// The script a debugging session runs: its engine with the host's WScript object, its source,
// its debugger and inspector, and the thread it runs on. The script's standard output and error
// and Debug.Write become output text, in the order the script writes them. The thread starts
// at once but runs the script only after Go (the client has set its breakpoints by then).

#include <pthread.h>

#include <condition_variable>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/debug/DebugTarget.h"

namespace quillet::engine {
class CScriptEngine;
struct SCompiledUnit;
namespace host {
class COutputStream;
}
}  // namespace quillet::engine

namespace quillet::engine::debug {

struct SLaunchOptions {
  std::string program;
  std::vector<std::string> arguments;
  std::string workingFolder;  // empty: the adapter's own
  bool stopOnEntry = false;
  // The windowed host's script: no standard streams to hand out (Echo still reaches the client).
  bool windowed = false;
};

class CDebugRun final : public IDebugTarget {
 public:
  // category is "stdout", "stderr" or "console" (Debug.Write); text is UTF-8.
  using OutputSink = std::function<void(std::string_view category, std::string_view text)>;
  using EndSink = std::function<void(int exitCode)>;

  CDebugRun(IDebugListener& listener, OutputSink output, EndSink ended);
  ~CDebugRun() override;
  CDebugRun(const CDebugRun&) = delete;
  CDebugRun& operator=(const CDebugRun&) = delete;

  // Reads and compiles the script; false with the message the console host would print.
  bool Load(const SLaunchOptions& options, std::u16string& error);
  // Starts the script's thread, which waits for Go; false when no thread could be made.
  bool Start();
  void Go() override;
  void Terminate() override;
  bool WaitEnded(int milliseconds) override;

  [[nodiscard]] CScriptDebugger& Debugger() override { return *m_debugger; }
  [[nodiscard]] CVariableInspector& Inspector() override { return *m_inspector; }
  [[nodiscard]] const std::string& ProgramPath() const override { return m_programPath; }
  [[nodiscard]] std::u16string SourceLine(int line) const override { return LineOfText(m_source, line); }

 private:
  static void* ThreadMain(void* self);
  void RunScript();
  std::FILE* OpenOutput(const char* category);

  IDebugListener& m_listener;
  OutputSink m_output;
  EndSink m_onEnded;
  std::string m_programPath;
  std::u16string m_source;
  std::vector<std::FILE*> m_files;
  std::unique_ptr<host::COutputStream> m_out;
  std::unique_ptr<host::COutputStream> m_err;
  std::unique_ptr<CScriptEngine> m_engine;
  const SCompiledUnit* m_unit = nullptr;
  std::unique_ptr<CScriptDebugger> m_debugger;
  std::unique_ptr<CVariableInspector> m_inspector;

  std::mutex m_lock;
  std::condition_variable m_changed;
  bool m_go = false;
  bool m_cancelled = false;
  bool m_ended = false;
  bool m_threadStarted = false;
  pthread_t m_thread{};
};

}  // namespace quillet::engine::debug
