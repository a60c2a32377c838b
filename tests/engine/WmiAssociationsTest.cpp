// Associations of the management service: the ASSOCIATORS OF and REFERENCES OF reader, and what
// the queries and members find, cross-checked with the system's group database.

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <set>
#include <sstream>
#include <string>

#include "engine/objects/wmi/WbemAssociationProvider.h"
#include "engine/objects/wmi/WqlAssociationQuery.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"
#include "platform/WmiCatalog.h"
#include "ScriptLog.h"

namespace quillet::engine {
namespace {

std::u16string U(const std::string& text) { return platform::Utf8ToUtf16(text); }

std::set<std::string> LinesOf(const std::string& text) {
  std::set<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.insert(line);
  return lines;
}

std::string Domain() {
  char host[256] = {};
  (void)gethostname(host, sizeof host - 1);
  const std::string name = host;
  return name.substr(0, name.find('.'));
}

int AssociationError(std::u16string_view text) {
  try {
    (void)ParseWqlAssociation(text);
  } catch (const CScriptError& e) {
    return e.Number();
  }
  return 0;
}

TEST(WqlAssociation, ClausesAsWritten) {
  const SWqlAssociationQuery all = ParseWqlAssociation(
      u"  associators  OF {Win32_Group.Domain=\"h\",Name='a}b'}  WHERE ResultRole = PartComponent "
      u"AssocClass=Win32_GroupUser ClassDefsOnly ResultClass = 'Win32_Account' Role = GroupComponent "
      u"RequiredAssocQualifier = Association RequiredQualifier = Dynamic KeysOnly");
  EXPECT_FALSE(all.references);
  EXPECT_EQ(all.objectPath, u"Win32_Group.Domain=\"h\",Name='a}b'");  // a brace inside quotes is the key's
  EXPECT_EQ(all.assocClass, u"Win32_GroupUser");
  EXPECT_EQ(all.resultClass, u"Win32_Account");
  EXPECT_EQ(all.resultRole, u"PartComponent");
  EXPECT_EQ(all.role, u"GroupComponent");
  EXPECT_EQ(all.requiredAssocQualifier, u"Association");
  EXPECT_EQ(all.requiredQualifier, u"Dynamic");
  EXPECT_TRUE(all.classDefsOnly && all.keysOnly && !all.schemaOnly);

  const SWqlAssociationQuery bare = ParseWqlAssociation(u"References of {Win32_Group}");
  EXPECT_TRUE(bare.references);
  EXPECT_EQ(bare.objectPath, u"Win32_Group");
  EXPECT_TRUE(ParseWqlAssociation(u"references of {x} where schemaonly role=Part").schemaOnly);

  EXPECT_TRUE(IsWqlAssociationQuery(u" ASSOCIATORS OF {x}"));
  EXPECT_TRUE(IsWqlAssociationQuery(u"References{x}"));
  EXPECT_FALSE(IsWqlAssociationQuery(u"ReferencesOf {x}"));
  EXPECT_FALSE(IsWqlAssociationQuery(u"Select * From Win32_Group"));
}

TEST(WqlAssociation, MalformedFormsAreInvalidQueries) {
  constexpr int kInvalidQuery = static_cast<int>(0x80041017);
  for (const char16_t* text : {
           u"associators {x}",                               // no OF
           u"associators of x",                              // no braces
           u"associators of {x",                             // the brace never closes
           u"associators of {x='}'",                         // nor here, the quote holds the brace
           u"associators of {  }",                           // nothing named
           u"associators of {x} where",                      // WHERE and nothing
           u"associators of {x} where NoSuchClause = y",
           u"associators of {x} where ResultClass = a AND Role = b",
           u"associators of {x} where ResultClass = a ResultClass = b",
           u"associators of {x} where ClassDefsOnly ClassDefsOnly",
           u"associators of {x} where ClassDefsOnly SchemaOnly",
           u"associators of {x} where ResultClass",
           u"associators of {x} where ResultClass = ''",
           u"associators of {x} where ResultClass = 'open",
           u"associators of {x} extra",
           u"references of {x} where AssocClass = y",       // only associators name the association
           u"references of {x} where ResultRole = y",
           u"references of {x} where RequiredAssocQualifier = y",
           u"selectors of {x}",
       }) {
    EXPECT_EQ(AssociationError(text), kInvalidQuery) << platform::Utf16ToUtf8(text);
  }
}

TEST(WbemAssociations, GroupMembersCrossCheckedWithTheGroupDatabase) {
  const passwd* self = getpwuid(geteuid());
  ASSERT_NE(self, nullptr);
  const std::string user = self->pw_name;
  const gid_t ownGroup = self->pw_gid;
  // What the system says: the groups listing the user, and the user's own group.
  std::set<std::string> groupsOfUser;
  std::string ownGroupName;
  setgrent();
  while (const group* entry = getgrent()) {
    if (entry->gr_gid == ownGroup) ownGroupName = entry->gr_name;
    bool listed = entry->gr_gid == ownGroup;
    for (char** member = entry->gr_mem; *member != nullptr; ++member) listed = listed || user == *member;
    if (listed) groupsOfUser.insert(entry->gr_name);
  }
  endgrent();
  ASSERT_FALSE(ownGroupName.empty());
  std::set<std::string> usersOfOwnGroup;
  const group* own = getgrgid(ownGroup);
  for (char** member = own->gr_mem; *member != nullptr; ++member) usersOfOwnGroup.insert(*member);
  setpwent();
  while (const passwd* entry = getpwent()) {
    if (entry->pw_gid == ownGroup) usersOfOwnGroup.insert(entry->pw_name);
  }
  endpwent();

  const std::u16string userPath = u"Win32_UserAccount.Domain='" + U(Domain()) + u"',Name='" + U(user) + u"'";
  const std::u16string groupPath = u"Win32_Group.Domain='" + U(Domain()) + u"',Name='" + U(ownGroupName) + u"'";
  const std::u16string prelude = u"Set svc = GetObject(\"winmgmts:\")\n";
  // The same groups by the query, by the services' member and by the object's member.
  const std::string byQuery = RunLogged(prelude + u"For Each g In svc.ExecQuery(\"ASSOCIATORS OF {" + userPath +
                                        u"} WHERE AssocClass = Win32_GroupUser\") : Log g.Name : Next\n");
  EXPECT_EQ(LinesOf(byQuery), groupsOfUser) << byQuery;
  const std::string byServices =
      RunLogged(prelude + u"For Each g In svc.AssociatorsOf(\"" + userPath + u"\", \"Win32_GroupUser\", \"Win32_Group\")\n"
                          u"  Log g.Name\nNext\n");
  EXPECT_EQ(LinesOf(byServices), groupsOfUser) << byServices;
  const std::string byObject = RunLogged(prelude + u"For Each g In svc.Get(\"" + userPath +
                                         u"\").Associators_(, , \"GroupComponent\") : Log g.Name : Next\n");
  EXPECT_EQ(LinesOf(byObject), groupsOfUser) << byObject;
  // And the other way: the accounts of the user's own group, groups never among them.
  const std::string members = RunLogged(prelude + u"For Each u In svc.ExecQuery(\"Associators Of {" + groupPath +
                                        u"}\") : Log u.Name : Next\n");
  EXPECT_EQ(LinesOf(members), usersOfOwnGroup) << members;
}

TEST(WbemAssociations, ReferencesFiltersAndClassDefinitions) {
  const passwd* self = getpwuid(geteuid());
  ASSERT_NE(self, nullptr);
  const std::string domain = Domain();
  const std::u16string userPath = u"Win32_UserAccount.Domain='" + U(domain) + u"',Name='" + U(self->pw_name) + u"'";
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"n = svc.AssociatorsOf(\"" + userPath + u"\").Count\n"
      u"Set refs = svc.ReferencesTo(\"" + userPath + u"\")\n"
      u"Log n > 0, refs.Count = n\n"
      u"Set u = svc.Get(\"" + userPath + u"\")\n"
      u"ok = True\n"
      u"For Each r In refs\n"
      u"  ok = ok And r.PartComponent = \"\\\\" + U(host) + u"\\root\\cimv2:\" & u.Path_.RelPath\n"
      u"  ok = ok And r.Path_.Class = \"Win32_GroupUser\" And r.Path_.RelPath = svc.Get(r.Path_.RelPath).Path_.RelPath\n"
      u"Next\n"
      u"Log ok\n"
      u"Log u.References_(\"Win32_GroupUser\", \"PartComponent\").Count = n, u.References_(, \"GroupComponent\").Count\n"
      u"Log svc.ExecQuery(\"References Of {\" & u.Path_.RelPath & \"} Where RequiredQualifier = Association\").Count = n\n"
      u"Log svc.ExecQuery(\"Associators Of {\" & u.Path_.RelPath & \"} Where RequiredAssocQualifier = NoSuch\").Count\n"
      u"Log svc.ExecQuery(\"Associators Of {\" & u.Path_.RelPath & \"} Where ResultClass = Win32_UserAccount\").Count\n"
      u"For Each c In svc.ExecQuery(\"References Of {\" & u.Path_.RelPath & \"} Where ClassDefsOnly\")\n"
      u"  Log c.Path_.Class, c.Path_.IsClass\n"
      u"Next\n"
      u"For Each k In svc.ExecQuery(\"Associators Of {\" & u.Path_.RelPath & \"} Where KeysOnly\")\n"
      u"  If Not IsNull(k.SIDType) Then Log \"not only keys\"\n"
      u"Next\n"
      // This computer and the system it runs pair both ways.
      u"For Each cs In svc.InstancesOf(\"Win32_ComputerSystem\")\n"
      u"  For Each os In cs.Associators_(\"Win32_SystemOperatingSystem\") : Log os.Path_.Class : Next\n"
      u"  For Each link In cs.References_() : Log link.Path_.Class, link.PrimaryOS : Next\n"
      u"Next\n"
      // For a class the answer is the schema.
      u"For Each c In svc.ReferencesTo(\"Win32_LogicalDisk\", , , , True) : Log c.Path_.Class : Next\n"
      u"For Each c In svc.ExecQuery(\"Associators Of {Win32_OperatingSystem} Where SchemaOnly\") : Log c.Path_.Class : Next\n"
      u"Log svc.ExecQuery(\"Associators Of {Win32_LogicalDisk} Where AssocClass = Win32_GroupUser\").Count\n");
  EXPECT_EQ(out,
            "True True\nTrue\nTrue 0\nTrue\n0\n0\nWin32_GroupUser True\n"
            "Win32_OperatingSystem\nWin32_SystemOperatingSystem True\n"
            "Win32_LogicalDiskToPartition\nWin32_ComputerSystem\n0\n");
}

// Adapters and their addressing pair by Index, each adapter with its own configuration only.
TEST(WbemAssociations, AdaptersAndTheirConfigurationsBothWays) {
  const std::string out = RunLogged(
      u"Set svc = GetObject(\"winmgmts:\")\n"
      u"adapters = 0 : paired = 0 : ok = True\n"
      u"For Each a In svc.InstancesOf(\"Win32_NetworkAdapter\")\n"
      u"  adapters = adapters + 1\n"
      u"  For Each c In a.Associators_(\"Win32_NetworkAdapterSetting\", \"Win32_NetworkAdapterConfiguration\")\n"
      u"    paired = paired + 1\n"
      u"    ok = ok And c.Index = a.Index\n"
      u"    back = 0\n"
      u"    For Each b In c.Associators_(\"Win32_NetworkAdapterSetting\") : back = back + 1 : ok = ok And b.Index = a.Index : Next\n"
      u"    ok = ok And back = 1\n"
      u"  Next\n"
      u"Next\n"
      u"Log paired = svc.InstancesOf(\"Win32_NetworkAdapterSetting\").Count, paired <= adapters, ok\n");
  EXPECT_EQ(out, "True True True\n");
}

TEST(WbemAssociations, ErrorsAsWindowsNumbersThem) {
  EXPECT_EQ(RunLogged(u"Set svc = GetObject(\"winmgmts:\")\n"
                      u"On Error Resume Next\n"
                      u"Set s = svc.ExecQuery(\"Associators Of {Win32_Group.Domain='x',Name='no such group'}\")\n"
                      u"Log Hex(Err.Number) : Err.Clear\n"
                      u"Set s = svc.ExecQuery(\"References Of {No_Such_Class.Name='x'}\")\n"
                      u"Log Hex(Err.Number) : Err.Clear\n"
                      u"Set s = svc.ExecQuery(\"Associators Of {Win32_Group.}\")\n"
                      u"Log Hex(Err.Number) : Err.Clear\n"
                      u"Set s = svc.ExecQuery(\"Associators Of Win32_Group\")\n"
                      u"Log Hex(Err.Number) : Err.Clear\n"
                      u"Set s = svc.ExecQuery(\"Associators Of {Win32_OperatingSystem=@} Where SchemaOnly\")\n"
                      u"Log Hex(Err.Number) : Err.Clear\n"
                      u"Set s = svc.AssociatorsOf(\"Win32_Group.Name='no such group',Domain='x'\")\n"
                      u"Log Hex(Err.Number), Err.Source : Err.Clear\n"),
            "80041002\n80041002\n8004103A\n80041017\n80041017\n80041002 SWbemServicesEx\n");
}

TEST(WbemAssociationProvider, PairsBySameValue) {
  const platform::SWmiClass* cls =
      platform::CWmiCatalog::Installed().Find(u"root\\cimv2", u"Win32_NetworkAdapterConfiguration");
  ASSERT_NE(cls, nullptr);
  SWbemInstance three(*cls), alsoThree(*cls), four(*cls), unknown(*cls);
  three.Set(u"Index", CVariant::Long(3));
  alsoThree.Set(u"Index", CVariant::Double(3));
  four.Set(u"Index", CVariant::Long(4));
  const auto paired = CWbemAssociationProvider::SameValue(u"Index", u"Index")();
  EXPECT_TRUE(paired(three, alsoThree));
  EXPECT_FALSE(paired(three, four));
  EXPECT_FALSE(paired(unknown, unknown));  // nothing known pairs nothing
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  EXPECT_EQ(FullPathOf(three), u"\\\\" + U(host) + u"\\root\\cimv2:Win32_NetworkAdapterConfiguration.Index=3");
}

}  // namespace
}  // namespace quillet::engine
