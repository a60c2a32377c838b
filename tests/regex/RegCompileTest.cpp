// The compiled form is a contract with the layout of the nodes: two programs are checked unit by
// unit, then the hints and the syntax errors.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regex/RegExpW.h"
#include "regex/RegValidatorW.h"

namespace quillet::regex {
namespace {

std::vector<char16_t> UnitsOf(const CRegExpW& re) {
  const auto units = re.Program()->Units();
  return {units.begin(), units.end()};
}

TEST(RegCompile, ProgramsMatchTheirLayoutUnitByUnit) {
  const std::vector<char16_t> alternation = {0xFF9C, 6, 8, 0, 8, 13, 0, u'a', 0, 6, 8, 0,
                                             8,      5, 0, u'b', 0, 0, 0, 0};
  CRegExpW aOrB(u"a|b", ERegCase::Sensitive);
  EXPECT_EQ(UnitsOf(aOrB), alternation);
  EXPECT_EQ(aOrB.Program()->StartChar(), 0);
  EXPECT_FALSE(aOrB.Program()->Anchored());
  EXPECT_TRUE(aOrB.Program()->MustContain().empty());

  const std::vector<char16_t> star = {0xFF9C, 6, 16, 0, 8, 5, 0, u'a', 0, 10, 8, 0,
                                      8,      0, 0,  u'b', 0, 0, 0, 0};
  CRegExpW abStar(u"ab*", ERegCase::Sensitive);
  EXPECT_EQ(UnitsOf(abStar), star);
  EXPECT_EQ(abStar.Program()->StartChar(), u'a');
  EXPECT_TRUE(abStar.Program()->MustContain().empty());

  const std::vector<char16_t> empty = {0xFF9C, 6, 6, 0, 9, 3, 0, 0, 0, 0};
  CRegExpW nothing(u"", ERegCase::Sensitive);
  EXPECT_EQ(UnitsOf(nothing), empty);
}

TEST(RegCompile, HintsComeFromTheOnlyTopLevelBranch) {
  EXPECT_TRUE(CRegExpW(u"^abc", ERegCase::Sensitive).Program()->Anchored());
  EXPECT_FALSE(CRegExpW(u"^a|b", ERegCase::Sensitive).Program()->Anchored());
  // Only a pattern that starts with a repetition looks for a literal; the later of two equally
  // long ones wins.
  EXPECT_EQ(CRegExpW(u".*foo.*barbaz", ERegCase::Sensitive).Program()->MustContain(), u"barbaz");
  EXPECT_EQ(CRegExpW(u".*ab.*cd", ERegCase::Sensitive).Program()->MustContain(), u"cd");
  EXPECT_TRUE(CRegExpW(u"x.*foo", ERegCase::Sensitive).Program()->MustContain().empty());
  // A literal inside an alternative is not certain.
  EXPECT_EQ(CRegExpW(u".*(ab|cd)ef", ERegCase::Sensitive).Program()->MustContain(), u"ef");
  // Folding turns letters into sets, so a folded pattern has no start character.
  EXPECT_EQ(CRegExpW(u"abc", ERegCase::Insensitive).Program()->StartChar(), 0);
}

struct SBadPattern {
  const char16_t* pattern;
  ERegError error;
};

TEST(RegCompile, SyntaxErrorsAreNamedAndLeaveAProgramThatNeverMatches) {
  const std::u16string tenGroups = u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)";
  const SBadPattern cases[] = {
      {u"a**", ERegError::NestedRepeat},      {u"a+?", ERegError::NestedRepeat},
      {u"(ab)?*", ERegError::NestedRepeat},   {u"*a", ERegError::RepeatFollowsNothing},
      {u"(+a)", ERegError::RepeatFollowsNothing}, {u"a|?b", ERegError::RepeatFollowsNothing},
      {u"()*", ERegError::EmptyRepeat},       {u"(^)+", ERegError::EmptyRepeat},
      {u"x[b-a]", ERegError::InvalidRange},   {u"[abc", ERegError::UnmatchedBracket},
      {u"[]", ERegError::UnmatchedBracket},   {u"ab\\", ERegError::TrailingBackslash},
      {u"(ab", ERegError::UnterminatedGroup}, {u"ab)", ERegError::UnmatchedClose},
      {tenGroups.c_str(), ERegError::TooManyGroups},
  };
  for (const SBadPattern& bad : cases) {
    SCOPED_TRACE(std::string(bad.pattern, bad.pattern + std::char_traits<char16_t>::length(bad.pattern)));
    CRegValidatorW validator;
    EXPECT_FALSE(validator.Parse(bad.pattern));
    EXPECT_EQ(validator.ErrorText(), RegErrorText(static_cast<int>(bad.error)));

    CRegExpW re(bad.pattern, ERegCase::Sensitive);
    EXPECT_TRUE(re.Program()->Units().empty());
    EXPECT_FALSE(re.Match(u"abcdefghij()*+?"));
    EXPECT_EQ(re.Program()->ErrorText(), u"corrupted regexp");
    EXPECT_EQ(re.SubStrings(), -1);
  }
  for (const char16_t* good : {u"()?", u"(a)(b)(c)(d)(e)(f)(g)(h)(i)", u"[b-b]", u"a\\*+"}) {
    CRegValidatorW validator;
    EXPECT_TRUE(validator.Parse(good));
    EXPECT_TRUE(validator.ErrorText().empty());
  }
}

TEST(RegCompile, ErrorTableKeepsItsTexts) {
  EXPECT_EQ(RegErrorText(1), u"NULL argument to regexec");
  EXPECT_EQ(RegErrorText(11), u"regexp too big");
  EXPECT_EQ(RegErrorText(16), u"*+ operand could be empty");
  EXPECT_EQ(RegErrorText(20), u"internal error: \\\\0|) unexpected");
  EXPECT_EQ(RegErrorText(22), u"trailing \\\\");
  EXPECT_EQ(RegErrorText(24), u"NULL regexp");
  EXPECT_EQ(RegErrorText(0), u"Unknown error");
  EXPECT_EQ(RegErrorText(99), u"Unknown error");
}

TEST(RegCompile, ProgramSizeLimitHoldsAtItsBoundary) {
  // A literal of n characters needs n + 11 units: magic, BRANCH, EXACTLY, its NUL and END.
  const std::u16string longest(32755, u'a');
  CRegExpW fits(longest, ERegCase::Sensitive);
  EXPECT_EQ(fits.Program()->Units().size(), 32766u);
  const std::u16string subject = u"b" + longest;
  EXPECT_TRUE(fits.Match(subject.c_str()));
  EXPECT_EQ(fits.SubStart(0), 1);
  EXPECT_EQ(fits.SubLength(0), 32755);

  CRegExpW tooBig(longest + u"a", ERegCase::Sensitive);
  EXPECT_TRUE(tooBig.Program()->Units().empty());
  EXPECT_EQ(tooBig.Program()->ErrorText(), u"regexp too big");

  // Ranges are counted unit by unit; a set of every unit is refused without being emitted.
  const char16_t everyUnit[] = {u'[', 1, u'-', 0xFFFF, u']', 0};
  CRegExpW wide(everyUnit, ERegCase::Sensitive);
  EXPECT_EQ(wide.Program()->ErrorText(), u"regexp too big");
}

TEST(RegCompile, NullArgumentsAndMovedFromObjectsFailWithTheirErrors) {
  CRegExpW nullPattern(static_cast<const char16_t*>(nullptr), ERegCase::Insensitive);
  EXPECT_EQ(nullPattern.Program()->ErrorText(), u"NULL argument to regcomp");
  EXPECT_FALSE(nullPattern.Match(u"x"));

  CRegExpW re(u"x", ERegCase::Sensitive);
  EXPECT_FALSE(re.Match(nullptr));
  EXPECT_EQ(re.Program()->ErrorText(), u"NULL argument to regexec");

  CRegExpW taken = std::move(re);
  EXPECT_TRUE(taken.Match(u"axb"));
  EXPECT_EQ(re.Program(), nullptr);  // NOLINT(bugprone-use-after-move): the point of the test
  EXPECT_FALSE(re.Match(u"x"));
  EXPECT_EQ(re.ErrorText(), u"NULL regexp");
  EXPECT_EQ(re.SubStrings(), -1);
  EXPECT_EQ(re.SubStart(0), -1);
  EXPECT_EQ(re.SubLength(0), -1);
}

}  // namespace
}  // namespace quillet::regex
