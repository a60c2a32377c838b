#pragma once
// A Drive: a letter of the drive map with the facts of the file system behind its folder. A
// letter whose folder is missing is not ready: its space, file system and root give 71.

#include "engine/objects/scripting/FileSystemContext.h"
#include "engine/objects/scripting/VolumeFacts.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CDriveObject : public CAutomationObject {
 public:
  CDriveObject(FileSystemContext context, char16_t letter);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] std::string Folder() const;
  [[nodiscard]] bool IsReady() const;
  // 71 when the drive is not ready.
  [[nodiscard]] SVolumeFacts Volume() const;

  FileSystemContext m_context;
  char16_t m_letter;
};

// The letter that a drive name or path names: "C", "c:", "C:\" or a path on the drive; 0 for
// anything else.
[[nodiscard]] char16_t DriveLetterOf(std::u16string_view drive);

}  // namespace quillet::engine
