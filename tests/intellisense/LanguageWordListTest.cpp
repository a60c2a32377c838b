#include "intellisense/LanguageWordList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "intellisense/BuiltinFunctionTable.h"
#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

using platform::LowerAscii;

std::string Narrow(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

std::u16string UpperAscii(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& unit : upper) unit = platform::FoldAsciiCase(unit);
  return upper;
}

TEST(LanguageWordList, KeepsEveryWordInStoredOrder) {
  const auto words = LanguageWordList;
  ASSERT_EQ(words.size(), 220u);
  EXPECT_EQ(words.front(), u"Abs");
  EXPECT_EQ(words[15], u"Class_Initialize");
  EXPECT_EQ(words[117], u"ScriptEngineBuildVersion");
  EXPECT_EQ(words[155], u"Year");
  EXPECT_EQ(words[156], u"vbEmpty");
  EXPECT_EQ(words.back(), u"vbObjectError");

  // "vbSingle" stands twice, side by side, and is the only word that does.
  EXPECT_EQ(words[160], u"vbSingle");
  EXPECT_EQ(words[161], u"vbSingle");
  std::set<std::u16string> distinct;
  for (const auto word : words) distinct.insert(LowerAscii(word));
  EXPECT_EQ(distinct.size(), 219u);
}

TEST(LanguageWordList, BuiltinFunctionsAppearInTheSameOrder) {
  // The function table was drawn from the word list; a row moved in either shows up here.
  auto next = LanguageWordList.begin();
  for (const BuiltinFunctionRecord& row : BuiltinFunctionTable) {
    next = std::find(next, LanguageWordList.end(), row.name);
    ASSERT_NE(next, LanguageWordList.end()) << "missing or out of order: " << Narrow(row.name);
  }
}

TEST(IsKeyword, FindsEveryWordInAnyCase) {
  for (const auto word : LanguageWordList) {
    EXPECT_TRUE(IsKeyword(word)) << Narrow(word);
    EXPECT_TRUE(IsKeyword(LowerAscii(word)));
    EXPECT_TRUE(IsKeyword(UpperAscii(word)));
  }
  EXPECT_TRUE(IsKeyword(u"mSGbOX"));
  for (const std::u16string_view object : {u"WScript", u"Debug", u"Err", u"RegExp"}) {
    EXPECT_TRUE(IsKeyword(object)) << Narrow(object);
  }
}

TEST(IsKeyword, ComparesOnlyTheGivenLength) {
  EXPECT_TRUE(IsKeyword(u"msgbox", 6));
  EXPECT_TRUE(IsKeyword(u"msgboxes and more", 6));
  EXPECT_FALSE(IsKeyword(u"Msg", 3));
  EXPECT_FALSE(IsKeyword(u"msgboxes", 8));
  EXPECT_FALSE(IsKeyword(u"msgbox", 0));
  // A length measured on another buffer must not read past this one.
  EXPECT_FALSE(IsKeyword(u"msgbox", 7));
  EXPECT_FALSE(IsKeyword(std::u16string_view(u"msgbox").substr(0, 3), 6));
  EXPECT_FALSE(IsKeyword(std::u16string_view{}, 3));
}

TEST(IsKeyword, RejectsNearMisses) {
  for (const std::u16string_view text :
       {u"", u"Rem", u"Ab", u"Abss", u" Abs", u"Abs ", u"WScript.Echo", u"vbSingles",
        u"ScriptEngineBuildVersionX", u"Class Initialize"}) {
    EXPECT_FALSE(IsKeyword(text)) << Narrow(text);
  }
  EXPECT_FALSE(IsKeyword(std::u16string_view(u"If\0", 3)));
}

TEST(IsKeyword, FoldsAsciiLettersOnly) {
  // Each of these equals a word under some looser folding: Unicode case rules (Kelvin sign,
  // dotless i), setting bit 5 of every unit ("_" and DEL), or dropping the high byte.
  EXPECT_FALSE(IsKeyword(u"Wee\u212Aday"));
  EXPECT_FALSE(IsKeyword(u"\u0130f"));
  EXPECT_FALSE(IsKeyword(u"\u0131f"));
  EXPECT_FALSE(IsKeyword(u"Class\u007FInitialize"));
  EXPECT_FALSE(IsKeyword(u"\u0141bs"));
  EXPECT_FALSE(IsKeyword(u"\uFF21bs"));
  EXPECT_FALSE(IsKeyword(u"Ab\xD800"));
}

TEST(IsKeyword, AgreesWithAPlainScanOfTheList) {
  // Near misses of every word (one unit changed, dropped or added) probe the index where a
  // faulty probe sequence would stop early or run into a neighbour.
  const auto scan = [](std::u16string_view text) {
    return std::ranges::any_of(LanguageWordList, [text](std::u16string_view word) {
      return platform::EqualsIgnoringAsciiCase(word, text);
    });
  };
  constexpr char16_t kUnits[] = {u'a', u'E', u'_', u'.', u'1', u' ', u'\u00e9', u'\u0100', u'\0'};
  std::size_t checked = 0;
  for (const auto word : LanguageWordList) {
    for (std::size_t at = 0; at <= word.size(); ++at) {
      for (const char16_t unit : kUnits) {
        std::u16string changed(word);
        if (at < word.size()) changed[at] = unit;
        std::u16string added(word);
        added.insert(at, 1, unit);
        for (const std::u16string& text : {changed, added}) {
          ASSERT_EQ(IsKeyword(text), scan(text)) << Narrow(text);
          ++checked;
        }
      }
      if (at < word.size()) {
        std::u16string dropped(word);
        dropped.erase(at, 1);
        ASSERT_EQ(IsKeyword(dropped), scan(dropped)) << Narrow(dropped);
      }
    }
  }
  EXPECT_GT(checked, 30'000u);
}

TEST(FindLanguageWord, GivesTheStoredSpelling) {
  EXPECT_EQ(FindLanguageWord(u"wscript"), u"WScript");
  EXPECT_EQ(FindLanguageWord(u"VBSINGLE"), u"vbSingle");
  EXPECT_EQ(FindLanguageWord(u"vbcrlf"), u"vbCrLf");
  EXPECT_EQ(FindLanguageWord(u"vbcrl"), std::nullopt);
}

}  // namespace
}  // namespace quillet::intellisense
