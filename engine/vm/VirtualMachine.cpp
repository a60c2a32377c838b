#include "engine/vm/VirtualMachine.h"
#include "engine/vm/FrameSwitch.h"

#include <array>
#include <new>

#include "engine/runtime/ClassInstance.h"
#include "engine/compiler/Compiler.h"
#include "engine/runtime/ErrObject.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/VariantOps.h"

namespace quillet::engine {

namespace {

struct SDepthGuard {
  SDepthGuard(int& depth, std::vector<SFrame*>& frames, SFrame* frame) : m_depth(depth), m_frames(frames) {
    ++m_depth;
    m_frames.push_back(frame);
  }
  ~SDepthGuard() {
    --m_depth;
    m_frames.pop_back();
  }
  SDepthGuard(const SDepthGuard&) = delete;
  SDepthGuard& operator=(const SDepthGuard&) = delete;
  int& m_depth;
  std::vector<SFrame*>& m_frames;
};

}  // namespace

void SFrame::UnpinAll() {
  for (auto& pin : pinned) pin.AsArray()->Unlock();
  pinned.clear();
}

CVariant LetValue(const CVariant& value) {
  const CVariant& v = value.Deref();
  if (v.IsObject()) {
    if (v.AsObject() == nullptr) throw CScriptError(err::ObjectNotSet);
    return LetValue(v.AsObject()->Invoke(u"", EInvokeKind::Get, {}));
  }
  if (v.IsArray()) {
    CSafeArray* copy = v.AsArray()->Clone();
    return CVariant::Array(copy);
  }
  return v;
}

CVariant& ArrayElement(CSafeArray& array, std::span<CVariant> args) {
  // Indexing is hot in loops: the indices live on the stack, not in a heap vector.
  std::array<int32_t, 64> indices{};
  if (args.size() > indices.size()) throw CScriptError(err::SubscriptRange);
  for (size_t i = 0; i < args.size(); ++i) indices[i] = args[i].Deref().ToLong();
  return array.Element(std::span<const int32_t>(indices.data(), args.size()));
}

CVariant ApplyArgs(const CVariant& value, std::span<CVariant> args, const std::u16string& name) {
  const CVariant& v = value.Deref();
  if (args.empty() && !v.IsObject()) return v;
  if (v.IsArray()) return ArrayElement(*v.AsArray(), args);
  if (v.IsObject()) {
    if (v.AsObject() == nullptr) throw CScriptError(err::ObjectNotSet);
    if (args.empty()) return v;
    return v.AsObject()->Invoke(u"", EInvokeKind::Get, args);
  }
  throw CScriptError(err::TypeMismatch, name.empty() ? std::u16string() : u"Type mismatch: '" + name + u"'");
}

void AssignApplied(const CVariant& target, std::span<CVariant> args, const CVariant& value, bool isSet) {
  // Held, not referred to: converting the value or the call may run script code that drops
  // the variable's array or object.
  const CVariant held = target.Deref();
  if (held.IsArray()) {
    CVariant stored = isSet ? value.Deref() : LetValue(value);
    if (isSet && !stored.IsObject()) throw CScriptError(err::ObjectRequired);
    ArrayElement(*held.AsArray(), args) = std::move(stored);
    return;
  }
  if (held.IsObject() && held.AsObject() != nullptr) {
    std::vector<CVariant> all(args.begin(), args.end());
    all.push_back(value.Deref());
    (void)held.AsObject()->Invoke(u"", isSet ? EInvokeKind::Set : EInvokeKind::Let, all);
    return;
  }
  if (held.IsObject()) throw CScriptError(err::ObjectNotSet);
  throw CScriptError(err::TypeMismatch);
}

CVirtualMachine::CVirtualMachine(CGlobals& globals, CErrObject& err) : m_globals(globals), m_err(err) {}

CVirtualMachine::~CVirtualMachine() = default;

// Calls are frequent: the arena hands out room without allocating once it has grown to the
// script's depth.
CVirtualMachine::CFrameStorage::CFrameStorage(CVirtualMachine& vm, SFrame& frame) : m_vm(vm), m_frame(frame) {
  const size_t locals = frame.proc->LocalCount();
  const std::span<CVariant> values = vm.m_arena.Take(locals + frame.proc->StackDepth(), m_mark);
  frame.locals = values.first(locals);
  frame.stack.Attach(values.subspan(locals));
}

CVirtualMachine::CFrameStorage::~CFrameStorage() {
  m_frame.Unpin();
  m_frame.ClearValues();
  m_vm.m_arena.GiveBack(m_mark);
}

void CVirtualMachine::UpdateTrap() {
  m_trap = m_hook != nullptr || m_stepLimit != 0 || m_stopRequested || (m_debugger != nullptr && m_breakArmed);
}

void CVirtualMachine::SetStatementHook(StatementHook hook) {
  m_hook = std::move(hook);
  UpdateTrap();
}

void CVirtualMachine::AttachDebugger(IDebugHooks* hooks) {
  m_debugger = hooks;
  UpdateTrap();
}

void CVirtualMachine::ArmBreakTrap(bool armed) {
  m_breakArmed = armed;
  // Raising the trap is safe from any thread; lowering it is worked out on the script's.
  if (armed) m_trap = true;
  else UpdateTrap();
}

void CVirtualMachine::RequestStop(bool timedOut) {
  m_timedOut = timedOut;
  m_stopRequested = true;
  m_trap = true;
}

void CVirtualMachine::SetStepLimit(uint64_t steps) {
  m_stepLimit = steps;
  m_steps = 0;
  UpdateTrap();
}

void CVirtualMachine::OnTrap(SFrame& frame, const SStatementPos& pos) {
  if (m_stopRequested) throw SScriptStop{0, m_timedOut};
  if (m_stepLimit != 0 && ++m_steps > m_stepLimit) throw SScriptStop{0, true};
  if (m_hook) m_hook(frame, pos);
  // A loop's jump back re-tests the trap at a position that is no statement's mark: the debugger
  // already saw that statement once.
  if (m_debugger != nullptr && m_breakArmed.load(std::memory_order_relaxed) && frame.pc == pos.pc + 1) {
    m_debugger->OnStatement(frame, pos);
  }
}

bool CVirtualMachine::AnyFrameResumesAfterErrors() const {
  for (const SFrame* frame : m_frames) {
    if (frame->resumeNext) return true;
  }
  return false;
}

CVariant CVirtualMachine::Call(const CProcedure& proc, CClassInstance* me, std::span<CVariant> args) {
  if (args.size() != proc.ParamCount()) throw CScriptError(err::WrongArgCount);
  if (m_depth >= m_maxDepth) throw CScriptError(err::OutOfStack);
  SFrame frame;
  frame.proc = &proc;
  frame.me = me;
  CFrameStorage storage(*this, frame);
  PassArguments(proc, frame.locals, args, false);
  // Keep the instance alive while its code runs, even if the script drops the last reference.
  CVariant keepAlive = me != nullptr ? CVariant::Object(me) : CVariant();
  SDepthGuard guard(m_depth, m_frames, &frame);
  Execute(frame);
  if (!proc.hasResult) return {};
  CVariant result = std::move(frame.locals[0].Deref());
  return result;
}

// An error in an entered frame goes where it would have gone from a nested call: that frame's
// On Error Resume Next goes on after the statement; otherwise the frame is left and its caller
// gets the error at the statement that made the call.
void CVirtualMachine::Execute(SFrame& frame) {
  const size_t base = m_inlineCount;
  struct SLeaveEntered {
    CVirtualMachine& vm;
    size_t base;
    ~SLeaveEntered() {
      while (vm.m_inlineCount > base) (void)vm.LeaveInline();
    }
  } leaveEntered{*this, base};
  for (;;) {
    try {
      try {
        Run(frame, base);
        return;
      } catch (const std::bad_alloc&) {
        throw CScriptError(err::OutOfMemory);
      } catch (const std::length_error&) {
        throw CScriptError(err::OutOfMemory);
      }
    } catch (CScriptError& error) {
      bool debuggerAsked = false;
      for (;;) {
        SFrame& current = CurrentFrame(frame, base);
        if (!error.HasPosition() && current.proc != nullptr && !current.proc->isDynamic) {
          if (const SStatementPos* pos = current.proc->StatementAt(current.pc == 0 ? 0 : current.pc - 1)) {
            error.SetPosition(pos->line, pos->column);
          }
        }
        // A debugger sees the error first, with every frame still in place, when nothing would
        // handle it; it may have the script go on after the failing statement.
        if (m_debugger != nullptr && !debuggerAsked && !AnyFrameResumesAfterErrors()) {
          debuggerAsked = true;
          if (m_debugger->OnUnhandledError(current, error)) {
            ResumeAfterError(current);
            break;
          }
        }
        m_err.Record(error);
        if (current.resumeNext) {
          ResumeAfterError(current);
          break;
        }
        if (&current == &frame) throw;
        (void)LeaveInline();
      }
    }
  }
}

// Windows goes on with the statement after the one that failed, in the order the script runs:
// past the end of the If or Select whose branch failed, but, for a failed condition, into what
// it guards (the first statement of the Then part, of the Case, of a Do While's body). A loop's
// failed test at its end leaves the loop: the jump back is never taken.
void CVirtualMachine::ResumeAfterError(SFrame& frame) {
  frame.stack.clear();
  frame.Unpin();
  const auto& code = frame.proc->code;
  uint32_t pc = frame.pc;
  while (pc < code.size() && code[pc].op != EOp::Stmt && code[pc].op != EOp::Return) {
    const SInstr& in = code[pc];
    const bool forward = in.op == EOp::Jump && static_cast<uint32_t>(in.a) > pc;
    pc = forward ? static_cast<uint32_t>(in.a) : pc + 1;
  }
  frame.pc = pc;
}

void CVirtualMachine::RunTerminate(CClassInstance& instance) noexcept {
  const CProcedure* terminate = instance.Class().terminate;
  if (terminate == nullptr) return;
  try {
    (void)Call(*terminate, &instance, {});
  } catch (...) {
    // An error or a stop inside Class_Terminate cannot reach anyone: the release that ran it
    // may be in the middle of any operation.
  }
}

// ---- variables --------------------------------------------------------------------------

std::u16string CVirtualMachine::NameOf(const SFrame& frame, EVarKind kind, int32_t a) const {
  switch (kind) {
    case EVarKind::Local: return frame.proc->localNames[static_cast<size_t>(a)];
    case EVarKind::Global: return m_globals.At(a).name;
    case EVarKind::Name: return std::u16string(frame.proc->constants[static_cast<size_t>(a) + 1].AsString());
    case EVarKind::Field: return frame.me->Class().fields[static_cast<size_t>(a)].name;
  }
  return {};
}

CVariant& CVirtualMachine::Slot(SFrame& frame, EVarKind kind, int32_t a, EAccess access) {
  const bool forWrite = access != EAccess::Read;
  switch (kind) {
    case EVarKind::Local: return frame.locals[static_cast<size_t>(a)].Deref();
    case EVarKind::Field: return frame.me->Field(a).Deref();
    case EVarKind::Global: {
      SGlobal& global = m_globals.At(a);
      if (global.kind == EGlobalKind::Undeclared) {
        if (frame.proc->optionExplicit && access != EAccess::Declare) {
          throw CScriptError(err::VariableUndefined, u"Variable is undefined: '" + global.name + u"'");
        }
        if (forWrite) global.kind = EGlobalKind::Variable;
      } else if (forWrite && (global.kind == EGlobalKind::Procedure || global.kind == EGlobalKind::Const)) {
        throw CScriptError(err::IllegalAssignment, u"Illegal assignment: '" + global.name + u"'");
      }
      return global.value;
    }
    case EVarKind::Name: {
      const std::u16string key(frame.proc->constants[static_cast<size_t>(a)].AsString());
      const int32_t global = m_globals.Find(key);
      if (global >= 0 && m_globals.At(global).kind != EGlobalKind::Undeclared) return Slot(frame, EVarKind::Global, global, access);
      SFrame& owner = NameScope(frame);
      if (CVariant* local = owner.FindImplicitLocal(key)) return local->Deref();
      if (frame.proc->optionExplicit && access != EAccess::Declare) {
        throw CScriptError(err::VariableUndefined, u"Variable is undefined: '" + NameOf(frame, kind, a) + u"'");
      }
      return owner.ImplicitLocals()[key];
    }
  }
  throw CScriptError(err::InternalError);
}

bool CVirtualMachine::IsReadOnlyGlobal(const SFrame& frame, EVarKind kind, int32_t a) const {
  int32_t slot = -1;
  if (kind == EVarKind::Global) slot = a;
  else if (kind == EVarKind::Name) slot = m_globals.Find(frame.proc->constants[static_cast<size_t>(a)].AsString());
  if (slot < 0) return false;
  const EGlobalKind global = m_globals.At(slot).kind;
  return global == EGlobalKind::Procedure || global == EGlobalKind::Const;
}

CVariant CVirtualMachine::LoadVar(SFrame& frame, EVarKind kind, int32_t a) {
  if (kind == EVarKind::Global) {
    SGlobal& global = m_globals.At(a);
    if (global.kind == EGlobalKind::Procedure) return Call(*global.procedure, nullptr, {});
  } else if (kind == EVarKind::Name) {
    const int32_t global = m_globals.Find(frame.proc->constants[static_cast<size_t>(a)].AsString());
    if (global >= 0 && m_globals.At(global).kind == EGlobalKind::Procedure) {
      return Call(*m_globals.At(global).procedure, nullptr, {});
    }
  }
  return Slot(frame, kind, a, EAccess::Read);
}

void CVirtualMachine::StoreVar(SFrame& frame, EVarKind kind, int32_t a, CVariant value, bool isSet, bool raw) {
  CVariant stored;
  if (raw) {
    stored = std::move(value.Deref());
  } else if (isSet) {
    const CVariant& v = value.Deref();
    if (!v.IsObject()) throw CScriptError(err::ObjectRequired);
    stored = v;
  } else {
    stored = LetValue(value);
  }
  CVariant& slot = Slot(frame, kind, a, EAccess::Write);
  slot = std::move(stored);
}

CVariant CVirtualMachine::CallVar(SFrame& frame, EVarKind kind, int32_t a, std::span<CVariant> args, bool wantRef) {
  const CProcedure* proc = nullptr;
  if (kind == EVarKind::Global && m_globals.At(a).kind == EGlobalKind::Procedure) {
    proc = m_globals.At(a).procedure;
  } else if (kind == EVarKind::Name) {
    const int32_t global = m_globals.Find(frame.proc->constants[static_cast<size_t>(a)].AsString());
    if (global >= 0 && m_globals.At(global).kind == EGlobalKind::Procedure) proc = m_globals.At(global).procedure;
  }
  if (proc != nullptr) return Call(*proc, nullptr, args);
  if (kind == EVarKind::Global && m_globals.At(a).kind == EGlobalKind::Undeclared && !args.empty()) {
    throw CScriptError(err::TypeMismatch, u"Type mismatch: '" + m_globals.At(a).name + u"'");
  }
  if (kind == EVarKind::Name && !args.empty()) {
    const std::u16string key(frame.proc->constants[static_cast<size_t>(a)].AsString());
    const int32_t global = m_globals.Find(key);
    if ((global < 0 || m_globals.At(global).kind == EGlobalKind::Undeclared) && NameScope(frame).FindImplicitLocal(key) == nullptr) {
      throw CScriptError(err::TypeMismatch, u"Type mismatch: '" + NameOf(frame, kind, a) + u"'");
    }
  }
  CVariant& slot = Slot(frame, kind, a, EAccess::Read);
  if (wantRef && slot.IsArray() && !args.empty()) {
    CVariant& element = ArrayElement(*slot.AsArray(), args);
    slot.AsArray()->Lock();
    frame.pinned.push_back(slot);
    return CVariant::Reference(&element);
  }
  return ApplyArgs(slot, args, NameOf(frame, kind, a));
}

void CVirtualMachine::StoreIndexed(SFrame& frame, EVarKind kind, int32_t a, std::span<CVariant> args,
                                   const CVariant& value, bool isSet) {
  AssignApplied(Slot(frame, kind, a, EAccess::Read), args, value, isSet);
}

// mode 0: Dim with bounds, 1: ReDim, 2: ReDim Preserve
void CVirtualMachine::Dimension(SFrame& frame, EVarKind kind, int32_t a, std::span<CVariant> bounds, int mode) {
  std::vector<int32_t> uppers;
  for (auto& bound : bounds) uppers.push_back(bound.Deref().ToLong());
  CVariant& slot = Slot(frame, kind, a, mode == 0 ? EAccess::Write : EAccess::Declare);
  if (mode == 0) {
    if (uppers.empty()) {
      slot = CVariant::Array(CSafeArray::Create({{0, 0}}));
      return;
    }
    CSafeArray* array = CSafeArray::FromUpperBounds(uppers);
    array->SetFixed();
    slot = CVariant::Array(array);
    return;
  }
  if (slot.IsArray()) {
    if (slot.AsArray()->IsFixed()) throw CScriptError(err::ArrayLocked);
    if (mode == 2) {
      slot.AsArray()->Redim(uppers, true);
      return;
    }
    if (slot.AsArray()->IsLocked()) throw CScriptError(err::ArrayLocked);
  }
  slot = CVariant::Array(CSafeArray::FromUpperBounds(uppers));
}

}  // namespace quillet::engine
