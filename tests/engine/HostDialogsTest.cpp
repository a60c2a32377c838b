// MsgBox, InputBox and the windowed host, driven through the host runner with windows that
// answer by themselves and note where and how they were asked.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "engine/vm/RuntimeState.h"
#include "engine/host/DisplayProbe.h"
#include "engine/host/ErrorReport.h"
#include "engine/host/HostRunner.h"

namespace quillet::engine::host {
namespace {

struct SAsked {
  std::u16string prompt;
  int32_t buttons = -1;  // -1: an InputBox
  std::u16string title;
  std::thread::id thread;
  int32_t seconds = 0;  // a box that closes by itself
};

class CAnsweringWindows : public IHostDialogs {
 public:
  int MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string& title) override {
    asked.push_back({prompt, buttons, title, std::this_thread::get_id()});
    return 6;
  }
  // Nobody answers a box that closes by itself.
  int MessageBoxWithTimeout(const std::u16string& prompt, int32_t buttons, const std::u16string& title,
                            int32_t seconds) override {
    asked.push_back({prompt, buttons, title, std::this_thread::get_id(), seconds});
    return kTimedOut;
  }
  std::optional<std::u16string> InputBox(const std::u16string& prompt, const std::u16string& title,
                                         const std::u16string& defaultText) override {
    asked.push_back({prompt, -1, title, std::this_thread::get_id()});
    if (defaultText == u"cancel") return std::nullopt;
    return u"typed " + defaultText;
  }
  std::vector<SAsked> asked;
};

int RunWith(const std::string& script, EHostKind kind, IHostDialogs* windows) {
  test::CTempFolder folder;
  test::WriteFile(folder.File("s.vbs"), script);
  return RunHost({"//nologo", folder.File("s.vbs")}, "/usr/bin/wscript", SHostSetup{kind, windows, {}});
}

TEST(HostDialogs, WindowsAreAskedOnTheMainThreadAndAnswerTheScript) {
  CAnsweringWindows windows;
  const int code = RunWith(
      "r = MsgBox(\"Go on?\", vbYesNo + vbQuestion, \"Ask\")\n"
      "a = InputBox(\"Name\", , \"Ann\")\n"
      "c = InputBox(\"Name\", \"T\", \"cancel\")\n"
      "WScript.Echo r, TypeName(r), a, IsEmpty(c)\n"
      "x = 1 / 0\n",
      EHostKind::Windowed, &windows);
  EXPECT_EQ(code, 1);
  ASSERT_EQ(windows.asked.size(), 5U);
  for (const SAsked& asked : windows.asked) EXPECT_EQ(asked.thread, std::this_thread::get_id());
  EXPECT_EQ(windows.asked[0].prompt, u"Go on?");
  EXPECT_EQ(windows.asked[0].buttons, 4 + 32);
  EXPECT_EQ(windows.asked[0].title, u"Ask");
  EXPECT_EQ(windows.asked[1].buttons, -1);
  EXPECT_EQ(windows.asked[1].title, u"Quillet Script Host");
  // Echo in the windowed host is a plain box.
  EXPECT_EQ(windows.asked[3].prompt, u"6 Integer typed Ann -1");
  EXPECT_EQ(windows.asked[3].buttons, 0);
  // The error box names the script, the place, the text and the result code.
  const std::u16string& error = windows.asked[4].prompt;
  EXPECT_EQ(windows.asked[4].buttons, 16);
  EXPECT_NE(error.find(u"/s.vbs\nLine:\t5\nChar:\t1\nError:\tDivision by zero\nCode:\t800A000B\n"
                       u"Source: \tVBScript runtime error"),
            std::u16string::npos);
}

TEST(HostDialogs, ConsoleHostWithWindowsStillWritesEchoAndErrors) {
  CAnsweringWindows windows;
  EXPECT_EQ(RunWith("r = MsgBox(\"?\")\nWScript.Echo r\n", EHostKind::Console, &windows), 0);
  ASSERT_EQ(windows.asked.size(), 1U);
  EXPECT_EQ(windows.asked[0].buttons, 0);
}

TEST(HostDialogs, PopupWithSecondsClosesByItself) {
  const char* display = std::getenv("DISPLAY");
  const std::string savedDisplay = display != nullptr ? display : "";
  ::setenv("DISPLAY", ":77", 1);
  CAnsweringWindows windows;
  EXPECT_EQ(RunWith("Set sh = CreateObject(\"WScript.Shell\")\n"
                    "WScript.Echo sh.Popup(\"Wait?\", 3, \"T\", vbYesNo), sh.Popup(\"Now?\", 0, \"T\", vbYesNo), "
                    "sh.Popup(\"Plain\")\n",
                    EHostKind::Windowed, &windows),
            0);
  if (display != nullptr) ::setenv("DISPLAY", savedDisplay.c_str(), 1);
  if (display == nullptr) ::unsetenv("DISPLAY");
  ASSERT_EQ(windows.asked.size(), 4U);
  EXPECT_EQ(windows.asked[0].prompt, u"Wait?");
  EXPECT_EQ(windows.asked[0].seconds, 3);
  EXPECT_EQ(windows.asked[0].buttons, 4);
  EXPECT_EQ(windows.asked[0].thread, std::this_thread::get_id());
  EXPECT_EQ(windows.asked[1].seconds, 0);
  EXPECT_EQ(windows.asked[2].title, u"Quillet Script Host");
  EXPECT_EQ(windows.asked[3].prompt, u"-1 6 6");
}

TEST(HostDialogs, TheWindowedHostHasNoConsoleStreams) {
  CAnsweringWindows windows;
  EXPECT_EQ(RunWith("WScript.StdOut.Write \"x\"\n", EHostKind::Windowed, &windows), 1);
  ASSERT_EQ(windows.asked.size(), 1U);
  EXPECT_NE(windows.asked[0].prompt.find(u"The handle is invalid.\nCode:\t80070006"), std::u16string::npos);
}

TEST(HostDialogs, WithoutADisplayTheDefaultButtonAnswers) {
  EXPECT_EQ(DefaultMessageBoxAnswer(0), 1);
  EXPECT_EQ(DefaultMessageBoxAnswer(1 + 256), 2);        // OK/Cancel, second button
  EXPECT_EQ(DefaultMessageBoxAnswer(2), 3);              // Abort
  EXPECT_EQ(DefaultMessageBoxAnswer(3 + 512), 2);        // Yes/No/Cancel, third button
  EXPECT_EQ(DefaultMessageBoxAnswer(4 + 512), 6);        // Yes/No has no third button: Yes
  EXPECT_EQ(DefaultMessageBoxAnswer(5 + 256 + 16), 2);   // Retry/Cancel, icon ignored
  EXPECT_EQ(RunWith("If MsgBox(\"?\", vbYesNo + vbDefaultButton2) <> vbNo Then Err.Raise 5\n"
                    "If InputBox(\"?\", , \"d\") <> \"d\" Then Err.Raise 5\n",
                    EHostKind::Windowed, nullptr),
            0);
}

TEST(HostDialogs, ErrorCodesAreResultCodes) {
  CScriptError compile(1002);
  compile.SetKind(EErrorKind::Compilation);
  compile.SetPosition(2, 7);
  EXPECT_EQ(WindowErrorText(compile, u"/a.vbs"),
            u"Script:\t/a.vbs\nLine:\t2\nChar:\t7\nError:\tSyntax error\nCode:\t800A03EA\n"
            u"Source: \tVBScript compilation error");
  EXPECT_EQ(ConsoleErrorText(compile, u"/a.vbs"), u"/a.vbs(2, 7) VBScript compilation error: Syntax error\r\n");
  CScriptError raised(static_cast<int>(0x80070005U), u"Denied", u"Mine");
  raised.SetPosition(1, 1);
  EXPECT_NE(WindowErrorText(raised, u"x").find(u"Code:\t80070005\nSource: \tMine"), std::u16string::npos);
}

class CEnvironment {
 public:
  CEnvironment(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    if (value != nullptr) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~CEnvironment() {
    if (m_old.empty()) unsetenv(m_name);
    else setenv(m_name, m_old.c_str(), 1);
  }

 private:
  const char* m_name;
  std::string m_old;
};

TEST(DisplayProbe, OnlyADisplayThatAnswersCounts) {
  test::CTempFolder folder;
  const std::string socketPath = folder.File("wl-0");
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);

  CEnvironment platform("QT_QPA_PLATFORM", nullptr);
  CEnvironment x11("DISPLAY", ":7391");  // no such server
  {
    CEnvironment wayland("WAYLAND_DISPLAY", nullptr);
    EXPECT_FALSE(HasUsableDisplay());
  }
  {
    CEnvironment wayland("WAYLAND_DISPLAY", socketPath.c_str());
    EXPECT_TRUE(HasUsableDisplay());
    CEnvironment offscreen("QT_QPA_PLATFORM", "offscreen");
    EXPECT_FALSE(HasUsableDisplay());
  }
  ::close(listener);
  CEnvironment wayland("WAYLAND_DISPLAY", socketPath.c_str());
  EXPECT_FALSE(HasUsableDisplay());  // the socket is left but nobody listens
}

}  // namespace
}  // namespace quillet::engine::host
