#include "intellisense/CompletionSet.h"

#include <cstdint>

#include "intellisense/LanguageWordList.h"

namespace quillet::intellisense {
namespace {

// IUnknown's and IDispatch's methods as a dispatch interface lists them.
constexpr std::int32_t kFirstInheritedId = 0x60000000;
constexpr std::int32_t kEndOfInheritedIds = 0x60020000;
constexpr std::int32_t kEnumeratorId = -4;

}  // namespace

bool CCompletionSet::Add(std::u16string_view name, ECompletionImage image, std::u16string_view statusText) {
  if (!m_names.emplace(name).second) return false;
  m_entries.push_back({std::u16string(name), image, std::u16string(statusText)});
  return true;
}

void CCompletionSet::AddTable(BuiltinMemberTable table) {
  for (const BuiltinMemberRecord& row : table) {
    Add(row.name, row.kind == EMemberKind::Property ? ECompletionImage::Property : ECompletionImage::Method,
        row.description);
  }
}

void CCompletionSet::AddTypeFunctions(typeinfo::STypeHandle type) {
  if (type.library == nullptr) return;
  for (const typeinfo::SFuncDesc& func : type.library->Funcs(type.index)) {
    if (func.memberId >= kFirstInheritedId && func.memberId < kEndOfInheritedIds) continue;
    if (func.memberId == kEnumeratorId) continue;
    Add(func.name,
        func.invokeKind == typeinfo::EInvokeKind::Func ? ECompletionImage::Method : ECompletionImage::Property,
        func.docString);
  }
}

void CCompletionSet::AddLanguageWords() {
  for (std::u16string_view word : LanguageWordList) Add(word, ECompletionImage::Method, word);
}

void CCompletionSet::AddDeclaredNames(const DeclaredNames& names) {
  for (const auto& [name, kind] : names) {
    Add(name, kind == EMemberKind::Property ? ECompletionImage::Property : ECompletionImage::Method, name);
  }
}

std::vector<std::u16string> CCompletionSet::Names() const {
  std::vector<std::u16string> names;
  names.reserve(m_entries.size());
  for (const SCompletionEntry& entry : m_entries) names.push_back(entry.name);
  return names;
}

const SCompletionEntry* CCompletionSet::Find(std::u16string_view name) const {
  for (const SCompletionEntry& entry : m_entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace quillet::intellisense
