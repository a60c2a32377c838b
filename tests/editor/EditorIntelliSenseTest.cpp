// IntelliSense in the editing core, driven by typed characters and the Edit menu's commands:
// what each request lists, inserts, corrects or tips, and which edits can be undone. The
// windows are stood in for by a recorder.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "../intellisense/AnalysisFixtures.h"
#include "EditorFixture.h"
#include "editor/EditorIntelliSense.h"
#include "editor/IntelliSensePopups.h"
#include "editor/TypeInformation.h"
#include "platform/AnsiCodePage.h"

namespace quillet::test {
namespace {

class CRecordedPopups final : public editor::IIntelliSensePopups {
 public:
  void ShowMemberList(const intellisense::CCompletionSet& set, std::u16string_view prefix) override {
    ++lists;
    names = set.Names();
    this->prefix = prefix;
  }
  void ShowParameterTip(const intellisense::SParameterTip& shown) override { tip = shown; }

  [[nodiscard]] bool Lists(std::u16string_view name) const {
    return std::find(names.begin(), names.end(), name) != names.end();
  }

  int lists = 0;
  std::vector<std::u16string> names;
  std::u16string prefix;
  std::optional<intellisense::SParameterTip> tip;
};

constexpr std::u16string_view kCreateFso = u"Set fso = CreateObject(\"Scripting.FileSystemObject\")";

class EditorIntelliSenseTest : public CEditorTest {
 protected:
  EditorIntelliSenseTest() { editor.SetIntelliSense(&intelliSense); }
  ~EditorIntelliSenseTest() override { editor.SetIntelliSense(nullptr); }

  void LoadWithCaretAtEnd(std::initializer_list<std::u16string_view> lines) {
    Load(lines);
    const int32_t last = doc.GetLineCount() - 1;
    editor.SetCaret({doc.GetLineLength(last), last});
  }

  intellisense::test::SGeneratedClasses classes;
  CRecordedPopups popups;
  editor::CTypeInformation types{classes.registry, classes.references, nullptr};
  editor::CEditorIntelliSense intelliSense{editor, popups, types};
};

TEST_F(EditorIntelliSenseTest, ADotListsTheMembersAndAChoiceIsOneUndoableEdit) {
  ASSERT_TRUE(classes.loaded);
  LoadWithCaretAtEnd({kCreateFso, u""});
  Type(u"fso.");
  EXPECT_EQ(popups.lists, 1);
  EXPECT_TRUE(popups.Lists(u"GetFolder"));
  EXPECT_EQ(popups.prefix, u"");
  Type(u"getf");
  intelliSense.ApplyCompletion(u"GetFolder", 4);
  EXPECT_EQ(doc.GetLine(1), u"fso.GetFolder");
  EXPECT_EQ(editor.Caret(), (P{13, 1}));
  Undo();
  EXPECT_EQ(doc.GetLine(1), u"fso.getf");
  // A popup closed without a choice changes nothing.
  intelliSense.ApplyCompletion(u"", 4);
  EXPECT_EQ(doc.GetLine(1), u"fso.getf");
}

TEST_F(EditorIntelliSenseTest, NoListInsideStringsOrComments) {
  LoadWithCaretAtEnd({kCreateFso, u""});
  Type(u"x = \"fso.");
  Type(u"\" ' fso.");
  EXPECT_EQ(popups.lists, 0);
}

TEST_F(EditorIntelliSenseTest, TypedKeywordsAndDeclaredNamesTakeTheirSpellingWithoutAnUndoStep) {
  LoadWithCaretAtEnd({u"dim myValue", u""});
  Type(u"msgbox ");
  EXPECT_EQ(doc.GetLine(1), u"MsgBox ");
  ASSERT_TRUE(popups.tip.has_value());
  EXPECT_EQ(popups.tip->syntax, u"MsgBox (prompt, [buttons], [title], [helpfile], [context])");
  Type(u"MYVALUE,");
  EXPECT_EQ(doc.GetLine(1), u"MsgBox myValue,");
  // The corrections left no step of their own: undoing everything typed empties the line, and
  // nothing of the old spelling comes back on the way.
  while (doc.CanUndo()) {
    Undo();
    EXPECT_EQ(doc.GetLine(1).find(u"MYVALUE"), std::u16string_view::npos);
    EXPECT_EQ(doc.GetLine(1).find(u"msgbox"), std::u16string_view::npos);
  }
  EXPECT_EQ(doc.GetLine(1), u"");
}

TEST_F(EditorIntelliSenseTest, WordsInStringsAndUnknownWordsKeepTheirCase) {
  LoadWithCaretAtEnd({u"Dim x", u""});
  Type(u"s = \"msgbox X ");
  EXPECT_EQ(doc.GetLine(1), u"s = \"msgbox X ");
  LoadWithCaretAtEnd({u"Dim x", u""});
  Type(u"Y = X\r");
  EXPECT_EQ(doc.GetLine(1), u"Y = x");
}

TEST_F(EditorIntelliSenseTest, ArrowsCorrectTheIdentifierOnlyAfterAChange) {
  LoadWithCaretAtEnd({u"Dim counter", u"COUNTER"});
  doc.ClearTextChanged();
  Run(app::ID_EDIT_CHARLEFT);
  EXPECT_EQ(doc.GetLine(1), u"COUNTER");  // loaded, not typed: nothing changed
  Type(u"S");
  Run(app::ID_EDIT_CHARLEFT);
  EXPECT_EQ(doc.GetLine(1), u"COUNTESR");  // no such name
  Run(app::ID_EDIT_DELETE);
  Run(app::ID_EDIT_CHARLEFT);
  EXPECT_EQ(doc.GetLine(1), u"counter");  // the whole identifier around the caret
}

TEST_F(EditorIntelliSenseTest, MemberNamesTakeTheLibrarysSpellingAsAnEdit) {
  ASSERT_TRUE(classes.loaded);
  LoadWithCaretAtEnd({kCreateFso, u""});
  Type(u"Set f = fso.getfolder(");
  EXPECT_EQ(doc.GetLine(1), u"Set f = fso.GetFolder(");
  ASSERT_TRUE(popups.tip.has_value());
  EXPECT_EQ(popups.tip->syntax, u"GetFolder (FolderPath)");
}

TEST_F(EditorIntelliSenseTest, CompleteWordInsertsTheOnlyMatchOrListsThemAll) {
  LoadWithCaretAtEnd({u"x = msgb"});
  Run(app::ID_EDIT_COMPLETE_WORD);
  EXPECT_EQ(doc.GetLine(0), u"x = MsgBox");
  EXPECT_EQ(popups.lists, 0);

  LoadWithCaretAtEnd({u"Dim MsText", u"Ms"});
  Run(app::ID_EDIT_COMPLETE_WORD);
  EXPECT_EQ(popups.lists, 1);
  EXPECT_EQ(popups.prefix, u"Ms");
  EXPECT_TRUE(popups.Lists(u"MsgBox"));
  EXPECT_TRUE(popups.Lists(u"MsText"));
  intelliSense.ApplyCompletion(u"MsText", 2);
  EXPECT_EQ(doc.GetLine(1), u"MsText");

  // In the middle of a word the caret first goes to its end.
  Load({u"Dim MsText", u"y = MsTe + 1"});
  editor.SetCaret({6, 1});
  Run(app::ID_EDIT_COMPLETE_WORD);
  EXPECT_EQ(doc.GetLine(1), u"y = MsText + 1");
}

TEST_F(EditorIntelliSenseTest, AfterADotCompleteWordListsMembersButListMembersNeedsTheDot) {
  ASSERT_TRUE(classes.loaded);
  LoadWithCaretAtEnd({kCreateFso, u"fso.GetFol"});
  Run(app::ID_EDIT_LIST_MEMBERS);
  EXPECT_EQ(popups.lists, 0);
  Run(app::ID_EDIT_COMPLETE_WORD);
  EXPECT_EQ(doc.GetLine(1), u"fso.GetFolder");
  LoadWithCaretAtEnd({kCreateFso, u"fso.Get"});
  Run(app::ID_EDIT_COMPLETE_WORD);
  EXPECT_EQ(popups.lists, 1);
  EXPECT_EQ(popups.prefix, u"Get");
  EXPECT_TRUE(popups.Lists(u"GetFile"));
}

TEST_F(EditorIntelliSenseTest, ParametersInfoAtTheCaret) {
  LoadWithCaretAtEnd({u"x = InStr("});
  Run(app::ID_EDIT_PARAMETERS_INFO);
  ASSERT_TRUE(popups.tip.has_value());
  EXPECT_EQ(popups.tip->syntax, u"InStr ([start], string1, string2, [compare])");
  popups.tip.reset();
  // After a complete argument there is no call right before the caret.
  LoadWithCaretAtEnd({u"x = InStr(s, "});
  Run(app::ID_EDIT_PARAMETERS_INFO);
  EXPECT_FALSE(popups.tip.has_value());
}

// Every request of the editor, with the edits that follow from it, at sampled places of every
// corpus script: none faults or runs away.
TEST(EditorIntelliSenseCorpus, EveryRequestAtSampledPlacesEndsQuietly) {
  const std::filesystem::path corpus = QUILLET_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  using Clock = std::chrono::steady_clock;
  intellisense::test::SGeneratedClasses classes;
  editor::CTypeInformation types{classes.registry, classes.references, nullptr};
  const auto codePage = platform::CAnsiCodePage::ForCodePage(1252);
  CFixedMetrics metrics;
  size_t scripts = 0;
  Clock::duration slowest{};
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    document::CQuilletDoc doc;
    doc.SetCodePage(codePage.get());
    ASSERT_TRUE(doc.LoadFromFile(entry.path().string(), document::EolDetect)) << entry.path();
    editor::CEditorCore core(doc, metrics);
    CRecordedPopups popups;
    editor::CEditorIntelliSense intelliSense(core, popups, types);
    core.SetIntelliSense(&intelliSense);
    const int32_t lines = doc.GetLineCount();
    const int32_t step = std::max(1, lines / 6);
    for (int32_t line = 0; line < lines; line += step) {
      const int32_t length = doc.GetLineLength(line);
      for (int32_t column : {length, length / 2}) {
        const auto start = Clock::now();
        const document::CTextPosition at{column, line};
        core.SetCaret(at);
        intelliSense.CorrectWordCase(core.Caret());
        intelliSense.CorrectIdentifierCase(core.Caret());
        intelliSense.OpenMemberList(core.Caret());
        intelliSense.OpenParameterTip(core.Caret());
        intelliSense.CompleteWord();
        if (!popups.names.empty()) {
          intelliSense.ApplyCompletion(popups.names.back(), static_cast<int32_t>(popups.prefix.size()));
        }
        const auto took = Clock::now() - start;
        ASSERT_LT(took, std::chrono::seconds(2)) << entry.path() << " line " << line;
        slowest = std::max(slowest, took);
      }
    }
    core.SetIntelliSense(nullptr);
    ++scripts;
  }
  EXPECT_GT(scripts, 1000u);
  std::printf("%zu scripts, slowest set of requests %.2f ms\n", scripts,
              std::chrono::duration<double, std::milli>(slowest).count());
}

}  // namespace
}  // namespace quillet::test
