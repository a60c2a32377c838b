// cscript //D under a stand-in for the editor's listener: the rendezvous folder, the process
// event, breakpoints and the run that goes on without a debugger when none will take it.

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "engine/debug/DapMessageReader.h"
#include "engine/debug/DapMessageWriter.h"
#include "engine/debug/DebugRendezvous.h"
#include "DebugHostProcess.h"
#include "TempFolder.h"

namespace quillet::engine::debug {
namespace {

using nlohmann::json;
using test::kWaitMilliseconds;
using test::SHost;
// The editor's side, as far as a test needs it.
class CListener {
 public:
  explicit CListener(mode_t folderMode) {
    m_folder.IsolateUserFolders();
    const std::string folder = dap::DebugRendezvousFolder();
    ::mkdir(folder.c_str(), 0700);
    ::chmod(folder.c_str(), folderMode);
    m_listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = dap::DebugRendezvousSocket();
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(m_listener, 4), 0);
  }
  ~CListener() {
    if (m_peer >= 0) ::close(m_peer);
    ::close(m_listener);
  }
  [[nodiscard]] std::string Script(const std::string& text) const {
    const std::string path = m_folder.File("script.vbs");
    test::WriteFile(path, text);
    return path;
  }
  bool Accept() {
    pollfd ready{m_listener, POLLIN, 0};
    if (::poll(&ready, 1, kWaitMilliseconds) <= 0) return false;
    m_peer = ::accept(m_listener, nullptr, nullptr);
    return m_peer >= 0;
  }
  [[nodiscard]] bool AnyoneWaiting() const {
    pollfd ready{m_listener, POLLIN, 0};
    return ::poll(&ready, 1, 0) > 0;
  }
  void Send(const std::string& command, json arguments = json::object()) {
    const std::string framed = dap::CDapMessageWriter::Frame(
        json{{"seq", ++m_seq}, {"type", "request"}, {"command", command}, {"arguments", arguments}});
    ASSERT_EQ(::send(m_peer, framed.data(), framed.size(), MSG_NOSIGNAL), static_cast<ssize_t>(framed.size()));
  }
  // The next message that is this event or the response to this command.
  json Next(const std::string& name) {
    for (;;) {
      json message;
      std::string error;
      while (m_reader.Next(message, error) == dap::CDapMessageReader::EResult::Message) {
        if (message.value("event", "") == name || message.value("command", "") == name) return message;
      }
      pollfd ready{m_peer, POLLIN, 0};
      char buffer[4096];
      if (::poll(&ready, 1, kWaitMilliseconds) <= 0) return json{{"timedOut", name}};
      const ssize_t got = ::recv(m_peer, buffer, sizeof buffer, 0);
      if (got <= 0) return json{{"closed", name}};
      m_reader.Append(std::string_view(buffer, static_cast<size_t>(got)));
    }
  }
  void Hangup() {
    ::close(m_peer);
    m_peer = -1;
  }

 private:
  test::CTempFolder m_folder;
  int m_listener = -1;
  int m_peer = -1;
  int m_seq = 0;
  dap::CDapMessageReader m_reader;
};

TEST(HostDebugging, TheHostAnnouncesItselfAndStopsWhereTheEditorSaid) {
  CListener editor(0700);
  SHost host(editor.Script("Dim n\r\nn = 1\r\n\r\nn = n + 1\r\nWScript.Echo n\r\n"));
  ASSERT_TRUE(editor.Accept());
  const json process = editor.Next("process");
  EXPECT_EQ(process["body"]["systemProcessId"], host.pid);
  editor.Send("initialize");
  editor.Send("attach");
  editor.Next("initialized");
  editor.Send("setBreakpoints", json{{"breakpoints", json::array({json{{"line", 3}}})}});
  EXPECT_EQ(editor.Next("setBreakpoints")["body"]["breakpoints"][0]["line"], 4);
  editor.Send("configurationDone");
  EXPECT_EQ(editor.Next("thread")["body"]["reason"], "started");
  // Stopped once at the first statement, where the editor applies its first-step rule.
  EXPECT_EQ(editor.Next("stopped")["body"]["reason"], "entry");
  editor.Send("continue", json{{"threadId", 1}});
  EXPECT_EQ(editor.Next("stopped")["body"]["reason"], "breakpoint");
  editor.Send("evaluate", json{{"expression", "n * 10"}});
  EXPECT_EQ(editor.Next("evaluate")["body"]["result"], "10");
  editor.Send("continue", json{{"threadId", 1}});
  EXPECT_EQ(editor.Next("exited")["body"]["exitCode"], 0);
  std::string written;
  EXPECT_EQ(host.Finish(written), 0);
  EXPECT_EQ(written, "2\r\n");
}

TEST(HostDebugging, WithoutAnEditorToTrustTheScriptRunsAsWithoutTheSwitch) {
  {
    test::CTempFolder alone;
    alone.IsolateUserFolders();
    const std::string script = alone.File("a.vbs");
    test::WriteFile(script, "WScript.Echo 1\r\n");
    SHost host(script);  // nobody listens
    std::string written;
    EXPECT_EQ(host.Finish(written), 0);
    EXPECT_EQ(written, "1\r\n");
  }
  {
    CListener others(0755);  // a folder that other users could open: never used
    SHost host(others.Script("WScript.Echo 2\r\n"));
    std::string written;
    EXPECT_EQ(host.Finish(written), 0);
    EXPECT_EQ(written, "2\r\n");
    EXPECT_FALSE(others.AnyoneWaiting());
  }
  {
    CListener refusing(0700);  // the editor turns away a host it did not start
    SHost host(refusing.Script("Stop\r\nWScript.Echo 3\r\n"));
    ASSERT_TRUE(refusing.Accept());
    refusing.Next("process");
    refusing.Send("disconnect");
    refusing.Next("disconnect");
    std::string written;
    EXPECT_EQ(host.Finish(written), 0);
    EXPECT_EQ(written, "3\r\n");
  }
  {
    CListener leaving(0700);  // the editor goes away while the script is stopped
    SHost host(leaving.Script("Stop\r\nWScript.Echo 4\r\n"));
    ASSERT_TRUE(leaving.Accept());
    leaving.Send("attach");
    leaving.Send("configurationDone");
    leaving.Next("stopped");
    leaving.Hangup();
    std::string written;
    EXPECT_EQ(host.Finish(written), 0);
    EXPECT_EQ(written, "4\r\n");
  }
}

}  // namespace
}  // namespace quillet::engine::debug
