#include "engine/debug/HostDebugConnection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "engine/debug/DapMessageReader.h"
#include "engine/debug/DebugRendezvous.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"

namespace quillet::engine::debug {

namespace {

bool SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

}  // namespace

std::unique_ptr<host::IHostDebugger> CHostDebugConnection::Connect(CScriptEngine& engine, const SCompiledUnit& unit,
                                                                   const std::u16string& source,
                                                                   const std::u16string& path) {
  const int socket = dap::ConnectToDebugger();
  if (socket < 0) return nullptr;
  auto connection =
      std::make_unique<CHostDebugConnection>(socket, engine, unit, source, platform::Utf16ToUtf8(path));
  if (!connection->WaitForGo()) return nullptr;
  return connection;
}

CHostDebugConnection::CHostDebugConnection(int socket, CScriptEngine& engine, const SCompiledUnit& unit,
                                           std::u16string source, std::string path)
    : m_socket(socket),
      m_engine(engine),
      m_source(std::move(source)),
      m_path(std::move(path)),
      m_writer([socket](std::string_view bytes) { return SendAll(socket, bytes); }),
      m_session(m_writer),
      m_debugger(engine, m_session),
      m_inspector(engine, m_debugger) {
  m_debugger.SetCodeLines(unit.CodeLines());
  m_session.Attach(*this);
  m_engine.Runtime().debugOutput = [this](std::u16string_view text) {
    m_session.SendOutput("console", platform::Utf16ToUtf8(text));
  };
  (void)m_writer.Send(nlohmann::json{{"type", "event"},
                                     {"event", "process"},
                                     {"body", {{"name", m_path},
                                               {"systemProcessId", ::getpid()},
                                               {"isLocalProcess", true},
                                               {"startMethod", "launch"}}}});
  m_server = std::thread([this] { Serve(); });
}

CHostDebugConnection::~CHostDebugConnection() {
  m_engine.Runtime().debugOutput = nullptr;
  ::shutdown(m_socket, SHUT_RDWR);
  if (m_server.joinable()) m_server.join();
  ::close(m_socket);
}

bool CHostDebugConnection::WaitForGo() {
  std::unique_lock<std::mutex> guard(m_lock);
  m_changed.wait(guard, [&] { return m_go || m_gone; });
  return m_go && !m_gone;
}

void CHostDebugConnection::Go() {
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_go = true;
  }
  m_changed.notify_all();
}

// Before the script runs, being sent away means running without a debugger.
void CHostDebugConnection::Terminate() {
  bool running = false;
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    running = m_go;
  }
  if (running) m_debugger.Terminate();
  else Abandon();
}

bool CHostDebugConnection::WaitEnded(int milliseconds) {
  std::unique_lock<std::mutex> guard(m_lock);
  if (!m_go) return true;
  return m_changed.wait_for(guard, std::chrono::milliseconds(milliseconds), [&] { return m_ended; });
}

void CHostDebugConnection::ScriptEnded(int exitCode) {
  m_session.OnScriptEnded(exitCode);
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_ended = true;
  }
  m_changed.notify_all();
}

void CHostDebugConnection::Abandon() {
  m_debugger.SetQuiet(true);
  (void)m_debugger.SetBreakpoints({});
  (void)m_debugger.Resume(EResumeAction::Continue);
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_gone = true;
  }
  m_changed.notify_all();
}

void CHostDebugConnection::Serve() {
  dap::CDapMessageReader reader;
  char buffer[65536];
  while (!m_session.Disconnected()) {
    const ssize_t got = ::recv(m_socket, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    reader.Append(std::string_view(buffer, static_cast<size_t>(got)));
    nlohmann::json message;
    std::string error;
    for (;;) {
      const auto result = reader.Next(message, error);
      if (result == dap::CDapMessageReader::EResult::NeedMore) break;
      if (result == dap::CDapMessageReader::EResult::Message) {
        m_session.Handle(message);
        if (m_session.Disconnected()) break;
        continue;
      }
      m_session.SendOutput("console", "quillet: " + error + "\n");
      if (result == dap::CDapMessageReader::EResult::Broken) break;
    }
    if (reader.Next(message, error) == dap::CDapMessageReader::EResult::Broken) break;
  }
  Abandon();
}

}  // namespace quillet::engine::debug
