#include "engine/objects/scripting/FileTransfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/runtime/ScriptError.h"
#include "platform/AtomicFileWriter.h"

namespace quillet::engine {
namespace {

constexpr size_t kCopyBlock = 1 << 18;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

class CFileDescriptor {
 public:
  explicit CFileDescriptor(int fd) : m_fd(fd) {}
  ~CFileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  CFileDescriptor(const CFileDescriptor&) = delete;
  CFileDescriptor& operator=(const CFileDescriptor&) = delete;
  [[nodiscard]] int Get() const { return m_fd; }

 private:
  int m_fd;
};

[[noreturn]] void ThrowSourceError(const std::string& source, int error) {
  if (error == ENOENT) throw CScriptError(MissingPathError(source, true));
  ThrowFileError(error, EPathRole::File);
}

// The target's folder is named by the script too: a missing one is "Path not found".
[[noreturn]] void ThrowTargetError(int error) { ThrowFileError(error, EPathRole::Folder); }

}  // namespace

int MissingPathError(const std::string& hostPath, bool isFile) {
  struct stat info{};
  const bool folderThere = ::stat(FolderOf(hostPath).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  return folderThere && isFile ? err::FileNotFound : err::PathNotFound;
}

bool PathIsTaken(const std::string& hostPath) {
  struct stat info{};
  return ::lstat(hostPath.c_str(), &info) == 0;
}

int RenameWithoutReplacing(const std::string& source, const std::string& target) {
#ifdef SYS_renameat2
  constexpr unsigned kNoReplace = 1;  // RENAME_NOREPLACE
  if (::syscall(SYS_renameat2, AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), kNoReplace) == 0) return 0;
  // File systems that cannot promise it say so; then the check below is the best there is.
  if (errno != EINVAL && errno != ENOSYS) return errno;
#endif
  if (PathIsTaken(target)) return EEXIST;
  return std::rename(source.c_str(), target.c_str()) == 0 ? 0 : errno;
}

void CopyOneFile(const std::string& source, const std::string& target, bool overwrite) {
  // Not blocking keeps a named pipe from stalling the open; it is refused below anyway.
  CFileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (in.Get() < 0) ThrowSourceError(source, errno);
  struct stat from{};
  if (::fstat(in.Get(), &from) != 0) ThrowSourceError(source, errno);
  if (S_ISDIR(from.st_mode)) throw CScriptError(err::FileNotFound);
  if (!S_ISREG(from.st_mode)) throw CScriptError(err::PermissionDenied);
  ::fcntl(in.Get(), F_SETFL, 0);

  struct stat to{};
  if (::stat(target.c_str(), &to) == 0) {
    if (S_ISDIR(to.st_mode) || (to.st_dev == from.st_dev && to.st_ino == from.st_ino)) {
      throw CScriptError(err::PermissionDenied);
    }
    if (!overwrite) throw CScriptError(err::FileAlreadyExists);
  }
  platform::CAtomicFileWriter writer(target, "rad");
  if (!writer.Open()) ThrowTargetError(writer.Error());
  std::vector<char> block(kCopyBlock);
  while (true) {
    const ssize_t count = ::read(in.Get(), block.data(), block.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) ThrowFileError(errno, EPathRole::File);
    if (count == 0) break;
    if (!writer.Write(block.data(), static_cast<size_t>(count))) ThrowTargetError(writer.Error());
  }
  if (!writer.Commit()) ThrowTargetError(writer.Error());
  // Windows copies the attributes and the time of the last change with the contents.
  const std::string& written = writer.ResolvedPath();
  [[maybe_unused]] const int modeResult = ::chmod(written.c_str(), from.st_mode & 07777);
  const timespec times[2] = {{0, UTIME_NOW}, from.st_mtim};
  [[maybe_unused]] const int timeResult = ::utimensat(AT_FDCWD, written.c_str(), times, 0);
}

void MoveOneFile(const std::string& source, const std::string& target) {
  struct stat info{};
  if (::lstat(source.c_str(), &info) != 0) ThrowSourceError(source, errno);
  if (S_ISDIR(info.st_mode)) throw CScriptError(err::FileNotFound);
  if (PathIsTaken(target)) throw CScriptError(err::FileAlreadyExists);
  const int error = RenameWithoutReplacing(source, target);
  if (error == 0) return;
  if (error != EXDEV) ThrowTargetError(error);
  CopyOneFile(source, target, false);
  if (::unlink(source.c_str()) != 0) {
    // Leave one file, not two: the move did not happen.
    const int unlinkError = errno;
    ::unlink(target.c_str());
    ThrowFileError(unlinkError, EPathRole::File);
  }
}

}  // namespace quillet::engine
