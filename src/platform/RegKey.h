#pragma once
// A registry key: values and subkeys, with names that compare without regard to case while
// keeping the spelling they were first written with.

#include <memory>
#include <unordered_map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RegValue.h"

namespace quillet::platform {

class CRegKey {
 public:
  explicit CRegKey(std::u16string name = {}) : m_name(std::move(name)) {}

  [[nodiscard]] const std::u16string& Name() const { return m_name; }
  [[nodiscard]] const std::vector<CRegValue>& Values() const { return m_values; }
  [[nodiscard]] const std::vector<std::unique_ptr<CRegKey>>& Subkeys() const { return m_subkeys; }

  [[nodiscard]] const CRegValue* FindValue(std::u16string_view name) const;
  // Replaces a value of the same name in place (keeping its position and spelling).
  void SetValue(CRegValue value);
  bool RemoveValue(std::u16string_view name);

  [[nodiscard]] CRegKey* FindSubkey(std::u16string_view name);
  [[nodiscard]] const CRegKey* FindSubkey(std::u16string_view name) const;
  CRegKey& OpenOrCreateSubkey(std::u16string_view name);
  bool RemoveSubkey(std::u16string_view name);

  // Paths are subkey names joined by backslashes; empty components are skipped.
  [[nodiscard]] const CRegKey* FindPath(std::u16string_view path) const;
  CRegKey& OpenOrCreatePath(std::u16string_view path);
  bool RemovePath(std::u16string_view path);

 private:
  std::u16string m_name;
  std::vector<CRegValue> m_values;
  std::vector<std::unique_ptr<CRegKey>> m_subkeys;
  // Folded name -> index, so that hives with thousands of keys under one parent load quickly.
  std::unordered_map<std::u16string, size_t> m_valueIndex;
  std::unordered_map<std::u16string, size_t> m_subkeyIndex;
};

// Splits "A\B\C" into its non-empty components.
[[nodiscard]] std::vector<std::u16string_view> SplitRegPath(std::u16string_view path);

}  // namespace quillet::platform
