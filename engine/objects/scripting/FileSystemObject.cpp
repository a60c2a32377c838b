#include "engine/objects/scripting/FileSystemObject.h"

#include <sys/stat.h>

#include <cerrno>

#include "engine/objects/scripting/DriveCollection.h"
#include "engine/objects/scripting/DriveObject.h"
#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileObject.h"
#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/scripting/FileTransfer.h"
#include "engine/objects/scripting/FolderObject.h"
#include "engine/objects/scripting/PathNames.h"
#include "engine/objects/scripting/SpecialFolders.h"
#include "engine/objects/scripting/TextFileOpener.h"
#include "engine/objects/scripting/TextStreamObject.h"
#include "engine/runtime/ScriptError.h"
#include "platform/PeFileVersion.h"

namespace quillet::engine {

namespace {

std::u16string Text(std::span<CVariant> args, size_t index) { return args[index].Deref().ToString(); }
bool Flag(std::span<CVariant> args, size_t index) { return args[index].Deref().ToBool(); }

}  // namespace

CFileSystemObject::CFileSystemObject() : CFileSystemObject(platform::CDriveMap::ForUser()) {}

CFileSystemObject::CFileSystemObject(platform::CDriveMap drives)
    : CAutomationObject(DispatchTableOf<kFileSystemObjectClass>()),
      m_context(std::make_shared<const CFileSystemContext>(std::move(drives))) {}

std::string CFileSystemObject::HostPathOf(std::u16string_view text) const {
  const CFileOperations& operations = m_context->Operations();
  return operations.HostPath(operations.Absolute(text));
}

CVariant CFileSystemObject::InvokePathName(const om::SMember& member, std::span<CVariant> args) {
  namespace id = file_system_id;
  switch (member.dispId) {
    case id::BuildPath: return CVariant::String(BuildPath(Text(args, 0), Text(args, 1)));
    case id::GetDriveName: return CVariant::String(GetDriveName(Text(args, 0)));
    case id::GetParentFolderName: return CVariant::String(GetParentFolderName(Text(args, 0)));
    case id::GetFileName: return CVariant::String(GetFileName(Text(args, 0)));
    case id::GetBaseName: return CVariant::String(GetBaseName(Text(args, 0)));
    case id::GetExtensionName: return CVariant::String(GetExtensionName(Text(args, 0)));
    case id::GetAbsolutePathName: return CVariant::String(m_context->Operations().Absolute(Text(args, 0)).Text());
    case id::GetTempName: return CVariant::String(NewTempName());
    default: ThrowNoSuchMember();
  }
}

CVariant CFileSystemObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = file_system_id;
  const CFileOperations& operations = m_context->Operations();
  switch (member.dispId) {
    case id::Drives: return CVariant::Object(new CDriveCollection(m_context));
    case id::DriveExists: return CVariant::Boolean(operations.DriveExists(Text(args, 0)));
    case id::FileExists: return CVariant::Boolean(operations.FileExists(Text(args, 0)));
    case id::FolderExists: return CVariant::Boolean(operations.FolderExists(Text(args, 0)));
    case id::GetDrive: return GetDrive(Text(args, 0));
    case id::GetFile: return GetFile(Text(args, 0));
    case id::GetFolder: return GetFolder(Text(args, 0));
    case id::GetSpecialFolder:
      return CVariant::Object(
          new CFolderObject(m_context, SpecialFolderPath(args[0].Deref().ToLong(), m_context->Drives())));
    case id::DeleteFile: operations.DeleteFile(Text(args, 0), Flag(args, 1)); return {};
    case id::DeleteFolder: operations.DeleteFolder(Text(args, 0), Flag(args, 1)); return {};
    case id::MoveFile: operations.MoveFile(Text(args, 0), Text(args, 1)); return {};
    case id::MoveFolder: operations.MoveFolder(Text(args, 0), Text(args, 1)); return {};
    case id::CopyFile: operations.CopyFile(Text(args, 0), Text(args, 1), Flag(args, 2)); return {};
    case id::CopyFolder: operations.CopyFolder(Text(args, 0), Text(args, 1), Flag(args, 2)); return {};
    case id::CreateFolder: return CVariant::Object(new CFolderObject(m_context, operations.CreateFolder(Text(args, 0))));
    case id::CreateTextFile: return CreateTextFile(args);
    case id::OpenTextFile: return OpenTextFile(args);
    case id::GetStandardStream: return GetStandardStream(args[0].Deref().ToLong(), Flag(args, 1));
    case id::GetFileVersion: return GetFileVersion(Text(args, 0));
    default: return InvokePathName(member, args);
  }
}

CVariant CFileSystemObject::GetDrive(std::u16string_view pattern) {
  if (pattern.size() >= 2 && platform::IsPathSeparator(pattern[0]) && platform::IsPathSeparator(pattern[1])) {
    throw CScriptError(err::PathNotFound);  // network shares are not reached from here
  }
  const char16_t letter = DriveLetterOf(pattern);
  // Only a letter, "C:" or "C:\" names a drive.
  if (letter == 0 || pattern.size() > 3 || (pattern.size() == 3 && !platform::IsPathSeparator(pattern[2]))) {
    throw CScriptError(engine::err::InvalidCall);
  }
  if (m_context->Drives().Letters().find(letter) == std::u16string::npos) throw CScriptError(err::DiskNotReady);
  return CVariant::Object(new CDriveObject(m_context, letter));
}

CVariant CFileSystemObject::GetFile(std::u16string_view text) {
  platform::CScriptPath path = m_context->Operations().Absolute(text);
  const std::string host = m_context->Operations().HostPath(path);
  struct stat info{};
  if (::stat(host.c_str(), &info) != 0) {
    if (errno == ENOENT) throw CScriptError(MissingPathError(host, true));
    ThrowFileError(errno, EPathRole::File);
  }
  if (S_ISDIR(info.st_mode)) throw CScriptError(err::FileNotFound);
  return CVariant::Object(new CFileObject(m_context, std::move(path)));
}

CVariant CFileSystemObject::GetFolder(std::u16string_view text) {
  platform::CScriptPath path = m_context->Operations().Absolute(text);
  const std::string host = m_context->Operations().HostPath(path);
  struct stat info{};
  if (::stat(host.c_str(), &info) != 0) ThrowFileError(errno, EPathRole::Folder);
  if (!S_ISDIR(info.st_mode)) throw CScriptError(err::PathNotFound);
  return CVariant::Object(new CFolderObject(m_context, std::move(path)));
}

CVariant CFileSystemObject::OpenTextFile(std::span<CVariant> args) {
  const std::string host = HostPathOf(Text(args, 0));
  return TextStreamValue(engine::OpenTextFile(host, args[1].Deref().ToLong(), Flag(args, 2), args[3].Deref().ToLong()));
}

CVariant CFileSystemObject::CreateTextFile(std::span<CVariant> args) {
  const std::string host = HostPathOf(Text(args, 0));
  return TextStreamValue(engine::CreateTextFile(host, Flag(args, 1), Flag(args, 2)));
}

CVariant CFileSystemObject::GetStandardStream(int32_t which, bool unicode) {
  const ETextEncoding encoding = unicode ? ETextEncoding::Utf16 : ETextEncoding::Ansi;
  switch (which) {
    case 0: return TextStreamValue(std::make_unique<CTextFileStream>(0, false, encoding));
    case 1:
    case 2: {
      auto writer = std::make_unique<CTextFileWriter>(which, false, encoding, platform::CAnsiCodePage::System());
      // Text reaches the console as it is written, in order with what the host writes.
      writer->SetFlushEachWrite(true);
      return TextStreamValue(std::make_unique<CTextFileStream>(std::move(writer)));
    }
    default: throw CScriptError(engine::err::InvalidCall);
  }
}

CVariant CFileSystemObject::GetFileVersion(std::u16string_view text) {
  const std::string host = HostPathOf(text);
  int error = 0;
  const std::optional<std::string> version = platform::ReadPeFileVersion(host, error);
  if (!version) {
    if (error == ENOENT) throw CScriptError(MissingPathError(host, true));
    ThrowFileError(error, EPathRole::File);
  }
  return CVariant::String(std::u16string(version->begin(), version->end()));
}

}  // namespace quillet::engine
