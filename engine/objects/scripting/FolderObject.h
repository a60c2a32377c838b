#pragma once
// A Folder: a folder's facts, the files and folders in it, Delete, Copy, Move and
// CreateTextFile.

#include "engine/objects/scripting/FileItemObject.h"

namespace quillet::engine {

class CFolderObject : public CFileItemObject {
 public:
  CFolderObject(FileSystemContext context, platform::CScriptPath path);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;
  [[nodiscard]] bool IsFolderItem() const override { return true; }
};

}  // namespace quillet::engine
