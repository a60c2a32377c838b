#include "engine/objects/scripting/FileObject.h"

#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/scripting/TextFileOpener.h"
#include "engine/objects/scripting/TextStreamObject.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

CFileObject::CFileObject(FileSystemContext context, platform::CScriptPath path)
    : CFileItemObject(DispatchTableOf<kFileClass>(), std::move(context), std::move(path)) {}

CVariant CFileObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = file_item_id;
  CVariant result;
  if (InvokeCommon(member, args, result)) return result;
  const CFileOperations& operations = m_context->Operations();
  switch (member.dispId) {
    case id::Size: return SizeValue(Facts().Size());
    case id::FileDelete: operations.DeleteFile(Path().Text(), args[0].Deref().ToBool()); return {};
    case id::FileCopy:
      operations.CopyFile(Path().Text(), args[0].Deref().ToString(), args[1].Deref().ToBool());
      return {};
    case id::FileMove: {
      const std::u16string destination = args[0].Deref().ToString();
      operations.MoveFile(Path().Text(), destination);
      MovedTo(destination);
      return {};
    }
    case id::OpenAsTextStream: {
      const std::string host = HostPath();
      (void)Facts();
      return TextStreamValue(OpenTextFile(host, args[0].Deref().ToLong(), false, args[1].Deref().ToLong()));
    }
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
