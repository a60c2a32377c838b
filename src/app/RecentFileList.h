#pragma once
// The most recently used files, newest first, kept in the settings store as
// "Recent File List"/"File1".."FileN".

#include <string>
#include <vector>

namespace quillet::platform {
class CSettingsStore;
}

namespace quillet::app {

class CRecentFileList {
 public:
  static constexpr int kDefaultSize = 6;

  CRecentFileList(platform::CSettingsStore& store, int size = kDefaultSize);

  void Load();
  // Puts path first, dropping an older entry of the same path, and writes the list.
  void Add(const std::string& path);
  void Remove(size_t index);
  [[nodiscard]] const std::vector<std::string>& Entries() const { return m_entries; }

 private:
  void Save();

  platform::CSettingsStore& m_store;
  int m_size;
  std::vector<std::string> m_entries;
};

}  // namespace quillet::app
