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

TEST(SnippetText, SampleTextGetsCrLfAndIsNotDecodedAgain) {
  EXPECT_EQ(SampleScriptText(u"a\nb\r\nc\n"), u"a\r\nb\r\nc\r\n");
  EXPECT_EQ(SampleScriptText(u"s = \"&lt;b&gt;\" &amp; t"), u"s = \"&lt;b&gt;\" &amp; t");
  EXPECT_EQ(SampleMenuText(u"&#8220;Quoted&#8221; &#8217;s"), u"\"Quoted\" 's");
  EXPECT_EQ(SampleMenuText(u"Plain &amp; text"), u"Plain &amp; text");
}
