#pragma once
// The script's global names: variables, constants, procedures, classes and the host's named
// objects. Slots never move (they live in blocks that are never reallocated), so a reference
// passed ByRef stays valid, and code compiled later (Execute) binds to the same slots by name.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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
  // Loops reach globals all the time: a shift and a mask find the slot.
  [[nodiscard]] SGlobal& At(int32_t slot) {
    return (*m_blocks[static_cast<size_t>(slot) >> kBlockBits])[static_cast<size_t>(slot) & kBlockMask];
  }
  [[nodiscard]] const SGlobal& At(int32_t slot) const {
    return (*m_blocks[static_cast<size_t>(slot) >> kBlockBits])[static_cast<size_t>(slot) & kBlockMask];
  }
  [[nodiscard]] size_t Count() const { return m_count; }

  // Returns the class the name meant before (null if none), so that a failed compilation can
  // put it back with RestoreClass.
  std::shared_ptr<CScriptClass> AddClass(std::shared_ptr<CScriptClass> cls);
  void RestoreClass(std::u16string_view name, std::shared_ptr<CScriptClass> previous);
  [[nodiscard]] CScriptClass* FindClass(std::u16string_view name) const;

  // Releases every value (running Class_Terminate where due) while the engine still works.
  void ClearValues();

 private:
  static constexpr size_t kBlockBits = 7;
  static constexpr size_t kBlockMask = (size_t{1} << kBlockBits) - 1;
  using Block = std::array<SGlobal, size_t{1} << kBlockBits>;
  std::vector<std::unique_ptr<Block>> m_blocks;
  size_t m_count = 0;
  std::unordered_map<std::u16string, int32_t> m_index;
  std::unordered_map<std::u16string, std::shared_ptr<CScriptClass>> m_classes;
};

}  // namespace quillet::engine
