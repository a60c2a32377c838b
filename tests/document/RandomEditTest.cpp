// Long random sequences of edits, undo and redo, checked after every step against a plain
// model of the lines. Now and then the text is loaded afresh with lone CRs, lone LFs and
// CR LF pairs inside lines, as a file whose separator is another leaves them: they are text,
// and every undo and redo must keep them so.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "document/QuilletDoc.h"

using namespace quillet::document;

namespace {

using Lines = std::vector<std::u16string>;

Lines LinesOf(const CQuilletDoc& doc) {
  Lines lines;
  for (int32_t i = 0; i < doc.GetLineCount(); ++i) lines.emplace_back(doc.GetLine(i));
  return lines;
}

// What InsertText makes of typed or pasted text: CR breaks the line, one LF after it belongs
// to the break, a lone LF is text.
Lines Inserted(const Lines& lines, CTextPosition at, std::u16string_view text) {
  Lines pieces{u""};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r') {
      pieces.back() += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    pieces.emplace_back();
  }
  Lines result(lines.begin(), lines.begin() + at.y);
  const std::u16string& line = lines[static_cast<size_t>(at.y)];
  pieces.front().insert(0, line.substr(0, static_cast<size_t>(at.x)));
  pieces.back() += line.substr(static_cast<size_t>(at.x));
  result.insert(result.end(), pieces.begin(), pieces.end());
  result.insert(result.end(), lines.begin() + at.y + 1, lines.end());
  return result;
}

Lines Deleted(const Lines& lines, CTextPosition from, CTextPosition to) {
  Lines result(lines.begin(), lines.begin() + from.y);
  result.push_back(lines[static_cast<size_t>(from.y)].substr(0, static_cast<size_t>(from.x)) +
                   lines[static_cast<size_t>(to.y)].substr(static_cast<size_t>(to.x)));
  result.insert(result.end(), lines.begin() + to.y + 1, lines.end());
  return result;
}

CTextPosition RandomPosition(const Lines& lines, std::mt19937& random) {
  const auto y = static_cast<int32_t>(random() % lines.size());
  const auto x = static_cast<int32_t>(random() % (lines[static_cast<size_t>(y)].size() + 1));
  return {x, y};
}

// The current text with line-end characters put inside some lines, loaded as a file would be.
Lines Reload(CQuilletDoc& doc, Lines lines, std::mt19937& random) {
  static const std::u16string inside[] = {u"\r", u"\n", u"\r\n", u"\n\r"};
  for (int i = 0; i < 4; ++i) {
    const CTextPosition at = RandomPosition(lines, random);
    lines[static_cast<size_t>(at.y)].insert(static_cast<size_t>(at.x),
                                            inside[random() % std::size(inside)]);
  }
  doc.FreeAll();
  for (const std::u16string& line : lines) doc.AppendLine(line);
  doc.InitNew(EolLf);
  return lines;
}

}  // namespace

TEST(RandomEdits, MatchALineModelThroughUndoAndRedo) {
  std::mt19937 random(20261206);
  const std::u16string pieces[] = {u"a", u"Dim x", u"\r\n", u"x\r\ny", u"\t",
                                   u"\n", u"é",    u"\r",   u"p\rq",   u"\r\r\n"};
  CQuilletDoc doc;
  std::vector<Lines> history{LinesOf(doc)};  // the lines after each undo step
  size_t step = 0;
  for (int round = 0; round < 4000; ++round) {
    const Lines lines = history[step];
    const int choice = static_cast<int>(random() % 20);
    if (choice == 0) {
      history.assign(1, Reload(doc, lines, random));
      step = 0;
    } else if (choice < 10) {
      const CTextPosition p = RandomPosition(lines, random);
      const std::u16string& piece = pieces[random() % std::size(pieces)];
      int32_t endLine = 0, endChar = 0;
      ASSERT_TRUE(doc.InsertText(nullptr, p.y, p.x, piece, endLine, endChar, ActionTyping));
      history.resize(++step);
      history.push_back(Inserted(lines, p, piece));
    } else if (choice < 16) {
      CTextPosition a = RandomPosition(lines, random);
      CTextPosition b = RandomPosition(lines, random);
      if (b < a) std::swap(a, b);
      ASSERT_TRUE(doc.DeleteText(nullptr, a.y, a.x, b.y, b.x, ActionDelete));
      history.resize(++step);
      history.push_back(Deleted(lines, a, b));
    } else if (choice < 18 && doc.CanUndo()) {
      CTextPosition caret;
      ASSERT_TRUE(doc.Undo(caret));
      --step;
    } else if (doc.CanRedo()) {
      CTextPosition caret;
      ASSERT_TRUE(doc.Redo(caret));
      ++step;
    }
    ASSERT_EQ(LinesOf(doc), history[step]) << "round " << round;
    ASSERT_EQ(doc.CanUndo(), step > 0) << "round " << round;
    ASSERT_EQ(doc.CanRedo(), step + 1 < history.size()) << "round " << round;
  }
}
