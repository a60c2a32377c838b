#pragma once
// The members of one class's default interface, found by name without regard to case through a
// hash built once per class (the first time an object of the class is made) and never changed
// after, so that lookups need no lock. A name groups the member that reads (a method or a
// property getter) with the property's assignments.

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

class CDispatchTable {
 public:
  struct SGroup {
    std::u16string_view name;
    int32_t dispId = 0;
    const om::SMember* read = nullptr;  // method or property get
    const om::SMember* let = nullptr;
    const om::SMember* set = nullptr;
  };

  explicit CDispatchTable(const om::SClass& cls);
  CDispatchTable(const CDispatchTable&) = delete;
  CDispatchTable& operator=(const CDispatchTable&) = delete;

  [[nodiscard]] const om::SClass& Class() const { return m_class; }
  [[nodiscard]] const om::SInterface& Interface() const { return *m_class.defaultInterface; }
  // Null when the interface has no member of that name.
  [[nodiscard]] const SGroup* Find(std::u16string_view name) const;
  // The member with DISPID 0; null when the interface has none.
  [[nodiscard]] const SGroup* DefaultMember() const { return m_default; }

 private:
  [[nodiscard]] static uint32_t Hash(std::u16string_view name);
  SGroup& GroupFor(const om::SMember& member);

  const om::SClass& m_class;
  std::vector<SGroup> m_groups;
  std::vector<uint16_t> m_slots;  // group index + 1; 0 is an empty slot
  uint32_t m_mask = 0;
  const SGroup* m_default = nullptr;
};

// The table of one declared class, built on first use.
template <const om::SClass& Class>
[[nodiscard]] const CDispatchTable& DispatchTableOf() {
  static const CDispatchTable table(Class);
  return table;
}

}  // namespace quillet::engine
