#include "engine/objects/scripting/FileItemObject.h"

#include <cerrno>
#include <cstdio>

#include "engine/objects/scripting/DriveObject.h"
#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/scripting/FileTransfer.h"
#include "engine/objects/scripting/FileTypeNames.h"
#include "engine/objects/scripting/FolderObject.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

CVariant SizeValue(uint64_t bytes) {
  if (bytes <= static_cast<uint64_t>(INT32_MAX)) return CVariant::Long(static_cast<int32_t>(bytes));
  return CVariant::Double(static_cast<double>(bytes));
}

CFileItemObject::CFileItemObject(const CDispatchTable& table, FileSystemContext context, platform::CScriptPath path)
    : CAutomationObject(table), m_context(std::move(context)), m_path(std::move(path)) {}

std::string CFileItemObject::HostPath() const { return HostPathOrThrow(m_context->Drives(), m_path); }

CFileFacts CFileItemObject::Facts() const {
  const std::string host = HostPath();
  int error = 0;
  std::optional<CFileFacts> facts = CFileFacts::Read(host, error);
  if (!facts) {
    if (error == ENOENT) throw CScriptError(IsFolderItem() ? err::PathNotFound : MissingPathError(host, true));
    ThrowFileError(error, IsFolderItem() ? EPathRole::Folder : EPathRole::File);
  }
  return *facts;
}

void CFileItemObject::MovedTo(std::u16string_view destination) {
  platform::CScriptPath target = m_context->Operations().Absolute(destination);
  if (!destination.empty() && platform::IsPathSeparator(destination.back())) target = target.Child(m_path.Name());
  m_path = std::move(target);
}

void CFileItemObject::Rename(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") throw CScriptError(engine::err::InvalidCall);
  for (const char16_t c : name) {
    if (platform::IsPathSeparator(c) || c == u'\0') throw CScriptError(err::BadFileName);
  }
  if (m_path.IsRoot()) throw CScriptError(err::PermissionDenied);
  const std::string from = HostPath();
  (void)Facts();  // an item that is gone cannot be renamed
  platform::CScriptPath renamed = m_path.Parent().Child(name);
  const std::string to = HostPathOrThrow(m_context->Drives(), renamed);
  // Only the case of the name changes: the same file, which a rename may keep.
  if (to != from) {
    if (const int error = RenameWithoutReplacing(from, to)) {
      ThrowFileError(error, IsFolderItem() ? EPathRole::Folder : EPathRole::File);
    }
  }
  m_path = std::move(renamed);
}

CVariant CFileItemObject::DriveObject() const {
  char16_t letter = m_path.DriveLetter();
  if (letter == 0) letter = m_context->Drives().LetterHolding(HostPath());
  if (letter == 0) return CVariant::Object(nullptr);
  return CVariant::Object(new CDriveObject(m_context, letter));
}

CVariant CFileItemObject::ParentFolderObject() const {
  if (m_path.IsRoot()) return CVariant::Object(nullptr);
  return CVariant::Object(new CFolderObject(m_context, m_path.Parent()));
}

bool CFileItemObject::InvokeCommon(const om::SMember& member, std::span<CVariant> args, CVariant& result) {
  namespace id = file_item_id;
  const bool assigns = member.kind == om::EMemberKind::PropertyLet;
  switch (member.dispId) {
    case id::Path:
    case id::ShortPath: result = CVariant::String(m_path.Text()); return true;
    case id::Name:
    case id::ShortName:
      if (assigns) {
        Rename(args[0].Deref().ToString());
        result = {};
      } else {
        result = CVariant::String(m_path.Name());
      }
      return true;
    case id::Drive: result = DriveObject(); return true;
    case id::ParentFolder: result = ParentFolderObject(); return true;
    case id::Attributes:
      if (assigns) {
        const int32_t wanted = args[0].Deref().ToLong();
        (void)Facts();
        if (const int error = SetReadOnly(HostPath(), (wanted & attr::ReadOnly) != 0)) {
          ThrowFileError(error, IsFolderItem() ? EPathRole::Folder : EPathRole::File);
        }
        result = {};
      } else {
        result = CVariant::Long(Facts().Attributes(m_path.Name()));
      }
      return true;
    case id::DateCreated: result = CVariant::Date(Facts().DateCreated()); return true;
    case id::DateLastModified: result = CVariant::Date(Facts().DateLastModified()); return true;
    case id::DateLastAccessed: result = CVariant::Date(Facts().DateLastAccessed()); return true;
    case id::Type: result = CVariant::String(FileTypeName(m_path.Name(), IsFolderItem())); return true;
    default: return false;
  }
}

}  // namespace quillet::engine
