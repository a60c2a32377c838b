#include "regex/RegExpW.h"

#include <string>

namespace quillet::regex {
namespace {

[[nodiscard]] bool IsAsciiLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Rewrites every ASCII letter outside bracket expressions as the set of its two cases, which
// lets the matcher stay case-sensitive. Bracket expressions are tracked with the parser's own
// rules (a ] right after [ or [^ is a member), and an escaped character outside brackets is
// rewritten for what it means: \a is the letter a, \[ does not open a set.
[[nodiscard]] std::u16string FoldCase(const char16_t* pattern) {
  const size_t length = std::char_traits<char16_t>::length(pattern);
  std::u16string folded;
  folded.reserve(4 * length + 1);
  const auto appendLetter = [&folded](char16_t c) {
    const char16_t upper = c >= u'a' ? static_cast<char16_t>(c - 32) : c;
    folded += u'[';
    folded += upper;
    folded += static_cast<char16_t>(upper + 32);
    folded += u']';
  };
  bool inSet = false;
  for (const char16_t* p = pattern; *p != u'\0'; ++p) {
    const char16_t c = *p;
    if (inSet) {
      folded += c;
      if (c == u']') inSet = false;
    } else if (c == u'[') {
      folded += c;
      inSet = true;
      // The set's leading ^ and a first ] or - are members or markers, never its end.
      if (p[1] == u'^') folded += *++p;
      if (p[1] == u']') folded += *++p;
    } else if (c == u'\\' && IsAsciiLetter(p[1])) {
      appendLetter(*++p);
    } else if (c == u'\\' && p[1] != u'\0') {
      folded += c;
      folded += *++p;
    } else if (IsAsciiLetter(c)) {
      appendLetter(c);
    } else {
      folded += c;
    }
  }
  return folded;
}

}  // namespace

CRegExpW::CRegExpW(const char16_t* pattern, ERegCase caseMode)
    : m_program(std::make_unique<CRegProgramW>()) {
  Compile(pattern, caseMode);
}

CRegExpW::CRegExpW(std::u16string_view pattern, ERegCase caseMode)
    : m_program(std::make_unique<CRegProgramW>()) {
  const std::u16string terminated(pattern);
  Compile(terminated.c_str(), caseMode);
}

void CRegExpW::Compile(const char16_t* pattern, ERegCase caseMode) {
  if (pattern == nullptr || caseMode == ERegCase::Sensitive) {
    m_program->Compile(pattern);
    return;
  }
  const std::u16string folded = FoldCase(pattern);
  m_program->Compile(folded.c_str());
}

bool CRegExpW::Match(const char16_t* subject) {
  if (!m_program) {
    SetError(ERegError::NullRegexp);
    return false;
  }
  m_subject = subject;
  return m_program->Exec(subject);
}

int CRegExpW::SubStrings() {
  if (!m_program) {
    SetError(ERegError::NullRegexp);
    return -1;
  }
  return m_program->SubExpressionCount();
}

int CRegExpW::SubStart(int i) {
  if (!m_program) {
    SetError(ERegError::NullRegexp);
    return -1;
  }
  const char16_t* start = m_program->SubStartPointer(i);
  if (start == nullptr || m_program->SubEndPointer(i) == nullptr) return -1;
  return static_cast<int>(start - m_subject);
}

int CRegExpW::SubLength(int i) {
  if (!m_program) {
    SetError(ERegError::NullRegexp);
    return -1;
  }
  const char16_t* start = m_program->SubStartPointer(i);
  const char16_t* end = m_program->SubEndPointer(i);
  if (start == nullptr || end == nullptr) return -1;
  return static_cast<int>(end - start);
}

}  // namespace quillet::regex
