// Searching, replacing, the recent lists and going to a line, on the editing core.

#include <gtest/gtest.h>

#include "base/SettingsInventory.h"
#include "editor/FindReplaceSession.h"
#include "editor/RecentEntryList.h"
#include "editor/TextSearch.h"
#include "platform/SettingsStore.h"
#include "TempFolder.h"
#include "EditorFixture.h"

namespace quillet::test {
namespace {

using editor::FindDirectionUp;
using editor::FindMatchCase;
using editor::FindWholeWord;

class SearchTest : public CEditorTest {
 protected:
  [[nodiscard]] bool Find(std::u16string_view text, P start, uint32_t flags, bool wrap, P& found) {
    return editor.FindText(text, start, flags, wrap, found, true);
  }
  [[nodiscard]] P FindAt(std::u16string_view text, P start, uint32_t flags = 0, bool wrap = false) {
    P found{-1, -1};
    if (!Find(text, start, flags, wrap, found)) return {-1, -1};
    return found;
  }
};

TEST_F(SearchTest, DownwardsHonoursCaseWholeWordAndWrap) {
  Load({u"Dim ab_c, ab", u"AB = 1"});
  EXPECT_EQ(FindAt(u"ab", {0, 0}, FindWholeWord), (P{10, 0}));
  EXPECT_EQ(FindAt(u"ab", {0, 0}), (P{4, 0}));
  EXPECT_EQ(FindAt(u"AB", {0, 0}, FindMatchCase), (P{0, 1}));
  EXPECT_EQ(FindAt(u"ab", {11, 0}), (P{0, 1}));
  // Past the last match: only wrap finds the first again.
  EXPECT_EQ(FindAt(u"ab", {1, 1}), (P{-1, -1}));
  EXPECT_EQ(FindAt(u"ab", {1, 1}, 0, true), (P{4, 0}));
  EXPECT_EQ(FindAt(u"", {0, 0}, 0, true), (P{-1, -1}));
  // Case folding reaches past ASCII.
  Load({u"x = \u00e9t\u00e9"});
  EXPECT_EQ(FindAt(u"\u00c9T\u00c9", {0, 0}), (P{4, 0}));
  EXPECT_EQ(FindAt(u"\u00c9T\u00c9", {0, 0}, FindMatchCase), (P{-1, -1}));
}

TEST_F(SearchTest, UpwardsFindsTheNearestOccurrenceBeforeTheStart) {
  Load({u"ab ab ab", u"x", u"ab ab"});
  // The start line's text before the start, its last occurrence first.
  EXPECT_EQ(FindAt(u"ab", {4, 2}, FindDirectionUp), (P{0, 2}));
  EXPECT_EQ(FindAt(u"ab", {5, 2}, FindDirectionUp), (P{3, 2}));
  // The last occurrence of each line above, never one after the start.
  EXPECT_EQ(FindAt(u"ab", {0, 2}, FindDirectionUp), (P{6, 0}));
  EXPECT_EQ(FindAt(u"ab", {7, 0}, FindDirectionUp), (P{3, 0}));
  // Wrap goes on from the end of the text.
  EXPECT_EQ(FindAt(u"ab", {1, 0}, FindDirectionUp), (P{-1, -1}));
  EXPECT_EQ(FindAt(u"ab", {1, 0}, FindDirectionUp, true), (P{3, 2}));
  Load({u"ab_c ab xab"});
  EXPECT_EQ(FindAt(u"ab", {11, 0}, FindDirectionUp | FindWholeWord), (P{5, 0}));
}

TEST_F(SearchTest, BlockEndsLimitTheSearch) {
  Load({u"one two", u"two one two", u"two"});
  P found;
  // A match starting before the block end counts even when it runs past it.
  EXPECT_TRUE(editor.FindTextInBlock(u"two", {0, 1}, {0, 1}, {1, 1}, 0, false, found, false));
  EXPECT_EQ(found, (P{0, 1}));
  EXPECT_FALSE(editor.FindTextInBlock(u"one", {0, 1}, {5, 0}, {4, 1}, 0, false, found, false));
  EXPECT_TRUE(editor.FindTextInBlock(u"one", {0, 0}, {1, 0}, {5, 1}, 0, false, found, false));
  EXPECT_EQ(found, (P{4, 1}));  // the start moves to the block begin
  EXPECT_FALSE(editor.FindTextInBlock(u"two", {0, 0}, {3, 0}, {3, 0}, 0, true, found, false));
  EXPECT_FALSE(editor.HasLastSearch());
  // Positions left behind by text that has since gone are taken as the end of the text.
  EXPECT_TRUE(editor.FindTextInBlock(u"two", {9, 40}, {0, 0}, {5, 50}, FindDirectionUp, false, found, false));
  EXPECT_EQ(found, (P{0, 2}));
  EXPECT_FALSE(editor.FindTextInBlock(u"two", {9, 40}, {0, 30}, {5, 50}, 0, true, found, false));
}

TEST_F(SearchTest, ReplaceSelectionTakesTwoUndoSteps) {
  Load({u"a = old"});
  editor.HighlightText({4, 0}, 3);
  editor.ReplaceSelection(u"newer");
  EXPECT_EQ(Text(), u"a = newer");
  EXPECT_EQ(editor.Caret(), (P{9, 0}));
  Undo();
  EXPECT_EQ(Text(), u"a = ");
  Undo();
  EXPECT_EQ(Text(), u"a = old");
}

TEST_F(SearchTest, RepeatSearchUsesTheLastSearchBothWays) {
  Load({u"x = 1", u"x = 2", u"x = 3"});
  P found;
  ASSERT_TRUE(editor.FindText(u"X =", {0, 0}, 0, true, found, true));
  editor.HighlightText(found, 3);
  EXPECT_TRUE(editor.RepeatSearch(false));
  EXPECT_EQ(editor.SelectionStart(), (P{0, 1}));
  EXPECT_TRUE(editor.RepeatSearch(false));
  EXPECT_EQ(editor.SelectionStart(), (P{0, 2}));
  EXPECT_TRUE(editor.ShowsSelectionAlways());
  // Shift+F3 goes back to the previous match, not the one just shown.
  EXPECT_TRUE(editor.RepeatSearch(true));
  EXPECT_EQ(editor.SelectionStart(), (P{0, 1}));
  EXPECT_EQ(editor.LastSearchFlags(), 0u);
  EXPECT_TRUE(editor.RepeatSearch(false));
  EXPECT_TRUE(editor.RepeatSearch(false));  // wraps
  EXPECT_EQ(editor.SelectionStart(), (P{0, 0}));
  ASSERT_FALSE(editor.FindText(u"zz", {0, 0}, 0, true, found, true));
  EXPECT_FALSE(editor.RepeatSearch(false));
  EXPECT_EQ(editor::NotFoundMessage(u"zz"), u"Cannot find string\"zz\"");
}

TEST_F(SearchTest, GoToLineRefusesLinesOutsideTheDocument) {
  Load({u"a", u"b", u"c"});
  editor.SetSelection({0, 0}, {1, 1});
  EXPECT_FALSE(editor.GoToLine(0));
  EXPECT_FALSE(editor.GoToLine(4));
  EXPECT_TRUE(editor.HasSelection());
  EXPECT_TRUE(editor.GoToLine(3));
  EXPECT_EQ(editor.Caret(), (P{0, 2}));
  EXPECT_FALSE(editor.HasSelection());
}

class SessionTest : public SearchTest {
 protected:
  SessionTest() { m_folder.IsolateUserFolders(); }
  CTempFolder m_folder;
  platform::CSettingsStore m_store{m_folder.File("settings.reg"), u"HKEY_CURRENT_USER\\Software\\T"};
  app::CSettings m_settings{m_store};
  editor::CFindReplaceSession session{editor, &m_settings};
};

TEST_F(SessionTest, OpeningTakesFindTextScopeAndStartFromTheSelection) {
  Load({u"Dim total", u"total = 1", u"x"});
  editor.SetCaret({6, 0});
  session.Open();
  EXPECT_EQ(session.Options().findWhat, u"total");
  EXPECT_FALSE(session.SelectionScopeEnabled());
  EXPECT_EQ(session.SearchPosition(), (P{6, 0}));
  EXPECT_TRUE(editor.ShowsSelectionAlways());
  session.Close();
  EXPECT_FALSE(editor.ShowsSelectionAlways());

  editor.SetSelection({0, 1}, {5, 1});
  session.Open();
  EXPECT_EQ(session.Options().findWhat, u"total");
  EXPECT_FALSE(session.Options().selectionScope);
  EXPECT_EQ(session.SearchPosition(), (P{5, 1}));

  editor.SetSelection({0, 1}, {9, 1});  // the whole line
  session.Open();
  EXPECT_EQ(session.Options().findWhat, u"total");  // kept from the settings
  EXPECT_EQ(session.SearchPosition(), (P{0, 1}));
  EXPECT_FALSE(session.Options().selectionScope);

  editor.SetSelection({4, 0}, {1, 2});
  session.Open();
  EXPECT_TRUE(session.Options().selectionScope);
  EXPECT_TRUE(session.SelectionScopeEnabled());
  EXPECT_EQ(session.BlockBegin(), (P{4, 0}));
  EXPECT_EQ(session.BlockEnd(), (P{1, 2}));
}

TEST_F(SessionTest, FindNextNeverFindsTheSameMatchTwiceAndReportsMisses) {
  Load({u"aaa", u"b"});
  editor.SetCaret({0, 1});
  session.Open();
  session.Options().findWhat = u"aa";
  EXPECT_EQ(session.FindNext(), u"");
  EXPECT_EQ(editor.SelectionStart(), (P{0, 0}));
  EXPECT_EQ(session.FindNext(), u"");
  EXPECT_EQ(editor.SelectionStart(), (P{1, 0}));
  session.Options().findWhat = u"zz";
  EXPECT_EQ(session.FindNext(), u"Cannot find string\"zz\"");
  EXPECT_FALSE(session.Found());
  session.Options().findWhat.clear();
  EXPECT_EQ(session.FindNext(), u"");
  // Upwards each press moves one match back.
  Load({u"ab ab ab"});
  editor.SetCaret({8, 0});
  session.Open();
  session.Options().findWhat = u"ab";
  session.Options().searchUp = true;
  for (const int32_t x : {6, 3, 0, 6}) {
    EXPECT_EQ(session.FindNext(), u"");
    EXPECT_EQ(editor.SelectionStart(), (P{x, 0}));
  }
}

TEST_F(SessionTest, ReplaceAllNeverWrapsAndUndoesInTwoStepsEach) {
  Load({u"a-a", u"a"});
  editor.SetCaret({2, 0});
  session.Open();
  session.Options().findWhat = u"a";
  session.Options().replaceWith = u"aa";
  session.Options().searchUp = true;  // Replace All still runs from the top down
  session.ReplaceAll();
  EXPECT_EQ(Text(), u"aa-aa|aa");
  for (int i = 0; i < 6; ++i) Undo();
  EXPECT_EQ(Text(), u"a-a|a");
  EXPECT_FALSE(editor.ExecuteCommand(app::ID_EDIT_UNDO) && doc.CanUndo());
}

TEST_F(SessionTest, ReplaceInsideTheSelectionKeepsTheBlockEnd) {
  Load({u"x x", u"x x x", u"x"});
  editor.SetSelection({2, 0}, {3, 1});
  session.Open();
  session.Options().findWhat = u"x";
  session.Options().replaceWith = u"yyy";
  session.ReplaceAll();
  // The block end moved with the longer text, so the second x of line 2 was inside it.
  EXPECT_EQ(Text(), u"x yyy|yyy yyy x|x");
  EXPECT_EQ(session.BlockEnd(), (P{7, 1}));
  // Replace replaces the shown match, then shows the next one.
  Load({u"k k k"});
  editor.SetCaret({0, 0});
  session.Open();
  session.Options().findWhat = u"k";
  session.Options().replaceWith = u"m";
  EXPECT_EQ(session.Replace(), u"");  // nothing shown yet: only finds
  EXPECT_EQ(Text(), u"k k k");
  EXPECT_EQ(session.Replace(), u"");
  EXPECT_EQ(Text(), u"m k k");
  EXPECT_EQ(editor.SelectionStart(), (P{2, 0}));
  // A selection the user moved is not replaced blindly.
  editor.SetSelection({0, 0}, {1, 0});
  EXPECT_EQ(session.Replace(), u"");
  EXPECT_EQ(Text(), u"m k k");
}

TEST_F(SessionTest, OptionsAndRecentListsAreKept) {
  Load({u"x"});
  session.Open();
  session.Options().findWhat = u"Alpha";
  session.Options().replaceWith = u"Beta";
  session.Options().matchCase = true;
  (void)session.Replace();
  session.Close();
  EXPECT_EQ(m_settings.Read(app::settings::ReplaceFindWhat), u"Alpha");
  EXPECT_EQ(m_settings.Read(app::settings::ReplaceMatchCase), 1);
  editor::CFindReplaceSession again(editor, &m_settings);
  editor.SetCaret({1, 0});
  again.Open();
  EXPECT_TRUE(again.Options().matchCase);
  EXPECT_EQ(again.Options().replaceWith, u"Beta");
  EXPECT_EQ(again.RecentReplaces(), (std::vector<std::u16string>{u"Beta"}));

  for (int i = 0; i < 25; ++i) {
    (void)editor::UpdateRecentList(&m_settings, app::settings::RecentFinds, u"t" + std::u16string(1, char16_t(u'a' + i)));
  }
  const auto list = editor::UpdateRecentList(&m_settings, app::settings::RecentFinds, u"TB");
  ASSERT_EQ(list.size(), 20u);
  EXPECT_EQ(list[0], u"TB");
  EXPECT_EQ(list[1], u"ty");
  EXPECT_EQ(std::count(list.begin(), list.end(), u"tb"), 0);
  EXPECT_EQ(m_settings.ReadString(u"Recent Find List", u"Arg19", u"?"), list[19]);
  EXPECT_EQ(m_settings.ReadString(u"Recent Replace List", u"Arg5", u"?"), u"");
}

}  // namespace
}  // namespace quillet::test
