#pragma once
// The backtracking matcher; one lives for one search of one subject. It recurses only where it
// must keep a way back: alternatives, repetitions of single characters, group boundaries and
// loops of complex repetitions. Both the recursion depth and the total work are bounded, so a
// pathological pattern or subject fails the match instead of overflowing the stack or hanging.

#include <array>
#include <bitset>
#include <cstdint>

#include "regex/RegProgramAccessorW.h"

namespace quillet::regex {

class CRegProgramW;

class CRegExecutorW final : public CRegProgramAccessorW {
 public:
  // Recursion levels per search. A level costs about 100 bytes of stack in an optimised build
  // and up to about 690 under AddressSanitizer (clang, -O0), so a full descent takes at most
  // some 2.7 MiB of a default 8 MiB stack; the tests measure it. A level is spent per loop
  // pass, alternative, group edge and repetition: a line needs thousands of them only when it
  // repeats a complex group many hundred times.
  static constexpr int kMaxDepth = 4000;
  // Work per search: nodes visited, characters scanned by repetitions, positions given back.
  // A search of an ordinary script line needs a few thousand, one of a 16,000-character line
  // some hundred thousand; runaway backtracking on nested repetitions reaches the bound within
  // a fraction of a second instead of running for years.
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
  bool MatchChain(const char16_t* scan);
  [[nodiscard]] static bool HasAlternative(const char16_t* branch);
  bool MatchAlternatives(const char16_t* branch);
  bool MatchGroupEdge(const char16_t* node);
  bool MatchRepeat(const char16_t* node);
  // Kept out of line so that its locals never widen the recursive frames.
  [[gnu::noinline]] bool MatchSimple(const char16_t* node);
  [[gnu::noinline]] int Repeat(const char16_t* node);
  [[nodiscard]] size_t FailureSlot(const char16_t* node, const char16_t* input) const;
  [[nodiscard]] bool KnownFailure(const char16_t* node, const char16_t* input) const;
  void RememberFailure(const char16_t* node, const char16_t* input);
  bool InSet(const char16_t* set, char16_t c);
  // Charges work against kMaxSteps; false (and the search abandoned) once it is used up.
  bool Spend(int64_t units);
  bool Abandon(ERegError code);

  const char16_t* m_input;
  const char16_t* m_begin;
  const char16_t** m_startPositions;
  const char16_t** m_endPositions;
  CRegProgramW& m_program;
  const char16_t* m_code;
  // Whether a node matches from a position depends on nothing else: captures are written only
  // on the way back from a success and never read while matching. So a failure, once seen, can
  // be answered at once when the backtracking comes back to the same node and position, which
  // it does constantly with two repetitions in a row over overlapping sets. A small
  // direct-mapped table on the stack; a lost entry only costs the work again.
  struct SFailure {
    const char16_t* node;
    const char16_t* input;
  };
  static constexpr size_t kFailureSlots = 256;
  static constexpr int64_t kRememberAfterSteps = 256;
  std::array<SFailure, kFailureSlots> m_failures;
  std::bitset<kFailureSlots> m_failureUsed;
  int m_depth = 0;
  int64_t m_steps = 0;
  bool m_abandoned = false;
};

}  // namespace quillet::regex
