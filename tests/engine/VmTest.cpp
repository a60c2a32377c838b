// The virtual machine through the engine: results, error positions, the statement hook and
// the bounds that keep a script from hurting its host.

#include <gtest/gtest.h>

#include <vector>

#include "engine/runtime/DispatchObject.h"
#include "engine/vm/ScriptEngine.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

class CLog : public CDispatchObject {
 public:
  std::u16string TypeName() const override { return u"Log"; }
  CVariant Invoke(std::u16string_view, EInvokeKind, std::span<CVariant> args) override {
    std::u16string line;
    for (auto& arg : args) {
      if (!line.empty()) line += u' ';
      line += arg.Deref().ToString();
    }
    lines.push_back(line);
    return {};
  }
  std::vector<std::u16string> lines;
};

struct SOutcome {
  std::vector<std::u16string> lines;
  int error = 0;
  int line = 0;
  int column = 0;
};

SOutcome RunScript(std::u16string_view source, CScriptEngine* given = nullptr) {
  CScriptEngine own;
  CScriptEngine& engine = given != nullptr ? *given : own;
  auto* log = new CLog();
  CVariant holder = CVariant::Object(log);
  engine.AddNamedItem(u"Log", holder);
  SOutcome outcome;
  try {
    engine.Run(source);
  } catch (const CScriptError& e) {
    outcome.error = e.Number();
    outcome.line = e.Line();
    outcome.column = e.Column();
  }
  engine.Close();
  outcome.lines = log->lines;
  return outcome;
}

TEST(Vm, RuntimeErrorsNameTheStatement) {
  const auto r = RunScript(u"Dim a(2)\nx = 1\n  a(3) = 1\n");
  EXPECT_EQ(r.error, 9);
  EXPECT_EQ(r.line, 3);
  EXPECT_EQ(r.column, 3);
  EXPECT_EQ(RunScript(u"Sub S\n  Dim o\n  o.Go\nEnd Sub\nS\n").line, 3);
  EXPECT_EQ(RunScript(u"Set o = Nothing\no.Go\n").error, 91);
  EXPECT_EQ(RunScript(u"x = CInt(\"abc\")\n").error, 13);
  EXPECT_EQ(RunScript(u"Function F(a) : End Function\nx = F(1, 2)\n").error, 450);
  EXPECT_EQ(RunScript(u"x = Nope(1)\n").error, 13);
}

TEST(Vm, OnErrorResumeNextIsPerProcedure) {
  const auto r = RunScript(
      u"Sub Inner\n  x = 1 / 0\n  Log \"not reached\"\nEnd Sub\n"
      u"On Error Resume Next\nInner\nLog Err.Number\nErr.Clear\n"
      u"If 1 / 0 Then Log \"then part\"\nLog Err.Number\n"
      u"On Error GoTo 0\nLog Err.Number\nErr.Raise 6\nLog \"never\"\n");
  ASSERT_EQ(r.lines.size(), 4u);
  EXPECT_EQ(r.lines[0], u"11");
  EXPECT_EQ(r.lines[1], u"then part");  // Windows goes on inside the Then part
  EXPECT_EQ(r.lines[2], u"11");
  EXPECT_EQ(r.lines[3], u"0");
  EXPECT_EQ(r.error, 6);
  EXPECT_EQ(r.line, 13);
}

TEST(Vm, ByRefReachesVariablesAndArrayElementsButNotParenthesisedArguments) {
  const auto r = RunScript(
      u"Sub Inc(n) : n = n + 1 : End Sub\nSub IncV(ByVal n) : n = n + 1 : End Sub\n"
      u"Dim a(1), b : b = 1 : a(1) = 5\nInc b : Inc a(1) : Inc (b) : IncV b : Call Inc(b)\n"
      u"Log b, a(1)\n");
  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_EQ(r.lines[0], u"3 6");
}

TEST(Vm, ArraysLockedWhileAnElementIsPassedByReference) {
  const auto r = RunScript(u"Dim a() : ReDim a(2)\nSub Grow(x) : ReDim a(5) : End Sub\nGrow a(1)\n");
  EXPECT_EQ(r.error, 10);
}

TEST(Vm, ClassTerminateRunsWhenTheLastReferenceGoes) {
  const auto r = RunScript(
      u"Class T\n  Public Name\n  Sub Class_Terminate : Log \"bye \" & Name : End Sub\nEnd Class\n"
      u"Sub Scope\n  Dim t : Set t = New T : t.Name = \"local\"\nEnd Sub\n"
      u"Scope\nLog \"between\"\nSet g = New T : g.Name = \"global\"\nSet h = g\nSet g = Nothing\n"
      u"Log \"still held\"\nSet h = Nothing\nSet k = New T : k.Name = \"at end\"\n");
  ASSERT_EQ(r.error, 0);
  const std::vector<std::u16string> expected{u"bye local", u"between", u"still held", u"bye global", u"bye at end"};
  EXPECT_EQ(r.lines, expected);
}

TEST(Vm, DeepRecursionIsOutOfStackSpace) {
  CScriptEngine engine;
  engine.Vm().SetMaxCallDepth(200);
  const auto r = RunScript(u"Function F(n) : F = F(n + 1) : End Function\nx = F(1)\n", &engine);
  EXPECT_EQ(r.error, 28);
}

// Frames of nested calls live in one arena that grows in pieces: a deep chain of calls with
// many locals spans several pieces, and every frame keeps its values and its ByRef links.
TEST(Vm, DeepCallsKeepEveryFramesValues) {
  std::u16string locals;
  std::u16string sum;
  for (int i = 1; i <= 40; ++i) {
    const std::u16string name = u"v" + std::u16string(1, static_cast<char16_t>(u'0' + i / 10)) +
                                std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
    locals += u"  Dim " + name + u" : " + name + u" = n\n";
    sum += u" + " + name;
  }
  const auto r = RunScript(u"Function Dive(n, ByRef calls)\n" + locals +
                           u"  calls = calls + 1\n"
                           u"  If n > 0 Then Dive = Dive(n - 1, calls) Else Dive = 0\n"
                           u"  Dive = Dive + (0" + sum + u") / 40\n"
                           u"End Function\n"
                           u"Dim count, total : count = 0\ntotal = Dive(1500, count)\nLog total, count\n");
  ASSERT_EQ(r.error, 0);
  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_EQ(r.lines[0], u"1125750 1501");
}

TEST(Vm, StatementHookSeesTheFramesOfNestedCalls) {
  CScriptEngine engine;
  std::vector<size_t> depths;
  engine.Vm().SetStatementHook([&](const SFrame&, const SStatementPos&) { depths.push_back(engine.Vm().Frames().size()); });
  const auto r = RunScript(u"Sub Inner : x = 1 : End Sub\nSub Outer : Inner : End Sub\nOuter\ny = 2\n", &engine);
  ASSERT_EQ(r.error, 0);
  const std::vector<size_t> expected{1, 2, 3, 1};
  EXPECT_EQ(depths, expected);
}

// Conditions tested again on their own lines (a loop's test, a Case, an ElseIf) are statements
// of those lines, and so are the ends of loops that step or jump back.
TEST(Vm, StatementHookSeesEveryStatementInOrder) {
  CScriptEngine engine;
  std::vector<int> lines;
  engine.Vm().SetStatementHook([&](const SFrame&, const SStatementPos& pos) { lines.push_back(pos.line); });
  const auto r = RunScript(
      u"x = 0\nFor i = 1 To 2\n  x = x + i\nNext\n"                   // 1-4
      u"Do While x > 1\n  x = x - 2\nLoop\n"                           // 5-7
      u"Do\n  x = x + 1\nLoop Until x = 2\n"                           // 8-10
      u"Select Case x\n  Case 1\n    y = 1\n  Case 2, 3\n    y = 2\nEnd Select\n"  // 11-16
      u"If x = 1 Then\n  y = 3\nElseIf x = 5 Then\n  y = 4\nElse\n  y = 5\nEnd If\n"  // 17-23
      u"While y < 6\n  y = y + 1\nWend\n"                              // 24-26
      u"For Each v In Array(1, 2)\nNext\n",                             // 27-28
      &engine);
  ASSERT_EQ(r.error, 0);
  const std::vector<int> expected{1,  2,  3,  4,  3,  4,  5,  6,  7,  5,  8,  9,  10, 11, 12,
                                  14, 15, 17, 19, 21, 22, 24, 25, 26, 24, 27, 28, 28};
  EXPECT_EQ(lines, expected);
}

// An error in a condition that is tested on a line of its own is reported at that line, at the
// column of its keyword, not at the statement that ran before it.
TEST(Vm, ErrorsInConditionsNameTheirOwnLine) {
  struct SCase {
    const char16_t* source;
    int error;
    int line;
    int column;
  };
  const SCase cases[] = {
      {u"n = 0\nDo\n  n = n + 1\n  Loop While n / 0\n", 11, 4, 3},
      {u"n = 0\nDo : n = n + 1 : Loop Until n / 0\n", 11, 2, 18},
      {u"n = 0\nDo Until 1 / (2 - n) > 1\n  n = n + 1\nLoop\n", 11, 2, 1},
      {u"n = 0\nWhile 1 / (2 - n)\n  n = n + 1\nWend\n", 11, 2, 1},
      {u"Select Case 1\n  Case 2\n    x = 1\n  Case 3, 1 / 0\n    x = 2\nEnd Select\n", 11, 4, 3},
      {u"If False Then\n  x = 1\n  ElseIf 1 / 0 Then\n  x = 2\nEnd If\n", 11, 3, 3},
      {u"For i = 1 To 3\n  i = \"x\"\n  Next\n", 13, 3, 3},
      {u"For i = 1 To 3 Step 1\n  x = i\n  i = Array(1)\nNext\n", 13, 4, 1},
      {u"Sub S\n  Do\n    x = 1\n  Loop Until x / 0\nEnd Sub\nS\n", 11, 4, 3},
      // The first test of a For is part of the For line.
      {u"For i = 1 To 3 Step \"x\"\nNext\n", 13, 1, 1},
  };
  for (const SCase& c : cases) {
    const std::u16string source(c.source);
    SCOPED_TRACE(std::string(source.begin(), source.end()));
    const auto r = RunScript(c.source);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(r.line, c.line);
    EXPECT_EQ(r.column, c.column);
  }
}

// After such an error the script goes on where it went before the conditions had lines of their
// own: after the loop for a loop's end, into the body for a Case, ElseIf or Do While.
TEST(Vm, OnErrorResumeNextGoesOnAfterAFailedCondition) {
  const auto r = RunScript(
      u"On Error Resume Next\n"
      u"n = 0\nDo\n  n = n + 1\nLoop While n / 0\nLog \"after loop\", n, Err.Number : Err.Clear\n"
      u"For i = 1 To 3\n  Log \"for\", i\n  i = \"x\"\nNext\nLog \"after for\", i, Err.Number : Err.Clear\n"
      u"Select Case 1\n  Case 1 / 0\n    Log \"case body\", Err.Number : Err.Clear\n  Case 1\n    Log \"wrong case\"\n"
      u"End Select\n"
      u"If False Then\n  Log \"then\"\nElseIf 1 / 0 Then\n  Log \"elseif body\", Err.Number : Err.Clear\nElse\n"
      u"  Log \"else\"\nEnd If\n"
      u"m = 0\nDo While 1 / (1 - m)\n  m = m + 1\n  If m > 3 Then Exit Do\nLoop\nLog \"do while\", m\n");
  ASSERT_EQ(r.error, 0);
  const std::vector<std::u16string> expected{u"after loop 1 11", u"for 1",        u"after for x 13",
                                             u"case body 11",    u"elseif body 11", u"do while 4"};
  EXPECT_EQ(r.lines, expected);
}

// A statement that fails at the end of a branch goes on after the If or Select, never in another
// branch; at the end of a loop's body, with the loop's next pass.
TEST(Vm, OnErrorResumeNextAfterTheLastStatementOfABlock) {
  const auto r = RunScript(
      u"On Error Resume Next\n"
      u"If True Then\n  x = 1 / 0\nElseIf True Then\n  Log \"elseif\"\nElse\n  Log \"else\"\nEnd If\n"
      u"Log \"after if\", Err.Number : Err.Clear\n"
      u"Select Case 1\n  Case 1\n    x = 1 / 0\n  Case 2, 1\n    Log \"case\"\n  Case Else\n    Log \"case else\"\n"
      u"End Select\nLog \"after select\", Err.Number : Err.Clear\n"
      u"For i = 1 To 2\n  Log \"for\", i\n  x = 1 / 0\nNext\n"
      u"n = 0\nDo\n  n = n + 1\n  Log \"do\", n\n  x = 1 / 0\nLoop Until n = 2\n"
      u"Log \"end\", Err.Number\n");
  ASSERT_EQ(r.error, 0);
  const std::vector<std::u16string> expected{u"after if 11", u"after select 11", u"for 1", u"for 2",
                                             u"do 1",        u"do 2",            u"end 11"};
  EXPECT_EQ(r.lines, expected);
}

TEST(Vm, StepLimitStopsEndlessLoops) {
  CScriptEngine engine;
  engine.Vm().SetStepLimit(1000);
  EXPECT_THROW((void)engine.Run(u"Do\nLoop\n"), SScriptStop);
}

}  // namespace
}  // namespace quillet::engine
