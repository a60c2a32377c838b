// Long random sequences of edits, undo and redo, checked after every step against a plain
// string that models the text.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "document/QuilletDoc.h"

using namespace quillet::document;

namespace {

std::u16string Text(const CQuilletDoc& doc) {
  std::u16string text;
  const int32_t last = doc.GetLineCount() - 1;
  doc.GetText(0, 0, last, doc.GetLineLength(last), text);
  return text;
}

// Offsets into the CR LF joined text, and back.
CTextPosition PositionOf(const std::u16string& text, size_t offset) {
  CTextPosition position;
  size_t lineStart = 0;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++position.y;
      lineStart = i + 2;
      ++i;
    }
  }
  position.x = static_cast<int32_t>(offset - lineStart);
  return position;
}

std::vector<size_t> Boundaries(const std::u16string& text) {
  std::vector<size_t> offsets;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i > 0 && text[i - 1] == u'\r' && i < text.size() && text[i] == u'\n') continue;
    offsets.push_back(i);
  }
  return offsets;
}

}  // namespace

TEST(RandomEdits, MatchAStringModelThroughUndoAndRedo) {
  std::mt19937 random(20261206);
  const std::u16string pieces[] = {u"a", u"Dim x", u"\r\n", u"x\r\ny", u"\t", u"\n", u"é"};
  CQuilletDoc doc;
  std::vector<std::u16string> history{Text(doc)};  // text after each undo step
  size_t step = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::u16string text = Text(doc);
    const auto offsets = Boundaries(text);
    const int choice = static_cast<int>(random() % 10);
    if (choice < 5) {
      const size_t at = offsets[random() % offsets.size()];
      const std::u16string& piece = pieces[random() % std::size(pieces)];
      const CTextPosition p = PositionOf(text, at);
      int32_t endLine = 0, endChar = 0;
      ASSERT_TRUE(doc.InsertText(nullptr, p.y, p.x, piece, endLine, endChar, ActionTyping));
      history.resize(++step);
      history.push_back(text.substr(0, at) + piece + text.substr(at));
    } else if (choice < 8) {
      size_t a = offsets[random() % offsets.size()];
      size_t b = offsets[random() % offsets.size()];
      if (a > b) std::swap(a, b);
      const CTextPosition pa = PositionOf(text, a);
      const CTextPosition pb = PositionOf(text, b);
      ASSERT_TRUE(doc.DeleteText(nullptr, pa.y, pa.x, pb.y, pb.x, ActionDelete));
      history.resize(++step);
      history.push_back(text.substr(0, a) + text.substr(b));
    } else if (choice == 8 && doc.CanUndo()) {
      CTextPosition caret;
      doc.Undo(caret);
      --step;
    } else if (doc.CanRedo()) {
      CTextPosition caret;
      doc.Redo(caret);
      ++step;
    }
    ASSERT_EQ(Text(doc), history[step]) << "round " << round;
  }
}
