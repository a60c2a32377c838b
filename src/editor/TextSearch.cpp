#include "editor/TextSearch.h"

#include <algorithm>

#include "document/QuilletDoc.h"

namespace quillet::editor {
namespace {

using document::CTextPosition;

// Only ASCII letters, digits and "_" make a word for whole-word matching, so that a name next
// to an accented letter of a comment still counts as a word of its own.
bool IsAsciiWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

class CLineMatcher {
 public:
  CLineMatcher(std::u16string_view text, uint32_t flags)
      : m_pattern(text), m_matchCase((flags & FindMatchCase) != 0),
        m_wholeWord((flags & FindWholeWord) != 0) {
    if (!m_matchCase) std::transform(m_pattern.begin(), m_pattern.end(), m_pattern.begin(), FoldCase);
  }

  void SetLine(std::u16string_view line) {
    m_line.assign(line);
    if (!m_matchCase) std::transform(m_line.begin(), m_line.end(), m_line.begin(), FoldCase);
  }

  // The first acceptable occurrence starting at or after from, or -1.
  [[nodiscard]] int32_t First(int32_t from) const {
    size_t at = static_cast<size_t>(from);
    while ((at = m_line.find(m_pattern, at)) != std::u16string::npos) {
      if (Acceptable(at)) return static_cast<int32_t>(at);
      ++at;
    }
    return -1;
  }

  // The last acceptable occurrence that ends at or before end, or -1.
  [[nodiscard]] int32_t Last(int32_t end) const {
    if (static_cast<size_t>(end) < m_pattern.size()) return -1;
    size_t at = static_cast<size_t>(end) - m_pattern.size();
    while ((at = m_line.rfind(m_pattern, at)) != std::u16string::npos) {
      if (Acceptable(at)) return static_cast<int32_t>(at);
      if (at == 0) break;
      --at;
    }
    return -1;
  }

 private:
  [[nodiscard]] bool Acceptable(size_t at) const {
    if (!m_wholeWord) return true;
    const size_t after = at + m_pattern.size();
    if (at > 0 && IsAsciiWordChar(m_line[at - 1])) return false;
    return after >= m_line.size() || !IsAsciiWordChar(m_line[after]);
  }

  std::u16string m_pattern;
  std::u16string m_line;
  bool m_matchCase;
  bool m_wholeWord;
};

bool SearchDown(const document::CQuilletDoc& document, CLineMatcher& matcher, CTextPosition start,
                CTextPosition blockEnd, CTextPosition& found) {
  for (int32_t line = start.y; line <= blockEnd.y; ++line) {
    const std::u16string_view text = document.GetLine(line);
    const int32_t from = line == start.y ? start.x : 0;
    if (from >= static_cast<int32_t>(text.size())) continue;
    matcher.SetLine(text);
    const int32_t at = matcher.First(from);
    if (at < 0) continue;
    if (line == blockEnd.y && at >= blockEnd.x) return false;
    found = {at, line};
    return true;
  }
  return false;
}

bool SearchUp(const document::CQuilletDoc& document, CLineMatcher& matcher, CTextPosition start,
              CTextPosition blockBegin, CTextPosition& found) {
  for (int32_t line = start.y; line >= blockBegin.y; --line) {
    const std::u16string_view text = document.GetLine(line);
    const int32_t length = static_cast<int32_t>(text.size());
    const int32_t end = line == start.y ? std::min(start.x, length) : length;
    matcher.SetLine(text);
    const int32_t at = matcher.Last(end);
    if (at < 0 || (line == blockBegin.y && at < blockBegin.x)) continue;
    found = {at, line};
    return true;
  }
  return false;
}

}  // namespace

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c < 0xE0) return c;
  if (c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  // Latin Extended-A pairs capitals and small letters on even and odd codes.
  if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool small = oddPairs ? (c % 2 == 0) : (c % 2 == 1);
    return small ? static_cast<char16_t>(c - 1) : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 32);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
  return c;
}

bool FindTextInBlock(const document::CQuilletDoc& document, std::u16string_view text,
                     CTextPosition start, CTextPosition blockBegin, CTextPosition blockEnd,
                     uint32_t flags, bool wrap, CTextPosition& found) {
  if (blockBegin == blockEnd || text.empty()) return false;
  // A dialog keeps its positions while the text changes under it; lines that have gone since
  // must not be read.
  const CTextPosition end{document.GetLineLength(document.GetLineCount() - 1), document.GetLineCount() - 1};
  blockEnd = std::min(blockEnd, end);
  blockBegin = std::min(blockBegin, end);
  start = std::min(start, end);
  if (start < blockBegin) start = blockBegin;
  CLineMatcher matcher(text, flags);
  if ((flags & FindDirectionUp) != 0) {
    if (blockEnd < start) start = blockEnd;
    if (SearchUp(document, matcher, start, blockBegin, found)) return true;
    return wrap && SearchUp(document, matcher, blockEnd, blockBegin, found);
  }
  if (SearchDown(document, matcher, start, blockEnd, found)) return true;
  return wrap && SearchDown(document, matcher, blockBegin, blockEnd, found);
}

std::u16string NotFoundMessage(std::u16string_view text) {
  std::u16string message = u"Cannot find string\"";
  message += text;
  message += u'"';
  return message;
}

}  // namespace quillet::editor
