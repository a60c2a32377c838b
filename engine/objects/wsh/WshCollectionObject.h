#pragma once
// WshCollection: the lists the shell and the network object hand out. An item may carry a
// name (SpecialFolders("Desktop")); Item takes a position from 0 or a name, and an unknown name
// gives an empty text, as it does on Windows.

#include <string>
#include <vector>

#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWshCollectionObject : public CAutomationObject {
 public:
  struct SItem {
    std::u16string name;
    std::u16string value;
  };
  explicit CWshCollectionObject(std::vector<SItem> items);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant Item(const CVariant& index) const;

  std::vector<SItem> m_items;
};

}  // namespace quillet::engine
