#pragma once
// Files (a folder's Files): the files in it as they are when asked, by name or For Each. The
// listing reads names only; each File reads its facts when the script asks for them.

#include <string>
#include <vector>

#include "engine/objects/scripting/FileSystemContext.h"
#include "engine/runtime/AutomationObject.h"
#include "platform/ScriptPath.h"

namespace quillet::engine {

class CFileCollection : public CAutomationObject {
 public:
  CFileCollection(FileSystemContext context, platform::CScriptPath folder);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  FileSystemContext m_context;
  platform::CScriptPath m_folder;
};

// The names of the folders (or the other entries) in a folder, in Windows' order; 76 when the
// folder is gone.
[[nodiscard]] std::vector<std::u16string> NamesIn(const CFileSystemContext& context, const platform::CScriptPath& folder,
                                                  bool folders);
// A collection's key: a name; 5 for anything else.
[[nodiscard]] std::u16string ItemName(const CVariant& key);

}  // namespace quillet::engine
