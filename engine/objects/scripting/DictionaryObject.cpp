#include "engine/objects/scripting/DictionaryObject.h"

#include <utility>
#include <vector>

#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/objects/scripting/DictionaryKey.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "engine/objects/scripting/DictionaryClass.h"

namespace quillet::engine {

namespace {

constexpr int kElementNotFound = 32811;
constexpr int kKeyAlreadyExists = 457;
// HashVal answers with the bucket a key would fall in among this many, as Windows numbers them.
constexpr size_t kHashBuckets = 1201;

// A key is kept as given (its type too), but never as a reference into the caller's variable.
CVariant KeyOf(const CVariant& arg) {
  const CVariant& key = arg.Deref();
  (void)CDictionaryKey(key);  // refuses arrays and missing arguments before anything changes
  return key;
}

// A stored item is the caller's value, not shared with the caller's array.
CVariant StoredValue(const CVariant& arg) {
  const CVariant& value = arg.Deref();
  if (value.IsMissing()) throw CScriptError(err::ArgNotOptional);
  return value.IsArray() ? CVariant::Array(value.AsArray()->Clone()) : value;
}

}  // namespace

CDictionaryObject::CDictionaryObject() : CAutomationObject(DispatchTableOf<kDictionaryClass>()) {}

void CDictionaryObject::Changed() {
  m_keysSnapshot.Clear();
  m_itemsSnapshot.Clear();
}

CVariant CDictionaryObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = dictionary_id;
  switch (member.dispId) {
    case id::Item:
      if (member.kind == om::EMemberKind::PropertyGet) return ReadItem(args[0]);
      return StoreItem(member.kind, args);
    case id::Add: return Add(args);
    case id::Count: return CVariant::Long(static_cast<int32_t>(m_table.Count()));
    case id::Exists: return CVariant::Boolean(m_table.Find(KeyOf(args[0])) != CKeyedTable::npos);
    case id::Items: return Snapshot(false);
    case id::Key: return RenameKey(args);
    case id::Keys: return Snapshot(true);
    case id::Remove: return Remove(args);
    case id::RemoveAll: return RemoveAll();
    case id::CompareMode:
      if (member.kind == om::EMemberKind::PropertyGet) return CVariant::Long(m_compareMode);
      return SetCompareMode(args[0]);
    case id::HashVal:
      return CVariant::Long(static_cast<int32_t>(CDictionaryKey(KeyOf(args[0])).Hash(m_table.TextMode()) % kHashBuckets));
    default: ThrowNoSuchMember();
  }
}

CVariant CDictionaryObject::Add(std::span<CVariant> args) {
  CVariant key = KeyOf(args[0]);
  CVariant item = StoredValue(args[1]);
  if (m_table.Find(key) != CKeyedTable::npos) throw CScriptError(kKeyAlreadyExists);
  m_table.Insert(std::move(key), std::move(item));
  Changed();
  return {};
}

// Reading a missing key adds it with an Empty item, as Windows does.
CVariant CDictionaryObject::ReadItem(const CVariant& keyArg) {
  CVariant key = KeyOf(keyArg);
  size_t at = m_table.Find(key);
  if (at == CKeyedTable::npos) {
    at = m_table.Insert(std::move(key), {});
    Changed();
  }
  return m_table.At(at).item;
}

// Assigning adds the key or replaces its item.
CVariant CDictionaryObject::StoreItem(om::EMemberKind kind, std::span<CVariant> args) {
  CVariant key = KeyOf(args[0]);
  CVariant item;
  if (kind == om::EMemberKind::PropertySet) {
    item = args[1].Deref();
    if (!item.IsObject()) throw CScriptError(err::ObjectRequired);
  } else {
    // The object's default value runs script code: take it before looking the key up.
    item = LetValue(args[1]);
  }
  CVariant previous;  // released last: its Class_Terminate may use this dictionary
  const size_t at = m_table.Find(key);
  if (at == CKeyedTable::npos) {
    m_table.Insert(std::move(key), std::move(item));
  } else {
    previous = std::exchange(m_table.At(at).item, std::move(item));
  }
  Changed();
  return {};
}

// Key is write-only: d.Key(old) = new.
CVariant CDictionaryObject::RenameKey(std::span<CVariant> args) {
  const CVariant oldKey = KeyOf(args[0]);
  CVariant newKey = KeyOf(args[1]);
  const size_t at = m_table.Find(oldKey);
  if (at == CKeyedTable::npos) throw CScriptError(kElementNotFound);
  const size_t clash = m_table.Find(newKey);
  if (clash == at) {
    m_table.At(at).key = std::move(newKey);  // same key, another spelling or type
  } else if (clash != CKeyedTable::npos) {
    throw CScriptError(kKeyAlreadyExists);
  } else {
    m_table.Rekey(at, std::move(newKey));
  }
  Changed();
  return {};
}

CVariant CDictionaryObject::Remove(std::span<CVariant> args) {
  const size_t at = m_table.Find(KeyOf(args[0]));
  if (at == CKeyedTable::npos) throw CScriptError(kElementNotFound);
  // Releasing the item may run a Class_Terminate that touches this dictionary: keep the
  // values alive until the table is consistent again.
  CVariant key = std::move(m_table.At(at).key);
  CVariant item = std::move(m_table.At(at).item);
  m_table.Erase(at);
  Changed();
  return {};
}

CVariant CDictionaryObject::RemoveAll() {
  CKeyedTable gone;
  std::swap(gone, m_table);  // items are released after the dictionary is empty
  m_table.SetTextMode(gone.TextMode());
  Changed();
  return {};
}

CVariant CDictionaryObject::SetCompareMode(const CVariant& modeArg) {
  const int32_t mode = LetValue(modeArg).ToLong();
  if (mode < 0 || m_table.Count() > 0) throw CScriptError(err::InvalidCall);
  m_compareMode = mode;
  m_table.SetTextMode(mode != 0);
  return {};
}

CVariant CDictionaryObject::Snapshot(bool keys) {
  CVariant& cached = keys ? m_keysSnapshot : m_itemsSnapshot;
  if (!cached.IsArray()) {
    std::vector<CVariant> values;
    values.reserve(m_table.Count());
    for (const auto& entry : m_table.Entries()) {
      if (entry.live) values.push_back(keys ? entry.key : entry.item);
    }
    cached = CVariant::Array(CSafeArray::FromValues(std::move(values)));
  }
  return cached;
}

// For Each walks the keys as they were when the loop began.
CEnumerator* CDictionaryObject::NewEnum() {
  CVariant keys = Snapshot(true);
  return new CSequenceEnumerator([keys](size_t index, CVariant& value) {
    CSafeArray* array = keys.AsArray();
    if (index >= array->Size()) return false;
    value = array->At(index);
    return true;
  });
}

}  // namespace quillet::engine
