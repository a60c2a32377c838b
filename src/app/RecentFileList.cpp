#include "app/RecentFileList.h"

#include <algorithm>

#include "base/SettingsInventory.h"
#include "platform/TextConvert.h"

namespace quillet::app {

CRecentFileList::CRecentFileList(CSettings& settings) : m_settings(settings) {}

void CRecentFileList::Load() {
  m_entries.clear();
  for (const std::u16string& path : m_settings.ReadList(settings::RecentFiles)) {
    m_entries.push_back(platform::TextToFileName(path));
  }
}

void CRecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  // Linux file names are case-sensitive, so only the same spelling is the same file.
  m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
  m_entries.insert(m_entries.begin(), path);
  const auto size = static_cast<size_t>(settings::RecentFiles.size);
  if (m_entries.size() > size) m_entries.resize(size);
  Save();
}

void CRecentFileList::Remove(size_t index) {
  if (index >= m_entries.size()) return;
  m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
  Save();
}

void CRecentFileList::Save() {
  std::vector<std::u16string> entries;
  for (const std::string& path : m_entries) entries.push_back(platform::FileNameToText(path));
  m_settings.WriteList(settings::RecentFiles, entries);
}

}  // namespace quillet::app
