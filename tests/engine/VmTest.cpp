// The virtual machine through the engine: results, error positions, the statement hook and
// the bounds that keep a script from hurting its host.

#include <gtest/gtest.h>

#include <vector>

#include "engine/DispatchObject.h"
#include "engine/ScriptEngine.h"
#include "engine/ScriptError.h"

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

TEST(Vm, StatementHookSeesEveryStatementInOrder) {
  CScriptEngine engine;
  std::vector<int> lines;
  engine.Vm().SetStatementHook([&](const SFrame&, const SStatementPos& pos) { lines.push_back(pos.line); });
  (void)RunScript(u"x = 0\nFor i = 1 To 2\n  x = x + i\nNext\nIf x = 3 Then\n  y = 1\nEnd If\n", &engine);
  // Line 3 twice; the loop's back jump reports the last statement of its body again.
  const std::vector<int> expected{1, 2, 3, 3, 3, 3, 5, 6};
  EXPECT_EQ(lines, expected);
}

TEST(Vm, StepLimitStopsEndlessLoops) {
  CScriptEngine engine;
  engine.Vm().SetStepLimit(1000);
  EXPECT_THROW((void)engine.Run(u"Do\nLoop\n"), SScriptStop);
}

}  // namespace
}  // namespace quillet::engine
