#include "intellisense/BuiltinFunctionTable.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

std::string Narrow(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

const BuiltinFunctionRecord& Row(std::u16string_view name) {
  const BuiltinFunctionRecord* row = FindBuiltinFunction(name);
  EXPECT_NE(row, nullptr) << Narrow(name);
  static const BuiltinFunctionRecord kNone{};
  return row != nullptr ? *row : kNone;
}

TEST(BuiltinFunctionTable, KeepsEveryRowInStoredOrder) {
  const auto rows = BuiltinFunctionTable;
  ASSERT_EQ(rows.size(), 89u);
  EXPECT_EQ(rows[0].name, u"Abs");
  EXPECT_EQ(rows[24].name, u"Eval");
  EXPECT_EQ(rows[50].name, u"Len");
  EXPECT_EQ(rows[62].name, u"RGB");
  EXPECT_EQ(rows[88].name, u"Year");
}

TEST(BuiltinFunctionTable, EveryRowIsComplete) {
  // A row whose syntax or description slipped to a neighbour names the wrong function.
  std::map<std::u16string_view, std::u16string_view> firstWithDescription;
  for (const BuiltinFunctionRecord& row : BuiltinFunctionTable) {
    EXPECT_NE(row.syntax.find(row.name), std::u16string_view::npos) << Narrow(row.name);
    ASSERT_FALSE(row.description.empty()) << Narrow(row.name);
    EXPECT_TRUE(row.description[0] >= u'A' && row.description[0] <= u'Z') << Narrow(row.name);
    const auto [first, isNew] = firstWithDescription.emplace(row.description, row.name);
    // Fix and Int really do the same for positive numbers and share their sentence.
    if (!isNew) {
      EXPECT_EQ(first->second, u"Fix") << Narrow(row.name);
    }
  }
}

TEST(BuiltinFunctionTable, KeepsTextsExactly) {
  EXPECT_EQ(Row(u"CSng").syntax, u"CSng (expression) ");
  EXPECT_EQ(Row(u"RGB").syntax, u"RGB (red, green, blue");
  EXPECT_EQ(Row(u"Len").syntax, u"Len (string | varname)");
  EXPECT_EQ(Row(u"Eval").syntax, u"[result] = Eval (expression)");
  EXPECT_EQ(Row(u"Call").syntax, u"Call name [argumentlist]");
  EXPECT_EQ(Row(u"DateDiff").syntax,
            u"DateDiff (interval, date1, date2 ,[firstdayofweek], [firstweekofyear])");
  EXPECT_EQ(Row(u"Asc").syntax, u"Asc (string)");
  EXPECT_EQ(Row(u"Asc").description,
            u"Returns the ANSI character code corresponding to the first letter in a string");
  EXPECT_EQ(Row(u"MsgBox").syntax, u"MsgBox (prompt, [buttons], [title], [helpfile], [context])");
  EXPECT_EQ(Row(u"MsgBox").description, u"Displays a message in a dialog box");
  EXPECT_EQ(Row(u"Timer").description,
            u"Returns the number of seconds that have elapsed since 12:00 AM (midnight).");
  EXPECT_EQ(Row(u"LoadPicture").description,
            u"Returns a picture object. Available only on 32-bit platforms");
  EXPECT_EQ(Row(u"Int").description, Row(u"Fix").description);
}

TEST(FindBuiltinFunction, IgnoresAsciiCaseOnly) {
  const BuiltinFunctionRecord* row = FindBuiltinFunction(u"msgbox");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row, &BuiltinFunctionTable[57]);
  EXPECT_EQ(FindBuiltinFunction(u"MSGBOX"), row);
  EXPECT_EQ(FindBuiltinFunction(u"InStrREV"), &BuiltinFunctionTable[38]);
  EXPECT_EQ(FindBuiltinFunction(u"\u0131nt"), nullptr);
}

TEST(FindBuiltinFunction, MissesWhatIsNoFunction) {
  // Language words that are statements or objects have no tip of their own.
  for (const std::u16string_view name :
       {u"", u"Msg", u"MsgBox ", u" MsgBox", u"MsgBox(", u"Dim", u"Err", u"WScript", u"vbCrLf"}) {
    EXPECT_EQ(FindBuiltinFunction(name), nullptr) << Narrow(name);
  }
}

}  // namespace
}  // namespace quillet::intellisense
