#pragma once
// The instruction set of the virtual machine: a stack machine, one 8-byte instruction each.
//   op  the operation
//   b   a small operand: the variable kind (EVarKind) of a variable operation, comparison flags
//   n   an argument or dimension count
//   a   an index: variable slot, constant, name, jump target, statement
// "push"/"pop" below mean the evaluation stack of the current frame.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillet::engine {

enum class EVarKind : uint8_t {
  Local,   // a: slot in the frame
  Global,  // a: slot in the global table
  Field,   // a: field of Me
  Name,    // a: name constant, looked up when run (undeclared names inside procedures)
};

enum class EOp : uint8_t {
  Stmt,           // statement a begins: the debugger's hook, the error position
  Const,          // push constant a
  Nothing,        // push Nothing
  Me,             // push Me
  Load,           // push variable (b, a)
  Store,          // pop value, assign to variable (b, a); n=1: as is (For Each), else Let rules
  SetVar,         // pop object, Set variable (b, a)
  Ref,            // push a reference to variable (b, a) for ByRef passing
  CallVar,        // pop n args; push var(args): procedure call, array element or default member
  RefIndex,       // like CallVar, but an array element is pushed as a reference
  StoreIndex,     // pop value and n args; var(args) = value
  SetIndex,       // pop object and n args; Set var(args) = object
  CallBuiltin,    // pop n args; push builtin a (args)
  CallMe,         // pop n args; push Me.member (name a), private members included
  StoreMe,        // pop value and n args; Me.member(args) = value
  SetMe,          // pop object and n args; Set Me.member(args) = object
  Member,         // pop n args and object; push object.name(args) (name a)
  StoreMember,    // pop value, n args, object; object.name(args) = value
  SetMember,      // pop object value, n args, object; Set object.name(args) = value
  StoreApplied,   // pop value, n args, target; target(args) = value: an object's default member
                  // or an element of an array computed by the expression
  SetApplied,     // the same with Set
  Index,          // pop n args and value; push value(args)
  New,            // push a new instance of class (name a)
  Neg, Not,       // unary on the top
  Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat, And, Or, Xor, Eqv, Imp,  // pop b, pop a, push a op b
  Eq, Ne, Lt, Gt, Le, Ge,  // comparisons; b holds the flags below
  Is,             // pop two objects, push whether they are the same
  Jump,           // pc = a
  JumpFalse,      // pop; pc = a unless true (Null counts as false)
  JumpTrue,       // pop; pc = a if true
  JumpBack,       // pc = a, backwards: loops test the debugger's trap here too
  ForTest,        // pop step, limit, counter; pc = a when the loop is done
  ForNext,        // variable (b, a) += local n + 1 (the step), then tested against local n (the
                  // limit): the instruction after, the jump back, is skipped when the loop is done
  ForBound,       // the top becomes a number: a For line's start, limit or step
  ForEachStart,   // pop collection, push its enumerator
  ForEachNext,    // pop enumerator; push the next element, or pc = a when exhausted
  Pop,            // drop the top
  DimArray,       // pop n upper bounds; variable (b, a) becomes a fixed array (n = 0: dynamic)
  ReDim,          // pop n upper bounds; variable (b, a) becomes a new dynamic array
  ReDimPreserve,  // same, keeping the elements
  Erase,          // erase the array in variable (b, a)
  OnErrorResume,  // the frame continues after errors
  OnErrorGoto0,   // the frame passes errors to its caller
  Append,         // pop value; variable (b, a) = variable & value, in place when possible
  Return,         // leave the procedure
  Dynamic,        // pop n args; push the result of dynamic code b (EDynamic) run in this frame's scope
  Count_
};

// b of a binary operator or a comparison.
inline constexpr uint8_t kLeftLiteral = 1;   // comparisons: the left operand was written as a literal
inline constexpr uint8_t kRightLiteral = 2;  // the right one was
inline constexpr uint8_t kRightConst = 4;    // the right operand is constant n, not on the stack
inline constexpr uint8_t kJumpUnless = 8;    // comparisons: pc = a unless true, instead of pushing
inline constexpr uint8_t kLeftLocal = 16;    // operators with kRightConst: the left operand is local a,
                                             // not on the stack, and the result is pushed

struct SInstr {
  EOp op = EOp::Stmt;
  uint8_t b = 0;
  uint16_t n = 0;
  int32_t a = 0;
};
static_assert(sizeof(SInstr) == 8);

struct SOpInfo {
  const char* name;
  bool jumps;    // a is a code address
  bool usesVar;  // (b, a) name a variable
};

inline constexpr std::array<SOpInfo, static_cast<size_t>(EOp::Count_)> kOpInfo{{
    {"Stmt", false, false},       {"Const", false, false},        {"Nothing", false, false},
    {"Me", false, false},         {"Load", false, true},          {"Store", false, true},
    {"SetVar", false, true},      {"Ref", false, true},           {"CallVar", false, true},
    {"RefIndex", false, true},    {"StoreIndex", false, true},    {"SetIndex", false, true},
    {"CallBuiltin", false, false}, {"CallMe", false, false},      {"StoreMe", false, false},
    {"SetMe", false, false},      {"Member", false, false},       {"StoreMember", false, false},
    {"SetMember", false, false},  {"StoreApplied", false, false}, {"SetApplied", false, false},
    {"Index", false, false},      {"New", false, false},
    {"Neg", false, false},        {"Not", false, false},          {"Add", false, false},
    {"Sub", false, false},        {"Mul", false, false},          {"Div", false, false},
    {"IntDiv", false, false},     {"Mod", false, false},          {"Pow", false, false},
    {"Concat", false, false},     {"And", false, false},          {"Or", false, false},
    {"Xor", false, false},        {"Eqv", false, false},          {"Imp", false, false},
    {"Eq", false, false},         {"Ne", false, false},           {"Lt", false, false},
    {"Gt", false, false},         {"Le", false, false},           {"Ge", false, false},
    {"Is", false, false},         {"Jump", true, false},          {"JumpFalse", true, false},
    {"JumpTrue", true, false},    {"JumpBack", true, false},      {"ForTest", true, false},
    {"ForNext", false, true},     {"ForBound", false, false},
    {"ForEachStart", false, false}, {"ForEachNext", true, false}, {"Pop", false, false},
    {"DimArray", false, true},    {"ReDim", false, true},         {"ReDimPreserve", false, true},
    {"Erase", false, true},       {"OnErrorResume", false, false}, {"OnErrorGoto0", false, false},
    {"Append", false, true},      {"Return", false, false},       {"Dynamic", false, false},
}};
static_assert(kOpInfo.size() == static_cast<size_t>(EOp::Count_));
constexpr bool EveryOpNamed() {
  for (const auto& info : kOpInfo) {
    if (info.name == nullptr) return false;
  }
  return true;
}
static_assert(EveryOpNamed(), "one row per opcode");
static_assert(kOpInfo[static_cast<size_t>(EOp::Return)].name[0] == 'R', "rows follow the enum");
static_assert(kOpInfo[static_cast<size_t>(EOp::Dynamic)].name[0] == 'D', "rows follow the enum");

// What an instruction does to the depth of the evaluation stack, on the way it falls through.
constexpr int StackEffect(const SInstr& in) {
  const int n = in.n;
  switch (in.op) {
    case EOp::Const: case EOp::Nothing: case EOp::Me: case EOp::Load: case EOp::Ref: case EOp::New:
      return 1;
    case EOp::Store: case EOp::SetVar: case EOp::Pop: case EOp::Append: case EOp::JumpFalse: case EOp::JumpTrue:
      return -1;
    case EOp::Add: case EOp::Sub: case EOp::Mul: case EOp::Div: case EOp::IntDiv: case EOp::Mod: case EOp::Pow:
    case EOp::Concat: case EOp::And: case EOp::Or: case EOp::Xor: case EOp::Eqv: case EOp::Imp:
      return ((in.b & kRightConst) != 0 ? 0 : -1) + ((in.b & kLeftLocal) != 0 ? 1 : 0);
    case EOp::Eq: case EOp::Ne: case EOp::Lt: case EOp::Gt: case EOp::Le: case EOp::Ge:
      return ((in.b & kRightConst) != 0 ? 0 : -1) - ((in.b & kJumpUnless) != 0 ? 1 : 0);
    case EOp::Is:
      return -1;
    case EOp::CallVar: case EOp::RefIndex: case EOp::CallBuiltin: case EOp::CallMe: case EOp::Dynamic:
      return 1 - n;
    case EOp::Member: case EOp::Index: case EOp::DimArray: case EOp::ReDim: case EOp::ReDimPreserve:
      return -n;
    case EOp::StoreIndex: case EOp::SetIndex: case EOp::StoreMe: case EOp::SetMe:
      return -n - 1;
    case EOp::StoreMember: case EOp::SetMember: case EOp::StoreApplied: case EOp::SetApplied:
      return -n - 2;
    case EOp::ForTest:
      return -3;
    default:  // Stmt, Neg, Not, jumps, ForNext, ForBound, ForEachStart, ForEachNext, Erase, On Error, Return
      return 0;
  }
}

// The functions that compile source text while the script runs, and GetRef, which needs the
// global table: they are not ordinary built-ins because they work on the calling frame. Stop
// (no arguments) hands the frame to the debugger, and does nothing without one.
enum class EDynamic : uint8_t { Eval, Execute, ExecuteGlobal, GetRef, Stop };

}  // namespace quillet::engine
