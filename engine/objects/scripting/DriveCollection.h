#pragma once
// Drives: every letter of the drive map, in alphabetical order, by letter or For Each.

#include "engine/objects/scripting/FileSystemContext.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CDriveCollection : public CAutomationObject {
 public:
  explicit CDriveCollection(FileSystemContext context);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  FileSystemContext m_context;
};

}  // namespace quillet::engine
