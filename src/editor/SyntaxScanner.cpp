#include "editor/SyntaxScanner.h"

#include "intellisense/LanguageWordList.h"

namespace quillet::editor {
namespace {

// The scanner's word includes "." so that a dotted name such as WScript.Echo is one word and a
// keyword inside it stays uncoloured.
[[nodiscard]] bool IsScanWordChar(char16_t c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == u'_' || c == u'.';
}

[[nodiscard]] bool IsRemSpelling(std::u16string_view word) {
  return word.size() == 3 && (word[0] | 0x20) == u'r' && (word[1] | 0x20) == u'e' &&
         (word[2] | 0x20) == u'm';
}

// Rem opens a comment only at the start of a statement: the line start or a ":".
[[nodiscard]] bool StartsStatement(std::u16string_view line, int32_t w) {
  int32_t i = w - 1;
  while (i >= 0 && (line[i] == u' ' || line[i] == u'\t')) --i;
  return i < 0 || line[i] == u':';
}

[[nodiscard]] bool IsNumber(std::u16string_view word) {
  if (!IsAsciiDigit(word[0])) return false;
  for (const char16_t c : word.substr(1)) {
    if (!IsAsciiDigit(c) && c != u'+' && c != u'-' && c != u'.' && c != u'e' && c != u'E') {
      return false;
    }
  }
  return true;
}

// The length of the field "{" letters-or-digits "}" at start, or 0 when there is none.
[[nodiscard]] int32_t FieldLength(std::u16string_view line, int32_t start) {
  const auto n = static_cast<int32_t>(line.size());
  for (int32_t i = start + 1; i < n; ++i) {
    if (line[i] == u'}') return i - start + 1;
    if (!IsAsciiLetter(line[i]) && !IsAsciiDigit(line[i])) return 0;
  }
  return 0;
}

class CLineScanner {
 public:
  CLineScanner(uint32_t cookie, std::u16string_view line, std::vector<SColorBlock>* blocks,
               std::vector<int32_t>* remFixes)
      : m_cookie(cookie), m_line(line), m_blocks(blocks), m_remFixes(remFixes) {}

  uint32_t Run();

 private:
  void Add(int32_t start, int32_t color) {
    if (m_blocks != nullptr && (m_blocks->empty() || start >= m_blocks->back().start)) {
      m_blocks->push_back({start, color});
    }
  }
  void OpenBlockIfPending(int32_t i);
  // False when the rest of the line is a comment.
  bool ScanChar(int32_t& i);
  void ScanWordChar(int32_t i);
  void ClassifyWord(int32_t end);

  uint32_t m_cookie;
  std::u16string_view m_line;
  std::vector<SColorBlock>* m_blocks;
  std::vector<int32_t>* m_remFixes;
  int32_t m_word = -1;
  bool m_newBlock = true;
  bool m_stepBack = false;
};

uint32_t CLineScanner::Run() {
  const auto n = static_cast<int32_t>(m_line.size());
  if (n == 0) return 0;
  int32_t i = 0;
  for (;; ++i) {
    OpenBlockIfPending(i);
    if (i == n) break;
    if ((m_cookie & CookieComment) != 0 || !ScanChar(i)) {
      Add(i, ColorComment);
      m_cookie |= CookieComment;
      break;
    }
  }
  if (m_word >= 0) ClassifyWord(i);
  // Only a trailing backslash carries a comment or string into the next line.
  if (m_line.back() != u'\\') m_cookie = 0;
  return m_cookie;
}

void CLineScanner::OpenBlockIfPending(int32_t i) {
  if (!m_newBlock) return;
  const int32_t color = (m_cookie & CookieComment) != 0  ? ColorComment
                        : (m_cookie & CookieString) != 0 ? ColorString
                                                         : ColorNormalText;
  Add(m_stepBack ? i - 1 : i, color);
  m_newBlock = m_stepBack = false;
}

bool CLineScanner::ScanChar(int32_t& i) {
  const char16_t c = m_line[i];
  if ((m_cookie & CookieString) != 0) {
    // The closing quote keeps the string colour; a doubled quote simply reopens the string.
    if (c == u'"') {
      m_cookie &= ~CookieString;
      m_newBlock = true;
    }
    return true;
  }
  if (c == u'"') {
    Add(i, ColorString);
    m_cookie |= CookieString;
    return true;
  }
  if (c == u'\'') return false;
  // Fields are found without blocks too: a field keeps the word before it open ("rem{x}" is
  // no Rem), and the cookie must be the one the painted line ends with.
  if (c == u'{') {
    if (const int32_t length = FieldLength(m_line, i); length > 0) {
      Add(i, ColorField);
      i += length - 1;
      m_newBlock = true;
      return true;
    }
  }
  ScanWordChar(i);
  return true;
}

void CLineScanner::ScanWordChar(int32_t i) {
  if (IsScanWordChar(m_line[i])) {
    if (m_word < 0) m_word = i;
    return;
  }
  if (m_word < 0) return;
  ClassifyWord(i);
  m_word = -1;
  m_newBlock = m_stepBack = true;
}

void CLineScanner::ClassifyWord(int32_t end) {
  const std::u16string_view word = m_line.substr(m_word, end - m_word);
  if (IsRemSpelling(word) && StartsStatement(m_line, m_word)) {
    Add(m_word, ColorComment);
    m_cookie |= CookieComment;
    if (m_remFixes != nullptr && word != u"Rem") m_remFixes->push_back(m_word);
    return;
  }
  // Without blocks only the cookie matters, and only Rem can change it.
  if (m_blocks == nullptr) return;
  if (intellisense::IsKeyword(word)) {
    Add(m_word, ColorKeyword);
  } else if (IsNumber(word)) {
    Add(m_word, ColorNumber);
  }
}

}  // namespace

uint32_t ScanLine(uint32_t cookie, std::u16string_view line, std::vector<SColorBlock>* blocks,
                  std::vector<int32_t>* remFixes) {
  return CLineScanner(cookie, line, blocks, remFixes).Run();
}

}  // namespace quillet::editor
