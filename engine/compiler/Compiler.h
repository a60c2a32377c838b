#pragma once
// Turns a parsed program into procedures of bytecode. Names are bound here wherever they can
// be: locals to frame slots, class fields to field slots, globals to global slots, constants
// to their values; only an undeclared name inside a procedure is left to be looked up when it
// runs (it may become a global later, or an implicit local).

#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/syntax/Ast.h"
#include "engine/vm/Globals.h"
#include "engine/vm/Procedure.h"
#include "engine/runtime/ScriptClass.h"

namespace quillet::engine {

struct SCompiledUnit {
  std::unique_ptr<CProcedure> globalCode;
  std::vector<std::unique_ptr<CProcedure>> procedures;
  std::vector<std::shared_ptr<CScriptClass>> classes;

  // Every line where a statement of this text starts, in its procedures and classes too: where a
  // breakpoint can hold.
  [[nodiscard]] std::set<int> CodeLines() const;
};

class CCompiler {
 public:
  explicit CCompiler(CGlobals& globals) : m_globals(globals) {}

  // Declares the program's procedures, classes and globals in the global table and compiles
  // everything. Throws CScriptError (compilation).
  [[nodiscard]] std::unique_ptr<SCompiledUnit> Compile(const SProgram& program);
  // Execute's text: procedures and classes become global; the statements run in the scope of
  // the procedure that called Execute, whose locals keep their slot numbers.
  [[nodiscard]] std::unique_ptr<SCompiledUnit> CompileInScope(const SProgram& program, const CProcedure& scope);
  // Eval's expression in the caller's scope; the value is left in the procedure's last local.
  [[nodiscard]] std::unique_ptr<CProcedure> CompileEval(const SExpr& expr, const CProcedure& scope);

 private:
  enum class EResolved { Var, Const, Builtin, MeMember, Dynamic };
  struct SResolved {
    EResolved kind = EResolved::Var;
    EVarKind varKind = EVarKind::Local;
    int32_t index = 0;
    CVariant value;
  };
  struct SLoop {
    bool isFor = false;
    std::vector<size_t> exits;
  };

  // A compilation that fails must leave the global table as it found it: Execute's code may
  // fail after declaring procedures whose code is then freed.
  struct SUndoGlobal {
    int32_t slot;
    SGlobal previous;
  };
  struct SUndoClass {
    std::u16string name;
    std::shared_ptr<CScriptClass> previous;
  };
  void Undo();
  [[nodiscard]] std::unique_ptr<SCompiledUnit> CompileProgram(const SProgram& program);
  [[nodiscard]] std::unique_ptr<SCompiledUnit> CompileProgramInScope(const SProgram& program, const CProcedure& scope);
  template <typename Fn>
  auto Transaction(Fn&& compile);

  // ---- declarations
  void DeclareProcedures(const SProgram& program, SCompiledUnit& unit);
  void DeclareClasses(const SProgram& program, SCompiledUnit& unit);
  void DeclareGlobals(const Block& block);
  void CollectLocals(const Block& block);
  void CompileClass(const SClassDecl& decl, CScriptClass& cls);
  void CompileProcedure(const SProcDecl& decl, CProcedure& proc, CScriptClass* cls);
  void CompileGlobalCode(const SProgram& program, CProcedure& proc);
  void BeginScope(CProcedure& proc, const CProcedure& scope);
  void CompileUnitMembers(const SProgram& program, SCompiledUnit& unit);
  CVariant EvalConst(const SExpr& expr);

  // ---- statements
  void CompileBlock(const Block& block);
  void CompileStatement(const SStmt& stmt);
  void CompileAssign(const SExpr& target, const SExpr& value, bool isSet);
  bool TryCompileAppend(const SExpr& target, const SExpr& value);
  void CompileDim(const SStmt& stmt);
  void CompileReDim(const SStmt& stmt);
  void CompileIf(const SStmt& stmt);
  void CompileSelect(const SStmt& stmt);
  size_t CompileCaseTest(const std::vector<ExprPtr>& values, int32_t subject);
  void CompileFor(const SStmt& stmt);
  void CompileForEach(const SStmt& stmt);
  void CompileDo(const SStmt& stmt, size_t mark);
  void CompileWith(const SStmt& stmt);
  void CompileExit(const SStmt& stmt);
  SResolved ResolveVariable(const std::u16string& name, int line, int column);

  // ---- expressions
  void CompileExpr(const SExpr& expr);
  void CompileName(const SExpr& expr);
  void CompileMemberObject(const SExpr& expr);
  void CompileArgs(const SExpr& call, bool byRef);
  void CompileArg(const SExpr& arg);
  void CompileBinary(const SExpr& expr);
  size_t CompileBinaryOp(const SExpr& expr, uint8_t extraFlags);
  size_t CompileJumpUnless(const SExpr& condition);
  bool ConstantValue(const SExpr& expr, CVariant& value);
  bool LocalSlot(const SExpr& expr, int32_t& slot);
  void ReturnInsteadOfJumpToReturn();
  [[nodiscard]] bool IsLiteral(const SExpr& expr);
  SResolved Resolve(const std::u16string& name, bool hasArgs);

  // ---- emission
  size_t Emit(EOp op, int32_t a = 0, uint8_t b = 0, uint16_t n = 0);
  size_t EmitVar(EOp op, const SResolved& var, uint16_t n = 0);
  // The index of the statement's mark.
  size_t EmitStatement(int line, int column);
  void EmitLoopBack(size_t top);
  void CompileForBound(const SExpr& bound);
  size_t EmitForTest(const SResolved& counter, int32_t limit, int32_t step);
  void PatchHere(size_t at);
  [[nodiscard]] int32_t Here() const;
  int32_t AddConst(const CVariant& value);
  int32_t VariableNameConst(const std::u16string& name);
  int32_t NameConst(const std::u16string& name);
  int32_t AllocTemp();
  [[nodiscard]] static uint16_t Count(size_t n, int line, int column);

  CGlobals& m_globals;
  CProcedure* m_proc = nullptr;
  CScriptClass* m_class = nullptr;
  std::unordered_map<std::u16string, int32_t> m_locals;
  std::unordered_map<std::u16string, CVariant> m_consts;
  std::unordered_map<std::u16string, int32_t> m_nameConsts;
  std::u16string m_selfName;  // lower-case name of the Function/Property Get being compiled
  std::vector<int32_t> m_withTemps;
  std::vector<SLoop> m_loops;
  std::unordered_map<std::u16string, bool> m_declaredHere;  // globals this unit declared
  bool m_optionExplicit = false;
  std::vector<SUndoGlobal> m_undoGlobals;
  std::vector<SUndoClass> m_undoClasses;
};

}  // namespace quillet::engine
