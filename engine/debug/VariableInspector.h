#pragma once
// What a stopped script shows: its frames, their scopes, and values opened level by level,
// without running script code (object members come from the member tables' getters marked free
// of side effects and from script classes' fields). Only evaluate runs code, on purpose. Every
// member runs on the script's thread while it is stopped (see CScriptDebugger::RunWhileStopped);
// references handed out stay valid until the script resumes (Forget).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/runtime/Variant.h"

namespace quillet::engine {
class CScriptEngine;
struct SFrame;
}  // namespace quillet::engine

namespace quillet::engine::debug {

class CScriptDebugger;

struct SFrameView {
  int id = 0;
  std::u16string name;  // "Global code", "Sub", "Class.Method"
  int line = 0;
  int column = 0;
};

struct SScopeView {
  std::u16string name;
  int reference = 0;
};

struct SVariableView {
  std::u16string name;
  std::u16string value;
  std::u16string type;
  int reference = 0;       // 0: nothing to open
  size_t indexedCount = 0;  // arrays: elements (or slices) below, for paging
};

// An array opened without a page is shown in groups of at most this many.
inline constexpr size_t kArrayPage = 100;

class CVariableInspector {
 public:
  CVariableInspector(CScriptEngine& engine, CScriptDebugger& debugger);

  // Innermost first; code run by Execute or Eval is not a frame of its own here.
  [[nodiscard]] std::vector<SFrameView> Frames() const;
  [[nodiscard]] std::vector<SScopeView> Scopes(int frameId);
  // False for an unknown reference. start/count page an array's elements.
  bool Variables(int reference, std::optional<size_t> start, std::optional<size_t> count,
                 std::vector<SVariableView>& out);
  // Changes a simple value from text; false with a reason for text that does not convert, an
  // object or array, or a name that is not there.
  bool SetVariable(int reference, std::u16string_view name, std::u16string_view text, SVariableView& result,
                   std::u16string& error);
  // Runs an expression in a frame's scope (the innermost when frameId is 0): nothing stops
  // meanwhile and Err is as it was afterwards.
  bool Evaluate(int frameId, std::u16string_view expression, SVariableView& result, std::u16string& error);
  // The script goes on: every reference handed out is void.
  void Forget();

  // How a value reads in the variables window.
  [[nodiscard]] static std::u16string ValueText(const CVariant& value);

 private:
  enum class EKind { Locals, Globals, Object, Array };
  struct SContainer {
    EKind kind = EKind::Locals;
    SFrame* frame = nullptr;
    CVariant value;                // the object or array
    std::vector<int32_t> prefix;   // an array: the indices chosen in its leading dimensions
    size_t from = 0;               // an array: the range of offsets in the next dimension
    size_t to = 0;
  };
  int Register(SContainer container);
  SVariableView View(std::u16string name, const CVariant& value);
  [[nodiscard]] SFrame* FrameById(int frameId) const;
  void ListLocals(SFrame& frame, std::vector<SVariableView>& out);
  void ListGlobals(std::vector<SVariableView>& out);
  void ListObject(const CVariant& object, std::vector<SVariableView>& out);
  void ListArray(const SContainer& slice, std::optional<size_t> start, std::optional<size_t> count,
                 std::vector<SVariableView>& out);
  // The variable a container lists under name, when it can be written; null otherwise.
  CVariant* WritableSlot(const SContainer& container, std::u16string_view name);

  CScriptEngine& m_engine;
  CScriptDebugger& m_debugger;
  std::vector<SContainer> m_containers;  // reference n is m_containers[n - 1]
};

}  // namespace quillet::engine::debug
