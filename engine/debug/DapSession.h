#pragma once
// One debugging session of one script over the Debug Adapter Protocol, whatever carries the
// messages (quillet-dap: standard input and output). Requests arrive on the protocol's thread
// (Handle); the script runs on a thread of its own with the engine's debugger attached, and
// events go out through the writer from either thread.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "engine/debug/DapMessageWriter.h"
#include "engine/debug/ScriptDebugger.h"

namespace quillet::engine::debug {

class CDebugRun;
class IDebugTarget;

class CDapSession final : public IDebugListener {
 public:
  explicit CDapSession(dap::CDapMessageWriter& writer);
  ~CDapSession() override;
  CDapSession(const CDapSession&) = delete;
  CDapSession& operator=(const CDapSession&) = delete;

  // A script that is already there (a host started with //D): the client attaches to it rather
  // than launching one. The target outlives the session.
  void Attach(IDebugTarget& target) { m_target = &target; }
  // One message from the client; responses and events go to the writer.
  void Handle(const nlohmann::json& message);
  // Text for the client's output window (category "stdout", "stderr" or "console").
  void SendOutput(std::string_view category, std::string_view text);
  // The client said disconnect: the caller stops reading.
  [[nodiscard]] bool Disconnected() const { return m_disconnected; }
  // Ends the script if it still runs and waits until its thread is gone (bounded); true when it
  // ended in time.
  bool EndScript(int waitMilliseconds);

  // IDebugListener (script thread)
  void OnStopped(const SStopInfo& stop) override;
  void OnContinued() override;
  // The script's thread finished: exit code, then the end of the session's run.
  void OnScriptEnded(int exitCode);

 private:
  void Respond(const nlohmann::json& request, bool success, nlohmann::json body = nlohmann::json::object(),
               const std::string& message = {});
  void SendEvent(const std::string& name, nlohmann::json body = nlohmann::json::object());
  void Dispatch(const std::string& command, const nlohmann::json& request, const nlohmann::json& args);

  void Initialize(const nlohmann::json& request);
  void Launch(const nlohmann::json& request, const nlohmann::json& args);
  void SetBreakpoints(const nlohmann::json& request, const nlohmann::json& args);
  void BreakpointLocations(const nlohmann::json& request, const nlohmann::json& args);
  void StackTrace(const nlohmann::json& request, const nlohmann::json& args);
  void Scopes(const nlohmann::json& request, const nlohmann::json& args);
  void Variables(const nlohmann::json& request, const nlohmann::json& args);
  void SetVariable(const nlohmann::json& request, const nlohmann::json& args);
  void Evaluate(const nlohmann::json& request, const nlohmann::json& args);
  void ExceptionInfo(const nlohmann::json& request);
  void ResumeRequest(const nlohmann::json& request, EResumeAction action);
  // False (after an error response) when there is no stopped script to look at.
  bool RequireStopped(const nlohmann::json& request);
  [[nodiscard]] bool IsProgramSource(const nlohmann::json& args) const;

  dap::CDapMessageWriter& m_writer;
  std::unique_ptr<CDebugRun> m_launched;
  IDebugTarget* m_target = nullptr;  // the launched script or the one attached to
  bool m_disconnected = false;
  bool m_linesStartAt1 = true;
  bool m_columnsStartAt1 = true;
};

}  // namespace quillet::engine::debug
