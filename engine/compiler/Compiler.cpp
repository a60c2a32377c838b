#include "engine/compiler/Compiler.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "engine/library/Builtins.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/VariantOps.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

std::u16string Lower(std::u16string_view text) { return platform::LowerAscii(text); }

EOp BinaryOp(ETok op) {
  switch (op) {
    case ETok::Plus: return EOp::Add;
    case ETok::Minus: return EOp::Sub;
    case ETok::Star: return EOp::Mul;
    case ETok::Slash: return EOp::Div;
    case ETok::Backslash: return EOp::IntDiv;
    case ETok::Mod: return EOp::Mod;
    case ETok::Caret: return EOp::Pow;
    case ETok::Amp: return EOp::Concat;
    case ETok::And: return EOp::And;
    case ETok::Or: return EOp::Or;
    case ETok::Xor: return EOp::Xor;
    case ETok::Eqv: return EOp::Eqv;
    case ETok::Imp: return EOp::Imp;
    case ETok::Eq: return EOp::Eq;
    case ETok::Ne: return EOp::Ne;
    case ETok::Lt: return EOp::Lt;
    case ETok::Gt: return EOp::Gt;
    case ETok::Le: return EOp::Le;
    case ETok::Ge: return EOp::Ge;
    default: return EOp::Is;
  }
}

// -1 when the name is none of the functions that work on the calling frame.
int FindDynamic(std::u16string_view key) {
  static constexpr std::u16string_view kNames[] = {u"eval", u"execute", u"executeglobal", u"getref"};
  for (size_t i = 0; i < std::size(kNames); ++i) {
    if (key == kNames[i]) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

// ---- emission ---------------------------------------------------------------------------

size_t CCompiler::Emit(EOp op, int32_t a, uint8_t b, uint16_t n) {
  m_proc->code.push_back(SInstr{op, b, n, a});
  return m_proc->code.size() - 1;
}

size_t CCompiler::EmitVar(EOp op, const SResolved& var, uint16_t n) {
  return Emit(op, var.index, static_cast<uint8_t>(var.varKind), n);
}

size_t CCompiler::EmitStatement(int line, int column) {
  m_proc->statements.push_back({static_cast<uint32_t>(m_proc->code.size()), line, column});
  return Emit(EOp::Stmt, static_cast<int32_t>(m_proc->statements.size() - 1));
}

// A loop that goes back to a statement's mark is trapped there; any other target needs the
// jump to test the trap itself, or a loop without statements could never be stopped.
void CCompiler::EmitLoopBack(size_t top) {
  const EOp jump = top < m_proc->code.size() && m_proc->code[top].op == EOp::Stmt ? EOp::Jump : EOp::JumpBack;
  Emit(jump, static_cast<int32_t>(top));
}

int32_t CCompiler::Here() const { return static_cast<int32_t>(m_proc->code.size()); }

void CCompiler::PatchHere(size_t at) { m_proc->code[at].a = Here(); }

int32_t CCompiler::AddConst(const CVariant& value) {
  m_proc->constants.push_back(value);
  return static_cast<int32_t>(m_proc->constants.size() - 1);
}

int32_t CCompiler::NameConst(const std::u16string& name) {
  const std::u16string key = Lower(name);
  auto it = m_nameConsts.find(key);
  if (it != m_nameConsts.end()) return it->second;
  const int32_t index = AddConst(CVariant::String(name));
  m_nameConsts.emplace(key, index);
  return index;
}

// An undeclared name in a procedure lives in its frame's table of implicit locals, which
// dynamic code shares; the table is keyed by the lower-case name (first constant) so that
// every spelling meets the same variable, and messages show the spelling (second constant).
int32_t CCompiler::VariableNameConst(const std::u16string& name) {
  const std::u16string key = u"\x01" + Lower(name);  // apart from member names
  auto it = m_nameConsts.find(key);
  if (it != m_nameConsts.end()) return it->second;
  const int32_t index = AddConst(CVariant::String(Lower(name)));
  (void)AddConst(CVariant::String(name));
  m_nameConsts.emplace(key, index);
  return index;
}

int32_t CCompiler::AllocTemp() {
  m_proc->localNames.emplace_back();
  return static_cast<int32_t>(m_proc->localNames.size() - 1);
}

uint16_t CCompiler::Count(size_t n, int line, int column) {
  if (n > std::numeric_limits<uint16_t>::max()) ThrowCompileError(err::SyntaxError, line, column);
  return static_cast<uint16_t>(n);
}

// ---- declarations -----------------------------------------------------------------------

template <typename Fn>
auto CCompiler::Transaction(Fn&& compile) {
  m_undoGlobals.clear();
  m_undoClasses.clear();
  try {
    return compile();
  } catch (...) {
    Undo();
    throw;
  }
}

void CCompiler::Undo() {
  for (auto it = m_undoGlobals.rbegin(); it != m_undoGlobals.rend(); ++it) {
    m_globals.At(it->slot) = std::move(it->previous);
  }
  for (auto it = m_undoClasses.rbegin(); it != m_undoClasses.rend(); ++it) {
    m_globals.RestoreClass(it->name, std::move(it->previous));
  }
  m_undoGlobals.clear();
  m_undoClasses.clear();
}

std::unique_ptr<SCompiledUnit> CCompiler::Compile(const SProgram& program) {
  return Transaction([&] { return CompileProgram(program); });
}

std::unique_ptr<SCompiledUnit> CCompiler::CompileProgram(const SProgram& program) {
  auto unit = std::make_unique<SCompiledUnit>();
  m_optionExplicit = program.optionExplicit;
  DeclareClasses(program, *unit);
  DeclareProcedures(program, *unit);
  DeclareGlobals(program.body);
  unit->globalCode = std::make_unique<CProcedure>();
  unit->globalCode->isGlobalCode = true;
  CompileGlobalCode(program, *unit->globalCode);
  CompileUnitMembers(program, *unit);
  return unit;
}

void CCompiler::CompileUnitMembers(const SProgram& program, SCompiledUnit& unit) {
  size_t i = 0;
  for (const auto& decl : program.procs) CompileProcedure(decl, *unit.procedures[i++], nullptr);
  i = 0;
  for (const auto& decl : program.classes) CompileClass(decl, *unit.classes[i++]);
}

// The dynamic body sees the caller's names: its first locals are the caller's, same slots, so
// the virtual machine can make them references to the caller's frame.
void CCompiler::BeginScope(CProcedure& proc, const CProcedure& scope) {
  m_proc = &proc;
  m_class = scope.owner;
  m_locals.clear();
  m_consts.clear();
  m_nameConsts.clear();
  m_selfName.clear();
  proc.isDynamic = true;
  proc.isGlobalCode = scope.isGlobalCode;
  proc.owner = scope.owner;
  proc.optionExplicit = m_optionExplicit || scope.optionExplicit;
  proc.localNames = scope.localNames;
  for (size_t i = scope.FirstParam(); i < scope.localNames.size(); ++i) {
    if (!scope.localNames[i].empty()) m_locals[Lower(scope.localNames[i])] = static_cast<int32_t>(i);
  }
  for (const auto& [key, value] : scope.namedConsts) m_consts[key] = value;
  proc.namedConsts = scope.namedConsts;
  if (scope.hasResult) m_selfName = Lower(scope.name);
}

std::unique_ptr<SCompiledUnit> CCompiler::CompileInScope(const SProgram& program, const CProcedure& scope) {
  return Transaction([&] { return CompileProgramInScope(program, scope); });
}

std::unique_ptr<SCompiledUnit> CCompiler::CompileProgramInScope(const SProgram& program, const CProcedure& scope) {
  auto unit = std::make_unique<SCompiledUnit>();
  m_optionExplicit = program.optionExplicit;
  DeclareClasses(program, *unit);
  DeclareProcedures(program, *unit);
  if (scope.isGlobalCode) DeclareGlobals(program.body);
  unit->globalCode = std::make_unique<CProcedure>();
  BeginScope(*unit->globalCode, scope);
  if (!scope.isGlobalCode) CollectLocals(program.body);
  CompileBlock(program.body);
  Emit(EOp::Return);
  m_selfName.clear();
  CompileUnitMembers(program, *unit);
  return unit;
}

std::unique_ptr<CProcedure> CCompiler::CompileEval(const SExpr& expr, const CProcedure& scope) {
  auto proc = std::make_unique<CProcedure>();
  m_optionExplicit = false;
  BeginScope(*proc, scope);
  EmitStatement(expr.line, expr.column);
  CompileExpr(expr);
  Emit(EOp::Store, AllocTemp(), static_cast<uint8_t>(EVarKind::Local), 1);
  Emit(EOp::Return);
  m_selfName.clear();
  return proc;
}

void CCompiler::DeclareClasses(const SProgram& program, SCompiledUnit& unit) {
  for (const auto& decl : program.classes) {
    const std::u16string key = Lower(decl.name);
    if (m_declaredHere.count(key) != 0) ThrowCompileError(err::NameRedefined, decl.line, decl.column);
    m_declaredHere[key] = true;
    auto cls = std::make_shared<CScriptClass>();
    cls->name = decl.name;
    m_undoClasses.push_back({decl.name, m_globals.AddClass(cls)});
    unit.classes.push_back(std::move(cls));
  }
}

void CCompiler::DeclareProcedures(const SProgram& program, SCompiledUnit& unit) {
  for (const auto& decl : program.procs) {
    const std::u16string key = Lower(decl.name);
    if (m_declaredHere.count(key) != 0) ThrowCompileError(err::NameRedefined, decl.line, decl.column);
    m_declaredHere[key] = true;
    auto proc = std::make_unique<CProcedure>();
    proc->name = decl.name;
    proc->kind = decl.kind;
    const int32_t slot = m_globals.Intern(decl.name);
    SGlobal& global = m_globals.At(slot);
    m_undoGlobals.push_back({slot, global});
    global.kind = EGlobalKind::Procedure;
    global.procedure = proc.get();
    global.value.Clear();
    unit.procedures.push_back(std::move(proc));
  }
}

// Dim anywhere in the global code declares a global before the first statement runs.
void CCompiler::DeclareGlobals(const Block& block) {
  for (const auto& stmt : block) {
    if (stmt->kind == EStmt::Dim) {
      for (const auto& item : stmt->items) {
        const std::u16string key = Lower(item.name);
        if (m_declaredHere.count(key) != 0) ThrowCompileError(err::NameRedefined, item.line, item.column);
        m_declaredHere[key] = true;
        const int32_t slot = m_globals.Intern(item.name);
        SGlobal& global = m_globals.At(slot);
        if (global.declared) ThrowCompileError(err::NameRedefined, item.line, item.column);
        m_undoGlobals.push_back({slot, global});
        global.declared = true;
        if (global.kind == EGlobalKind::Undeclared) global.kind = EGlobalKind::Variable;
      }
    } else if (stmt->kind == EStmt::Const) {
      for (const auto& item : stmt->items) {
        const std::u16string key = Lower(item.name);
        if (m_declaredHere.count(key) != 0) ThrowCompileError(err::NameRedefined, item.line, item.column);
        m_declaredHere[key] = true;
        CVariant value = EvalConst(*item.value);
        const int32_t slot = m_globals.Intern(item.name);
        SGlobal& global = m_globals.At(slot);
        if (global.declared) ThrowCompileError(err::NameRedefined, item.line, item.column);
        m_undoGlobals.push_back({slot, global});
        global.declared = true;
        global.kind = EGlobalKind::Const;
        global.value = std::move(value);
      }
    }
    DeclareGlobals(stmt->body);
    for (const auto& branch : stmt->branches) DeclareGlobals(branch.body);
  }
}

void CCompiler::CollectLocals(const Block& block) {
  for (const auto& stmt : block) {
    if (stmt->kind == EStmt::Dim) {
      for (const auto& item : stmt->items) {
        const std::u16string key = Lower(item.name);
        if (m_locals.count(key) != 0) ThrowCompileError(err::NameRedefined, item.line, item.column);
        m_locals[key] = static_cast<int32_t>(m_proc->localNames.size());
        m_proc->localNames.push_back(item.name);
      }
    }
    CollectLocals(stmt->body);
    for (const auto& branch : stmt->branches) CollectLocals(branch.body);
  }
}

CVariant CCompiler::EvalConst(const SExpr& expr) {
  if (expr.kind == EExpr::Literal) return expr.value;
  if (expr.kind == EExpr::Paren && expr.left) return EvalConst(*expr.left);
  if (expr.kind == EExpr::Unary && expr.op == ETok::Minus) return ops::Negate(EvalConst(*expr.left));
  if (expr.kind == EExpr::Unary && expr.op == ETok::Plus) return EvalConst(*expr.left);
  if (expr.kind == EExpr::Name && !expr.hasArgs) {
    SResolved r = Resolve(expr.name, false);
    if (r.kind == EResolved::Const) return r.value;
  }
  ThrowCompileError(err::ExpectedLiteral, expr.line, expr.column);
}

void CCompiler::CompileGlobalCode(const SProgram& program, CProcedure& proc) {
  m_proc = &proc;
  m_class = nullptr;
  m_locals.clear();
  m_consts.clear();
  m_nameConsts.clear();
  m_selfName.clear();
  proc.optionExplicit = program.optionExplicit;
  CompileBlock(program.body);
  Emit(EOp::Return);
}

void CCompiler::CompileProcedure(const SProcDecl& decl, CProcedure& proc, CScriptClass* cls) {
  m_proc = &proc;
  m_class = cls;
  m_locals.clear();
  m_consts.clear();
  m_nameConsts.clear();
  proc.owner = cls;
  proc.isPublic = decl.isPublic;
  proc.optionExplicit = m_optionExplicit;
  proc.hasResult = decl.kind == EProcKind::Function || decl.kind == EProcKind::PropertyGet;
  m_selfName = proc.hasResult ? Lower(decl.name) : std::u16string();
  if (proc.hasResult) proc.localNames.push_back(decl.name);
  for (const auto& param : decl.params) {
    const std::u16string key = Lower(param.name);
    if (m_locals.count(key) != 0) ThrowCompileError(err::NameRedefined, decl.line, decl.column);
    m_locals[key] = static_cast<int32_t>(proc.localNames.size());
    proc.localNames.push_back(param.name);
    proc.paramByVal.push_back(param.byVal ? 1 : 0);
  }
  CollectLocals(decl.body);
  CompileBlock(decl.body);
  Emit(EOp::Return);
  ReturnInsteadOfJumpToReturn();
  m_selfName.clear();
}

// The branch of an If that ends a procedure returns where it ends, rather than jumping to the
// Return: a recursive function's base case is one instruction shorter.
void CCompiler::ReturnInsteadOfJumpToReturn() {
  auto& code = m_proc->code;
  for (SInstr& in : code) {
    if (in.op == EOp::Jump && static_cast<size_t>(in.a) < code.size() && code[static_cast<size_t>(in.a)].op == EOp::Return) {
      in = SInstr{EOp::Return, 0, 0, 0};
    }
  }
}

void CCompiler::CompileClass(const SClassDecl& decl, CScriptClass& cls) {
  auto claim = [&](const std::u16string& key, int line, int column) -> SClassMember& {
    if (cls.members.count(key) != 0) ThrowCompileError(err::NameRedefined, line, column);
    return cls.members[key];
  };
  for (const auto& field : decl.fields) {
    SClassMember& member = claim(Lower(field.item.name), field.item.line, field.item.column);
    member.kind = EMemberKind::Field;
    member.isPublic = field.isPublic;
    member.field = static_cast<int>(cls.fields.size());
    SFieldInfo info{field.item.name, field.isPublic, field.item.hasBounds, {}};
    for (const auto& bound : field.item.bounds) {
      CVariant value = EvalConst(*bound);
      if (!value.IsNumeric()) ThrowCompileError(err::ExpectedInteger, bound->line, bound->column);
      info.uppers.push_back(value.ToLong());
    }
    cls.fields.push_back(std::move(info));
  }
  std::vector<CProcedure*> compiled;
  for (const auto& procDecl : decl.procs) {
    auto proc = std::make_unique<CProcedure>();
    proc->name = procDecl.name;
    proc->kind = procDecl.kind;
    const std::u16string key = Lower(procDecl.name);
    auto existing = cls.members.find(key);
    const bool isProperty = procDecl.kind >= EProcKind::PropertyGet;
    if (existing != cls.members.end() &&
        (!isProperty || existing->second.kind != EMemberKind::Property ||
         (procDecl.kind == EProcKind::PropertyGet && existing->second.get != nullptr) ||
         (procDecl.kind == EProcKind::PropertyLet && existing->second.let != nullptr) ||
         (procDecl.kind == EProcKind::PropertySet && existing->second.set != nullptr))) {
      ThrowCompileError(err::NameRedefined, procDecl.line, procDecl.column);
    }
    SClassMember& member = cls.members[key];
    member.kind = isProperty ? EMemberKind::Property : EMemberKind::Method;
    member.isPublic = member.isPublic && procDecl.isPublic;
    if (procDecl.kind == EProcKind::PropertyGet) member.get = proc.get();
    else if (procDecl.kind == EProcKind::PropertyLet) member.let = proc.get();
    else if (procDecl.kind == EProcKind::PropertySet) member.set = proc.get();
    else member.method = proc.get();
    if (key == u"class_initialize" || key == u"class_terminate") {
      if (!procDecl.params.empty()) ThrowCompileError(err::InitTerminateArgs, procDecl.line, procDecl.column);
      (key == u"class_initialize" ? cls.initialize : cls.terminate) = proc.get();
    }
    if (procDecl.isDefault) {
      if (!cls.defaultMember.empty() && cls.defaultMember != key) {
        ThrowCompileError(err::MultipleDefault, procDecl.line, procDecl.column);
      }
      cls.defaultMember = key;
    }
    compiled.push_back(proc.get());
    cls.procedures.push_back(std::move(proc));
  }
  for (size_t i = 0; i < decl.procs.size(); ++i) CompileProcedure(decl.procs[i], *compiled[i], &cls);
}

// ---- statements -------------------------------------------------------------------------

void CCompiler::CompileBlock(const Block& block) {
  for (const auto& stmt : block) CompileStatement(*stmt);
}

void CCompiler::CompileStatement(const SStmt& stmt) {
  if (stmt.kind == EStmt::Const) {
    // Constants are values known now; they cost nothing when the statement "runs".
    for (const auto& item : stmt.items) {
      if (m_proc->isGlobalCode) continue;  // declared with the globals
      const std::u16string key = Lower(item.name);
      if (m_locals.count(key) != 0 || m_consts.count(key) != 0) {
        ThrowCompileError(err::NameRedefined, item.line, item.column);
      }
      m_consts[key] = EvalConst(*item.value);
      m_proc->namedConsts.emplace_back(key, m_consts[key]);
    }
    return;
  }
  // A Dim without bounds only declares: nothing runs there, so a breakpoint moves past it.
  if (stmt.kind == EStmt::Dim &&
      std::none_of(stmt.items.begin(), stmt.items.end(), [](const auto& item) { return item.hasBounds; })) {
    return;
  }
  const size_t mark = EmitStatement(stmt.line, stmt.column);
  switch (stmt.kind) {
    case EStmt::Call:
      CompileExpr(*stmt.target);
      Emit(EOp::Pop);
      break;
    case EStmt::Assign: CompileAssign(*stmt.target, *stmt.value, false); break;
    case EStmt::Set: CompileAssign(*stmt.target, *stmt.value, true); break;
    case EStmt::Dim: CompileDim(stmt); break;
    case EStmt::ReDim: CompileReDim(stmt); break;
    case EStmt::Erase:
      for (const auto& item : stmt.items) EmitVar(EOp::Erase, ResolveVariable(item.name, item.line, item.column));
      break;
    case EStmt::If: CompileIf(stmt); break;
    case EStmt::Select: CompileSelect(stmt); break;
    case EStmt::For: CompileFor(stmt); break;
    case EStmt::ForEach: CompileForEach(stmt); break;
    case EStmt::Do: case EStmt::While: CompileDo(stmt, mark); break;
    case EStmt::With: CompileWith(stmt); break;
    case EStmt::Exit: CompileExit(stmt); break;
    case EStmt::OnErrorResume: Emit(EOp::OnErrorResume); break;
    case EStmt::OnErrorGoto0: Emit(EOp::OnErrorGoto0); break;
    case EStmt::Stop:
      Emit(EOp::Dynamic, 0, static_cast<uint8_t>(EDynamic::Stop), 0);
      Emit(EOp::Pop);
      break;
    case EStmt::Const: break;
  }
}

CCompiler::SResolved CCompiler::ResolveVariable(const std::u16string& name, int line, int column) {
  SResolved r = Resolve(name, false);
  if (r.kind != EResolved::Var) ThrowCompileError(err::IllegalAssignment, line, column);
  return r;
}

// s = s & a & b appends (a & b) to s in place: & gives the same result whichever way it is
// grouped, and building a string piece by piece then costs time linear in its length.
bool CCompiler::TryCompileAppend(const SExpr& target, const SExpr& value) {
  if (target.kind != EExpr::Name || target.hasArgs) return false;
  std::vector<const SExpr*> pieces;
  const SExpr* left = &value;
  while (left->kind == EExpr::Binary && left->op == ETok::Amp) {
    pieces.push_back(left->right.get());
    left = left->left.get();
  }
  if (pieces.empty() || left->kind != EExpr::Name || left->hasArgs || Lower(left->name) != Lower(target.name)) {
    return false;
  }
  SResolved r = Resolve(target.name, false);
  if (r.kind != EResolved::Var) return false;
  CompileExpr(*pieces.back());
  for (size_t i = pieces.size() - 1; i-- > 0;) {
    CompileExpr(*pieces[i]);
    Emit(EOp::Concat);
  }
  EmitVar(EOp::Append, r);
  return true;
}

void CCompiler::CompileAssign(const SExpr& target, const SExpr& value, bool isSet) {
  if (!isSet && TryCompileAppend(target, value)) return;
  if (target.kind == EExpr::Name) {
    SResolved r = Resolve(target.name, target.hasArgs);
    const uint16_t n = Count(target.args.size(), target.line, target.column);
    if (r.kind == EResolved::Const || r.kind == EResolved::Builtin || r.kind == EResolved::Dynamic) {
      ThrowCompileError(err::IllegalAssignment, target.line, target.column);
    }
    CompileArgs(target, false);
    CompileExpr(value);
    if (r.kind == EResolved::MeMember) {
      Emit(isSet ? EOp::SetMe : EOp::StoreMe, NameConst(target.name), 0, n);
    } else if (target.hasArgs) {
      EmitVar(isSet ? EOp::SetIndex : EOp::StoreIndex, r, n);
    } else {
      EmitVar(isSet ? EOp::SetVar : EOp::Store, r);
    }
    return;
  }
  if (target.kind == EExpr::Member) {
    CompileMemberObject(target);
    CompileArgs(target, false);
    CompileExpr(value);
    Emit(isSet ? EOp::SetMember : EOp::StoreMember, NameConst(target.name), 0,
         Count(target.args.size(), target.line, target.column));
    return;
  }
  if (target.kind == EExpr::Index) {
    // f(x)(y) = v: the value goes through the default member of what f(x) returned.
    CompileExpr(*target.left);
    CompileArgs(target, false);
    CompileExpr(value);
    Emit(isSet ? EOp::SetApplied : EOp::StoreApplied, 0, 0, Count(target.args.size(), target.line, target.column));
    return;
  }
  ThrowCompileError(err::SyntaxError, target.line, target.column);
}

void CCompiler::CompileDim(const SStmt& stmt) {
  for (const auto& item : stmt.items) {
    if (!item.hasBounds) continue;
    for (const auto& bound : item.bounds) CompileExpr(*bound);
    EmitVar(EOp::DimArray, ResolveVariable(item.name, item.line, item.column),
            Count(item.bounds.size(), item.line, item.column));
  }
}

void CCompiler::CompileReDim(const SStmt& stmt) {
  for (const auto& item : stmt.items) {
    for (const auto& bound : item.bounds) CompileExpr(*bound);
    EmitVar(stmt.preserve ? EOp::ReDimPreserve : EOp::ReDim, ResolveVariable(item.name, item.line, item.column),
            Count(item.bounds.size(), item.line, item.column));
  }
}

// Each ElseIf and Else is a statement of its own line: an error in its condition is reported
// there, and the debugger stops there when the branch is tried.
void CCompiler::CompileIf(const SStmt& stmt) {
  std::vector<size_t> ends;
  bool first = true;
  for (const auto& branch : stmt.branches) {
    size_t skip = 0;
    const bool conditional = !branch.conditions.empty();
    // An Else whose first statement stands on the Else's own line (If c Then a Else b) needs
    // no mark of its own: that statement's mark follows at once, on the same line.
    const bool elseMarkedByBody = !conditional && !branch.body.empty() &&
                                  branch.body.front()->kind != EStmt::Const && branch.body.front()->line == branch.line;
    if (!first && !elseMarkedByBody) EmitStatement(branch.line, branch.column);
    if (conditional) skip = CompileJumpUnless(*branch.conditions[0]);
    CompileBlock(branch.body);
    if (conditional) {
      ends.push_back(Emit(EOp::Jump));
      PatchHere(skip);
    }
    first = false;
  }
  for (size_t at : ends) PatchHere(at);
}

void CCompiler::CompileSelect(const SStmt& stmt) {
  const int32_t subject = AllocTemp();
  CompileExpr(*stmt.target);
  Emit(EOp::Store, subject, static_cast<uint8_t>(EVarKind::Local), 1);
  std::vector<size_t> ends;
  for (const auto& branch : stmt.branches) {
    // Each Case is tested as a statement of its own line.
    EmitStatement(branch.line, branch.column);
    if (branch.conditions.empty()) {
      CompileBlock(branch.body);
      break;
    }
    const size_t next = CompileCaseTest(branch.conditions, subject);
    CompileBlock(branch.body);
    ends.push_back(Emit(EOp::Jump));
    PatchHere(next);
  }
  for (size_t at : ends) PatchHere(at);
}

// Jumps into the body from the first value that matches and falls through into it from the
// last, so that a value that fails under On Error Resume Next goes on in its Case, as a failed
// If condition goes on in its Then part. Returns the jump to the next Case.
size_t CCompiler::CompileCaseTest(const std::vector<ExprPtr>& values, int32_t subject) {
  const auto compare = [&](const SExpr& value) {
    Emit(EOp::Load, subject, static_cast<uint8_t>(EVarKind::Local));
    CompileExpr(value);
    Emit(EOp::Eq, 0, IsLiteral(value) ? 2 : 0);
  };
  std::vector<size_t> toBody;
  for (size_t i = 0; i + 1 < values.size(); ++i) {
    compare(*values[i]);
    toBody.push_back(Emit(EOp::JumpTrue));
  }
  compare(*values.back());
  const size_t next = Emit(EOp::JumpFalse);
  for (size_t at : toBody) PatchHere(at);
  return next;
}

// The first test belongs to the For line; every further step and test to the Next line, so
// that an error in them is reported there and leaves the loop under On Error Resume Next.
void CCompiler::CompileFor(const SStmt& stmt) {
  SResolved counter = Resolve(stmt.name, false);
  if (counter.kind != EResolved::Var) ThrowCompileError(err::InvalidForVariable, stmt.nameLine, stmt.nameColumn);
  const int32_t limit = AllocTemp();
  const int32_t step = AllocTemp();
  const auto local = static_cast<uint8_t>(EVarKind::Local);
  CompileForBound(*stmt.value);
  CompileForBound(*stmt.limit);
  Emit(EOp::Store, limit, local, 1);
  if (stmt.step) CompileForBound(*stmt.step);
  else Emit(EOp::Const, AddConst(CVariant::Integer(1)));
  Emit(EOp::Store, step, local, 1);
  EmitVar(EOp::Store, counter);
  m_loops.push_back(SLoop{true, {EmitForTest(counter, limit, step)}});
  const size_t body = m_proc->code.size();
  CompileBlock(stmt.body);
  EmitStatement(stmt.endLine, stmt.endColumn);
  if (limit <= std::numeric_limits<uint16_t>::max() && step == limit + 1) {
    EmitVar(EOp::ForNext, counter, static_cast<uint16_t>(limit));
  } else {
    EmitVar(EOp::Load, counter);
    Emit(EOp::Load, step, local);
    Emit(EOp::Add);
    EmitVar(EOp::Store, counter);
    m_loops.back().exits.push_back(EmitForTest(counter, limit, step));
  }
  EmitLoopBack(body);
  for (size_t at : m_loops.back().exits) PatchHere(at);
  m_loops.pop_back();
}

// A start, limit or step of a For line, read as a number there (see ForBound); a numeric
// constant already is one (True is not: it becomes -1 as a variable holding it would).
void CCompiler::CompileForBound(const SExpr& bound) {
  CompileExpr(bound);
  CVariant constant;
  const bool number = ConstantValue(bound, constant) && constant.IsNumeric() && constant.Type() != EVarType::Boolean;
  if (!number) Emit(EOp::ForBound);
}

// The ForTest instruction, to be pointed at the end of the loop.
size_t CCompiler::EmitForTest(const SResolved& counter, int32_t limit, int32_t step) {
  const auto local = static_cast<uint8_t>(EVarKind::Local);
  EmitVar(EOp::Load, counter);
  Emit(EOp::Load, limit, local);
  Emit(EOp::Load, step, local);
  return Emit(EOp::ForTest);
}

// As with For: the first element is fetched on the For Each line, every further one on Next.
void CCompiler::CompileForEach(const SStmt& stmt) {
  SResolved element = Resolve(stmt.name, false);
  if (element.kind != EResolved::Var) ThrowCompileError(err::InvalidForVariable, stmt.nameLine, stmt.nameColumn);
  const int32_t enumerator = AllocTemp();
  const auto local = static_cast<uint8_t>(EVarKind::Local);
  CompileExpr(*stmt.value);
  Emit(EOp::ForEachStart);
  Emit(EOp::Store, enumerator, local, 1);
  Emit(EOp::Load, enumerator, local);
  m_loops.push_back(SLoop{true, {Emit(EOp::ForEachNext)}});
  EmitVar(EOp::Store, element, 1);
  const size_t body = m_proc->code.size();
  CompileBlock(stmt.body);
  EmitStatement(stmt.endLine, stmt.endColumn);
  Emit(EOp::Load, enumerator, local);
  m_loops.back().exits.push_back(Emit(EOp::ForEachNext));
  EmitVar(EOp::Store, element, 1);
  EmitLoopBack(body);
  for (size_t at : m_loops.back().exits) PatchHere(at);
  m_loops.pop_back();
}

// A condition on the Do (or While) line is tested again by going back to that line's mark; the
// Loop (or Wend) line is a statement of its own and holds a condition written there.
void CCompiler::CompileDo(const SStmt& stmt, size_t mark) {
  const ELoopTest test = stmt.kind == EStmt::While ? ELoopTest::PreWhile : stmt.test;
  const bool testFirst = test == ELoopTest::PreWhile || test == ELoopTest::PreUntil;
  const size_t top = testFirst ? mark : m_proc->code.size();
  m_loops.push_back(SLoop{false, {}});
  if (testFirst && test == ELoopTest::PreWhile) {
    m_loops.back().exits.push_back(CompileJumpUnless(*stmt.value));
  } else if (testFirst) {
    CompileExpr(*stmt.value);
    m_loops.back().exits.push_back(Emit(EOp::JumpTrue));
  }
  CompileBlock(stmt.body);
  EmitStatement(stmt.endLine, stmt.endColumn);
  if (test == ELoopTest::PostWhile || test == ELoopTest::PostUntil) {
    CompileExpr(*stmt.value);
    m_loops.back().exits.push_back(Emit(test == ELoopTest::PostWhile ? EOp::JumpFalse : EOp::JumpTrue));
  }
  EmitLoopBack(top);
  for (size_t at : m_loops.back().exits) PatchHere(at);
  m_loops.pop_back();
}

void CCompiler::CompileWith(const SStmt& stmt) {
  const int32_t temp = AllocTemp();
  CompileExpr(*stmt.target);
  Emit(EOp::Store, temp, static_cast<uint8_t>(EVarKind::Local), 1);
  m_withTemps.push_back(temp);
  CompileBlock(stmt.body);
  m_withTemps.pop_back();
  // Release the object now, not when the procedure ends: Class_Terminate timing depends on it.
  Emit(EOp::Nothing);
  Emit(EOp::Store, temp, static_cast<uint8_t>(EVarKind::Local), 1);
}

void CCompiler::CompileExit(const SStmt& stmt) {
  if (stmt.exitKind == EExit::Do || stmt.exitKind == EExit::For) {
    const bool wantFor = stmt.exitKind == EExit::For;
    for (size_t i = m_loops.size(); i-- > 0;) {
      if (m_loops[i].isFor == wantFor) {
        m_loops[i].exits.push_back(Emit(EOp::Jump));
        return;
      }
    }
    ThrowCompileError(err::InvalidExit, stmt.line, stmt.column);
  }
  Emit(EOp::Return);
}

// ---- expressions ------------------------------------------------------------------------

CCompiler::SResolved CCompiler::Resolve(const std::u16string& name, bool hasArgs) {
  const std::u16string key = Lower(name);
  SResolved r;
  if (!m_proc->isGlobalCode) {
    if (!hasArgs && !m_selfName.empty() && key == m_selfName) {
      r.varKind = EVarKind::Local;
      r.index = 0;
      return r;
    }
    auto local = m_locals.find(key);
    if (local != m_locals.end()) {
      r.varKind = EVarKind::Local;
      r.index = local->second;
      return r;
    }
    auto constant = m_consts.find(key);
    if (constant != m_consts.end()) {
      r.kind = EResolved::Const;
      r.value = constant->second;
      return r;
    }
  }
  if (m_class != nullptr) {
    if (const SClassMember* member = m_class->Find(key)) {
      if (member->kind == EMemberKind::Field) {
        r.varKind = EVarKind::Field;
        r.index = member->field;
      } else {
        r.kind = EResolved::MeMember;
      }
      return r;
    }
  }
  const int32_t global = m_globals.Find(key);
  if (global >= 0 && m_globals.At(global).kind == EGlobalKind::Const) {
    r.kind = EResolved::Const;
    r.value = m_globals.At(global).value;
    return r;
  }
  CVariant constant;
  const bool isConstant = FindBuiltinConstant(key, constant);
  if (global >= 0 && (m_globals.At(global).kind != EGlobalKind::Undeclared ||
                      (FindBuiltin(key) < 0 && FindDynamic(key) < 0 && !isConstant))) {
    r.varKind = EVarKind::Global;
    r.index = global;
    return r;
  }
  if (isConstant) {
    r.kind = EResolved::Const;
    r.value = std::move(constant);
    return r;
  }
  const int builtin = FindBuiltin(key);
  if (builtin >= 0) {
    r.kind = EResolved::Builtin;
    r.index = builtin;
    return r;
  }
  if (const int dynamic = FindDynamic(key); dynamic >= 0) {
    r.kind = EResolved::Dynamic;
    r.index = dynamic;
    return r;
  }
  if (m_proc->isGlobalCode) {
    r.varKind = EVarKind::Global;
    r.index = m_globals.Intern(name);
    return r;
  }
  r.varKind = EVarKind::Name;
  r.index = VariableNameConst(name);
  return r;
}

bool CCompiler::IsLiteral(const SExpr& expr) {
  if (expr.kind == EExpr::Literal) return true;
  if (expr.kind == EExpr::Name && !expr.hasArgs) return Resolve(expr.name, false).kind == EResolved::Const;
  return false;
}

void CCompiler::CompileExpr(const SExpr& expr) {
  switch (expr.kind) {
    case EExpr::Literal: Emit(EOp::Const, AddConst(expr.value)); return;
    case EExpr::Nothing: Emit(EOp::Nothing); return;
    case EExpr::Missing: Emit(EOp::Const, AddConst(CVariant::Missing())); return;
    case EExpr::Me:
      if (m_class == nullptr) ThrowCompileError(err::InvalidMe, expr.line, expr.column);
      Emit(EOp::Me);
      return;
    case EExpr::New: Emit(EOp::New, NameConst(expr.name)); return;
    case EExpr::Paren: CompileExpr(*expr.left); return;
    case EExpr::Unary:
      CompileExpr(*expr.left);
      if (expr.op == ETok::Minus) Emit(EOp::Neg);
      else if (expr.op == ETok::Not) Emit(EOp::Not);
      return;
    case EExpr::Binary: CompileBinary(expr); return;
    case EExpr::Name: CompileName(expr); return;
    case EExpr::Member:
      CompileMemberObject(expr);
      CompileArgs(expr, true);
      Emit(EOp::Member, NameConst(expr.name), 0, Count(expr.args.size(), expr.line, expr.column));
      return;
    case EExpr::Index:
      CompileExpr(*expr.left);
      CompileArgs(expr, false);
      Emit(EOp::Index, 0, 0, Count(expr.args.size(), expr.line, expr.column));
      return;
  }
}

void CCompiler::CompileBinary(const SExpr& expr) { (void)CompileBinaryOp(expr, 0); }

// A constant right operand rides in the instruction rather than being pushed: loops are full
// of i + 1 and n < 2.
size_t CCompiler::CompileBinaryOp(const SExpr& expr, uint8_t extraFlags) {
  const EOp op = BinaryOp(expr.op);
  const bool compare = op >= EOp::Eq && op <= EOp::Ge;
  uint8_t flags = extraFlags;
  if (compare && IsLiteral(*expr.left)) flags |= kLeftLiteral;
  if (compare && IsLiteral(*expr.right)) flags |= kRightLiteral;
  CVariant constant;
  const bool constantRight =
      op != EOp::Is && ConstantValue(*expr.right, constant) && m_proc->constants.size() <= UINT16_MAX;
  // A local variable on the left of a constant is read by the operation itself (n - 1, i Mod 8):
  // one instruction where there were two.
  const bool arithmetic = op >= EOp::Add && op <= EOp::Imp;
  int32_t leftSlot = 0;
  if (constantRight && arithmetic && LocalSlot(*expr.left, leftSlot)) {
    return Emit(op, leftSlot, flags | kRightConst | kLeftLocal, static_cast<uint16_t>(AddConst(constant)));
  }
  CompileExpr(*expr.left);
  if (constantRight) return Emit(op, 0, flags | kRightConst, static_cast<uint16_t>(AddConst(constant)));
  CompileExpr(*expr.right);
  return Emit(op, 0, flags);
}

// The frame slot of a plain reference to a local variable (no arguments); false for anything
// else, which takes the general way.
bool CCompiler::LocalSlot(const SExpr& expr, int32_t& slot) {
  if (expr.kind != EExpr::Name || expr.hasArgs) return false;
  const SResolved r = Resolve(expr.name, false);
  if (r.kind != EResolved::Var || r.varKind != EVarKind::Local) return false;
  slot = r.index;
  return true;
}

// The value of a literal or of a constant's name; false for anything else.
bool CCompiler::ConstantValue(const SExpr& expr, CVariant& value) {
  if (expr.kind == EExpr::Literal) {
    value = expr.value;
    return true;
  }
  if (expr.kind != EExpr::Name || expr.hasArgs) return false;
  SResolved r = Resolve(expr.name, false);
  if (r.kind != EResolved::Const) return false;
  value = r.value;
  return true;
}

// Code that jumps (to be patched) when the condition is not True, Null included. A comparison
// decides and jumps in one instruction.
size_t CCompiler::CompileJumpUnless(const SExpr& condition) {
  if (condition.kind == EExpr::Binary) {
    const EOp op = BinaryOp(condition.op);
    if (op >= EOp::Eq && op <= EOp::Ge) return CompileBinaryOp(condition, kJumpUnless);
  }
  CompileExpr(condition);
  return Emit(EOp::JumpFalse);
}

void CCompiler::CompileName(const SExpr& expr) {
  SResolved r = Resolve(expr.name, expr.hasArgs);
  const uint16_t n = Count(expr.args.size(), expr.line, expr.column);
  switch (r.kind) {
    case EResolved::Const:
      Emit(EOp::Const, AddConst(r.value));
      if (expr.hasArgs) {
        CompileArgs(expr, false);
        Emit(EOp::Index, 0, 0, n);
      }
      return;
    case EResolved::Builtin:
      CompileArgs(expr, false);
      Emit(EOp::CallBuiltin, r.index, 0, n);
      return;
    case EResolved::MeMember:
      CompileArgs(expr, true);
      Emit(EOp::CallMe, NameConst(expr.name), 0, n);
      return;
    case EResolved::Dynamic:
      CompileArgs(expr, false);
      Emit(EOp::Dynamic, 0, static_cast<uint8_t>(r.index), n);
      return;
    case EResolved::Var:
      if (!expr.hasArgs) {
        EmitVar(EOp::Load, r);
        return;
      }
      CompileArgs(expr, true);
      EmitVar(EOp::CallVar, r, n);
      return;
  }
}

void CCompiler::CompileMemberObject(const SExpr& expr) {
  if (expr.left) {
    CompileExpr(*expr.left);
    return;
  }
  if (m_withTemps.empty()) ThrowCompileError(err::SyntaxError, expr.line, expr.column);
  Emit(EOp::Load, m_withTemps.back(), static_cast<uint8_t>(EVarKind::Local));
}

void CCompiler::CompileArgs(const SExpr& call, bool byRef) {
  for (const auto& arg : call.args) {
    if (byRef) CompileArg(*arg);
    else CompileExpr(*arg);
  }
}

// A bare variable or array element is passed by reference; anything else by value. What
// looks like an element may be a call, whose own arguments are then passed as any call's are.
void CCompiler::CompileArg(const SExpr& arg) {
  if (arg.kind == EExpr::Name) {
    SResolved r = Resolve(arg.name, arg.hasArgs);
    if (r.kind == EResolved::Var) {
      if (!arg.hasArgs) {
        EmitVar(EOp::Ref, r);
        return;
      }
      CompileArgs(arg, true);
      EmitVar(EOp::RefIndex, r, Count(arg.args.size(), arg.line, arg.column));
      return;
    }
  }
  CompileExpr(arg);
}

}  // namespace quillet::engine
