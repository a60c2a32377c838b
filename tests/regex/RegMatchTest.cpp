// Matching behaviour as the source analysis relies on it: where a match starts, how long it is,
// and which groups it sets.

#include <gtest/gtest.h>

#include <string>

#include "regex/RegExpW.h"

namespace quillet::regex {
namespace {

// The text of group i of the first match, or "<none>" when there is no match or no group.
std::u16string Find(const char16_t* pattern, const char16_t* subject, int group = 0,
                    ERegCase caseMode = ERegCase::Sensitive) {
  CRegExpW re(pattern, caseMode);
  if (!re.Match(subject)) return u"<none>";
  const int start = re.SubStart(group);
  const int length = re.SubLength(group);
  if (start < 0 || length < 0) return u"<unset>";
  return std::u16string(subject + start, static_cast<size_t>(length));
}

std::u16string FindFolded(const char16_t* pattern, const char16_t* subject, int group = 0) {
  return Find(pattern, subject, group, ERegCase::Insensitive);
}

TEST(RegMatch, LeftmostMatchWithGreedyRepetition) {
  EXPECT_EQ(Find(u"", u"xyz"), u"");
  EXPECT_EQ(Find(u"abc", u"aababcabc"), u"abc");
  CRegExpW re(u"abc", ERegCase::Sensitive);
  ASSERT_TRUE(re.Match(u"aababc"));
  EXPECT_EQ(re.SubStart(0), 3);
  EXPECT_EQ(re.SubStrings(), 0);

  // A literal run gives its last character to the operator.
  EXPECT_EQ(Find(u"ab*", u"xabbbc"), u"abbb");
  EXPECT_EQ(Find(u"ab+", u"xaabab"), u"ab");
  EXPECT_EQ(Find(u"abc?d", u"abd abcd"), u"abd");
  // Giving back characters to what follows, with and without a literal look-ahead.
  EXPECT_EQ(Find(u"a*ab", u"caaab"), u"aaab");
  EXPECT_EQ(Find(u"x.*[0-9]", u"x12y3z"), u"x12y3");
  EXPECT_EQ(Find(u"[ab]+b", u"aabbb!"), u"aabbb");
  EXPECT_EQ(Find(u"a.", u"a"), u"<none>");
  EXPECT_EQ(Find(u"(ab)+", u"xababa"), u"abab");
  EXPECT_EQ(Find(u"(ab|a)*c", u"abaabc"), u"abaabc");
  EXPECT_EQ(Find(u"x(ab)?c", u"xc xabc", 0), u"xc");
}

TEST(RegMatch, AnchorsAndWordBoundaries) {
  EXPECT_EQ(Find(u"^ab", u"xab"), u"<none>");
  EXPECT_EQ(Find(u"^ab", u"abab"), u"ab");
  EXPECT_EQ(Find(u"b$", u"abab"), u"b");
  // No multi-line mode: a newline is an ordinary character.
  EXPECT_EQ(Find(u"a$", u"a\nb"), u"<none>");
  EXPECT_EQ(Find(u"a\nb", u"xa\nb"), u"a\nb");

  CRegExpW wordStart(u"\\<ab", ERegCase::Sensitive);
  ASSERT_TRUE(wordStart.Match(u"cab ab"));
  EXPECT_EQ(wordStart.SubStart(0), 4);
  EXPECT_FALSE(wordStart.Match(u"xab_ab"));
  EXPECT_TRUE(wordStart.Match(u"ab"));
  // \> looks only at the current character, so it also holds after a non-word character and
  // at the end of the subject.
  CRegExpW wordEnd(u"\\>", ERegCase::Sensitive);
  ASSERT_TRUE(wordEnd.Match(u"ab  c"));
  EXPECT_EQ(wordEnd.SubStart(0), 2);
  ASSERT_TRUE(wordEnd.Match(u"abc"));
  EXPECT_EQ(wordEnd.SubStart(0), 3);
  EXPECT_EQ(Find(u"c\\>", u"cd ac"), u"c");
  EXPECT_EQ(Find(u"ab\\>", u"abc ab"), u"ab");
  // Only ASCII letters, digits and the underscore make words.
  EXPECT_EQ(Find(u"\\<x", u"\u00e9x"), u"x");
}

TEST(RegMatch, SetsAndEscapes) {
  EXPECT_EQ(Find(u"[]a]+", u"x]a]b"), u"]a]");
  EXPECT_EQ(Find(u"[^]a]+", u"]]bc]"), u"bc");
  EXPECT_EQ(Find(u"[a-]+", u"x-a-b"), u"-a-");
  EXPECT_EQ(Find(u"[-a]+", u"x-a-b"), u"-a-");
  EXPECT_EQ(Find(u"[a-c]+", u"xabcd"), u"abc");
  EXPECT_EQ(Find(u"[^a-c]+", u"abxyc"), u"xy");
  // Inside brackets a backslash is an ordinary member.
  EXPECT_EQ(Find(u"[\\.]+", u"a.\\.b"), u".\\.");
  EXPECT_EQ(Find(u"\\(([^\\)]*)\\)", u"Foo(a\\b) + (c)", 1), u"c");
  EXPECT_EQ(Find(u"\\(([^\\)]*)\\)", u"x = Foo() + Bar(1)", 1), u"");
  EXPECT_EQ(Find(u"\\(([^\\)]*)\\)", u"Foo(a, (b)", 1), u"a, (b");
  // Outside brackets an escape makes any character literal.
  EXPECT_EQ(Find(u"a\\.b", u"axb a.b"), u"a.b");
  EXPECT_EQ(Find(u"\\\\x", u"a\\x"), u"\\x");
  EXPECT_EQ(Find(u"a\\*+", u"a***b"), u"a***");
  EXPECT_EQ(Find(u"\\*\\+\\?", u"a*+?"), u"*+?");
}

TEST(RegMatch, GroupsReportTheirPositionsAndCount) {
  CRegExpW twoGroups(u"(a)(b)?", ERegCase::Sensitive);
  ASSERT_TRUE(twoGroups.Match(u"xac"));
  EXPECT_EQ(twoGroups.SubStrings(), 1);
  EXPECT_EQ(twoGroups.SubStart(1), 1);
  EXPECT_EQ(twoGroups.SubStart(2), -1);
  EXPECT_EQ(twoGroups.SubLength(2), -1);
  ASSERT_TRUE(twoGroups.Match(u"ab"));
  EXPECT_EQ(twoGroups.SubStrings(), 2);
  EXPECT_EQ(twoGroups.SubStart(2), 1);

  // The count stops at the first group that took no part, even when a later one did.
  CRegExpW firstOptional(u"(a)?(b)", ERegCase::Sensitive);
  ASSERT_TRUE(firstOptional.Match(u"b"));
  EXPECT_EQ(firstOptional.SubStrings(), 0);
  EXPECT_EQ(firstOptional.SubStart(2), 0);
  EXPECT_EQ(firstOptional.SubLength(2), 1);

  // A repeated group reports its last pass.
  EXPECT_EQ(Find(u"(a.)*", u"a1a2a3", 1), u"a3");
  EXPECT_EQ(Find(u"(a.)+x", u"a1a2x", 1), u"a2");
  EXPECT_EQ(Find(u"(ab|cd)e", u"abcde", 1), u"cd");

  // Nothing may be read after a failed match, even what an earlier match set.
  ASSERT_TRUE(twoGroups.Match(u"ab"));
  EXPECT_FALSE(twoGroups.Match(u"zz"));
  EXPECT_EQ(twoGroups.SubStrings(), -1);
  EXPECT_EQ(twoGroups.SubStart(0), -1);
  EXPECT_EQ(twoGroups.SubStart(1), -1);
  EXPECT_EQ(twoGroups.SubLength(0), -1);
  EXPECT_EQ(twoGroups.SubStart(10), -1);
  EXPECT_EQ(twoGroups.SubStart(-1), -1);
}

TEST(RegMatch, CaseInsensitiveFoldsLettersOutsideBrackets) {
  const char16_t* endClass = u"^[\t ]*end[\t ]+class($|[\t ]+)";
  for (const char16_t* line : {u"End Class", u"END CLASS  ' x", u"  eNd\tcLaSs"}) {
    EXPECT_NE(FindFolded(endClass, line), u"<none>");
  }
  for (const char16_t* line : {u"EndClass", u"End Classy", u"x End Class"}) {
    EXPECT_EQ(FindFolded(endClass, line), u"<none>");
  }
  EXPECT_EQ(Find(endClass, u"End Class"), u"<none>");

  // A range of lower-case letters in brackets stays lower-case only.
  EXPECT_EQ(FindFolded(u"x[a-z]+", u"XAb Xab"), u"Xab");
  // A ] that opens a set is a member, not the set's end, so what follows is still folded.
  EXPECT_EQ(FindFolded(u"[]a]b", u"aB"), u"aB");
  EXPECT_EQ(FindFolded(u"[^]]b", u"]B xB"), u"xB");
  // Escaped characters are folded for what they mean.
  EXPECT_EQ(FindFolded(u"\\[a\\]", u"[A]"), u"[A]");
  EXPECT_EQ(FindFolded(u"\\x\\<y", u"X Y XY"), u"<none>");
  EXPECT_EQ(FindFolded(u"x\\<y", u"X Y X-Y"), u"<none>");
  EXPECT_EQ(FindFolded(u"-\\<y", u"X-Y"), u"-Y");
  EXPECT_EQ(FindFolded(u"(wscript\\.createobject|createobject)", u"x = WScript.CreateObject(", 1),
            u"WScript.CreateObject");
}

TEST(RegMatch, PatternsOfTheSourceAnalysis) {
  const char16_t* setAssign =
      u"^([\t ]*set[\t ]+)([a-zA-Z_]+[a-zA-Z_0-9]*)[\t ]*=(([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*"
      u"(\\.|[\t ]*\\([^\\)]*\\)[\\.]*)*)+)";
  const char16_t* line = u"  Set f = fso.GetFolder(\"   \").Files";
  EXPECT_EQ(FindFolded(setAssign, line, 2), u"f");
  EXPECT_EQ(FindFolded(setAssign, line, 3), u" fso.GetFolder(\"   \").Files");

  const char16_t* createObject =
      u"(Set[\t ]+)([a-zA-Z_]+[a-zA-Z_0-9]*)[\t ]*=[\t ]*(wscript\\.createobject|createobject)"
      u"[\t ]*\\(([^\\)]*)\\)";
  const char16_t* create = u"set fso = CreateObject(\"Scripting.FileSystemObject\")";
  EXPECT_EQ(FindFolded(createObject, create, 2), u"fso");
  EXPECT_EQ(FindFolded(createObject, create, 4), u"\"Scripting.FileSystemObject\"");

  const char16_t* chain =
      u"(([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*)([\t ]*\\([^\\)]*\\))*\\.)+$";
  EXPECT_EQ(FindFolded(chain, u"x = objShell.Environment(      )."),
            u" objShell.Environment(      ).");
  EXPECT_EQ(FindFolded(chain, u"If a.b(1).c"), u"<none>");

  const char16_t* withLine = u"^[\t ]*With(([\t ]*[a-zA-Z_]+[a-zA-Z_0-9]*(\\.|[\t ]*\\([^\\)]*\\)"
                             u"[\\.]*)*)+)";
  EXPECT_EQ(FindFolded(withLine, u"\twith objExcel.ActiveSheet", 1), u" objExcel.ActiveSheet");

  const char16_t* declaration =
      u"^[\t ]*(dim|private|const)[\t ]+([a-zA-Z_]+[a-zA-Z_0-9]*)+(,[a-zA-Z_]+[a-zA-Z_0-9]*)*";
  CRegExpW dim(declaration, ERegCase::Insensitive);
  ASSERT_TRUE(dim.Match(u"  DIM alpha,beta2,_g"));
  EXPECT_EQ(dim.SubStart(2), 6);
  EXPECT_EQ(dim.SubLength(0), 20);
}

}  // namespace
}  // namespace quillet::regex
