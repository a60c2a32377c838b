#pragma once
// One hive of the registry that scripts read and write (HKCU.reg, HKLM.reg), kept as a .reg
// file as the settings store keeps its own: reads never write and re-read the file only when it
// changed; every write re-reads it under a lock, applies the change and replaces it atomically,
// so that two scripts writing different values both keep theirs. A file that cannot be parsed
// is kept aside under a new name and a clean one is started.

#include <functional>
#include <mutex>
#include <string>

#include "platform/RegKey.h"

namespace quillet::platform {

class CScriptHive {
 public:
  explicit CScriptHive(std::string filePath);
  CScriptHive(const CScriptHive&) = delete;
  CScriptHive& operator=(const CScriptHive&) = delete;

  // Calls read with the hive's root (unnamed; its subkeys are the full paths' first
  // components), as the file now holds it.
  void Read(const std::function<void(const CRegKey& root)>& read) const;
  // Applies change to the hive as the file holds it at the moment of writing; change returns
  // false to leave the file as it was. False when the change was refused or the file could not
  // be written.
  bool Write(const std::function<bool(CRegKey& root)>& change);

  [[nodiscard]] bool Exists() const;
  [[nodiscard]] const std::string& FilePath() const { return m_filePath; }
  // Where the last unreadable file was moved; empty when none was.
  [[nodiscard]] const std::string& SetAsidePath() const { return m_setAsidePath; }

 private:
  struct SStamp {
    bool exists = false;
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const SStamp&) const = default;
  };
  [[nodiscard]] SStamp Stamp() const;
  // False when the file exists but cannot be parsed.
  bool Load(CRegKey& root) const;
  bool SetAside();

  std::string m_filePath;
  mutable std::mutex m_lock;
  mutable CRegKey m_root;
  mutable SStamp m_stamp;
  mutable bool m_loaded = false;
  std::string m_setAsidePath;
};

}  // namespace quillet::platform
