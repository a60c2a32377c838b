#include "platform/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace quillet::platform {
namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr int kMaxSymlinkHops = 40;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string RandomSuffix() {
  static thread_local std::mt19937 generator{std::random_device{}()};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string suffix;
  for (int i = 0; i < 4; ++i) suffix.push_back(kHex[generator() % 16]);
  return suffix;
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Renaming over a file asks only its folder's permission, so the file's own is asked here, as
// writing into it would: 0 when the target may be replaced (or does not exist yet), else errno.
int TargetRefusal(const std::string& path) {
  struct stat info{};
  if (::stat(path.c_str(), &info) != 0) return 0;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  // The superuser passes every permission check, but a file that nobody may write was made
  // read-only on purpose; as with execution, he needs at least one permission bit.
  if (::geteuid() == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  return 0;
}

}  // namespace

std::string ResolveSymlinks(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
    struct stat info{};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length <= 0) return current;
    target.resize(static_cast<size_t>(length));
    current = target.front() == '/' ? target : FolderOf(current) + "/" + target;
  }
  return current;
}

CAtomicFileWriter::CAtomicFileWriter(std::string targetPath, std::string tempPrefix)
    : m_targetPath(std::move(targetPath)), m_tempPrefix(std::move(tempPrefix)) {}

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Fail(int error) {
  if (m_error == 0) m_error = error != 0 ? error : EIO;
  return false;
}

bool CAtomicFileWriter::Open() {
  m_resolvedPath = ResolveSymlinks(m_targetPath);
  if (const int refusal = TargetRefusal(m_resolvedPath)) return Fail(refusal);
  const std::string folder = FolderOf(m_resolvedPath);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = folder + "/" + m_tempPrefix + RandomSuffix() + ".tmp";
    // 0666 lets the umask decide for a new file, as any other program's save would.
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      m_fd = fd;
      m_tempPath = std::move(candidate);
      m_buffer.reserve(kBufferSize);
      return true;
    }
    if (errno != EEXIST) return Fail(errno);
  }
  return Fail(EEXIST);
}

bool CAtomicFileWriter::FlushBuffer() {
  if (m_buffer.empty()) return true;
  const bool ok = WriteAll(m_fd, m_buffer.data(), m_buffer.size());
  m_buffer.clear();
  return ok ? true : Fail(errno);
}

bool CAtomicFileWriter::Write(const void* data, size_t size) {
  if (m_fd < 0 || m_error != 0) return Fail(EBADF);
  const char* bytes = static_cast<const char*>(data);
  if (m_buffer.size() + size > kBufferSize) {
    if (!FlushBuffer()) return false;
    if (size >= kBufferSize) return WriteAll(m_fd, bytes, size) ? true : Fail(errno);
  }
  m_buffer.insert(m_buffer.end(), bytes, bytes + size);
  return true;
}

bool CAtomicFileWriter::Commit() {
  if (m_fd < 0 || m_error != 0) return Fail(EBADF);
  if (!FlushBuffer()) return false;
  struct stat old{};
  if (::stat(m_resolvedPath.c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) return Fail(EISDIR);
    if (::fchmod(m_fd, old.st_mode & 07777) != 0) return Fail(errno);
    if (::geteuid() == 0) {
      [[maybe_unused]] const int ignored = ::fchown(m_fd, old.st_uid, old.st_gid);
    }
  }
  if (::fsync(m_fd) != 0) return Fail(errno);
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0) return Fail(errno);
  if (::rename(m_tempPath.c_str(), m_resolvedPath.c_str()) != 0) return Fail(errno);
  m_committed = true;
  // Make the rename itself durable; a failure here does not undo a save that is in place.
  const int folder = ::open(FolderOf(m_resolvedPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

void CAtomicFileWriter::Discard() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
  if (!m_committed && !m_tempPath.empty()) ::unlink(m_tempPath.c_str());
}

}  // namespace quillet::platform
