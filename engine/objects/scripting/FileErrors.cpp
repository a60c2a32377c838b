#include "engine/objects/scripting/FileErrors.h"

#include <cerrno>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

int ErrorNumberFor(int errorCode, EPathRole role) {
  switch (errorCode) {
    case ENOENT: return role == EPathRole::File ? err::FileNotFound : err::PathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return err::PathNotFound;
    case EEXIST:
    case ENOTEMPTY: return err::FileAlreadyExists;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case EISDIR:
    case EXDEV: return err::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return err::DiskFull;
    case EMFILE:
    case ENFILE: return err::TooManyFiles;
    case EINVAL: return engine::err::InvalidCall;
    case ENOMEM: return engine::err::OutOfMemory;
    default: return err::DeviceIoError;
  }
}

void ThrowFileError(int errorCode, EPathRole role) { throw CScriptError(ErrorNumberFor(errorCode, role)); }

std::string HostPathOrThrow(const platform::CDriveMap& drives, const platform::CScriptPath& path) {
  platform::SHostPath host = drives.ToHost(path);
  switch (host.problem) {
    case platform::EHostPathProblem::None: return std::move(host.path);
    case platform::EHostPathProblem::UnmappedDrive: throw CScriptError(err::DiskNotReady);
    case platform::EHostPathProblem::NetworkShare: throw CScriptError(err::PathNotFound);
    case platform::EHostPathProblem::BadName: throw CScriptError(err::BadFileName);
  }
  throw CScriptError(err::PathNotFound);
}

}  // namespace quillet::engine
