#include <gtest/gtest.h>

#include "engine/library/CivilDate.h"
#include "engine/library/DateParser.h"

namespace quillet::engine {
namespace {

double Day(int year, int month, int day) { return static_cast<double>(DaysFromCivil(year, month, day)); }

TEST(DateParser, TheWaysPeopleWriteADate) {
  struct SCase {
    const char16_t* text;
    double expected;
  } cases[] = {
      {u"1/5/2020", Day(2020, 1, 5)},          {u"2020-01-05", Day(2020, 1, 5)},
      {u"2020/1/5", Day(2020, 1, 5)},          {u"1.5.2020", Day(2020, 1, 5)},
      {u"Jan 5, 2020", Day(2020, 1, 5)},       {u"January 5, 2020", Day(2020, 1, 5)},
      {u"5 Jan 2020", Day(2020, 1, 5)},        {u"5-Jan-2020", Day(2020, 1, 5)},
      {u"2020 jan 5", Day(2020, 1, 5)},        {u"Monday, January 06, 2020", Day(2020, 1, 6)},
      {u"Jan 2020", Day(2020, 1, 1)},          {u"1/2020", Day(2020, 1, 1)},
      {u"13/1/2020", Day(2020, 1, 13)},        {u"1/5/29", Day(2029, 1, 5)},
      {u"1/5/30", Day(1930, 1, 5)},            {u"Jan 5", Day(2031, 1, 5)},
      {u"1/5", Day(2031, 1, 5)},               {u"2/29/2024", Day(2024, 2, 29)},
      {u"1/5/2020 1:05 PM", Day(2020, 1, 5) + 47100.0 / 86400},
      {u"13:05:09", 47109.0 / 86400},          {u"12 AM", 0.0},
      {u"12:30 pm", 45000.0 / 86400},          {u"  7:00  ", 25200.0 / 86400},
      {u"12/30/1899 6:00", 0.25},              {u"12/29/1899 6:00", -1.25},
  };
  for (const auto& c : cases) {
    double date = -99;
    EXPECT_TRUE(ParseDateText(c.text, 2031, date)) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    EXPECT_DOUBLE_EQ(date, c.expected);
  }
}

TEST(DateParser, WhatIsNoDate) {
  for (const char16_t* text : {u"", u"5", u"hello", u"2/30/2020", u"2/29/2023", u"13/13/2020", u"1/5/2020 25:00",
                               u"1:60", u"13 PM", u"Jan Feb 5", u"1/2/3/4", u"1:2:3:4", u"1/5/2020 1:05 PM 2:00",
                               u"Janu 5", u"1/5/99999", u"1234567890/1/1", u"$1", u"1/5/2020;"}) {
    double date = -99;
    EXPECT_FALSE(ParseDateText(text, 2031, date));
    EXPECT_EQ(date, -99);
  }
}

}  // namespace
}  // namespace quillet::engine
