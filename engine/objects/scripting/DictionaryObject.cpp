#include "engine/objects/scripting/DictionaryObject.h"

#include <utility>
#include <vector>

#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/objects/scripting/DictionaryKey.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

constexpr int kElementNotFound = 32811;
constexpr int kKeyAlreadyExists = 457;

bool Is(std::u16string_view name, std::u16string_view word) { return platform::EqualsIgnoringAsciiCase(name, word); }

void RequireCount(std::span<CVariant> args, size_t count) {
  if (args.size() != count) throw CScriptError(err::WrongArgCount);
}

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

void CDictionaryObject::Changed() {
  m_keysSnapshot.Clear();
  m_itemsSnapshot.Clear();
}

CVariant CDictionaryObject::Add(std::span<CVariant> args) {
  RequireCount(args, 2);
  CVariant key = KeyOf(args[0]);
  CVariant item = StoredValue(args[1]);
  if (m_table.Find(key) != CKeyedTable::npos) throw CScriptError(kKeyAlreadyExists);
  m_table.Insert(std::move(key), std::move(item));
  Changed();
  return {};
}

// Reading a missing key adds it with an Empty item, as Windows does; assigning adds or replaces.
CVariant CDictionaryObject::Item(EInvokeKind kind, std::span<CVariant> args) {
  if (kind == EInvokeKind::Get || kind == EInvokeKind::Call) {
    RequireCount(args, 1);
    CVariant key = KeyOf(args[0]);
    size_t at = m_table.Find(key);
    if (at == CKeyedTable::npos) {
      at = m_table.Insert(std::move(key), {});
      Changed();
    }
    return m_table.At(at).item;
  }
  RequireCount(args, 2);
  CVariant key = KeyOf(args[0]);
  CVariant item;
  if (kind == EInvokeKind::Set) {
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
CVariant CDictionaryObject::RenameKey(EInvokeKind kind, std::span<CVariant> args) {
  if (kind != EInvokeKind::Let && kind != EInvokeKind::Set) ThrowNoSuchMember();
  RequireCount(args, 2);
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
  RequireCount(args, 1);
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

CVariant CDictionaryObject::CompareMode(EInvokeKind kind, std::span<CVariant> args) {
  if (kind == EInvokeKind::Get || kind == EInvokeKind::Call) {
    RequireCount(args, 0);
    return CVariant::Long(m_compareMode);
  }
  RequireCount(args, 1);
  const int32_t mode = LetValue(args[0]).ToLong();
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

CVariant CDictionaryObject::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  if (name.empty() || Is(name, u"item")) return Item(kind, args);
  if (Is(name, u"key")) return RenameKey(kind, args);
  if (Is(name, u"comparemode")) return CompareMode(kind, args);
  if (kind == EInvokeKind::Let || kind == EInvokeKind::Set) ThrowNoSuchMember();
  if (Is(name, u"add")) return Add(args);
  if (Is(name, u"exists")) {
    RequireCount(args, 1);
    return CVariant::Boolean(m_table.Find(KeyOf(args[0])) != CKeyedTable::npos);
  }
  if (Is(name, u"count")) {
    RequireCount(args, 0);
    return CVariant::Long(static_cast<int32_t>(m_table.Count()));
  }
  if (Is(name, u"keys") || Is(name, u"items")) {
    RequireCount(args, 0);
    return Snapshot(Is(name, u"keys"));
  }
  if (Is(name, u"remove")) return Remove(args);
  if (Is(name, u"removeall")) {
    RequireCount(args, 0);
    CKeyedTable gone;
    std::swap(gone, m_table);  // items are released after the dictionary is empty
    m_table.SetTextMode(gone.TextMode());
    Changed();
    return {};
  }
  ThrowNoSuchMember();
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
