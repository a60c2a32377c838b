#pragma once
// The SubMatches of one Match: the text of each capturing group, Empty for a group that took
// no part in the match. Item is the default member; For Each walks the groups in order.

#include <memory>

#include "engine/runtime/AutomationObject.h"
#include "engine/objects/regexp/RegExpMatchList.h"

namespace quillet::engine {

class CRegExpSubMatches : public CAutomationObject {
 public:
  CRegExpSubMatches(std::shared_ptr<const SRegExpMatchList> list, size_t match);

  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  // Group counted from 0 (the first capturing group).
  [[nodiscard]] static CVariant GroupText(const SRegExpMatchList& list, size_t match, size_t group);

  std::shared_ptr<const SRegExpMatchList> m_list;
  size_t m_match;
};

}  // namespace quillet::engine
