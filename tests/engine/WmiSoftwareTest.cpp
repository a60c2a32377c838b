// The software a script manages through the management service: the registry through
// StdRegProv, services, files and folders, and programs it starts. Each runs real scripts
// against real files and processes in a temporary folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <chrono>
#include <filesystem>
#include <thread>

#include "engine/objects/wsh/DetachedChildren.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/AppPaths.h"
#include "platform/PeFileVersion.h"
#include "platform/SettingsStore.h"
#include "platform/TextConvert.h"
#include "LogObject.h"
#include "TempFolder.h"

namespace quillet::engine {
namespace {

// The script's Log lines, then "error N" if it ended with a runtime error.
std::string RunScript(const std::string& source) {
  CScriptEngine engine;
  auto* log = new CLogObject();
  engine.AddNamedItem(u"Log", CVariant::Object(log));
  std::string tail;
  try {
    engine.Run(platform::Utf8ToUtf16(source));
  } catch (const CScriptError& e) {
    tail = "error " + std::to_string(e.Number());
  }
  std::string out = platform::Utf16ToUtf8(log->lines) + tail;
  engine.Close();
  return out;
}

class WmiRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder.IsolateUserFolders();
    ::setenv("QUILLET_REG_PROBE", "/probe", 1);
  }
  void TearDown() override { ::unsetenv("QUILLET_REG_PROBE"); }
  test::CTempFolder m_folder;
};

constexpr const char* kRegistryPrelude = R"(
Const HKCR = &H80000000
Const HKCU = &H80000001
Const HKLM = &H80000002
Set sh = CreateObject("WScript.Shell")
Set reg = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\default:StdRegProv")
)";

TEST_F(WmiRegistry, ValuesOfEveryKindReadBackBothWays) {
  // Written by the registry class, read by RegRead; and the other way round.
  EXPECT_EQ(RunScript(std::string(kRegistryPrelude) + R"(
Log reg.CreateKey(HKCU, "Software\Firm\Tool")
Log reg.SetStringValue(HKCU, "Software\Firm\Tool", "Name", "caf" & ChrW(233))
Log reg.SetDWORDValue(HKCU, "Software\Firm\Tool", "Big", &HFFFFFFFF)
Log reg.SetQWORDValue(HKCU, "Software\Firm\Tool", "Huge", "18446744073709551615")
Log reg.SetExpandedStringValue(HKCU, "Software\Firm\Tool", "Where", "%QUILLET_REG_PROBE%\x")
Log reg.SetMultiStringValue(HKCU, "Software\Firm\Tool", "List", Array("a", "b c"))
Log reg.SetBinaryValue(HKCU, "Software\Firm\Tool", "Bytes", Array(0, 127, 255))
Log reg.SetStringValue(HKCU, "Software\Firm\Tool", "", "default")
Log sh.RegRead("HKCU\Software\Firm\Tool\Name") = "caf" & ChrW(233), sh.RegRead("HKCU\Software\Firm\Tool\Big")
Log Join(sh.RegRead("HKCU\Software\Firm\Tool\List"), "|"), sh.RegRead("HKCU\Software\Firm\Tool\")
b = sh.RegRead("HKCU\Software\Firm\Tool\Bytes") : Log UBound(b), b(2)
sh.RegWrite "HKLM\Software\Other\Count", 42, "REG_DWORD"
sh.RegWrite "HKLM\Software\Other\Text", "from the shell"
r = reg.GetDWORDValue(HKLM, "Software\Other", "Count", n) : Log r, n, TypeName(n)
r = reg.GetStringValue(HKLM, "Software\Other", "Text", s) : Log r, s
reg.GetQWORDValue HKCU, "Software\Firm\Tool", "Huge", q : Log q, TypeName(q)
reg.GetExpandedStringValue HKCU, "Software\Firm\Tool", "Where", e : Log e
reg.GetStringValue HKCU, "Software\Firm\Tool", "Where", e : Log e
reg.GetMultiStringValue HKCU, "Software\Firm\Tool", "List", m : Log UBound(m), m(1)
reg.GetBinaryValue HKCU, "Software\Firm\Tool", "Bytes", b : Log TypeName(b(1)), b(0), b(1), b(2)
reg.GetStringValue HKCU, "Software\Firm\Tool", "", d : Log d
reg.GetStringValue 2147483649, "Software\Firm\Tool", "Name", s : Log Len(s)
)"),
            "0\n0\n0\n0\n0\n0\n0\n0\nTrue -1\na|b c default\n2 255\n0 42 Long\n0 from the shell\n"
            "18446744073709551615 String\n/probe\\x\n%QUILLET_REG_PROBE%\\x\n1 b c\nByte 0 127 255\ndefault\n4\n");
}

TEST_F(WmiRegistry, MissingKeysValuesAndWrongKindsAnswerAsWindows) {
  EXPECT_EQ(RunScript(std::string(kRegistryPrelude) + R"(
s = "unchanged"
Log reg.GetStringValue(HKCU, "Software\Nowhere", "X", s), IsNull(s)
reg.CreateKey HKCU, "Software\Here"
Log reg.GetStringValue(HKCU, "Software\Here", "X", s), IsNull(s)
reg.SetDWORDValue HKCU, "Software\Here", "N", 5
Log Hex(reg.GetStringValue(HKCU, "Software\Here", "N", s)), Hex(reg.SetDWORDValue(HKCU, "Software\Here", "N", "text"))
Log Hex(reg.SetBinaryValue(HKCU, "Software\Here", "B", Array(1, 256)))
Log reg.SetStringValue(HKCU, "Software\Nowhere", "X", "y"), reg.EnumKey(HKCU, "Software\Nowhere", k)
Log reg.CreateKey(HKCU, "Software\Here\Child"), reg.DeleteKey(HKCU, "Software\Here"), reg.DeleteKey(HKCU, "Software\Here\Child")
Log reg.DeleteValue(HKCU, "Software\Here", "N"), reg.DeleteValue(HKCU, "Software\Here", "N"), reg.DeleteKey(HKCU, "Software\Here")
Log reg.DeleteKey(HKCU, ""), reg.GetStringValue(HKCU, "Software\Here", "X", s), reg.GetStringValue(&H80000009, "Software", "X", s), reg.EnumKey(-1E+300, "Software", k)
Log reg.CreateKey(HKCR, "NotHere"), reg.SetStringValue(HKCR, "", "X", "y")
Log reg.CheckAccess(HKCU, "Software", 1, ok1), ok1, reg.CheckAccess(HKCU, "Software", &H20006, ok2), ok2
Log reg.CheckAccess(HKCR, "", &H20019, ok3), ok3, reg.CheckAccess(HKCR, "", 2, ok4), ok4, reg.CheckAccess(HKCU, "Software\Nowhere", 1, ok5)
)"),
            "2 True\n1 True\n80041005 80041005\n80041005\n2 2\n0 5 0\n0 2 0\n5 2 6 6\n5 5\n0 True 0 True\n0 True 5 False 2\n");
}

TEST_F(WmiRegistry, ListsSubkeysAndValuesWithTheirKinds) {
  EXPECT_EQ(RunScript(std::string(kRegistryPrelude) + R"(
reg.CreateKey HKCU, "Software\Firm\Empty"
reg.CreateKey HKCU, "Software\Firm\Second"
reg.SetStringValue HKCU, "Software\Firm", "S", "x"
reg.SetDWORDValue HKCU, "Software\Firm", "D", 1
reg.SetBinaryValue HKCU, "Software\Firm", "B", Array(1)
reg.SetMultiStringValue HKCU, "Software\Firm", "M", Array("x")
reg.SetExpandedStringValue HKCU, "Software\Firm", "E", "x"
reg.SetQWORDValue HKCU, "Software\Firm", "Q", 1
Log reg.EnumKey(HKCU, "Software\Firm", keys), Join(keys, ",")
Log reg.EnumKey(HKCU, "Software\Firm\Empty", none), IsNull(none)
Log reg.EnumValues(HKCU, "Software\Firm", names, types), Join(names, ","), Join(types, ",")
Log reg.EnumValues(HKCU, "Software\Firm\Empty", names, types), IsNull(names), IsNull(types)
' The same class in root\cimv2, reached through the service's Get.
Set reg2 = GetObject("winmgmts:\\.\root\cimv2").Get("StdRegProv")
reg2.EnumKey HKCU, "\Software\Firm\", keys : Log UBound(keys)
Log TypeName(reg), reg.Path_.Class
)"),
            "0 Empty,Second\n0 True\n0 S,D,B,M,E,Q 1,4,3,7,2,11\n0 True True\n1\nSWbemObjectEx StdRegProv\n");
}

class WmiFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder.IsolateUserFolders();
    m_root = m_folder.File("w");
    std::filesystem::create_directories(m_root + "/wmi_probe/sub");
    test::WriteFile(m_root + "/wmi_probe/file.txt", "hello");
    test::WriteFile(m_root + "/wmi_probe/.hidden.log", "");
    test::WriteFile(m_root + "/wmi_probe/noext", "12");
    test::WriteFile(m_root + "/wmi_probe/sub/inner.txt", "x");
    platform::CSettingsStore settings(platform::SettingsFilePath(),
                                      platform::CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet"));
    ASSERT_TRUE(settings.WriteString(u"Drives", u"W", platform::Utf8ToUtf16(m_root)));
  }
  test::CTempFolder m_folder;
  std::string m_root;
};

constexpr const char* kFilesPrelude = R"(
Set svc = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set fso = CreateObject("Scripting.FileSystemObject")
Function Names(items)
  Set d = CreateObject("Scripting.Dictionary")
  For Each x In items : d.Add x.Name, 0 : Next
  ' Listing order is the file system's: sorted for comparing.
  k = d.Keys
  For i = 0 To UBound(k) : For j = i + 1 To UBound(k)
    If k(j) < k(i) Then t = k(i) : k(i) = k(j) : k(j) = t
  Next : Next
  Names = Join(k, "|")
End Function
)";

TEST_F(WmiFiles, QueriesNameAFileOrAFolderThroughTheDriveLetters) {
  EXPECT_EQ(RunScript(std::string(kFilesPrelude) + R"(
Set found = svc.ExecQuery("Select * From CIM_DataFile Where Name = 'W:\\wmi_probe\\file.txt'")
Log found.Count
For Each f In found
  Log f.Name, f.Drive, f.Path, f.FileName, f.Extension, f.FileSize, f.Hidden, f.Readable, f.Writeable, f.Archive, f.System, f.FileType
  Set dt = CreateObject("WbemScripting.SWbemDateTime")
  dt.Value = f.LastModified
  Log DateDiff("s", dt.GetVarDate(True), fso.GetFile(f.Name).DateLastModified), Len(f.CreationDate), Len(f.LastAccessed)
  Log f.FSName = fso.GetDrive("W:").FileSystem, Len(f.FSName) > 0
Next
Log Names(svc.ExecQuery("Select * From CIM_DataFile Where Drive = 'W:' And Path = '\\wmi_probe\\'"))
Log Names(svc.ExecQuery("Select * From CIM_DataFile Where Path = '\\wmi_probe\\' And Extension = ''"))
Log Names(svc.ExecQuery("Select * From CIM_DataFile Where Path = '\\wmi_probe\\' And Drive = 'w:' And Extension = 'txt'"))
Log Names(svc.ExecQuery("Select * From CIM_DataFile Where Name = 'W:\\wmi_probe\\noext' Or Name = 'W:\\wmi_probe\\sub\\inner.txt'"))
For Each f In svc.ExecQuery("Select * From CIM_DataFile Where Drive = 'W:' And Path = '\\wmi_probe\\' And Hidden = True")
  Log f.FileName, f.Extension
Next
Log Names(svc.ExecQuery("Select * From Win32_Directory Where Drive = 'W:' And Path = '\\wmi_probe\\'"))
Set dirs = svc.ExecQuery("Select * From Win32_Directory Where Name = 'W:\\wmi_probe\\sub'")
For Each d In dirs : Log d.Name, d.FileType, IsNull(d.FileSize), d.Archive, d.Path_.RelPath : Next
Log svc.ExecQuery("Select * From CIM_DataFile Where Name = 'W:\\wmi_probe\\sub'").Count, svc.ExecQuery("Select * From CIM_DataFile Where Name = 'W:\\wmi_probe\\none'").Count
Log GetObject("winmgmts:CIM_DataFile.Name='W:\\wmi_probe\\noext'").FileSize
On Error Resume Next
Set all = svc.ExecQuery("Select * From CIM_DataFile Where Extension = 'txt'")
Log Hex(Err.Number), Err.Description
Err.Clear
Set all = svc.ExecQuery("Select * From CIM_DataFile Where Name = 'W:\\a' Or Extension = 'txt'")
Log Hex(Err.Number)
)"),
            "1\n"
            "W:\\wmi_probe\\file.txt W: \\wmi_probe\\ file txt 5 False True True True False TXT File\n0 25 25\nTrue True\n"
            "W:\\wmi_probe\\.hidden.log|W:\\wmi_probe\\file.txt|W:\\wmi_probe\\noext\n"
            "W:\\wmi_probe\\noext\n"
            "w:\\wmi_probe\\file.txt\n"
            "W:\\wmi_probe\\noext|W:\\wmi_probe\\sub\\inner.txt\n"
            ".hidden log\n"
            "W:\\wmi_probe\\sub\n"
            "W:\\wmi_probe\\sub File Folder True False Win32_Directory.Name=\"W:\\\\wmi_probe\\\\sub\"\n"
            "0 0\n2\n"
            "80041024 Provider is not capable of the attempted operation\n80041024\n");
}

TEST_F(WmiFiles, RenameCopyAndDeleteAnswerAsWindows) {
  EXPECT_EQ(RunScript(std::string(kFilesPrelude) + R"(
Set file = GetObject("winmgmts:CIM_DataFile.Name='W:\\wmi_probe\\file.txt'")
Log file.Copy("W:\wmi_probe\copy.txt"), file.Copy("W:\wmi_probe\copy.txt"), fso.OpenTextFile("W:\wmi_probe\copy.txt").ReadAll
Log file.Rename("W:\wmi_probe\noext"), file.Rename("W:\wmi_probe\moved.txt"), fso.FileExists("W:\wmi_probe\moved.txt"), fso.FileExists("W:\wmi_probe\file.txt")
Log file.Rename("W:\wmi_probe\again.txt"), file.Delete()
Set folder = GetObject("winmgmts:Win32_Directory.Name='W:\\wmi_probe\\sub'")
Log folder.Copy("W:\wmi_probe\sub2"), fso.FileExists("W:\wmi_probe\sub2\inner.txt")
Log folder.Copy("W:\wmi_probe\sub\deeper"), folder.Rename("W:\wmi_probe\sub\deeper"), fso.FolderExists("W:\wmi_probe\sub\deeper")
Log folder.Delete(), fso.FolderExists("W:\wmi_probe\sub")
fso.DeleteFile "W:\wmi_probe\sub\inner.txt"
Log folder.Delete(), fso.FolderExists("W:\wmi_probe\sub")
Set copy = GetObject("winmgmts:CIM_DataFile.Name='W:\\wmi_probe\\copy.txt'")
Log copy.Delete(), fso.FileExists("W:\wmi_probe\copy.txt"), copy.Delete()
)"),
            "0 10 hello\n10 0 True False\n9 9\n0 True\n21 21 False\n14 True\n0 False\n0 False 9\n");
}

TEST_F(WmiFiles, ProgramFilesCarryTheirVersion) {
  std::filesystem::create_directories(m_root + "/bin");
  test::WriteFile(m_root + "/bin/tool.exe", platform::BuildPeWithFileVersion(1, 2, 3, 4, true));
  test::WriteFile(m_root + "/bin/notes.txt", platform::BuildPeWithFileVersion(5, 6, 7, 8, false));
  EXPECT_EQ(RunScript(std::string(kFilesPrelude) + R"(
For Each f In svc.ExecQuery("Select * From CIM_DataFile Where Name = 'W:\\bin\\tool.exe' Or Name = 'W:\\bin\\notes.txt'")
  Log f.FileName, f.Version, f.Version = fso.GetFileVersion(f.Name)
Next
)"),
            "tool 1.2.3.4 True\nnotes Null Null\n");
}

TEST_F(WmiFiles, EveryDriveLetterIsALogicalDiskWithFileSystemObjectsFacts) {
  platform::CSettingsStore settings(platform::SettingsFilePath(),
                                    platform::CSettingsStore::RootKeyFor(u"Kelmarsh", u"Quillet"));
  ASSERT_TRUE(settings.WriteString(u"Drives", u"V", platform::Utf8ToUtf16(m_folder.File("gone"))));
  EXPECT_EQ(RunScript(R"(
Set fso = CreateObject("Scripting.FileSystemObject")
Set svc = GetObject("winmgmts:\\.\root\cimv2")
letters = ""
For Each d In fso.Drives : letters = letters & d.DriveLetter & ": " : Next
disks = ""
For Each disk In svc.ExecQuery("Select * From Win32_LogicalDisk Where DeviceID Like '_:'") : disks = disks & disk.DeviceID & " " : Next
Log letters = disks, fso.Drives.Count = svc.ExecQuery("Select * From Win32_LogicalDisk Where DeviceID Like '_:'").Count
Set w = svc.Get("Win32_LogicalDisk.DeviceID='W:'")
Set fw = fso.GetDrive("W:")
Log CDbl(w.Size) = fw.TotalSize, w.FileSystem = fw.FileSystem, w.DriveType = fw.DriveType + 1, w.Description
Set v = svc.Get("Win32_LogicalDisk.DeviceID='V:'")
Log IsNull(v.Size), v.DriveType, fso.GetDrive("V:").IsReady
)"),
            "True True\nTrue True True Local Fixed Disk\nTrue 0 False\n");
}

class WmiProcessCreate : public WmiFiles {};

TEST_F(WmiProcessCreate, StartsAProgramThatRunsOnByItself) {
  std::filesystem::create_directories(m_root + "/work");
  const std::string started = RunScript(R"(
Set proc = GetObject("winmgmts:\\.\root\cimv2").Get("Win32_Process")
Log proc.Create("no-such-program-here --x", Null, Null, none), IsNull(none)
Log proc.Create("sh -c true", "W:\missing", Null, none), proc.Create("", Null, Null, none)
r = proc.Create("sh -c ""echo $$ > started.txt; exec sleep 30""", "W:\work", Null, pid)
Log r, pid
)");
  ASSERT_EQ(started.substr(0, 12), "9 True\n9 21\n") << started;
  const std::string pid = started.substr(started.find("\n0 ") + 3, started.size() - started.find("\n0 ") - 4);
  // The program says it started in the folder asked for, under the id the script was given.
  const std::string marker = m_root + "/work/started.txt";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!std::filesystem::exists(marker) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  while (test::ReadFile(marker).find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(test::ReadFile(marker), pid + "\n");
  EXPECT_EQ(std::filesystem::read_symlink("/proc/" + pid + "/fd/1"), "/dev/null") << "not tied to the script's console";
  // The shell writes the file just before it becomes sleep.
  while (test::ReadFile("/proc/" + pid + "/comm") != "sleep\n" && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // The script finds it among the processes and ends it.
  EXPECT_EQ(RunScript("For Each p In GetObject(\"winmgmts:\").ExecQuery(\"Select * From Win32_Process Where ProcessId = " +
                      pid + "\")\nLog p.Name, p.Terminate()\nNext"),
            "sleep 0\n");
  while (wsh::ReapDetachedChildren() > 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(std::filesystem::exists("/proc/" + pid)) << "collected once it ended";
}

}  // namespace
}  // namespace quillet::engine
