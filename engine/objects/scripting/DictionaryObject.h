#pragma once
// Scripting.Dictionary: items under keys, in insertion order, with Windows' rules for what
// makes two keys the same (see CDictionaryKey) and its errors: 457 for a key added twice,
// 32811 for removing or renaming a key that is not there.

#include "engine/runtime/AutomationObject.h"
#include "engine/objects/scripting/KeyedTable.h"

namespace quillet::engine {

class CDictionaryObject : public CAutomationObject {
 public:
  CDictionaryObject();
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant Add(std::span<CVariant> args);
  CVariant ReadItem(const CVariant& keyArg);
  CVariant StoreItem(om::EMemberKind kind, std::span<CVariant> args);
  CVariant RenameKey(std::span<CVariant> args);
  CVariant Remove(std::span<CVariant> args);
  CVariant RemoveAll();
  CVariant SetCompareMode(const CVariant& mode);
  // Keys and Items: a 0-based array, kept until the dictionary changes, because scripts
  // often index d.Keys()(i) inside a loop over i.
  CVariant Snapshot(bool keys);
  void Changed();

  CKeyedTable m_table;
  int32_t m_compareMode = 0;
  CVariant m_keysSnapshot;
  CVariant m_itemsSnapshot;
};

}  // namespace quillet::engine
