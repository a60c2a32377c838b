#pragma once
// WshURLShortcut: an Internet shortcut (.url), written as Windows writes one; saved on the
// desktop or among the user's applications, it gets a desktop entry of type Link beside it.

#include <string>

#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWshUrlShortcutObject : public CAutomationObject {
 public:
  explicit CWshUrlShortcutObject(std::u16string fullName);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  void Load(const std::u16string& path);
  void Save() const;

  std::u16string m_fullName;
  std::u16string m_target;
};

}  // namespace quillet::engine
