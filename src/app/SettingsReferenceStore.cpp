#include "app/SettingsReferenceStore.h"

#include "platform/SettingsStore.h"

namespace quillet::app {

namespace {

// No ProgID is spelt with this, so it tells a value of another type from a string value.
constexpr std::u16string_view kNotAString = u"\n";

}  // namespace

std::u16string CSettingsReferenceStore::Read(std::u16string_view progId) const {
  return m_settings.ReadString(settings::TypeLibSection, progId, u"");
}

bool CSettingsReferenceStore::Write(std::u16string_view progId, std::u16string_view path) {
  return m_settings.WriteString(settings::TypeLibSection, progId, path);
}

std::map<std::u16string, std::u16string> CSettingsReferenceStore::ReadAll() const {
  std::map<std::u16string, std::u16string> references;
  for (const std::u16string& name : m_settings.Store().ValueNames(settings::TypeLibSection)) {
    std::u16string path = m_settings.ReadString(settings::TypeLibSection, name, kNotAString);
    if (path != kNotAString) references.emplace(name, std::move(path));
  }
  return references;
}

// The whole section goes, values of other types included, as deleting the key would.
bool CSettingsReferenceStore::ReplaceAll(const std::map<std::u16string, std::u16string>& references) {
  bool written = true;
  for (const std::u16string& name : m_settings.Store().ValueNames(settings::TypeLibSection))
    if (!references.contains(name)) written = m_settings.Store().DeleteValue(settings::TypeLibSection, name) && written;
  for (const auto& [progId, path] : references) written = Write(progId, path) && written;
  return written;
}

}  // namespace quillet::app
