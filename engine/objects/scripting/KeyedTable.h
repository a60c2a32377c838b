#pragma once
// The store behind Scripting.Dictionary: entries in insertion order, found through an
// open-addressing index of their positions. Removal leaves a hole that later compaction
// closes, so that emptying a large dictionary one key at a time stays linear.

#include <cstdint>
#include <vector>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CKeyedTable {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  struct SEntry {
    CVariant key;
    CVariant item;
    size_t hash = 0;
    bool live = true;
  };

  [[nodiscard]] size_t Count() const { return m_live; }
  [[nodiscard]] bool TextMode() const { return m_textMode; }
  // Only while empty: the index depends on it.
  void SetTextMode(bool textMode) { m_textMode = textMode; }

  // Position of the key's entry, or npos. The key must be dereferenced.
  [[nodiscard]] size_t Find(const CVariant& key) const;
  // Appends an entry for a key that is not present; returns its position.
  size_t Insert(CVariant key, CVariant item);
  // Positions stay valid until the next Insert, Erase or Clear.
  void Erase(size_t position);
  void Clear();
  // Gives an entry another key, keeping its place in the order; the key must not be present.
  void Rekey(size_t position, CVariant key);

  [[nodiscard]] SEntry& At(size_t position) { return m_entries[position]; }
  // Entries in insertion order, removed ones included (live false).
  [[nodiscard]] const std::vector<SEntry>& Entries() const { return m_entries; }

 private:
  static constexpr uint32_t kEmpty = 0;
  static constexpr uint32_t kTombstone = UINT32_MAX;

  [[nodiscard]] size_t SlotOf(size_t hash) const;
  [[nodiscard]] size_t FindSlot(const CVariant& key, size_t hash) const;
  void IndexEntry(size_t position);
  void IndexWithRoom(size_t position);
  void Unindex(size_t position);
  void Rebuild(size_t capacity);
  void CompactIfSparse();

  std::vector<SEntry> m_entries;
  std::vector<uint32_t> m_slots;  // position + 1, kEmpty or kTombstone
  size_t m_live = 0;
  size_t m_usedSlots = 0;  // filled or tombstone
  int m_shift = 64;        // Fibonacci hashing: the top bits pick the slot
  bool m_textMode = false;
};

}  // namespace quillet::engine
