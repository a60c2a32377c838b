#pragma once
// One Match of RegExp.Execute: Value (the default member), FirstIndex (from 0), Length and
// SubMatches.

#include <memory>

#include "engine/runtime/AutomationObject.h"
#include "engine/objects/regexp/RegExpMatchList.h"

namespace quillet::engine {

class CRegExpMatch : public CAutomationObject {
 public:
  CRegExpMatch(std::shared_ptr<const SRegExpMatchList> list, size_t index);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::shared_ptr<const SRegExpMatchList> m_list;
  size_t m_index;
};

// Reads a collection's index argument; out of range is 5, as the collections answer.
[[nodiscard]] size_t CollectionIndex(const CVariant& arg, size_t count);

}  // namespace quillet::engine
