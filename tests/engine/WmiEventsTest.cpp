// Event queries of the management service: a child the test starts and ends is seen as created
// and deleted, a change of a process as a modification with the instance before it, and the
// errors Windows gives for event queries it cannot serve. Waits are bounded by NextEvent's
// time-out; polls are a tenth of a second apart.

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/objects/wmi/WqlQuery.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"
#include "ScriptLog.h"

namespace quillet::engine {
namespace {

std::u16string OurPid() { return platform::Utf8ToUtf16(std::to_string(getpid())); }

TEST(Wql, WithinIsaAndEmbeddedProperties) {
  const SWqlQuery query = ParseWql(u"select * from __InstanceModificationEvent within 2.5 where TargetInstance isa "
                                   u"\"CIM_Process\" and TargetInstance.Name <> PreviousInstance.Name");
  EXPECT_EQ(query.within, 2.5);
  ASSERT_NE(query.where, nullptr);
  std::vector<std::u16string> read;
  CollectWqlProperties(*query.where, read);
  EXPECT_EQ(read, (std::vector<std::u16string>{u"TargetInstance", u"TargetInstance.Name", u"PreviousInstance.Name"}));
  // ISA holds for the class itself and for every class it derives from, not for others.
  const auto reader = [](std::u16string_view cls, std::u16string_view name, std::u16string_view previousName) {
    return [=](std::u16string_view property) {
      if (property == u"TargetInstance.__CLASS") return CVariant::String(cls);
      if (property == u"TargetInstance.__DERIVATION") {
        return CVariant::Array(CSafeArray::FromValues({CVariant::String(u"CIM_Process"), CVariant::String(u"CIM_LogicalElement")}));
      }
      if (property == u"TargetInstance.Name") return CVariant::String(name);
      if (property == u"PreviousInstance.Name") return CVariant::String(previousName);
      return CVariant::Null();
    };
  };
  EXPECT_TRUE(WqlMatches(*query.where, reader(u"Win32_Process", u"sleep", u"sh")));
  EXPECT_FALSE(WqlMatches(*query.where, reader(u"Win32_Process", u"sh", u"SH")));  // names compare without case
  const SWqlQuery other = ParseWql(u"select * from __InstanceCreationEvent within 1 where TargetInstance isa 'Win32_Service'");
  EXPECT_FALSE(WqlMatches(*other.where, reader(u"Win32_Process", u"a", u"b")));
  const SWqlQuery exact = ParseWql(u"select * from __InstanceCreationEvent within 1 where TargetInstance isa 'win32_process'");
  EXPECT_TRUE(WqlMatches(*exact.where, reader(u"Win32_Process", u"a", u"b")));
  // ISA wants a property on its left and a class name on its right.
  for (const char16_t* bad : {u"select * from A within 1 where 'x' isa 'B'", u"select * from A within 1 where P isa B",
                              u"select * from A within 1 where P isa ''", u"select * from A within -1",
                              u"select * from A within 1e9999", u"select * from A where P.=1"}) {
    EXPECT_THROW((void)ParseWql(bad), CScriptError) << platform::Utf16ToUtf8(bad);
  }
}

TEST(WbemEvents, AChildStartedAndEndedIsSeenBothWays) {
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\\\\.\\root\\cimv2\")\n"
      u"Set events = svc.ExecNotificationQuery(\"SELECT * FROM __InstanceOperationEvent WITHIN 0.1 WHERE \" & _\n"
      u"  \"TargetInstance ISA 'Win32_Process' AND TargetInstance.ParentProcessId = " + OurPid() + u"\")\n"
      u"Log TypeName(events)\n"
      u"Set child = CreateObject(\"WScript.Shell\").Exec(\"cat\")\n"
      u"Set e = events.NextEvent(5000)\n"
      u"Log e.Path_.Class, e.TargetInstance.ProcessId = child.ProcessID, e.TargetInstance.Path_.Class, \"CIM\" & TypeName(e.TIME_CREATED)\n"
      // The event as text holds the instance it carries.
      u"text = e.GetObjectText_\n"
      u"Log InStr(text, \"instance of __InstanceCreationEvent\") > 0, InStr(text, \"TargetInstance = \" & vbLf & \"instance of Win32_Process\") > 0, Right(text, 3) = \"};\" & vbLf\n"
      u"bases = e.Derivation_\n"
      u"Log bases(0), IsNull(e.Properties_(\"TargetInstance\").Value) = False\n"
      u"child.StdIn.Close\n"
      // Nothing changes in an idle cat, but allow for it: the deletion comes within a few polls.
      u"For i = 1 To 20\n"
      u"  Set e = events.NextEvent(5000)\n"
      u"  If e.Path_.Class = \"__InstanceDeletionEvent\" Then Exit For\n"
      u"Next\n"
      u"Log e.Path_.Class, e.TargetInstance.ProcessId = child.ProcessID\n"
      u"On Error Resume Next\n"
      u"Set e = events.NextEvent(0)\n"
      u"Log Hex(Err.Number), Err.Description, Err.Source\n");
  EXPECT_EQ(out,
            "SWbemEventSource\n"
            "__InstanceCreationEvent True Win32_Process CIMString\n"
            "True True True\n"
            "__InstanceOperationEvent True\n"
            "__InstanceDeletionEvent True\n"
            "80043001 Timed out SWbemEventSource\n");
}

// A script waiting on one source misses nothing of another: a child that lives only while the
// script waits on the first is seen by the second.
TEST(WbemEvents, WaitingOnOneSourcePollsTheOthers) {
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"Set children = svc.ExecNotificationQuery(\"Select * From __InstanceOperationEvent Within 0.05 Where \" & _\n"
      u"  \"TargetInstance Isa 'Win32_Process' And TargetInstance.ParentProcessId = " + OurPid() + u"\")\n"
      u"Set quiet = svc.ExecNotificationQuery(\"Select * From __InstanceCreationEvent Within 0.05 Where \" & _\n"
      u"  \"TargetInstance Isa 'Win32_Process' And TargetInstance.Name = 'no such program'\")\n"
      u"Set child = CreateObject(\"WScript.Shell\").Exec(\"sleep 0.3\")\n"
      u"On Error Resume Next\n"
      u"Set e = quiet.NextEvent(1000)\n"
      u"Log Hex(Err.Number)\n"
      u"On Error GoTo 0\n"
      u"Set e = children.NextEvent(0)\n"
      u"Log e.Path_.Class, e.TargetInstance.ProcessId = child.ProcessID\n"
      u"Do\n"
      u"  Set e = children.NextEvent(0)\n"
      u"Loop Until e.Path_.Class <> \"__InstanceModificationEvent\"\n"
      u"Log e.Path_.Class, e.TargetInstance.ProcessId = child.ProcessID\n");
  EXPECT_EQ(out, "80043001\n__InstanceCreationEvent True\n__InstanceDeletionEvent True\n");
}

TEST(WbemEvents, AChangedProcessIsAModificationWithItsPreviousInstance) {
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"Set child = CreateObject(\"WScript.Shell\").Exec(\"sh -c \"\"read line; exec sleep 30\"\"\")\n"
      u"Set changes = svc.ExecNotificationQuery(\"Select * From __InstanceModificationEvent Within 0.1 \" & _\n"
      u"  \"Where TargetInstance Isa 'Win32_Process' And TargetInstance.ProcessId = \" & child.ProcessID & _\n"
      u"  \" And TargetInstance.Name <> PreviousInstance.Name\")\n"
      u"child.StdIn.WriteLine \"go\"\n"
      u"Set e = changes.NextEvent(5000)\n"
      u"Log e.PreviousInstance.Name, e.TargetInstance.Name, e.TargetInstance.Path_.RelPath = e.PreviousInstance.Path_.RelPath\n"
      u"child.Terminate\n");
  EXPECT_EQ(out, "sh sleep True\n");
}

TEST(WbemEvents, QueriesWindowsCannotServeAndTimeOuts) {
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"On Error Resume Next\n"
      u"Sub Try(query)\n"
      u"  On Error Resume Next\n"
      u"  Set s = svc.ExecNotificationQuery(query)\n"
      u"  Log Hex(Err.Number)\n"
      u"  Err.Clear\n"
      u"End Sub\n"
      u"Try \"Select * From __InstanceCreationEvent Where TargetInstance Isa 'Win32_Process'\"\n"  // no WITHIN
      u"Try \"Select * From __InstanceCreationEvent Within 1\"\n"                                  // no ISA
      u"Try \"Select * From __InstanceCreationEvent Within 1 Where TargetInstance Isa 'Win32_Process' Or TIME_CREATED > 0\"\n"
      u"Try \"Select * From Win32_Process Within 1\"\n"
      u"Try \"Select * From __NoSuchEvent Within 1 Where TargetInstance Isa 'Win32_Process'\"\n"
      u"Try \"Select * From __InstanceCreationEvent Within 1 Where TargetInstance Isa 'No_Such_Class'\"\n"
      u"Try \"Select * From __InstanceCreationEvent Within 1 Where TargetInstance Isa 'Win32_Process' And TargetInstance.NoSuch = 1\"\n"
      u"Try \"Select * From __InstanceCreationEvent Within 1 Where TargetInstance Isa 'Win32_Process' And PreviousInstance.Name = 'x'\"\n"
      u"Try \"Select * From __InstanceCreationEvent Within 0 Where TargetInstance Isa 'Win32_Process'\"\n"
      u"Try \"Select * From __InstanceCreationEvent Within Where TargetInstance Isa 'Win32_Process'\"\n"
      u"Set s = svc.ExecQuery(\"Select * From Win32_Process Within 1\")\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"Set s = svc.ExecNotificationQuery(\"Select * From __InstanceCreationEvent Within 1 Where TargetInstance Isa 'Win32_Process'\", \"WQL\", 0)\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"Set s = svc.ExecNotificationQuery(\"Select * From __InstanceCreationEvent Within 1 Where TargetInstance Isa 'Win32_Process'\", \"SQL\")\n"
      u"Log Hex(Err.Number) : Err.Clear\n"
      u"Set s = svc.ExecNotificationQuery(\"Select * From __InstanceDeletionEvent Within 0.1 Where TargetInstance Isa 'Win32_Process' And TargetInstance.Name = 'no such program'\")\n"
      u"Log Hex(Err.Number)\n"
      u"Set e = s.NextEvent(250)\n"
      u"Log Hex(Err.Number), TypeName(e)\n");
  EXPECT_EQ(out,
            "80042002\n80041017\n80041017\n80041059\n80041010\n80041010\n80041017\n80041017\n80041017\n80041017\n"
            "80041017\n80041008\n80041018\n0\n80043001 Empty\n");
}

TEST(WbemEvents, NextEventWaitsNoLongerThanItsTimeOut) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunLogged(u"Set s = GetObject(\"winmgmts:\").ExecNotificationQuery(\"Select * From __InstanceCreationEvent \" & _\n"
                      u"  \"Within 30 Where TargetInstance Isa 'Win32_Process'\")\n"
                      u"On Error Resume Next\n"
                      u"Set e = s.NextEvent(200)\n"
                      u"Log Hex(Err.Number)\n"),
            "80043001\n");
  // A poll every 30 seconds does not hold the script beyond its own time-out.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace quillet::engine
