#include <gtest/gtest.h>

#include "platform/AnsiCodePage.h"

using namespace quillet::platform;

TEST(AnsiCodePage, LocaleDecidesTheCodePage) {
  EXPECT_EQ(CAnsiCodePage::CodePageForLocale(""), 1252u);
  EXPECT_EQ(CAnsiCodePage::CodePageForLocale("C.UTF-8"), 1252u);
  EXPECT_EQ(CAnsiCodePage::CodePageForLocale("en_US.UTF-8"), 1252u);
  EXPECT_EQ(CAnsiCodePage::CodePageForLocale("ja_JP.UTF-8"), 932u);
  EXPECT_EQ(CAnsiCodePage::CodePageForLocale("ru_RU"), 1251u);
  EXPECT_EQ(CAnsiCodePage::CodePageForLocale("pl_PL.ISO-8859-2"), 1250u);
  EXPECT_EQ(CAnsiCodePage::CodePageForLocale("zh_TW.Big5"), 950u);
  EXPECT_EQ(CAnsiCodePage::CodePageForLocale("zh_CN.GB2312"), 936u);
}

TEST(AnsiCodePage, EverySingleByteSurvivesARoundTrip) {
  for (const unsigned number : {1250u, 1251u, 1252u, 1253u, 1254u, 1255u, 1256u, 1257u, 1258u, 874u}) {
    const auto page = CAnsiCodePage::ForCodePage(number);
    ASSERT_NE(page, nullptr) << number;
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    std::u16string text;
    page->Decode(bytes, text);
    ASSERT_EQ(text.size(), 256u);
    std::string back;
    EXPECT_FALSE(page->Encode(text, back)) << number;
    EXPECT_EQ(back, bytes) << number;
  }
}

TEST(AnsiCodePage, ReportsCharactersWithoutAByte) {
  const auto page = CAnsiCodePage::ForCodePage(1252);
  std::u16string text;
  page->Decode("\x80\xE9", text);
  EXPECT_EQ(text, u"\u20AC\u00E9");
  std::string bytes;
  EXPECT_TRUE(page->Encode(u"a\u4E2Db", bytes));
  EXPECT_EQ(bytes, "a?b");
  EXPECT_FALSE(page->CanEncode(u"\xD800"));
  EXPECT_TRUE(page->CanEncode(u"\u0081")) << "undefined bytes map to themselves";
}

TEST(AnsiCodePage, DoubleByteJapanese) {
  const auto page = CAnsiCodePage::ForCodePage(932);
  ASSERT_NE(page, nullptr);
  std::u16string text;
  page->Decode("\x82\xA0 a \xB1", text);  // hiragana a, a half-width katakana
  EXPECT_EQ(text, u"\u3042 a \uFF71");
  std::string bytes;
  EXPECT_FALSE(page->Encode(text, bytes));
  EXPECT_EQ(bytes, "\x82\xA0 a \xB1");
  EXPECT_TRUE(page->Encode(u"\u00E9", bytes));
  text.clear();
  page->Decode("\x82", text);
  EXPECT_EQ(text.size(), 1u) << "a lone lead byte still gives one character";
}
