#include "engine/runtime/DispatchTable.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "platform/TextConvert.h"

namespace quillet::engine {

CDispatchTable::CDispatchTable(const om::SClass& cls) : m_class(cls) {
  const std::span<const om::SMember> members = cls.defaultInterface->members;
  m_groups.reserve(members.size());
  for (const om::SMember& member : members) {
    SGroup& group = GroupFor(member);
    switch (member.kind) {
      case om::EMemberKind::Method:
      case om::EMemberKind::PropertyGet: group.read = &member; break;
      case om::EMemberKind::PropertyLet: group.let = &member; break;
      case om::EMemberKind::PropertySet: group.set = &member; break;
    }
  }
  // Half full at most, so that a miss ends at an empty slot after a probe or two.
  const size_t size = std::bit_ceil(std::max<size_t>(4, m_groups.size() * 2));
  m_slots.assign(size, 0);
  m_mask = static_cast<uint32_t>(size - 1);
  for (size_t i = 0; i < m_groups.size(); ++i) {
    uint32_t slot = Hash(m_groups[i].name) & m_mask;
    while (m_slots[slot] != 0) slot = (slot + 1) & m_mask;
    m_slots[slot] = static_cast<uint16_t>(i + 1);
    if (m_groups[i].dispId == om::kDispIdValue) m_default = &m_groups[i];
  }
}

CDispatchTable::SGroup& CDispatchTable::GroupFor(const om::SMember& member) {
  for (SGroup& group : m_groups) {
    if (platform::EqualsIgnoringAsciiCase(group.name, member.name)) {
      // One name is one DISPID in every library; a declaration that breaks this is a mistake.
      if (group.dispId != member.dispId) throw std::logic_error("one member name with two DISPIDs");
      return group;
    }
  }
  if (m_groups.size() >= UINT16_MAX) throw std::logic_error("too many members");
  m_groups.push_back(SGroup{member.name, member.dispId});
  return m_groups.back();
}

uint32_t CDispatchTable::Hash(std::u16string_view name) {
  uint32_t hash = 2166136261u;
  for (const char16_t unit : name) hash = (hash ^ platform::FoldAsciiCase(unit)) * 16777619u;
  return hash;
}

const CDispatchTable::SGroup* CDispatchTable::Find(std::u16string_view name) const {
  for (uint32_t slot = Hash(name) & m_mask;; slot = (slot + 1) & m_mask) {
    const uint16_t entry = m_slots[slot];
    if (entry == 0) return nullptr;
    const SGroup& group = m_groups[entry - 1u];
    if (platform::EqualsIgnoringAsciiCase(group.name, name)) return &group;
  }
}

}  // namespace quillet::engine
