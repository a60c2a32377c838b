#pragma once
// The per-user settings store: sections of 32-bit integer and string values under one root key,
// kept in a .reg file that regedit can import. Reads never write. Every write re-reads the file
// under a lock, so two running instances that change different values both keep their change,
// and replaces it atomically. A file that cannot be parsed is kept aside under a new name at the
// next write, and until then every read gives its default.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RegKey.h"

namespace quillet::platform {

class CSettingsStore {
 public:
  // rootKeyPath such as "HKEY_CURRENT_USER\Software\Kelmarsh\Quillet"; sections are its subkeys.
  CSettingsStore(std::string filePath, std::u16string rootKeyPath);
  CSettingsStore(const CSettingsStore&) = delete;
  CSettingsStore& operator=(const CSettingsStore&) = delete;

  [[nodiscard]] static std::u16string RootKeyFor(std::u16string_view company,
                                                 std::u16string_view application);

  // A value of another type reads as absent, so a hand-edited file with a wrong type falls back
  // to the caller's default.
  [[nodiscard]] int32_t ReadInt(std::u16string_view section, std::u16string_view name,
                                int32_t defaultValue) const;
  [[nodiscard]] std::u16string ReadString(std::u16string_view section, std::u16string_view name,
                                          std::u16string_view defaultValue) const;
  [[nodiscard]] std::vector<std::u16string> ValueNames(std::u16string_view section) const;

  // False when the file could not be written; the value is still seen by this instance's reads
  // and is written again with the next successful write.
  bool WriteInt(std::u16string_view section, std::u16string_view name, int32_t value);
  bool WriteString(std::u16string_view section, std::u16string_view name,
                   std::u16string_view value);
  bool DeleteValue(std::u16string_view section, std::u16string_view name);

  [[nodiscard]] const std::string& FilePath() const { return m_filePath; }
  // Where the last unreadable file was moved; empty when none was.
  [[nodiscard]] std::string SetAsidePath() const;

 private:
  struct SChange {
    std::u16string section;
    std::optional<CRegValue> value;  // nothing: delete the value named in name
    std::u16string name;
  };
  struct SFileStamp {
    bool exists = false;
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const SFileStamp&) const = default;
  };

  [[nodiscard]] const CRegValue* Find(std::u16string_view section, std::u16string_view name) const;
  void RefreshIfChanged() const;
  void LoadFile(const SFileStamp& stamp) const;
  void ApplyChanges(CRegKey& root) const;
  bool Record(SChange change);
  bool Flush();
  [[nodiscard]] SFileStamp Stamp() const;
  bool SetAside();

  std::string m_filePath;
  std::u16string m_rootKeyPath;
  mutable std::mutex m_lock;
  mutable CRegKey m_root;         // the file as last read, with unsaved changes applied
  mutable SFileStamp m_stamp;
  mutable bool m_fileUnreadable = false;
  std::vector<SChange> m_unsaved;
  std::string m_setAsidePath;
};

}  // namespace quillet::platform
