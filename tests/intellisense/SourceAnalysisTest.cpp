// Given a script and a caret, what source analysis lists or describes: against the engine's
// generated libraries and class registrations, with the editor's own scanner colouring lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AnalysisFixtures.h"
#include "ScriptSource.h"
#include "intellisense/SourceAnalysis.h"
#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

using test::CScriptSource;

std::vector<std::string> Utf8(const std::vector<std::u16string>& names) {
  std::vector<std::string> converted;
  for (const auto& name : names) converted.push_back(platform::Utf16ToUtf8(name));
  return converted;
}

std::vector<std::string> TableNames(BuiltinMemberTable table) {
  std::vector<std::string> names;
  for (const auto& row : table) names.push_back(platform::Utf16ToUtf8(row.name));
  return names;
}

const std::vector<std::string> kFileMembers = {
    "Path", "Name", "ShortPath", "ShortName", "Drive", "ParentFolder", "Attributes", "DateCreated",
    "DateLastModified", "DateLastAccessed", "Type", "Size", "Delete", "Copy", "Move", "OpenAsTextStream"};

class SourceAnalysisTest : public ::testing::Test {
 protected:
  // The names listed at the caret ("|"); "<none>" when nothing would be shown.
  std::vector<std::string> MembersAt(std::u16string_view script) {
    CScriptSource source(script);
    EXPECT_GE(source.caretLine, 0) << "the script needs a caret";
    CSourceAnalysis analysis(source, *classes.resolver, classes.registry);
    const auto set = analysis.AnalyseForMemberList(source.caretColumn, source.caretLine);
    if (!set) return {"<none>"};
    return Utf8(set->Names());
  }

  SParameterTipSource TipAt(std::u16string_view script) {
    CScriptSource source(script);
    CSourceAnalysis analysis(source, *classes.resolver, classes.registry);
    return analysis.AnalyseForParameterTip(source.caretColumn, source.caretLine);
  }

  bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  }

  test::SGeneratedClasses classes;
};

const std::vector<std::string> kNone = {"<none>"};

TEST_F(SourceAnalysisTest, CreateObjectAboveOrBelowTheCaretGivesTheClassMembers) {
  ASSERT_TRUE(classes.loaded);
  EXPECT_EQ(MembersAt(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
                      u"x = fso.GetFile(\"x.txt\").|"),
            kFileMembers);
  // Below the caret: found once every line above was searched, from the end upwards.
  EXPECT_EQ(MembersAt(u"Sub Show\n  d.|\nEnd Sub\nDim d\nSET d = WScript.CreateObject( \"Scripting.Dictionary\" )"),
            (std::vector<std::string>{"Item", "Add", "Count", "Exists", "Items", "Key", "Keys", "Remove",
                                      "RemoveAll", "CompareMode", "HashVal"}));
  // Another variable's CreateObject does not stop the scan.
  EXPECT_TRUE(Contains(MembersAt(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
                                 u"Set d = CreateObject(\"Scripting.Dictionary\")\nfso.|"),
                       "GetFolder"));
  // The string argument reads as blanks, so the chain is objShell.Environment(        ).
  EXPECT_EQ(MembersAt(u"Set objShell = WScript.CreateObject(\"WScript.Shell\")\n"
                      u"objShell.Environment(\"SYSTEM\").|"),
            (std::vector<std::string>{"Item", "Count", "length", "Remove"}));
  EXPECT_EQ(MembersAt(u"Set x = CreateObject(\"No.Such.ProgId\")\nx.|"), kNone);
  EXPECT_EQ(MembersAt(u"' Set fso = CreateObject(\"Scripting.FileSystemObject\")\nfso.|"), kNone);
}

TEST_F(SourceAnalysisTest, AliasesAndForEachRewriteTheChain) {
  EXPECT_EQ(MembersAt(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
                      u"Set f = fso.GetFolder(\"c:\\temp\")\n"
                      u"Set g = f\n"
                      u"g.Files.|"),
            (std::vector<std::string>{"Item", "Count"}));
  EXPECT_EQ(MembersAt(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"
                      u"For Each file In fso.GetFolder(\"c:\\temp\").Files\n"
                      u"  file.|\nNext"),
            kFileMembers);
}

TEST_F(SourceAnalysisTest, WithBlocksResolveALeadingDotUntilAnEndWith) {
  const std::u16string opening = u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\nWith fso.GetFile(\"a\")\n";
  EXPECT_EQ(MembersAt(opening + u"  .|"), kFileMembers);
  EXPECT_TRUE(Contains(MembersAt(opening + u"  x = .ParentFolder.|"), "Files"));
  EXPECT_EQ(MembersAt(opening + u"  x = .ParentFolder(1).|"), kNone) << "ParentFolder takes no index, Item does not name Path";
  EXPECT_EQ(MembersAt(opening + u"End With\n  .|"), kNone);
}

TEST_F(SourceAnalysisTest, RegExpObjectsGetTheirPseudoTypes) {
  const std::u16string script = u"Set re = New RegExp\nFor Each m In re.Execute(s)\n";
  EXPECT_EQ(MembersAt(script + u"  m.|\nNext"), TableNames(MatchMembers));
  EXPECT_EQ(MembersAt(script + u"  m.SubMatches.|\nNext"), TableNames(SubMatchesMembers));
  EXPECT_EQ(MembersAt(script + u"re.|"), TableNames(RegExpMembers));
  EXPECT_EQ(MembersAt(script + u"re.Execute(\"a\").|"), TableNames(MatchesMembers));
  EXPECT_EQ(MembersAt(script + u"re.Execute(s)(0).|"), TableNames(MatchMembers));
  EXPECT_EQ(MembersAt(script + u"re.Pattern.|"), kNone);
}

TEST_F(SourceAnalysisTest, HostErrDebugAndScriptClasses) {
  const auto host = MembersAt(u"WScript.|");
  EXPECT_TRUE(Contains(host, "Echo") && Contains(host, "Arguments") && Contains(host, "StdOut"));
  EXPECT_TRUE(Contains(MembersAt(u"x = wscript.Arguments.|"), "Count"));
  EXPECT_EQ(MembersAt(u"If Err.|"), TableNames(ErrMembers));
  EXPECT_EQ(MembersAt(u"Err.Number.|"), kNone);
  EXPECT_EQ(MembersAt(u"debug.|"), TableNames(DebugMembers));

  const std::u16string counter =
      u"Class Counter\n  Private mCount\n  Public Sub Add(n)\n  End Sub\n"
      u"  Public Property Get Total\n  End Property\n  Private Function Hidden\n  End Function\n"
      u"  Dim Step, Label\nEnd Class\nSet c = New Counter\n";
  EXPECT_EQ(MembersAt(counter + u"c.|"), (std::vector<std::string>{"Add", "Label", "Step", "Total"}));
  EXPECT_EQ(MembersAt(counter + u"c.Add.|"), kNone) << "one level of script class members only";
}

TEST_F(SourceAnalysisTest, LongCaretLinesAndAnEmptyChainGiveNothing) {
  EXPECT_EQ(MembersAt(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\n" + std::u16string(260, u' ') +
                      u"fso.|"),
            kNone);
  // A long assignment line is passed over, so the one above it answers.
  EXPECT_EQ(MembersAt(u"Set f = fso.GetFile(\"x\")\nSet f = fso.GetFolder(\"" + std::u16string(300, u'x') +
                      u"\")\nf.|\nSet fso = CreateObject(\"Scripting.FileSystemObject\")"),
            kFileMembers);
  EXPECT_EQ(MembersAt(u"x = 1 + |"), kNone);
  EXPECT_EQ(MembersAt(u"x = \"a.|"), kNone);
}

TEST_F(SourceAnalysisTest, ParameterTipsForEveryKindOfCallee) {
  SParameterTipSource tip = TipAt(u"msgbox |");
  ASSERT_EQ(tip.kind, ETipKind::BuiltinFunction);
  EXPECT_EQ(tip.function->name, u"MsgBox");

  tip = TipAt(u"Show(|\nPrivate Sub   Show(text, count)   ' shows\n");
  ASSERT_EQ(tip.kind, ETipKind::ScriptProcedure);
  EXPECT_EQ(tip.declaration, u"Private Sub   Show(text, count)   ' shows");

  tip = TipAt(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\nfso.GetFolder(\"x\").Copy |");
  ASSERT_EQ(tip.kind, ETipKind::TypeLibraryFunction);
  EXPECT_EQ(tip.walk.func->name, u"Copy");
  EXPECT_EQ(tip.walk.func->docString, u"Copies the folder and all it holds.");

  tip = TipAt(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\nWith fso\n  .CopyFile(|");
  ASSERT_EQ(tip.kind, ETipKind::TypeLibraryFunction);
  EXPECT_EQ(tip.walk.func->name, u"CopyFile");

  tip = TipAt(u"WScript.Echo |");
  ASSERT_EQ(tip.kind, ETipKind::TypeLibraryFunction);
  EXPECT_EQ(tip.walk.func->name, u"Echo");

  tip = TipAt(u"Err.Raise |");
  ASSERT_EQ(tip.kind, ETipKind::BuiltinMember);
  EXPECT_EQ(tip.member->name, u"Raise");

  tip = TipAt(u"Set re = New RegExp\nx = re.Replace(|");
  ASSERT_EQ(tip.kind, ETipKind::BuiltinMember);
  EXPECT_EQ(tip.member, FindMember(RegExpMembers, u"Replace"));

  tip = TipAt(u"Class Box\n  Public Function Fill(a, b)\n  End Function\nEnd Class\nSet b = New Box\nb.Fill |");
  ASSERT_EQ(tip.kind, ETipKind::ScriptClassMethod);
  EXPECT_EQ(tip.declaration, u"Public Function Fill(a, b)");

  EXPECT_EQ(TipAt(u"NoSuchThing |").kind, ETipKind::None);
  EXPECT_EQ(TipAt(u"x = y.z(|").kind, ETipKind::None);
  EXPECT_EQ(TipAt(std::u16string(300, u' ') + u"MsgBox |").kind, ETipKind::None);
}

}  // namespace
}  // namespace quillet::intellisense
