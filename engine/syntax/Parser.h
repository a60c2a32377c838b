#pragma once
// Recursive descent over the token list, building an SProgram. Each parse function starts
// with the grammar rule it reads. Procedures and classes are collected apart from the global
// code because they exist before the first statement runs.

#include <string_view>
#include <vector>

#include "engine/syntax/Ast.h"

namespace quillet::engine {

class CParser {
 public:
  explicit CParser(std::vector<STok> tokens) : m_tokens(std::move(tokens)) {}

  // Throws CScriptError (compilation) at the first fault.
  [[nodiscard]] SProgram ParseProgram();

  // Source text to tree; lexing included.
  [[nodiscard]] static SProgram Parse(std::u16string_view source);
  // One expression and nothing after it (Eval, where "=" compares). Throws as Parse does.
  [[nodiscard]] static ExprPtr ParseExpressionText(std::u16string_view source);

 private:
  enum class EScope { Global, Procedure, Class };

  // ---- tokens
  [[nodiscard]] const STok& Cur() const { return m_tokens[m_pos]; }
  [[nodiscard]] const STok& Ahead(size_t n) const;
  [[nodiscard]] bool At(ETok kind) const { return Cur().kind == kind; }
  [[nodiscard]] bool AtSoft(std::u16string_view word) const;
  [[nodiscard]] bool AtEndOfStatement() const;
  bool Accept(ETok kind);
  void Expect(ETok kind, int error);
  std::u16string ExpectIdentifier();
  [[noreturn]] void Fail(int error) const;
  void SkipSeparators();
  void EndStatement();

  // ---- statements
  void ParseTopLevel(SProgram& program);
  Block ParseBlock(EScope scope);
  [[nodiscard]] bool AtBlockEnd() const;
  std::unique_ptr<SStmt> ParseStatement(EScope scope);
  std::unique_ptr<SStmt> ParseSimpleStatement(EScope scope);
  std::unique_ptr<SStmt> NewStmt(EStmt kind) const;
  // At the current token: the keyword that opens a branch, or that closes a loop.
  [[nodiscard]] SBranch NewBranch() const;
  void MarkEnd(SStmt& loop) const;
  std::unique_ptr<SStmt> ParseDim();
  std::unique_ptr<SStmt> ParseReDim();
  std::unique_ptr<SStmt> ParseConst();
  std::unique_ptr<SStmt> ParseErase();
  std::unique_ptr<SStmt> ParseIf(EScope scope);
  void ParseSingleLineIf(SStmt& stmt, EScope scope);
  Block ParseInlineStatements(EScope scope, bool stopAtElse);
  std::unique_ptr<SStmt> ParseSelect(EScope scope);
  std::unique_ptr<SStmt> ParseFor(EScope scope);
  std::unique_ptr<SStmt> ParseDo(EScope scope);
  std::unique_ptr<SStmt> ParseWhile(EScope scope);
  std::unique_ptr<SStmt> ParseWith(EScope scope);
  std::unique_ptr<SStmt> ParseExit();
  std::unique_ptr<SStmt> ParseOnError();
  std::unique_ptr<SStmt> ParseSet();
  std::unique_ptr<SStmt> ParseCallKeyword();
  std::unique_ptr<SStmt> ParseAssignOrCall();
  SDimItem ParseDimItem(bool allowBounds);
  SProcDecl ParseProcedure(bool isPublic, bool isDefault, bool inClass);
  std::vector<SParam> ParseParams();
  SClassDecl ParseClass();
  void ParseClassMember(SClassDecl& decl);

  // ---- expressions
  ExprPtr ParseExpression();
  ExprPtr ParseImp();
  ExprPtr ParseEqv();
  ExprPtr ParseXor();
  ExprPtr ParseOr();
  ExprPtr ParseAnd();
  ExprPtr ParseNot();
  ExprPtr ParseCompare();
  ExprPtr ParseConcat();
  ExprPtr ParseAdditive();
  ExprPtr ParseMod();
  ExprPtr ParseIntDiv();
  ExprPtr ParseMultiplicative();
  ExprPtr ParseUnary();
  ExprPtr ParsePower();
  ExprPtr ParsePrimary();
  ExprPtr ParseChain(size_t stopAtParen);
  ExprPtr ParseChainTail(ExprPtr node, size_t stopAtParen);
  void ParseArgs(SExpr& call);
  std::vector<ExprPtr> ParseBareArgs();
  // The '(' that the ')' at close matches, searching back no further than start.
  [[nodiscard]] size_t MatchingLParen(size_t start, size_t close) const;
  ExprPtr Node(EExpr kind, const STok& at) const;
  ExprPtr Binary(ETok op, ExprPtr left, ExprPtr right) const;

  // The recursive rules count their depth: absurd nesting becomes a compilation error instead
  // of exhausting the stack (the tree is walked recursively later, too).
  class CNestGuard {
   public:
    explicit CNestGuard(CParser& parser);
    ~CNestGuard() { --m_parser.m_nesting; }
    CNestGuard(const CNestGuard&) = delete;
    CNestGuard& operator=(const CNestGuard&) = delete;

   private:
    CParser& m_parser;
  };
  static constexpr int kMaxNesting = 1000;

  std::vector<STok> m_tokens;
  size_t m_pos = 0;
  int m_nesting = 0;
  int m_loopDepthDo = 0;
  int m_loopDepthFor = 0;
  EProcKind m_procKind = EProcKind::Sub;
  bool m_inProcedure = false;
  bool m_inSingleLineIf = false;
};

}  // namespace quillet::engine
