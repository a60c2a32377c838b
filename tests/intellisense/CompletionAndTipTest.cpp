// What a completion request does with the names found, how the list orders and preselects
// them and where it goes on the screen, and the two lines of every kind of parameter tip, read
// from scripts against the engine's generated libraries.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnalysisFixtures.h"
#include "ScriptSource.h"
#include "intellisense/CompletionDecision.h"
#include "intellisense/MemberListSelection.h"
#include "intellisense/ParameterTip.h"
#include "intellisense/SourceAnalysis.h"
#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

using EKind = SCompletionDecision::EKind;

CCompletionSet SetOf(std::initializer_list<std::u16string_view> names) {
  CCompletionSet set;
  for (auto name : names) set.Add(name, ECompletionImage::Method, name);
  return set;
}

CCompletionSet ErrSet() {
  CCompletionSet set;
  set.AddTable(ErrMembers);
  return set;
}

TEST(CompletionDecision, OneMatchIsInsertedAnyOtherNumberShowsTheList) {
  const CCompletionSet err = ErrSet();
  EXPECT_EQ(DecideCompletion(err, u"", false).kind, EKind::ShowList);
  const SCompletionDecision raise = DecideCompletion(err, u"r", false);
  EXPECT_EQ(raise.kind, EKind::Replace);
  EXPECT_EQ(raise.name, u"Raise");
  EXPECT_EQ(raise.count, 1);
  EXPECT_EQ(DecideCompletion(err, u"help", false).kind, EKind::ShowList);
  EXPECT_EQ(DecideCompletion(err, u"xyz", false).kind, EKind::ShowList);
  // A name shorter than the prefix does not begin with it.
  EXPECT_EQ(DecideCompletion(SetOf({u"Ab"}), u"Abc", false).kind, EKind::ShowList);
  // A type with a single member completes straight after the dot.
  const SCompletionDecision single = DecideCompletion(SetOf({u"Only"}), u"", false);
  EXPECT_EQ(single.kind, EKind::Replace);
  EXPECT_EQ(single.name, u"Only");
  EXPECT_EQ(single.count, 0);
  EXPECT_EQ(DecideCompletion(CCompletionSet(), u"", false).kind, EKind::Nothing);
}

TEST(CompletionDecision, CaseCorrectionOnlyEverRespellsAnEqualName) {
  const CCompletionSet err = ErrSet();
  const SCompletionDecision number = DecideCompletion(err, u"NUMBER", true);
  EXPECT_EQ(number.kind, EKind::Replace);
  EXPECT_EQ(number.name, u"Number");
  EXPECT_EQ(number.count, 6);
  EXPECT_EQ(DecideCompletion(err, u"Number", true).kind, EKind::Nothing);
  EXPECT_EQ(DecideCompletion(err, u"Num", true).kind, EKind::Nothing);
  EXPECT_EQ(DecideCompletion(SetOf({u"Only"}), u"", true).kind, EKind::Nothing);
}

std::vector<std::string> Order(const std::vector<const SCompletionEntry*>& sorted) {
  std::vector<std::string> names;
  for (const auto* entry : sorted) names.push_back(platform::Utf16ToUtf8(entry->name));
  return names;
}

TEST(MemberListSelection, SortedWithoutRegardToCaseAndPreselectedOnThePrefix) {
  const CCompletionSet err = ErrSet();
  const auto sorted = SortedForList(err);
  EXPECT_EQ(Order(sorted), (std::vector<std::string>{"Clear", "Description", "HelpContext", "HelpFile", "Number",
                                                     "Raise", "Source"}));
  EXPECT_EQ(Order(SortedForList(SetOf({u"item", u"Add", u"count", u"Exists"}))),
            (std::vector<std::string>{"Add", "count", "Exists", "item"}));
  EXPECT_EQ(InitialSelection(sorted, u""), 0);
  EXPECT_EQ(InitialSelection(sorted, u"HELP"), 2);  // the first of the two
  EXPECT_EQ(InitialSelection(sorted, u"helpf"), 3);
  EXPECT_EQ(InitialSelection(sorted, u"n"), 4);
  EXPECT_EQ(InitialSelection(sorted, u"zz"), 6);  // where the search ended
  EXPECT_EQ(InitialSelection(sorted, u"a"), 0);
  EXPECT_EQ(InitialSelection({}, u"a"), -1);
}

TEST(MemberListSelection, TypedWordMovesToTheFirstNameNotLessThanIt) {
  const CCompletionSet err = ErrSet();
  const auto sorted = SortedForList(err);
  EXPECT_EQ(SelectionForTypedWord(sorted, u""), 0);
  EXPECT_EQ(SelectionForTypedWord(sorted, u"d"), 1);
  EXPECT_EQ(SelectionForTypedWord(sorted, u"HE"), 2);
  EXPECT_EQ(SelectionForTypedWord(sorted, u"numberx"), 5);  // Number is shorter, so less
  EXPECT_EQ(SelectionForTypedWord(sorted, u"x"), std::nullopt);
}

TEST(MemberListSelection, PlacedBelowTheLineUnlessTheWorkAreaEnds) {
  const SScreenRect work{0, 0, 1000, 800};
  const SScreenPoint below = PlaceMemberList({100, 200}, 16, 8, 150, 100, work);
  EXPECT_EQ(below.x, 84);
  EXPECT_EQ(below.y, 218);
  const SScreenPoint left = PlaceMemberList({900, 200}, 16, 8, 150, 100, work);
  EXPECT_EQ(left.x, 750);
  const SScreenPoint above = PlaceMemberList({100, 750}, 16, 8, 150, 100, work);
  EXPECT_EQ(above.y, 652);
  // Exactly at the edge still fits.
  EXPECT_EQ(PlaceMemberList({850, 682}, 16, 8, 150, 100, work).y, 700);
  EXPECT_EQ(PlaceMemberList({850, 682}, 16, 8, 150, 100, work).x, 834);
}

class ParameterTipTest : public ::testing::Test {
 protected:
  std::optional<SParameterTip> TipAt(std::u16string_view script) {
    test::CScriptSource source(script);
    CSourceAnalysis analysis(source, *classes.resolver, classes.registry);
    return BuildParameterTip(analysis.AnalyseForParameterTip(source.caretColumn, source.caretLine));
  }
  std::string Syntax(std::u16string_view script) {
    const auto tip = TipAt(script);
    return tip ? platform::Utf16ToUtf8(tip->syntax) : "<none>";
  }
  std::string Description(std::u16string_view script) {
    const auto tip = TipAt(script);
    return tip ? platform::Utf16ToUtf8(tip->description) : "<none>";
  }

  test::SGeneratedClasses classes;
};

TEST_F(ParameterTipTest, BuiltinFunctionsAndMembersShowTheirRows) {
  EXPECT_EQ(Syntax(u"MsgBox |"), "MsgBox (prompt, [buttons], [title], [helpfile], [context])");
  EXPECT_EQ(Description(u"MsgBox |"), "Displays a message in a dialog box");
  EXPECT_EQ(Syntax(u"x = Asc(|"), "Asc (string)");
  EXPECT_EQ(Syntax(u"c = RGB(|"), "RGB (red, green, blue");
  EXPECT_EQ(Syntax(u"Err.Raise(|"), "Raise (number, source, description, helpfile, helpcontext)");
  EXPECT_EQ(Description(u"Err.Raise(|"), "Generates a run-time error.");
  EXPECT_EQ(Syntax(u"Set re = New RegExp\nSet ms = re.Execute(|"), "Execute (string)");
  EXPECT_EQ(Syntax(u"Nothing_declared |"), "<none>");
}

TEST_F(ParameterTipTest, ScriptProceduresShowTheirDeclarationWithoutDescription) {
  EXPECT_EQ(Syntax(u"Sub ShowInfo(text) ' tells the user\nEnd Sub\nShowInfo |"),
            "Sub ShowInfo(text) ' tells the user");
  EXPECT_EQ(Description(u"Sub ShowInfo(text)\nEnd Sub\nShowInfo |"), "");
  const std::u16string_view classScript =
      u"Class Greeter\n  Public Sub Hello(name, times)\n  End Sub\nEnd Class\nSet g = New Greeter\ng.Hello |";
  EXPECT_EQ(Syntax(classScript), "Public Sub Hello(name, times)");
}

TEST_F(ParameterTipTest, LibraryFunctionsShowParameterNamesWithOptionalOnesInBrackets) {
  ASSERT_TRUE(classes.loaded);
  const std::u16string_view script =
      u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\nSet ts = fso.OpenTextFile(|";
  EXPECT_EQ(Syntax(script), "OpenTextFile (FileName, [IOMode], [Create], [Format])");
  EXPECT_FALSE(Description(script).empty());
  EXPECT_EQ(Syntax(u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\nfso.GetFolder |"),
            "GetFolder (FolderPath)");

  typeinfo::SFuncDesc unnamed;
  unnamed.name = u"Go";
  unnamed.params.resize(1);
  EXPECT_EQ(TypeLibraryFunctionSyntax(unnamed), std::nullopt);
  unnamed.params[0].name = u"where";
  EXPECT_EQ(TypeLibraryFunctionSyntax(unnamed), u"Go (where)");
}

class DeclaredSpellingTest : public ::testing::Test {
 protected:
  std::string SpellingOf(std::u16string_view script, std::u16string_view word) {
    test::CScriptSource source(script);
    test::SGeneratedClasses classes;
    CSourceAnalysis analysis(source, *classes.resolver, classes.registry);
    const auto spelling = analysis.Declarations().FindDeclaredSpelling(source.caretLine, word);
    return spelling ? platform::Utf16ToUtf8(*spelling) : "<none>";
  }
};

TEST_F(DeclaredSpellingTest, NamesInScopeGiveTheirSpelling) {
  const std::u16string_view script =
      u"Dim myValue, Other\nSub Work(a)\n  Dim local1\nEnd Sub\nClass Greeter\nEnd Class\n|";
  EXPECT_EQ(SpellingOf(script, u"MYVALUE"), "myValue");
  EXPECT_EQ(SpellingOf(script, u"OTHER"), "Other");
  EXPECT_EQ(SpellingOf(script, u"work"), "Work");
  EXPECT_EQ(SpellingOf(script, u"greeter"), "Greeter");
  EXPECT_EQ(SpellingOf(script, u"myValue"), "<none>");  // already so
  EXPECT_EQ(SpellingOf(script, u"LOCAL1"), "<none>");   // another procedure's local
  // Inside the procedure its locals count.
  EXPECT_EQ(SpellingOf(u"Sub Work(a)\n  Dim local1\n  |\nEnd Sub", u"LOCAL1"), "local1");
  // A name equal in case does not end the search: a later declaration may differ.
  EXPECT_EQ(SpellingOf(u"Dim abc\nDim ABC\n|", u"ABC"), "abc");
  // Long lines are passed over.
  const std::u16string longLine = u"Dim longName ' " + std::u16string(260, u'x') + u"\n|";
  EXPECT_EQ(SpellingOf(longLine, u"LONGNAME"), "<none>");
}

TEST(CompleteWordSet, LanguageWordsFirstThenDeclaredNames) {
  CCompletionSet set;
  set.AddLanguageWords();
  set.AddDeclaredNames({{u"MsText", EMemberKind::Property}, {u"Run", EMemberKind::Method}, {u"Abs", EMemberKind::Property}});
  EXPECT_EQ(set.Entries().front().name, u"Abs");
  EXPECT_EQ(set.Entries().front().image, ECompletionImage::Method);  // the word's, not the declaration's
  EXPECT_EQ(set.Entries().size(), 219u + 2u);
  EXPECT_EQ(set.Find(u"MsText")->image, ECompletionImage::Property);
  EXPECT_EQ(set.Find(u"Run")->image, ECompletionImage::Method);
  EXPECT_EQ(set.Find(u"MsgBox")->statusText, u"MsgBox");
}

}  // namespace
}  // namespace quillet::intellisense
