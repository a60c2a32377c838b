#pragma once
// The script's global names: variables, constants, procedures, classes and the host's named
// objects. Slots never move (a deque), so a reference passed ByRef stays valid, and code
// compiled later (Execute) binds to the same slots by name.

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CProcedure;
class CScriptClass;

enum class EGlobalKind { Undeclared, Variable, Const, Procedure, HostObject };

struct SGlobal {
  std::u16string name;
  EGlobalKind kind = EGlobalKind::Undeclared;
  CVariant value;
  CProcedure* procedure = nullptr;
  bool declared = false;  // by Dim or Const; a second declaration, even from ExecuteGlobal, is an error
};

class CGlobals {
 public:
  // The slot for a name, created (Undeclared) when new.
  [[nodiscard]] int32_t Intern(std::u16string_view name);
  // -1 when the name was never seen.
  [[nodiscard]] int32_t Find(std::u16string_view name) const;
  [[nodiscard]] SGlobal& At(int32_t slot) { return m_slots[static_cast<size_t>(slot)]; }
  [[nodiscard]] const SGlobal& At(int32_t slot) const { return m_slots[static_cast<size_t>(slot)]; }
  [[nodiscard]] size_t Count() const { return m_slots.size(); }

  // Returns the class the name meant before (null if none), so that a failed compilation can
  // put it back with RestoreClass.
  std::shared_ptr<CScriptClass> AddClass(std::shared_ptr<CScriptClass> cls);
  void RestoreClass(std::u16string_view name, std::shared_ptr<CScriptClass> previous);
  [[nodiscard]] CScriptClass* FindClass(std::u16string_view name) const;

  // Releases every value (running Class_Terminate where due) while the engine still works.
  void ClearValues();

 private:
  std::deque<SGlobal> m_slots;
  std::unordered_map<std::u16string, int32_t> m_index;
  std::unordered_map<std::u16string, std::shared_ptr<CScriptClass>> m_classes;
};

}  // namespace quillet::engine
