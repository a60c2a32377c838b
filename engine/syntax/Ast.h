#pragma once
// The syntax tree the parser builds and the compiler walks. Nodes keep the line and column of
// their first token (from 1) so that every compiled statement knows where it came from.

#include <memory>
#include <string>
#include <vector>

#include "engine/syntax/Token.h"
#include "engine/runtime/Variant.h"

namespace quillet::engine {

enum class EExpr {
  Literal,  // value
  Name,     // name, optional args (a, a(1), f(x))
  Member,   // left.name, optional args; a null left is the With object (".name")
  Index,    // left(args) on any other expression: f(1)(2)
  Me,
  New,      // name is the class
  Nothing,
  Unary,    // op (Minus, Plus, Not), left
  Binary,   // op, left, right
  Paren,    // (left): an argument in parentheses is passed by value
  Missing,  // an omitted argument: f(1, , 3)
};

struct SExpr {
  EExpr kind = EExpr::Literal;
  int line = 0;
  int column = 0;
  ETok op = ETok::End;
  CVariant value;
  std::u16string name;
  std::unique_ptr<SExpr> left;
  std::unique_ptr<SExpr> right;
  std::vector<std::unique_ptr<SExpr>> args;
  bool hasArgs = false;  // parentheses were written, possibly empty
};
using ExprPtr = std::unique_ptr<SExpr>;

struct SStmt;
using Block = std::vector<std::unique_ptr<SStmt>>;

enum class EStmt {
  Call,          // target is the call (Name/Member/Index with args)
  Assign,        // target = value
  Set,           // Set target = value
  Dim,           // items (also Public/Private variables)
  ReDim,         // items, preserve
  Erase,         // target
  Const,         // items with values
  If,            // branches
  Select,        // target is the subject, branches
  For,           // name, value (start), limit, step, body
  ForEach,       // name, value (collection), body
  Do,            // test, value (condition, may be null), body
  While,         // value, body
  With,          // target, body
  Exit,          // exitKind
  OnErrorResume,
  OnErrorGoto0,
  Stop,
};

enum class ELoopTest { None, PreWhile, PreUntil, PostWhile, PostUntil };
enum class EExit { Do, For, Sub, Function, Property };

struct SDimItem {
  std::u16string name;
  int line = 0;
  int column = 0;
  bool hasBounds = false;        // Dim a() or Dim a(3)
  std::vector<ExprPtr> bounds;   // upper bounds
  ExprPtr value;                 // Const only
};

struct SBranch {
  std::vector<ExprPtr> conditions;  // If: one; Case: the list; none for Else
  Block body;
  // The keyword that opens the branch (If, ElseIf, Else, Case): a later branch is tested, or
  // entered, as a statement of its own line.
  int line = 0;
  int column = 0;
};

struct SStmt {
  EStmt kind = EStmt::Call;
  int line = 0;
  int column = 0;
  ExprPtr target;
  ExprPtr value;
  ExprPtr limit;
  ExprPtr step;
  std::u16string name;
  int nameLine = 0;
  int nameColumn = 0;
  std::vector<SDimItem> items;
  std::vector<SBranch> branches;
  Block body;
  // A loop's closing keyword (Next, Loop, Wend), where each further pass is decided.
  int endLine = 0;
  int endColumn = 0;
  ELoopTest test = ELoopTest::None;
  EExit exitKind = EExit::Do;
  bool preserve = false;
};

enum class EProcKind { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct SParam {
  std::u16string name;
  bool byVal = false;
};

struct SProcDecl {
  EProcKind kind = EProcKind::Sub;
  std::u16string name;
  int line = 0;
  int column = 0;
  std::vector<SParam> params;
  Block body;
  bool isPublic = true;
  bool isDefault = false;
};

struct SFieldDecl {
  SDimItem item;
  bool isPublic = true;
};

struct SClassDecl {
  std::u16string name;
  int line = 0;
  int column = 0;
  std::vector<SFieldDecl> fields;
  std::vector<SProcDecl> procs;
};

struct SProgram {
  Block body;
  std::vector<SProcDecl> procs;
  std::vector<SClassDecl> classes;
  bool optionExplicit = false;
};

}  // namespace quillet::engine
