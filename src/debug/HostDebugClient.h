#pragma once
// The editor's conversation with one host started with //D, over the connection the listener
// accepted: attaches, places breakpoints, resumes and steps, and reads frames and variables
// while the script is stopped. Requests are answered through callbacks; the host's events
// become calls on IHostDebugEvents. Driven by the caller's event loop: when Socket() is
// readable, call OnReadable(). Everything happens on the caller's thread; the events' receiver
// must not destroy the client from inside a callback (post the end instead).

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "debug/DebugStop.h"
#include "engine/debug/DapMessageReader.h"

namespace quillet::debug {

class IHostDebugEvents {
 public:
  virtual ~IHostDebugEvents() = default;
  // The script stopped; its line (and the error's details) are already known.
  virtual void OnStopped(const SDebugStop& stop) = 0;
  // Debug.Write and the like; category "console", "stdout" or "stderr".
  virtual void OnOutput(const std::string& category, const std::string& text) = 0;
  virtual void OnExited(int exitCode) = 0;
  // The connection ended, cleanly or not: no more events will come.
  virtual void OnDisconnected() = 0;
};

enum class EStepKind { Continue, StepInto, StepOver, StepOut };

class CHostDebugClient {
 public:
  using Reply = std::function<void(bool success, const nlohmann::json& body)>;
  using Placed = std::function<void(const std::vector<int>& landedLines)>;

  // Owns the socket from here on.
  CHostDebugClient(int socket, IHostDebugEvents& events);
  ~CHostDebugClient();
  CHostDebugClient(const CHostDebugClient&) = delete;
  CHostDebugClient& operator=(const CHostDebugClient&) = delete;

  [[nodiscard]] int Socket() const { return m_socket; }
  [[nodiscard]] bool Connected() const { return m_socket >= 0; }

  // initialize and attach; the host waits for ConfigurationDone before running the script.
  void Attach();
  // Lines counted from 1. Each landed line is where the engine put that breakpoint (0: nowhere).
  void SetBreakpoints(const std::string& scriptPath, const std::vector<int>& lines, Placed placed);
  void ConfigurationDone();
  void Resume(EStepKind kind);
  void Pause();
  void Terminate();
  void Request(const std::string& command, nlohmann::json arguments, Reply reply);

  // Reads what has arrived and handles every whole message.
  void OnReadable();
  // Everything the host wrote before it ended, read at once: its last events (the exit code
  // above all) may still wait in the socket when the process is already gone.
  void ReadWhatIsLeft();

 private:
  bool ReadOnce();
  void Handle(const nlohmann::json& message);
  void HandleEvent(const std::string& name, const nlohmann::json& body);
  // A stopped event carries no line: the top frame and, for an error, its details follow.
  void CollectStop(const std::string& reason);
  void Disconnect();

  int m_socket;
  IHostDebugEvents& m_events;
  dap::CDapMessageReader m_reader;
  int64_t m_seq = 0;
  std::map<int64_t, Reply> m_pending;
};

}  // namespace quillet::debug
