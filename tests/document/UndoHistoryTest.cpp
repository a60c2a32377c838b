#include <gtest/gtest.h>

#include <vector>

#include "RecordingView.h"
#include "document/QuilletDoc.h"

using namespace quillet::document;
using quillet::test::CRecordingView;

namespace {

void Type(CQuilletDoc& doc, IDocumentView* view, int32_t x, char16_t c) {
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(view, 0, x, std::u16string(1, c), endLine, endChar, ActionTyping);
}

std::u16string Undescribed(bool (CQuilletDoc::*getter)(std::u16string&) const,
                           const CQuilletDoc& doc) {
  std::u16string text;
  (doc.*getter)(text);
  return text;
}

}  // namespace

TEST(UndoHistory, EachCallIsAStepUnlessMerged) {
  CQuilletDoc doc;
  Type(doc, nullptr, 0, u'a');
  Type(doc, nullptr, 1, u'b');
  Type(doc, nullptr, 2, u'c');
  EXPECT_EQ(doc.GetUndoRecords().size(), 3u);
  CTextPosition caret;
  ASSERT_TRUE(doc.Undo(caret));
  EXPECT_EQ(doc.GetLine(0), u"ab");
  EXPECT_EQ(caret, (CTextPosition{2, 0}));

  doc.BeginUndoGroup(true);
  Type(doc, nullptr, 2, u'x');
  doc.FlushUndoGroup(nullptr);
  doc.Undo(caret);
  EXPECT_EQ(doc.GetLine(0), u"a") << "a merged group reverts with the step before it";
  ASSERT_TRUE(doc.Redo(caret));
  EXPECT_EQ(doc.GetLine(0), u"abx");
  EXPECT_EQ(caret, (CTextPosition{3, 0}));
}

TEST(UndoHistory, NewRecordAfterUndoDiscardsRedo) {
  CQuilletDoc doc;
  Type(doc, nullptr, 0, u'a');
  Type(doc, nullptr, 1, u'b');
  CTextPosition caret;
  doc.Undo(caret);
  EXPECT_TRUE(doc.CanRedo());
  Type(doc, nullptr, 1, u'z');
  EXPECT_FALSE(doc.CanRedo());
  EXPECT_EQ(doc.GetUndoRecords().size(), 2u);
  EXPECT_EQ(doc.GetLine(0), u"az");
}

TEST(UndoHistory, ReturningToTheSavedStateClearsModified) {
  CQuilletDoc doc;
  Type(doc, nullptr, 0, u'a');
  Type(doc, nullptr, 1, u'b');
  CTextPosition caret;
  doc.Undo(caret);
  EXPECT_TRUE(doc.IsModified());
  doc.Undo(caret);
  EXPECT_FALSE(doc.IsModified()) << "back at the loaded state";
  doc.Redo(caret);
  EXPECT_TRUE(doc.IsModified());
}

TEST(UndoHistory, UndoBackToTheLoadedStateAfterNewEdits) {
  CQuilletDoc doc;
  Type(doc, nullptr, 0, u'a');
  Type(doc, nullptr, 1, u'b');
  CTextPosition caret;
  doc.Undo(caret);
  doc.Undo(caret);
  Type(doc, nullptr, 0, u'x');  // the loaded state is gone from history
  doc.Undo(caret);
  EXPECT_EQ(doc.GetLine(0), u"");
  EXPECT_FALSE(doc.IsModified()) << "text equals the loaded state again";
  Type(doc, nullptr, 0, u'q');
  EXPECT_TRUE(doc.IsModified());
}

TEST(UndoHistory, LimitDropsTheWholeOldestGroup) {
  CQuilletDoc doc;
  doc.BeginUndoGroup(false);
  Type(doc, nullptr, 0, u'g');
  Type(doc, nullptr, 1, u'h');
  doc.FlushUndoGroup(nullptr);
  for (int i = 0; i < CQuilletDoc::kUndoLimit - 2; ++i) Type(doc, nullptr, 0, u'x');
  ASSERT_EQ(doc.GetUndoRecords().size(), 1024u);
  Type(doc, nullptr, 0, u'y');
  EXPECT_EQ(doc.GetUndoRecords().size(), 1023u) << "both records of the first group went";
  EXPECT_TRUE(doc.GetUndoRecords().front().flags & CQuilletDoc::UndoGroupStart);
  CTextPosition caret;
  while (doc.CanUndo()) doc.Undo(caret);
  EXPECT_EQ(doc.GetLine(0), u"gh");
  EXPECT_TRUE(doc.IsModified()) << "the loaded state can no longer be reached";
}

TEST(UndoHistory, OneHugeGroupNeverRunsUndoOffTheFront) {
  CQuilletDoc doc;
  doc.BeginUndoGroup(false);
  for (int i = 0; i < CQuilletDoc::kUndoLimit + 10; ++i) Type(doc, nullptr, 0, u'x');
  doc.FlushUndoGroup(nullptr);
  CTextPosition caret;
  ASSERT_TRUE(doc.Undo(caret));
  EXPECT_FALSE(doc.CanUndo());
}

TEST(UndoHistory, DescriptionsNameTheGroupsFirstRecord) {
  CQuilletDoc doc;
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(nullptr, 0, 0, u"abc", endLine, endChar, ActionPaste);
  doc.BeginUndoGroup(false);
  doc.DeleteText(nullptr, 0, 0, 0, 2, ActionDeleteSelection);
  doc.InsertText(nullptr, 0, 0, u"z", endLine, endChar, ActionTyping);
  doc.FlushUndoGroup(nullptr);
  EXPECT_EQ(Undescribed(&CQuilletDoc::GetUndoDescription, doc), u"Delete Selection");
  CTextPosition caret;
  doc.Undo(caret);
  EXPECT_EQ(doc.GetLine(0), u"abc");
  EXPECT_EQ(Undescribed(&CQuilletDoc::GetRedoDescription, doc), u"Delete Selection");
  EXPECT_EQ(Undescribed(&CQuilletDoc::GetUndoDescription, doc), u"Paste");
  std::u16string text;
  EXPECT_TRUE(doc.GetActionDescription(ActionTyping, text));
  EXPECT_EQ(text, u"Typing");
  EXPECT_FALSE(doc.GetActionDescription(11, text));
  EXPECT_TRUE(text.empty());
}

TEST(UndoHistory, FlushTellsTheSourceViewTheLastAction) {
  CQuilletDoc doc;
  CRecordingView view;
  int32_t endLine = 0, endChar = 0;
  doc.InsertText(&view, 0, 0, u"\r\n", endLine, endChar, ActionTyping);
  ASSERT_EQ(view.operations.size(), 1u);
  EXPECT_EQ(view.operations[0].first, ActionTyping);
  EXPECT_EQ(view.operations[0].second, u"\r\n");
  // The flush with a source view asks for a new group, so the next typing is its own step.
  Type(doc, nullptr, 0, u'a');
  EXPECT_TRUE(doc.GetUndoRecords().back().flags & CQuilletDoc::UndoGroupStart);
}

// A CR or LF that a file held inside a line (the file's separator being another) is text:
// Undo and Redo put back exactly what went, never a line break in its place.
TEST(UndoHistory, CrAndLfInsideALineComeBackAsText) {
  CQuilletDoc doc;
  doc.FreeAll();
  for (const std::u16string_view line : {u"a\rb", u"c\n", u"\r\nd\r"}) doc.AppendLine(line);
  doc.InitNew(EolLf);
  const auto lines = [&] {
    std::vector<std::u16string> all;
    for (int32_t i = 0; i < doc.GetLineCount(); ++i) all.emplace_back(doc.GetLine(i));
    return all;
  };
  const std::vector<std::u16string> loaded = lines();
  CTextPosition caret;

  ASSERT_TRUE(doc.DeleteText(nullptr, 0, 1, 0, 2, ActionDelete));
  ASSERT_TRUE(doc.Undo(caret));
  EXPECT_EQ(lines(), loaded);
  EXPECT_EQ(caret, (CTextPosition{2, 0}));
  ASSERT_TRUE(doc.Redo(caret));
  EXPECT_EQ(doc.GetLine(0), u"ab");
  EXPECT_EQ(doc.GetLineCount(), 3);
  ASSERT_TRUE(doc.Undo(caret));
  EXPECT_EQ(lines(), loaded);

  // Across lines, where the joined text reads "\r\r\n" and "\n\r\n".
  ASSERT_TRUE(doc.DeleteText(nullptr, 0, 1, 2, 4, ActionDeleteSelection));
  EXPECT_EQ(lines(), std::vector<std::u16string>{u"a"});
  ASSERT_TRUE(doc.Undo(caret));
  EXPECT_EQ(lines(), loaded);
  EXPECT_EQ(caret, (CTextPosition{4, 2}));
  ASSERT_TRUE(doc.Redo(caret));
  EXPECT_EQ(lines(), std::vector<std::u16string>{u"a"});
  ASSERT_TRUE(doc.Undo(caret));
  EXPECT_EQ(lines(), loaded);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
}
