#pragma once
// What the script outline asks of the object browser. The outline keeps the script library's
// groups and members itself (appends new ones before it announces them, erases vanished ones
// after it announced their removal); the browser only mirrors them in its tree, so that a tick
// in which nothing changed touches no tree item at all.

#include <string>
#include <vector>

namespace quillet::typeinfo {
class CTypeLib;
class CTypeLibGroup;
class CTypeLibMember;
}  // namespace quillet::typeinfo

namespace quillet::intellisense {

class IScriptOutlineBrowser {
 public:
  virtual ~IScriptOutlineBrowser() = default;

  // "Active Script": its first group is "Global code".
  [[nodiscard]] virtual typeinfo::CTypeLib& ScriptLibrary() = 0;
  // The group was just appended to the script library.
  virtual void InsertScriptGroup(typeinfo::CTypeLibGroup& group) = 0;
  // The member was just appended to the group.
  virtual void InsertScriptMember(typeinfo::CTypeLibGroup& group, typeinfo::CTypeLibMember& member) = 0;
  // Called while the group (and its members) still exist; the outline erases it afterwards.
  virtual void RemoveScriptGroup(typeinfo::CTypeLibGroup& group) = 0;
  virtual void RemoveScriptMember(typeinfo::CTypeLibGroup& group, typeinfo::CTypeLibMember& member) = 0;
  // The selected item's description is built again from what it now points to.
  virtual void RefreshDescription() = 0;

  // The libraries loaded from files (and the script host's), in the browser's order.
  [[nodiscard]] virtual std::vector<typeinfo::CTypeLib*> LoadedLibraries() = 0;
  // Loads and shows a library; the browser owns it until RemoveLibrary.
  virtual typeinfo::CTypeLib& AddLibrary(const std::u16string& path) = 0;
  virtual void RemoveLibrary(typeinfo::CTypeLib& library) = 0;
};

}  // namespace quillet::intellisense
