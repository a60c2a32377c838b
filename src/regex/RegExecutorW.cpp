#include "regex/RegExecutorW.h"

#include "regex/RegProgramW.h"

namespace quillet::regex {
namespace {

// Sets never hold NUL, so a NUL subject character is never a member.
[[nodiscard]] bool InSet(const char16_t* set, char16_t c) {
  for (; *set != u'\0'; ++set) {
    if (*set == c) return true;
  }
  return false;
}

}  // namespace

CRegExecutorW::CRegExecutorW(CRegProgramW& program, const char16_t* subject)
    : m_input(subject),
      m_begin(subject),
      m_startPositions(program.m_startPositions.data()),
      m_endPositions(program.m_endPositions.data()),
      m_program(program),
      m_code(program.m_program.get()) {}

bool CRegExecutorW::Run() {
  if (m_program.m_anchored != 0) return TryAt(m_begin);
  if (const char16_t start = m_program.m_startChar; start != 0) {
    for (const char16_t* at = m_begin; *at != u'\0'; ++at) {
      if (*at == start && TryAt(at)) return true;
      if (m_abandoned) return false;
    }
    return false;
  }
  // Every position up to and including the terminating NUL: an empty match may stand there.
  for (const char16_t* at = m_begin;; ++at) {
    if (TryAt(at)) return true;
    if (m_abandoned || *at == u'\0') return false;
  }
}

bool CRegExecutorW::TryAt(const char16_t* at) {
  m_program.ClearPositions();
  m_input = at;
  if (!MatchNode(m_code + 1)) return false;
  m_startPositions[0] = at;
  m_endPositions[0] = m_input;
  return true;
}

bool CRegExecutorW::Abandon(ERegError code) {
  SetError(code);
  m_abandoned = true;
  return false;
}

// Walks the chain from node; recurses only where a failure must be able to come back.
bool CRegExecutorW::MatchNode(const char16_t* node) {
  if (m_depth >= kMaxDepth) return Abandon(ERegError::TooDeep);
  struct SDepthGuard {
    int& depth;
    explicit SDepthGuard(int& d) : depth(d) { ++depth; }
    ~SDepthGuard() { --depth; }
  } guard(m_depth);

  for (const char16_t* scan = node; scan != nullptr;) {
    if (++m_steps > kMaxSteps) return Abandon(ERegError::TooMuchBacktracking);
    const char16_t* next = Next(scan);
    const ERegNodeKind kind = Kind(scan);
    switch (kind) {
      case ERegNodeKind::BOL:
        if (m_input != m_begin) return false;
        break;
      case ERegNodeKind::EOL:
        if (*m_input != u'\0') return false;
        break;
      case ERegNodeKind::ANY:
        if (*m_input == u'\0') return false;
        ++m_input;
        break;
      case ERegNodeKind::EXACTLY: {
        // The literal holds no NUL, so a shorter subject differs at its NUL at the latest.
        const char16_t* literal = Operand(scan);
        const char16_t* input = m_input;
        for (; *literal != u'\0'; ++literal, ++input) {
          if (*literal != *input) return false;
        }
        m_input = input;
        break;
      }
      case ERegNodeKind::ANYOF:
        if (*m_input == u'\0' || !InSet(Operand(scan), *m_input)) return false;
        ++m_input;
        break;
      case ERegNodeKind::ANYBUT:
        if (*m_input == u'\0' || InSet(Operand(scan), *m_input)) return false;
        ++m_input;
        break;
      case ERegNodeKind::NOTHING:
      case ERegNodeKind::BACK:
        break;
      case ERegNodeKind::WORDA:
        if (!IsWordChar(*m_input)) return false;
        if (m_input > m_begin && IsWordChar(m_input[-1])) return false;
        break;
      case ERegNodeKind::WORDZ:
        if (IsWordChar(*m_input)) return false;
        break;
      case ERegNodeKind::BRANCH: {
        if (next == nullptr || Kind(next) != ERegNodeKind::BRANCH) {
          next = Operand(scan);  // no choice: no need to keep a way back
          break;
        }
        const char16_t* const saved = m_input;
        for (const char16_t* alt = scan; alt != nullptr && Kind(alt) == ERegNodeKind::BRANCH;
             alt = Next(alt)) {
          if (MatchNode(Operand(alt))) return true;
          if (m_abandoned) return false;
          m_input = saved;
        }
        return false;
      }
      case ERegNodeKind::STAR:
      case ERegNodeKind::PLUS:
        return MatchRepeat(scan, next);
      case ERegNodeKind::END:
        return true;
      default: {
        if (const int group = OpenGroup(kind); group != 0) {
          const char16_t* const saved = m_input;
          if (!MatchNode(next)) return false;
          // A later pass through the same group, deeper in the recursion, has already set it.
          if (m_startPositions[group] == nullptr) m_startPositions[group] = saved;
          return true;
        }
        if (const int group = CloseGroup(kind); group != 0) {
          const char16_t* const saved = m_input;
          if (!MatchNode(next)) return false;
          if (m_endPositions[group] == nullptr) m_endPositions[group] = saved;
          return true;
        }
        SetError(ERegError::UnknownNode);
        return false;
      }
    }
    scan = next;
  }
  SetError(ERegError::BrokenChain);
  return false;
}

// Greedy: take as many as the operand allows, then give back one at a time. A literal after
// the repetition must stand at the position tried, which saves most recursive attempts.
bool CRegExecutorW::MatchRepeat(const char16_t* node, const char16_t* next) {
  const char16_t lookAhead =
      next != nullptr && Kind(next) == ERegNodeKind::EXACTLY ? *Operand(next) : u'\0';
  const int minimum = Kind(node) == ERegNodeKind::STAR ? 0 : 1;
  const char16_t* const start = m_input;
  for (int count = Repeat(Operand(node)); count >= minimum; --count) {
    m_input = start + count;
    if (lookAhead == u'\0' || *m_input == lookAhead) {
      if (MatchNode(next)) return true;
      if (m_abandoned) return false;
    }
  }
  return false;
}

// How many times the single-character node matches from the input position; never past NUL.
int CRegExecutorW::Repeat(const char16_t* node) {
  const char16_t* scan = m_input;
  const char16_t* operand = Operand(node);
  switch (Kind(node)) {
    case ERegNodeKind::ANY:
      while (*scan != u'\0') ++scan;
      break;
    case ERegNodeKind::EXACTLY:
      while (*scan == *operand && *scan != u'\0') ++scan;
      break;
    case ERegNodeKind::ANYOF:
      while (*scan != u'\0' && InSet(operand, *scan)) ++scan;
      break;
    case ERegNodeKind::ANYBUT:
      while (*scan != u'\0' && !InSet(operand, *scan)) ++scan;
      break;
    default:
      SetError(ERegError::BadRepeat);
      return 0;
  }
  return static_cast<int>(scan - m_input);
}

}  // namespace quillet::regex
