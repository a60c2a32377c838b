#pragma once
// A host started with //D under the editor's debugger: connects at the rendezvous, announces
// its process id (a "process" event), and serves the protocol on a thread of its own while the
// script runs on the host's script thread. The script starts once the editor has configured
// the session; if the editor refuses the host or goes away first, the script runs without a
// debugger, as it would without //D.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "engine/debug/DapMessageWriter.h"
#include "engine/debug/DapSession.h"
#include "engine/debug/DebugTarget.h"
#include "engine/host/HostRunner.h"

namespace quillet::engine::debug {

class CHostDebugConnection final : public IDebugTarget, public host::IHostDebugger {
 public:
  // The factory the hosts use for //D: null when no debugger takes the script.
  static std::unique_ptr<host::IHostDebugger> Connect(CScriptEngine& engine, const SCompiledUnit& unit,
                                                      const std::u16string& source, const std::u16string& path);

  CHostDebugConnection(int socket, CScriptEngine& engine, const SCompiledUnit& unit, std::u16string source,
                       std::string path);
  ~CHostDebugConnection() override;
  CHostDebugConnection(const CHostDebugConnection&) = delete;
  CHostDebugConnection& operator=(const CHostDebugConnection&) = delete;

  // Blocks until the editor has configured the session (true) or refused or left it (false).
  bool WaitForGo();

  // host::IHostDebugger
  void ScriptEnded(int exitCode) override;
  // IDebugTarget
  [[nodiscard]] CScriptDebugger& Debugger() override { return m_debugger; }
  [[nodiscard]] CVariableInspector& Inspector() override { return m_inspector; }
  [[nodiscard]] const std::string& ProgramPath() const override { return m_path; }
  [[nodiscard]] std::u16string SourceLine(int line) const override { return LineOfText(m_source, line); }
  void Go() override;
  void Terminate() override;
  bool WaitEnded(int milliseconds) override;

 private:
  void Serve();
  // The editor is gone: the script goes on alone.
  void Abandon();

  int m_socket;
  CScriptEngine& m_engine;
  std::u16string m_source;
  std::string m_path;
  dap::CDapMessageWriter m_writer;
  CDapSession m_session;
  CScriptDebugger m_debugger;
  CVariableInspector m_inspector;
  std::mutex m_lock;
  std::condition_variable m_changed;
  bool m_go = false;
  bool m_gone = false;
  bool m_ended = false;
  std::thread m_server;
};

}  // namespace quillet::engine::debug
