// The members of the management objects beyond reading properties: methods and their
// parameter objects, ExecMethod_ and ExecMethod on real processes, qualifiers from the
// catalogue, and the members that make, compare or write objects.

#include <gtest/gtest.h>

#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"
#include "platform/WmiCatalog.h"
#include "ScriptLog.h"

namespace quillet::engine {
namespace {

std::u16string U(const std::string& text) { return platform::Utf8ToUtf16(text); }

TEST(WbemMembers, MethodsAndTheirParameterClasses) {
  const platform::SWmiClass* process = platform::CWmiCatalog::Installed().Find(u"root\\cimv2", u"Win32_Process");
  ASSERT_NE(process, nullptr);
  const std::string out = RunLogged(
      u"Set cls = GetObject(\"winmgmts:\").Get(\"Win32_Process\")\n"
      u"Log cls.Methods_.Count\n"
      u"n = 0 : For Each m In cls.Methods_ : n = n + 1 : Next : Log n\n"
      u"Set owner = cls.Methods_(\"getowner\")\n"
      u"Log owner.Name, owner.Origin, owner.InParameters Is Nothing\n"
      u"s = \"\" : For Each p In owner.OutParameters.Properties_ : s = s & p.Name & \"/\" & p.CIMType & \" \" : Next : Log s\n"
      u"Set terminate = cls.Methods_(\"Terminate\")\n"
      u"Log terminate.InParameters.Path_.Class, terminate.InParameters.Properties_.Count, terminate.InParameters.Properties_(\"Reason\").CIMType\n"
      u"Log terminate.Qualifiers_(\"Description\").Value <> \"\"\n"
      u"On Error Resume Next\n"
      u"Set m = cls.Methods_(\"NoSuchMethod\")\n"
      u"Log Hex(Err.Number)\n");
  EXPECT_EQ(out, std::to_string(process->methods.size()) + "\n" + std::to_string(process->methods.size()) +
                     "\nGetOwner Win32_Process True\nReturnValue/19 User/8 Domain/8 \n__PARAMETERS 1 19\nTrue\n80041002\n");
}

TEST(WbemMembers, ExecMethodOnRealProcesses) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    pause();  // until the script ends it
    _exit(0);
  }
  const passwd* self = getpwuid(geteuid());
  ASSERT_NE(self, nullptr);
  const std::u16string childPath = u"Win32_Process.Handle='" + U(std::to_string(child)) + u"'";
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"Set self = svc.Get(\"Win32_Process.Handle='" + U(std::to_string(getpid())) + u"'\")\n"
      u"text = self.GetObjectText_\n"
      u"Log Left(text, 27) = vbLf & \"instance of Win32_Process\" & vbLf, "
      u"InStr(text, vbTab & \"Handle = \"\"" + U(std::to_string(getpid())) + u"\"\";\" & vbLf) > 0, Right(text, 3) = \"};\" & vbLf\n"
      u"Set result = self.ExecMethod_(\"GetOwner\")\n"
      u"Log result.ReturnValue, result.User, result.Path_.Class\n"
      u"Set result = svc.ExecMethod(self.Path_.RelPath, \"GetOwner\", Nothing)\n"
      u"Log result.User\n"
      // The way administrators pass arguments: an instance of the method's in-parameters class.
      u"Set inParams = svc.Get(\"Win32_Process\").Methods_(\"Terminate\").InParameters.SpawnInstance_()\n"
      u"inParams.Reason = 7\n"
      u"Set result = svc.ExecMethod(\"" + childPath + u"\", \"Terminate\", inParams)\n"
      u"Log result.ReturnValue\n"
      u"On Error Resume Next\n"
      u"Set result = self.ExecMethod_(\"NoSuchMethod\")\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"Set result = self.ExecMethod_(\"GetOwner\", CreateObject(\"WbemScripting.SWbemNamedValueSet\"))\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"Set result = svc.ExecMethod(\"Win32_Process.Handle='no such process'\", \"GetOwner\")\n"
      u"Log Hex(Err.Number) : Err.Clear\n");
  // The child ends by the script's Terminate; wait for that with a bound, then make sure.
  const int ended = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
  ASSERT_GE(ended, 0);
  pollfd watch{ended, POLLIN, 0};
  const bool endedInTime = poll(&watch, 1, 5000) == 1;
  close(ended);
  if (!endedInTime) kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(endedInTime);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(out, "True True True\n0 " + std::string(self->pw_name) + " __PARAMETERS\n" + self->pw_name + "\n0\n8004102E\n80041008\n80041002\n");
}

TEST(WbemMembers, QualifiersFromTheCatalogue) {
  const platform::SWmiClass* process = platform::CWmiCatalog::Installed().Find(u"root\\cimv2", u"Win32_Process");
  ASSERT_NE(process, nullptr);
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"Set cls = svc.Get(\"Win32_Process\")\n"
      u"Log cls.Qualifiers_(\"description\").Value\n"
      u"Log cls.Qualifiers_(\"Description\").IsLocal, svc.Get(\"Win32_Process.Handle='1'\").Qualifiers_(\"Description\").IsLocal\n"
      u"Set handle = cls.Properties_(\"Handle\").Qualifiers_\n"
      u"Log handle(\"CIMTYPE\").Value, handle(\"key\").Value, handle.Count\n"
      u"Log cls.Properties_(\"Name\").Qualifiers_(\"CIMTYPE\").IsLocal, cls.Properties_(\"CommandLine\").Qualifiers_(\"CIMTYPE\").IsLocal\n"
      u"Set link = svc.Get(\"Win32_GroupUser\")\n"
      u"Log link.Qualifiers_(\"Association\").Value, link.Properties_(\"GroupComponent\").Qualifiers_(\"CIMTYPE\").Value\n"
      // Changes stay in the set they were made in.
      u"Set q = cls.Qualifiers_\n"
      u"Set added = q.Add(\"Note\", 42)\n"
      u"Log q.Count, q(\"note\").Value, added.Name, added.IsLocal\n"
      u"q(\"Note\").Value = \"changed\"\n"
      u"Log added.Value\n"
      u"q.Remove \"Note\"\n"
      u"Log q.Count, cls.Qualifiers_.Count\n"
      u"On Error Resume Next\n"
      u"v = added.Value\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"q.Remove \"Note\"\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"v = cls.Qualifiers_(\"NoSuchQualifier\").Value\n"
      u"Log Hex(Err.Number) : Err.Clear\n");
  EXPECT_EQ(out, platform::Utf16ToUtf8(process->description) +
                     "\nTrue False\nstring True 3\nFalse True\nTrue ref:Win32_Group\n2 42 Note True\nchanged\n1 1\n"
                     "80041002\n80041002\n80041002\n");
}

TEST(WbemMembers, ObjectsMadeComparedAndWritten) {
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"Set groups = svc.Get(\"Win32_Group\")\n"
      u"Log groups.Instances_.Count = svc.InstancesOf(\"Win32_Group\").Count, groups.Instances_.Count > 0\n"
      u"found = False : For Each c In svc.Get(\"CIM_Process\").Subclasses_ : found = found Or c.Path_.Class = \"Win32_Process\" : Next\n"
      u"Log found\n"
      u"Set first = groups.Instances_.ItemIndex(0)\n"
      u"Set copy = first.Clone_\n"
      u"Log first.CompareTo_(copy), first.CompareTo_(groups)\n"
      u"copy.Name = copy.Name & \"x\"\n"
      u"Log first.CompareTo_(copy)\n"
      u"Set blank = groups.SpawnInstance_()\n"
      u"Log blank.Path_.Class, IsNull(blank.Name), blank.Path_.IsClass\n"
      u"Set nothingYet = svc.Get(\"\")\n"
      u"Log \"[\" & nothingYet.Path_.Class & \"]\", nothingYet.Path_.IsClass, nothingYet.Properties_.Count\n"
      u"On Error Resume Next\n"
      u"Set again = first.SpawnInstance_()\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"blank.Put_\n"
      u"Log Hex(Err.Number), Err.Source : Err.Clear\n"
      u"first.Delete_\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"svc.Delete first.Path_.RelPath\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"x = first.CompareTo_(42)\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      // Removing an instance's property resets it; a class keeps its declarations.
      u"copy.Properties_.Remove \"Name\"\n"
      u"Log IsNull(copy.Name), Hex(Err.Number)\n"
      u"groups.Properties_.Remove \"Name\"\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"copy.Properties_.Remove \"NoSuchProperty\"\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"copy.Properties_.Add \"Extra\", 8\n"
      u"Log Hex(Err.Number) : Err.Clear\n");
  EXPECT_EQ(out,
            "True True\nTrue\nTrue False\nFalse\nWin32_Group True False\n[] True 0\n"
            "80041016\n80041024 SWbemObjectEx\n80041024\n80041024\n80041008\nTrue 0\n80041016\n80041002\n80041016\n");
}

TEST(WbemMembers, ObjectPathsEditedByScripts) {
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"Set p = svc.Get(\"Win32_Process.Handle='1'\").Path_\n"
      u"Log p.Keys.Count, p.Keys(\"handle\").Value, p.IsClass, p.IsSingleton\n"
      // Keys is tied to the path: what the set changes, the path says.
      u"p.Keys(\"Handle\").Value = \"2\"\n"
      u"p.Keys.Add \"Extra\", 5\n"
      u"Log p.RelPath\n"
      u"p.RelPath = \"Win32_NetworkAdapterConfiguration.Index=3\"\n"
      u"Log p.Class, p.RelPath, TypeName(p.Keys(\"Index\").Value), p.Path = \"\\\\\" & p.Server & \"\\root\\cimv2:\" & p.RelPath\n"
      u"p.RelPath = \"Win32_Process=\"\"7\"\"\"\n"  // the one key, unnamed
      u"Log p.RelPath\n"
      u"p.Class = \"Win32_Service\"\n"
      u"Log p.RelPath\n"
      u"p.SetAsClass\n"
      u"Log p.RelPath, p.IsClass, p.Keys.Count\n"
      u"p.SetAsSingleton\n"
      u"Log p.RelPath, p.IsSingleton, p.IsClass\n"
      u"p.Path = \"\\\\elsewhere\\root\\default:StdRegProv\"\n"
      u"Log p.Server, p.Namespace, p.ParentNamespace, p.RelPath, p.Path\n"
      u"p.Server = \"here\" : p.Namespace = \"root\\cimv2\"\n"
      u"Log p.Path\n"
      u"p.DisplayName = \"winmgmts:{impersonationLevel=identify}!\\\\.\\root\\cimv2:Win32_Process.Handle='4'\"\n"
      u"Log p.Server, p.RelPath, p.Security_.ImpersonationLevel\n"
      u"Log p.DisplayName\n"
      // A refused path leaves the path as it was.
      u"On Error Resume Next\n"
      u"p.RelPath = \"Win32_Process.Handle=\"\n"
      u"Log Hex(Err.Number), p.RelPath : Err.Clear\n"
      u"p.Path = \"\\\\x\\root:Win32_Process.=1\"\n"
      u"Log Hex(Err.Number), p.Path : Err.Clear\n"
      u"p.Class = \"not a name\"\n"
      u"Log Hex(Err.Number), p.Class : Err.Clear\n");
  EXPECT_EQ(out, "1 1 False False\n"
                 "Win32_Process.Extra=5,Handle=\"2\"\n"
                 "Win32_NetworkAdapterConfiguration Win32_NetworkAdapterConfiguration.Index=3 Long True\n"
                 "Win32_Process.Handle=\"7\"\n"
                 "Win32_Service.Handle=\"7\"\n"
                 "Win32_Service True 0\n"
                 "Win32_Service=@ True False\n"
                 "elsewhere root\\default root StdRegProv \\\\elsewhere\\root\\default:StdRegProv\n"
                 "\\\\here\\root\\cimv2:StdRegProv\n"
                 ". Win32_Process.Handle=\"4\" 2\n"
                 "WINMGMTS:{authenticationLevel=default,impersonationLevel=identify}!\\\\.\\root\\cimv2:Win32_Process.Handle=\"4\"\n"
                 "8004103A Win32_Process.Handle=\"4\"\n"
                 "8004103A \\\\.\\root\\cimv2:Win32_Process.Handle=\"4\"\n"
                 "80041008 Win32_Process\n");
}

TEST(WbemMembers, PrivilegesAskedForAreKept) {
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:{impersonationLevel=impersonate,(Shutdown,!Debug)}!\\\\.\\root\\cimv2\")\n"
      u"Set privs = svc.Security_.Privileges\n"
      u"For Each p In privs : Log p.Name, p.Identifier, p.IsEnabled, p.DisplayName : Next\n"
      u"privs.Add 23\n"
      u"Set backup = privs.AddAsString(\"SeBackupPrivilege\", False)\n"
      u"Log svc.Security_.Privileges.Count, backup.Identifier, privs(16).IsEnabled, privs(23).DisplayName\n"
      u"privs.Remove 18\n"
      u"privs(19).IsEnabled = True\n"
      u"Log svc.Security_.Privileges.Count, svc.Security_.Privileges(19).IsEnabled\n"
      u"Log privs.AddAsString(\"PrimaryToken\").Name\n"
      u"On Error Resume Next\n"
      u"privs.Add 28\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"privs.AddAsString \"SeNoSuchPrivilege\"\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"privs.Remove 18\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"privs.DeleteAll\n"
      u"Log privs.Count\n"
      u"v = backup.IsEnabled\n"  // removed from its set since
      u"Log Hex(Err.Number)\n");
  EXPECT_EQ(out,
            "SeShutdownPrivilege 18 True Shutdown\nSeDebugPrivilege 19 False Debug\n"
            "4 16 False Remote Shutdown\n3 True\nSeAssignPrimaryTokenPrivilege\n"
            "80041008\n80041008\n80041002\n0\n80041002\n");
}

}  // namespace
}  // namespace quillet::engine
