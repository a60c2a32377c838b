#pragma once
// The compiled form of a pattern. Code unit 0 holds kRegMagic; the nodes follow from unit 1.
// A node is three units: its kind, the distance to its successor (0: none; counted backwards
// for BACK, forwards for every other kind) and a reserved 0. An operand, where the kind has
// one, starts right after those three units.

#include <cstdint>

namespace quillet::regex {

inline constexpr char16_t kRegMagic = 0xFF9C;
inline constexpr int kNodeUnits = 3;
// Entry 0 is the whole match, entries 1 to 9 the parenthesised groups.
inline constexpr int kMaxSubExpressions = 10;
// Next links are unsigned 16-bit distances, so a program must stay below this size.
inline constexpr int kMaxProgramUnits = 32767;

enum class ERegNodeKind : char16_t {
  END = 0,       // end of the program: success
  BOL = 1,       // only at the beginning of the subject
  EOL = 2,       // only at the subject's terminating NUL
  ANY = 3,       // any one character except NUL
  ANYOF = 4,     // operand: NUL-terminated set; one character in it
  ANYBUT = 5,    // operand: NUL-terminated set; one non-NUL character not in it
  BRANCH = 6,    // operand: first node of this alternative; the next BRANCH is the other one
  BACK = 7,      // empty; its next link points backwards (closes a loop)
  EXACTLY = 8,   // operand: NUL-terminated literal
  NOTHING = 9,   // empty
  STAR = 10,     // operand: one single-character node, zero or more times, greedy
  PLUS = 11,     // operand: one single-character node, one or more times, greedy
  WORDA = 12,    // empty, at the first character of a word
  WORDZ = 13,    // empty, where the current character is not a word character
  OPEN = 20,     // OPEN+n (n = 1..9): records where group n starts
  CLOSE = 30,    // CLOSE+n (n = 1..9): records where group n ends
};

[[nodiscard]] constexpr ERegNodeKind OpenKind(int group) {
  return static_cast<ERegNodeKind>(static_cast<int>(ERegNodeKind::OPEN) + group);
}
[[nodiscard]] constexpr ERegNodeKind CloseKind(int group) {
  return static_cast<ERegNodeKind>(static_cast<int>(ERegNodeKind::CLOSE) + group);
}
// The group number of an OPEN+n or CLOSE+n kind; 0 for any other kind.
[[nodiscard]] constexpr int OpenGroup(ERegNodeKind kind) {
  const int value = static_cast<int>(kind) - static_cast<int>(ERegNodeKind::OPEN);
  return value >= 1 && value <= 9 ? value : 0;
}
[[nodiscard]] constexpr int CloseGroup(ERegNodeKind kind) {
  const int value = static_cast<int>(kind) - static_cast<int>(ERegNodeKind::CLOSE);
  return value >= 1 && value <= 9 ? value : 0;
}

// Word characters are ASCII only, whatever the locale: scripts name things in ASCII.
[[nodiscard]] constexpr bool IsWordChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

}  // namespace quillet::regex
