#include "engine/objects/scripting/FileCollection.h"

#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileObject.h"
#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/scripting/FolderTree.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

std::vector<std::u16string> NamesIn(const CFileSystemContext& context, const platform::CScriptPath& folder,
                                    bool folders) {
  std::vector<std::u16string> names;
  for (const SFolderEntry& entry : ListFolder(HostPathOrThrow(context.Drives(), folder))) {
    if (entry.isFolder == folders) names.push_back(platform::FileNameToText(entry.name));
  }
  return names;
}

std::u16string ItemName(const CVariant& key) {
  const CVariant& value = key.Deref();
  if (!value.IsString()) throw CScriptError(engine::err::InvalidCall);
  std::u16string name = value.ToString();
  if (name.empty()) throw CScriptError(engine::err::InvalidCall);
  for (const char16_t c : name) {
    if (platform::IsPathSeparator(c)) throw CScriptError(err::BadFileName);
  }
  return name;
}

CFileCollection::CFileCollection(FileSystemContext context, platform::CScriptPath folder)
    : CAutomationObject(DispatchTableOf<kFilesClass>()), m_context(std::move(context)), m_folder(std::move(folder)) {}

CVariant CFileCollection::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = file_collection_id;
  switch (member.dispId) {
    case id::Count: return CVariant::Long(static_cast<int32_t>(NamesIn(*m_context, m_folder, false).size()));
    case id::Item: {
      const std::u16string name = ItemName(args[0]);
      if (!m_context->Operations().FileExists(m_folder.Child(name).Text())) throw CScriptError(err::FileNotFound);
      return CVariant::Object(new CFileObject(m_context, m_folder.Child(name)));
    }
    default: ThrowNoSuchMember();
  }
}

CEnumerator* CFileCollection::NewEnum() {
  const FileSystemContext context = m_context;
  const platform::CScriptPath folder = m_folder;
  auto names = std::make_shared<const std::vector<std::u16string>>(NamesIn(*context, folder, false));
  return new CSequenceEnumerator([context, folder, names](size_t index, CVariant& value) {
    if (index >= names->size()) return false;
    value = CVariant::Object(new CFileObject(context, folder.Child((*names)[index])));
    return true;
  });
}

}  // namespace quillet::engine
