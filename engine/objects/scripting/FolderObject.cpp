#include "engine/objects/scripting/FolderObject.h"

#include "engine/objects/scripting/FileCollection.h"
#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/scripting/FolderCollection.h"
#include "engine/objects/scripting/TextFileOpener.h"
#include "engine/objects/scripting/TextStreamObject.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

CFolderObject::CFolderObject(FileSystemContext context, platform::CScriptPath path)
    : CFileItemObject(DispatchTableOf<kFolderClass>(), std::move(context), std::move(path)) {}

CVariant CFolderObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = file_item_id;
  CVariant result;
  if (InvokeCommon(member, args, result)) return result;
  const CFileOperations& operations = m_context->Operations();
  switch (member.dispId) {
    case id::Size: {
      (void)Facts();
      return SizeValue(FolderTreeSize(HostPath()));
    }
    case id::IsRootFolder: return CVariant::Boolean(Path().IsRoot());
    case id::SubFolders: return CVariant::Object(new CFolderCollection(m_context, Path()));
    case id::Files: return CVariant::Object(new CFileCollection(m_context, Path()));
    case id::FolderDelete: operations.DeleteFolder(Path().Text(), args[0].Deref().ToBool()); return {};
    case id::FolderCopy:
      operations.CopyFolder(Path().Text(), args[0].Deref().ToString(), args[1].Deref().ToBool());
      return {};
    case id::FolderMove: {
      const std::u16string destination = args[0].Deref().ToString();
      operations.MoveFolder(Path().Text(), destination);
      MovedTo(destination);
      return {};
    }
    case id::CreateTextFile: {
      // A relative name is a file of this folder.
      const platform::CScriptPath file = m_context->Drives().Absolute(args[0].Deref().ToString(), HostPath());
      return TextStreamValue(CreateTextFile(HostPathOrThrow(m_context->Drives(), file), args[1].Deref().ToBool(),
                                            args[2].Deref().ToBool()));
    }
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
