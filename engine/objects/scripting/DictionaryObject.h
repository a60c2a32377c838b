#pragma once
// Scripting.Dictionary: items under keys, in insertion order, with Windows' rules for what
// makes two keys the same (see CDictionaryKey) and its errors: 457 for a key added twice,
// 32811 for removing or renaming a key that is not there.

#include "engine/runtime/DispatchObject.h"
#include "engine/objects/scripting/KeyedTable.h"

namespace quillet::engine {

class CDictionaryObject : public CDispatchObject {
 public:
  [[nodiscard]] std::u16string TypeName() const override { return u"Dictionary"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;
  [[nodiscard]] CEnumerator* NewEnum() override;

 private:
  CVariant Add(std::span<CVariant> args);
  CVariant Item(EInvokeKind kind, std::span<CVariant> args);
  CVariant RenameKey(EInvokeKind kind, std::span<CVariant> args);
  CVariant Remove(std::span<CVariant> args);
  CVariant CompareMode(EInvokeKind kind, std::span<CVariant> args);
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
