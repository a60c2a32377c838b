#include <gtest/gtest.h>

#include "RecordingView.h"
#include "document/QuilletDoc.h"

using namespace quillet::document;
using quillet::test::CRecordingView;

namespace {

std::u16string AllText(const CQuilletDoc& doc) {
  std::u16string text;
  doc.GetText(0, 0, doc.GetLineCount() - 1, doc.GetLineLength(doc.GetLineCount() - 1), text);
  return text;
}

void Load(CQuilletDoc& doc, std::u16string_view text) {
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, text, endLine, endChar, ActionGeneric);
}

}  // namespace

TEST(BufferEditing, OnlyCrBreaksLinesAndLoneLfStaysInText) {
  CQuilletDoc doc;
  int32_t endLine = 0, endChar = 0;
  ASSERT_TRUE(doc.InsertText(nullptr, 0, 0, u"a\r\nb\rc\nd", endLine, endChar, ActionPaste));
  ASSERT_EQ(doc.GetLineCount(), 3);
  EXPECT_EQ(doc.GetLine(0), u"a");
  EXPECT_EQ(doc.GetLine(1), u"b");
  EXPECT_EQ(doc.GetLine(2), u"c\nd");
  EXPECT_EQ(endChar, 3);
  EXPECT_EQ(endLine, 2);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.IsTextChanged());
}

TEST(BufferEditing, CapacityGrowsInSteps16AndNulIsText) {
  CQuilletDoc doc;
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, std::u16string(u"ab\0cd", 5), endLine, endChar, ActionTyping);
  EXPECT_EQ(doc.GetLine(0), std::u16string_view(u"ab\0cd", 5));
  EXPECT_EQ(doc.GetLineCapacity(0), 16);
  doc.InsertText(nullptr, 0, 5, std::u16string(11, u'x'), endLine, endChar, ActionTyping);
  EXPECT_EQ(doc.GetLineLength(0), 16);
  EXPECT_EQ(doc.GetLineCapacity(0), 32);
}

TEST(BufferEditing, InsertMovesOtherCaretsOnlyWhenBehindInsertionPoint) {
  CQuilletDoc doc;
  Load(doc, u"hello world");
  CRecordingView atPoint, behind, below;
  atPoint.caret = {5, 0};
  behind.caret = {6, 0};
  doc.AddView(&atPoint);
  doc.AddView(&behind);
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 5, u"XY\r\nZ", endLine, endChar, ActionPaste);
  EXPECT_EQ(atPoint.caret, (CTextPosition{5, 0}));
  EXPECT_EQ(behind.caret, (CTextPosition{2, 1}));  // one char after "Z"
  ASSERT_EQ(atPoint.notices.size(), 1u);
  EXPECT_EQ(atPoint.notices[0].flags, UpdateWidth | UpdateHeight);
  doc.InsertText(nullptr, 1, 0, u"q", endLine, endChar, ActionTyping);
  EXPECT_EQ(atPoint.notices.back().flags, UpdateOneLine | UpdateWidth);
  EXPECT_EQ(atPoint.notices.back().line, 1);
  (void)below;
}

TEST(BufferEditing, MultiLineDeleteJoinsLinesAndMovesCarets) {
  CQuilletDoc doc;
  Load(doc, u"0123\r\nabcd\r\nwxyz\r\nlast");
  CRecordingView inside, afterEnd, below;
  inside.caret = {1, 1};
  afterEnd.caret = {3, 2};
  below.caret = {2, 3};
  for (auto* view : {&inside, &afterEnd, &below}) doc.AddView(view);
  ASSERT_TRUE(doc.DeleteText(nullptr, 0, 2, 2, 1, ActionDelete));
  EXPECT_EQ(doc.GetLine(0), u"01xyz");
  EXPECT_EQ(doc.GetLineCount(), 2);
  EXPECT_EQ(inside.caret, (CTextPosition{2, 0}));
  EXPECT_EQ(afterEnd.caret, (CTextPosition{4, 0}));
  EXPECT_EQ(below.caret, (CTextPosition{2, 1}));
  EXPECT_EQ(inside.notices.back().flags, UpdateWidth | UpdateHeight);
  EXPECT_FALSE(doc.DeleteText(nullptr, 0, 3, 0, 1, ActionDelete)) << "end before start";
  EXPECT_FALSE(doc.DeleteText(nullptr, 0, 0, 5, 0, ActionDelete)) << "line out of range";
  int32_t endLine = 0, endChar = 0;
  EXPECT_FALSE(doc.InsertText(nullptr, 0, 99, u"x", endLine, endChar, ActionTyping));
  EXPECT_EQ(doc.GetLine(0), u"01xyz");
}

TEST(BufferEditing, BreakpointsFollowTheirLines) {
  CQuilletDoc doc;
  Load(doc, u"0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
  doc.Breakpoints() = {{3, 1}, {4, 1}, {6, 0}};
  doc.DeleteText(nullptr, 3, 0, 4, 0, ActionDelete);
  EXPECT_EQ(doc.Breakpoints(), (CQuilletDoc::BreakpointTable{{3, 1}, {5, 0}}));
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 3, 0, u"a\r\nb\r\n", endLine, endChar, ActionPaste);
  EXPECT_EQ(doc.Breakpoints(), (CQuilletDoc::BreakpointTable{{3, 1}, {7, 0}}))
      << "a key equal to the insertion line stays";
  doc.DeleteText(nullptr, 0, 0, 7, 0, ActionDelete);
  EXPECT_EQ(doc.Breakpoints(), (CQuilletDoc::BreakpointTable{{0, 0}}));
}

TEST(BufferEditing, GetTextJoinsWithTheRequestedBreak) {
  CQuilletDoc doc;
  Load(doc, u"ab\r\ncd\r\nef");
  std::u16string text;
  ASSERT_TRUE(doc.GetText(0, 1, 2, 1, text, u"\n"));
  EXPECT_EQ(text, u"b\ncd\ne");
  ASSERT_TRUE(doc.GetText(1, 0, 1, 2, text));
  EXPECT_EQ(text, u"cd");
  EXPECT_EQ(AllText(doc), u"ab\r\ncd\r\nef");
}

TEST(BufferEditing, BookmarksAndUniqueFlags) {
  CQuilletDoc doc;
  Load(doc, u"a\r\nb\r\nc\r\nd");
  CRecordingView view;
  doc.AddView(&view);
  EXPECT_FALSE(doc.SetLineFlag(1, LineBookmark | 1, true, false)) << "two bits";
  EXPECT_FALSE(doc.SetLineFlag(1, 0, true, false)) << "no bit";
  ASSERT_TRUE(doc.SetLineFlag(2, LineBookmark, true, false));
  EXPECT_EQ(view.notices.back().flags, UpdateOneLine | UpdateMarksOnly);
  EXPECT_EQ(doc.FindNextBookmark(2), 2) << "the only bookmark, found again after wrapping";
  EXPECT_EQ(doc.FindPrevBookmark(2), 2);
  EXPECT_EQ(doc.FindNextBookmark(3), 2);
  EXPECT_EQ(doc.FindPrevBookmark(0), 2);
  const size_t before = view.notices.size();
  doc.SetLineFlag(2, LineBookmark, true, false);
  EXPECT_EQ(view.notices.size(), before) << "no change, no notification";
  doc.SetLineFlag(0, LineBookmark, true, true);
  EXPECT_EQ(doc.GetLineFlags(2), 0u) << "unique moves the mark";
  EXPECT_EQ(doc.FindLineWithFlag(LineBookmark), 0);
  doc.SetLineFlag(-1, LineBookmark, false, false);
  EXPECT_EQ(doc.FindLineWithFlag(LineBookmark), -1);
  EXPECT_EQ(doc.FindLineWithSingleFlag(LineBookmark | 2), -1);
}
