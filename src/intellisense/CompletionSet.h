#pragma once
// The names a member list or Complete Word offers, each with its image and status-bar text.
// Names are unique: the first insertion of a name wins.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "intellisense/BuiltinMemberTables.h"
#include "intellisense/ScriptDeclarationScans.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::intellisense {

enum class ECompletionImage : int { Method = 0, Property = 1 };

struct SCompletionEntry {
  std::u16string name;
  ECompletionImage image = ECompletionImage::Method;
  std::u16string statusText;
};

class CCompletionSet {
 public:
  // False when the name was already there.
  bool Add(std::u16string_view name, ECompletionImage image, std::u16string_view statusText);

  void AddTable(BuiltinMemberTable table);
  // The functions of the type, without those every automation object inherits and without the
  // enumerator.
  void AddTypeFunctions(typeinfo::STypeHandle type);
  // Complete Word's candidates: the language words first, each its own status text.
  void AddLanguageWords();
  // Variables and constants as properties, procedures as methods; the name is the status text.
  void AddDeclaredNames(const DeclaredNames& names);

  [[nodiscard]] const std::vector<SCompletionEntry>& Entries() const { return m_entries; }
  [[nodiscard]] std::vector<std::u16string> Names() const;
  [[nodiscard]] const SCompletionEntry* Find(std::u16string_view name) const;
  [[nodiscard]] bool Empty() const { return m_entries.empty(); }

 private:
  std::vector<SCompletionEntry> m_entries;
  std::set<std::u16string, std::less<>> m_names;
};

}  // namespace quillet::intellisense
