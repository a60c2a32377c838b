#include "snippets/SnippetLibrary.h"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>
#include <filesystem>

#include "platform/AppPaths.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileBytes.h"
#include "platform/FileLock.h"
#include "snippets/SnippetFileFormat.h"

namespace quillet::snippets {
namespace {

namespace fs = std::filesystem;

bool ReadLibrary(const std::string& path, SSnippetFileContent& content) {
  std::string bytes;
  if (!platform::ReadFileBytes(path, bytes)) return false;
  content = ParseSnippetFile(bytes);
  return true;
}

// RENAME_NOREPLACE: an earlier copy kept aside is never overwritten.
bool SetAside(const std::string& path) {
  const std::string base = path + ".unreadable-" + platform::FileTimeStamp();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string candidate = attempt == 0 ? base : base + "-" + std::to_string(attempt);
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0) {
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::optional<SSnippetFileContent> ReadCurrentLibrary(const std::string& path) {
  SSnippetFileContent content;
  if (!ReadLibrary(path, content) || !content.IsCurrent()) return std::nullopt;
  return content;
}

}  // namespace

SSnippetsPathResult GetSnippetsFilePath(const std::string& shippedFolder) {
  SSnippetsPathResult result;
  const std::string folder = platform::DataFolder();
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) {
    result.failedFolder = folder;
    return result;
  }
  result.ok = true;
  result.path = folder + "/" + kSnippetsFileName;
  if (!fs::exists(result.path, error) && !shippedFolder.empty()) {
    const fs::path shipped = fs::path(shippedFolder) / kSnippetsFileName;
    if (fs::exists(shipped, error)) fs::copy_file(shipped, result.path, error);
  }
  SSnippetFileContent content;
  if (!ReadLibrary(result.path, content) || content.hasMagic) return result;
  // The older form: keep the tree, in the current layout.
  (void)SaveSnippets(content.root, result.path);
  return result;
}

bool LoadSnippets(CSnippetFolder& root, const std::string& path) {
  root = CSnippetFolder();
  SSnippetFileContent content;
  if (!ReadLibrary(path, content)) return false;
  root = std::move(content.root);
  return content.sound;
}

bool SaveSnippets(const CSnippetFolder& root, const std::string& path) {
  std::error_code error;
  if (fs::exists(path, error)) {
    SSnippetFileContent content;
    const bool readable = ReadLibrary(path, content);
    // An unreadable file (no permission) is not damage; the writer reports it.
    if (readable && !content.sound && !SetAside(path)) return false;
  }
  platform::CAtomicFileWriter writer(path, "snippets");
  return writer.Open() && writer.Write(WriteSnippetFile(root)) && writer.Commit();
}

std::optional<SSnippet> FindSnippetByNumber(const std::string& path, size_t number) {
  const auto content = ReadCurrentLibrary(path);
  if (!content) return std::nullopt;
  std::optional<SSnippet> found;
  size_t counter = 0;
  content->root.ForEachSnippet([&](const SSnippet& snippet) {
    if (counter++ == number) found = snippet;
  });
  return found;
}

std::optional<SSnippet> FindSnippetByShortcut(const std::string& path, std::u16string_view word) {
  const auto content = ReadCurrentLibrary(path);
  if (!content || word.empty()) return std::nullopt;
  std::optional<SSnippet> found;
  content->root.ForEachSnippet([&](const SSnippet& snippet) {
    if (!found && EqualsIgnoringAsciiCase(snippet.shortcut, word)) found = snippet;
  });
  return found;
}

}  // namespace quillet::snippets
