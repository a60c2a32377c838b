#include "engine/objects/scripting/FolderCollection.h"

#include "engine/objects/scripting/FileCollection.h"
#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/scripting/FolderObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/SequenceEnumerator.h"

namespace quillet::engine {

CFolderCollection::CFolderCollection(FileSystemContext context, platform::CScriptPath folder)
    : CAutomationObject(DispatchTableOf<kFoldersClass>()), m_context(std::move(context)), m_folder(std::move(folder)) {}

CVariant CFolderCollection::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = file_collection_id;
  switch (member.dispId) {
    case id::Count: return CVariant::Long(static_cast<int32_t>(NamesIn(*m_context, m_folder, true).size()));
    case id::Item: {
      const std::u16string name = ItemName(args[0]);
      if (!m_context->Operations().FolderExists(m_folder.Child(name).Text())) throw CScriptError(err::PathNotFound);
      return CVariant::Object(new CFolderObject(m_context, m_folder.Child(name)));
    }
    case id::Add: {
      const std::u16string name = ItemName(args[0]);
      return CVariant::Object(new CFolderObject(m_context, m_context->Operations().CreateFolder(m_folder.Child(name).Text())));
    }
    default: ThrowNoSuchMember();
  }
}

CEnumerator* CFolderCollection::NewEnum() {
  const FileSystemContext context = m_context;
  const platform::CScriptPath folder = m_folder;
  auto names = std::make_shared<const std::vector<std::u16string>>(NamesIn(*context, folder, true));
  return new CSequenceEnumerator([context, folder, names](size_t index, CVariant& value) {
    if (index >= names->size()) return false;
    value = CVariant::Object(new CFolderObject(context, folder.Child((*names)[index])));
    return true;
  });
}

}  // namespace quillet::engine
