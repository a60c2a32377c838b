#include <map>

#include "EditorFixture.h"
#include "editor/SnippetSource.h"
#include "snippets/FirstSnippetLibrary.h"

using quillet::test::CEditorTest;

namespace {

class CShortcutTable : public quillet::editor::ISnippetSource {
 public:
  std::optional<std::u16string> CodeForShortcut(std::u16string_view word) override {
    asked.emplace_back(word);
    for (const auto& [shortcut, code] : table) {
      if (shortcut.size() == word.size() &&
          std::equal(shortcut.begin(), shortcut.end(), word.begin(),
                     [](char16_t a, char16_t b) { return std::tolower(a) == std::tolower(b); })) {
        return code;
      }
    }
    return std::nullopt;
  }
  std::map<std::u16string, std::u16string> table;
  std::vector<std::u16string> asked;
};

}  // namespace

class SnippetInsertion : public CEditorTest {
 protected:
  SnippetInsertion() { editor.SetSnippetSource(&shortcuts); }
  [[nodiscard]] std::u16string Selected() const { return editor.SelectedText(); }
  CShortcutTable shortcuts;
};

TEST_F(SnippetInsertion, IndentsLikeTheLineAndIsOneUndoableEdit) {
  Load({u"\tx = 1", u"  "});
  editor.SetSelection(P{1, 0}, P{6, 0});  // "x = 1" after the tab
  editor.InsertSnippet(u"If a Then\r\n\tb\r\nEnd If");
  EXPECT_EQ(Text(), u"\tIf a Then|\t\tb|\tEnd If|  ");
  EXPECT_EQ(editor.Caret(), (P{7, 2})) << "no field: the caret ends the inserted text";
  EXPECT_FALSE(editor.HasSelection());
  Undo();
  EXPECT_EQ(Text(), u"\tx = 1|  ") << "the selection's deletion and the insertion undo together";

  // The whole run of blanks counts, even when the caret stands inside it.
  editor.SetCaret(P{1, 1});
  editor.InsertSnippet(u"a\r\nb");
  EXPECT_EQ(Text(), u"\tx = 1| a|  b ");
}

TEST_F(SnippetInsertion, SelectsTheNextFieldAfterInsertion) {
  Load({u"' {Old} before", u""});
  editor.SetCaret(P{0, 1});
  editor.InsertSnippet(u"For {i} = 1 To {n}\r\nNext");
  EXPECT_EQ(Selected(), u"{i}");
  EXPECT_EQ(editor.Caret(), (P{7, 1}));
  editor.ExpandSnippetOrSelectField();
  EXPECT_EQ(Selected(), u"{n}") << "F4 goes on to the next field";
  editor.ExpandSnippetOrSelectField();
  EXPECT_EQ(Selected(), u"{i}") << "past the last one it starts again from the top";

  // A brace pair inside a string or a comment is not a field; neither is one with blanks.
  Load({u"s = \"{notField}\" ' {comment}", u"{with space} {ok}"});
  EXPECT_TRUE(editor.SelectNextField(P{0, 0}));
  EXPECT_EQ(Selected(), u"{ok}");
}

TEST_F(SnippetInsertion, F4ExpandsTheShortcutAtTheCaret) {
  shortcuts.table[u"fori"] = u"For {i} = 1 To 10\r\nNext";
  Load({u"  x = 1", u"  ForI"});
  editor.SetCaret(P{6, 1});
  editor.ExpandSnippetOrSelectField();
  EXPECT_EQ(Text(), u"  x = 1|  For {i} = 1 To 10|  Next");
  EXPECT_EQ(Selected(), u"{i}");
  Undo();
  EXPECT_EQ(Text(), u"  x = 1|  ForI") << "one undo step";

  // The word reaches both ways from the caret; an unknown word changes nothing.
  editor.SetCaret(P{4, 1});
  editor.ExpandSnippetOrSelectField();
  EXPECT_EQ(Text(), u"  x = 1|  For {i} = 1 To 10|  Next");
  Undo();
  Load({u"foo_bar"});
  editor.SetCaret(P{3, 0});
  editor.ExpandSnippetOrSelectField();
  EXPECT_EQ(shortcuts.asked.back(), u"foo_bar");
  EXPECT_EQ(Text(), u"foo_bar");

  // A one-line selection is the shortcut; a selection over lines gives nothing.
  Load({u"x fori y", u"z"});
  editor.SetSelection(P{2, 0}, P{6, 0});
  editor.ExpandSnippetOrSelectField();
  EXPECT_EQ(Text(), u"x For {i} = 1 To 10|Next y|z");
  Load({u"fori", u"fori"});
  const size_t asked = shortcuts.asked.size();
  editor.SetSelection(P{0, 0}, P{4, 1});
  editor.ExpandSnippetOrSelectField();
  EXPECT_EQ(shortcuts.asked.size(), asked);
  EXPECT_EQ(Text(), u"fori|fori");
}

TEST_F(SnippetInsertion, EverySnippetOfTheFirstLibraryLeavesAFieldToType) {
  quillet::snippets::FirstSnippetLibrary().ForEachSnippet([&](const quillet::snippets::SSnippet& snippet) {
    Load({u"    "});
    editor.SetCaret(P{4, 0});
    editor.InsertSnippet(snippet.code);
    const std::u16string selected = Selected();
    EXPECT_TRUE(selected.size() > 2 && selected.front() == u'{' && selected.back() == u'}')
        << std::string(snippet.name.begin(), snippet.name.end());
  });
}
