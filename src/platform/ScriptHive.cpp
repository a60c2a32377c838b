#include "platform/ScriptHive.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "platform/AtomicFileWriter.h"
#include "platform/FileBytes.h"
#include "platform/FileLock.h"
#include "platform/RegFileParser.h"
#include "platform/RegFileWriter.h"

namespace quillet::platform {

CScriptHive::CScriptHive(std::string filePath) : m_filePath(std::move(filePath)) {}

CScriptHive::SStamp CScriptHive::Stamp() const {
  struct stat info{};
  if (::stat(m_filePath.c_str(), &info) != 0) return {};
  return {true, static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
          static_cast<uint64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

bool CScriptHive::Exists() const { return Stamp().exists; }

bool CScriptHive::Load(CRegKey& root) const {
  root = CRegKey();
  std::string bytes;
  if (!Stamp().exists) return true;
  if (!ReadFileBytes(m_filePath, bytes)) return false;
  CRegFileParseResult parsed = CRegFileParser::Parse(bytes);
  if (!parsed.ok) return false;
  root = std::move(*parsed.root);
  return true;
}

void CScriptHive::Read(const std::function<void(const CRegKey& root)>& read) const {
  const std::lock_guard guard(m_lock);
  const SStamp stamp = Stamp();
  if (!m_loaded || !(stamp == m_stamp)) {
    // A damaged file reads as empty until the next write sets it aside.
    (void)Load(m_root);
    m_stamp = stamp;
    m_loaded = true;
  }
  read(m_root);
}

bool CScriptHive::Write(const std::function<bool(CRegKey& root)>& change) {
  const std::lock_guard guard(m_lock);
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(m_filePath).parent_path(), ignored);
  const CFileLock lock(m_filePath + ".lock");
  if (!lock.Held()) return false;
  CRegKey root;
  if (!Load(root) && !SetAside()) return false;
  if (!change(root)) return false;
  CAtomicFileWriter writer(m_filePath, "hive");
  if (!writer.Open() || !writer.Write(CRegFileWriter::Write(root)) || !writer.Commit()) return false;
  m_root = std::move(root);
  m_stamp = Stamp();
  m_loaded = true;
  return true;
}

bool CScriptHive::SetAside() {
  const std::string base = m_filePath + ".unreadable-" + FileTimeStamp();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string candidate = attempt == 0 ? base : base + "-" + std::to_string(attempt);
    // RENAME_NOREPLACE: an earlier copy set aside is never overwritten.
    if (::renameat2(AT_FDCWD, m_filePath.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0) {
      m_setAsidePath = candidate;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

}  // namespace quillet::platform
