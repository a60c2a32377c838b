// Mouse, drag and drop, margin, several views over one document, and the notifications.

#include "EditorFixture.h"

using namespace quillet;
using namespace quillet::app;
using quillet::test::CEditorTest;

class ViewBehaviour : public CEditorTest {
 protected:
  // Pixel x of character column in the first visible column's frame.
  [[nodiscard]] int32_t XOf(int32_t column) const { return editor.MarginCellWidth() + column * 8; }
};

TEST_F(ViewBehaviour, MarginWidthFollowsTheLineCount) {
  Load({u"a"});
  EXPECT_EQ(editor.MarginWidth(), 35);
  doc.FreeAll();
  for (int i = 0; i < 99; ++i) doc.AppendLine(u"x");
  doc.UpdateViews(nullptr, nullptr, document::UpdateAll, -1);
  EXPECT_EQ(editor.MarginWidth(), 35);  // max(35, 2 * 7 + 12)
  metrics.height = 480;
  doc.FreeAll();
  for (int i = 0; i < 100000; ++i) doc.AppendLine(u"x");
  doc.UpdateViews(nullptr, nullptr, document::UpdateAll, -1);
  EXPECT_EQ(editor.MarginWidth(), 5 * 7 + 12);
  Run(ID_VIEW_LINE_NUMBERS);
  EXPECT_EQ(editor.MarginWidth(), 35);
  EXPECT_EQ(editor.MarginCellWidth(), 45);
}

TEST_F(ViewBehaviour, MouseSelectionByCharactersWordsAndLines) {
  Load({u"Set objShell = Nothing", u"\tx", u"last"});
  // Points map to the character whose right edge they have not yet passed.
  EXPECT_EQ(editor.PointToTextPosition(XOf(4) + 7, 5), (P{4, 0}));
  EXPECT_EQ(editor.PointToTextPosition(XOf(3), 16), (P{0, 1}));  // anywhere in the tab's cell
  EXPECT_EQ(editor.PointToTextPosition(XOf(4) + 1, 16), (P{1, 1}));
  EXPECT_EQ(editor.PointToTextPosition(0, 10000), (P{0, 2}));
  EXPECT_EQ(editor.PointToTextPosition(XOf(100), 0), (P{22, 0}));

  editor.OnLButtonDblClk(XOf(6), 3);
  editor.OnLButtonUp(XOf(6), 3);
  EXPECT_EQ(editor.SelectedText(), u"objShell");
  EXPECT_EQ(editor.Caret(), (P{12, 0}));

  editor.OnLButtonDown(XOf(1), 3, false, true);  // Ctrl: whole words
  editor.OnMouseMove(XOf(16), 3);
  editor.OnLButtonUp(XOf(16), 3);
  EXPECT_EQ(editor.SelectedText(), u"Set objShell = Nothing");

  editor.OnLButtonDown(editor.MarginWidth() + 2, 16, false, false);  // the line strip
  editor.OnMouseMove(editor.MarginWidth() + 2, 40);
  editor.OnLButtonUp(editor.MarginWidth() + 2, 40);
  EXPECT_EQ(editor.SelectionStart(), (P{0, 1}));
  EXPECT_EQ(editor.SelectionEnd(), (P{4, 2}));

  editor.OnLButtonDown(XOf(2), 3, false, false);
  editor.OnMouseMove(XOf(5), 20);
  EXPECT_TRUE(editor.IsCapturing());
  editor.OnLButtonUp(XOf(5), 20);
  EXPECT_EQ(editor.SelectedText(), u"t objShell = Nothing\r\n\tx");
  EXPECT_FALSE(editor.IsCapturing());
}

TEST_F(ViewBehaviour, LineStripSelectsAllWithCtrlAndExtendsFromTheAnchorWithShift) {
  Load({u"a", u"b", u"c", u"d", u"e"});
  const int32_t strip = editor.MarginWidth() + 2;
  const auto yOf = [](int32_t line) { return line * 16 + 3; };
  const auto click = [this](int32_t x, int32_t y, bool shift) {
    editor.OnLButtonDown(x, y, shift, false);
    editor.OnLButtonUp(x, y);
  };
  // Ctrl selects all, and neither the selection timer nor a move while held changes that.
  editor.OnLButtonDown(strip, yOf(2), false, true);
  editor.OnSelectionTimer(strip, yOf(2));
  editor.OnMouseMove(strip + 1, yOf(2));
  editor.OnMouseMove(XOf(1), yOf(3));
  editor.OnLButtonUp(XOf(1), yOf(3));
  EXPECT_EQ(editor.SelectionStart(), (P{0, 0}));
  EXPECT_EQ(editor.SelectionEnd(), (P{1, 4}));

  // Shift extends from the anchor's line, not from the line of an older strip click.
  click(strip, yOf(1), false);
  click(XOf(1), yOf(3), false);
  click(strip, yOf(4), true);
  EXPECT_EQ(editor.SelectionStart(), (P{0, 3}));
  EXPECT_EQ(editor.SelectionEnd(), (P{1, 4}));
  click(XOf(0), yOf(2), false);
  click(strip, yOf(0), true);
  EXPECT_EQ(editor.SelectionStart(), (P{0, 0}));
  EXPECT_EQ(editor.SelectionEnd(), (P{0, 3}));
  EXPECT_EQ(editor.Caret(), (P{0, 0}));

  // Lines selected upwards keep their anchor at the start of the line below them; that line
  // was never selected, so Shift extends from the last selected line.
  editor.OnLButtonDown(strip, yOf(3), false, false);
  editor.OnMouseMove(strip, yOf(1));
  editor.OnLButtonUp(strip, yOf(1));
  EXPECT_EQ(editor.SelectionStart(), (P{0, 1}));
  EXPECT_EQ(editor.SelectionEnd(), (P{0, 4}));
  click(strip, yOf(0), true);
  EXPECT_EQ(editor.SelectionStart(), (P{0, 0}));
  EXPECT_EQ(editor.SelectionEnd(), (P{0, 4}));
}

TEST_F(ViewBehaviour, MarginClickTogglesTheBreakpointOfItsLine) {
  Load({u"a", u"b", u"c"});
  editor.OnLButtonDown(5, 20, false, false);
  EXPECT_EQ(doc.Breakpoints().at(1), 1);
  EXPECT_EQ(editor.Caret(), (P{0, 1}));
  editor.OnLButtonDown(5, 20, false, false);
  EXPECT_EQ(doc.Breakpoints().at(1), 0);
  editor.OnLButtonDown(5, 20, false, false);
  EXPECT_EQ(doc.Breakpoints().at(1), 1);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ViewBehaviour, DragAndDropMovesInOneStepAndNeverOntoItself) {
  Load({u"one two three"});
  editor.SetSelection({4, 0}, {7, 0});
  // Pressing inside the selection prepares a drag; dropping on the selection itself only moves
  // the caret, even though the drag loop reports a move.
  editor.OnLButtonDown(XOf(5), 3, false, false);
  ASSERT_TRUE(editor.OnMouseMove(XOf(6), 3));
  editor.BeginDragSource();
  EXPECT_FALSE(editor.DropText({5, 0}, editor.SelectedText()));
  editor.EndDragSource(true);
  EXPECT_EQ(Text(), u"one two three");
  EXPECT_EQ(editor.Caret(), (P{5, 0}));
  EXPECT_FALSE(doc.CanUndo());

  editor.SetSelection({4, 0}, {8, 0});
  editor.BeginDragSource();
  EXPECT_TRUE(editor.DropText({0, 0}, u"two "));
  editor.EndDragSource(true);
  EXPECT_EQ(Text(), u"two one three");
  EXPECT_EQ(editor.UndoMenuText(), u"&Undo Drag And Drop\tCtrl+Z");
  Undo();
  EXPECT_EQ(Text(), u"one two three");
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ViewBehaviour, EveryViewFollowsChangesMadeInAnother) {
  Load({u"abc", u"def", u"ghi"});
  editor::CEditorCore other(doc, metrics);
  other.SetCaret({1, 1});
  editor.SetCaret({2, 0});
  editor.SetSelection({1, 2}, {3, 2});
  int32_t endLine = 0, endChar = 0;
  // An insertion exactly at a caret leaves it before the new text.
  ASSERT_TRUE(doc.InsertText(&other, 1, 1, u"X\r\nY", endLine, endChar, document::ActionTyping));
  EXPECT_EQ(other.Caret(), (P{1, 1}));
  EXPECT_EQ(editor.SelectionStart(), (P{1, 3}));
  ASSERT_TRUE(doc.DeleteText(nullptr, 0, 1, 3, 1, document::ActionDelete));
  EXPECT_EQ(Text(), u"ahi");
  EXPECT_EQ(editor.SelectionStart(), (P{1, 0}));
  EXPECT_EQ(editor.SelectionEnd(), (P{3, 0}));  // still "hi", now on the merged line
  EXPECT_EQ(other.Caret(), (P{1, 0}));
}
