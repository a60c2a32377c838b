#include "engine/objects/scripting/TextFileOpener.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileTransfer.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

[[noreturn]] void ThrowOpenError(const std::string& hostPath, int error) {
  if (error == ENOENT) throw CScriptError(MissingPathError(hostPath, true));
  if (error == ENXIO) throw CScriptError(err::PermissionDenied);  // a pipe nobody reads
  ThrowFileError(error, EPathRole::File);
}

// Opens without waiting on a named pipe, refuses folders, then reads or writes normally.
int OpenDescriptor(const std::string& hostPath, int flags) {
  const int fd = ::open(hostPath.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) ThrowOpenError(hostPath, errno);
  struct stat info{};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    throw CScriptError(err::PermissionDenied);
  }
  ::fcntl(fd, F_SETFL, flags & O_APPEND);
  return fd;
}

std::unique_ptr<CTextFileStream> WritingStream(int fd, ETextEncoding encoding, bool byteOrderMark) {
  auto writer = std::make_unique<CTextFileWriter>(fd, true, encoding, platform::CAnsiCodePage::System());
  if (byteOrderMark) writer->WriteByteOrderMark();
  return std::make_unique<CTextFileStream>(std::move(writer));
}

// Writing over what is there: a regular file is replaced on Close; a device or pipe is written.
std::unique_ptr<CTextFileStream> ReplacingStream(const std::string& hostPath, const struct stat& existing,
                                                 ETextEncoding encoding) {
  const bool byteOrderMark = encoding == ETextEncoding::Utf16;
  if (!S_ISREG(existing.st_mode)) return WritingStream(OpenDescriptor(hostPath, O_WRONLY | O_TRUNC), encoding, byteOrderMark);
  auto replacement = std::make_unique<platform::CAtomicFileWriter>(hostPath, "rad");
  if (!replacement->Open()) ThrowOpenError(hostPath, replacement->Error());
  auto writer = std::make_unique<CTextFileWriter>(std::move(replacement), encoding, platform::CAnsiCodePage::System());
  if (byteOrderMark) writer->WriteByteOrderMark();
  return std::make_unique<CTextFileStream>(std::move(writer));
}

std::unique_ptr<CTextFileStream> NewFileStream(const std::string& hostPath, ETextEncoding encoding) {
  const int fd = ::open(hostPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == ENOENT) throw CScriptError(err::PathNotFound);
    ThrowOpenError(hostPath, errno);
  }
  return WritingStream(fd, encoding, encoding == ETextEncoding::Utf16);
}

ETextEncoding EncodingOf(int32_t format) {
  switch (format) {
    case io::TristateTrue: return ETextEncoding::Utf16;
    case io::TristateFalse:
    case io::TristateUseDefault: return ETextEncoding::Ansi;
    default: throw CScriptError(engine::err::InvalidCall);
  }
}

}  // namespace

std::unique_ptr<CTextFileStream> OpenTextFile(const std::string& hostPath, int32_t ioMode, bool create,
                                              int32_t format) {
  if (ioMode != io::ForReading && ioMode != io::ForWriting && ioMode != io::ForAppending) {
    throw CScriptError(engine::err::InvalidCall);
  }
  const ETextEncoding encoding = EncodingOf(format);
  const int createFlag = create ? O_CREAT : 0;
  if (ioMode == io::ForReading) {
    return std::make_unique<CTextFileStream>(OpenDescriptor(hostPath, O_RDONLY | createFlag), true, encoding);
  }
  if (ioMode == io::ForAppending) {
    const int fd = OpenDescriptor(hostPath, O_WRONLY | O_APPEND | createFlag);
    const off_t size = ::lseek(fd, 0, SEEK_END);
    return WritingStream(fd, encoding, encoding == ETextEncoding::Utf16 && size == 0);
  }
  struct stat existing{};
  if (::stat(hostPath.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) throw CScriptError(err::PermissionDenied);
    return ReplacingStream(hostPath, existing, encoding);
  }
  if (errno != ENOENT || !create) ThrowOpenError(hostPath, errno);
  return NewFileStream(hostPath, encoding);
}

std::unique_ptr<CTextFileStream> CreateTextFile(const std::string& hostPath, bool overwrite, bool unicode) {
  const ETextEncoding encoding = unicode ? ETextEncoding::Utf16 : ETextEncoding::Ansi;
  struct stat existing{};
  if (::stat(hostPath.c_str(), &existing) == 0) {
    if (!overwrite) throw CScriptError(err::FileAlreadyExists);
    if (S_ISDIR(existing.st_mode)) throw CScriptError(err::PermissionDenied);
    return ReplacingStream(hostPath, existing, encoding);
  }
  if (errno != ENOENT) ThrowOpenError(hostPath, errno);
  return NewFileStream(hostPath, encoding);
}

}  // namespace quillet::engine
