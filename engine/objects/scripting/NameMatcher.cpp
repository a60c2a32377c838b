#include "engine/objects/scripting/NameMatcher.h"

namespace quillet::engine {

char16_t FoldNameCase(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    // Latin Extended-A pairs capitals and small letters, the capital first, except in the two
    // runs where the order shifts by one.
    const bool oddCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x138 || c == 0x149 || c == 0x17F) return c;
    const bool small = oddCapital ? (c % 2 == 0) : (c % 2 == 1);
    return small ? static_cast<char16_t>(c - 1) : c;
  }
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x3B1 && c <= 0x3CB) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  return c;
}

bool CNameMatcher::HasWildcards(std::u16string_view name) {
  return name.find_first_of(u"*?") != std::u16string_view::npos;
}

CNameMatcher::CNameMatcher(std::u16string_view pattern) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    const char16_t next = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
    const bool atEnd = i + 1 == pattern.size();
    if (c == u'?') {
      m_elements.push_back({EKind::DosQuestion, 0});
    } else if (c == u'*') {
      m_elements.push_back({next == u'.' ? EKind::DosStar : EKind::Star, 0});
    } else if (c == u'.' && (atEnd || next == u'?' || next == u'*')) {
      m_elements.push_back({EKind::DosDot, 0});
    } else {
      m_elements.push_back({EKind::Literal, FoldNameCase(c)});
    }
  }
}

// Moves that take no character: past a star, past a run of '?' at a dot or at the end, past a
// dot at the end. Moves only go forward, so one pass in order reaches them all.
void CNameMatcher::AddFreeMoves(std::vector<char>& states, std::u16string_view name, size_t at) const {
  const bool atEnd = at == name.size();
  const bool atDot = !atEnd && name[at] == u'.';
  for (size_t j = 0; j < m_elements.size(); ++j) {
    if (!states[j]) continue;
    switch (m_elements[j].kind) {
      case EKind::Star:
      case EKind::DosStar:
        states[j + 1] = 1;
        break;
      case EKind::DosQuestion:
        if (atEnd || atDot) states[j + 1] = 1;
        break;
      case EKind::DosDot:
        if (atEnd) states[j + 1] = 1;
        break;
      case EKind::Literal:
        break;
    }
  }
}

bool CNameMatcher::Matches(std::u16string_view name) const {
  const size_t lastDot = name.rfind(u'.');
  std::vector<char> states(m_elements.size() + 1, 0);
  std::vector<char> next(states.size(), 0);
  states[0] = 1;
  for (size_t i = 0;; ++i) {
    AddFreeMoves(states, name, i);
    if (i == name.size()) return states[m_elements.size()] != 0;
    const char16_t c = name[i];
    const char16_t folded = FoldNameCase(c);
    std::fill(next.begin(), next.end(), 0);
    bool any = false;
    for (size_t j = 0; j < m_elements.size(); ++j) {
      if (!states[j]) continue;
      const SElement& element = m_elements[j];
      size_t to = j + 1;
      bool moves = false;
      switch (element.kind) {
        case EKind::Star: moves = true, to = j; break;
        case EKind::DosStar: moves = c != u'.' || i != lastDot, to = j; break;
        case EKind::DosQuestion: moves = c != u'.'; break;
        case EKind::DosDot: moves = c == u'.'; break;
        case EKind::Literal: moves = element.folded == folded; break;
      }
      if (moves) next[to] = 1, any = true;
    }
    if (!any) return false;
    states.swap(next);
  }
}

}  // namespace quillet::engine
