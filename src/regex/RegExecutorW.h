#pragma once
// The backtracking matcher; one lives for one search of one subject. It recurses only where it
// must keep a way back: alternatives, repetitions of single characters, group boundaries and
// loops of complex repetitions. Both the recursion depth and the total work are bounded, so a
// pathological pattern or subject fails the match instead of overflowing the stack or hanging.

#include <cstdint>

#include "regex/RegProgramAccessorW.h"

namespace quillet::regex {

class CRegProgramW;

class CRegExecutorW final : public CRegProgramAccessorW {
 public:
  // Chosen so that a full descent fits into about 1 MiB of stack even in an instrumented
  // build (measured frame size under AddressSanitizer: see the tests), leaving the rest of the
  // thread's stack to the caller.
  static constexpr int kMaxDepth = 4000;
  // Node visits per search. A legitimate search of a long script line needs a few hundred
  // thousand; runaway backtracking on nested repetitions reaches this within a fraction of a
  // second instead of running for years.
  static constexpr int64_t kMaxSteps = 20'000'000;

  // The program must have passed the magic check; subject is NUL-terminated.
  CRegExecutorW(CRegProgramW& program, const char16_t* subject);
  CRegExecutorW(const CRegExecutorW&) = delete;
  CRegExecutorW& operator=(const CRegExecutorW&) = delete;

  // Tries the positions the program's hints allow, leftmost first.
  bool Run();
  // True when a bound was reached; the search then stops without a match.
  [[nodiscard]] bool Abandoned() const { return m_abandoned; }

 private:
  bool TryAt(const char16_t* at);
  bool MatchNode(const char16_t* node);
  bool MatchRepeat(const char16_t* node, const char16_t* next);
  int Repeat(const char16_t* node);
  bool Abandon(ERegError code);

  const char16_t* m_input;
  const char16_t* m_begin;
  const char16_t** m_startPositions;
  const char16_t** m_endPositions;
  CRegProgramW& m_program;
  const char16_t* m_code;
  int m_depth = 0;
  int64_t m_steps = 0;
  bool m_abandoned = false;
};

}  // namespace quillet::regex
