#pragma once
// The SubMatches of one Match: the text of each capturing group, Empty for a group that took
// no part in the match. Item is the default member; For Each walks the groups in order.

#include <memory>

#include "engine/runtime/DispatchObject.h"
#include "engine/objects/regexp/RegExpMatchList.h"

namespace quillet::engine {

class CRegExpSubMatches : public CDispatchObject {
 public:
  CRegExpSubMatches(std::shared_ptr<const SRegExpMatchList> list, size_t match)
      : m_list(std::move(list)), m_match(match) {}

  [[nodiscard]] std::u16string TypeName() const override { return u"ISubMatches"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;
  [[nodiscard]] CEnumerator* NewEnum() override;

 private:
  // Group counted from 0 (the first capturing group).
  [[nodiscard]] static CVariant GroupText(const SRegExpMatchList& list, size_t match, size_t group);

  std::shared_ptr<const SRegExpMatchList> m_list;
  size_t m_match;
};

}  // namespace quillet::engine
