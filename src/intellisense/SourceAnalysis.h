#pragma once
// What the expression in front of the caret refers to, found on the raw script text without
// parsing it: the chain before the caret is taken apart, and the script is scanned away from the
// caret for the statement that gave its first name an object. One object serves one request:
// the patterns are compiled afresh and nothing survives it but the scanner's line-state cache.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "intellisense/AnalysisPatterns.h"
#include "intellisense/AnalysisSource.h"
#include "intellisense/AnalysisTarget.h"
#include "intellisense/CompletionSet.h"
#include "intellisense/PreparedLine.h"
#include "intellisense/ScriptDeclarationScans.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::typeinfo {
class CProgIdResolver;
}

namespace quillet::intellisense {

class CSourceAnalysis {
 public:
  // The registry finds the script host object's library and the libraries others import.
  CSourceAnalysis(IAnalysisSource& source, const typeinfo::CProgIdResolver& resolver,
                  typeinfo::CTypeLibrary::RegistryPtr registry);

  // After a dot: the names to list, or nothing.
  [[nodiscard]] std::optional<CCompletionSet> AnalyseForMemberList(int32_t column, int32_t line);
  // After a blank or "(": what the tip describes, or kind None.
  [[nodiscard]] SParameterTipSource AnalyseForParameterTip(int32_t column, int32_t line);

  // The scans alone, before any library is read.
  [[nodiscard]] SAnalysisTarget FindMemberListTarget(int32_t column, int32_t line);
  [[nodiscard]] SAnalysisTarget FindParameterTipTarget(int32_t column, int32_t line);

  [[nodiscard]] CScriptDeclarationScans& Declarations() { return m_declarations; }

 private:
  enum class EMode { MemberList, ParameterTip };

  struct SScanState {
    EMode mode;
    std::u16string chain;
    bool withPending = false;
  };

  [[nodiscard]] std::u16string FirstWord(const std::u16string& chain);
  [[nodiscard]] std::optional<SAnalysisTarget> WellKnownObject(std::u16string_view firstWord,
                                                               std::u16string_view chain, bool withBuiltins);
  [[nodiscard]] SAnalysisTarget HostObject(std::u16string_view rest);
  void ReadCaretChain(SScanState& state, regex::CRegExpW& leadingDot, regex::CRegExpW* bareDot,
                      regex::CRegExpW& plain);
  void ApplyWith(SScanState& state);
  [[nodiscard]] SAnalysisTarget CreateObjectTarget(const SScanState& state, std::u16string_view firstWord);
  [[nodiscard]] SAnalysisTarget NewTarget(const SScanState& state, std::u16string_view firstWord);
  // The steps b to e on a prepared line; a target when the scan ends here.
  [[nodiscard]] std::optional<SAnalysisTarget> AssignmentSteps(SScanState& state, std::u16string_view firstWord,
                                                               std::u16string_view raw);
  [[nodiscard]] std::u16string BlankFirstArguments(std::u16string rest);

  IAnalysisSource& m_source;
  const typeinfo::CProgIdResolver& m_resolver;
  typeinfo::CTypeLibrary::RegistryPtr m_registry;
  SAnalysisPatterns m_patterns;
  CPreparedLine m_line;
  CScriptDeclarationScans m_declarations;
  std::u16string m_firstWordChain;
  std::u16string m_firstWord;
  bool m_firstWordValid = false;
};

// The rest of a chain on a RegExp object, lower case, without arguments or blanks:
// ".execute.item.submatches" and the like.
[[nodiscard]] std::u16string RegExpRest(std::u16string_view blankedRest);

}  // namespace quillet::intellisense
