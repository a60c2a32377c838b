// Lines as the analysis patterns see them, and the patterns themselves on the lines that matter.

#include <gtest/gtest.h>

#include <string>

#include "ScriptSource.h"
#include "intellisense/AnalysisPatterns.h"
#include "intellisense/AsciiText.h"
#include "intellisense/PreparedLine.h"
#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

using test::CScriptSource;

std::string Utf8(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

std::string Group(regex::CRegExpW& pattern, std::u16string_view subject, int group) {
  const int start = pattern.SubStart(group);
  const int length = pattern.SubLength(group);
  if (start < 0 || length < 0) return "<unset>";
  return Utf8(subject.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
}

TEST(PreparedLine, BlanksCommentsStringsAndNumbersAtTheirColumnsAndCachesTheState) {
  CScriptSource source(u"x = f(\"a.b\", 12) ' obj.\nRem Set y = z\ny.Go");
  CPreparedLine line;
  ASSERT_TRUE(line.Prepare(source, 0, CPreparedLine::ELimit::SkipLongLines));
  EXPECT_EQ(Utf8(line.Text()), "x = f(     ,   )       ");
  EXPECT_EQ(Utf8(line.Raw()), "x = f(\"a.b\", 12) ' obj.");
  EXPECT_EQ(line.CStr()[line.Text().size()], u'\0');
  EXPECT_NE(source.CachedState(0), editor::CookieUnknown) << "preparing refreshes the view's state cache";

  ASSERT_TRUE(line.Prepare(source, 1, CPreparedLine::ELimit::SkipLongLines));
  EXPECT_EQ(Utf8(line.Text()), std::string(13, ' '));
  ASSERT_TRUE(line.Prepare(source, 2, CPreparedLine::ELimit::SkipLongLines));
  EXPECT_EQ(Utf8(line.Text()), "y.Go");
  line.CutAt(2);
  EXPECT_EQ(Utf8(line.Text()), "y.");
  EXPECT_EQ(line.CStr()[2], u'\0');
  EXPECT_FALSE(line.Prepare(source, 3, CPreparedLine::ELimit::None));
  EXPECT_FALSE(line.Prepare(source, -1, CPreparedLine::ELimit::None));
}

TEST(PreparedLine, LongLinesAreSkippedFromTwoHundredFiftySixAndCutToTheBuffer) {
  const std::u16string fits(255, u'a');
  const std::u16string limit(256, u'a');
  const std::u16string huge(20000, u'b');
  CScriptSource source(fits + u"\n" + limit + u"\n" + huge);
  CPreparedLine line;
  EXPECT_TRUE(line.Prepare(source, 0, CPreparedLine::ELimit::SkipLongLines));
  EXPECT_FALSE(line.Prepare(source, 1, CPreparedLine::ELimit::SkipLongLines));
  EXPECT_TRUE(line.Text().empty());
  EXPECT_TRUE(line.Prepare(source, 1, CPreparedLine::ELimit::None));
  ASSERT_TRUE(line.Prepare(source, 2, CPreparedLine::ELimit::None));
  EXPECT_EQ(line.Text().size(), CPreparedLine::kBufferSize - 1);
  EXPECT_EQ(line.CStr()[CPreparedLine::kBufferSize - 1], u'\0');
}

TEST(AsciiText, WordsAreFoundInEitherCaseWhereverTheyStart) {
  EXPECT_EQ(FindWordsNoCase(u"x = SUB + Dim", {u"dim", u"private", u"sub"}), 0b101u);
  EXPECT_EQ(FindWordsNoCase(u"PrivateS", {u"dim", u"private", u"sub"}), 0b010u);
  EXPECT_EQ(FindWordsNoCase(u"su", {u"sub"}), 0u);
  EXPECT_TRUE(ContainsAnyNoCase(u"  eND wITH", {u"set", u"with"}));
  EXPECT_FALSE(ContainsAnyNoCase(u"wit", {u"with"}));
  EXPECT_EQ(FindNoCase(u"aaAB", u"ab"), 2u);
  EXPECT_EQ(FindNoCase(u"a", u"ab"), std::u16string_view::npos);
}

TEST(AnalysisPatterns, MatchWithoutRegardToCaseAndAcceptTabsWhereBlanksAre) {
  SAnalysisPatterns patterns;
  const std::u16string create = u"\tSET\tfso = WScript.CreateObject(\"Scripting.FileSystemObject\")";
  ASSERT_TRUE(patterns.setCreateObject.Match(create.c_str()));
  EXPECT_EQ(Group(patterns.setCreateObject, create, 2), "fso");
  EXPECT_EQ(Group(patterns.setCreateObject, create, 4), "\"Scripting.FileSystemObject\"");

  const std::u16string chain = u"  x = fso.GetFolder(   ).Files.";
  ASSERT_TRUE(patterns.chain.Match(chain.c_str()));
  EXPECT_EQ(Group(patterns.chain, chain, 0), " fso.GetFolder(   ).Files.");
  EXPECT_FALSE(patterns.chain.Match(u"x = a.b"));

  const std::u16string firstWord = u"objShell.Environment(  ).";
  ASSERT_TRUE(patterns.firstIdentifier.Match(firstWord.c_str()));
  EXPECT_EQ(Group(patterns.firstIdentifier, firstWord, 1), "objShell");

  const std::u16string leading = u"\t.Range(1).";
  ASSERT_TRUE(patterns.leadingDotChain.Match(leading.c_str()));
  EXPECT_EQ(Group(patterns.leadingDotChain, leading, 0), "\t.Range(1).");
  EXPECT_TRUE(patterns.bareDot.Match(u"   ."));
  EXPECT_TRUE(patterns.bareDot.Match(u"."));
  EXPECT_FALSE(patterns.bareDot.Match(u"a."));

  const std::u16string forEach = u"For\tEach m IN re.Execute(s)";
  ASSERT_TRUE(patterns.forEach.Match(forEach.c_str()));
  EXPECT_EQ(Group(patterns.forEach, forEach, 1), "m");
  EXPECT_EQ(Group(patterns.forEach, forEach, 2), "re.Execute(s)");

  const std::u16string with = u"  with objExcel.ActiveSheet";
  ASSERT_TRUE(patterns.with.Match(with.c_str()));
  EXPECT_EQ(Group(patterns.with, with, 1), " objExcel.ActiveSheet");
  EXPECT_TRUE(patterns.endWith.Match(u"  END  WITH"));

  const std::u16string call = u"x = fso.GetFile(    ).Copy ";
  ASSERT_TRUE(patterns.callChain.Match(call.c_str()));
  EXPECT_EQ(Group(patterns.callChain, call, 0), "fso.GetFile(    ).Copy ");
  const std::u16string leadingCall = u"  .Cells(";
  ASSERT_TRUE(patterns.callLeadingDot.Match(leadingCall.c_str()));
  EXPECT_EQ(Group(patterns.callLeadingDot, leadingCall, 0), "  .Cells(");

  const std::u16string member = u"  Public Property Get Total()";
  ASSERT_TRUE(patterns.classMember.Match(member.c_str()));
  EXPECT_EQ(Group(patterns.classMember, member, 3), "Total");
  EXPECT_TRUE(patterns.endClass.Match(u"End Class"));
  EXPECT_FALSE(patterns.endClass.Match(u"End Classic"));
  const std::u16string declaration = u"const Limit = 10";
  ASSERT_TRUE(patterns.declaration.Match(declaration.c_str()));
  EXPECT_EQ(Group(patterns.declaration, declaration, 2), "Limit");
  EXPECT_FALSE(patterns.dim.Match(u"Dimension = 1"));
}

}  // namespace
}  // namespace quillet::intellisense
