// The management scripting objects as scripts reach them: what CreateObject and GetObject give,
// the monikers and connections, and the errors scripts test Err.Number against.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ifaddrs.h>
#include <net/if.h>
#include <set>
#include <sstream>
#include <arpa/inet.h>
#include <grp.h>
#include <pwd.h>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>

#include "engine/objects/wmi/CimDateTime.h"
#include "engine/objects/wmi/WbemConnection.h"
#include "engine/objects/wmi/WbemMoniker.h"
#include "engine/objects/wmi/WqlQuery.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"
#include "ScriptLog.h"
#include "TimeZoneForTest.h"
#include "TempFolder.h"

namespace quillet::engine {
namespace {

TEST(WbemScripting, CreatableClassesAndMembersNotProvidedYet) {
  EXPECT_EQ(RunLogged(u"Log TypeName(CreateObject(\"WbemScripting.SWbemLocator\"))\n"
                      u"Log TypeName(CreateObject(\"WbemScripting.SWbemLocator.1\"))\n"
                      u"Log TypeName(CreateObject(\"WbemScripting.SWbemNamedValueSet\"))\n"
                      u"Log TypeName(CreateObject(\"WbemScripting.SWbemDateTime\"))\n"),
            "SWbemLocator\nSWbemLocator\nSWbemNamedValueSet\nSWbemDateTime\n");
  // A declared member this system lacks says so, with the service's number, rather than
  // claiming the object has no such member.
  EXPECT_EQ(RunLogged(u"Set svc = GetObject(\"winmgmts:\")\n"
                      u"On Error Resume Next\n"
                      u"svc.ExecNotificationQueryAsync Nothing, \"Select * From __InstanceCreationEvent Within 1\"\n"
                      u"Log Hex(Err.Number), Err.Description, Err.Source\n"
                      u"Err.Clear\n"
                      u"svc.NoSuchMember\n"
                      u"Log Err.Number\n"),
            "80041009 ExecNotificationQueryAsync is not available on this system SWbemServicesEx\n438\n");
}

int MonikerError(std::u16string_view text) {
  try {
    (void)ParseWbemMoniker(text);
  } catch (const CScriptError& e) {
    return e.Number();
  }
  return 0;
}

TEST(WbemMoniker, PartsAsWindowsReadsThem) {
  SWbemMoniker m = ParseWbemMoniker(u"winmgmts:");
  EXPECT_EQ(m.server, u".");
  EXPECT_EQ(m.nameSpace, u"");
  EXPECT_EQ(m.objectPath, u"");
  EXPECT_EQ(m.security.impersonationLevel, 3);

  m = ParseWbemMoniker(u"WinMgmts:{impersonationLevel=Identify, authenticationLevel=pktPrivacy,"
                       u"(Debug, !Shutdown)}!\\\\.\\root\\cimv2");
  EXPECT_EQ(m.security.impersonationLevel, 2);
  EXPECT_EQ(m.security.authenticationLevel, 6);
  ASSERT_EQ(m.security.privileges.size(), 2u);
  EXPECT_EQ(m.security.privileges[1].name, u"Shutdown");
  EXPECT_FALSE(m.security.privileges[1].enabled);
  EXPECT_EQ(m.server, u".");
  EXPECT_EQ(m.nameSpace, u"root\\cimv2");

  // An object path after the namespace; a colon inside a quoted key is part of the key.
  m = ParseWbemMoniker(u"winmgmts:{impersonationLevel=impersonate}[locale=ms_409]!//myhost/root/cimv2:"
                       u"Win32_Service.Name='a:b'");
  EXPECT_EQ(m.server, u"myhost");
  EXPECT_EQ(m.nameSpace, u"root\\cimv2");
  EXPECT_EQ(m.objectPath, u"Win32_Service.Name='a:b'");
  EXPECT_EQ(m.security.locale, u"ms_409");

  // A bare class is an object path in the default namespace; a bare namespace is a namespace.
  EXPECT_EQ(ParseWbemMoniker(u"winmgmts:Win32_Process").objectPath, u"Win32_Process");
  EXPECT_EQ(ParseWbemMoniker(u"winmgmts:root\\default").nameSpace, u"root\\default");
  EXPECT_EQ(ParseWbemMoniker(u"winmgmts:root\\default:StdRegProv").objectPath, u"StdRegProv");

  constexpr int kSyntax = static_cast<int>(0x800401E4);
  EXPECT_EQ(MonikerError(u"winmgmts:{impersonationLevel=sudo}"), kSyntax);
  EXPECT_EQ(MonikerError(u"winmgmts:{impersonationLevel=impersonate"), kSyntax);
  EXPECT_EQ(MonikerError(u"winmgmts:{colour=blue}!root\\cimv2"), kSyntax);
  EXPECT_EQ(MonikerError(u"winmgmts:{(Debug,)}"), kSyntax);
  EXPECT_EQ(MonikerError(u"winmgmts:{impersonationLevel=impersonate}root\\cimv2"), kSyntax);
  EXPECT_EQ(MonikerError(u"winmgmts:\\\\\\root"), kSyntax);
  EXPECT_EQ(MonikerError(u"winmgmts:root\\cimv2:"), kSyntax);
  EXPECT_EQ(MonikerError(u"winmgmt:"), kSyntax);
}

TEST(WbemMoniker, ThisComputerByEveryName) {
  EXPECT_TRUE(IsThisComputer(u"."));
  EXPECT_TRUE(IsThisComputer(u""));
  EXPECT_TRUE(IsThisComputer(u"LocalHost"));
  EXPECT_TRUE(IsThisComputer(u"::1"));
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  EXPECT_TRUE(IsThisComputer(platform::Utf8ToUtf16(host)));
  EXPECT_FALSE(IsThisComputer(u"fileserver-that-is-not-here"));
}

TEST(WbemScripting, ConnectionsFromMonikersAndTheLocator) {
  EXPECT_EQ(RunLogged(u"Set svc = GetObject(\"winmgmts:{impersonationLevel=identify}!\\\\.\\root\\cimv2\")\n"
                      u"Log TypeName(svc), svc.Security_.ImpersonationLevel\n"
                      u"svc.Security_.ImpersonationLevel = 3\n"
                      u"Log svc.Security_.ImpersonationLevel\n"
                      u"Set loc = CreateObject(\"WbemScripting.SWbemLocator\")\n"
                      u"loc.Security_.AuthenticationLevel = 6\n"
                      u"Set svc2 = loc.ConnectServer(\"localhost\", \"root/default\")\n"
                      u"Log TypeName(svc2), svc2.Security_.AuthenticationLevel\n"
                      u"Log TypeName(loc.ConnectServer())\n"),
            "SWbemServicesEx 2\n3\nSWbemServicesEx 6\nSWbemServicesEx\n");
  // Windows' numbers for what cannot be connected to; another computer fails at once.
  EXPECT_EQ(RunLogged(u"On Error Resume Next\n"
                      u"Set svc = GetObject(\"winmgmts:\\\\fileserver-that-is-not-here\\root\\cimv2\")\n"
                      u"Log Hex(Err.Number), Err.Source : Err.Clear\n"
                      u"Set svc = GetObject(\"winmgmts:root\\nowhere\")\n"
                      u"Log Hex(Err.Number), Err.Description : Err.Clear\n"
                      u"Set svc = GetObject(\"winmgmts:{impersonationLevel=sudo}\")\n"
                      u"Log Hex(Err.Number) : Err.Clear\n"
                      u"Set loc = CreateObject(\"WbemScripting.SWbemLocator\")\n"
                      u"Set svc = loc.ConnectServer(\".\", \"root\\cimv2\", \"admin\", \"secret\")\n"
                      u"Log Hex(Err.Number) : Err.Clear\n"
                      u"loc.Security_.ImpersonationLevel = 9\n"
                      u"Log Hex(Err.Number), loc.Security_.ImpersonationLevel : Err.Clear\n"),
            "800706BA SWbemLocator\n8004100E Invalid namespace\n800401E4\n80041064\n80041008 3\n");
}

// Whether an instance with these properties passes the query's WHERE; Name is 'cron',
// ProcessId 42, Priority Null, Started True.
bool Passes(std::u16string_view where) {
  const std::map<std::u16string, CVariant> instance = {{u"name", CVariant::String(u"cron")},
                                                       {u"processid", CVariant::Long(42)},
                                                       {u"priority", CVariant::Null()},
                                                       {u"started", CVariant::Boolean(true)}};
  const SWqlQuery query = ParseWql(u"SELECT * FROM Win32_Thing WHERE " + std::u16string(where));
  return WqlMatches(*query.where, [&](std::u16string_view name) {
    std::u16string key(name);
    for (char16_t& c : key) c = static_cast<char16_t>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    const auto found = instance.find(key);
    return found == instance.end() ? CVariant::Null() : found->second;
  });
}

int WqlError(std::u16string_view text) {
  try {
    (void)ParseWql(text);
  } catch (const CScriptError& e) {
    return e.Number();
  }
  return 0;
}

TEST(Wql, SelectListAndClass) {
  SWqlQuery q = ParseWql(u"select * from Win32_Process");
  EXPECT_TRUE(q.allProperties);
  EXPECT_EQ(q.className, u"Win32_Process");
  EXPECT_EQ(q.where, nullptr);
  q = ParseWql(u"  SELECT Name,ProcessId , CommandLine FROM Win32_Process WHERE Name = 'a'  ");
  EXPECT_FALSE(q.allProperties);
  EXPECT_EQ(q.properties, (std::vector<std::u16string>{u"Name", u"ProcessId", u"CommandLine"}));
  std::vector<std::u16string> read;
  CollectWqlProperties(*ParseWql(u"select * from c where (A = 1 or b = 2) and not a like 'x' and c is null").where,
                       read);
  EXPECT_EQ(read, (std::vector<std::u16string>{u"A", u"b", u"c"}));
}

TEST(Wql, OperatorsAgainstAnInstance) {
  EXPECT_TRUE(Passes(u"Name = 'CRON'"));  // text compares without regard to case
  EXPECT_TRUE(Passes(u"Name = \"cron\""));
  EXPECT_TRUE(Passes(u"'cron' = Name"));
  EXPECT_FALSE(Passes(u"Name <> 'cron'"));
  EXPECT_TRUE(Passes(u"Name != 'sshd'"));
  EXPECT_TRUE(Passes(u"ProcessId = 42 AND ProcessId >= 42 AND ProcessId <= 42.0"));
  EXPECT_TRUE(Passes(u"ProcessId > 41 and ProcessId < 43"));
  EXPECT_TRUE(Passes(u"ProcessId = '42'"));
  EXPECT_FALSE(Passes(u"ProcessId = 'forty-two'"));
  EXPECT_TRUE(Passes(u"Name > 'abc' AND Name < 'D'"));
  EXPECT_TRUE(Passes(u"Started = TRUE AND NOT Started = false"));
  EXPECT_TRUE(Passes(u"Priority IS NULL AND Name IS NOT NULL"));
  EXPECT_TRUE(Passes(u"Priority = NULL AND Name <> NULL"));
  // A comparison with Null is false whichever way it is asked.
  EXPECT_FALSE(Passes(u"Priority = 0"));
  EXPECT_FALSE(Passes(u"Priority <> 0"));
  EXPECT_TRUE(Passes(u"NOT (Name = 'x' OR ProcessId = 1) AND (Name = 'cron' OR ProcessId = 1)"));
  EXPECT_TRUE(Passes(u"Name = 'x' OR Name = 'y' OR Name = 'cron'"));
  EXPECT_FALSE(Passes(u"Name = 'cron' AND (ProcessId = 1 OR Priority = 1)"));
  // Escapes in strings: the other quote stands for itself, a backslash takes the next character.
  EXPECT_FALSE(Passes(u"Name = 'it\\'s' OR Name = \"say \\\"x\\\"\""));
}

TEST(Wql, LikePatterns) {
  EXPECT_TRUE(WqlLike(u"svchost.exe", u"svc%"));
  EXPECT_TRUE(WqlLike(u"svchost.exe", u"%HOST%"));
  EXPECT_TRUE(WqlLike(u"svchost.exe", u"svchos_.exe"));
  EXPECT_FALSE(WqlLike(u"svchost.exe", u"svchos_"));
  EXPECT_TRUE(WqlLike(u"C:", u"[a-d]:"));
  EXPECT_FALSE(WqlLike(u"E:", u"[a-d]:"));
  EXPECT_TRUE(WqlLike(u"E:", u"[^a-d]:"));
  EXPECT_TRUE(WqlLike(u"b1", u"[abc][0-9]"));
  EXPECT_TRUE(WqlLike(u"", u"%"));
  EXPECT_FALSE(WqlLike(u"", u"_"));
  EXPECT_TRUE(WqlLike(u"a%b", u"a[%]b"));
  EXPECT_FALSE(WqlLike(u"ab", u"a[b"));  // an unclosed set matches nothing
  // Many % over a long text that does not match ends at once, not exponentially late.
  EXPECT_FALSE(WqlLike(std::u16string(20000, u'a'), u"%a%a%a%a%a%a%a%a%b"));
  EXPECT_TRUE(Passes(u"Name LIKE 'c%n'"));
  EXPECT_FALSE(Passes(u"Name LIKE 'c%x' OR Priority LIKE '%'"));
}

TEST(Wql, MalformedQueriesAreInvalidQueries) {
  constexpr int kInvalidQuery = static_cast<int>(0x80041017);
  for (const std::u16string_view bad :
       {u"", u"select", u"select * from", u"select from Win32_Process", u"select *, Name from c", u"select * c",
        u"delete from c", u"select * from c where", u"select * from c where Name", u"select * from c where Name = ",
        u"select * from c where Name = 'open", u"select * from c where (Name = 'a'", u"select * from c where Name = 'a')",
        u"select * from c where 'a' = 'b'", u"select * from c where Name like 5", u"select * from c where Name == 'a'",
        u"select * from c where Name = 'a' and", u"select * from c where 5 is null", u"select * from c extra",
        u"select * from c where Name = 12abc", u"select * from c where Name ~ 'a'", u"select Name, from c"}) {
    EXPECT_EQ(WqlError(bad), kInvalidQuery) << platform::Utf16ToUtf8(bad);
  }
  // Conditions nested or chained past any real query's size are refused rather than overflowing.
  std::u16string deep = u"select * from c where " + std::u16string(100000, u'(') + u"a=1";
  EXPECT_EQ(WqlError(deep), kInvalidQuery);
  std::u16string chained = u"select * from c where a=1";
  for (int i = 0; i < 100000; ++i) chained += u" and a=1";
  EXPECT_EQ(WqlError(chained), kInvalidQuery);
  EXPECT_EQ(WqlError(u"select * from c where a = 1e999999999999999999999999999999999999999"), kInvalidQuery);
  EXPECT_EQ(WqlError(u"select * from c where a = " + std::u16string(400, u'9')), 0);
}

std::u16string U(const std::string& text) { return platform::Utf8ToUtf16(text); }

TEST(WbemQueries, ProcessesCrossCheckedWithProc) {
  const std::string pid = std::to_string(getpid());
  std::string exe(4096, '\0');
  exe.resize(static_cast<size_t>(readlink("/proc/self/exe", exe.data(), exe.size())));
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")\n"
      u"Set found = svc.ExecQuery(\"Select * from Win32_Process Where ProcessId = " + U(pid) + u"\", \"WQL\", 48)\n"
      u"Log found.Count\n"
      u"For Each p In found\n"
      u"  Log p.Handle, p.ParentProcessId, p.ExecutablePath, p.Path_.RelPath, p.Path_.Class\n"
      u"  Log Len(p.CreationDate), Mid(p.CreationDate, 15, 1), TypeName(p.WorkingSetSize), p.ThreadCount > 0\n"
      u"  Log p.Properties_(\"ProcessId\").CIMType, p.Properties_(\"ProcessId\").Origin, p.Properties_(\"Handle\").IsLocal\n"
      u"Next\n"
      u"Set again = svc.Get(\"Win32_Process.Handle='" + U(pid) + u"'\")\n"
      u"Log again.ProcessId = found.ItemIndex(0).ProcessId, again.Name = found.ItemIndex(0).Name\n"
      u"Set some = svc.ExecQuery(\"Select Name from Win32_Process Where ProcessId = " + U(pid) + u"\")\n"
      u"Log IsNull(some.ItemIndex(0).ParentProcessId), some.ItemIndex(0).Handle\n");
  EXPECT_EQ(out, "1\n" + pid + " " + std::to_string(getppid()) + " " + exe + " Win32_Process.Handle=\"" + pid +
                     "\" Win32_Process\n25 . String True\n19 Win32_Process False\nTrue True\nTrue " + pid + "\n");
}

TEST(WbemQueries, AChildAppearsAndDisappears) {
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(gate[1]);
    char byte = 0;
    (void)!read(gate[0], &byte, 1);  // waits until the test closes its end
    _exit(0);
  }
  close(gate[0]);
  const std::u16string query = u"Log GetObject(\"winmgmts:\").ExecQuery(\"Select * From Win32_Process Where "
                               u"ProcessId = " + U(std::to_string(child)) + u" And ParentProcessId = " +
                               U(std::to_string(getpid())) + u"\").Count\n";
  EXPECT_EQ(RunLogged(query), "1\n");
  close(gate[1]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(RunLogged(query), "0\n");
}

TEST(WbemQueries, OperatingSystemCrossCheckedWithUname) {
  utsname system{};
  ASSERT_EQ(uname(&system), 0);
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  EXPECT_EQ(RunLogged(u"For Each os In GetObject(\"winmgmts:\").InstancesOf(\"Win32_OperatingSystem\")\n"
                      u"  Log os.Version, os.CSName, os.Path_.RelPath, os.Path_.IsSingleton, CDbl(os.TotalVisibleMemorySize) > 0\n"
                      u"  Log Len(os.LastBootUpTime), os.LastBootUpTime < os.LocalDateTime, os.OSType\n"
                      u"Next\n"
                      u"Log GetObject(\"winmgmts:\\\\.\\root\\cimv2:Win32_OperatingSystem=@\").Version\n"),
            std::string(system.release) + " " + host + " Win32_OperatingSystem=@ True True\n25 True 36\n" +
                system.release + "\n");
}

TEST(WbemQueries, ClassesAndErrorsAsWindowsNumbersThem) {
  EXPECT_EQ(RunLogged(u"Set svc = GetObject(\"winmgmts:\")\n"
                      u"Set c = svc.Get(\"Win32_Process\")\n"
                      u"Log c.Path_.IsClass, c.Path_.RelPath, Join(c.Derivation_, \",\"), IsNull(c.Name)\n"
                      u"n = 0\n"
                      u"For Each k In svc.SubclassesOf(\"CIM_Process\") : n = n + 1 : Log k.Path_.Class : Next\n"
                      u"Log svc.ExecQuery(\"Select * from CIM_Process Where Handle = '1'\").ItemIndex(0).Path_.Class\n"
                      u"On Error Resume Next\n"
                      u"svc.ExecQuery \"Select * from Win32_Nothing\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.ExecQuery \"Select * from Win32_Process Where Colour = 'red'\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.ExecQuery \"Select Colour from Win32_Process\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.ExecQuery \"Select * from\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.ExecQuery \"Select * from Win32_Process\", \"SQL\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.Get \"Win32_Process.Handle='no such process'\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.Get \"Win32_Nothing\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.Get \"Win32_Process.Handle='1\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.Get \"Win32_Process.Colour='1'\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"svc.InstancesOf \"Win32_Nothing\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"x = c.NoSuchProperty : Log Err.Number : Err.Clear\n"
                      u"c.Terminate : Log Hex(Err.Number), Err.Description : Err.Clear\n"),
            "True Win32_Process CIM_Process,CIM_LogicalElement,CIM_ManagedSystemElement True\n"
            "Win32_Process\nWin32_Process\n"
            "80041010\n80041017\n80041017\n80041017\n80041018\n80041002\n80041002\n8004103A\n8004103A\n80041010\n"
            "438\n80041009 Terminate is not available on this system\n");
}

// The first line of a command's output after its heading line.
std::string SecondLineOf(const char* command) {
  FILE* pipe = popen(command, "r");
  if (pipe == nullptr) return {};
  char line[4096] = {};
  std::string second;
  if (std::fgets(line, sizeof line, pipe) != nullptr && std::fgets(line, sizeof line, pipe) != nullptr) second = line;
  pclose(pipe);
  return second;
}

TEST(WbemQueries, RootDiskCrossCheckedWithDf) {
  test::CTempFolder folder;
  folder.IsolateUserFolders();
  // "Filesystem 1-blocks Used Available Capacity Mounted-on", sizes in bytes.
  const std::string df = SecondLineOf("df -P -B1 /");
  ASSERT_FALSE(df.empty());
  char device[1024] = {};
  unsigned long long size = 0;
  ASSERT_EQ(std::sscanf(df.c_str(), "%1023s %llu", device, &size), 2);
  // The root of the file system is drive Z:, as FileSystemObject names it, with the same facts.
  const std::string out = RunLogged(
      u"Set disks = GetObject(\"winmgmts:\").ExecQuery(\"Select * from Win32_LogicalDisk Where DeviceID = 'Z:'\")\n"
      u"Log disks.Count\n"
      u"Set z = CreateObject(\"Scripting.FileSystemObject\").GetDrive(\"Z:\")\n"
      u"For Each d In disks\n"
      u"  Log d.Name, d.Size, d.DriveType, d.Path_.RelPath, CDbl(d.FreeSpace) <= CDbl(d.Size), Len(d.FileSystem) > 0\n"
      u"  Log CDbl(d.Size) = z.TotalSize, CDbl(d.FreeSpace) = z.FreeSpace, d.FileSystem = z.FileSystem, "
      u"d.VolumeSerialNumber = Right(\"0000000\" & Hex(z.SerialNumber), 8), d.DriveType = z.DriveType + 1\n"
      u"Next\n"
      u"n = 0\n"
      u"For Each d In GetObject(\"winmgmts:\").InstancesOf(\"Win32_LogicalDisk\")\n"
      u"  If d.FileSystem = \"proc\" Or d.FileSystem = \"sysfs\" Or d.FileSystem = \"cgroup\" Or d.DeviceID = \"/\" Then n = n + 1\n"
      u"Next\n"
      u"Log n\n");
  EXPECT_EQ(out, "1\nZ: " + std::to_string(size) + " 3 Win32_LogicalDisk.DeviceID=\"Z:\" True True\n"
                 "True True True True True\n0\n");
}

TEST(WbemQueries, ComputerAndProcessorsCrossCheckedWithProc) {
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string shortName = std::string(host).substr(0, std::string(host).find('.'));
  const long logical = sysconf(_SC_NPROCESSORS_ONLN);
  const std::string memTotal = SecondLineOf("echo; awk '/^MemTotal:/ {printf \"%.0f\\n\", $2 * 1024}' /proc/meminfo");
  const std::string modelName = SecondLineOf("echo; sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1");
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"For Each cs In svc.InstancesOf(\"Win32_ComputerSystem\")\n"
      u"  Log cs.Name, cs.NumberOfLogicalProcessors, cs.TotalPhysicalMemory, cs.Path_.RelPath\n"
      u"Next\n"
      u"n = 0\n"
      u"For Each p In svc.ExecQuery(\"Select * From Win32_Processor\")\n"
      u"  n = n + p.NumberOfLogicalProcessors\n"
      u"  If p.DeviceID = \"CPU0\" Then Log p.Name\n"
      u"Next\n"
      u"Log n\n");
  std::string expected = shortName + " " + std::to_string(logical) + " " + memTotal.substr(0, memTotal.find('\n')) +
                         " Win32_ComputerSystem.Name=\"" + shortName + "\"\n";
  if (!modelName.empty()) expected += modelName;
  EXPECT_EQ(out, expected + std::to_string(logical) + "\n");
}

TEST(CimDateTime, TextBothWays) {
  const auto point = SCimDateTime::Parse(u"20240315143007.500000-300");
  ASSERT_TRUE(point.has_value());
  EXPECT_EQ(point->values[SCimDateTime::Utc], -300);
  EXPECT_EQ(point->values[SCimDateTime::Microseconds], 500000);
  EXPECT_EQ(point->Text(), u"20240315143007.500000-300");
  const auto open = SCimDateTime::Parse(u"****0315******.******+***");
  ASSERT_TRUE(open.has_value());
  EXPECT_FALSE(open->specified[SCimDateTime::Year]);
  EXPECT_TRUE(open->specified[SCimDateTime::Day]);
  EXPECT_EQ(open->Text(), u"****0315******.******+***");
  const auto interval = SCimDateTime::Parse(u"00000012030405.000006:000");
  ASSERT_TRUE(interval.has_value());
  EXPECT_TRUE(interval->isInterval);
  EXPECT_EQ(interval->values[SCimDateTime::Day], 12);
  EXPECT_EQ(interval->Text(), u"00000012030405.000006:000");
  for (const std::u16string_view bad : {u"", u"20241315143007.000000+000", u"20240315243007.000000+000",
                                        u"20240315143007.000000*000", u"2024031514300.7000000+000",
                                        u"20240315143007.000000+0000", u"2024**1514300*.000000+000",
                                        u"00000012030405.000006:001", u"2024031514300x.000000+000"}) {
    EXPECT_FALSE(SCimDateTime::Parse(bad).has_value()) << platform::Utf16ToUtf8(bad);
  }
}

TEST(WbemScripting, DateTimeConversions) {
  const quillet::test::CTimeZoneForTest zone("EST5");
  EXPECT_EQ(RunLogged(u"Set dt = CreateObject(\"WbemScripting.SWbemDateTime\")\n"
                      u"Log dt.Value\n"
                      u"dt.Value = \"20240315143007.500000+060\"\n"
                      u"Log dt.Year, dt.Month, dt.Day, dt.Hours, dt.Minutes, dt.Seconds, dt.Microseconds, dt.UTC\n"
                      u"Log Year(dt.GetVarDate(False)), Hour(dt.GetVarDate(False)), Hour(dt.GetVarDate()), TypeName(dt.GetVarDate)\n"
                      u"dt.SetVarDate #2024-03-15 14:30:07#\n"
                      u"Log dt.Value, dt.GetFileTime(False)\n"
                      u"dt.SetVarDate #2024-03-15 14:30:07#, False\n"
                      u"Log dt.Value, dt.GetFileTime(False)\n"
                      u"dt.SetFileTime \"133549758070000010\", False\n"
                      u"Log dt.Value\n"
                      u"dt.MonthSpecified = False : dt.UTCSpecified = False\n"
                      u"Log dt.Value\n"
                      u"On Error Resume Next\n"
                      u"x = dt.GetVarDate : Log Hex(Err.Number) : Err.Clear\n"
                      u"dt.Month = 13 : Log Hex(Err.Number), dt.MonthSpecified : Err.Clear\n"
                      u"dt.Value = \"yesterday\" : Log Hex(Err.Number), dt.Year : Err.Clear\n"
                      u"dt.SetFileTime \"-5\", False : Log Hex(Err.Number) : Err.Clear\n"),
            "00000101000000.000000+000\n"
            "2024 3 15 14 30 7 500000 60\n"
            "2024 13 8 Date\n"
            "20240315143007.000000-300 133550046070000000\n"
            "20240315143007.000000+000 133549866070000000\n"
            "20240315113007.000001+000\n"
            "2024**15113007.000001+***\n"
            "80041001\n80041045 False\n80041021 2024\n80041021\n");
}

TEST(WbemQueries, ProcessMethodsTerminateAndGetOwner) {
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(gate[1]);
    char byte = 0;
    (void)!read(gate[0], &byte, 1);
    _exit(0);
  }
  close(gate[0]);
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string shortHost = std::string(host).substr(0, std::string(host).find('.'));
  const std::string user = getpwuid(geteuid())->pw_name;
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")\n"
      u"For Each p In svc.ExecQuery(\"Select * from Win32_Process Where ProcessId = " + U(std::to_string(child)) + u"\")\n"
      u"  r = p.GetOwner(strUser, strDomain)\n"
      u"  Log r, strUser, strDomain\n"
      u"  Log p.Terminate()\n"
      u"Next\n");
  close(gate[1]);  // a child the script failed to end ends now, so the wait below is bounded
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(out, "0 " + user + " " + shortHost + "\n0\n");
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

TEST(WbemQueries, EnvironmentOfTheScript) {
  setenv("QUILLET_WMI_PROBE", "it's here", 1);
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string owner = std::string(host).substr(0, std::string(host).find('.')) + "\\" + getpwuid(geteuid())->pw_name;
  const std::string out = RunLogged(
      u"For Each v In GetObject(\"winmgmts:\").ExecQuery(\"Select * From Win32_Environment Where Name = 'quillet_wmi_probe'\")\n"
      u"  Log v.VariableValue, v.UserName, v.SystemVariable, v.Path_.RelPath\n"
      u"Next\n");
  unsetenv("QUILLET_WMI_PROBE");
  std::string escapedOwner;
  for (const char c : owner) escapedOwner += c == '\\' ? std::string("\\\\") : std::string(1, c);
  EXPECT_EQ(out, "it's here " + owner + " False Win32_Environment.Name=\"QUILLET_WMI_PROBE\",UserName=\"" +
                     escapedOwner + "\"\n");
}

TEST(WbemQueries, CurrentTimeInBothZones) {
  const quillet::test::CTimeZoneForTest zone("EST5");  // five hours behind universal time, all year
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"For Each t In svc.ExecQuery(\"Select * From Win32_LocalTime\") : Set l = t : Next\n"
      u"For Each t In svc.ExecQuery(\"Select * From Win32_UTCTime\") : Set u = t : Next\n"
      u"d = DateDiff(\"n\", DateSerial(l.Year, l.Month, l.Day) + TimeSerial(l.Hour, l.Minute, 0), "
      u"DateSerial(u.Year, u.Month, u.Day) + TimeSerial(u.Hour, u.Minute, 0))\n"
      u"Log d = 300 Or d = 301, l.Quarter = (l.Month + 2) \\ 3, l.DayOfWeek = Weekday(DateSerial(l.Year, l.Month, l.Day)) - 1\n"
      u"Log l.WeekInMonth >= 1 And l.WeekInMonth <= 6, l.Path_.RelPath, IsNull(l.Milliseconds)\n");
  EXPECT_EQ(out, "True True True\nTrue Win32_LocalTime=@ True\n");
}

TEST(WbemScripting, NamedValueSets) {
  EXPECT_EQ(RunLogged(u"Set nv = CreateObject(\"WbemScripting.SWbemNamedValueSet\")\n"
                      u"nv.Add \"Depth\", 2\n"
                      u"Set v = nv.Add(\"Mode\", \"fast\")\n"
                      u"a = Array(1, 2) : nv.Add \"List\", a : a(0) = 9\n"
                      u"nv.Add \"depth\", 3\n"  // the same name in another case replaces the value
                      u"l = nv(\"List\").Value\n"
                      u"Log nv.Count, nv(\"DEPTH\").Value, nv.Item(\"depth\").Name, v.Name, l(0)\n"
                      u"nv(\"Mode\").Value = \"slow\"\n"
                      u"Set copy = nv.Clone : copy.Remove \"Mode\"\n"
                      u"s = \"\" : For Each x In nv : s = s & x.Name & \"=\" & IsArray(x.Value) & \";\" : Next\n"
                      u"Log s, v.Value, copy.Count, nv.Count\n"
                      u"On Error Resume Next\n"
                      u"x = nv(\"Missing\") : Log Hex(Err.Number) : Err.Clear\n"
                      u"nv.Remove \"Missing\" : Log Hex(Err.Number) : Err.Clear\n"
                      u"nv.DeleteAll : Log nv.Count, copy.Count\n"),
            "3 3 Depth Mode 1\nDepth=False;Mode=False;List=True; slow 2 3\n80041002\n80041002\n0 2\n");
}

TEST(WbemQueries, ConditionsTestedEarlyAndLateAgree) {
  // Name and ids are tested before the rest of a process is read; a condition on anything else
  // after. Both must select the same processes.
  const std::string pid = std::to_string(getpid());
  EXPECT_EQ(RunLogged(u"Set svc = GetObject(\"winmgmts:\")\n"
                      u"Set self = svc.Get(\"Win32_Process.Handle='" + U(pid) + u"'\")\n"
                      u"q = \"Select * from Win32_Process Where Name = '\" & self.Name & \"'\"\n"
                      u"Set early = svc.ExecQuery(q & \" And ProcessId = " + U(pid) + u"\")\n"
                      u"Set late = svc.ExecQuery(q & \" And ThreadCount > 0 And ProcessId = " + U(pid) + u"\")\n"
                      u"Log early.Count, late.Count, early.ItemIndex(0).ThreadCount = late.ItemIndex(0).ThreadCount\n"
                      u"Log svc.ExecQuery(\"Select * from Win32_Process Where Name <> '\" & self.Name & \"' And ProcessId = " +
                      U(pid) + u"\").Count\n"),
            "1 1 True\n0\n");
}

TEST(WbemQueries, AdapterConfigurationCrossCheckedWithTheKernel) {
  // The interfaces with an IPv4 address other than loopback, and their first IPv4 address.
  std::map<std::string, std::string> expected;
  ifaddrs* list = nullptr;
  ASSERT_EQ(getifaddrs(&list), 0);
  for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
    if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET || (a->ifa_flags & IFF_LOOPBACK) != 0) continue;
    char text[64] = {};
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr, text, sizeof text);
    expected.emplace(a->ifa_name, text);
  }
  freeifaddrs(list);
  std::string want;
  for (const auto& [name, address] : expected) want += name + " " + address + " True\n";
  const std::string out = RunLogged(
      u"For Each a In GetObject(\"winmgmts:\").ExecQuery(\"Select * from Win32_NetworkAdapterConfiguration "
      u"Where IPEnabled = True\")\n"
      u"  If Not IsNull(a.IPAddress) Then If InStr(a.IPAddress(0), \".\") > 0 Then "
      u"Log a.Description, a.IPAddress(0), UBound(a.IPAddress) = UBound(a.IPSubnet)\n"
      u"Next\n");
  // getifaddrs lists interfaces in the kernel's order, the provider by name: compare as sets.
  std::multiset<std::string> got;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) got.insert(line);
  std::multiset<std::string> wanted;
  std::istringstream wantLines(want);
  for (std::string line; std::getline(wantLines, line);) wanted.insert(line);
  EXPECT_EQ(got, wanted) << out;
}

TEST(WbemQueries, AccountsCrossCheckedWithTheUserDatabase) {
  const passwd* self = getpwuid(geteuid());
  ASSERT_NE(self, nullptr);
  const group* primary = getgrgid(self->pw_gid);
  ASSERT_NE(primary, nullptr);
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string domain = std::string(host).substr(0, std::string(host).find('.'));
  const std::string user = self->pw_name;
  const std::string groupName = primary->gr_name;
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"Set users = svc.ExecQuery(\"Select * from Win32_UserAccount Where Name = '" + U(user) + u"' And LocalAccount = True\")\n"
      u"For Each u In users : Log u.Domain, u.Name, u.SIDType, u.AccountType, u.Path_.RelPath : Next\n"
      u"Set groups = svc.ExecQuery(\"Select * from Win32_Group Where Name = '" + U(groupName) + u"'\")\n"
      u"For Each g In groups : Log g.Caption, g.SIDType : Next\n"
      u"Log svc.ExecQuery(\"Select * from Win32_Account Where Name = '" + U(user) + u"'\").Count >= 1\n");
  EXPECT_EQ(out, domain + " " + user + " 1 512 Win32_UserAccount.Domain=\"" + domain + "\",Name=\"" + user + "\"\n" +
                     domain + "\\" + groupName + " 4\nTrue\n");
}

}  // namespace
}  // namespace quillet::engine
