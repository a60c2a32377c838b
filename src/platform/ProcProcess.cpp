#include "platform/ProcProcess.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace quillet::platform {

namespace {

// One read of a whole small /proc file; these files are made at the read, so an ifstream's
// buffering only adds cost when a thousand processes are listed every second.
std::optional<std::string> ReadProcFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0) {
      close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return text;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

uint64_t SProcStat::Number(size_t fileField) const {
  const size_t at = fileField - 3;
  return at < fields.size() ? std::strtoull(fields[at].c_str(), nullptr, 10) : 0;
}

std::optional<SProcStat> ReadProcStat(const std::string& folder) {
  return ReadProcStatIf(folder, [](std::string_view) { return true; });
}

std::optional<SProcStat> ReadProcStatIf(const std::string& folder,
                                        const std::function<bool(std::string_view comm)>& wanted) {
  const std::optional<std::string> text = ReadProcFile(folder + "/stat");
  if (!text) return std::nullopt;
  const size_t open = text->find('(');
  const size_t close = text->rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return std::nullopt;
  if (!wanted(std::string_view(*text).substr(open + 1, close - open - 1))) return std::nullopt;
  SProcStat stat;
  stat.comm = text->substr(open + 1, close - open - 1);
  size_t at = close + 1;
  while (at < text->size()) {
    while (at < text->size() && ((*text)[at] == ' ' || (*text)[at] == '\n')) ++at;
    const size_t end = std::min(text->find_first_of(" \n", at), text->size());
    if (end > at) stat.fields.push_back(text->substr(at, end - at));
    at = end;
  }
  if (stat.fields.size() < 22) return std::nullopt;
  return stat;
}

std::string ReadProcCommandLine(const std::string& folder, std::string& firstArgument) {
  std::string text = ReadProcFile(folder + "/cmdline").value_or(std::string());
  while (!text.empty() && text.back() == '\0') text.pop_back();
  firstArgument = text.substr(0, text.find('\0'));
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

std::string ProcessImageName(const std::string& comm, const std::string& firstArgument) {
  const std::string started = BaseName(firstArgument);
  if (!started.empty() && started.compare(0, comm.size(), comm) == 0) return started;
  return comm;
}

bool IsProcessFolderName(const char* name) {
  if (*name == '\0') return false;
  for (const char* c = name; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
  }
  return true;
}

}  // namespace quillet::platform
