#pragma once
// What the script itself declares: the members and methods of its classes, its procedures, and
// the names in scope at a line, for member lists, tips, Complete Word and case correction.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "intellisense/AnalysisPatterns.h"
#include "intellisense/AnalysisSource.h"
#include "intellisense/BuiltinMemberTables.h"
#include "intellisense/PreparedLine.h"

namespace quillet::intellisense {

using DeclaredNames = std::map<std::u16string, EMemberKind>;

class CScriptDeclarationScans {
 public:
  CScriptDeclarationScans(IAnalysisSource& source, SAnalysisPatterns& patterns, CPreparedLine& line)
      : m_source(source), m_patterns(patterns), m_line(line) {}

  // The public members of the class: procedures as methods, properties and Dim variables as
  // properties.
  [[nodiscard]] DeclaredNames CollectScriptClassMembers(std::u16string_view className);
  // The declaration line of a public Sub or Function of the class, spelled exactly as method.
  [[nodiscard]] std::optional<std::u16string> FindScriptClassMethod(std::u16string_view className,
                                                                   std::u16string_view method);
  // The declaration line of the first Sub or Function of that name, cut to 120 characters.
  [[nodiscard]] std::optional<std::u16string> FindScriptProcedure(std::u16string_view name);
  // Inside a procedure: its own names and the global ones, not other procedures' locals. In
  // global code: the global names declared above the caret. Procedure names everywhere.
  [[nodiscard]] DeclaredNames CollectDeclaredNames(int32_t caretLine);
  // The spelling of the first name in scope at the caret line (visited in the same order and by
  // the same rules as above; classes count too) that equals word without regard to case but
  // differs from it in case. Lines of 256 characters or more are passed over.
  [[nodiscard]] std::optional<std::u16string> FindDeclaredSpelling(int32_t caretLine, std::u16string_view word);

 private:
  // Calls visit(line) for each line of the class body, after the class was found, until it ends.
  template <typename Visit>
  void ScanClassBody(std::u16string_view className, std::initializer_list<std::u16string_view> filter,
                     Visit&& visit);
  void AddIdentifiers(size_t from, EMemberKind kind, DeclaredNames& names);
  // Calls offer(name) for each identifier of the prepared line from column from on, until it
  // returns false; false then.
  template <typename Offer>
  bool ForEachIdentifier(size_t from, Offer&& offer);
  // Calls offer(name, kind) for each name that a line in scope declares, until it returns false.
  template <typename Offer>
  void VisitDeclarations(int32_t caretLine, bool withClasses, Offer&& offer);
  // The text before group 3 of the pattern's last match.
  [[nodiscard]] std::u16string_view TextBeforeGroup(regex::CRegExpW& pattern, int group) const;
  [[nodiscard]] std::u16string GroupText(regex::CRegExpW& pattern, int group) const;

  IAnalysisSource& m_source;
  SAnalysisPatterns& m_patterns;
  CPreparedLine& m_line;
};

// The text of group i of the last match on subject; empty when the group is not set.
[[nodiscard]] std::u16string_view MatchedGroup(regex::CRegExpW& pattern, std::u16string_view subject, int group);

}  // namespace quillet::intellisense
