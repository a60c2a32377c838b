#pragma once
// The Matches collection Execute returns: Count, Item (the default member, from 0) and For
// Each. Match objects are made the first time a script asks for them, then kept, so that the
// same item is the same object.

#include <memory>
#include <vector>

#include "engine/runtime/DispatchObject.h"
#include "engine/objects/regexp/RegExpMatchList.h"

namespace quillet::engine {

class CRegExpMatches : public CDispatchObject {
 public:
  explicit CRegExpMatches(std::shared_ptr<const SRegExpMatchList> list);

  [[nodiscard]] std::u16string TypeName() const override { return u"IMatchCollection2"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;
  [[nodiscard]] CEnumerator* NewEnum() override;

 private:
  CVariant MatchAt(size_t index);

  std::shared_ptr<const SRegExpMatchList> m_list;
  std::vector<CVariant> m_made;  // Empty until made
};

}  // namespace quillet::engine
