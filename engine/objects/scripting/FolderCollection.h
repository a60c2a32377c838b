#pragma once
// Folders (a folder's SubFolders): the folders in it as they are when asked, by name or For
// Each, and Add to make one.

#include "engine/objects/scripting/FileSystemContext.h"
#include "engine/runtime/AutomationObject.h"
#include "platform/ScriptPath.h"

namespace quillet::engine {

class CFolderCollection : public CAutomationObject {
 public:
  CFolderCollection(FileSystemContext context, platform::CScriptPath folder);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  FileSystemContext m_context;
  platform::CScriptPath m_folder;
};

}  // namespace quillet::engine
