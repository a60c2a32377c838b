// Key sequences through the editing logic: resulting text, caret, selection and undo steps.

#include "EditorFixture.h"

using namespace quillet;
using namespace quillet::app;
using quillet::test::CEditorTest;

class EditingCommands : public CEditorTest {};

TEST_F(EditingCommands, TypingGroupsUndoAtSpacesAndJoinsTheStepBefore) {
  Load({u""});
  Type(u"ab cd");
  EXPECT_EQ(Text(), u"ab cd");
  EXPECT_EQ(editor.UndoMenuText(), u"&Undo Typing\tCtrl+Z");
  Undo();
  EXPECT_EQ(Text(), u"ab");
  Undo();
  EXPECT_EQ(Text(), u"");
  EXPECT_EQ(editor.UndoMenuText(), u"&Undo\tCtrl+Z");
  EXPECT_EQ(editor.RedoMenuText(), u"&Redo Typing\tCtrl+Y");

  // A character typed after a Delete joins the Delete's step; over a selection the group
  // starts with the deletion.
  Load({u"xyz"});
  Run(ID_EDIT_DELETE);
  Type(u"q");
  Undo();
  EXPECT_EQ(Text(), u"xyz");
  Run(ID_EDIT_LINEEND + 1);  // Shift+End selects "xyz"
  Type(u" ");
  EXPECT_EQ(editor.UndoMenuText(), u"&Undo Delete Selection\tCtrl+Z");
}

TEST_F(EditingCommands, EnterIndentsAsItsOwnStep) {
  Load({u"\t  If x Then"});
  Run(ID_EDIT_LINEEND);
  Type(u"\r");
  EXPECT_EQ(Text(), u"\t  If x Then|\t  ");
  EXPECT_EQ(editor.Caret(), (P{3, 1}));
  EXPECT_EQ(editor.UndoMenuText(), u"&Undo Auto Indent\tCtrl+Z");
  Undo();
  EXPECT_EQ(Text(), u"\t  If x Then|");
  Undo();
  EXPECT_EQ(Text(), u"\t  If x Then");
  // Overwrite mode: Enter only moves to the next line, except on the last line.
  Load({u"a", u"b"});
  Run(ID_EDIT_SWITCH_OVRMODE);
  Type(u"\r");
  EXPECT_EQ(editor.Caret(), (P{0, 1}));
  Type(u"X\r");
  EXPECT_EQ(Text(), u"a|X|");
}

TEST_F(EditingCommands, DeletingAtTheEdgesChangesNothing) {
  Load({u"ab", u"c"});
  Run(ID_EDIT_DELETE_BACK);
  Run(ID_EDIT_TEXTEND);
  Run(ID_EDIT_DELETE);
  EXPECT_FALSE(doc.CanUndo());
  Run(ID_EDIT_DELETE_BACK);
  Run(ID_EDIT_DELETE_BACK);
  EXPECT_EQ(Text(), u"ab");
  EXPECT_EQ(editor.Caret(), (P{2, 0}));
  // A surrogate pair goes as one character.
  Load({u"a\U0001F600b"});
  Run(ID_EDIT_CHARRIGHT, 2);
  EXPECT_EQ(editor.Caret(), (P{3, 0}));
  Run(ID_EDIT_DELETE_BACK);
  EXPECT_EQ(Text(), u"ab");
}

TEST_F(EditingCommands, WordCommands) {
  Load({u"Dim  x.y = 1", u"foo bar", u"  "});
  Run(ID_EDIT_LINEEND);
  Run(ID_EDIT_WORDRIGHT);
  EXPECT_EQ(editor.Caret(), (P{4, 1}));  // after the next line's first word, not at its start
  Run(ID_EDIT_HOME);
  Run(ID_EDIT_WORDLEFT);
  EXPECT_EQ(editor.Caret(), (P{11, 0}));
  Run(ID_EDIT_WORDLEFT, 2);
  EXPECT_EQ(editor.Caret(), (P{7, 0}));
  Run(ID_EDIT_DELETE_WORD_BACK);
  EXPECT_EQ(Text(), u"Dim  xy = 1|foo bar|  ");
  Run(ID_EDIT_HOME);
  Run(ID_EDIT_DELETE_WORD_FORWARD);
  EXPECT_EQ(Text(), u"  xy = 1|foo bar|  ");
  Run(ID_EDIT_DELETE_WORD_FORWARD);
  EXPECT_EQ(Text(), u" = 1|foo bar|  ");
  Run(ID_EDIT_DELETE_WORD_FORWARD);
  EXPECT_EQ(Text(), u" 1|foo bar|  ");
  Run(ID_EDIT_LINEEND);
  Run(ID_EDIT_DELETE_WORD_FORWARD);  // joins the next line
  EXPECT_EQ(Text(), u" 1foo bar|  ");
  Run(ID_EDIT_TEXTEND);
  Run(ID_EDIT_HOME);
  EXPECT_EQ(editor.Caret(), (P{0, 1}));  // a line of blanks: Home goes to column 0
}

TEST_F(EditingCommands, TabsAndIndentation) {
  Load({u"abcdef"});
  editor.ApplySettings({.tabSize = 4, .insertSpaces = true});
  Run(ID_EDIT_LINEEND);
  Run(ID_EDIT_TAB);
  EXPECT_EQ(Text(), u"abcdef  ");
  Run(ID_EDIT_UNTAB);
  EXPECT_EQ(editor.Caret(), (P{4, 0}));
  Run(ID_EDIT_UNTAB);
  EXPECT_EQ(editor.Caret(), (P{0, 0}));

  editor.ApplySettings({.tabSize = 4});
  Load({u"x"});
  Run(ID_EDIT_TAB);
  EXPECT_EQ(editor.PositionText(), u"Ln 1, Col 2");

  Load({u"  \tone", u"", u"    two", u"three"});
  Run(ID_EDIT_LINEDOWN + 1, 3);  // select to column 0 of the fourth line
  Run(ID_EDIT_TAB);
  EXPECT_EQ(Text(), u"\t  \tone|\t|\t    two|three");
  EXPECT_EQ(editor.SelectionStart(), (P{0, 0}));
  EXPECT_EQ(editor.SelectionEnd(), (P{0, 3}));
  Undo();
  EXPECT_EQ(Text(), u"  \tone||    two|three");
  Run(ID_EDIT_SELECT_ALL);
  Run(ID_EDIT_DECREASE_INDENT);
  EXPECT_EQ(Text(), u"one||two|three");
  EXPECT_EQ(editor.UndoMenuText(), u"&Undo Indent\tCtrl+Z");
}

TEST_F(EditingCommands, CommentAndUncomment) {
  Load({u"a", u"  ' b", u"", u"d", u"e"});
  Run(ID_EDIT_LINEDOWN + 1, 4);
  Run(ID_EDIT_COMMENT);
  EXPECT_EQ(Text(), u"'a|  ' b||'d|e");
  EXPECT_FALSE(editor.HasSelection());
  EXPECT_EQ(editor.Caret(), (P{0, 4}));
  EXPECT_EQ(editor.UndoMenuText(), u"&Undo Action\tCtrl+Z");
  Load({u"''x", u" 'y"});
  Run(ID_EDIT_SELECT_ALL);
  Run(ID_EDIT_UNCOMMENT);
  EXPECT_EQ(Text(), u"'x| y");
  Undo();
  EXPECT_EQ(Text(), u"''x| 'y");
}

TEST_F(EditingCommands, BlockCommandsThatChangeNothingRecordNothing) {
  // Each time the newest record is an Enter that needed no indent. A command that changes no
  // line must leave text and history as they were, not hand that Enter to auto indent again.
  const auto expectNoChange = [this](int32_t command) {
    const std::u16string text = Text();
    const std::u16string undo = editor.UndoMenuText();
    Run(command);
    EXPECT_EQ(Text(), text) << command;
    EXPECT_EQ(editor.UndoMenuText(), undo) << command;
  };
  Load({u"    ' note", u"x"});
  Run(ID_EDIT_TEXTEND);
  Type(u"\r");
  Run(ID_EDIT_TEXTBEGIN);
  expectNoChange(ID_EDIT_COMMENT);

  Load({u"    note", u"x"});
  Run(ID_EDIT_TEXTEND);
  Type(u"\r");
  Run(ID_EDIT_TEXTBEGIN);
  expectNoChange(ID_EDIT_UNCOMMENT);

  // On the last line the caret ends behind the text, below an indented line.
  Load({u"    a", u"b"});
  Type(u"\r");
  Run(ID_EDIT_TEXTEND);
  expectNoChange(ID_EDIT_DECREASE_INDENT);
  EXPECT_EQ(editor.UndoMenuText(), u"&Undo Typing\tCtrl+Z");
}

TEST_F(EditingCommands, Clipboard) {
  Load({u"one", u"two"});
  Run(ID_EDIT_COPY);
  EXPECT_FALSE(clipboard.has);
  EXPECT_FALSE(editor.IsCommandEnabled(ID_EDIT_PASTE));
  // Nothing to paste: the selection must survive.
  Run(ID_EDIT_SELECT_ALL);
  Run(ID_EDIT_PASTE);
  EXPECT_EQ(Text(), u"one|two");
  Run(ID_EDIT_CUT);
  EXPECT_EQ(clipboard.text, u"one\r\ntwo");
  EXPECT_EQ(Text(), u"");
  // Text from other programs may break lines with LF alone.
  clipboard.SetText(u"a\nb\r\nc");
  Run(ID_EDIT_PASTE);
  EXPECT_EQ(Text(), u"a|b|c");
  EXPECT_EQ(editor.Caret(), (P{1, 2}));
  Undo();
  EXPECT_EQ(Text(), u"");
  Undo();
  EXPECT_EQ(Text(), u"one|two");
}

TEST_F(EditingCommands, Bookmarks) {
  Load({u"a", u"b", u"c", u"d"});
  EXPECT_FALSE(editor.IsCommandEnabled(ID_EDIT_NEXT_BOOKMARK));
  Run(ID_EDIT_LINEDOWN);
  Run(ID_EDIT_TOGGLE_BOOKMARK);
  Run(ID_EDIT_LINEDOWN, 2);
  Run(ID_EDIT_TOGGLE_BOOKMARK);
  Run(ID_EDIT_NEXT_BOOKMARK);
  EXPECT_EQ(editor.Caret(), (P{0, 1}));
  Run(ID_EDIT_PREVIOUS_BOOKMARK);
  EXPECT_EQ(editor.Caret(), (P{0, 3}));
  Run(ID_EDIT_TOGGLE_BOOKMARK);
  EXPECT_TRUE(editor.IsCommandEnabled(ID_EDIT_NEXT_BOOKMARK));
  Run(ID_EDIT_CLEAR_ALL_BOOKMARKS);
  EXPECT_EQ(doc.FindLineWithFlag(document::LineBookmark), -1);
  EXPECT_FALSE(editor.IsCommandEnabled(ID_EDIT_CLEAR_ALL_BOOKMARKS));
}

TEST_F(EditingCommands, VerticalMovesKeepTheColumnAndPagesScroll) {
  Load({u"0123456789", u"ab", u"\t0123456"});
  Run(ID_EDIT_LINEEND);
  Run(ID_EDIT_CHARLEFT, 3);
  Run(ID_EDIT_LINEDOWN);
  EXPECT_EQ(editor.Caret(), (P{2, 1}));
  Run(ID_EDIT_LINEDOWN);
  EXPECT_EQ(editor.Caret(), (P{4, 2}));  // column 7 is behind the tab and three characters
  std::vector<std::u16string> lines(200, u"line");
  doc.FreeAll();
  for (const auto& line : lines) doc.AppendLine(line);
  doc.UpdateViews(nullptr, nullptr, document::UpdateAll, -1);
  Run(ID_EDIT_PAGEDOWN);
  EXPECT_EQ(editor.Caret(), (P{0, 29}));
  EXPECT_EQ(editor.FirstVisibleLine(), 29);
  editor.OnWheel(-120);
  EXPECT_EQ(editor.FirstVisibleLine(), 35);
  editor.OnWheel(120 * 100);
  EXPECT_EQ(editor.FirstVisibleLine(), 0);
  EXPECT_EQ(editor.Caret(), (P{0, 29}));
  Run(ID_EDIT_TEXTEND);
  EXPECT_EQ(editor.FirstVisibleLine(), 200 - 30);
}
