// Compilation errors carry Windows' numbers and the position of the fault.

#include <gtest/gtest.h>

#include "engine/syntax/Lexer.h"
#include "engine/syntax/Parser.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

struct SFault {
  int number = 0;
  int line = 0;
  int column = 0;
};

SFault CompileFault(std::u16string_view source) {
  try {
    (void)CParser::Parse(source);
  } catch (const CScriptError& e) {
    EXPECT_EQ(e.Kind(), EErrorKind::Compilation);
    return {e.Number(), e.Line(), e.Column()};
  }
  return {};
}

TEST(Lexer, LiteralsAndContinuations) {
  CLexer lexer(u"x = &HFFFF + &O17 + &H10000 + 1.5E3 + \"a\"\"b\" + #1/2/2003# _\n  + [my var] ' note\r\nRem all\n");
  const auto tokens = lexer.Tokenize();
  std::vector<CVariant> literals;
  for (const auto& t : tokens) {
    if (t.kind == ETok::Literal) literals.push_back(t.value);
  }
  ASSERT_EQ(literals.size(), 6u);
  EXPECT_EQ(literals[0].Type(), EVarType::Integer);
  EXPECT_EQ(literals[0].AsInteger(), -1);
  EXPECT_EQ(literals[1].AsInteger(), 15);
  EXPECT_EQ(literals[2].AsLong(), 65536);
  EXPECT_EQ(literals[3].AsDouble(), 1500);
  EXPECT_EQ(literals[4].AsString(), u"a\"b");
  EXPECT_EQ(literals[5].Type(), EVarType::Date);
  // The continued line's tokens keep their own line; the bracketed name is an identifier.
  const auto it = std::find_if(tokens.begin(), tokens.end(), [](const STok& t) { return t.text == u"my var"; });
  ASSERT_NE(it, tokens.end());
  EXPECT_EQ(it->kind, ETok::Identifier);
  EXPECT_EQ(it->line, 2);
  EXPECT_EQ(tokens.back().kind, ETok::End);
}

TEST(Parser, ErrorsHaveWindowsNumbersAndPositions) {
  auto f = CompileFault(u"x = \"abc\n");
  EXPECT_EQ(f.number, 1033);
  EXPECT_EQ(f.line, 1);
  EXPECT_EQ(f.column, 9);
  f = CompileFault(u"If x Then\n y = 1\n");
  EXPECT_EQ(f.number, 1014);
  f = CompileFault(u"x = 1 +\n");
  EXPECT_EQ(f.number, 1023);
  f = CompileFault(u"Dim a b\n");
  EXPECT_EQ(f.number, 1025);
  EXPECT_EQ(f.column, 7);
  f = CompileFault(u"Sub s\nExit Function\nEnd Sub\n");
  EXPECT_EQ(f.number, 1039);
  EXPECT_EQ(f.line, 2);
  f = CompileFault(u"foo(1, 2)\n");
  EXPECT_EQ(f.number, 1044);
  f = CompileFault(u"x = 1 $ 2\n");
  EXPECT_EQ(f.number, 1032);
  f = CompileFault(u"For i = 1 To 3\n");
  EXPECT_EQ(f.number, 1020);
  f = CompileFault(u"Class C\nPrivate Default Function F : End Function\nEnd Class\n");
  EXPECT_EQ(f.number, 1057);
  f = CompileFault(u"x = 1\nOption Explicit\n");
  EXPECT_EQ(f.number, 1042);
}

TEST(Parser, CallStatementsAndParentheses) {
  // "f (1), 2" is a call with a parenthesised first argument, "f (1)" one by-value argument.
  EXPECT_EQ(CompileFault(u"f (1), 2\nf (1)\nf(1)\nCall f(1, 2)\nf 1, , 3\nf\n").number, 0);
  EXPECT_EQ(CompileFault(u"If a Then b = 1 : c = 2 Else d = 3\nIf a Then If b Then c\n").number, 0);
  EXPECT_EQ(CompileFault(u"x = -2 ^ -2 * 3 = 2 And Not 3 Imp 4 Eqv 5 Xor 6 Or 7 Mod 8 \\ 9 & 10\n").number, 0);
  EXPECT_EQ(CompileFault(u"With o\n .a = .b(1).c\n .d .e\nEnd With\n").number, 0);
}

TEST(Parser, NegationBindsTighterThanPower) {
  const SProgram program = CParser::Parse(u"x = -2 ^ 2\ny = -a ^ 2\n");
  const SExpr& folded = *program.body[0]->value;
  ASSERT_EQ(folded.kind, EExpr::Binary);
  EXPECT_EQ(folded.op, ETok::Caret);
  ASSERT_EQ(folded.left->kind, EExpr::Literal);
  EXPECT_EQ(folded.left->value.AsInteger(), -2);
  const SExpr& negated = *program.body[1]->value;
  ASSERT_EQ(negated.kind, EExpr::Binary);
  EXPECT_EQ(negated.left->kind, EExpr::Unary);
}

TEST(Parser, CallsOnComputedValues) {
  const SProgram program = CParser::Parse(
      u"Set o = New A.Init(1)\nx = (f(1))(2, 3)\nd.Item(\"k\")(\"x\") = 1\nEcho (New F)(a), b\n");
  const SExpr& created = *program.body[0]->value;
  ASSERT_EQ(created.kind, EExpr::Member);
  EXPECT_EQ(created.left->kind, EExpr::New);
  EXPECT_EQ(created.args.size(), 1u);
  const SExpr& called = *program.body[1]->value;
  ASSERT_EQ(called.kind, EExpr::Index);
  EXPECT_EQ(called.left->kind, EExpr::Paren);
  EXPECT_EQ(called.args.size(), 2u);
  const SStmt& assigned = *program.body[2];
  EXPECT_EQ(assigned.kind, EStmt::Assign);
  ASSERT_EQ(assigned.target->kind, EExpr::Index);
  EXPECT_EQ(assigned.target->left->kind, EExpr::Member);
  // The parenthesised groups that follow the callee together make its first argument.
  const SStmt& echo = *program.body[3];
  ASSERT_EQ(echo.target->kind, EExpr::Name);
  ASSERT_EQ(echo.target->args.size(), 2u);
  EXPECT_EQ(echo.target->args[0]->kind, EExpr::Index);
}

TEST(Parser, AbsurdNestingIsAnErrorNotACrash) {
  const std::u16string parens = u"x = " + std::u16string(200000, u'(') + u"1" + std::u16string(200000, u')') + u"\n";
  EXPECT_EQ(CompileFault(parens).number, 28);
  EXPECT_EQ(CompileFault(u"x = " + std::u16string(200000, u'-') + u"1\n").number, 28);
  std::u16string ifs;
  for (int i = 0; i < 5000; ++i) ifs += u"If a Then\n";
  EXPECT_EQ(CompileFault(ifs).number, 28);
  // Nesting that real scripts use stays well inside the bound.
  EXPECT_EQ(CompileFault(u"x = " + std::u16string(100, u'(') + u"1" + std::u16string(100, u')') + u"\n").number, 0);
}

TEST(Parser, ConcatenationRightAfterAQuoteOrName) {
  EXPECT_EQ(CompileFault(u"x = a&\"\\\"&objName & \"A:\\\"&o\n").number, 0);
  EXPECT_EQ(CompileFault(u"For Each f In (o.Folder).Files : Next\n").number, 0);
}

}  // namespace
}  // namespace quillet::engine
