#include "engine/objects/scripting/KeyedTable.h"

#include <bit>
#include <utility>

#include "engine/runtime/ScriptError.h"
#include "engine/objects/scripting/DictionaryKey.h"

namespace quillet::engine {

namespace {
constexpr size_t kMinCapacity = 16;
}

size_t CKeyedTable::SlotOf(size_t hash) const {
  return static_cast<size_t>((static_cast<uint64_t>(hash) * 0x9E3779B97F4A7C15ULL) >> m_shift);
}

// The slot that holds the key, or npos.
size_t CKeyedTable::FindSlot(const CVariant& key, size_t hash) const {
  if (m_slots.empty()) return npos;
  const CDictionaryKey wanted(key);
  const size_t mask = m_slots.size() - 1;
  for (size_t slot = SlotOf(hash);; slot = (slot + 1) & mask) {
    const uint32_t held = m_slots[slot];
    if (held == kEmpty) return npos;
    if (held == kTombstone) continue;
    const SEntry& entry = m_entries[held - 1];
    if (entry.hash == hash && wanted.Equals(CDictionaryKey(entry.key), m_textMode)) return slot;
  }
}

size_t CKeyedTable::Find(const CVariant& key) const {
  const size_t slot = FindSlot(key, CDictionaryKey(key).Hash(m_textMode));
  return slot == npos ? npos : m_slots[slot] - 1;
}

void CKeyedTable::IndexEntry(size_t position) {
  const size_t mask = m_slots.size() - 1;
  size_t slot = SlotOf(m_entries[position].hash);
  while (m_slots[slot] != kEmpty && m_slots[slot] != kTombstone) slot = (slot + 1) & mask;
  if (m_slots[slot] == kEmpty) ++m_usedSlots;
  m_slots[slot] = static_cast<uint32_t>(position + 1);
}

void CKeyedTable::Unindex(size_t position) {
  const size_t mask = m_slots.size() - 1;
  size_t slot = SlotOf(m_entries[position].hash);
  while (m_slots[slot] != position + 1) slot = (slot + 1) & mask;
  m_slots[slot] = kTombstone;
}

void CKeyedTable::Rebuild(size_t capacity) {
  m_slots.assign(capacity, kEmpty);
  m_shift = 64 - std::countr_zero(capacity);
  m_usedSlots = 0;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].live) IndexEntry(i);
  }
}

size_t CKeyedTable::Insert(CVariant key, CVariant item) {
  // Entry positions are stored in 32 bits; no script gets near this before memory runs out.
  if (m_entries.size() >= kTombstone - 1) throw CScriptError(err::OutOfMemory);
  const size_t hash = CDictionaryKey(key).Hash(m_textMode);
  m_entries.push_back({std::move(key), std::move(item), hash, true});
  ++m_live;
  IndexWithRoom(m_entries.size() - 1);
  return m_entries.size() - 1;
}

// At most three quarters of the slots in use; tombstones count, since they lengthen probes.
void CKeyedTable::IndexWithRoom(size_t position) {
  if ((m_usedSlots + 1) * 4 > m_slots.size() * 3) {
    Rebuild(std::bit_ceil(std::max(kMinCapacity, m_live * 2)));
  } else {
    IndexEntry(position);
  }
}

void CKeyedTable::Erase(size_t position) {
  // Released only once the table is consistent: an object's Class_Terminate may use it.
  SEntry& entry = m_entries[position];
  const CVariant key = std::move(entry.key);
  const CVariant item = std::move(entry.item);
  Unindex(position);
  entry.live = false;
  --m_live;
  CompactIfSparse();
}

// Once most entries are holes, closing them costs less than walking past them.
void CKeyedTable::CompactIfSparse() {
  const size_t dead = m_entries.size() - m_live;
  if (dead < 32 || dead < m_live) return;
  if (m_live == 0) {
    Clear();
    return;
  }
  size_t to = 0;
  for (size_t from = 0; from < m_entries.size(); ++from) {
    if (!m_entries[from].live) continue;
    if (to != from) m_entries[to] = std::move(m_entries[from]);
    ++to;
  }
  m_entries.resize(to);
  Rebuild(std::bit_ceil(std::max(kMinCapacity, m_live * 2)));
}

void CKeyedTable::Clear() {
  m_entries.clear();
  m_slots.clear();
  m_live = 0;
  m_usedSlots = 0;
  m_shift = 64;
}

void CKeyedTable::Rekey(size_t position, CVariant key) {
  Unindex(position);
  SEntry& entry = m_entries[position];
  entry.hash = CDictionaryKey(key).Hash(m_textMode);
  const CVariant previous = std::exchange(entry.key, std::move(key));
  IndexWithRoom(position);
}

}  // namespace quillet::engine
