#pragma once
// One Match of RegExp.Execute: Value (the default member), FirstIndex (from 0), Length and
// SubMatches.

#include <memory>

#include "engine/runtime/DispatchObject.h"
#include "engine/objects/regexp/RegExpMatchList.h"

namespace quillet::engine {

class CRegExpMatch : public CDispatchObject {
 public:
  CRegExpMatch(std::shared_ptr<const SRegExpMatchList> list, size_t index) : m_list(std::move(list)), m_index(index) {}

  [[nodiscard]] std::u16string TypeName() const override { return u"IMatch2"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;

 private:
  std::shared_ptr<const SRegExpMatchList> m_list;
  size_t m_index;
};

// Reads a collection's index argument; out of range is 5, as the collections answer.
[[nodiscard]] size_t CollectionIndex(std::span<CVariant> args, size_t count);

}  // namespace quillet::engine
