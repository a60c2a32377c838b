#include "regex/RegExecutorW.h"

#include "regex/RegProgramW.h"

namespace quillet::regex {

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

// Sets never hold NUL, so a NUL subject character is never a member. A set can hold thousands
// of units; scanning a long one is charged as work.
bool CRegExecutorW::InSet(const char16_t* set, char16_t c) {
  const char16_t* member = set;
  while (*member != u'\0' && *member != c) ++member;
  m_steps += (member - set) >> 5;
  return *member != u'\0';
}

bool CRegExecutorW::Spend(int64_t units) {
  m_steps += units;
  return m_steps <= kMaxSteps || Abandon(ERegError::TooMuchBacktracking);
}

bool CRegExecutorW::Abandon(ERegError code) {
  SetError(code);
  m_abandoned = true;
  return false;
}

bool CRegExecutorW::MatchNode(const char16_t* node) {
  if (m_depth >= kMaxDepth) return Abandon(ERegError::TooDeep);
  // Quick searches, the usual case, do not pay for the table.
  const bool remember = m_steps >= kRememberAfterSteps;
  const char16_t* const entry = m_input;
  if (remember && KnownFailure(node, entry)) return false;
  ++m_depth;
  const bool matched = MatchChain(node);
  --m_depth;
  if (remember && !matched && !m_abandoned) RememberFailure(node, entry);
  return matched;
}

size_t CRegExecutorW::FailureSlot(const char16_t* node, const char16_t* input) const {
  const auto nodeIndex = static_cast<size_t>(node - m_code);
  const auto inputIndex = static_cast<size_t>(input - m_begin);
  return (nodeIndex * 40503u + inputIndex) % kFailureSlots;
}

bool CRegExecutorW::KnownFailure(const char16_t* node, const char16_t* input) const {
  const size_t slot = FailureSlot(node, input);
  return m_failureUsed[slot] && m_failures[slot].node == node && m_failures[slot].input == input;
}

void CRegExecutorW::RememberFailure(const char16_t* node, const char16_t* input) {
  const size_t slot = FailureSlot(node, input);
  m_failures[slot] = {node, input};
  m_failureUsed[slot] = true;
}

// Walks the chain from node. The frames on the recursive path are kept small, since their size
// times the depth bound is what a match may take of the stack: nodes that never recurse are
// handled out of line.
bool CRegExecutorW::MatchChain(const char16_t* scan) {
  while (scan != nullptr) {
    if (!Spend(1)) return false;
    switch (Kind(scan)) {
      case ERegNodeKind::BRANCH:
        if (HasAlternative(scan)) return MatchAlternatives(scan);
        scan = Operand(scan);  // no choice: no need to keep a way back
        continue;
      case ERegNodeKind::STAR:
      case ERegNodeKind::PLUS:
        return MatchRepeat(scan);
      case ERegNodeKind::END:
        return true;
      default:
        break;
    }
    if (OpenGroup(Kind(scan)) != 0 || CloseGroup(Kind(scan)) != 0) return MatchGroupEdge(scan);
    if (!MatchSimple(scan)) return false;
    scan = Next(scan);
  }
  SetError(ERegError::BrokenChain);
  return false;
}

bool CRegExecutorW::HasAlternative(const char16_t* branch) {
  const char16_t* next = Next(branch);
  return next != nullptr && Kind(next) == ERegNodeKind::BRANCH;
}

bool CRegExecutorW::MatchAlternatives(const char16_t* branch) {
  const char16_t* const saved = m_input;
  for (; branch != nullptr && Kind(branch) == ERegNodeKind::BRANCH; branch = Next(branch)) {
    if (MatchNode(Operand(branch))) return true;
    if (m_abandoned) return false;
    m_input = saved;
  }
  return false;
}

// A group's start or end is recorded only once the rest of the pattern has matched. A later
// pass through the same group, deeper in the recursion, has then already set it, so a repeated
// group reports its last pass.
bool CRegExecutorW::MatchGroupEdge(const char16_t* node) {
  const char16_t* const saved = m_input;
  if (!MatchNode(Next(node))) return false;
  const int open = OpenGroup(Kind(node));
  const char16_t*& position = open != 0 ? m_startPositions[open]
                                        : m_endPositions[CloseGroup(Kind(node))];
  if (position == nullptr) position = saved;
  return true;
}

// Nodes that match at most one fixed piece of the subject and never recurse.
bool CRegExecutorW::MatchSimple(const char16_t* node) {
  const char16_t c = *m_input;
  switch (Kind(node)) {
    case ERegNodeKind::BOL:
      return m_input == m_begin;
    case ERegNodeKind::EOL:
      return c == u'\0';
    case ERegNodeKind::ANY:
      if (c == u'\0') return false;
      ++m_input;
      return true;
    case ERegNodeKind::EXACTLY: {
      // The literal holds no NUL, so a shorter subject differs at its NUL at the latest.
      const char16_t* literal = Operand(node);
      const char16_t* input = m_input;
      for (; *literal != u'\0'; ++literal, ++input) {
        if (*literal != *input) return false;
      }
      m_input = input;
      return true;
    }
    case ERegNodeKind::ANYOF:
      if (c == u'\0' || !InSet(Operand(node), c)) return false;
      ++m_input;
      return true;
    case ERegNodeKind::ANYBUT:
      if (c == u'\0' || InSet(Operand(node), c)) return false;
      ++m_input;
      return true;
    case ERegNodeKind::NOTHING:
    case ERegNodeKind::BACK:
      return true;
    case ERegNodeKind::WORDA:
      return IsWordChar(c) && (m_input == m_begin || !IsWordChar(m_input[-1]));
    case ERegNodeKind::WORDZ:
      return !IsWordChar(c);
    default:
      SetError(ERegError::UnknownNode);
      return false;
  }
}

// Greedy: take as many as the operand allows, then give back one at a time. A literal after
// the repetition must stand at the position tried, which saves most recursive attempts.
bool CRegExecutorW::MatchRepeat(const char16_t* node) {
  const char16_t* const next = Next(node);
  const char16_t lookAhead =
      next != nullptr && Kind(next) == ERegNodeKind::EXACTLY ? *Operand(next) : u'\0';
  const int minimum = Kind(node) == ERegNodeKind::STAR ? 0 : 1;
  const char16_t* const start = m_input;
  const int repeated = Repeat(Operand(node));
  if (!Spend(repeated)) return false;
  for (int count = repeated; count >= minimum; --count) {
    if (!Spend(1)) return false;
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
