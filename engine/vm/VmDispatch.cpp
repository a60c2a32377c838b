// The dispatch loop: every instruction is handled here. Fast paths stay inline; conversions,
// calls and errors go to out-of-line helpers. frame.pc is advanced before an instruction runs,
// so pc - 1 always names the instruction that failed.

#include <cmath>
#include <cstdint>
#include <typeinfo>

#include "engine/runtime/ClassInstance.h"
#include "engine/runtime/ErrObject.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/VariantOps.h"
#include "engine/vm/FrameSwitch.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/library/Builtins.h"
#include "engine/runtime/ObjectRegistry.h"

namespace quillet::engine {

namespace {

CVariant Pop(CValueStack& stack) {
  CVariant value = std::move(stack.back());
  stack.pop_back();
  return value;
}

std::span<CVariant> Top(CValueStack& stack, size_t n) { return stack.Top(n); }

void Drop(CValueStack& stack, size_t n) { stack.Drop(n); }

bool Truth(const CVariant& value) {
  const CVariant& v = value.Deref();
  if (v.IsNull()) return false;
  if (v.Type() == EVarType::Boolean) return v.AsBool();
  return v.ToBool();
}

bool CompareResult(EOp op, ops::ECompare c) {
  switch (op) {
    case EOp::Eq: return c == ops::ECompare::Equal;
    case EOp::Ne: return c != ops::ECompare::Equal;
    case EOp::Lt: return c == ops::ECompare::Less;
    case EOp::Gt: return c == ops::ECompare::Greater;
    case EOp::Le: return c != ops::ECompare::Greater;
    default: return c != ops::ECompare::Less;
  }
}

CVariant Binary(EOp op, const CVariant& a, const CVariant& b) {
  switch (op) {
    case EOp::Add: return ops::Add(a, b);
    case EOp::Sub: return ops::Subtract(a, b);
    case EOp::Mul: return ops::Multiply(a, b);
    case EOp::Div: return ops::Divide(a, b);
    case EOp::IntDiv: return ops::IntDivide(a, b);
    case EOp::Mod: return ops::Modulo(a, b);
    case EOp::Pow: return ops::Power(a, b);
    case EOp::Concat: return ops::Concat(a, b);
    case EOp::And: return ops::And(a, b);
    case EOp::Or: return ops::Or(a, b);
    case EOp::Xor: return ops::Xor(a, b);
    case EOp::Eqv: return ops::Eqv(a, b);
    default: return ops::Imp(a, b);
  }
}

// The script class instance a value holds; null for anything else (other objects, Nothing).
CClassInstance* ScriptObject(const CVariant& value) {
  const CVariant& v = value.Deref();
  if (!v.IsObject() || v.AsObject() == nullptr) return nullptr;
  CDispatchObject& object = *v.AsObject();
  return typeid(object) == typeid(CClassInstance) ? static_cast<CClassInstance*>(&object) : nullptr;
}

CDispatchObject* RequireObject(const CVariant& value) {
  const CVariant& v = value.Deref();
  if (!v.IsObject()) throw CScriptError(err::ObjectRequired);
  if (v.AsObject() == nullptr) throw CScriptError(err::ObjectNotSet);
  return v.AsObject();
}

class CArrayEnumerator : public CEnumerator {
 public:
  explicit CArrayEnumerator(CSafeArray* array) : m_array(CVariant::Array(array)) {}
  bool Next(CVariant& value) override {
    if (m_next >= m_array.AsArray()->Size()) return false;
    value = m_array.AsArray()->At(m_next++);
    return true;
  }

 private:
  CVariant m_array;
  size_t m_next = 0;
};

CVariant StartEnumeration(const CVariant& value) {
  const CVariant& v = value.Deref();
  if (v.IsArray()) return CVariant::Object(new CArrayEnumerator(v.AsArray()));
  if (v.IsObject() && v.AsObject() != nullptr) {
    if (CEnumerator* e = v.AsObject()->NewEnum()) return CVariant::Object(e);
  }
  throw CScriptError(err::NotACollection);
}

void Append(CVariant& slot, const CVariant& value) {
  const CVariant& v = value.Deref();
  if (slot.IsString() && !v.IsNull()) {
    if (v.IsString()) {
      if (slot.AppendInPlace(v.AsString())) return;
    } else {
      const std::u16string text = v.ToString();
      if (slot.AppendInPlace(text)) return;
    }
  }
  slot = ops::Concat(slot, v);
}

// ---- fast paths for the types loops use; anything else goes to the general operators, which
// give the same result.

// Values that Let stores as they are: no object's default value to fetch, no array to copy.
[[gnu::always_inline]] inline bool IsPlain(const CVariant& v) { return v.IsNumeric() || v.IsString() || v.IsEmpty(); }

[[gnu::always_inline]] inline bool IsIntegral(const CVariant& v) {
  return v.Type() == EVarType::Integer || v.Type() == EVarType::Long;
}
[[gnu::always_inline]] inline int32_t IntegralValue(const CVariant& v) {
  return v.Type() == EVarType::Integer ? v.AsInteger() : v.AsLong();
}

// The result of an Integer/Long operation: Integer when both were and it fits, else Long.
[[gnu::always_inline]] inline bool IntegralResult(const CVariant& a, const CVariant& b, int64_t value, CVariant& out) {
  if (a.Type() == EVarType::Integer && b.Type() == EVarType::Integer && value >= INT16_MIN && value <= INT16_MAX) {
    out = CVariant::Integer(static_cast<int16_t>(value));
    return true;
  }
  if (value < INT32_MIN || value > INT32_MAX) return false;
  out = CVariant::Long(static_cast<int32_t>(value));
  return true;
}

// Writes a op b over a when both are of the types loops use; false leaves a as it was, for the
// general operators, which give the same result.
template <EOp Op>
[[gnu::always_inline]] inline bool FastArithmetic(CVariant& a, const CVariant& b) {
  if constexpr (Op == EOp::Count_) return false;
  if (IsIntegral(a) && IsIntegral(b)) {
    const int64_t x = IntegralValue(a);
    const int64_t y = IntegralValue(b);
    if constexpr (Op == EOp::Add) return IntegralResult(a, b, x + y, a);
    if constexpr (Op == EOp::Sub) return IntegralResult(a, b, x - y, a);
    if constexpr (Op == EOp::Mul) return IntegralResult(a, b, x * y, a);
    // In 32 bits: a 64-bit division takes several times as long. x Mod -1 is 0 for every x,
    // including the one whose 32-bit division would overflow.
    if constexpr (Op == EOp::Mod) {
      if (y == 0) return false;
      return IntegralResult(a, b, y == -1 ? 0 : static_cast<int32_t>(x) % static_cast<int32_t>(y), a);
    }
    return false;
  }
  if constexpr (Op == EOp::Add || Op == EOp::Sub || Op == EOp::Mul) {
    if (a.Type() == EVarType::Double && (b.Type() == EVarType::Double || IsIntegral(b))) {
      const double x = a.AsDouble();
      const double y = b.Type() == EVarType::Double ? b.AsDouble() : IntegralValue(b);
      const double r = Op == EOp::Add ? x + y : Op == EOp::Sub ? x - y : x * y;
      if (!std::isfinite(r)) return false;
      a = CVariant::Double(r);
      return true;
    }
  }
  return false;
}

// a op b on the stack, or a op constant n. Op is Count_ for the operators without a short way.
template <EOp Op>
[[gnu::always_inline]] inline void Arithmetic(CValueStack& stack, const SFrame& f, const CProcedure& proc,
                                              const SInstr& in) {
  if ((in.b & kLeftLocal) != 0) stack.push_back(f.locals[static_cast<size_t>(in.a)].Deref());
  const bool constant = (in.b & kRightConst) != 0;
  CVariant& a = constant ? stack.back() : stack[stack.size() - 2];
  const CVariant& b = constant ? proc.constants[in.n] : stack.back();
  if (!FastArithmetic<Op>(a, b)) a = Binary(in.op, a, b);
  if (!constant) stack.pop_back();
}

// Next of a For loop over whole numbers: false when the counter, the step or the limit is of
// another type, or the counter would leave Long; the general way then takes over.
[[gnu::always_inline]] inline bool FastForNext(CVariant& counter, const CVariant& limit, const CVariant& step,
                                               bool& goOn) {
  if (!IsIntegral(limit) || !IsIntegral(counter) || !FastArithmetic<EOp::Add>(counter, step)) return false;
  const int32_t value = IntegralValue(counter);
  goOn = IntegralValue(step) >= 0 ? value <= IntegralValue(limit) : value >= IntegralValue(limit);
  return true;
}

// A For line's start, limit or step as a number, so that the loop's test compares numbers: a
// string counted as greater than every number and Null as no answer, and neither loop ended.
// Adding a Byte 0 reads a string as arithmetic does (13 when it is no number) and keeps every
// numeric subtype as it was.
CVariant ForBoundValue(const CVariant& value) {
  const CVariant& v = value.Deref();
  if (v.IsNull()) throw CScriptError(err::InvalidUseOfNull);
  return ops::Add(v, CVariant::Byte(0));
}

[[gnu::always_inline]] inline bool FastCompare(const CVariant& a, const CVariant& b, ops::ECompare& c) {
  if (!IsIntegral(a) || !IsIntegral(b)) return false;
  const int32_t x = IntegralValue(a);
  const int32_t y = IntegralValue(b);
  c = x < y ? ops::ECompare::Less : x > y ? ops::ECompare::Greater : ops::ECompare::Equal;
  return true;
}

template <EOp Op>
[[gnu::always_inline]] inline bool Holds(int32_t x, int32_t y) {
  if constexpr (Op == EOp::Eq) return x == y;
  if constexpr (Op == EOp::Ne) return x != y;
  if constexpr (Op == EOp::Lt) return x < y;
  if constexpr (Op == EOp::Gt) return x > y;
  if constexpr (Op == EOp::Le) return x <= y;
  return x >= y;
}

// a op b, or a op constant n; with kJumpUnless, pc = a unless it holds (Null never holds),
// else the answer (True, False or Null) is pushed. One copy per operator, so that whole numbers
// are compared with no decision left to make while running.
template <EOp Op>
[[gnu::always_inline]] inline void Comparison(CValueStack& stack, const CProcedure& proc, const SInstr& in,
                                              uint32_t& pc) {
  const bool constant = (in.b & kRightConst) != 0;
  CVariant& a = constant ? stack.back() : stack[stack.size() - 2];
  const CVariant& b = constant ? proc.constants[in.n] : stack.back();
  bool holds = false;
  bool null = false;
  if (IsIntegral(a) && IsIntegral(b)) {
    holds = Holds<Op>(IntegralValue(a), IntegralValue(b));
  } else {
    const ops::ECompare c = ops::Compare(a, b, (in.b & kLeftLiteral) != 0, (in.b & kRightLiteral) != 0);
    null = c == ops::ECompare::Null;
    holds = !null && CompareResult(Op, c);
  }
  if (!constant) stack.pop_back();
  if ((in.b & kJumpUnless) != 0) {
    stack.pop_back();
    if (!holds) pc = static_cast<uint32_t>(in.a);
  } else {
    stack.back() = null ? CVariant::Null() : CVariant::Boolean(holds);
  }
}

// The kind of variable a variable instruction names.
[[gnu::always_inline]] inline EVarKind KindOf(const SInstr& in) { return static_cast<EVarKind>(in.b); }

}  // namespace

void CVirtualMachine::Run(SFrame& outer, size_t inlineBase) {
  // Each instruction ends with a jump of its own to the next one's code, rather than all of them
  // going back to one shared jump: the processor then predicts the next instruction from the
  // one it follows, which loops repeat.
  static const void* const kHandlers[] = {
      &&op_Stmt, &&op_Const, &&op_Nothing, &&op_Me, &&op_Load, &&op_Store,
      &&op_SetVar, &&op_Ref, &&op_CallVar, &&op_RefIndex, &&op_StoreIndex, &&op_SetIndex,
      &&op_CallBuiltin, &&op_CallMe, &&op_StoreMe, &&op_SetMe, &&op_Member, &&op_StoreMember,
      &&op_SetMember, &&op_StoreApplied, &&op_SetApplied, &&op_Index, &&op_New, &&op_Neg,
      &&op_Not, &&op_Add, &&op_Sub, &&op_Mul, &&op_Div, &&op_IntDiv,
      &&op_Mod, &&op_Pow, &&op_Concat, &&op_And, &&op_Or, &&op_Xor,
      &&op_Eqv, &&op_Imp, &&op_Eq, &&op_Ne, &&op_Lt, &&op_Gt,
      &&op_Le, &&op_Ge, &&op_Is, &&op_Jump, &&op_JumpFalse, &&op_JumpTrue,
      &&op_JumpBack, &&op_ForTest, &&op_ForNext, &&op_ForBound, &&op_ForEachStart, &&op_ForEachNext, &&op_Pop,
      &&op_DimArray, &&op_ReDim, &&op_ReDimPreserve, &&op_Erase, &&op_OnErrorResume, &&op_OnErrorGoto0,
      &&op_Append, &&op_Return, &&op_Dynamic, &&op_Count_};
  static_assert(std::size(kHandlers) == static_cast<size_t>(EOp::Count_) + 1);
  const SInstr* ip = nullptr;  // the instruction running
  // A computed jump runs no destructors: QUILLET_NEXT() only where no object of the handler is
  // still alive (after its braces close), never from inside them.
#define QUILLET_NEXT()                                    \
  do {                                                    \
    ip = code + pc++;                                     \
    fr->pc = pc;                                          \
    goto* kHandlers[static_cast<size_t>(ip->op)];         \
  } while (false)
  // Each call and each return switches frames and goes on with its own jump to the next
  // instruction: one shared switch point would be one jump for the processor to predict
  // after every call and return, and it mostly guesses wrong.
  // The position lives in a register; the frame gets a copy at each instruction, for the
  // error position and for going on after an error.
  SFrame* fr = nullptr;
  const SInstr* code = nullptr;
  uint32_t pc = 0;
#define QUILLET_ENTER(frame)  \
  do {                        \
    fr = &(frame);            \
    code = fr->proc->code.data();   \
    pc = fr->pc;              \
    QUILLET_NEXT();           \
  } while (false)
  QUILLET_ENTER(CurrentFrame(outer, inlineBase));
   op_Stmt:
    fr->statement = static_cast<uint32_t>(ip->a);
    if (!fr->pinned.empty()) fr->Unpin();
    if (m_trap.load(std::memory_order_relaxed)) OnTrap(*fr, fr->proc->statements[static_cast<size_t>(ip->a)]);
    QUILLET_NEXT();
   op_Const:
    fr->stack.push_back(fr->proc->constants[static_cast<size_t>(ip->a)]);
    QUILLET_NEXT();
   op_Nothing:
    fr->stack.push_back(CVariant::Object(nullptr));
    QUILLET_NEXT();
   op_Me:
    fr->stack.push_back(CVariant::Object(fr->me));
    QUILLET_NEXT();
   op_Load:
    if (KindOf(*ip) == EVarKind::Local) {
      fr->stack.push_back(fr->locals[static_cast<size_t>(ip->a)].Deref());
    } else if (KindOf(*ip) == EVarKind::Global && m_globals.At(ip->a).kind == EGlobalKind::Variable) {
      fr->stack.push_back(m_globals.At(ip->a).value);
    } else {
      fr->stack.push_back(LoadVar(*fr, KindOf(*ip), ip->a));
    }
    QUILLET_NEXT();
   op_Store:
    // A plain value moves from the stack's top straight into the variable.
    if (IsPlain(fr->stack.back())) {
      if (KindOf(*ip) == EVarKind::Local) {
        fr->locals[static_cast<size_t>(ip->a)].Deref() = std::move(fr->stack.back());
        fr->stack.DropEmptied();
        QUILLET_NEXT();
      }
      if (KindOf(*ip) == EVarKind::Global && m_globals.At(ip->a).kind == EGlobalKind::Variable) {
        m_globals.At(ip->a).value = std::move(fr->stack.back());
        fr->stack.DropEmptied();
        QUILLET_NEXT();
      }
    }
    StoreVar(*fr, KindOf(*ip), ip->a, Pop(fr->stack), false, ip->n == 1);
    QUILLET_NEXT();
   op_SetVar:
    StoreVar(*fr, KindOf(*ip), ip->a, Pop(fr->stack), true, false);
    QUILLET_NEXT();
   op_Ref:
    {
      // A procedure or a constant (even one a later ExecuteGlobal declared) is passed as
      // its value: there is nothing a ByRef parameter could write back to.
      if (IsReadOnlyGlobal(*fr, KindOf(*ip), ip->a)) {
        fr->stack.push_back(LoadVar(*fr, KindOf(*ip), ip->a));
      } else {
        fr->stack.push_back(CVariant::Reference(&Slot(*fr, KindOf(*ip), ip->a, EAccess::Write)));
      }
    }
    QUILLET_NEXT();
   op_CallVar: op_RefIndex:
    if (KindOf(*ip) == EVarKind::Global && m_globals.At(ip->a).kind == EGlobalKind::Procedure) {
      QUILLET_ENTER(EnterInline(*fr, *m_globals.At(ip->a).procedure, Top(fr->stack, ip->n), nullptr, ip->n, true));
    }
    if (ip->op == EOp::CallVar && ip->n == 1) {
      if (CVariant* element = FastElement(*fr, KindOf(*ip), ip->a, fr->stack.back())) {
        fr->stack.back() = *element;
        QUILLET_NEXT();
      }
    }
    {
      CVariant result = CallVar(*fr, KindOf(*ip), ip->a, Top(fr->stack, ip->n), ip->op == EOp::RefIndex);
      Drop(fr->stack, ip->n);
      fr->stack.push_back(std::move(result));
    }
    QUILLET_NEXT();
   op_StoreIndex: op_SetIndex:
    if (ip->op == EOp::StoreIndex && ip->n == 1 && IsPlain(fr->stack.back())) {
      if (CVariant* element = FastElement(*fr, KindOf(*ip), ip->a, fr->stack[fr->stack.size() - 2])) {
        *element = std::move(fr->stack.back());
        fr->stack.Drop(2);
        QUILLET_NEXT();
      }
    }
    {
      CVariant value = Pop(fr->stack);
      StoreIndexed(*fr, KindOf(*ip), ip->a, Top(fr->stack, ip->n), value, ip->op == EOp::SetIndex);
      Drop(fr->stack, ip->n);
    }
    QUILLET_NEXT();
   op_CallBuiltin:
    {
      CVariant result = engine::CallBuiltin(ip->a, Top(fr->stack, ip->n));
      Drop(fr->stack, ip->n);
      fr->stack.push_back(std::move(result));
    }
    QUILLET_NEXT();
   op_CallMe:
    if (const CProcedure* member = MemberToEnter(*fr->proc, ip->a, *fr->me, EInvokeKind::Get, Top(fr->stack, ip->n), true)) {
      QUILLET_ENTER(EnterInline(*fr, *member, Top(fr->stack, ip->n), fr->me, ip->n, true));
    }
    {
      CVariant result = InvokeNamed(*fr->proc, ip->a, *fr->me, EInvokeKind::Get, Top(fr->stack, ip->n), true);
      Drop(fr->stack, ip->n);
      fr->stack.push_back(std::move(result));
    }
    QUILLET_NEXT();
   op_StoreMe: op_SetMe:
    if (const CProcedure* member =
            MemberToEnter(*fr->proc, ip->a, *fr->me, ip->op == EOp::SetMe ? EInvokeKind::Set : EInvokeKind::Let,
                          Top(fr->stack, ip->n + 1u), true)) {
      QUILLET_ENTER(EnterInline(*fr, *member, Top(fr->stack, ip->n + 1u), fr->me, ip->n + 1u, false));
    }
    {
      (void)InvokeNamed(*fr->proc, ip->a, *fr->me, ip->op == EOp::SetMe ? EInvokeKind::Set : EInvokeKind::Let,
                        Top(fr->stack, ip->n + 1u), true);
      Drop(fr->stack, ip->n + 1u);
    }
    QUILLET_NEXT();
   op_Member:
    if (CClassInstance* instance = ScriptObject(fr->stack[fr->stack.size() - ip->n - 1])) {
      if (const CProcedure* member = MemberToEnter(*fr->proc, ip->a, *instance, EInvokeKind::Get, Top(fr->stack, ip->n), false)) {
        QUILLET_ENTER(EnterInline(*fr, *member, Top(fr->stack, ip->n), instance, ip->n + 1u, true));
      }
    }
    {
      CVariant object = std::move(fr->stack[fr->stack.size() - ip->n - 1]);
      CDispatchObject* target = RequireObject(object);
      CVariant result = InvokeNamed(*fr->proc, ip->a, *target, EInvokeKind::Get, Top(fr->stack, ip->n), false);
      Drop(fr->stack, ip->n + 1u);
      fr->stack.push_back(std::move(result));
    }
    QUILLET_NEXT();
   op_StoreMember: op_SetMember:
    if (CClassInstance* instance = ScriptObject(fr->stack[fr->stack.size() - ip->n - 2])) {
      if (const CProcedure* member =
              MemberToEnter(*fr->proc, ip->a, *instance, ip->op == EOp::SetMember ? EInvokeKind::Set : EInvokeKind::Let,
                            Top(fr->stack, ip->n + 1u), false)) {
        QUILLET_ENTER(EnterInline(*fr, *member, Top(fr->stack, ip->n + 1u), instance, ip->n + 2u, false));
      }
    }
    {
      CVariant object = std::move(fr->stack[fr->stack.size() - ip->n - 2]);
      CDispatchObject* target = RequireObject(object);
      (void)InvokeNamed(*fr->proc, ip->a, *target, ip->op == EOp::SetMember ? EInvokeKind::Set : EInvokeKind::Let,
                        Top(fr->stack, ip->n + 1u), false);
      Drop(fr->stack, ip->n + 2u);
    }
    QUILLET_NEXT();
   op_StoreApplied: op_SetApplied:
    {
      CVariant value = Pop(fr->stack);
      const CVariant target = std::move(fr->stack[fr->stack.size() - ip->n - 1]);
      AssignApplied(target, Top(fr->stack, ip->n), value, ip->op == EOp::SetApplied);
      Drop(fr->stack, ip->n + 1u);
    }
    QUILLET_NEXT();
   op_Index:
    {
      CVariant value = std::move(fr->stack[fr->stack.size() - ip->n - 1]);
      CVariant result = ApplyArgs(value, Top(fr->stack, ip->n), {});
      Drop(fr->stack, ip->n + 1u);
      fr->stack.push_back(std::move(result));
    }
    QUILLET_NEXT();
   op_New:
    fr->stack.push_back(NewObject(fr->proc->constants[static_cast<size_t>(ip->a)].AsString()));
    QUILLET_NEXT();
   op_Neg:
    fr->stack.back() = ops::Negate(fr->stack.back());
    QUILLET_NEXT();
   op_Not:
    fr->stack.back() = ops::Not(fr->stack.back());
    QUILLET_NEXT();
   op_Add:
    Arithmetic<EOp::Add>(fr->stack, *fr, *fr->proc, *ip);
    QUILLET_NEXT();
   op_Sub:
    Arithmetic<EOp::Sub>(fr->stack, *fr, *fr->proc, *ip);
    QUILLET_NEXT();
   op_Mul:
    Arithmetic<EOp::Mul>(fr->stack, *fr, *fr->proc, *ip);
    QUILLET_NEXT();
   op_Mod:
    Arithmetic<EOp::Mod>(fr->stack, *fr, *fr->proc, *ip);
    QUILLET_NEXT();
   op_Div: op_IntDiv: op_Pow: op_Concat: op_And: op_Or: op_Xor: op_Eqv: op_Imp:
    Arithmetic<EOp::Count_>(fr->stack, *fr, *fr->proc, *ip);
    QUILLET_NEXT();
   op_Eq:
    Comparison<EOp::Eq>(fr->stack, *fr->proc, *ip, pc);
    QUILLET_NEXT();
   op_Ne:
    Comparison<EOp::Ne>(fr->stack, *fr->proc, *ip, pc);
    QUILLET_NEXT();
   op_Lt:
    Comparison<EOp::Lt>(fr->stack, *fr->proc, *ip, pc);
    QUILLET_NEXT();
   op_Gt:
    Comparison<EOp::Gt>(fr->stack, *fr->proc, *ip, pc);
    QUILLET_NEXT();
   op_Le:
    Comparison<EOp::Le>(fr->stack, *fr->proc, *ip, pc);
    QUILLET_NEXT();
   op_Ge:
    Comparison<EOp::Ge>(fr->stack, *fr->proc, *ip, pc);
    QUILLET_NEXT();
   op_Is:
    {
      const bool same = ops::Is(fr->stack[fr->stack.size() - 2], fr->stack.back());
      fr->stack.pop_back();
      fr->stack.back() = CVariant::Boolean(same);
    }
    QUILLET_NEXT();
   op_Jump:
    pc = static_cast<uint32_t>(ip->a);
    QUILLET_NEXT();
   op_JumpFalse:
    if (!Truth(fr->stack.back())) pc = static_cast<uint32_t>(ip->a);
    fr->stack.pop_back();
    QUILLET_NEXT();
   op_JumpTrue:
    if (Truth(fr->stack.back())) pc = static_cast<uint32_t>(ip->a);
    fr->stack.pop_back();
    QUILLET_NEXT();
   op_JumpBack:
    pc = static_cast<uint32_t>(ip->a);
    if (m_trap.load(std::memory_order_relaxed)) {
      fr->pc = pc;
      OnTrap(*fr, fr->proc->statements[fr->statement]);
    }
    QUILLET_NEXT();
   op_ForTest:
    {
      const CVariant& stepValue = fr->stack.back().Deref();
      const double step = IsIntegral(stepValue) ? IntegralValue(stepValue) : stepValue.ToDouble();
      ops::ECompare c{};
      if (!FastCompare(fr->stack[fr->stack.size() - 3], fr->stack[fr->stack.size() - 2], c)) {
        c = ops::Compare(fr->stack[fr->stack.size() - 3], fr->stack[fr->stack.size() - 2]);
      }
      Drop(fr->stack, 3);
      if ((step >= 0 && c == ops::ECompare::Greater) || (step < 0 && c == ops::ECompare::Less)) {
        pc = static_cast<uint32_t>(ip->a);
      }
    }
    QUILLET_NEXT();
   op_ForNext:
    {
      bool goOn = false;
      if (KindOf(*ip) != EVarKind::Local ||
          !FastForNext(fr->locals[static_cast<size_t>(ip->a)].Deref(), fr->locals[ip->n], fr->locals[ip->n + 1u], goOn)) {
        goOn = StepFor(*fr, *ip);
      }
      if (!goOn) ++pc;
    }
    QUILLET_NEXT();
   op_ForBound:
    if (!IsIntegral(fr->stack.back())) fr->stack.back() = ForBoundValue(fr->stack.back());
    QUILLET_NEXT();
   op_ForEachStart:
    fr->stack.back() = StartEnumeration(fr->stack.back());
    QUILLET_NEXT();
   op_ForEachNext:
    {
      CVariant enumerator = Pop(fr->stack);
      CVariant value;
      // No enumerator when the For Each line failed under On Error Resume Next: the body
      // then ran once, and the loop ends here.
      auto* items = enumerator.IsObject() ? static_cast<CEnumerator*>(enumerator.AsObject()) : nullptr;
      if (items != nullptr && items->Next(value)) fr->stack.push_back(std::move(value));
      else pc = static_cast<uint32_t>(ip->a);
    }
    QUILLET_NEXT();
   op_Pop:
    fr->stack.pop_back();
    QUILLET_NEXT();
   op_DimArray: op_ReDim: op_ReDimPreserve:
    {
      const int mode = ip->op == EOp::DimArray ? 0 : ip->op == EOp::ReDim ? 1 : 2;
      Dimension(*fr, KindOf(*ip), ip->a, Top(fr->stack, ip->n), mode);
      Drop(fr->stack, ip->n);
    }
    QUILLET_NEXT();
   op_Erase:
    {
      CVariant& slot = Slot(*fr, KindOf(*ip), ip->a, EAccess::Write);
      if (!slot.IsArray()) throw CScriptError(err::TypeMismatch);
      slot.AsArray()->Erase();
    }
    QUILLET_NEXT();
   op_OnErrorResume:
    fr->resumeNext = true;
    m_err.Clear();
    QUILLET_NEXT();
   op_OnErrorGoto0:
    fr->resumeNext = false;
    m_err.Clear();
    QUILLET_NEXT();
   op_Append:
    {
      CVariant value = Pop(fr->stack);
      Append(Slot(*fr, KindOf(*ip), ip->a, EAccess::Write), value);
    }
    QUILLET_NEXT();
   op_Return:
    if (m_inlineCount == inlineBase) {
      fr->Unpin();
      return;
    }
    QUILLET_ENTER(ReturnToCaller());
   op_Dynamic:
    {
      CVariant result = RunDynamic(*fr, static_cast<EDynamic>(ip->b), Top(fr->stack, ip->n));
      Drop(fr->stack, ip->n);
      fr->stack.push_back(std::move(result));
    }
    QUILLET_NEXT();
   op_Count_:
    throw CScriptError(err::InternalError);
}
#undef QUILLET_ENTER
#undef QUILLET_NEXT

// A member by name; a script class's member through the cache, so that a loop does not search
// by name each time. Inside the class (Me implied) private members count too.
CVariant CVirtualMachine::InvokeNamed(const CProcedure& proc, int32_t nameIndex, CDispatchObject& target,
                                      EInvokeKind kind, std::span<CVariant> args, bool inside) {
  const std::u16string_view name = proc.constants[static_cast<size_t>(nameIndex)].AsString();
  if (typeid(target) == typeid(CClassInstance)) {
    auto& instance = static_cast<CClassInstance&>(target);
    SMemberCache& cache = proc.MemberCache(nameIndex);
    if (cache.cls != &instance.Class() || cache.inside != inside) {
      cache.member = instance.Lookup(name, inside);
      cache.cls = cache.member != nullptr ? &instance.Class() : nullptr;
      cache.inside = inside;
    }
    if (cache.member != nullptr) return instance.InvokeFound(*cache.member, kind, args);
    return instance.InvokeMember(name, kind, args, inside);
  }
  return target.Invoke(name, kind, args);
}

// The element of a one-dimensional array in a local or a declared global named by one whole
// number; null for anything else, which takes the general way (and gets its errors there).
CVariant* CVirtualMachine::FastElement(SFrame& f, EVarKind kind, int32_t a, const CVariant& index) {
  const CVariant& i = index.Deref();
  if (!IsIntegral(i)) return nullptr;
  CVariant* slot = nullptr;
  if (kind == EVarKind::Local) slot = &f.locals[static_cast<size_t>(a)].Deref();
  else if (kind == EVarKind::Global && m_globals.At(a).kind == EGlobalKind::Variable) slot = &m_globals.At(a).value;
  if (slot == nullptr || !slot->IsArray()) return nullptr;
  return slot->AsArray()->ElementOrNull(IntegralValue(i));
}

const CProcedure* CVirtualMachine::MemberToEnter(const CProcedure& proc, int32_t nameIndex, CDispatchObject& target,
                                                 EInvokeKind kind, std::span<CVariant> args, bool inside) {
  if (typeid(target) != typeid(CClassInstance)) return nullptr;
  auto& instance = static_cast<CClassInstance&>(target);
  SMemberCache& cache = proc.MemberCache(nameIndex);
  if (cache.cls != &instance.Class() || cache.inside != inside) {
    cache.member = instance.Lookup(proc.constants[static_cast<size_t>(nameIndex)].AsString(), inside);
    cache.cls = cache.member != nullptr ? &instance.Class() : nullptr;
    cache.inside = inside;
  }
  const SClassMember* member = cache.member;
  if (member == nullptr) return nullptr;
  if (member->kind == EMemberKind::Method) return kind == EInvokeKind::Get ? member->method : nullptr;
  if (member->kind != EMemberKind::Property) return nullptr;
  if (kind == EInvokeKind::Get) return member->get;
  if (kind == EInvokeKind::Set) return member->set;
  if (member->let == nullptr) return nullptr;
  args.back() = LetValue(args.back());
  return member->let;
}

// New: a script class of the name, else a built-in one (RegExp).
CVariant CVirtualMachine::NewObject(std::u16string_view name) {
  const CScriptClass* cls = m_globals.FindClass(name);
  if (cls == nullptr) {
    CVariant builtin = NewBuiltinClass(name);
    if (builtin.IsObject()) return builtin;
    throw CScriptError(err::ClassNotDefined, u"Class not defined: '" + std::u16string(name) + u"'");
  }
  auto* instance = new CClassInstance(*cls, *this);
  CVariant object = CVariant::Object(instance);
  instance->Initialize();
  return object;
}

// Next of a For loop: the counter goes up by the step and is tested against the limit, with the
// rules of + and of the For line's test. A counter in a local or a declared global with whole
// numbers takes the short way.
bool CVirtualMachine::StepFor(SFrame& f, SInstr in) {
  const CVariant& limit = f.locals[in.n];
  const CVariant& step = f.locals[in.n + 1u];
  const auto kind = static_cast<EVarKind>(in.b);
  bool goOn = false;
  if (kind == EVarKind::Local && FastForNext(f.locals[static_cast<size_t>(in.a)].Deref(), limit, step, goOn)) {
    return goOn;
  }
  if (kind == EVarKind::Global && m_globals.At(in.a).kind == EGlobalKind::Variable &&
      FastForNext(m_globals.At(in.a).value, limit, step, goOn)) {
    return goOn;
  }
  CVariant next = LoadVar(f, kind, in.a);
  if (!FastArithmetic<EOp::Add>(next, step)) next = ops::Add(next, step);
  StoreVar(f, kind, in.a, std::move(next), false, false);
  const CVariant current = LoadVar(f, kind, in.a);
  const double direction = IsIntegral(step) ? IntegralValue(step) : step.ToDouble();
  ops::ECompare c{};
  if (!FastCompare(current, limit, c)) c = ops::Compare(current, limit);
  return !((direction >= 0 && c == ops::ECompare::Greater) || (direction < 0 && c == ops::ECompare::Less));
}

}  // namespace quillet::engine
