#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. IsolateUserFolders points HOME and the XDG folders into it, so that no test ever
// reads or writes the real user's settings.

#include <string>

namespace quillet::test {

class CTempFolder {
 public:
  CTempFolder();
  ~CTempFolder();
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;

  [[nodiscard]] const std::string& Path() const { return m_path; }
  [[nodiscard]] std::string File(const std::string& name) const { return m_path + "/" + name; }

  // Sets HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR inside it.
  void IsolateUserFolders() const;

 private:
  std::string m_path;
};

// Writes bytes to a file, replacing it. Aborts the test run on failure.
void WriteFile(const std::string& path, const std::string& bytes);
[[nodiscard]] std::string ReadFile(const std::string& path);

}  // namespace quillet::test
