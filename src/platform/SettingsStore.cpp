#include "platform/SettingsStore.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AtomicFileWriter.h"
#include "platform/FileBytes.h"
#include "platform/FileLock.h"
#include "platform/RegFileParser.h"
#include "platform/RegFileWriter.h"
#include "platform/TextConvert.h"

namespace quillet::platform {

CSettingsStore::CSettingsStore(std::string filePath, std::u16string rootKeyPath)
    : m_filePath(std::move(filePath)), m_rootKeyPath(std::move(rootKeyPath)) {}

std::u16string CSettingsStore::RootKeyFor(std::u16string_view company,
                                          std::u16string_view application) {
  return u"HKEY_CURRENT_USER\\Software\\" + std::u16string(company) + u"\\" +
         std::u16string(application);
}

CSettingsStore::SFileStamp CSettingsStore::Stamp() const {
  struct stat info{};
  if (::stat(m_filePath.c_str(), &info) != 0) return {};
  return {true, static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
          static_cast<uint64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

void CSettingsStore::LoadFile(const SFileStamp& stamp) const {
  m_stamp = stamp;
  m_root = CRegKey();
  m_fileUnreadable = false;
  if (stamp.exists) {
    std::string bytes;
    if (!ReadFileBytes(m_filePath, bytes)) {
      m_fileUnreadable = true;
    } else {
      CRegFileParseResult parsed = CRegFileParser::Parse(bytes);
      if (parsed.ok) {
        m_root = std::move(*parsed.root);
      } else {
        m_fileUnreadable = true;
      }
    }
  }
  ApplyChanges(m_root);
}

void CSettingsStore::RefreshIfChanged() const {
  const SFileStamp stamp = Stamp();
  if (!(stamp == m_stamp) || (!stamp.exists && m_stamp.exists)) LoadFile(stamp);
}

void CSettingsStore::ApplyChanges(CRegKey& root) const {
  for (const SChange& change : m_unsaved) {
    CRegKey& section = root.OpenOrCreatePath(m_rootKeyPath + u"\\" + change.section);
    if (change.value) {
      section.SetValue(*change.value);
    } else {
      section.RemoveValue(change.name);
    }
  }
}

const CRegValue* CSettingsStore::Find(std::u16string_view section,
                                      std::u16string_view name) const {
  RefreshIfChanged();
  const CRegKey* root = m_root.FindPath(m_rootKeyPath);
  const CRegKey* key = root ? root->FindPath(section) : nullptr;
  return key ? key->FindValue(name) : nullptr;
}

int32_t CSettingsStore::ReadInt(std::u16string_view section, std::u16string_view name,
                                int32_t defaultValue) const {
  std::lock_guard guard(m_lock);
  const CRegValue* value = Find(section, name);
  const auto number = value ? value->AsDword() : std::nullopt;
  return number ? static_cast<int32_t>(*number) : defaultValue;
}

std::u16string CSettingsStore::ReadString(std::u16string_view section, std::u16string_view name,
                                          std::u16string_view defaultValue) const {
  std::lock_guard guard(m_lock);
  const CRegValue* value = Find(section, name);
  auto text = value ? value->AsString() : std::nullopt;
  return text ? std::move(*text) : std::u16string(defaultValue);
}

std::vector<std::u16string> CSettingsStore::ValueNames(std::u16string_view section) const {
  std::lock_guard guard(m_lock);
  RefreshIfChanged();
  std::vector<std::u16string> names;
  const CRegKey* root = m_root.FindPath(m_rootKeyPath);
  if (const CRegKey* key = root ? root->FindPath(section) : nullptr) {
    for (const auto& value : key->Values()) names.push_back(value.name);
  }
  return names;
}

bool CSettingsStore::WriteInt(std::u16string_view section, std::u16string_view name,
                              int32_t value) {
  return Record({std::u16string(section), CRegValue::MakeDword(name, static_cast<uint32_t>(value)),
                 std::u16string(name)});
}

bool CSettingsStore::WriteString(std::u16string_view section, std::u16string_view name,
                                 std::u16string_view value) {
  return Record({std::u16string(section), CRegValue::MakeString(name, value), std::u16string(name)});
}

bool CSettingsStore::DeleteValue(std::u16string_view section, std::u16string_view name) {
  return Record({std::u16string(section), std::nullopt, std::u16string(name)});
}

bool CSettingsStore::Record(SChange change) {
  std::lock_guard guard(m_lock);
  m_unsaved.push_back(std::move(change));
  const bool saved = Flush();
  // Reads see the change whether or not it reached the file.
  LoadFile(Stamp());
  return saved;
}

bool CSettingsStore::Flush() {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(m_filePath).parent_path(), ignored);
  CFileLock lock(m_filePath + ".lock");
  if (!lock.Held()) return false;
  CRegKey root;
  std::string bytes;
  if (Stamp().exists) {
    if (!ReadFileBytes(m_filePath, bytes)) return false;
    CRegFileParseResult parsed = CRegFileParser::Parse(bytes);
    if (parsed.ok) {
      root = std::move(*parsed.root);
    } else if (!SetAside()) {
      return false;
    }
  }
  ApplyChanges(root);
  CAtomicFileWriter writer(m_filePath, "settings");
  if (!writer.Open() || !writer.Write(CRegFileWriter::Write(root)) || !writer.Commit()) {
    return false;
  }
  m_unsaved.clear();
  return true;
}

bool CSettingsStore::SetAside() {
  const std::string base = m_filePath + ".unreadable-" + FileTimeStamp();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string candidate = attempt == 0 ? base : base + "-" + std::to_string(attempt);
    // RENAME_NOREPLACE: an earlier copy set aside is never overwritten.
    if (::renameat2(AT_FDCWD, m_filePath.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) ==
        0) {
      m_setAsidePath = candidate;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

std::string CSettingsStore::SetAsidePath() const {
  std::lock_guard guard(m_lock);
  return m_setAsidePath;
}

}  // namespace quillet::platform
