#pragma once
// Runs compiled procedures. A call from C++ (an object's member, Class_Terminate, the host) is
// one nested Execute; a call from script code to a procedure enters its frame inside the
// running Execute. Errors travel as CScriptError and are caught only in Execute, where each
// frame's On Error state, innermost first, decides whether the script goes on at the next
// statement or the error passes to the caller. Debugging costs one test per statement while
// nobody asks: the trap flag.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/runtime/DispatchObject.h"
#include "engine/vm/Globals.h"
#include "engine/vm/Procedure.h"
#include "engine/vm/ValueArena.h"
#include "engine/vm/ValueStack.h"
#include "engine/runtime/ScriptClass.h"

namespace quillet::engine {

class CClassInstance;
class CErrObject;
class CScriptError;
struct SCompiledUnit;
struct SFrame;

// Thrown to end the script at once (WScript.Quit, time-out, step bound); never catchable by
// On Error Resume Next.
struct SScriptStop {
  int exitCode = 0;
  bool timedOut = false;
};

// What a debugger (engine/debug) is told, always on the script's thread. It may block there for
// as long as the script is to stay stopped.
class IDebugHooks {
 public:
  virtual ~IDebugHooks() = default;
  // A statement is about to run and the break trap is armed.
  virtual void OnStatement(SFrame& frame, const SStatementPos& pos) = 0;
  // A Stop statement runs.
  virtual void OnStopStatement(SFrame& frame) = 0;
  // A runtime error that no frame's On Error Resume Next will take, before anything unwinds:
  // true goes on after the statement in error, false lets the error end the script.
  virtual bool OnUnhandledError(SFrame& frame, const CScriptError& error) = 0;
};

struct SFrame {
  SFrame() = default;
  SFrame(const SFrame&) = delete;
  SFrame& operator=(const SFrame&) = delete;
  ~SFrame() { Unpin(); }
  void Unpin() {
    if (!pinned.empty()) UnpinAll();
  }
  // Empties the locals, then the stack (only up to its top: the room above is always Empty).
  void ClearValues() noexcept {
    for (CVariant& value : locals) value.Clear();
    stack.clear();
  }
  void UnpinAll();
  // The names an undeclared variable of a procedure gets, made on first use: most calls have none.
  [[nodiscard]] std::unordered_map<std::u16string, CVariant>& ImplicitLocals() {
    if (!implicitLocals) implicitLocals = std::make_unique<std::unordered_map<std::u16string, CVariant>>();
    return *implicitLocals;
  }
  [[nodiscard]] CVariant* FindImplicitLocal(const std::u16string& key) {
    if (!implicitLocals) return nullptr;
    auto it = implicitLocals->find(key);
    return it == implicitLocals->end() ? nullptr : &it->second;
  }

  const CProcedure* proc = nullptr;
  CClassInstance* me = nullptr;
  std::span<CVariant> locals;  // in the virtual machine's arena, as is the stack's room
  CValueStack stack;
  std::unique_ptr<std::unordered_map<std::u16string, CVariant>> implicitLocals;
  std::vector<CVariant> pinned;  // arrays whose elements are passed ByRef in this statement
  SFrame* scope = nullptr;  // dynamic code: the frame whose names it works on
  uint32_t pc = 0;
  uint32_t statement = 0;
  bool resumeNext = false;
};

class CVirtualMachine {
 public:
  CVirtualMachine(CGlobals& globals, CErrObject& err);
  ~CVirtualMachine();
  CVirtualMachine(const CVirtualMachine&) = delete;
  CVirtualMachine& operator=(const CVirtualMachine&) = delete;

  // Runs a procedure with arguments (references allowed) and returns its result.
  CVariant Call(const CProcedure& proc, CClassInstance* me, std::span<CVariant> args);
  CVariant RunGlobalCode(const CProcedure& proc) { return Call(proc, nullptr, {}); }
  // Class_Terminate; errors inside it are dropped, as Windows does.
  void RunTerminate(CClassInstance& instance) noexcept;

  // The hook runs before a statement whenever the trap is set.
  using StatementHook = std::function<void(const SFrame&, const SStatementPos&)>;
  void SetStatementHook(StatementHook hook);
  void RequestStop(bool timedOut);
  // Ends the script with a stop once this many statements ran (0: no bound).
  void SetStepLimit(uint64_t steps);
  // The debugger sees statements only while its trap is armed, so that a script it runs without
  // breakpoints pays what a script without a debugger pays. Arming works from any thread (a
  // pause); disarming only from the script's own.
  void AttachDebugger(IDebugHooks* hooks);
  void ArmBreakTrap(bool armed);
  // An expression in a frame's scope, as Eval would compute it there.
  CVariant EvaluateIn(SFrame& frame, std::u16string_view expression) { return Eval(frame, expression); }
  void SetMaxCallDepth(int depth) { m_maxDepth = depth; }
  [[nodiscard]] int CallDepth() const { return m_depth; }
  [[nodiscard]] const std::vector<SFrame*>& Frames() const { return m_frames; }
  [[nodiscard]] CGlobals& Globals() { return m_globals; }

 private:
  // A frame's locals and stack room, taken from the arena for as long as the frame runs.
  class CFrameStorage {
   public:
    CFrameStorage(CVirtualMachine& vm, SFrame& frame);
    ~CFrameStorage();
    CFrameStorage(const CFrameStorage&) = delete;
    CFrameStorage& operator=(const CFrameStorage&) = delete;

   private:
    CVirtualMachine& m_vm;
    SFrame& m_frame;
    CValueArena::SMark m_mark;
  };

  void Execute(SFrame& frame);
  // The dispatch loop (VmDispatch.cpp): runs outer, and the frames that calls from it enter
  // (above inlineBase), until outer returns.
  void Run(SFrame& outer, size_t inlineBase);
  // The innermost entered frame returned: back in its caller, whose call instruction takes its
  // arguments off and the result on.
  SFrame& ReturnToCaller();

  // A call of a global procedure from script code enters the procedure's frame in the same Run,
  // without a C++ call: calls cost much less, and deep recursion uses no machine stack. Errors
  // unwind these frames in Execute as they would unwind nested calls.
  struct SInlineFrame {
    SFrame frame;
    CValueArena::SMark mark;
    CVariant self;  // keeps Me alive while its code runs
    // What the return does to the caller's stack: the values its call instruction takes off,
    // and whether the result goes on. Kept here, so that a return need not decode the call.
    uint32_t dropOnReturn = 0;
    bool resultOnReturn = false;
    SFrame* caller = nullptr;  // the frame the return goes back to
  };
  SFrame& EnterInline(SFrame& caller, const CProcedure& proc, std::span<CVariant> args, CClassInstance* me,
                      uint32_t dropOnReturn, bool resultOnReturn);
  // The procedure a member call on a script class runs, when it can be entered in place (a
  // method, or a property's Get, Let or Set); null when the general way must take it. A Let's
  // value is converted on the stack first, as the general way would.
  const CProcedure* MemberToEnter(const CProcedure& proc, int32_t nameIndex, CDispatchObject& target,
                                  EInvokeKind kind, std::span<CVariant> args, bool inside);
  // Leaves the innermost entered frame; returns its result.
  CVariant LeaveInline();
  [[nodiscard]] SFrame& CurrentFrame(SFrame& outer, size_t inlineBase) {
    return m_inlineCount > inlineBase ? m_inlineFrames[m_inlineCount - 1]->frame : outer;
  }
  static void PassArguments(const CProcedure& proc, std::span<CVariant> locals, std::span<CVariant> args,
                            bool consume);
  CVariant NewObject(std::u16string_view className);
  CVariant* FastElement(SFrame& f, EVarKind kind, int32_t a, const CVariant& index);
  CVariant InvokeNamed(const CProcedure& proc, int32_t nameIndex, CDispatchObject& target, EInvokeKind kind,
                       std::span<CVariant> args, bool inside);
  // The For loop's Next: false when the loop is done.
  bool StepFor(SFrame& frame, SInstr in);
  void OnTrap(SFrame& frame, const SStatementPos& pos);
  void UpdateTrap();
  [[nodiscard]] bool AnyFrameResumesAfterErrors() const;
  void ResumeAfterError(SFrame& frame);

  // ---- variables
  // Declare: ReDim, which declares the name it sizes even under Option Explicit.
  enum class EAccess { Read, Write, Declare };
  CVariant& Slot(SFrame& frame, EVarKind kind, int32_t a, EAccess access);
  CVariant LoadVar(SFrame& frame, EVarKind kind, int32_t a);
  [[nodiscard]] bool IsReadOnlyGlobal(const SFrame& frame, EVarKind kind, int32_t a) const;
  void StoreVar(SFrame& frame, EVarKind kind, int32_t a, CVariant value, bool isSet, bool raw);
  CVariant CallVar(SFrame& frame, EVarKind kind, int32_t a, std::span<CVariant> args, bool wantRef);
  void StoreIndexed(SFrame& frame, EVarKind kind, int32_t a, std::span<CVariant> args, const CVariant& value, bool isSet);
  void Dimension(SFrame& frame, EVarKind kind, int32_t a, std::span<CVariant> bounds, int mode);
  [[nodiscard]] std::u16string NameOf(const SFrame& frame, EVarKind kind, int32_t a) const;
  [[nodiscard]] static SFrame& NameScope(SFrame& frame) { return frame.scope != nullptr ? *frame.scope : frame; }

  // ---- dynamic code: DynamicCode.cpp
  CVariant RunDynamic(SFrame& caller, EDynamic kind, std::span<CVariant> args);
  CVariant Eval(SFrame& caller, std::u16string_view text);
  void ExecuteText(SFrame& caller, std::u16string_view text, bool global);
  CVariant GetRef(std::u16string_view name);
  void RunInScope(SFrame& caller, const CProcedure& proc, CVariant* result);
  static void KeepDeclaredLocals(SFrame& body, size_t shared, SFrame& scope);

  CGlobals& m_globals;
  CErrObject& m_err;
  std::vector<SFrame*> m_frames;
  StatementHook m_hook;
  IDebugHooks* m_debugger = nullptr;
  std::atomic<bool> m_breakArmed{false};
  std::atomic<bool> m_trap{false};
  std::atomic<bool> m_stopRequested{false};
  bool m_timedOut = false;
  uint64_t m_stepLimit = 0;
  uint64_t m_steps = 0;
  int m_depth = 0;
  int m_maxDepth = 3000;
  // Code compiled by Execute that declared procedures or classes: they live as long as the script.
  std::vector<std::unique_ptr<SCompiledUnit>> m_dynamicUnits;
  CValueArena m_arena;
  std::vector<std::unique_ptr<SInlineFrame>> m_inlineFrames;  // reused; the first m_inlineCount are in use
  size_t m_inlineCount = 0;
};

// Values that go into a variable by Let: an object gives its default value, an array is copied.
[[nodiscard]] CVariant LetValue(const CVariant& value);
// Applies arguments to a value: an array element, an object's default member.
[[nodiscard]] CVariant ApplyArgs(const CVariant& value, std::span<CVariant> args, const std::u16string& name);
// target(args) = value: an array element, or an object's default member given the arguments.
void AssignApplied(const CVariant& target, std::span<CVariant> args, const CVariant& value, bool isSet);
// The element of an array named by Variant indices.
[[nodiscard]] CVariant& ArrayElement(CSafeArray& array, std::span<CVariant> args);

}  // namespace quillet::engine
