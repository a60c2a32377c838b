#include "engine/objects/scripting/DriveObject.h"

#include <sys/stat.h>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/scripting/FolderObject.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

char16_t DriveLetterOf(std::u16string_view drive) {
  if (drive.empty()) return 0;
  char16_t letter = drive[0];
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  if (letter < u'A' || letter > u'Z') return 0;
  if (drive.size() == 1 || drive[1] == u':') return letter;
  return 0;
}

CDriveObject::CDriveObject(FileSystemContext context, char16_t letter)
    : CAutomationObject(DispatchTableOf<kDriveClass>()),
      m_context(std::move(context)),
      m_letter(letter >= u'a' && letter <= u'z' ? static_cast<char16_t>(letter - 32) : letter) {}

std::string CDriveObject::Folder() const {
  const std::string* folder = m_context->Drives().FolderOf(m_letter);
  if (folder == nullptr) throw CScriptError(err::DiskNotReady);
  return *folder;
}

bool CDriveObject::IsReady() const {
  const std::string* folder = m_context->Drives().FolderOf(m_letter);
  struct stat info{};
  return folder != nullptr && ::stat(folder->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

SVolumeFacts CDriveObject::Volume() const {
  int error = 0;
  const std::optional<SVolumeFacts> facts = CVolumeFacts::Read(Folder(), error);
  if (!facts) throw CScriptError(err::DiskNotReady);
  return *facts;
}

CVariant CDriveObject::InvokeMember(const om::SMember& member, std::span<CVariant>) {
  namespace id = drive_id;
  switch (member.dispId) {
    case id::Path: return CVariant::String(std::u16string{m_letter, u':'});
    case id::DriveLetter: return CVariant::String(std::u16string(1, m_letter));
    case id::ShareName: return CVariant::String(u"");
    case id::IsReady: return CVariant::Boolean(IsReady());
    case id::DriveType: return CVariant::Long(IsReady() ? static_cast<int32_t>(Volume().driveType) : 0);
    case id::RootFolder:
      if (!IsReady()) throw CScriptError(err::DiskNotReady);
      return CVariant::Object(new CFolderObject(m_context, platform::CScriptPath(std::u16string{m_letter, u':'}, {})));
    case id::AvailableSpace: return CVariant::Double(static_cast<double>(Volume().availableBytes));
    case id::FreeSpace: return CVariant::Double(static_cast<double>(Volume().freeBytes));
    case id::TotalSize: return CVariant::Double(static_cast<double>(Volume().totalBytes));
    case id::FileSystem: return CVariant::String(Volume().fileSystem);
    case id::SerialNumber: return CVariant::Long(static_cast<int32_t>(Volume().serialNumber));
    case id::VolumeName:
      if (member.kind == om::EMemberKind::PropertyLet) {
        // Linux file systems are labelled by their own tools, with the superuser's rights.
        (void)Volume();
        throw CScriptError(err::PermissionDenied);
      }
      (void)Volume();
      return CVariant::String(u"");
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
