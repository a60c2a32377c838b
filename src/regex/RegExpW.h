#pragma once
// A compiled pattern that callers hold: compile once, then match line after line and read the
// positions of the groups. Patterns are small backtracking expressions over UTF-16 code units:
// . ^ $ [set] [^set] (group) | * + ? \< \> and \c for a literal c.

#include <memory>
#include <string_view>

#include "regex/RegErrorHandlerW.h"
#include "regex/RegProgramW.h"

namespace quillet::regex {

enum class ERegCase : int {
  Sensitive = 0,
  // ASCII letters outside bracket expressions match either case.
  Insensitive = 1,
};

class CRegExpW final : public CRegErrorHandlerW {
 public:
  // A bad pattern throws nothing: it leaves a program that never matches. A null pattern
  // counts as bad.
  CRegExpW(const char16_t* pattern, ERegCase caseMode);
  // The pattern ends at its first NUL, if it holds one.
  CRegExpW(std::u16string_view pattern, ERegCase caseMode);
  // Moving leaves the source without a program; every query on it then fails.
  CRegExpW(CRegExpW&&) noexcept = default;
  CRegExpW& operator=(CRegExpW&&) noexcept = default;
  CRegExpW(const CRegExpW&) = delete;
  CRegExpW& operator=(const CRegExpW&) = delete;
  ~CRegExpW() override = default;

  // Searches the NUL-terminated subject for the leftmost match. The subject must stay alive
  // while positions are read. After a false result no position is set.
  bool Match(const char16_t* subject);

  // The number of groups of the last match, counted up to the first group that took no part;
  // -1 after a failed match.
  [[nodiscard]] int SubStrings();
  // Offset from the beginning of the subject of group i (0: the whole match); -1 when the
  // group is not set, i is outside 0 to 9, or the last match failed.
  [[nodiscard]] int SubStart(int i);
  // Length of group i in code units; -1 in the same cases as SubStart.
  [[nodiscard]] int SubLength(int i);

  // The compiled program, for diagnosis; null after a move.
  [[nodiscard]] const CRegProgramW* Program() const { return m_program.get(); }

 private:
  void Compile(const char16_t* pattern, ERegCase caseMode);

  const char16_t* m_subject = nullptr;
  std::unique_ptr<CRegProgramW> m_program;
};

}  // namespace quillet::regex
