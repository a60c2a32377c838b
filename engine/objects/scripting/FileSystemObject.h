#pragma once
// Scripting.FileSystemObject: paths read as Windows reads them, through the user's drive map
// (see CDriveMap), and the drives, folders, files and text streams behind them.

#include "engine/objects/scripting/FileSystemContext.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CFileSystemObject : public CAutomationObject {
 public:
  // The user's drive map, read now.
  CFileSystemObject();
  explicit CFileSystemObject(platform::CDriveMap drives);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant InvokePathName(const om::SMember& member, std::span<CVariant> args);
  CVariant GetDrive(std::u16string_view pattern);
  CVariant GetFile(std::u16string_view text);
  CVariant GetFolder(std::u16string_view text);
  CVariant OpenTextFile(std::span<CVariant> args);
  CVariant CreateTextFile(std::span<CVariant> args);
  CVariant GetStandardStream(int32_t which, bool unicode);
  CVariant GetFileVersion(std::u16string_view text);
  [[nodiscard]] std::string HostPathOf(std::u16string_view text) const;

  FileSystemContext m_context;
};

}  // namespace quillet::engine
