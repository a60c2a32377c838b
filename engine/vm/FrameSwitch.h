#pragma once
// Entering and leaving the frames of script procedures. Defined here, inline, rather than in
// VirtualMachine.cpp: a call in a loop of script code spends as much time in these as in the
// instructions around it, and the dispatch loop gets them without a function call.

#include <memory>

#include "engine/runtime/ClassInstance.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

// consume: the arguments are the caller's temporaries, dropped after the call, so a value that
// is not passed by reference is moved rather than copied.
[[gnu::always_inline]] inline void CVirtualMachine::PassArguments(const CProcedure& proc, std::span<CVariant> locals,
                                                                  std::span<CVariant> args, bool consume) {
  const size_t first = proc.FirstParam();
  for (size_t i = 0; i < args.size(); ++i) {
    CVariant& arg = args[i];
    // A script procedure has no optional parameters: an omitted argument is refused at the call.
    if (arg.IsMissing()) throw CScriptError(err::ArgNotOptional);
    if (arg.IsRef()) {
      if (proc.paramByVal[i] == 0) {
        locals[first + i] = arg;
        continue;
      }
    } else if (consume && !arg.IsArray()) {
      locals[first + i].MoveIntoEmpty(std::move(arg));
      continue;
    }
    const CVariant& value = arg.Deref();
    locals[first + i] = value.IsArray() ? CVariant::Array(value.AsArray()->Clone()) : value;
  }
}

// The same checks and order as Call; the frame counts as entered only once its arguments are in.
[[gnu::always_inline]] inline SFrame& CVirtualMachine::EnterInline(SFrame& caller, const CProcedure& proc,
                                                                   std::span<CVariant> args, CClassInstance* me,
                                                                   uint32_t dropOnReturn, bool resultOnReturn) {
  if (args.size() != proc.ParamCount()) throw CScriptError(err::WrongArgCount);
  if (m_depth >= m_maxDepth) throw CScriptError(err::OutOfStack);
  if (m_inlineCount == m_inlineFrames.size()) m_inlineFrames.push_back(std::make_unique<SInlineFrame>());
  SInlineFrame& entered = *m_inlineFrames[m_inlineCount];
  SFrame& frame = entered.frame;
  frame.proc = &proc;
  frame.me = me;
  frame.scope = nullptr;
  frame.pc = 0;
  frame.statement = 0;
  frame.resumeNext = false;
  const size_t locals = proc.LocalCount();
  const std::span<CVariant> values = m_arena.Take(proc.FrameValueCount(), entered.mark);
  frame.locals = values.first(locals);
  frame.stack.Attach(values.subspan(locals));
  try {
    PassArguments(proc, frame.locals, args, true);
  } catch (...) {
    frame.ClearValues();
    m_arena.GiveBack(entered.mark);
    throw;
  }
  if (me != nullptr) entered.self = CVariant::Object(me);
  entered.dropOnReturn = dropOnReturn;
  entered.resultOnReturn = resultOnReturn;
  entered.caller = &caller;
  ++m_inlineCount;
  ++m_depth;
  m_frames.push_back(&frame);
  return frame;
}

// In the order a returning Call lets go: the depth, then the frame's values, then its implicit
// locals (any of which may run a Class_Terminate, which may call procedures).
[[gnu::always_inline]] inline CVariant CVirtualMachine::LeaveInline() {
  SInlineFrame& left = *m_inlineFrames[m_inlineCount - 1];
  SFrame& frame = left.frame;
  CVariant result = frame.proc->hasResult ? std::move(frame.locals[0].Deref()) : CVariant();
  --m_depth;
  m_frames.pop_back();
  frame.Unpin();
  frame.ClearValues();
  m_arena.GiveBack(left.mark);
  if (frame.implicitLocals) frame.implicitLocals.reset();
  --m_inlineCount;
  // The instance goes last: its Class_Terminate may run here, after its method's frame is gone.
  if (left.self.IsObject()) CVariant self = std::move(left.self);
  return result;
}

[[gnu::always_inline]] inline SFrame& CVirtualMachine::ReturnToCaller() {
  const SInlineFrame& left = *m_inlineFrames[m_inlineCount - 1];
  const uint32_t drop = left.dropOnReturn;
  const bool pushResult = left.resultOnReturn;
  SFrame& caller = *left.caller;
  CVariant result = LeaveInline();
  caller.stack.Drop(drop);
  if (pushResult) caller.stack.push_back(std::move(result));
  return caller;
}

}  // namespace quillet::engine
