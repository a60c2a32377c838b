// The per-view cookie cache over a real document: filled lazily, invalidated by edits, and the
// in-place Rem correction.

#include <gtest/gtest.h>

#include <filesystem>

#include "document/QuilletDoc.h"
#include "editor/SyntaxColorizer.h"
#include "platform/AnsiCodePage.h"

using namespace quillet;
using editor::CookieComment;
using editor::CSyntaxColorizer;

namespace {

void Load(document::CQuilletDoc& doc, std::initializer_list<std::u16string_view> lines) {
  doc.FreeAll();
  for (const auto line : lines) doc.AppendLine(line);
}

}  // namespace

TEST(SyntaxColorizer, CookiesFollowEditsIncludingOneLineEdits) {
  document::CQuilletDoc doc;
  Load(doc, {u"' a", u"b \\", u"c", u"d"});
  CSyntaxColorizer colorizer(doc);
  EXPECT_EQ(colorizer.GetParseCookie(3), 0u);
  EXPECT_EQ(colorizer.GetParseCookie(-1), 0u);
  EXPECT_EQ(colorizer.KnownCount(), 4u);

  // Typing a backslash at the end of line 0 makes line 1 a comment that carries on into line 2.
  int32_t endLine = 0, endChar = 0;
  ASSERT_TRUE(doc.InsertText(nullptr, 0, 3, u"\\", endLine, endChar, document::ActionTyping));
  EXPECT_EQ(colorizer.Invalidate(document::UpdateOneLine | document::UpdateWidth, 0), -1);
  EXPECT_EQ(colorizer.GetParseCookie(1), CookieComment);
  EXPECT_EQ(colorizer.GetParseCookie(2), 0u);

  // An edit that keeps the end state re-colours only its own line.
  ASSERT_TRUE(doc.InsertText(nullptr, 2, 0, u"x", endLine, endChar, document::ActionTyping));
  EXPECT_EQ(colorizer.Invalidate(document::UpdateOneLine, 2), 2);
  EXPECT_EQ(colorizer.KnownCount(), 3u);

  // Lines removed: the cache shrinks with the text and is rebuilt from the change on.
  ASSERT_TRUE(doc.DeleteText(nullptr, 0, 0, 2, 0, document::ActionDelete));
  EXPECT_EQ(colorizer.Invalidate(document::UpdateWidth | document::UpdateHeight, 0), -1);
  EXPECT_EQ(colorizer.GetParseCookie(1), 0u);
  EXPECT_EQ(colorizer.Invalidate(document::UpdateAll, -1), -1);
  EXPECT_FALSE(colorizer.HasCache());
}

TEST(SyntaxColorizer, AnalysisScansCacheTheStateButLeaveTheTextAlone) {
  document::CQuilletDoc doc;
  Load(doc, {u"' a", u"b \\", u"rEM c"});
  CSyntaxColorizer colorizer(doc);
  std::vector<editor::SColorBlock> blocks;
  const uint32_t end = colorizer.ScanText(2, doc.GetLine(2), &blocks);
  EXPECT_EQ(colorizer.GetParseCookie(2), end) << "the line's end state is cached";
  EXPECT_EQ(colorizer.KnownCount(), 3u) << "the lines above were scanned for its start state";
  ASSERT_FALSE(blocks.empty());
  EXPECT_EQ(blocks.back().color, editor::ColorComment);
  EXPECT_EQ(doc.GetLine(2), u"rEM c") << "only painting corrects the case of Rem";
}

TEST(SyntaxColorizer, RemIsRewrittenWithoutUndoOrModification) {
  document::CQuilletDoc doc;
  Load(doc, {u"Dim x: rEM note", u"y = rem"});
  CSyntaxColorizer colorizer(doc);
  std::vector<editor::SColorBlock> blocks;
  (void)colorizer.ParseLine(0, 0, &blocks);
  (void)colorizer.ParseLine(0, 1, &blocks);
  EXPECT_EQ(doc.GetLine(0), u"Dim x: Rem note");
  EXPECT_EQ(doc.GetLine(1), u"y = rem");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.RewriteInPlace(1, 6, u"Rem"));
  EXPECT_FALSE(doc.RewriteInPlace(1, 9, u"R"));
}

TEST(SyntaxColorizer, EveryCorpusScriptColours) {
  const std::filesystem::path corpus = QUILLET_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  const auto codePage = platform::CAnsiCodePage::ForCodePage(1252);
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    document::CQuilletDoc doc;
    doc.SetCodePage(codePage.get());
    ASSERT_TRUE(doc.LoadFromFile(entry.path().string(), document::EolDetect)) << entry.path();
    CSyntaxColorizer colorizer(doc);
    std::vector<editor::SColorBlock> blocks;
    for (int32_t line = 0; line < doc.GetLineCount(); ++line) {
      blocks.clear();
      const uint32_t start = colorizer.GetParseCookie(line - 1);
      (void)colorizer.ParseLine(start, line, &blocks);
      for (size_t b = 1; b < blocks.size(); ++b) ASSERT_LE(blocks[b - 1].start, blocks[b].start);
      if (!blocks.empty()) {
        ASSERT_LE(blocks.back().start, doc.GetLineLength(line));
      }
    }
    ++count;
  }
  EXPECT_GT(count, 1000u);
}
