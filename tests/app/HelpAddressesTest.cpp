// Where the help and web commands lead, and the generated language reference.

#include <gtest/gtest.h>

#include <set>

#include "base/CommandIds.h"
#include "app/HelpAddresses.h"
#include "app/LanguageReference.h"

using namespace quillet::app;

TEST(HelpAddressesTest, WebTemplateTakesTheWordAtEveryPlaceholder) {
  EXPECT_EQ(WebSearchAddress(u"https://s.example/?q=%1&r=%1", u"InStr"), u"https://s.example/?q=InStr&r=InStr");
  EXPECT_EQ(WebSearchAddress(u"https://s.example/", u"InStr"), u"https://s.example/");
  EXPECT_EQ(WebSearchAddress(u"https://s.example/?q=%", u"x"), u"https://s.example/?q=%");
}

TEST(HelpAddressesTest, DownloadPagesFollowThePlatform) {
  const SOsVersion linux{};
  EXPECT_EQ(DownloadPageAddress(ID_HELP_DOWNLOAD_DEBUGGER, linux), std::nullopt);
  EXPECT_EQ(*DownloadPageAddress(ID_HELP_DOWNLOAD_DEBUGGER, {2, 5, 1}),
            std::u16string(kMakerHomePage) + u"tr_debuggernt.asp?product=quillet&platformid=2&version=5-1");
  EXPECT_NE(DownloadPageAddress(ID_HELP_DOWNLOAD_DEBUGGER, {1, 4, 10})->find(u"tr_debugger98.asp"), std::u16string::npos);
  EXPECT_NE(DownloadPageAddress(ID_HELP_DOWNLOAD_SCRIPT_HOST, {2, 4, 0})->find(u"tr_wsh56_98.asp"), std::u16string::npos);
  EXPECT_NE(DownloadPageAddress(ID_HELP_DOWNLOAD_SCRIPT_HOST, linux)->find(u"tr_wsh56_2000.asp"), std::u16string::npos);
  EXPECT_NE(DownloadPageAddress(ID_HELP_DOWNLOAD_DOCUMENTATION, linux)->find(u"tr_documentation.asp"), std::u16string::npos);
}

TEST(HelpAddressesTest, WordAtTheCaret) {
  EXPECT_EQ(WordAt(u"x = InStr(a, b)", 6), u"InStr");
  EXPECT_EQ(WordAt(u"x = InStr(a, b)", 9), u"InStr");  // just after the word
  EXPECT_EQ(WordAt(u"a  b", 2), u"");
  EXPECT_EQ(WordAt(u"abc", 7), u"");
  EXPECT_EQ(ContextHelpPage(ID_FILE_OPEN), u"topic2.html");
  EXPECT_EQ(ContextHelpPage(ID_TOOLS_OPTIONS), kHelpIndexPage);
}

TEST(LanguageReferenceTest, EveryWordFindsAPageThatIsGenerated) {
  EXPECT_EQ(ReferencePageForWord(u"msgbox"), u"fn-msgbox.html");
  EXPECT_EQ(ReferencePageForWord(u"ERR"), u"obj-err.html");
  EXPECT_EQ(ReferencePageForWord(u"Dim"), u"words.html#w-dim");
  EXPECT_EQ(ReferencePageForWord(u"notAWord"), u"");
  EXPECT_EQ(ReferencePageForWord(u""), u"");

  std::set<std::string> files;
  std::string index;
  for (const auto& page : BuildLanguageReference()) {
    EXPECT_TRUE(files.insert(page.fileName).second) << page.fileName;
    if (page.fileName == "index.html") index = page.html;
  }
  EXPECT_TRUE(files.contains("fn-msgbox.html"));
  EXPECT_TRUE(files.contains("obj-regexp.html"));
  // Every link of the index leads to a generated page.
  for (size_t at = index.find("href=\""); at != std::string::npos; at = index.find("href=\"", at + 1)) {
    std::string target = index.substr(at + 6, index.find('"', at + 6) - at - 6);
    target = target.substr(0, target.find('#'));
    if (target.starts_with("../")) continue;
    EXPECT_TRUE(files.contains(target)) << target;
  }
}
