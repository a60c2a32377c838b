#pragma once
// A TextStream over a file (or a standard stream): the members of ITextStream answered by a
// CTextFileStream.

#include <memory>

#include "engine/objects/scripting/TextFileStream.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CTextStreamObject : public CAutomationObject {
 public:
  explicit CTextStreamObject(std::unique_ptr<CTextFileStream> stream);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::unique_ptr<CTextFileStream> m_stream;
};

// The stream as a script's value.
[[nodiscard]] CVariant TextStreamValue(std::unique_ptr<CTextFileStream> stream);

}  // namespace quillet::engine
