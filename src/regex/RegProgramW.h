#pragma once
// A compiled pattern with the hints that spare hopeless attempts, and the positions of the
// last match. A pattern that fails to compile leaves a program that matches nothing.

#include <array>
#include <memory>
#include <span>
#include <string_view>

#include "regex/RegProgramAccessorW.h"

namespace quillet::regex {

class CRegExecutorW;

class CRegProgramW final : public CRegProgramAccessorW {
 public:
  CRegProgramW() = default;
  CRegProgramW(const CRegProgramW&) = delete;
  CRegProgramW& operator=(const CRegProgramW&) = delete;

  // A null pattern, a syntax error or an oversized program leaves no program buffer.
  void Compile(const char16_t* pattern);

  // Searches the NUL-terminated subject for the leftmost match. On success the positions are
  // set; on failure they are all cleared.
  bool Exec(const char16_t* subject);

  // The program's code units, magic unit first; empty when compiling failed.
  [[nodiscard]] std::span<const char16_t> Units() const {
    return {m_program.get(), m_program ? static_cast<size_t>(m_size) : 0};
  }
  [[nodiscard]] char16_t StartChar() const { return m_startChar; }
  [[nodiscard]] bool Anchored() const { return m_anchored != 0; }
  // The literal every match contains; empty when there is none.
  [[nodiscard]] std::u16string_view MustContain() const;

  // One less than the number of leading set start positions; -1 after a failed match.
  [[nodiscard]] int SubExpressionCount() const { return m_subCount; }
  // Null when entry i is not set (or i is outside 0 to 9).
  [[nodiscard]] const char16_t* SubStartPointer(int i) const;
  [[nodiscard]] const char16_t* SubEndPointer(int i) const;

 private:
  friend class CRegExecutorW;

  void TakeHints(bool spStart);
  void ClearPositions();
  [[nodiscard]] bool SubjectContainsMust(const char16_t* subject) const;

  int m_size = 0;
  std::array<const char16_t*, kMaxSubExpressions> m_startPositions{};
  std::array<const char16_t*, kMaxSubExpressions> m_endPositions{};
  char16_t m_startChar = 0;
  char16_t m_anchored = 0;
  const char16_t* m_mustContain = nullptr;
  std::unique_ptr<char16_t[]> m_program;
  int m_subCount = -1;
  // Whether the error text is the abandonment of the last match, which says nothing about the
  // next one.
  bool m_abandoned = false;
};

}  // namespace quillet::regex
