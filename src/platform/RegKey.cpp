#include "platform/RegKey.h"

#include "platform/TextConvert.h"

namespace quillet::platform {
namespace {

std::u16string Folded(std::u16string_view name) {
  std::u16string folded(name);
  for (auto& unit : folded) unit = FoldAsciiCase(unit);
  return folded;
}

template <typename Items>
void Reindex(const Items& items, std::unordered_map<std::u16string, size_t>& index,
             auto nameOf) {
  index.clear();
  for (size_t i = 0; i < items.size(); ++i) index.emplace(Folded(nameOf(items[i])), i);
}

}  // namespace

std::vector<std::u16string_view> SplitRegPath(std::u16string_view path) {
  std::vector<std::u16string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

const CRegValue* CRegKey::FindValue(std::u16string_view name) const {
  const auto it = m_valueIndex.find(Folded(name));
  return it == m_valueIndex.end() ? nullptr : &m_values[it->second];
}

void CRegKey::SetValue(CRegValue value) {
  std::u16string folded = Folded(value.name);
  const auto it = m_valueIndex.find(folded);
  if (it != m_valueIndex.end()) {
    CRegValue& existing = m_values[it->second];
    existing.type = value.type;
    existing.data = std::move(value.data);
    return;
  }
  m_valueIndex.emplace(std::move(folded), m_values.size());
  m_values.push_back(std::move(value));
}

bool CRegKey::RemoveValue(std::u16string_view name) {
  const auto it = m_valueIndex.find(Folded(name));
  if (it == m_valueIndex.end()) return false;
  m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex(m_values, m_valueIndex, [](const CRegValue& value) { return value.name; });
  return true;
}

CRegKey* CRegKey::FindSubkey(std::u16string_view name) {
  const auto it = m_subkeyIndex.find(Folded(name));
  return it == m_subkeyIndex.end() ? nullptr : m_subkeys[it->second].get();
}

const CRegKey* CRegKey::FindSubkey(std::u16string_view name) const {
  return const_cast<CRegKey*>(this)->FindSubkey(name);
}

CRegKey& CRegKey::OpenOrCreateSubkey(std::u16string_view name) {
  if (CRegKey* existing = FindSubkey(name)) return *existing;
  m_subkeyIndex.emplace(Folded(name), m_subkeys.size());
  m_subkeys.push_back(std::make_unique<CRegKey>(std::u16string(name)));
  return *m_subkeys.back();
}

bool CRegKey::RemoveSubkey(std::u16string_view name) {
  const auto it = m_subkeyIndex.find(Folded(name));
  if (it == m_subkeyIndex.end()) return false;
  m_subkeys.erase(m_subkeys.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex(m_subkeys, m_subkeyIndex, [](const auto& key) { return key->m_name; });
  return true;
}

const CRegKey* CRegKey::FindPath(std::u16string_view path) const {
  const CRegKey* key = this;
  for (const auto part : SplitRegPath(path)) {
    key = key->FindSubkey(part);
    if (key == nullptr) return nullptr;
  }
  return key;
}

CRegKey& CRegKey::OpenOrCreatePath(std::u16string_view path) {
  CRegKey* key = this;
  for (const auto part : SplitRegPath(path)) key = &key->OpenOrCreateSubkey(part);
  return *key;
}

bool CRegKey::RemovePath(std::u16string_view path) {
  const auto parts = SplitRegPath(path);
  if (parts.empty()) return false;
  CRegKey* parent = this;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    parent = parent->FindSubkey(parts[i]);
    if (parent == nullptr) return false;
  }
  return parent->RemoveSubkey(parts.back());
}

}  // namespace quillet::platform
