#include "TempFolder.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quillet::test {

CTempFolder::CTempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/quillet-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

CTempFolder::~CTempFolder() {
  std::error_code ignored;
  // A test may have left read-only folders behind; open them up so that removal succeeds.
  for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::remove_all(m_path, ignored);
}

void CTempFolder::IsolateUserFolders() const {
  const std::pair<const char*, const char*> folders[] = {
      {"HOME", "/home"},
      {"XDG_CONFIG_HOME", "/home/.config"},
      {"XDG_DATA_HOME", "/home/.local/share"},
      {"XDG_CACHE_HOME", "/home/.cache"},
      {"XDG_RUNTIME_DIR", "/runtime"},
  };
  for (const auto& [variable, suffix] : folders) {
    const std::string path = m_path + suffix;
    std::filesystem::create_directories(path);
    ::setenv(variable, path.c_str(), 1);
  }
  std::filesystem::permissions(m_path + "/runtime", std::filesystem::perms::owner_all);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quillet::test
