#include "app/RecentFileList.h"

#include <algorithm>

#include "platform/SettingsStore.h"
#include "platform/TextConvert.h"

namespace quillet::app {
namespace {

constexpr std::u16string_view kSection = u"Recent File List";

std::u16string ValueName(int number) {
  return u"File" + platform::Utf8ToUtf16(std::to_string(number));
}

}  // namespace

CRecentFileList::CRecentFileList(platform::CSettingsStore& store, int size)
    : m_store(store), m_size(size) {}

void CRecentFileList::Load() {
  m_entries.clear();
  for (int number = 1; number <= m_size; ++number) {
    const std::u16string path = m_store.ReadString(kSection, ValueName(number), u"");
    if (!path.empty()) m_entries.push_back(platform::Utf16ToUtf8(path));
  }
}

void CRecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  // Linux file names are case-sensitive, so only the same spelling is the same file.
  m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
  m_entries.insert(m_entries.begin(), path);
  if (m_entries.size() > static_cast<size_t>(m_size)) m_entries.resize(static_cast<size_t>(m_size));
  Save();
}

void CRecentFileList::Remove(size_t index) {
  if (index >= m_entries.size()) return;
  m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
  Save();
}

void CRecentFileList::Save() {
  for (int number = 1; number <= m_size; ++number) {
    const size_t index = static_cast<size_t>(number - 1);
    if (index < m_entries.size()) {
      m_store.WriteString(kSection, ValueName(number), platform::Utf8ToUtf16(m_entries[index]));
    } else {
      m_store.DeleteValue(kSection, ValueName(number));
    }
  }
}

}  // namespace quillet::app
