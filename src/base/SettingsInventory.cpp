#include "base/SettingsInventory.h"

#include <string>

#include "platform/SettingsStore.h"
#include "platform/TextConvert.h"

namespace quillet::app {
namespace settings {

std::u16string BarSection(std::u16string_view layout, int32_t barId) {
  return std::u16string(layout) + u"-SCBar-" + platform::Utf8ToUtf16(std::to_string(barId));
}

int32_t DefaultFontHeight(int32_t dotsPerInch) {
  // MulDiv(10, dpi, 72) rounds half away from zero.
  const int64_t product = int64_t{10} * dotsPerInch;
  return -static_cast<int32_t>((product + 36) / 72);
}

}  // namespace settings

namespace {

std::u16string ListValueName(const SListSetting& list, int32_t index) {
  return std::u16string(list.namePrefix) +
         platform::Utf8ToUtf16(std::to_string(list.firstNumber + index));
}

}  // namespace

int32_t CSettings::Read(const SIntSetting& setting) const {
  return m_store.ReadInt(setting.section, setting.name, setting.defaultValue);
}

int32_t CSettings::Read(const SIntSetting& setting, int32_t defaultValue) const {
  return m_store.ReadInt(setting.section, setting.name, defaultValue);
}

std::u16string CSettings::Read(const SStringSetting& setting) const {
  return m_store.ReadString(setting.section, setting.name, setting.defaultValue);
}

bool CSettings::Write(const SIntSetting& setting, int32_t value) {
  return m_store.WriteInt(setting.section, setting.name, value);
}

bool CSettings::Write(const SStringSetting& setting, std::u16string_view value) {
  return m_store.WriteString(setting.section, setting.name, value);
}

std::vector<std::u16string> CSettings::ReadList(const SListSetting& list) const {
  std::vector<std::u16string> entries;
  for (int32_t i = 0; i < list.size; ++i) {
    std::u16string entry = m_store.ReadString(list.section, ListValueName(list, i), u"");
    if (entry.empty()) break;
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<std::u16string> CSettings::ReadNonEmptyList(const SListSetting& list) const {
  std::vector<std::u16string> entries;
  for (int32_t i = 0; i < list.size; ++i) {
    std::u16string entry = m_store.ReadString(list.section, ListValueName(list, i), u"");
    if (!entry.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

void CSettings::WriteList(const SListSetting& list, const std::vector<std::u16string>& entries) {
  for (int32_t i = 0; i < list.size; ++i) {
    if (static_cast<size_t>(i) < entries.size()) {
      m_store.WriteString(list.section, ListValueName(list, i), entries[static_cast<size_t>(i)]);
    } else {
      m_store.DeleteValue(list.section, ListValueName(list, i));
    }
  }
}

int32_t CSettings::ReadInt(std::u16string_view section, std::u16string_view name,
                           int32_t defaultValue) const {
  return m_store.ReadInt(section, name, defaultValue);
}

std::u16string CSettings::ReadString(std::u16string_view section, std::u16string_view name,
                                     std::u16string_view defaultValue) const {
  return m_store.ReadString(section, name, defaultValue);
}

bool CSettings::WriteInt(std::u16string_view section, std::u16string_view name, int32_t value) {
  return m_store.WriteInt(section, name, value);
}

bool CSettings::WriteString(std::u16string_view section, std::u16string_view name,
                            std::u16string_view value) {
  return m_store.WriteString(section, name, value);
}

}  // namespace quillet::app
