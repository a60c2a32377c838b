#pragma once
// Writes a file so that the old one is replaced in a single step: the bytes go to a temporary
// file in the target's folder, which is renamed over the target only when every write has
// succeeded. A crash or a full disk at any moment leaves either the old file or the new one
// whole. A symbolic link is followed, so the file it points to is replaced and the link stays.
// A file the user may not write is not replaced, though its folder would allow the rename.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::platform {

class CAtomicFileWriter {
 public:
  // tempPrefix starts the temporary file's name ("CRE" for scripts).
  explicit CAtomicFileWriter(std::string targetPath, std::string tempPrefix = "tmp");
  ~CAtomicFileWriter();
  CAtomicFileWriter(const CAtomicFileWriter&) = delete;
  CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

  [[nodiscard]] bool Open();
  [[nodiscard]] bool Write(const void* data, size_t size);
  [[nodiscard]] bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  // Flushes, keeps the old file's permission bits and owner, and renames into place.
  [[nodiscard]] bool Commit();

  // errno of the first failure, 0 when none.
  [[nodiscard]] int Error() const { return m_error; }
  [[nodiscard]] const std::string& TempPath() const { return m_tempPath; }
  // The file that is really written: the target with symbolic links followed.
  [[nodiscard]] const std::string& ResolvedPath() const { return m_resolvedPath; }

 private:
  bool Fail(int error);
  bool FlushBuffer();
  void Discard();

  std::string m_targetPath;
  std::string m_tempPrefix;
  std::string m_resolvedPath;
  std::string m_tempPath;
  std::vector<char> m_buffer;
  int m_fd = -1;
  int m_error = 0;
  bool m_committed = false;
};

// The path with every symbolic link of its last component followed (the link's target need not
// exist yet). Gives the path unchanged when it is not a link.
[[nodiscard]] std::string ResolveSymlinks(const std::string& path);

}  // namespace quillet::platform
