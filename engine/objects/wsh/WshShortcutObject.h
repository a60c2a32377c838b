#pragma once
// WshShortcut: a .lnk file to fill in and Save. Made over a file that exists, it starts from
// what that file holds, as on Windows. Saved on the desktop or among the user's applications,
// it gets a desktop entry beside it, so that the Linux desktop shows it too.

#include <string>

#include "engine/objects/wsh/ShellLink.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWshShortcutObject : public CAutomationObject {
 public:
  explicit CWshShortcutObject(std::u16string fullName);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  void Load(const std::u16string& path);
  void Save() const;
  void SaveDesktopEntry() const;
  [[nodiscard]] std::u16string IconLocation() const;
  void SetIconLocation(std::u16string_view text);

  std::u16string m_fullName;
  wsh::SShellLink m_link;
};

}  // namespace quillet::engine
