#include "intellisense/BuiltinMemberTables.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

std::vector<std::u16string_view> Names(BuiltinMemberTable table) {
  std::vector<std::u16string_view> names;
  for (const BuiltinMemberRecord& row : table) names.push_back(row.name);
  return names;
}

std::u16string Kinds(BuiltinMemberTable table) {
  std::u16string kinds;
  for (const BuiltinMemberRecord& row : table) kinds += static_cast<char16_t>(row.kind);
  return kinds;
}

using NameList = std::vector<std::u16string_view>;

TEST(BuiltinMemberTables, KeepEveryRowInStoredOrder) {
  EXPECT_EQ(Names(ErrMembers), (NameList{u"Description", u"HelpContext", u"HelpFile", u"Number",
                                         u"Source", u"Clear", u"Raise"}));
  EXPECT_EQ(Kinds(ErrMembers), u"1111100");
  EXPECT_EQ(Names(DebugMembers), (NameList{u"Write", u"WriteLine"}));
  EXPECT_EQ(Kinds(DebugMembers), u"00");
  EXPECT_EQ(Names(RegExpMembers),
            (NameList{u"Global", u"IgnoreCase", u"Pattern", u"Execute", u"Replace", u"Test"}));
  EXPECT_EQ(Kinds(RegExpMembers), u"111000");
  EXPECT_EQ(Names(MatchesMembers), (NameList{u"Count", u"Item"}));
  EXPECT_EQ(Names(MatchMembers), (NameList{u"FirstIndex", u"Length", u"Submatches", u"Value"}));
  EXPECT_EQ(Names(SubMatchesMembers), (NameList{u"Count", u"Item"}));
  EXPECT_EQ(Kinds(MatchesMembers) + Kinds(MatchMembers) + Kinds(SubMatchesMembers), u"11111111");
}

TEST(BuiltinMemberTables, KeepTextsExactly) {
  const BuiltinMemberRecord& writeLine = DebugMembers[1];
  EXPECT_EQ(writeLine.syntax, u"WriteLine ([str1 [, str2 [, ... [, strN]]]])");
  EXPECT_EQ(writeLine.description,
            u"Sends strings to the script debugger, followed by a newline character. ");
  EXPECT_EQ(ErrMembers[1].description,
            u"Sets or returns a context ID for a topic in a Help File. ");
  EXPECT_EQ(ErrMembers[2].syntax, u"HelpFile [= contextID]");
  EXPECT_EQ(ErrMembers[2].description, u"Sets or returns a fully qualified path to a Help File. ");
  EXPECT_EQ(ErrMembers[3].description,
            u"Returns or sets a numeric value specifying an error. Number is the Err object's "
            u"default property.");
  EXPECT_EQ(ErrMembers[6].syntax, u"Raise (number, source, description, helpfile, helpcontext)");
  EXPECT_EQ(ErrMembers[6].description, u"Generates a run-time error.");
  EXPECT_EQ(RegExpMembers[0].syntax, u"Global [= True | False ]");
  EXPECT_EQ(RegExpMembers[1].syntax, u"IgnoreCase [= True | False ]");
  EXPECT_EQ(RegExpMembers[2].syntax, u"Pattern [= \"searchstring\"]");
  EXPECT_EQ(RegExpMembers[4].syntax, u"Replace( string1, string2)");
  EXPECT_EQ(MatchesMembers[0].description, u"Returns the number of match object.");
  EXPECT_EQ(MatchMembers[2].syntax, u"Submatches Collection");
  EXPECT_EQ(SubMatchesMembers[1].description, u"Returns a submatch string.");
}

TEST(FindMember, IgnoresAsciiCase) {
  EXPECT_EQ(FindMember(ErrMembers, u"raise"), &ErrMembers[6]);
  EXPECT_EQ(FindMember(ErrMembers, u"NUMBER"), &ErrMembers[3]);
  EXPECT_EQ(FindMember(RegExpMembers, u"execute"), &RegExpMembers[3]);
  EXPECT_EQ(FindMember(MatchMembers, u"SubMatches"), &MatchMembers[2]);
  EXPECT_EQ(FindMember(DebugMembers, u"Write"), &DebugMembers[0]);
}

TEST(FindMember, MissesOtherNamesAndOtherTables) {
  for (const std::u16string_view name :
       {u"", u"Rais", u"Raise ", u"Raise(", u"Execute", u"\u0130tem"}) {
    EXPECT_EQ(FindMember(ErrMembers, name), nullptr) << platform::Utf16ToUtf8(name);
  }
  EXPECT_EQ(FindMember(BuiltinMemberTable{}, u"Count"), nullptr);
}

TEST(FindMember, LastOfEqualNamesWins) {
  const BuiltinMemberRecord rows[] = {
      {u"Item", u"first", u"", EMemberKind::Property},
      {u"Other", u"", u"", EMemberKind::Method},
      {u"ITEM", u"second", u"", EMemberKind::Method},
  };
  ASSERT_NE(FindMember(rows, u"item"), nullptr);
  EXPECT_EQ(FindMember(rows, u"item")->syntax, u"second");
}

TEST(MemberTableForPseudoType, SelectsByNameIgnoringCase) {
  const auto selects = [](std::u16string_view typeName, BuiltinMemberTable expected) {
    const auto table = MemberTableForPseudoType(typeName);
    return table.has_value() && table->data() == expected.data() &&
           table->size() == expected.size();
  };
  EXPECT_TRUE(selects(u"<regexp>", RegExpMembers));
  EXPECT_TRUE(selects(u"<RegExp_Matches>", MatchesMembers));
  EXPECT_TRUE(selects(u"<REGEXP_MATCH>", MatchMembers));
  EXPECT_TRUE(selects(kSubMatchesPseudoType, SubMatchesMembers));
  EXPECT_TRUE(selects(u"err", ErrMembers));
  EXPECT_TRUE(selects(u"Err", ErrMembers));
  EXPECT_TRUE(selects(u"DEBUG", DebugMembers));
  for (const std::u16string_view typeName :
       {u"", u"regexp", u"<regexp", u"<regexp_match> ", u"<regexp_submatch>", u"wscript",
        u"<err>"}) {
    EXPECT_FALSE(MemberTableForPseudoType(typeName).has_value()) << platform::Utf16ToUtf8(typeName);
  }
}

}  // namespace
}  // namespace quillet::intellisense
