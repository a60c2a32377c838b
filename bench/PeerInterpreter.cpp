#include "PeerInterpreter.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace quillet::bench {

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  return quoted + "'";
}

// Removes the program's file however the run ends.
class CTemporaryFile {
 public:
  explicit CTemporaryFile(const std::string& extension) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    std::string pattern = (folder / ("quillet-bench-XXXXXX" + extension)).string();
    const int fd = mkstemps(pattern.data(), static_cast<int>(extension.size()));
    if (fd >= 0) {
      close(fd);
      m_path = pattern;
    }
  }
  ~CTemporaryFile() {
    if (!m_path.empty()) std::remove(m_path.c_str());
  }
  CTemporaryFile(const CTemporaryFile&) = delete;
  CTemporaryFile& operator=(const CTemporaryFile&) = delete;

  [[nodiscard]] const std::string& Path() const { return m_path; }
  [[nodiscard]] bool Write(const std::string& text) const {
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
  }

 private:
  std::string m_path;
};

}  // namespace

CPeerInterpreter::CPeerInterpreter(std::string command, std::string extension, std::string prologue)
    : m_command(std::move(command)), m_extension(std::move(extension)), m_prologue(std::move(prologue)) {}

std::optional<CPeerInterpreter> CPeerInterpreter::Find(const std::string& command, const std::string& extension,
                                                       const std::string& prologue) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/" + command;
    if (access(candidate.c_str(), X_OK) == 0) return CPeerInterpreter(candidate, extension, prologue);
  }
  return std::nullopt;
}

std::optional<SPeerResult> CPeerInterpreter::Run(const std::string& program) const {
  CTemporaryFile file(m_extension);
  if (file.Path().empty() || !file.Write(Source(program))) return std::nullopt;
  const std::string line = ShellQuoted(m_command) + " " + ShellQuoted(file.Path()) + " 2>/dev/null";
  std::FILE* pipe = popen(line.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string output;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  if (pclose(pipe) != 0) return std::nullopt;
  std::stringstream lines(output);
  SPeerResult result;
  std::string seconds;
  if (!std::getline(lines, result.checksum) || !std::getline(lines, seconds)) return std::nullopt;
  char* end = nullptr;
  result.seconds = std::strtod(seconds.c_str(), &end);
  if (end == seconds.c_str()) return std::nullopt;
  return result;
}

}  // namespace quillet::bench
