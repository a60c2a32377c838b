#include "engine/objects/regexp/RegExpReplacement.h"

#include "engine/runtime/Variant.h"
#include "engine/objects/regexp/RegExpPattern.h"

namespace quillet::engine {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

void CRegExpReplacement::AddLiteral(size_t from, size_t length) {
  if (length == 0) return;
  if (!m_pieces.empty() && m_pieces.back().kind == EPiece::Literal && m_pieces.back().a + m_pieces.back().b == from) {
    m_pieces.back().b += length;
    return;
  }
  m_pieces.push_back({EPiece::Literal, from, length});
}

CRegExpReplacement::CRegExpReplacement(std::u16string_view text, size_t groupCount) : m_text(text) {
  size_t i = 0;
  while (i < m_text.size()) {
    const size_t dollar = m_text.find(u'$', i);
    if (dollar == std::u16string::npos || dollar + 1 >= m_text.size()) {
      AddLiteral(i, m_text.size() - i);
      break;
    }
    AddLiteral(i, dollar - i);
    const char16_t next = m_text[dollar + 1];
    i = dollar + 2;
    if (next == u'$') {
      AddLiteral(dollar, 1);
    } else if (next == u'&') {
      m_pieces.push_back({EPiece::Group, 0, 0});
    } else if (next == u'`') {
      m_pieces.push_back({EPiece::Before, 0, 0});
    } else if (next == u'\'') {
      m_pieces.push_back({EPiece::After, 0, 0});
    } else if (IsDigit(next)) {
      const size_t one = static_cast<size_t>(next - u'0');
      const bool twoDigits = dollar + 2 < m_text.size() && IsDigit(m_text[dollar + 2]);
      const size_t two = twoDigits ? one * 10 + static_cast<size_t>(m_text[dollar + 2] - u'0') : 0;
      if (twoDigits && two >= 1 && two <= groupCount) {
        m_pieces.push_back({EPiece::Group, two, 0});
        i = dollar + 3;
      } else if (one >= 1 && one <= groupCount) {
        m_pieces.push_back({EPiece::Group, one, 0});
      } else {
        AddLiteral(dollar, 2);  // $0 and groups that do not exist stay as written
      }
    } else {
      AddLiteral(dollar, 1);
      i = dollar + 1;
    }
  }
}

void CRegExpReplacement::AppendTo(std::u16string& out, std::u16string_view subject,
                                  const std::vector<size_t>& spans) const {
  for (const SPiece& piece : m_pieces) {
    std::u16string_view part;
    switch (piece.kind) {
      case EPiece::Literal: part = std::u16string_view(m_text).substr(piece.a, piece.b); break;
      case EPiece::Before: part = subject.substr(0, spans[0]); break;
      case EPiece::After: part = subject.substr(spans[1]); break;
      case EPiece::Group: {
        const size_t start = spans[2 * piece.a];
        if (start != CRegExpPattern::kUnset) part = subject.substr(start, spans[2 * piece.a + 1] - start);
        break;
      }
    }
    CheckStringLength(out.size() + part.size());
    out.append(part);
  }
}

}  // namespace quillet::engine
