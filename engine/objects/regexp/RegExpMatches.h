#pragma once
// The Matches collection Execute returns: Count, Item (the default member, from 0) and For
// Each. Match objects are made the first time a script asks for them, then kept, so that the
// same item is the same object.

#include <memory>
#include <vector>

#include "engine/runtime/AutomationObject.h"
#include "engine/objects/regexp/RegExpMatchList.h"

namespace quillet::engine {

class CRegExpMatches : public CAutomationObject {
 public:
  explicit CRegExpMatches(std::shared_ptr<const SRegExpMatchList> list);

  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant MatchAt(size_t index);

  std::shared_ptr<const SRegExpMatchList> m_list;
  std::vector<CVariant> m_made;  // Empty until made
};

}  // namespace quillet::engine
