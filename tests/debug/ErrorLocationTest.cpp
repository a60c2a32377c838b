// Locations named in host output, and the output window's trimming arithmetic.

#include <gtest/gtest.h>

#include "debug/ErrorLocation.h"
#include "debug/OutputLimit.h"

namespace quillet::debug {
namespace {

const PositionCheck kAnyPosition = [](int32_t line, int32_t column) { return line >= 1 && column >= 1; };

TEST(ErrorLocation, FirstValidLocationAtALineStartIsFound) {
  const std::u16string path = u"/t/A(1).vbs";
  const std::u16string output =
      u"Logo\r\nsee /t/A(1).vbs(9, 9) not at a line start\r\n"
      u"/t/A(1).vbs(0, 4) out of range\r\n"
      u"/t/A(1).vbs(3, 5) VBScript runtime error: Division by zero\r\n"
      u"/t/A(1).vbs(7, 1) later\r\n";
  const auto location = FindErrorLocation(output, path, kAnyPosition);
  ASSERT_TRUE(location);
  EXPECT_EQ(location->line, 3);
  EXPECT_EQ(location->column, 5);
  EXPECT_EQ(output.substr(location->lineStart, location->lineEnd - location->lineStart),
            u"/t/A(1).vbs(3, 5) VBScript runtime error: Division by zero");

  // The document decides what is valid; the search goes on past what it refuses.
  const auto onlySeven = FindErrorLocation(output, path, [](int32_t line, int32_t) { return line == 7; });
  ASSERT_TRUE(onlySeven);
  EXPECT_EQ(onlySeven->line, 7);

  EXPECT_FALSE(FindErrorLocation(output, u"/t/a(1).vbs", kAnyPosition));  // exact case
  EXPECT_FALSE(FindErrorLocation(u"/t/A(1).vbs(3\r\n, 5)", path, kAnyPosition));
  EXPECT_FALSE(FindErrorLocation(output, u"", kAnyPosition));
  const auto last = FindErrorLocation(u"x\n/t/A(1).vbs( 12 ,  4x)", path, kAnyPosition);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->line, 12);
  EXPECT_EQ(last->column, 4);
}

TEST(ErrorLocation, DoubleClickedLineAndDecimalReading) {
  EXPECT_TRUE(LooksLikeLocation(u"/a.vbs(1, 2) x"));
  EXPECT_FALSE(LooksLikeLocation(u"(1, 2) x"));
  EXPECT_FALSE(LooksLikeLocation(u"no location"));

  const auto location = ParseLocationLine(u"/T/Run.VBS(4, 2) error", u"/t/run.vbs");
  ASSERT_TRUE(location);
  EXPECT_EQ(location->line, 4);
  EXPECT_EQ(location->column, 2);
  EXPECT_FALSE(ParseLocationLine(u"/t/other.vbs(4, 2)", u"/t/run.vbs"));
  EXPECT_FALSE(ParseLocationLine(u"/t/run.vbs(4) x", u"/t/run.vbs"));

  EXPECT_EQ(ReadDecimal(u"  42abc"), 42);
  EXPECT_EQ(ReadDecimal(u"-3"), -3);
  EXPECT_EQ(ReadDecimal(u"x1"), 0);
  EXPECT_EQ(ReadDecimal(u"99999999999999"), 2147483647);
}

TEST(OutputLimit, WholeLinesOfAtLeastTheStepGo) {
  const std::u16string line(999, u'x');
  std::u16string text;
  while (text.size() + 1001 <= kOutputLimit - 500) text += line + u"\r\n";
  EXPECT_EQ(OutputTrimLength(text, 10), 0u);
  const size_t cut = OutputTrimLength(text, 2000);
  EXPECT_GE(cut, kOutputTrimStep);
  EXPECT_LT(cut, kOutputTrimStep + 1001);
  EXPECT_EQ(cut % 1001, 0u);  // whole lines, breaks included
  EXPECT_EQ(OutputTrimLength(std::u16string(kOutputLimit, u'y'), 1), kOutputLimit);
}

}  // namespace
}  // namespace quillet::debug
