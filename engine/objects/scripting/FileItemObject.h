#pragma once
// What File and Folder objects have in common: a path as the script gave it (kept in its form),
// its name, drive and parent, its attributes, dates and type, and renaming through Name.

#include <string>

#include "engine/objects/scripting/FileFacts.h"
#include "engine/objects/scripting/FileSystemContext.h"
#include "engine/runtime/AutomationObject.h"
#include "platform/ScriptPath.h"

namespace quillet::engine {

class CFileItemObject : public CAutomationObject {
 public:
  CFileItemObject(const CDispatchTable& table, FileSystemContext context, platform::CScriptPath path);

  [[nodiscard]] const platform::CScriptPath& Path() const { return m_path; }

 protected:
  // Answers the members both share; false when the member is not one of them.
  bool InvokeCommon(const om::SMember& member, std::span<CVariant> args, CVariant& result);
  [[nodiscard]] std::string HostPath() const;
  // The facts as they are now; 53 (File) or 76 (Folder) when the item is gone.
  [[nodiscard]] CFileFacts Facts() const;
  // After a Move: where the item is now. destination is what the script gave.
  void MovedTo(std::u16string_view destination);
  [[nodiscard]] virtual bool IsFolderItem() const = 0;

  FileSystemContext m_context;

 private:
  void Rename(std::u16string_view name);
  [[nodiscard]] CVariant DriveObject() const;
  [[nodiscard]] CVariant ParentFolderObject() const;

  platform::CScriptPath m_path;
};

// A size as Windows gives it to scripts: a Long while it fits, else a Double.
[[nodiscard]] CVariant SizeValue(uint64_t bytes);

}  // namespace quillet::engine
