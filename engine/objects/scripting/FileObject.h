#pragma once
// A File: a file's facts, Delete, Copy, Move and OpenAsTextStream.

#include "engine/objects/scripting/FileItemObject.h"

namespace quillet::engine {

class CFileObject : public CFileItemObject {
 public:
  CFileObject(FileSystemContext context, platform::CScriptPath path);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;
  [[nodiscard]] bool IsFolderItem() const override { return false; }
};

}  // namespace quillet::engine
