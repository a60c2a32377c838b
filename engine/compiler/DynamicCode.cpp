// Eval, Execute, ExecuteGlobal and GetRef: source text compiled while the script runs. Execute
// and Eval work in the caller's scope: the compiled body's first locals are references to the
// caller's locals, slot for slot, and undeclared names reach the caller's implicit locals.

#include <algorithm>

#include "engine/runtime/ClassInstance.h"
#include "engine/compiler/Compiler.h"
#include "engine/syntax/Parser.h"
#include "engine/vm/ProcedureRef.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

// A syntax error in the text is a runtime error of the statement that ran it.
template <typename Fn>
auto CompileText(Fn&& compile) {
  try {
    return compile();
  } catch (CScriptError& error) {
    error.SetKind(EErrorKind::Runtime);
    error.SetPosition(0, 0);
    throw;
  }
}

std::u16string TextArgument(std::span<CVariant> args) {
  const CVariant& v = args[0].Deref();
  if (v.IsNull()) throw CScriptError(err::TypeMismatch);
  return v.ToString();
}

}  // namespace

CVariant CVirtualMachine::RunDynamic(SFrame& caller, EDynamic kind, std::span<CVariant> args) {
  if (kind == EDynamic::Stop) {
    if (m_debugger != nullptr) m_debugger->OnStopStatement(caller);
    return {};
  }
  if (args.size() != 1) throw CScriptError(err::WrongArgCount);
  const std::u16string text = TextArgument(args);
  switch (kind) {
    case EDynamic::Eval: return Eval(caller, text);
    case EDynamic::Execute: ExecuteText(caller, text, false); return {};
    case EDynamic::ExecuteGlobal: ExecuteText(caller, text, true); return {};
    case EDynamic::GetRef: return GetRef(text);
    case EDynamic::Stop: break;
  }
  return {};
}

CVariant CVirtualMachine::Eval(SFrame& caller, std::u16string_view text) {
  const CProcedure& scope = *NameScope(caller).proc;
  std::unique_ptr<CProcedure> proc = CompileText([&] {
    ExprPtr expr = CParser::ParseExpressionText(text);
    CCompiler compiler(m_globals);
    return compiler.CompileEval(*expr, scope);
  });
  CVariant result;
  RunInScope(caller, *proc, &result);
  return result;
}

void CVirtualMachine::ExecuteText(SFrame& caller, std::u16string_view text, bool global) {
  // ExecuteGlobal sees only global names, whoever calls it.
  static const CProcedure kGlobalScope = [] {
    CProcedure scope;
    scope.isGlobalCode = true;
    return scope;
  }();
  SFrame globalFrame;
  globalFrame.proc = &kGlobalScope;
  SFrame& target = global ? globalFrame : caller;
  const CProcedure& scope = *NameScope(target).proc;
  std::unique_ptr<SCompiledUnit> unit = CompileText([&] {
    SProgram program = CParser::Parse(text);
    CCompiler compiler(m_globals);
    return compiler.CompileInScope(program, scope);
  });
  const CProcedure& body = *unit->globalCode;
  if (!unit->procedures.empty() || !unit->classes.empty()) m_dynamicUnits.push_back(std::move(unit));
  RunInScope(target, body, nullptr);
}

CVariant CVirtualMachine::GetRef(std::u16string_view name) {
  const int32_t slot = m_globals.Find(name);
  if (slot < 0 || m_globals.At(slot).kind != EGlobalKind::Procedure) throw CScriptError(err::InvalidCall);
  return CVariant::Object(new CProcedureRef(*m_globals.At(slot).procedure, *this));
}

// The body runs in its own frame whose locals point at the scope frame's; Me is the scope's.
void CVirtualMachine::RunInScope(SFrame& caller, const CProcedure& proc, CVariant* result) {
  if (m_depth >= m_maxDepth) throw CScriptError(err::OutOfStack);
  SFrame& scope = NameScope(caller);
  SFrame frame;
  frame.proc = &proc;
  frame.me = scope.me;
  frame.scope = &scope;
  CFrameStorage storage(*this, frame);
  const size_t shared = std::min(scope.locals.size(), proc.LocalCount());
  for (size_t i = 0; i < shared; ++i) frame.locals[i] = CVariant::Reference(&scope.locals[i].Deref());
  CVariant keepAlive = scope.me != nullptr ? CVariant::Object(scope.me) : CVariant();
  ++m_depth;
  m_frames.push_back(&frame);
  struct SPop {
    CVirtualMachine& vm;
    ~SPop() {
      --vm.m_depth;
      vm.m_frames.pop_back();
    }
  } pop{*this};
  Execute(frame);
  if (result != nullptr) *result = std::move(frame.locals.back().Deref());
  KeepDeclaredLocals(frame, shared, scope);
}

// Execute "Dim x" inside a procedure declares x for the rest of that procedure: the body's own
// named locals move to the scope's implicit locals, where the procedure's undeclared names and
// later dynamic code look. Temporaries have no name and stay behind.
void CVirtualMachine::KeepDeclaredLocals(SFrame& body, size_t shared, SFrame& scope) {
  if (body.proc->isGlobalCode) return;
  for (size_t i = shared; i < body.locals.size() && i < body.proc->localNames.size(); ++i) {
    const std::u16string& name = body.proc->localNames[i];
    if (name.empty()) continue;
    auto [it, added] = scope.ImplicitLocals().try_emplace(platform::LowerAscii(name));
    if (added) it->second = std::move(body.locals[i].Deref());
  }
}

}  // namespace quillet::engine
