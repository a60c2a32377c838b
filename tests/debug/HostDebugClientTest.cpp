// The editor's listener and its conversation with real cscript //D processes: only the started
// host is taken, breakpoints land where the engine puts them, steps, variables, errors, output.

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DebugHostProcess.h"
#include "TempFolder.h"
#include "debug/DebugListener.h"
#include "debug/HostDebugClient.h"
#include "engine/debug/DebugRendezvous.h"

namespace quillet::debug {
namespace {

using nlohmann::json;
using test::kWaitMilliseconds;
using test::SHost;

// What the windows would be told, in order.
class CRecorder final : public IHostDebugEvents {
 public:
  void OnStopped(const SDebugStop& stop) override { stops.push_back(stop); }
  void OnOutput(const std::string&, const std::string& text) override { output += text; }
  void OnExited(int code) override { exitCode = code; }
  void OnDisconnected() override { disconnected = true; }

  std::vector<SDebugStop> stops;
  std::string output;
  std::optional<int> exitCode;
  bool disconnected = false;
};

// The editor's side driven by poll, as the window's event loop drives it.
class CEditorSide {
 public:
  CEditorSide() {
    m_folder.IsolateUserFolders();
    std::string error;
    EXPECT_TRUE(listener.Listen(error)) << error;
  }
  [[nodiscard]] std::string Script(const std::string& text) const {
    const std::string path = m_folder.File("script.vbs");
    test::WriteFile(path, text);
    return path;
  }
  // Serves both sockets until the condition holds; false when it did not within the bound.
  bool PumpUntil(const std::function<bool()>& done) {
    for (int waited = 0; !done(); waited += 20) {
      if (waited > kWaitMilliseconds) return false;
      pollfd ready[2] = {{listener.Socket(), POLLIN, 0}, {client ? client->Socket() : -1, POLLIN, 0}};
      if (::poll(ready, 2, 20) <= 0) continue;
      if (ready[0].revents & POLLIN) {
        const int peer = listener.AcceptHost();
        if (peer >= 0) client = std::make_unique<CHostDebugClient>(peer, events);
      }
      if (client && (ready[1].revents & (POLLIN | POLLHUP))) client->OnReadable();
    }
    return true;
  }
  bool StoppedTimes(size_t count) {
    return PumpUntil([&] { return events.stops.size() >= count || events.disconnected; }) &&
           events.stops.size() >= count;
  }
  json Ask(const std::string& command, json arguments) {
    std::optional<json> answer;
    client->Request(command, std::move(arguments), [&](bool success, const json& body) {
      answer = success ? body : json{{"failed", true}};
    });
    EXPECT_TRUE(PumpUntil([&] { return answer.has_value(); })) << command;
    return answer.value_or(json{});
  }

  CDebugListener listener;
  CRecorder events;
  std::unique_ptr<CHostDebugClient> client;

 private:
  test::CTempFolder m_folder;
};

TEST(EditorDebugging, BreakpointsMoveToCodeAndTheScriptStepsWithItsVariablesAtHand) {
  CEditorSide editor;
  struct stat folder {};
  ASSERT_EQ(::stat(dap::DebugRendezvousFolder().c_str(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 0777, 0700u);
  const std::string script = editor.Script(
      "Dim n\r\nn = 1\r\n\r\nn = n + 1\r\nDebug.WriteLine \"n is \" & n\r\nWScript.Echo n\r\n");
  SHost host(script);
  editor.listener.ExpectHost(host.pid);
  ASSERT_TRUE(editor.PumpUntil([&] { return editor.client != nullptr; }));
  editor.client->Attach();
  std::vector<int> landed;
  editor.client->SetBreakpoints(script, {3, 6}, [&](const std::vector<int>& lines) { landed = lines; });
  ASSERT_TRUE(editor.PumpUntil([&] { return !landed.empty(); }));
  EXPECT_EQ(landed, (std::vector<int>{4, 6}));  // the blank line's breakpoint moves to the next code
  editor.client->ConfigurationDone();

  ASSERT_TRUE(editor.StoppedTimes(1));
  EXPECT_EQ(editor.events.stops[0].reason, "entry");
  EXPECT_EQ(editor.events.stops[0].line, 2);
  editor.client->Resume(EStepKind::Continue);
  ASSERT_TRUE(editor.StoppedTimes(2));
  EXPECT_EQ(editor.events.stops[1].reason, "breakpoint");
  EXPECT_EQ(editor.events.stops[1].line, 4);

  // The frame's variables, and a value changed from text before the script reads it.
  const json frames = editor.Ask("stackTrace", json{{"threadId", 1}});
  const json scopes = editor.Ask("scopes", json{{"frameId", frames["stackFrames"][0]["id"]}});
  ASSERT_FALSE(scopes["scopes"].empty());
  int globals = 0;
  for (const auto& scope : scopes["scopes"]) {
    if (scope["name"] == "Globals") globals = scope["variablesReference"];
  }
  ASSERT_NE(globals, 0);
  const json variables = editor.Ask("variables", json{{"variablesReference", globals}});
  std::string value;
  for (const auto& variable : variables["variables"]) {
    if (variable["name"] == "n") value = variable["value"];
  }
  EXPECT_EQ(value, "1");
  EXPECT_FALSE(editor.Ask("setVariable", json{{"variablesReference", globals}, {"name", "n"}, {"value", "40"}})
                   .contains("failed"));

  editor.client->Resume(EStepKind::StepOver);
  ASSERT_TRUE(editor.StoppedTimes(3));
  EXPECT_EQ(editor.events.stops[2].reason, "step");
  EXPECT_EQ(editor.events.stops[2].line, 5);
  editor.client->Resume(EStepKind::Continue);
  ASSERT_TRUE(editor.StoppedTimes(4));
  EXPECT_EQ(editor.events.stops[3].line, 6);
  editor.client->Resume(EStepKind::Continue);
  ASSERT_TRUE(editor.PumpUntil([&] { return editor.events.disconnected; }));
  EXPECT_EQ(editor.events.exitCode, 0);
  EXPECT_EQ(editor.events.output, "n is 41\r\n");
  std::string written;
  EXPECT_EQ(host.Finish(written), 0);
  EXPECT_EQ(written, "41\r\n");
}

TEST(EditorDebugging, ARuntimeErrorStopsWithTheMessageBoxTextAndGoingOnSkipsIt) {
  CEditorSide editor;
  const std::string script = editor.Script("Dim a\r\na = 1\r\n  a = a / 0\r\nWScript.Echo \"after\"\r\n");
  SHost host(script);
  editor.listener.ExpectHost(host.pid);
  ASSERT_TRUE(editor.PumpUntil([&] { return editor.client != nullptr; }));
  editor.client->Attach();
  editor.client->ConfigurationDone();
  ASSERT_TRUE(editor.StoppedTimes(1));
  editor.client->Resume(EStepKind::Continue);
  ASSERT_TRUE(editor.StoppedTimes(2));
  const SDebugStop& stop = editor.events.stops[1];
  EXPECT_EQ(stop.reason, "exception");
  EXPECT_EQ(stop.line, 3);
  ASSERT_TRUE(stop.error.has_value());
  EXPECT_EQ(stop.error->MessageText(), "Line:\t3\nColumn:\t3\nError:\tDivision by zero\nCode:\t800A000B\nSource:\t  a = a / 0");
  editor.client->Resume(EStepKind::Continue);
  ASSERT_TRUE(editor.PumpUntil([&] { return editor.events.disconnected; }));
  std::string written;
  EXPECT_EQ(host.Finish(written), 0);
  EXPECT_EQ(written, "after\r\n");
}

TEST(EditorDebugging, OnlyTheStartedHostIsTakenAndOthersRunWithoutADebugger) {
  CEditorSide editor;
  // A stranger that merely connects is closed at once.
  const int stranger = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, dap::DebugRendezvousSocket().c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::connect(stranger, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  editor.listener.ExpectHost(999999);
  pollfd waiting{editor.listener.Socket(), POLLIN, 0};
  ASSERT_EQ(::poll(&waiting, 1, kWaitMilliseconds), 1);
  EXPECT_EQ(editor.listener.AcceptHost(), -1);
  char byte = 0;
  EXPECT_EQ(::recv(stranger, &byte, 1, 0), 0);  // closed without a word
  ::close(stranger);

  // A host the editor did not start is refused and runs its script straight through, Stop and all.
  SHost other(editor.Script("Stop\r\nWScript.Echo \"alone\"\r\n"));
  std::string written;
  bool refused = false;
  ASSERT_TRUE(editor.PumpUntil([&] {
    if (editor.client) return true;
    pollfd ready{other.output, POLLIN, 0};
    refused = ::poll(&ready, 1, 0) > 0;
    return refused;
  }));
  EXPECT_TRUE(refused);
  EXPECT_EQ(editor.client, nullptr);
  EXPECT_EQ(other.Finish(written), 0);
  EXPECT_EQ(written, "alone\r\n");

  // What the editor launched may be a terminal that runs the host as its child: taken.
  editor.listener.ExpectHost(::getpid());
  SHost child(editor.Script("WScript.Echo 1\r\n"));
  ASSERT_TRUE(editor.PumpUntil([&] { return editor.client != nullptr; }));
}

TEST(EditorDebugging, ASecondEditorCannotListenWhileTheFirstDoesButAStaleSocketIsReplaced) {
  test::CTempFolder folder;
  folder.IsolateUserFolders();
  std::string error;
  {
    CDebugListener first;
    ASSERT_TRUE(first.Listen(error)) << error;
    CDebugListener second;
    EXPECT_FALSE(second.Listen(error));
    EXPECT_EQ(error, "Another script is being debugged.");
  }
  // Left behind by an editor that ended abruptly: a socket file nobody listens on.
  const int leftover = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, dap::DebugRendezvousSocket().c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(leftover, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(leftover);
  CDebugListener third;
  EXPECT_TRUE(third.Listen(error)) << error;
  // A folder others could enter is tightened before anything listens in it.
  third.Close();
  ASSERT_EQ(::chmod(dap::DebugRendezvousFolder().c_str(), 0755), 0);
  EXPECT_TRUE(third.Listen(error)) << error;
  EXPECT_TRUE(dap::IsPrivateFolder(dap::DebugRendezvousFolder()));
}

}  // namespace
}  // namespace quillet::debug
