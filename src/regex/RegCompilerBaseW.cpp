#include "regex/RegCompilerBaseW.h"

namespace quillet::regex {
namespace {

[[nodiscard]] bool IsRepeatOperator(char16_t c) { return c == u'*' || c == u'+' || c == u'?'; }

// Characters that end a literal run before them: they begin an atom of their own.
[[nodiscard]] bool EndsLiteralRun(char16_t c) {
  switch (c) {
    case u'\0': case u'.': case u'$': case u'(': case u')':
    case u'[': case u'^': case u'|': case u'\n':
      return true;
    default:
      return false;
  }
}

}  // namespace

bool CRegCompilerBaseW::Parse(const char16_t* pattern) {
  m_pos = pattern;
  m_parens = 1;
  ERegFlags flags = ERegFlags::WORST;
  const bool parsed = ParseAlternation(false, flags) != nullptr;
  m_topFlags = parsed ? flags : ERegFlags::WORST;
  return parsed;
}

char16_t* CRegCompilerBaseW::Fail(ERegError code) {
  SetError(code);
  return nullptr;
}

// alternation: branch { '|' branch }, optionally inside ( ... )
char16_t* CRegCompilerBaseW::ParseAlternation(bool parenthesised, ERegFlags& flags) {
  flags = ERegFlags::HASWIDTH;
  char16_t* result = nullptr;
  int group = 0;
  if (parenthesised) {
    if (m_parens >= kMaxSubExpressions) return Fail(ERegError::TooManyGroups);
    group = m_parens++;
    result = EmitNode(OpenKind(group));
  }
  for (bool first = true;; first = false) {
    if (!first) ++m_pos;  // the '|'
    ERegFlags branchFlags = ERegFlags::WORST;
    char16_t* branch = ParseBranch(branchFlags);
    if (branch == nullptr) return nullptr;
    if (result == nullptr) {
      result = branch;
    } else {
      LinkTail(result, branch);
    }
    if (!Has(branchFlags, ERegFlags::HASWIDTH)) flags = flags & ERegFlags::SPSTART;
    flags = flags | (branchFlags & ERegFlags::SPSTART);
    if (*m_pos != u'|') break;
  }
  char16_t* closing = EmitNode(parenthesised ? CloseKind(group) : ERegNodeKind::END);
  LinkTail(result, closing);
  // Every alternative's end leads to the closing node.
  for (char16_t* node = result; node != nullptr; node = Next(node)) {
    LinkOperandTail(node, closing);
  }
  if (parenthesised) {
    if (*m_pos != u')') return Fail(ERegError::UnterminatedGroup);
    ++m_pos;
  } else if (*m_pos != u'\0') {
    return Fail(*m_pos == u')' ? ERegError::UnmatchedClose : ERegError::JunkOnEnd);
  }
  return result;
}

// branch: { piece }, possibly empty
char16_t* CRegCompilerBaseW::ParseBranch(ERegFlags& flags) {
  flags = ERegFlags::WORST;
  char16_t* result = EmitNode(ERegNodeKind::BRANCH);
  char16_t* chain = nullptr;
  while (*m_pos != u'\0' && *m_pos != u'|' && *m_pos != u')') {
    ERegFlags pieceFlags = ERegFlags::WORST;
    char16_t* latest = ParsePiece(pieceFlags);
    if (latest == nullptr) return nullptr;
    flags = flags | (pieceFlags & ERegFlags::HASWIDTH);
    if (chain == nullptr) {
      flags = flags | (pieceFlags & ERegFlags::SPSTART);
    } else {
      LinkTail(chain, latest);
    }
    chain = latest;
  }
  if (chain == nullptr) EmitNode(ERegNodeKind::NOTHING);
  return result;
}

// piece: atom [ '*' | '+' | '?' ]
char16_t* CRegCompilerBaseW::ParsePiece(ERegFlags& flags) {
  ERegFlags atomFlags = ERegFlags::WORST;
  char16_t* atom = ParseAtom(atomFlags);
  if (atom == nullptr) return nullptr;
  const char16_t op = *m_pos;
  if (!IsRepeatOperator(op)) {
    flags = atomFlags;
    return atom;
  }
  if (!Has(atomFlags, ERegFlags::HASWIDTH) && op != u'?') return Fail(ERegError::EmptyRepeat);
  flags = op == u'*'   ? ERegFlags::SPSTART
          : op == u'+' ? ERegFlags::SPSTART | ERegFlags::HASWIDTH
                       : ERegFlags::WORST;
  const bool simple = Has(atomFlags, ERegFlags::SIMPLE);
  if (op == u'*' && simple) {
    InsertNode(ERegNodeKind::STAR, atom);
  } else if (op == u'*') {
    // (atom, then back to the BRANCH | nothing)
    InsertNode(ERegNodeKind::BRANCH, atom);
    LinkOperandTail(atom, EmitNode(ERegNodeKind::BACK));
    LinkOperandTail(atom, atom);
    LinkTail(atom, EmitNode(ERegNodeKind::BRANCH));
    LinkTail(atom, EmitNode(ERegNodeKind::NOTHING));
  } else if (op == u'+' && simple) {
    InsertNode(ERegNodeKind::PLUS, atom);
  } else if (op == u'+') {
    // atom, then (back to atom | nothing)
    char16_t* loop = EmitNode(ERegNodeKind::BRANCH);
    LinkTail(atom, loop);
    LinkTail(EmitNode(ERegNodeKind::BACK), atom);
    LinkTail(loop, EmitNode(ERegNodeKind::BRANCH));
    LinkTail(atom, EmitNode(ERegNodeKind::NOTHING));
  } else {
    // (atom | nothing)
    InsertNode(ERegNodeKind::BRANCH, atom);
    LinkTail(atom, EmitNode(ERegNodeKind::BRANCH));
    char16_t* nothing = EmitNode(ERegNodeKind::NOTHING);
    LinkTail(atom, nothing);
    LinkOperandTail(atom, nothing);
  }
  ++m_pos;
  if (IsRepeatOperator(*m_pos)) return Fail(ERegError::NestedRepeat);
  return atom;
}

// atom: '.' | '^' | '$' | '(' alternation ')' | '[' set ']' | '\' char | literal run
char16_t* CRegCompilerBaseW::ParseAtom(ERegFlags& flags) {
  flags = ERegFlags::WORST;
  const char16_t c = *m_pos;
  switch (c) {
    case u'\0': case u'|': case u')':
      return Fail(ERegError::UnexpectedAtomEnd);
    case u'*': case u'+': case u'?':
      return Fail(ERegError::RepeatFollowsNothing);
    default:
      break;
  }
  ++m_pos;
  switch (c) {
    case u'.':
      flags = ERegFlags::HASWIDTH | ERegFlags::SIMPLE;
      return EmitNode(ERegNodeKind::ANY);
    case u'^':
      return EmitNode(ERegNodeKind::BOL);
    case u'$':
      return EmitNode(ERegNodeKind::EOL);
    case u'(': {
      ERegFlags inner = ERegFlags::WORST;
      char16_t* group = ParseAlternation(true, inner);
      flags = inner & (ERegFlags::HASWIDTH | ERegFlags::SPSTART);
      return group;
    }
    case u'[':
      flags = ERegFlags::HASWIDTH | ERegFlags::SIMPLE;
      return ParseSet();
    case u'\\': {
      const char16_t escaped = *m_pos;
      if (escaped == u'\0') return Fail(ERegError::TrailingBackslash);
      if (escaped == u'<' || escaped == u'>') {
        ++m_pos;
        return EmitNode(escaped == u'<' ? ERegNodeKind::WORDA : ERegNodeKind::WORDZ);
      }
      return ParseLiteralRun(m_pos, true, flags);
    }
    default:
      return ParseLiteralRun(m_pos - 1, false, flags);
  }
}

// set: [ '^' ] [ ']' | '-' ] { char | char '-' char } ; m_pos is just past the '['
char16_t* CRegCompilerBaseW::ParseSet() {
  char16_t* node = nullptr;
  if (*m_pos == u'^') {
    node = EmitNode(ERegNodeKind::ANYBUT);
    ++m_pos;
  } else {
    node = EmitNode(ERegNodeKind::ANYOF);
  }
  if (*m_pos == u']' || *m_pos == u'-') EmitChar(*m_pos++);
  while (*m_pos != u'\0' && *m_pos != u']') {
    if (*m_pos != u'-') {
      EmitChar(*m_pos++);
      continue;
    }
    ++m_pos;
    if (*m_pos == u']' || *m_pos == u'\0') {
      EmitChar(u'-');
      continue;
    }
    // The range's first character was emitted when it was read.
    const int first = m_pos[-2];
    const int last = *m_pos++;
    if (first > last) return Fail(ERegError::InvalidRange);
    for (int unit = first + 1; unit <= last; ++unit) {
      EmitChar(static_cast<char16_t>(unit));
      // A wide range can outgrow any program; stop as soon as the pass says so.
      if (HasError()) return nullptr;
    }
  }
  EmitChar(u'\0');
  if (*m_pos != u']') return Fail(ERegError::UnmatchedBracket);
  ++m_pos;
  return node;
}

// A run of literal characters, escapes resolved. A repetition operator after the run applies
// to its last character only, so that character is left for the next atom.
char16_t* CRegCompilerBaseW::ParseLiteralRun(const char16_t* first, bool firstEscaped,
                                             ERegFlags& flags) {
  char16_t* node = EmitNode(ERegNodeKind::EXACTLY);
  const char16_t* current = first;
  bool escaped = firstEscaped;
  int length = 0;
  for (;;) {
    const char16_t after = current[1];
    if (IsRepeatOperator(after)) {
      if (length > 0) {
        // Give the character back with its backslash, or \* would return as a bare *.
        m_pos = escaped ? current - 1 : current;
        break;
      }
      EmitChar(*current);
      ++length;
      m_pos = current + 1;
      break;
    }
    EmitChar(*current);
    ++length;
    if (EndsLiteralRun(after)) {
      m_pos = current + 1;
      break;
    }
    if (after == u'\\') {
      const char16_t escapedChar = current[2];
      if (escapedChar == u'\0' || escapedChar == u'<' || escapedChar == u'>') {
        m_pos = current + 1;
        break;
      }
      current += 2;
      escaped = true;
      continue;
    }
    ++current;
    escaped = false;
  }
  EmitChar(u'\0');
  flags = length == 1 ? ERegFlags::HASWIDTH | ERegFlags::SIMPLE : ERegFlags::HASWIDTH;
  return node;
}

}  // namespace quillet::regex
