#pragma once
// The type library references kept in the settings' "TypeLib" section.

#include "base/SettingsInventory.h"
#include "typeinfo/ReferenceStore.h"

namespace quillet::app {

class CSettingsReferenceStore final : public typeinfo::IReferenceStore {
 public:
  explicit CSettingsReferenceStore(CSettings& settings) : m_settings(settings) {}

  [[nodiscard]] std::u16string Read(std::u16string_view progId) const override;
  bool Write(std::u16string_view progId, std::u16string_view path) override;
  [[nodiscard]] std::map<std::u16string, std::u16string> ReadAll() const override;
  bool ReplaceAll(const std::map<std::u16string, std::u16string>& references) override;

 private:
  CSettings& m_settings;
};

}  // namespace quillet::app
