// WScript.Shell and WScript.Network as scripts use them, against real child processes and a
// user folder of the test's own: Run's exit codes and errors, the Process environment that
// children inherit, the Windows variable names, the special folders from xdg-user-dirs, the
// network mounts, and the clear errors of what this system cannot do.

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "TempFolder.h"
#include "engine/objects/wsh/DetachedChildren.h"
#include "engine/objects/wsh/MountTable.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"
#include "LogObject.h"

namespace quillet::engine {
namespace {

// The test child's path as a script writes it inside a command line: quoted, quotes doubled.
std::string Child() { return "\"\"" QUILLET_TEST_CHILD "\"\""; }

// The script's Log lines, then "error N: text" if it ended with a runtime error.
std::string RunScript(const std::string& source) {
  CScriptEngine engine;
  auto* log = new CLogObject();
  engine.AddNamedItem(u"Log", CVariant::Object(log));
  std::string tail;
  try {
    engine.Run(u"Set sh = CreateObject(\"WScript.Shell\")\n" + platform::Utf8ToUtf16(source));
  } catch (const CScriptError& e) {
    tail = "error " + std::to_string(e.Number()) + ": " + platform::Utf16ToUtf8(e.Description());
  }
  std::string out = platform::Utf16ToUtf8(log->lines) + tail;
  engine.Close();
  return out;
}

// Children of this process that have ended and were never collected.
int DeadChildren() {
  int dead = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream file(entry.path() / "stat");
    std::string stat;
    std::getline(file, stat);
    const size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 4 >= stat.size()) continue;
    std::istringstream fields(stat.substr(close + 2));
    char state = 0;
    long parent = 0;
    fields >> state >> parent;
    dead += state == 'Z' && parent == static_cast<long>(::getpid()) ? 1 : 0;
  }
  return dead;
}

class WshShell : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder.IsolateUserFolders();
    m_oldDirectory = std::filesystem::current_path();
  }
  void TearDown() override { std::filesystem::current_path(m_oldDirectory); }

  test::CTempFolder m_folder;
  std::filesystem::path m_oldDirectory;
};

TEST_F(WshShell, RunStartsProgramsAndWaitsWhenAsked) {
  EXPECT_EQ(RunScript("Log sh.Run(\"" + Child() + " exit 7\", 0, True)"), "7\n");
  EXPECT_EQ(RunScript("Log sh.Run(\"\"\"" QUILLET_TEST_CHILD ".exe\"\" signal 9\", 1, True)"), "137\n")
      << "NAME.exe found as NAME";
  EXPECT_EQ(RunScript("Log sh.Exec(\"" + Child() + " print-args \"\"a b\"\" c\\\"\"d \"\"tail  end\").StdOut.ReadAll"),
            "[a b]\n[c\"d]\n[tail  end]\n\n")
      << "Windows' splitting, and an unbalanced quote runs to the end";
  EXPECT_EQ(RunScript("Log sh.Run(\"no-such-program-here --x\")"),
            "error -2147024894: The system cannot find the file specified.");
  EXPECT_EQ(RunScript("Log sh.Run(\"\")"), "error -2147024894: The system cannot find the file specified.");

  // Without waiting the call returns 0 at once and the program runs on by itself.
  const std::string marker = m_folder.File("ran");
  EXPECT_EQ(RunScript("Log sh.Run(\"" + Child() + " sleep-ms 200 touch \"\"" + marker + "\"\"\")"), "0\n");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!std::filesystem::exists(marker) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(std::filesystem::exists(marker));

  // Programs let go of are collected once they end, not left as dead entries of the process table.
  EXPECT_EQ(RunScript("For i = 1 To 20 : sh.Run \"" + Child() + "\" : Next\nSet e = sh.Exec(\"" + Child() +
                      " sleep-ms 50\")\nLog e.ProcessID > 0"),
            "True\n");
  const auto reapDeadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (wsh::ReapDetachedChildren() > 0 && std::chrono::steady_clock::now() < reapDeadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(wsh::ReapDetachedChildren(), 0u);
  EXPECT_EQ(DeadChildren(), 0);
}

// A program named by a drive path is found where the drive map puts that path; its arguments
// reach it as written.
TEST_F(WshShell, RunAndExecFindProgramsByDrivePath) {
  const std::string drive = m_folder.Path() + "/w";
  std::filesystem::create_directories(drive + "/my tools");
  std::filesystem::copy_file(QUILLET_TEST_CHILD, drive + "/my tools/child");
  const std::string config = std::string(std::getenv("XDG_CONFIG_HOME")) + "/Kelmarsh/Quillet";
  std::filesystem::create_directories(config);
  test::WriteFile(config + "/settings.reg",
                  "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Drives]\n"
                  "\"W\"=\"" + drive + "\"\n");
  EXPECT_EQ(RunScript("Log sh.Run(\"\"\"W:\\my tools\\child.exe\"\" exit 5\", 0, True)\n"
                      "Log sh.Exec(\"\"\"w:/my tools/child.exe\"\" print-args W:\\x \"\"a b\"\"\").StdOut.ReadAll"),
            "5\n[W:\\x]\n[a b]\n\n");
  EXPECT_EQ(RunScript("sh.Run \"W:\\none.exe\""), "error -2147024894: The system cannot find the file specified.");
  EXPECT_EQ(RunScript("sh.Exec \"Q:\\tools\\child.exe\""),
            "error -2147024894: The system cannot find the file specified.")
      << "a letter that names no folder";
}

TEST_F(WshShell, ProcessEnvironmentIsTheOneChildrenInherit) {
  ::unsetenv("QUILLET_WSH_TEST");
  EXPECT_EQ(RunScript("Set env = sh.Environment(\"PROCESS\")\n"
                "Log \"[\" & env(\"QUILLET_WSH_TEST\") & \"]\"\n"
                "n = env.Count\n"
                "env(\"QUILLET_WSH_TEST\") = \"a b\"\n"
                "Log env(\"quillet_wsh_test\"), env.Count - n, env.length - n\n"
                "Log sh.ExpandEnvironmentStrings(\"<%QUILLET_WSH_TEST%>\")\n"
                "Log sh.Exec(\"" + Child() + " env QUILLET_WSH_TEST\").StdOut.ReadLine\n"
                "For Each e In env\n"
                "  If Left(e, 17) = \"QUILLET_WSH_TEST=\" Then Log e\n"
                "Next\n"
                "env.Remove \"Quillet_Wsh_Test\"\n"
                "Log \"[\" & env(\"QUILLET_WSH_TEST\") & \"]\"\n"),
            "[]\na b 1 1\n<a b>\na b\nQUILLET_WSH_TEST=a b\n[]\n");
  EXPECT_EQ(std::getenv("QUILLET_WSH_TEST"), nullptr);
  EXPECT_EQ(RunScript("sh.Environment(\"Process\")(\"A=B\") = \"x\""), "error 5: Invalid procedure call or argument");

  // Volatile variables live for the run and never reach the process.
  EXPECT_EQ(RunScript("Set v = sh.Environment(\"Volatile\")\nv(\"QUILLET_VOLATILE\") = \"1\"\n"
                "Log v(\"quillet_volatile\"), v.Count, sh.Environment(\"Process\")(\"QUILLET_VOLATILE\") = \"\""),
            "1 1 True\n");
  EXPECT_EQ(RunScript("Log sh.Environment(\"Nowhere\").Count"), "error 5: Invalid procedure call or argument");
  // The User and System variables are the script registry's Environment keys.
  EXPECT_EQ(RunScript("Set u = sh.Environment(\"User\")\nu(\"EDITOR_HOME\") = \"%HOME%/ed\"\n"
                      "Log u(\"editor_home\"), u.Count, sh.RegRead(\"HKCU\\Environment\\EDITOR_HOME\")\n"
                      "For Each e In u : Log e : Next\nu.Remove \"EDITOR_HOME\"\nLog u.Count, \"[\" & u(\"EDITOR_HOME\") & \"]\""),
            "%HOME%/ed 1 %HOME%/ed\nEDITOR_HOME=%HOME%/ed\n0 []\n");
}

TEST_F(WshShell, ExpandsTheWindowsNamesScriptsExpect) {
  const passwd* user = ::getpwuid(::geteuid());
  ASSERT_NE(user, nullptr);
  char host[256] = {};
  ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
  std::string machine = host;
  machine = machine.substr(0, machine.find('.'));
  ::setenv("TMPDIR", m_folder.Path().c_str(), 1);
  const std::string home = std::getenv("HOME");
  EXPECT_EQ(RunScript("Log sh.ExpandEnvironmentStrings(\"%USERNAME%|%ComputerName%|%USERPROFILE%|%temp%|%TMP%|%APPDATA%\")"),
            std::string(user->pw_name) + "|" + machine + "|" + home + "|" + m_folder.Path() + "|" + m_folder.Path() +
                "|" + std::getenv("XDG_CONFIG_HOME") + "\n");
  // A name the process sets wins over the mapping; unknown names and stray signs stay as written.
  ::setenv("USERNAME", "someone", 1);
  EXPECT_EQ(RunScript("Log sh.ExpandEnvironmentStrings(\"%username%-%NO_SUCH_NAME_X%%USERNAME%-100%-%\")"),
            "someone-%NO_SUCH_NAME_X%someone-100%-%\n");
  ::unsetenv("USERNAME");
  ::unsetenv("TMPDIR");
  EXPECT_EQ(RunScript("Log sh.ExpandEnvironmentStrings(\"%ComSpec% %OS% %windir%\")"), "/bin/sh Windows_NT C:\\Windows\n");
}

TEST_F(WshShell, SpecialFoldersComeFromTheUserDirs) {
  const std::string config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::create_directories(config);
  test::WriteFile(config + "/user-dirs.dirs",
                  "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                  "XDG_DOCUMENTS_DIR=\"/srv/docs\"\nXDG_TEMPLATES_DIR=\"$HOME/\"\n");
  const std::string home = std::getenv("HOME");
  const std::string data = std::getenv("XDG_DATA_HOME");
  EXPECT_EQ(RunScript("Set f = sh.SpecialFolders\n"
                "Log f(\"Desktop\"), f.Item(\"MYDOCUMENTS\"), f(\"Templates\"), f(\"Programs\"), f(\"Startup\")\n"
                "Log \"[\" & f(\"NoSuchFolder\") & \"]\", f.Count = f.length, f(4) = f(\"Desktop\")\n"
                "n = 0\nFor Each p In f\n n = n + 1\nNext\nLog n = f.Count\n"
                "Log sh.SpecialFolders(\"Desktop\") = f(\"desktop\")\n"
                "Log f(f.Count)"),
            home + "/Bureau /srv/docs " + home + "/Templates " + data + "/applications " + config +
                "/autostart\n[] True True\nTrue\nTrue\nerror 9: Subscript out of range");
}

TEST_F(WshShell, SmallMembersAndWhatThisSystemCannotDo) {
  const std::string folder = std::filesystem::canonical(m_folder.Path()).string();
  EXPECT_EQ(RunScript("sh.CurrentDirectory = \"" + folder + "\"\nLog sh.CurrentDirectory"), folder + "\n");
  EXPECT_EQ(RunScript("sh.CurrentDirectory = \"" + folder + "/missing\""),
            "error -2147024893: The system cannot find the path specified.");
  EXPECT_EQ(RunScript("Log sh.AppActivate(\"Untitled - Notepad\")"), "False\n");
  EXPECT_EQ(RunScript("sh.SendKeys \"{ENTER}\""), "error 445: SendKeys is not available on this system.");
  EXPECT_EQ(RunScript("Log sh.LogEvent(4, \"a test message\")"), "True\n");
  EXPECT_EQ(RunScript("Log TypeName(sh), TypeName(sh.Environment(\"Process\")), TypeName(sh.SpecialFolders)"),
            "IWshShell3 IWshEnvironment IWshCollection\n");

  // With no display nobody can answer: the answer is the time-out's, at once.
  const char* display = std::getenv("DISPLAY");
  const std::string savedDisplay = display != nullptr ? display : "";
  ::unsetenv("DISPLAY");
  ::unsetenv("WAYLAND_DISPLAY");
  EXPECT_EQ(RunScript("Log sh.Popup(\"Go on?\", 30, \"Question\", 4)"), "-1\n");
  if (display != nullptr) ::setenv("DISPLAY", savedDisplay.c_str(), 1);
}

TEST_F(WshShell, ExecConnectsTheProgramsStreams) {
  EXPECT_EQ(RunScript("Set e = sh.Exec(\"" + Child() + " echo-stdin\")\n"
                      "e.StdIn.WriteLine \"first line\"\n"
                      "e.StdIn.Write \"second\" & vbCrLf & \"\u00e9t\u00e9\"\n"
                      "e.StdIn.Close\n"
                      "Log e.StdOut.ReadLine, e.StdOut.Line\n"
                      "Log e.StdOut.ReadLine\n"
                      "Log e.StdOut.AtEndOfStream, e.StdOut.Read(2), e.StdOut.ReadAll, e.StdOut.AtEndOfStream\n"
                      "Do While e.Status = 0 : Loop\n"
                      "Log e.Status, e.ExitCode, e.ProcessID > 0, TypeName(e), TypeName(e.StdOut)\n"
                      "Log e.StdOut.ReadLine"),
            "first line 2\nsecond\nFalse \u00e9t \u00e9 True\n1 0 True IWshExec TextStream\nerror 62: Input past end of file");
  EXPECT_EQ(RunScript("Set e = sh.Exec(\"" + Child() + " out out err err exit 3\")\n"
                      "Log e.StdErr.ReadAll & e.StdOut.ReadAll\n"
                      "Do While e.Status = 0 : Loop\nLog e.ExitCode\n"
                      "e.StdOut.Write \"x\""),
            "err\nout\n\n3\nerror 54: Bad file mode");
  // Long ASCII output, then other text: what the script reads and the position it reports are
  // the same as for text read piece by piece.
  EXPECT_EQ(RunScript("Set o = sh.Exec(\"" + Child() + " out-lines 20000 out-bytes 70000 x out \u00e9t\u00e9 out-lines 2\").StdOut\n"
                      "Log o.ReadLine, o.Line\ns = o.ReadAll\n"
                      "Log Len(s), o.Line, o.Column, Mid(s, 278886, 5), Right(s, 7) = \"line 2\" & vbLf\n"
                      "Set o = sh.Exec(\"" + Child() + " out-lines 3 out-bytes 5 x\").StdOut\n"
                      "Log Len(o.ReadAll), o.Line, o.Column\n"
                      "Set o = sh.Exec(\"" + Child() + " out-bytes 70000 x\").StdOut\n"
                      "Log o.Read(3), Len(o.ReadAll), o.Line, o.Column"),
            "line 1 2\n278905 20004 1 xx\u00e9t\u00e9 True\n26 4 6\nxxx 69997 1 70001\n");
  EXPECT_EQ(RunScript("sh.Exec \"no-such-program-here\""),
            "error -2147024894: The system cannot find the file specified.");
}

// The pattern scripts copy from the documentation: wait for the end, then read. Both streams
// hold far more than a pipe's buffer, so a child nobody drains would never end.
TEST_F(WshShell, ExecNeverDeadlocksOnFullPipes) {
  EXPECT_EQ(RunScript("Set e = sh.Exec(\"" + Child() + " out-bytes 3000000 x err-bytes 2000000 y\")\n"
                      "Do While e.Status = 0 : Loop\n"
                      "Log Len(e.StdOut.ReadAll), Len(e.StdErr.ReadAll), e.ExitCode"),
            "3000000 2000000 0\n");
  // A program that never ends is ended by Terminate, and reports the signal.
  EXPECT_EQ(RunScript("Set e = sh.Exec(\"" + Child() + " forever\")\nLog e.Status\ne.Terminate\nLog e.Status, e.ExitCode, "
                      "e.StdOut.AtEndOfStream"),
            "0\n1 137 True\n");
}

TEST_F(WshShell, RegistryReadsWhatItWroteWithWindowsTypesAndErrors) {
  EXPECT_EQ(RunScript("sh.RegWrite \"HKCU\\Software\\Firm\\App\\Name\", \"Quill\"\n"
                      "sh.RegWrite \"HKEY_CURRENT_USER\\Software\\Firm\\App\\Count\", 42, \"REG_DWORD\"\n"
                      "sh.RegWrite \"HKCU\\Software\\Firm\\App\\Big\", -1, \"REG_DWORD\"\n"
                      "sh.RegWrite \"HKCU\\Software\\Firm\\App\\Path\", \"%TEMP%\\x\", \"REG_EXPAND_SZ\"\n"
                      "sh.RegWrite \"HKCU\\Software\\Firm\\App\\Bytes\", Array(1, 255, 0), \"REG_BINARY\"\n"
                      "sh.RegWrite \"HKCU\\Software\\Firm\\App\\List\", Array(\"a\", \"b c\"), \"REG_MULTI_SZ\"\n"
                      "sh.RegWrite \"HKCU\\Software\\Firm\\App\\\", \"default\"\n"
                      "Log sh.RegRead(\"hkcu\\software\\firm\\app\\NAME\"), sh.RegRead(\"HKCU\\Software\\Firm\\App\\Count\"), "
                      "sh.RegRead(\"HKCU\\Software\\Firm\\App\\Big\"), sh.RegRead(\"HKCU\\Software\\Firm\\App\\Path\")\n"
                      "b = sh.RegRead(\"HKCU\\Software\\Firm\\App\\Bytes\")\n"
                      "Log UBound(b), b(0), b(1), TypeName(b(1)), Join(sh.RegRead(\"HKCU\\Software\\Firm\\App\\List\"), \"|\")\n"
                      "Log sh.RegRead(\"HKCU\\Software\\Firm\\App\\\")\n"
                      "sh.RegDelete \"HKCU\\Software\\Firm\\App\\Name\"\n"
                      "On Error Resume Next\n"
                      "x = sh.RegRead(\"HKCU\\Software\\Firm\\App\\Name\") : Log Err.Number, Err.Description : Err.Clear\n"
                      "x = sh.RegRead(\"HKXX\\Software\") : Log Err.Number, Err.Description : Err.Clear\n"
                      "sh.RegWrite \"HKCR\\.vbs\\x\", 1 : Log Err.Number : Err.Clear\n"
                      "sh.RegWrite \"HKCU\\Software\\Firm\\Bad\", \"text\", \"REG_BINARY\" : Log Err.Number : Err.Clear\n"
                      "sh.RegWrite \"HKCU\\Software\\Firm\\Bad\", 1, \"REG_NONSENSE\" : Log Err.Number : Err.Clear\n"
                      "sh.RegWrite \"HKCU\\\" & String(301, \"k\") & \"\\v\", 1 : Log Err.Number : Err.Clear\n"
                      "sh.RegWrite \"HKCU\\\" & Replace(Space(300), \" \", \"k\\\") & \"v\", 1 : Log Err.Number : Err.Clear\n"
                      "sh.RegDelete \"HKCU\\Software\\Firm\\\"\n"
                      "x = sh.RegRead(\"HKCU\\Software\\Firm\\App\\Count\") : Log Err.Number : Err.Clear\n"
                      "sh.RegDelete \"HKCU\\Software\\Firm\\\" : Log Err.Number"),
            "Quill 42 -1 %TEMP%\\x\n2 1 255 Byte a|b c\ndefault\n"
            "-2147024894 Unable to open registry key \"HKCU\\Software\\Firm\\App\\Name\" for reading.\n"
            "-2147024894 Invalid root in registry key \"HKXX\\Software\".\n"
            "-2147024891\n13\n-2147024809\n-2147024809\n0\n-2147024894\n-2147024894\n");
  // 300 levels is within what the hive keeps, and it reads back.
  const std::string deep = "HKCU\\\" & Replace(Space(300), \" \", \"k\\\") & \"v\"";
  EXPECT_EQ(RunScript("Log sh.RegRead(\"" + deep + ")"), "1\n");

  // HKLM is seeded on first use from this system; a hive damaged by hand is kept aside.
  EXPECT_EQ(RunScript("Log sh.RegRead(\"HKLM\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName\") = "
                      "CreateObject(\"WScript.Network\").ComputerName"),
            "True\n");
  const std::string hive = std::string(std::getenv("XDG_DATA_HOME")) + "/Kelmarsh/Quillet/Registry/HKCU.reg";
  test::WriteFile(hive, "this is not a registry file");
  EXPECT_EQ(RunScript("sh.RegWrite \"HKCU\\Software\\A\", \"b\"\nLog sh.RegRead(\"HKCU\\Software\\A\")"), "b\n");
  bool setAside = false;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(hive).parent_path())) {
    setAside = setAside || (entry.path().filename().string().starts_with("HKCU.reg.unreadable-") &&
                            test::ReadFile(entry.path().string()) == "this is not a registry file");
  }
  EXPECT_TRUE(setAside);
}

TEST(WshNetwork, NamesTheUserAndTheMachine) {
  const passwd* user = ::getpwuid(::geteuid());
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(RunScript("Set n = CreateObject(\"WScript.Network\")\n"
                "Log n.UserName, TypeName(n), n.ComputerName = sh.ExpandEnvironmentStrings(\"%COMPUTERNAME%\"), "
                "n.UserDomain <> \"\", n.EnumPrinterConnections.Count Mod 2\n"
                "n.MapNetworkDrive \"Z:\", \"\\\\server\\share\""),
            std::string(user->pw_name) +
                " IWshNetwork2 True True 0\nerror 445: MapNetworkDrive is not available on this system.");
}

TEST(WshNetwork, NetworkMountsFromTheMountTable) {
  const auto mounts = wsh::ParseNetworkMounts(
      "22 1 0:21 / /proc rw,nosuid - proc proc rw\n"
      "40 1 0:35 / /mnt/share rw,relatime shared:20 - cifs //files.local/public rw,vers=3.0\n"
      "41 1 0:36 / /home/u/my\\040nfs rw - nfs4 nas:/export/home/ rw\n"
      "bad line\n"
      "42 1 0:37 / /x rw - \n");
  ASSERT_EQ(mounts.size(), 2u);
  EXPECT_EQ(platform::Utf16ToUtf8(mounts[0].mountPoint), "/mnt/share");
  EXPECT_EQ(platform::Utf16ToUtf8(mounts[0].remote), "\\\\files.local\\public");
  EXPECT_EQ(platform::Utf16ToUtf8(mounts[1].mountPoint), "/home/u/my nfs");
  EXPECT_EQ(platform::Utf16ToUtf8(mounts[1].remote), "\\\\nas\\export\\home");
}

}  // namespace
}  // namespace quillet::engine
