// Command lines become real processes of our own host, with the output read through the pipe.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <mutex>

#include "TempFolder.h"
#include "debug/OutputReader.h"
#include "debug/RunCommandLine.h"
#include "debug/ScriptInput.h"
#include "platform/CommandLineSplit.h"
#include "platform/ProcessLauncher.h"
#include "platform/TextConvert.h"

namespace quillet::debug {
namespace {

using platform::SplitCommandLine;
using Args = std::vector<std::u16string>;

const std::string kHostFolder = std::filesystem::path(QUILLET_CSCRIPT_PATH).parent_path().string();

TEST(CommandLineSplit, WindowsRules) {
  EXPECT_EQ(SplitCommandLine(u"CScript.exe //U \"/a b/c.vbs\" "), (Args{u"CScript.exe", u"//U", u"/a b/c.vbs"}));
  EXPECT_EQ(SplitCommandLine(u"\"C:\\x y\\h.exe\"a b"), (Args{u"C:\\x y\\h.exe", u"a", u"b"}));
  EXPECT_EQ(SplitCommandLine(u"p a\\\\b \\\"q\\\" c\\\\\"d e\""), (Args{u"p", u"a\\\\b", u"\"q\"", u"c\\d e"}));
  EXPECT_EQ(SplitCommandLine(u"p \"a \"\"b\"\" c\"\t\"\""), (Args{u"p", u"a \"b\" c", u""}));
  EXPECT_EQ(SplitCommandLine(u"p x\"y z\"w \\\\\\\\\""), (Args{u"p", u"xy zw", u"\\\\"}));
  EXPECT_EQ(SplitCommandLine(u""), (Args{u""}));
  // What follows the program name is the arguments as written.
  EXPECT_EQ(platform::ProgramNameLength(u"\"C:\\x y\\h.exe\"a b"), 14u);
  EXPECT_EQ(platform::ProgramNameLength(u"p\t\"a\""), 1u);
  EXPECT_EQ(platform::ProgramNameLength(u"\"C:\\x y"), 7u);
}

TEST(ProcessLauncher, HostsAreFoundByTheirDescribedNames) {
  test::CTempFolder folder;
  const platform::CProcessLauncher launcher(kHostFolder);
  EXPECT_EQ(launcher.FindProgram(u"CScript.exe"), QUILLET_CSCRIPT_PATH);
  EXPECT_EQ(launcher.FindProgram(u"cscript"), QUILLET_CSCRIPT_PATH);
  EXPECT_EQ(platform::CProcessLauncher(folder.Path()).FindProgram(u"NoSuchHost.exe"), "");

  auto result = platform::CProcessLauncher(folder.Path()).Launch(u"NoSuchHost.exe \"/x.vbs\" ", true);
  ASSERT_TRUE(std::holds_alternative<std::u16string>(result));
  EXPECT_NE(std::get<std::u16string>(result).find(u"NoSuchHost.exe"), std::u16string::npos);
}

struct SRunResult {
  std::u16string output;
  int exitCode = -1;
};

// Runs a script redirected, as the output window does, feeding input first.
SRunResult RunRedirected(const std::string& script, const std::u16string& arguments, const std::u16string& input) {
  SRunMode mode;
  mode.displayLogo = false;
  const std::u16string line = BuildRunCommandLine(mode, platform::Utf8ToUtf16(script), arguments);
  auto launched = platform::CProcessLauncher(kHostFolder).Launch(line, true);
  EXPECT_TRUE(std::holds_alternative<platform::CChildProcess>(launched)) << platform::Utf16ToUtf8(
      std::holds_alternative<std::u16string>(launched) ? std::get<std::u16string>(launched) : u"");
  if (!std::holds_alternative<platform::CChildProcess>(launched)) return {};
  auto& process = std::get<platform::CChildProcess>(launched);

  SRunResult result;
  std::mutex lock;
  std::promise<void> ended;
  COutputReader reader;
  reader.Start(process.TakeOutputFd(), [&](std::u16string text) { std::lock_guard guard(lock); result.output += text; },
               [&] { ended.set_value(); });
  process.WriteInput(EncodeScriptInput(u"\r\n" + input));
  EXPECT_EQ(ended.get_future().wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_TRUE(process.HasEnded(20000));
  result.exitCode = process.ExitCode();
  return result;
}

TEST(ProcessLauncher, RealHostRunsEchoArgumentsInputAndErrors) {
  test::CTempFolder folder;
  folder.IsolateUserFolders();
  const std::string script = folder.File("my script.vbs");
  test::WriteFile(script,
                  "WScript.Echo \"count \" & WScript.Arguments.Count\r\n"
                  "For Each a In WScript.Arguments: WScript.Echo \"[\" & a & \"]\": Next\r\n"
                  "WScript.Echo \"\xE9t\xE9\"\r\n");
  const SRunResult echo = RunRedirected(script, u"one \"two three\" \\\"q\\\"", u"");
  EXPECT_EQ(echo.output, u"count 3\r\n[one]\r\n[two three]\r\n[\"q\"]\r\n\u00E9t\u00E9\r\n");
  EXPECT_EQ(echo.exitCode, 0);

  const std::string failing = folder.File("fail.vbs");
  test::WriteFile(failing, "x = 1\r\ny = 2\r\nz = x / 0\r\n");
  const SRunResult error = RunRedirected(failing, u"", u"");
  EXPECT_NE(error.output.find(platform::Utf8ToUtf16(failing) + u"(3, "), std::u16string::npos)
      << platform::Utf16ToUtf8(error.output);
  EXPECT_NE(error.exitCode, 0);
}

TEST(ProcessLauncher, StandardInputReachesTheScriptAndStopEndsIt) {
  test::CTempFolder folder;
  folder.IsolateUserFolders();
  const std::string script = folder.File("ask.vbs");
  test::WriteFile(script, "l = WScript.StdIn.ReadLine\r\nWScript.Echo \"got \" & WScript.StdIn.ReadLine\r\n");
  EXPECT_EQ(RunRedirected(script, u"", u"h\u00E9llo\r\n").output, u"got h\u00E9llo\r\n");

  const std::string forever = folder.File("forever.vbs");
  test::WriteFile(forever, "Do\r\nLoop\r\n");
  auto launched = platform::CProcessLauncher(kHostFolder)
                      .Launch(u"CScript.exe //U //nologo \"" + platform::Utf8ToUtf16(forever) + u"\" ", true);
  ASSERT_TRUE(std::holds_alternative<platform::CChildProcess>(launched));
  auto& process = std::get<platform::CChildProcess>(launched);
  COutputReader reader;
  std::promise<void> ended;
  reader.Start(process.TakeOutputFd(), [](std::u16string) {}, [&] { ended.set_value(); });
  EXPECT_FALSE(process.HasEnded(50));
  process.Terminate();
  EXPECT_TRUE(process.HasEnded(0));
  EXPECT_EQ(ended.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(process.WriteInput("late"));
}

}  // namespace
}  // namespace quillet::debug
