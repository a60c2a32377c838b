#pragma once
// The most recently used files, newest first, kept in the settings store.

#include <string>
#include <vector>

namespace quillet::app {

class CSettings;

class CRecentFileList {
 public:
  explicit CRecentFileList(CSettings& settings);

  void Load();
  // Puts path first, dropping an older entry of the same path, and writes the list.
  void Add(const std::string& path);
  void Remove(size_t index);
  [[nodiscard]] const std::vector<std::string>& Entries() const { return m_entries; }

 private:
  void Save();

  CSettings& m_settings;
  std::vector<std::string> m_entries;
};

}  // namespace quillet::app
