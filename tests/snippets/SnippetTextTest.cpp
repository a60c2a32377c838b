#include <gtest/gtest.h>

#include "snippets/SnippetText.h"

using namespace quillet::snippets;

TEST(SnippetText, IndentFollowsEveryLineBreak) {
  EXPECT_EQ(LeadingBlanks(u"\t  x = 1  "), u"\t  ");
  EXPECT_EQ(LeadingBlanks(u"   "), u"   ");
  EXPECT_EQ(IndentSnippetCode(u"If x Then\r\n\ty\r\nEnd If", u"\t"), u"If x Then\r\n\t\ty\r\n\tEnd If");
  EXPECT_EQ(IndentSnippetCode(u"a\r\nb", u""), u"a\r\nb");
  EXPECT_EQ(IndentSnippetCode(u"a\nb", u"  "), u"a\nb") << "only the editor's CR LF";
}

TEST(SnippetText, SampleTextIsDecodedOnceWithAmpersandLast) {
  EXPECT_EQ(SampleScriptText(u"a\nb\r\nc"), u"a\r\nb\r\nc");
  EXPECT_EQ(SampleScriptText(u"If a &lt; b And c &gt; d Then s = s &amp; t"),
            u"If a < b And c > d Then s = s & t");
  EXPECT_EQ(SampleScriptText(u"x = \"&amp;lt;\""), u"x = \"&lt;\"");
  EXPECT_EQ(SampleMenuText(u"&#8220;Quoted&#8221; &#8217;s"), u"\"Quoted\" 's");
  EXPECT_EQ(SampleMenuText(u"Plain &amp; text"), u"Plain &amp; text");
}
