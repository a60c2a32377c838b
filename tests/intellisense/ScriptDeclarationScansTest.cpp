// What the script declares: class members and methods, procedures, and the names in scope.

#include <gtest/gtest.h>

#include <string>

#include "ScriptSource.h"
#include "intellisense/ScriptDeclarationScans.h"
#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

using test::CScriptSource;

// "name:kind" in name order, kind 0 for a method and 1 for a property.
std::string Describe(const DeclaredNames& names) {
  std::string text;
  for (const auto& [name, kind] : names) {
    if (!text.empty()) text += ' ';
    text += platform::Utf16ToUtf8(name) + ':' + static_cast<char>(kind);
  }
  return text;
}

struct SScans {
  explicit SScans(std::u16string_view script) : source(script), scans(source, patterns, line) {}
  CScriptSource source;
  SAnalysisPatterns patterns;
  CPreparedLine line;
  CScriptDeclarationScans scans;
};

constexpr std::u16string_view kClasses =
    u"Class Other\n  Public Sub Elsewhere\n  End Sub\nEnd Class\n"
    u"class SHAPE\n"
    u"  Private Sub Class_Initialize\n  End Sub\n"
    u"  Public Property Get Area\n  End Property\n  Public Property Let Area(v)\n  End Property\n"
    u"  Function Grow(byRef n) ' Sub Fake\n  End Function\n"
    u"  Dim width, height\n"
    u"  Dim longName" "____________________________________________________________________________________________"
    u"____________________________________________________________________________________________________"
    u"____________________________________________________________________________________\n"
    u"End Class\n"
    u"Sub AfterClass\nEnd Sub\n";

TEST(ScriptClassScans, CollectPublicMembersOfTheNamedClassOnly) {
  SScans s(kClasses);
  const std::string longName = "longName" + std::string(276, '_');
  EXPECT_EQ(Describe(s.scans.CollectScriptClassMembers(u"Shape")),
            "Area:1 Grow:0 height:1 " + longName + ":1 width:1");
  EXPECT_EQ(Describe(s.scans.CollectScriptClassMembers(u"other")), "Elsewhere:0");
  EXPECT_EQ(Describe(s.scans.CollectScriptClassMembers(u"Missing")), "");
}

TEST(ScriptClassScans, FindAMethodSpelledExactlyAndNotPrivate) {
  SScans s(kClasses);
  EXPECT_EQ(s.scans.FindScriptClassMethod(u"shape", u"Grow"), u"Function Grow(byRef n)");
  EXPECT_EQ(s.scans.FindScriptClassMethod(u"Shape", u"grow"), std::nullopt);
  EXPECT_EQ(s.scans.FindScriptClassMethod(u"Shape", u"Class_Initialize"), std::nullopt);
  EXPECT_EQ(s.scans.FindScriptClassMethod(u"Shape", u"AfterClass"), std::nullopt) << "outside the class";
}

TEST(FindScriptProcedure, FirstDeclarationCutTo120CharactersLongLinesSkipped) {
  const std::u16string longLine = u"Sub Target(" + std::u16string(250, u'a') + u")";
  const std::u16string wide = u"\t  Function   Target(" + std::u16string(150, u'b') + u")  ";
  SScans s(u"x = \"Sub Target()\"\n" + longLine + u"\n" + wide + u"\nSub Target(second)\n");
  const auto found = s.scans.FindScriptProcedure(u"TARGET");
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, (u"Function   Target(" + std::u16string(150, u'b')).substr(0, 120 - 3));
  EXPECT_EQ(s.scans.FindScriptProcedure(u"Targ"), std::nullopt);
}

constexpr std::u16string_view kScopes =
    u"Dim globalAbove\n"            // 0
    u"Sub First(a)\n"               // 1
    u"  Dim firstLocal\n"           // 2
    u"End Sub\n"                    // 3
    u"Const LIMIT = 10\n"           // 4
    u"Function Second\n"            // 5
    u"  Dim secondLocal, more\n"    // 6
    u"  x = 1\n"                    // 7
    u"  Dim belowInSecond\n"        // 8
    u"End Function\n"               // 9
    u"y = 2\n"                      // 10
    u"Private globalBelow\n"        // 11
    u"Sub Third\n"                  // 12
    u"  Dim thirdLocal\n"           // 13
    u"End Sub";                     // 14

TEST(CollectDeclaredNames, InsideAProcedureItsOwnAndGlobalNames) {
  SScans s(kScopes);
  EXPECT_EQ(Describe(s.scans.CollectDeclaredNames(7)),
            "First:0 LIMIT:1 Second:0 Third:0 globalAbove:1 globalBelow:1 more:1 secondLocal:1");
}

TEST(CollectDeclaredNames, InGlobalCodeOnlyTheGlobalsAboveAndEveryProcedure) {
  SScans s(kScopes);
  EXPECT_EQ(Describe(s.scans.CollectDeclaredNames(10)), "First:0 LIMIT:1 Second:0 Third:0 globalAbove:1");
  SScans top(kScopes);
  EXPECT_EQ(Describe(top.scans.CollectDeclaredNames(0)), "First:0 Second:0 Third:0 globalAbove:1");
}

TEST(CollectDeclaredNames, ProceduresAfterATabOrAtTheLineStartButNotInsideOtherWords) {
  SScans s(u"Set objSubFolder = f.SubFolders\nx = Functional(1)\nsub\tTabbed()\nEnd Sub\n"
           u"Function Last : End Function\n|");
  EXPECT_EQ(Describe(s.scans.CollectDeclaredNames(5)), "Last:0 Tabbed:0");
}

}  // namespace
}  // namespace quillet::intellisense
