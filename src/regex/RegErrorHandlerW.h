#pragma once
// Errors of the pattern engine are codes with fixed texts. Each object keeps the text of the
// last error raised on it; nothing displays these texts, they serve diagnosis.

#include <string_view>

namespace quillet::regex {

enum class ERegError : int {
  NullSubject = 1,
  CorruptedProgram = 2,
  UnknownNode = 3,
  BrokenChain = 4,
  BadRepeat = 5,
  CorruptedOpcode = 6,
  NullSubstitution = 7,
  DamagedSubstitution = 8,
  DamagedMatchString = 9,
  NullPattern = 10,
  TooBig = 11,
  TooManyGroups = 12,
  UnterminatedGroup = 13,
  UnmatchedClose = 14,
  JunkOnEnd = 15,
  EmptyRepeat = 16,
  NestedRepeat = 17,
  InvalidRange = 18,
  UnmatchedBracket = 19,
  UnexpectedAtomEnd = 20,
  RepeatFollowsNothing = 21,
  TrailingBackslash = 22,
  Strcspn = 23,
  NullRegexp = 24,
  // The two bounds that keep a pathological pattern from exhausting the stack or the user's
  // patience; reaching either abandons the whole match.
  TooDeep = 25,
  TooMuchBacktracking = 26,
};

// The message of a code; "Unknown error" for a code the table does not hold.
[[nodiscard]] std::u16string_view RegErrorText(int code);

class CRegErrorHandlerW {
 public:
  virtual ~CRegErrorHandlerW() = default;

  // Empty until an error is raised on this object.
  [[nodiscard]] std::u16string_view ErrorText() const { return m_errorText; }
  [[nodiscard]] bool HasError() const { return !m_errorText.empty(); }

 protected:
  CRegErrorHandlerW() = default;
  CRegErrorHandlerW(const CRegErrorHandlerW&) = default;
  CRegErrorHandlerW& operator=(const CRegErrorHandlerW&) = default;

  void SetError(ERegError code) { m_errorText = RegErrorText(static_cast<int>(code)); }
  void SetErrorText(std::u16string_view text) { m_errorText = text; }
  void ClearError() { m_errorText = {}; }

 private:
  // Always a view of a message in the static table, so raising an error never allocates.
  std::u16string_view m_errorText;
};

}  // namespace quillet::regex
