#include "regex/RegProgramW.h"

#include <string>

#include "regex/RegCompilerW.h"
#include "regex/RegExecutorW.h"
#include "regex/RegValidatorW.h"

namespace quillet::regex {
namespace {

[[nodiscard]] size_t Length(const char16_t* text) {
  return std::char_traits<char16_t>::length(text);
}

}  // namespace

void CRegProgramW::Compile(const char16_t* pattern) {
  if (pattern == nullptr) {
    SetError(ERegError::NullPattern);
    return;
  }
  CRegValidatorW validator;
  const bool parsed = validator.Parse(pattern);
  if (validator.Size() >= kMaxProgramUnits) {
    SetError(ERegError::TooBig);
    return;
  }
  // A syntax error stays with the sizing pass: the program simply never matches.
  if (!parsed) return;

  const auto size = static_cast<size_t>(validator.Size());
  auto program = std::make_unique<char16_t[]>(size);
  CRegCompilerW compiler(program.get(), size);
  if (!compiler.Parse(pattern) || compiler.HasError() || compiler.Size() != size) return;
  m_program = std::move(program);
  m_size = static_cast<int>(size);
  TakeHints(Has(compiler.TopFlags(), ERegFlags::SPSTART));
}

void CRegProgramW::TakeHints(bool spStart) {
  m_startChar = 0;
  m_anchored = 0;
  m_mustContain = nullptr;
  const char16_t* first = m_program.get() + 1;
  const char16_t* successor = Next(first);
  // With alternatives at top level no single character or literal is certain.
  if (successor == nullptr || Kind(successor) != ERegNodeKind::END) return;
  const char16_t* node = Operand(first);
  if (Kind(node) == ERegNodeKind::EXACTLY) {
    m_startChar = *Operand(node);
  } else if (Kind(node) == ERegNodeKind::BOL) {
    m_anchored = 1;
  }
  // Only worth it when the pattern starts with a repetition, which the start character cannot
  // help with.
  if (!spStart) return;
  size_t longest = 0;
  for (; node != nullptr; node = Next(node)) {
    if (Kind(node) != ERegNodeKind::EXACTLY) continue;
    const size_t length = Length(Operand(node));
    if (length >= longest) {
      m_mustContain = Operand(node);
      longest = length;
    }
  }
}

std::u16string_view CRegProgramW::MustContain() const {
  return m_mustContain != nullptr ? std::u16string_view(m_mustContain) : std::u16string_view();
}

const char16_t* CRegProgramW::SubStartPointer(int i) const {
  return i >= 0 && i < kMaxSubExpressions ? m_startPositions[i] : nullptr;
}

const char16_t* CRegProgramW::SubEndPointer(int i) const {
  return i >= 0 && i < kMaxSubExpressions ? m_endPositions[i] : nullptr;
}

void CRegProgramW::ClearPositions() {
  m_startPositions.fill(nullptr);
  m_endPositions.fill(nullptr);
}

// Compares unit by unit and stops at the first difference, so the subject is never read past
// its terminating NUL.
bool CRegProgramW::SubjectContainsMust(const char16_t* subject) const {
  const char16_t first = *m_mustContain;
  for (const char16_t* at = subject; *at != u'\0'; ++at) {
    if (*at != first) continue;
    const char16_t* s = at;
    const char16_t* m = m_mustContain;
    while (*m != u'\0' && *s == *m) {
      ++s;
      ++m;
    }
    if (*m == u'\0') return true;
  }
  return false;
}

bool CRegProgramW::Exec(const char16_t* subject) {
  m_subCount = -1;
  ClearPositions();
  if (m_abandoned) ClearError();
  m_abandoned = false;
  if (subject == nullptr) {
    SetError(ERegError::NullSubject);
    return false;
  }
  if (!m_program || m_program[0] != kRegMagic) {
    SetError(ERegError::CorruptedProgram);
    return false;
  }
  if (m_mustContain != nullptr && !SubjectContainsMust(subject)) return false;

  CRegExecutorW executor(*this, subject);
  const bool matched = executor.Run();
  if (executor.Abandoned()) {
    SetErrorText(executor.ErrorText());
    m_abandoned = true;
  }
  if (!matched) {
    ClearPositions();
    return false;
  }
  int set = 0;
  while (set < kMaxSubExpressions && m_startPositions[set] != nullptr) ++set;
  m_subCount = set - 1;
  return true;
}

}  // namespace quillet::regex
