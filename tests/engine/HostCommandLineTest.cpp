#include <gtest/gtest.h>

#include "engine/host/HostCommandLine.h"
#include "engine/host/ScriptSource.h"

namespace quillet::engine::host {
namespace {

TEST(HostCommandLine, SwitchesOnlyBeforeTheScript) {
  const auto line = ParseHostCommandLine({"//NoLogo", "//U", "//T:30", "//E:VBScript", "a.vbs", "//B", "x y"});
  EXPECT_TRUE(line.error.empty());
  EXPECT_FALSE(line.logo);
  EXPECT_TRUE(line.unicodeOutput);
  EXPECT_EQ(line.timeoutSeconds, 30);
  EXPECT_FALSE(line.batch);
  EXPECT_EQ(line.scriptPath, "a.vbs");
  EXPECT_EQ(line.arguments, (std::vector<std::string>{"//B", "x y"}));
  EXPECT_FALSE(ParseHostCommandLine({"//Z", "a.vbs"}).error.empty());
  EXPECT_FALSE(ParseHostCommandLine({"//T:abc", "a.vbs"}).error.empty());
  EXPECT_FALSE(ParseHostCommandLine({"//E:jscript", "a.vbs"}).error.empty());
}

TEST(ScriptSource, MarksChooseTheEncoding) {
  EXPECT_EQ(DecodeScript(std::string("\xFF\xFE" "a\0\xAC\x20", 6)), u"a\u20AC");
  EXPECT_EQ(DecodeScript("\xEF\xBB\xBF" "\xE2\x82\xAC"), u"\u20AC");
  EXPECT_EQ(DecodeScript(std::string("\xFF\xFE" "a\0b", 5)), u"a");  // odd byte dropped
  EXPECT_EQ(DecodeScript("plain"), u"plain");
}

}  // namespace
}  // namespace quillet::engine::host
