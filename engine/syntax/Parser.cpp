#include "engine/syntax/Parser.h"

#include "engine/syntax/Lexer.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/VariantOps.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {
constexpr size_t kNoStop = static_cast<size_t>(-1);

bool IsKeywordToken(ETok kind) { return kind >= ETok::And; }
}  // namespace

SProgram CParser::Parse(std::u16string_view source) {
  CLexer lexer(source);
  CParser parser(lexer.Tokenize());
  return parser.ParseProgram();
}

ExprPtr CParser::ParseExpressionText(std::u16string_view source) {
  CLexer lexer(source);
  CParser parser(lexer.Tokenize());
  parser.SkipSeparators();
  ExprPtr expr = parser.ParseExpression();
  parser.SkipSeparators();
  if (!parser.At(ETok::End)) parser.Fail(err::ExpectedEndOfStatement);
  return expr;
}

CParser::CNestGuard::CNestGuard(CParser& parser) : m_parser(parser) {
  if (++m_parser.m_nesting > kMaxNesting) {
    --m_parser.m_nesting;
    m_parser.Fail(err::OutOfStack);
  }
}

// ---- tokens -----------------------------------------------------------------------------

const STok& CParser::Ahead(size_t n) const {
  const size_t at = m_pos + n;
  return at < m_tokens.size() ? m_tokens[at] : m_tokens.back();
}

bool CParser::AtSoft(std::u16string_view word) const {
  return At(ETok::Identifier) && platform::EqualsIgnoringAsciiCase(Cur().text, word);
}

bool CParser::AtEndOfStatement() const {
  return At(ETok::NewLine) || At(ETok::Colon) || At(ETok::End) || (m_inSingleLineIf && At(ETok::Else));
}

bool CParser::Accept(ETok kind) {
  if (!At(kind)) return false;
  if (m_pos + 1 < m_tokens.size()) ++m_pos;
  return true;
}

void CParser::Expect(ETok kind, int error) {
  if (!Accept(kind)) Fail(error);
}

std::u16string CParser::ExpectIdentifier() {
  if (!At(ETok::Identifier)) Fail(err::ExpectedIdentifier);
  std::u16string name = Cur().text;
  Accept(ETok::Identifier);
  return name;
}

void CParser::Fail(int error) const { ThrowCompileError(error, Cur().line, Cur().column); }

void CParser::SkipSeparators() {
  while (At(ETok::NewLine) || At(ETok::Colon)) Accept(Cur().kind);
}

void CParser::EndStatement() {
  if (!AtEndOfStatement()) Fail(err::ExpectedEndOfStatement);
}

// ---- program and blocks -----------------------------------------------------------------

// program := { statement | procedure | class | Option Explicit } End
SProgram CParser::ParseProgram() {
  SProgram program;
  SkipSeparators();
  if (At(ETok::Option)) {
    Accept(ETok::Option);
    if (!AtSoft(u"explicit")) Fail(err::SyntaxError);
    Accept(ETok::Identifier);
    program.optionExplicit = true;
    EndStatement();
  }
  ParseTopLevel(program);
  return program;
}

void CParser::ParseTopLevel(SProgram& program) {
  for (;;) {
    SkipSeparators();
    if (At(ETok::End)) return;
    bool isPublic = true;
    size_t save = m_pos;
    if (At(ETok::Public) || At(ETok::Private)) {
      isPublic = At(ETok::Public);
      Accept(Cur().kind);
    }
    const bool isDefault = AtSoft(u"default");
    if (isDefault) Accept(ETok::Identifier);
    if (At(ETok::Sub) || At(ETok::Function)) {
      if (isDefault) Fail(err::MustBeInsideClass);
      program.procs.push_back(ParseProcedure(isPublic, false, false));
    } else if (At(ETok::Class)) {
      program.classes.push_back(ParseClass());
    } else if (AtSoft(u"property")) {
      Fail(err::MustBeInsideClass);
    } else if (At(ETok::Option)) {
      Fail(err::MustBeFirstStatement);
    } else {
      m_pos = save;
      program.body.push_back(ParseStatement(EScope::Global));
    }
    EndStatement();
  }
}

bool CParser::AtBlockEnd() const {
  switch (Cur().kind) {
    case ETok::End: case ETok::EndKw: case ETok::Else: case ETok::ElseIf: case ETok::Loop:
    case ETok::Next: case ETok::Wend: case ETok::Case:
      return true;
    default:
      return false;
  }
}

// block := { statement separator } (stops before a closing keyword)
Block CParser::ParseBlock(EScope scope) {
  CNestGuard nest(*this);
  Block block;
  for (;;) {
    SkipSeparators();
    if (AtBlockEnd()) return block;
    block.push_back(ParseStatement(scope));
    EndStatement();
  }
}

std::unique_ptr<SStmt> CParser::NewStmt(EStmt kind) const {
  auto stmt = std::make_unique<SStmt>();
  stmt->kind = kind;
  stmt->line = Cur().line;
  stmt->column = Cur().column;
  return stmt;
}

SBranch CParser::NewBranch() const {
  SBranch branch;
  branch.line = Cur().line;
  branch.column = Cur().column;
  return branch;
}

void CParser::MarkEnd(SStmt& loop) const {
  loop.endLine = Cur().line;
  loop.endColumn = Cur().column;
}

// statement := compound-statement | simple-statement
std::unique_ptr<SStmt> CParser::ParseStatement(EScope scope) {
  switch (Cur().kind) {
    case ETok::If: return ParseIf(scope);
    case ETok::Select: return ParseSelect(scope);
    case ETok::For: return ParseFor(scope);
    case ETok::Do: return ParseDo(scope);
    case ETok::While: return ParseWhile(scope);
    case ETok::With: return ParseWith(scope);
    case ETok::Sub: case ETok::Function: case ETok::Class: Fail(err::SyntaxError);
    default: return ParseSimpleStatement(scope);
  }
}

// simple-statement := Dim | ReDim | Const | Erase | Exit | On Error | Set | Call | Stop
//                   | [Let] assignment | call-statement
std::unique_ptr<SStmt> CParser::ParseSimpleStatement(EScope scope) {
  switch (Cur().kind) {
    case ETok::Dim: return ParseDim();
    case ETok::Public: case ETok::Private:
      if (scope != EScope::Global) Fail(err::ExpectedStatement);
      if (Ahead(1).kind == ETok::Const) {
        Accept(Cur().kind);
        return ParseConst();
      }
      return ParseDim();
    case ETok::ReDim: return ParseReDim();
    case ETok::Const: return ParseConst();
    case ETok::Erase: return ParseErase();
    case ETok::Exit: return ParseExit();
    case ETok::On: return ParseOnError();
    case ETok::Set: return ParseSet();
    case ETok::Call: return ParseCallKeyword();
    case ETok::Stop: {
      auto stmt = NewStmt(EStmt::Stop);
      Accept(ETok::Stop);
      return stmt;
    }
    case ETok::Let:
      Accept(ETok::Let);
      return ParseAssignOrCall();
    case ETok::Identifier: case ETok::Me: case ETok::Dot: return ParseAssignOrCall();
    case ETok::Option: Fail(err::MustBeFirstStatement);
    default: Fail(err::ExpectedStatement);
  }
}

// dim-item := name [ '(' [ integer { ',' integer } ] ')' ]
SDimItem CParser::ParseDimItem(bool allowBounds) {
  SDimItem item;
  item.line = Cur().line;
  item.column = Cur().column;
  item.name = ExpectIdentifier();
  if (allowBounds && Accept(ETok::LParen)) {
    item.hasBounds = true;
    if (!At(ETok::RParen)) {
      do {
        item.bounds.push_back(ParseExpression());
      } while (Accept(ETok::Comma));
    }
    Expect(ETok::RParen, err::ExpectedRParen);
  }
  return item;
}

// dim := (Dim | Public | Private) dim-item { ',' dim-item }
std::unique_ptr<SStmt> CParser::ParseDim() {
  auto stmt = NewStmt(EStmt::Dim);
  Accept(Cur().kind);
  do {
    stmt->items.push_back(ParseDimItem(true));
  } while (Accept(ETok::Comma));
  return stmt;
}

// redim := ReDim [Preserve] name '(' expr { ',' expr } ')' { ',' ... }
std::unique_ptr<SStmt> CParser::ParseReDim() {
  auto stmt = NewStmt(EStmt::ReDim);
  Accept(ETok::ReDim);
  if (AtSoft(u"preserve")) {
    Accept(ETok::Identifier);
    stmt->preserve = true;
  }
  do {
    SDimItem item = ParseDimItem(true);
    if (!item.hasBounds || item.bounds.empty()) Fail(err::ExpectedLParen);
    stmt->items.push_back(std::move(item));
  } while (Accept(ETok::Comma));
  return stmt;
}

// const := Const name '=' const-expr { ',' name '=' const-expr }
std::unique_ptr<SStmt> CParser::ParseConst() {
  auto stmt = NewStmt(EStmt::Const);
  Accept(ETok::Const);
  do {
    SDimItem item = ParseDimItem(false);
    Expect(ETok::Eq, err::ExpectedEquals);
    item.value = ParseExpression();
    stmt->items.push_back(std::move(item));
  } while (Accept(ETok::Comma));
  return stmt;
}

// erase := Erase name { ',' name }
std::unique_ptr<SStmt> CParser::ParseErase() {
  auto stmt = NewStmt(EStmt::Erase);
  Accept(ETok::Erase);
  do {
    stmt->items.push_back(ParseDimItem(false));
  } while (Accept(ETok::Comma));
  return stmt;
}

// if := If expr Then NewLine block { ElseIf expr Then block } [ Else block ] End If
//     | If expr Then inline-statements [ Else inline-statements ]
std::unique_ptr<SStmt> CParser::ParseIf(EScope scope) {
  auto stmt = NewStmt(EStmt::If);
  SBranch first = NewBranch();
  Accept(ETok::If);
  first.conditions.push_back(ParseExpression());
  Expect(ETok::Then, err::ExpectedThen);
  stmt->branches.push_back(std::move(first));
  if (!At(ETok::NewLine) && !At(ETok::End)) {
    ParseSingleLineIf(*stmt, scope);
    return stmt;
  }
  stmt->branches.back().body = ParseBlock(scope);
  while (At(ETok::ElseIf)) {
    SBranch branch = NewBranch();
    Accept(ETok::ElseIf);
    branch.conditions.push_back(ParseExpression());
    Expect(ETok::Then, err::ExpectedThen);
    branch.body = ParseBlock(scope);
    stmt->branches.push_back(std::move(branch));
  }
  if (At(ETok::Else)) {
    SBranch branch = NewBranch();
    Accept(ETok::Else);
    branch.body = ParseBlock(scope);
    stmt->branches.push_back(std::move(branch));
  }
  Expect(ETok::EndKw, err::ExpectedEnd);
  Expect(ETok::If, err::ExpectedIf);
  return stmt;
}

void CParser::ParseSingleLineIf(SStmt& stmt, EScope scope) {
  stmt.branches.back().body = ParseInlineStatements(scope, true);
  if (At(ETok::Else)) {
    SBranch branch = NewBranch();
    Accept(ETok::Else);
    branch.body = ParseInlineStatements(scope, false);
    stmt.branches.push_back(std::move(branch));
  }
  // An "End If" closing a one-line If is tolerated, as Windows does.
  if (At(ETok::EndKw) && Ahead(1).kind == ETok::If) {
    Accept(ETok::EndKw);
    Accept(ETok::If);
  }
}

// inline-statements := statement { ':' statement } (up to the line end or Else)
Block CParser::ParseInlineStatements(EScope scope, bool stopAtElse) {
  CNestGuard nest(*this);
  Block block;
  const bool outer = m_inSingleLineIf;
  m_inSingleLineIf = stopAtElse;
  for (;;) {
    while (Accept(ETok::Colon)) {
    }
    if (At(ETok::NewLine) || At(ETok::End) || (stopAtElse && At(ETok::Else))) break;
    if (At(ETok::EndKw) && Ahead(1).kind == ETok::If) break;
    block.push_back(ParseStatement(scope));
    if (!AtEndOfStatement() && !(At(ETok::EndKw) && Ahead(1).kind == ETok::If)) Fail(err::ExpectedEndOfStatement);
  }
  m_inSingleLineIf = outer;
  return block;
}

// select := Select Case expr { Case expr-list block } [ Case Else block ] End Select
std::unique_ptr<SStmt> CParser::ParseSelect(EScope scope) {
  auto stmt = NewStmt(EStmt::Select);
  Accept(ETok::Select);
  Expect(ETok::Case, err::ExpectedCase);
  stmt->target = ParseExpression();
  EndStatement();
  SkipSeparators();
  bool sawElse = false;
  while (At(ETok::Case)) {
    if (sawElse) Fail(err::ExpectedEnd);
    SBranch branch = NewBranch();
    Accept(ETok::Case);
    if (Accept(ETok::Else)) {
      sawElse = true;
    } else {
      do {
        branch.conditions.push_back(ParseExpression());
      } while (Accept(ETok::Comma));
    }
    branch.body = ParseBlock(scope);
    stmt->branches.push_back(std::move(branch));
  }
  Expect(ETok::EndKw, err::ExpectedEnd);
  Expect(ETok::Select, err::ExpectedSelect);
  return stmt;
}

// for := For name '=' expr To expr [Step expr] block Next [name]
//      | For Each name In expr block Next [name]
std::unique_ptr<SStmt> CParser::ParseFor(EScope scope) {
  auto stmt = NewStmt(EStmt::For);
  Accept(ETok::For);
  const bool each = Accept(ETok::Each);
  stmt->nameLine = Cur().line;
  stmt->nameColumn = Cur().column;
  stmt->name = ExpectIdentifier();
  if (each) {
    stmt->kind = EStmt::ForEach;
    Expect(ETok::In, err::ExpectedIn);
    stmt->value = ParseExpression();
  } else {
    Expect(ETok::Eq, err::ExpectedEquals);
    stmt->value = ParseExpression();
    Expect(ETok::To, err::ExpectedTo);
    stmt->limit = ParseExpression();
    if (AtSoft(u"step")) {
      Accept(ETok::Identifier);
      stmt->step = ParseExpression();
    }
  }
  EndStatement();
  ++m_loopDepthFor;
  stmt->body = ParseBlock(scope);
  --m_loopDepthFor;
  MarkEnd(*stmt);
  Expect(ETok::Next, err::ExpectedNext);
  if (At(ETok::Identifier)) Accept(ETok::Identifier);
  return stmt;
}

// do := Do [(While|Until) expr] block Loop [(While|Until) expr]
std::unique_ptr<SStmt> CParser::ParseDo(EScope scope) {
  auto stmt = NewStmt(EStmt::Do);
  Accept(ETok::Do);
  if (At(ETok::While) || At(ETok::Until)) {
    stmt->test = At(ETok::While) ? ELoopTest::PreWhile : ELoopTest::PreUntil;
    Accept(Cur().kind);
    stmt->value = ParseExpression();
  }
  if (!AtEndOfStatement()) Fail(err::ExpectedWhileUntilEos);
  ++m_loopDepthDo;
  stmt->body = ParseBlock(scope);
  --m_loopDepthDo;
  MarkEnd(*stmt);
  Expect(ETok::Loop, err::ExpectedLoop);
  if (At(ETok::While) || At(ETok::Until)) {
    if (stmt->test != ELoopTest::None) Fail(err::ExpectedEndOfStatement);
    stmt->test = At(ETok::While) ? ELoopTest::PostWhile : ELoopTest::PostUntil;
    Accept(Cur().kind);
    stmt->value = ParseExpression();
  }
  return stmt;
}

// while := While expr block Wend
std::unique_ptr<SStmt> CParser::ParseWhile(EScope scope) {
  auto stmt = NewStmt(EStmt::While);
  Accept(ETok::While);
  stmt->value = ParseExpression();
  EndStatement();
  stmt->body = ParseBlock(scope);
  MarkEnd(*stmt);
  Expect(ETok::Wend, err::ExpectedWend);
  return stmt;
}

// with := With expr block End With
std::unique_ptr<SStmt> CParser::ParseWith(EScope scope) {
  auto stmt = NewStmt(EStmt::With);
  Accept(ETok::With);
  stmt->target = ParseExpression();
  EndStatement();
  stmt->body = ParseBlock(scope);
  Expect(ETok::EndKw, err::ExpectedEnd);
  Expect(ETok::With, err::ExpectedWith);
  return stmt;
}

// exit := Exit (Do | For | Sub | Function | Property)
std::unique_ptr<SStmt> CParser::ParseExit() {
  auto stmt = NewStmt(EStmt::Exit);
  Accept(ETok::Exit);
  const bool inProc = m_inProcedure;
  if (At(ETok::Do) && m_loopDepthDo > 0) stmt->exitKind = EExit::Do;
  else if (At(ETok::For) && m_loopDepthFor > 0) stmt->exitKind = EExit::For;
  else if (At(ETok::Sub) && inProc && m_procKind == EProcKind::Sub) stmt->exitKind = EExit::Sub;
  else if (At(ETok::Function) && inProc && m_procKind == EProcKind::Function) stmt->exitKind = EExit::Function;
  else if (AtSoft(u"property") && inProc && m_procKind >= EProcKind::PropertyGet) stmt->exitKind = EExit::Property;
  else Fail(err::InvalidExit);
  Accept(Cur().kind);
  return stmt;
}

// on-error := On Error (Resume Next | GoTo 0)
std::unique_ptr<SStmt> CParser::ParseOnError() {
  auto stmt = NewStmt(EStmt::OnErrorResume);
  Accept(ETok::On);
  if (!AtSoft(u"error")) Fail(err::SyntaxError);
  Accept(ETok::Identifier);
  if (Accept(ETok::Resume)) {
    Expect(ETok::Next, err::SyntaxError);
    return stmt;
  }
  Expect(ETok::GoTo, err::SyntaxError);
  if (!At(ETok::Literal) || !Cur().value.IsNumeric() || Cur().value.ToDouble() != 0) Fail(err::SyntaxError);
  Accept(ETok::Literal);
  stmt->kind = EStmt::OnErrorGoto0;
  return stmt;
}

// set := Set chain '=' expr
std::unique_ptr<SStmt> CParser::ParseSet() {
  auto stmt = NewStmt(EStmt::Set);
  Accept(ETok::Set);
  stmt->target = ParseChain(kNoStop);
  Expect(ETok::Eq, err::ExpectedEquals);
  stmt->value = ParseExpression();
  return stmt;
}

// call := Call chain
std::unique_ptr<SStmt> CParser::ParseCallKeyword() {
  auto stmt = NewStmt(EStmt::Call);
  Accept(ETok::Call);
  if (!At(ETok::Identifier) && !At(ETok::Dot) && !At(ETok::Me)) Fail(err::ExpectedIdentifier);
  stmt->target = ParseChain(kNoStop);
  return stmt;
}

// assignment := chain '=' expr
// call-statement := chain [ arg { ',' arg } ]   (no parentheses around several arguments)
std::unique_ptr<SStmt> CParser::ParseAssignOrCall() {
  auto stmt = NewStmt(EStmt::Assign);
  const size_t start = m_pos;
  ExprPtr target = ParseChain(kNoStop);
  if (Accept(ETok::Eq)) {
    stmt->target = std::move(target);
    stmt->value = ParseExpression();
    return stmt;
  }
  stmt->kind = EStmt::Call;
  if (AtEndOfStatement()) {
    if (target->hasArgs && target->kind != EExpr::Me) {
      if (target->args.size() > 1) Fail(err::ParensOnSubCall);
      // "f (x)" as a statement passes x by value.
      if (target->args.size() == 1 && target->args[0]->kind != EExpr::Missing) {
        auto paren = Node(EExpr::Paren, m_tokens[start]);
        paren->left = std::move(target->args[0]);
        target->args[0] = std::move(paren);
      }
    }
    stmt->target = std::move(target);
    return stmt;
  }
  // More follows: the parentheses, if any, began the first argument; read the callee again
  // without them. Groups that follow one another, "f (a)(b), c", all belong to that argument.
  size_t parenAt = kNoStop;
  if (m_pos > start && m_tokens[m_pos - 1].kind == ETok::RParen) {
    size_t close = m_pos - 1;
    for (;;) {
      const size_t open = MatchingLParen(start, close);
      if (open == kNoStop) break;
      parenAt = open;
      if (open == start || m_tokens[open - 1].kind != ETok::RParen) break;
      close = open - 1;
    }
  }
  if (parenAt != kNoStop && target->hasArgs) {
    m_pos = start;
    target = ParseChain(parenAt);
  }
  target->hasArgs = true;
  target->args = ParseBareArgs();
  stmt->target = std::move(target);
  return stmt;
}

size_t CParser::MatchingLParen(size_t start, size_t close) const {
  int depth = 0;
  for (size_t j = close + 1; j-- > start;) {
    if (m_tokens[j].kind == ETok::RParen) ++depth;
    if (m_tokens[j].kind == ETok::LParen && --depth == 0) return j;
  }
  return kNoStop;
}

std::vector<ExprPtr> CParser::ParseBareArgs() {
  std::vector<ExprPtr> args;
  for (;;) {
    if (At(ETok::Comma)) args.push_back(Node(EExpr::Missing, Cur()));
    else args.push_back(ParseExpression());
    if (!Accept(ETok::Comma)) break;
    if (AtEndOfStatement()) args.push_back(Node(EExpr::Missing, Cur()));
  }
  return args;
}

// procedure := (Sub | Function) name [ '(' params ')' ] block End (Sub | Function)
//            | Property (Get | Let | Set) name [ '(' params ')' ] block End Property
SProcDecl CParser::ParseProcedure(bool isPublic, bool isDefault, bool inClass) {
  SProcDecl proc;
  proc.isPublic = isPublic;
  proc.isDefault = isDefault;
  proc.line = Cur().line;
  proc.column = Cur().column;
  if (Accept(ETok::Sub)) {
    proc.kind = EProcKind::Sub;
  } else if (Accept(ETok::Function)) {
    proc.kind = EProcKind::Function;
  } else {
    if (!inClass) Fail(err::MustBeInsideClass);
    Accept(ETok::Identifier);  // Property
    if (AtSoft(u"get")) proc.kind = EProcKind::PropertyGet;
    else if (At(ETok::Let)) proc.kind = EProcKind::PropertyLet;
    else if (At(ETok::Set)) proc.kind = EProcKind::PropertySet;
    else Fail(err::ExpectedLetSetGet);
    Accept(Cur().kind);
  }
  proc.name = ExpectIdentifier();
  if (Accept(ETok::LParen)) {
    proc.params = ParseParams();
    Expect(ETok::RParen, err::ExpectedRParen);
  }
  if ((proc.kind == EProcKind::PropertyLet || proc.kind == EProcKind::PropertySet) && proc.params.empty()) {
    Fail(err::PropertyNeedsArgument);
  }
  if (isDefault && proc.kind != EProcKind::PropertyGet && proc.kind != EProcKind::Function &&
      proc.kind != EProcKind::Sub) {
    Fail(err::DefaultOnlyOnGet);
  }
  EndStatement();
  const bool outerIn = m_inProcedure;
  const EProcKind outerKind = m_procKind;
  const int outerDo = m_loopDepthDo;
  const int outerFor = m_loopDepthFor;
  m_inProcedure = true;
  m_procKind = proc.kind;
  m_loopDepthDo = m_loopDepthFor = 0;
  proc.body = ParseBlock(EScope::Procedure);
  m_inProcedure = outerIn;
  m_procKind = outerKind;
  m_loopDepthDo = outerDo;
  m_loopDepthFor = outerFor;
  Expect(ETok::EndKw, err::ExpectedEnd);
  if (proc.kind == EProcKind::Sub) Expect(ETok::Sub, err::ExpectedSub);
  else if (proc.kind == EProcKind::Function) Expect(ETok::Function, err::ExpectedFunction);
  else if (AtSoft(u"property")) Accept(ETok::Identifier);
  else Fail(err::ExpectedProperty);
  return proc;
}

// params := [ [ByVal | ByRef] name ['(' ')'] { ',' ... } ]
std::vector<SParam> CParser::ParseParams() {
  std::vector<SParam> params;
  if (At(ETok::RParen)) return params;
  do {
    SParam param;
    if (Accept(ETok::ByVal)) param.byVal = true;
    else Accept(ETok::ByRef);
    param.name = ExpectIdentifier();
    if (Accept(ETok::LParen)) Expect(ETok::RParen, err::ExpectedRParen);
    params.push_back(std::move(param));
  } while (Accept(ETok::Comma));
  return params;
}

// class := Class name { member } End Class
SClassDecl CParser::ParseClass() {
  SClassDecl decl;
  decl.line = Cur().line;
  decl.column = Cur().column;
  Accept(ETok::Class);
  decl.name = ExpectIdentifier();
  EndStatement();
  for (;;) {
    SkipSeparators();
    if (At(ETok::EndKw)) break;
    if (At(ETok::End)) Fail(err::ExpectedEnd);
    ParseClassMember(decl);
    EndStatement();
  }
  Accept(ETok::EndKw);
  Expect(ETok::Class, err::ExpectedClass);
  return decl;
}

// member := [Public [Default] | Private] (procedure | dim-item { ',' dim-item }) | Dim ...
void CParser::ParseClassMember(SClassDecl& decl) {
  bool isPublic = true;
  bool hadScope = false;
  if (At(ETok::Public) || At(ETok::Private)) {
    isPublic = At(ETok::Public);
    hadScope = true;
    Accept(Cur().kind);
  }
  bool isDefault = false;
  if (AtSoft(u"default")) {
    if (!isPublic) Fail(err::DefaultMustBePublic);
    isDefault = true;
    Accept(ETok::Identifier);
  }
  if (At(ETok::Sub) || At(ETok::Function) || AtSoft(u"property")) {
    decl.procs.push_back(ParseProcedure(isPublic, isDefault, true));
    return;
  }
  if (isDefault) Fail(err::DefaultOnlyOnGet);
  if (At(ETok::Dim) && !hadScope) {
    Accept(ETok::Dim);
  } else if (!hadScope) {
    Fail(err::ExpectedStatement);
  }
  do {
    decl.fields.push_back(SFieldDecl{ParseDimItem(true), isPublic});
  } while (Accept(ETok::Comma));
}

// ---- expressions ------------------------------------------------------------------------

ExprPtr CParser::Node(EExpr kind, const STok& at) const {
  auto node = std::make_unique<SExpr>();
  node->kind = kind;
  node->line = at.line;
  node->column = at.column;
  return node;
}

ExprPtr CParser::Binary(ETok op, ExprPtr left, ExprPtr right) const {
  auto node = std::make_unique<SExpr>();
  node->kind = EExpr::Binary;
  node->line = left->line;
  node->column = left->column;
  node->op = op;
  node->left = std::move(left);
  node->right = std::move(right);
  return node;
}

// expr := imp
ExprPtr CParser::ParseExpression() {
  CNestGuard nest(*this);
  return ParseImp();
}

// imp := eqv { Imp eqv }
ExprPtr CParser::ParseImp() {
  auto left = ParseEqv();
  while (At(ETok::Imp)) { Accept(ETok::Imp); left = Binary(ETok::Imp, std::move(left), ParseEqv()); }
  return left;
}

// eqv := xor { Eqv xor }
ExprPtr CParser::ParseEqv() {
  auto left = ParseXor();
  while (At(ETok::Eqv)) { Accept(ETok::Eqv); left = Binary(ETok::Eqv, std::move(left), ParseXor()); }
  return left;
}

// xor := or { Xor or }
ExprPtr CParser::ParseXor() {
  auto left = ParseOr();
  while (At(ETok::Xor)) { Accept(ETok::Xor); left = Binary(ETok::Xor, std::move(left), ParseOr()); }
  return left;
}

// or := and { Or and }
ExprPtr CParser::ParseOr() {
  auto left = ParseAnd();
  while (At(ETok::Or)) { Accept(ETok::Or); left = Binary(ETok::Or, std::move(left), ParseAnd()); }
  return left;
}

// and := not { And not }
ExprPtr CParser::ParseAnd() {
  auto left = ParseNot();
  while (At(ETok::And)) { Accept(ETok::And); left = Binary(ETok::And, std::move(left), ParseNot()); }
  return left;
}

// not := Not not | compare
ExprPtr CParser::ParseNot() {
  if (!At(ETok::Not)) return ParseCompare();
  CNestGuard nest(*this);
  auto node = Node(EExpr::Unary, Cur());
  Accept(ETok::Not);
  node->op = ETok::Not;
  node->left = ParseNot();
  return node;
}

// compare := concat { ('=' | '<>' | '<' | '>' | '<=' | '>=' | Is) concat }
ExprPtr CParser::ParseCompare() {
  auto left = ParseConcat();
  for (;;) {
    const ETok op = Cur().kind;
    if (op != ETok::Eq && op != ETok::Ne && op != ETok::Lt && op != ETok::Gt && op != ETok::Le &&
        op != ETok::Ge && op != ETok::Is) {
      return left;
    }
    Accept(op);
    left = Binary(op, std::move(left), ParseConcat());
  }
}

// concat := additive { '&' additive }
ExprPtr CParser::ParseConcat() {
  auto left = ParseAdditive();
  while (At(ETok::Amp)) { Accept(ETok::Amp); left = Binary(ETok::Amp, std::move(left), ParseAdditive()); }
  return left;
}

// additive := mod { ('+' | '-') mod }
ExprPtr CParser::ParseAdditive() {
  auto left = ParseMod();
  while (At(ETok::Plus) || At(ETok::Minus)) {
    const ETok op = Cur().kind;
    Accept(op);
    left = Binary(op, std::move(left), ParseMod());
  }
  return left;
}

// mod := intdiv { Mod intdiv }
ExprPtr CParser::ParseMod() {
  auto left = ParseIntDiv();
  while (At(ETok::Mod)) { Accept(ETok::Mod); left = Binary(ETok::Mod, std::move(left), ParseIntDiv()); }
  return left;
}

// intdiv := multiplicative { '\' multiplicative }
ExprPtr CParser::ParseIntDiv() {
  auto left = ParseMultiplicative();
  while (At(ETok::Backslash)) {
    Accept(ETok::Backslash);
    left = Binary(ETok::Backslash, std::move(left), ParseMultiplicative());
  }
  return left;
}

// multiplicative := power { ('*' | '/') power }
ExprPtr CParser::ParseMultiplicative() {
  auto left = ParsePower();
  while (At(ETok::Star) || At(ETok::Slash)) {
    const ETok op = Cur().kind;
    Accept(op);
    left = Binary(op, std::move(left), ParsePower());
  }
  return left;
}

// unary := ('-' | '+') unary | primary
// Negation binds tighter than '^' in this language: -2 ^ 2 is (-2) ^ 2.
ExprPtr CParser::ParseUnary() {
  if (!At(ETok::Minus) && !At(ETok::Plus)) return ParsePrimary();
  CNestGuard nest(*this);
  const STok& at = Cur();
  const ETok op = at.kind;
  auto node = Node(EExpr::Unary, at);
  Accept(op);
  auto operand = ParseUnary();
  if (op == ETok::Minus && operand->kind == EExpr::Literal && operand->value.IsNumeric()) {
    // Folding keeps "-1" a literal, which matters to comparison with strings.
    operand->value = ops::Negate(operand->value);
    operand->line = node->line;
    operand->column = node->column;
    return operand;
  }
  node->op = op;
  node->left = std::move(operand);
  return node;
}

// power := unary { '^' unary }
ExprPtr CParser::ParsePower() {
  auto left = ParseUnary();
  while (At(ETok::Caret)) {
    Accept(ETok::Caret);
    left = Binary(ETok::Caret, std::move(left), ParseUnary());
  }
  return left;
}

// primary := literal | True | False | Empty | Null | Nothing | New name [tail] | '(' expr ')' [tail] | chain
ExprPtr CParser::ParsePrimary() {
  const STok& at = Cur();
  switch (at.kind) {
    case ETok::Literal: {
      auto node = Node(EExpr::Literal, at);
      node->value = at.value;
      Accept(ETok::Literal);
      return node;
    }
    case ETok::True: case ETok::False: {
      auto node = Node(EExpr::Literal, at);
      node->value = CVariant::Boolean(at.kind == ETok::True);
      Accept(at.kind);
      return node;
    }
    case ETok::Empty: {
      auto node = Node(EExpr::Literal, at);
      Accept(ETok::Empty);
      return node;
    }
    case ETok::Null: {
      auto node = Node(EExpr::Literal, at);
      node->value = CVariant::Null();
      Accept(ETok::Null);
      return node;
    }
    case ETok::Nothing: {
      auto node = Node(EExpr::Nothing, at);
      Accept(ETok::Nothing);
      return node;
    }
    case ETok::New: {
      auto node = Node(EExpr::New, at);
      Accept(ETok::New);
      node->name = ExpectIdentifier();
      // New Record.Init(...) calls a member of the fresh instance: a common constructor idiom.
      if (At(ETok::Dot) && !Cur().spaceBefore) return ParseChainTail(std::move(node), kNoStop);
      return node;
    }
    case ETok::LParen: {
      auto node = Node(EExpr::Paren, at);
      Accept(ETok::LParen);
      node->left = ParseExpression();
      Expect(ETok::RParen, err::ExpectedRParen);
      // (expr).member, (expr)(args): real scripts reach into, or call the default member of,
      // an object they computed in parentheses.
      if ((At(ETok::Dot) && !Cur().spaceBefore) || At(ETok::LParen)) return ParseChainTail(std::move(node), kNoStop);
      return node;
    }
    case ETok::Identifier: case ETok::Me: case ETok::Dot: return ParseChain(kNoStop);
    default: Fail(err::ExpectedExpression);
  }
}

// chain := (name | Me | '.' member) { '.' member | '(' args ')' }
ExprPtr CParser::ParseChain(size_t stopAtParen) {
  const STok& at = Cur();
  ExprPtr node;
  if (At(ETok::Me)) {
    node = Node(EExpr::Me, at);
    Accept(ETok::Me);
  } else if (At(ETok::Dot)) {
    Accept(ETok::Dot);
    if (!At(ETok::Identifier) && !IsKeywordToken(Cur().kind)) Fail(err::ExpectedIdentifier);
    node = Node(EExpr::Member, at);
    node->name = Cur().text;
    Accept(Cur().kind);
  } else {
    node = Node(EExpr::Name, at);
    node->name = ExpectIdentifier();
  }
  return ParseChainTail(std::move(node), stopAtParen);
}

// tail := { '.' member | '(' args ')' }
ExprPtr CParser::ParseChainTail(ExprPtr node, size_t stopAtParen) {
  for (;;) {
    if (At(ETok::LParen) && m_pos != stopAtParen) {
      if (node->hasArgs || node->kind == EExpr::Me || node->kind == EExpr::Paren) {
        auto index = Node(EExpr::Index, Cur());
        index->left = std::move(node);
        node = std::move(index);
      }
      ParseArgs(*node);
    } else if (At(ETok::Dot) && !Cur().spaceBefore) {
      const STok& dot = Cur();
      Accept(ETok::Dot);
      if (!At(ETok::Identifier) && !IsKeywordToken(Cur().kind)) Fail(err::ExpectedIdentifier);
      auto member = Node(EExpr::Member, dot);
      member->name = Cur().text;
      member->left = std::move(node);
      Accept(Cur().kind);
      node = std::move(member);
    } else {
      return node;
    }
  }
}

// args := '(' [ [expr] { ',' [expr] } ] ')'
void CParser::ParseArgs(SExpr& call) {
  Accept(ETok::LParen);
  call.hasArgs = true;
  if (Accept(ETok::RParen)) return;
  for (;;) {
    if (At(ETok::Comma) || At(ETok::RParen)) call.args.push_back(Node(EExpr::Missing, Cur()));
    else call.args.push_back(ParseExpression());
    if (!Accept(ETok::Comma)) break;
  }
  Expect(ETok::RParen, err::ExpectedRParen);
}

}  // namespace quillet::engine
