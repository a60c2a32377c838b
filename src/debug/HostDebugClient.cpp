#include "debug/HostDebugClient.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "engine/debug/DapMessageWriter.h"

namespace quillet::debug {

using nlohmann::json;

namespace {

constexpr int kThreadId = 1;

int IntField(const json& object, const char* name) {
  if (!object.is_object()) return 0;
  const auto it = object.find(name);
  return it != object.end() && it->is_number_integer() ? it->get<int>() : 0;
}

std::string TextField(const json& object, const char* name) {
  if (!object.is_object()) return {};
  const auto it = object.find(name);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

const char* StepCommand(EStepKind kind) {
  switch (kind) {
    case EStepKind::Continue: return "continue";
    case EStepKind::StepInto: return "stepIn";
    case EStepKind::StepOver: return "next";
    case EStepKind::StepOut: return "stepOut";
  }
  return "continue";
}

}  // namespace

CHostDebugClient::CHostDebugClient(int socket, IHostDebugEvents& events) : m_socket(socket), m_events(events) {}

CHostDebugClient::~CHostDebugClient() {
  if (m_socket >= 0) ::close(m_socket);
}

void CHostDebugClient::Request(const std::string& command, json arguments, Reply reply) {
  if (m_socket < 0) {
    if (reply) reply(false, json::object());
    return;
  }
  const int64_t seq = ++m_seq;
  const std::string framed = dap::CDapMessageWriter::Frame(
      json{{"seq", seq}, {"type", "request"}, {"command", command}, {"arguments", std::move(arguments)}});
  if (reply) m_pending[seq] = std::move(reply);
  size_t sent = 0;
  while (sent < framed.size()) {
    const ssize_t wrote = ::send(m_socket, framed.data() + sent, framed.size() - sent, MSG_NOSIGNAL);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return Disconnect();
    sent += static_cast<size_t>(wrote);
  }
}

void CHostDebugClient::Attach() {
  Request("initialize", json{{"clientID", "quillet"}, {"adapterID", "vbscript"}, {"linesStartAt1", true},
                             {"columnsStartAt1", true}}, nullptr);
  Request("attach", json::object(), nullptr);
}

void CHostDebugClient::SetBreakpoints(const std::string& scriptPath, const std::vector<int>& lines, Placed placed) {
  json breakpoints = json::array();
  for (const int line : lines) breakpoints.push_back(json{{"line", line}});
  Request("setBreakpoints", json{{"source", json{{"path", scriptPath}}}, {"breakpoints", breakpoints}},
          [placed = std::move(placed), count = lines.size()](bool success, const json& body) {
            std::vector<int> landed(count, 0);
            const json list = body.is_object() ? body.value("breakpoints", json::array()) : json::array();
            for (size_t i = 0; success && i < count && i < list.size(); ++i) {
              if (list[i].is_object() && list[i].value("verified", false)) landed[i] = IntField(list[i], "line");
            }
            if (placed) placed(landed);
          });
}

void CHostDebugClient::ConfigurationDone() { Request("configurationDone", json::object(), nullptr); }

void CHostDebugClient::Resume(EStepKind kind) { Request(StepCommand(kind), json{{"threadId", kThreadId}}, nullptr); }

void CHostDebugClient::Pause() { Request("pause", json{{"threadId", kThreadId}}, nullptr); }

void CHostDebugClient::Terminate() { Request("terminate", json::object(), nullptr); }

void CHostDebugClient::OnReadable() { (void)ReadOnce(); }

void CHostDebugClient::ReadWhatIsLeft() {
  while (ReadOnce()) {
  }
}

// Reads what the socket holds now and handles every whole message; false when nothing more
// can come at once (nothing waiting, or the conversation ended).
bool CHostDebugClient::ReadOnce() {
  if (m_socket < 0) return false;
  char buffer[16384];
  const ssize_t got = ::recv(m_socket, buffer, sizeof buffer, MSG_DONTWAIT);
  if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return false;
  if (got <= 0) {
    Disconnect();
    return false;
  }
  m_reader.Append(std::string_view(buffer, static_cast<size_t>(got)));
  for (;;) {
    json message;
    std::string error;
    const auto result = m_reader.Next(message, error);
    if (result == dap::CDapMessageReader::EResult::NeedMore) return true;
    if (result == dap::CDapMessageReader::EResult::Broken) {
      Disconnect();
      return false;
    }
    if (result == dap::CDapMessageReader::EResult::Message) Handle(message);
    if (m_socket < 0) return false;  // a handler ended the conversation
  }
}

void CHostDebugClient::Handle(const json& message) {
  if (!message.is_object()) return;
  const std::string type = TextField(message, "type");
  if (type == "event") {
    const auto body = message.find("body");
    return HandleEvent(TextField(message, "event"), body != message.end() ? *body : json::object());
  }
  if (type != "response") return;
  const auto seq = message.find("request_seq");
  if (seq == message.end() || !seq->is_number_integer()) return;
  const auto it = m_pending.find(seq->get<int64_t>());
  if (it == m_pending.end()) return;
  Reply reply = std::move(it->second);
  m_pending.erase(it);
  const auto body = message.find("body");
  reply(message.value("success", false), body != message.end() ? *body : json::object());
}

void CHostDebugClient::HandleEvent(const std::string& name, const json& body) {
  if (name == "stopped") return CollectStop(TextField(body, "reason"));
  if (name == "output") return m_events.OnOutput(TextField(body, "category"), TextField(body, "output"));
  if (name == "exited") return m_events.OnExited(IntField(body, "exitCode"));
  if (name == "terminated") return Disconnect();
}

void CHostDebugClient::CollectStop(const std::string& reason) {
  Request("stackTrace", json{{"threadId", kThreadId}, {"startFrame", 0}, {"levels", 1}},
          [this, reason](bool success, const json& body) {
            if (!Connected()) return;  // the host went away while stopped: nothing to show
            SDebugStop stop{reason, 0, std::nullopt};
            const json frames = success && body.is_object() ? body.value("stackFrames", json::array()) : json::array();
            if (!frames.empty()) stop.line = IntField(frames[0], "line");
            if (reason != "exception") return m_events.OnStopped(stop);
            Request("exceptionInfo", json{{"threadId", kThreadId}}, [this, stop](bool found, const json& info) mutable {
              if (!Connected()) return;
              const json details = found && info.is_object() ? info.value("details", json::object()) : json::object();
              SErrorStop error;
              error.line = details.contains("line") ? IntField(details, "line") : stop.line;
              error.column = IntField(details, "column");
              error.description = TextField(details, "message");
              error.number = IntField(details, "number");
              error.source = TextField(details, "source");
              stop.error = std::move(error);
              m_events.OnStopped(stop);
            });
          });
}

void CHostDebugClient::Disconnect() {
  if (m_socket < 0) return;
  ::close(m_socket);
  m_socket = -1;
  // Nobody will answer now; the waiting callers hear it so that none waits forever.
  auto pending = std::move(m_pending);
  m_pending.clear();
  for (auto& [seq, reply] : pending) reply(false, json::object());
  m_events.OnDisconnected();
}

}  // namespace quillet::debug
