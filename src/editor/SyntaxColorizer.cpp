#include "editor/SyntaxColorizer.h"

#include <algorithm>

#include "document/DocumentTypes.h"
#include "document/QuilletDoc.h"

namespace quillet::editor {

void CSyntaxColorizer::EnsureCache() {
  const auto count = static_cast<size_t>(m_document.GetLineCount());
  if (m_cookies.size() != count) m_cookies.resize(count, CookieUnknown);
}

uint32_t CSyntaxColorizer::GetParseCookie(int32_t line) {
  if (line < 0) return 0;
  EnsureCache();
  if (static_cast<size_t>(line) >= m_cookies.size()) return 0;
  if (m_cookies[line] != CookieUnknown) return m_cookies[line];
  int32_t known = line;
  while (known >= 0 && m_cookies[known] == CookieUnknown) --known;
  uint32_t cookie = known >= 0 ? m_cookies[known] : 0;
  for (int32_t i = known + 1; i <= line; ++i) cookie = ParseLine(cookie, i, nullptr);
  return cookie;
}

uint32_t CSyntaxColorizer::ParseLine(uint32_t cookie, int32_t line,
                                     std::vector<SColorBlock>* blocks) {
  std::vector<int32_t> remFixes;
  const uint32_t end = ScanLine(cookie, m_document.GetLine(line), blocks,
                                blocks != nullptr ? &remFixes : nullptr);
  for (const int32_t at : remFixes) m_document.RewriteInPlace(line, at, u"Rem");
  EnsureCache();
  m_cookies[line] = end;
  return end;
}

uint32_t CSyntaxColorizer::ScanText(int32_t line, std::u16string_view text, std::vector<SColorBlock>* blocks) {
  const uint32_t end = ScanLine(GetParseCookie(line - 1), text, blocks);
  EnsureCache();
  if (line >= 0 && static_cast<size_t>(line) < m_cookies.size()) m_cookies[line] = end;
  return end;
}

int32_t CSyntaxColorizer::Invalidate(uint32_t flags, int32_t line) {
  using namespace document;
  if ((flags & UpdateAll) != 0) {
    m_cookies.clear();
    m_cookies.shrink_to_fit();
    return -1;
  }
  if ((flags & UpdateMarksOnly) != 0 || m_cookies.empty() || line < 0) return line;
  if ((flags & UpdateOneLine) == 0) {
    ForgetFrom(line);
    return -1;
  }
  // A one-line edit can still change the line's end state (a trailing backslash typed or
  // removed), and then every later line may colour differently.
  EnsureCache();
  const uint32_t before = m_cookies[line];
  m_cookies[line] = CookieUnknown;
  if (before == CookieUnknown) return line;
  if (GetParseCookie(line) == before) return line;
  ForgetFrom(line + 1);
  return -1;
}

void CSyntaxColorizer::ForgetFrom(int32_t line) {
  m_cookies.resize(std::min(m_cookies.size(), static_cast<size_t>(std::max(line, 0))));
  EnsureCache();
}

size_t CSyntaxColorizer::KnownCount() const {
  return static_cast<size_t>(
      std::count_if(m_cookies.begin(), m_cookies.end(), [](uint32_t c) { return c != CookieUnknown; }));
}

}  // namespace quillet::editor
