// The engine's debugger driven as a session drives it: the script runs on its own thread, the
// test waits for each stop (bounded), looks at the stopped script and resumes it.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <set>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/debug/ScriptDebugger.h"
#include "engine/debug/VariableInspector.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "LogObject.h"

namespace quillet::engine::debug {
namespace {

using namespace std::chrono_literals;

class CDebugDriver : public IDebugListener {
 public:
  explicit CDebugDriver(std::u16string_view source) : m_log(new CLogObject()), m_debugger(m_engine, *this) {
    m_engine.AddNamedItem(u"Log", CVariant::Object(m_log));
    m_unit = &m_engine.Load(source);
    m_debugger.SetCodeLines(m_unit->CodeLines());
  }
  ~CDebugDriver() override {
    if (m_thread.joinable()) {
      m_debugger.Terminate();
      m_thread.join();
    }
  }

  void Start() {
    m_thread = std::thread([this] {
      try {
        m_engine.RunLoaded(*m_unit);
      } catch (const CScriptError& error) {
        m_errorNumber = error.Number();
      } catch (const SScriptStop&) {
        m_terminated = true;
      }
      const std::lock_guard<std::mutex> guard(m_lock);
      m_ended = true;
      m_changed.notify_all();
    });
  }
  // The next stop; nothing when the script ended first.
  std::optional<SStopInfo> WaitStop() {
    std::unique_lock<std::mutex> guard(m_lock);
    const bool any = m_changed.wait_for(guard, 10s, [&] { return !m_stops.empty() || m_ended; });
    EXPECT_TRUE(any) << "neither a stop nor the end came";
    if (m_stops.empty()) return std::nullopt;
    SStopInfo stop = m_stops.front();
    m_stops.pop_front();
    return stop;
  }
  int WaitStopLine() {
    const auto stop = WaitStop();
    return stop ? stop->line : 0;
  }
  bool WaitEnd() {
    std::unique_lock<std::mutex> guard(m_lock);
    const bool ended = m_changed.wait_for(guard, 10s, [&] { return m_ended; });
    if (ended) m_thread.join();
    return ended;
  }
  // Resumes, and the line of the stop that follows (0 when the script ends).
  int Step(EResumeAction action) {
    EXPECT_TRUE(m_debugger.Resume(action));
    return WaitStopLine();
  }
  template <typename Fn>
  void WhileStopped(Fn&& work) {
    ASSERT_TRUE(m_debugger.RunWhileStopped(std::function<void()>(work)));
  }

  void OnStopped(const SStopInfo& stop) override {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_stops.push_back(stop);
    m_changed.notify_all();
  }
  void OnContinued() override { m_inspector.Forget(); }

  CScriptEngine m_engine;
  CLogObject* m_log;
  CScriptDebugger m_debugger;
  CVariableInspector m_inspector{m_engine, m_debugger};
  const SCompiledUnit* m_unit = nullptr;
  int m_errorNumber = 0;
  bool m_terminated = false;

 private:
  std::thread m_thread;
  std::mutex m_lock;
  std::condition_variable m_changed;
  std::deque<SStopInfo> m_stops;
  bool m_ended = false;
};

// ---- lines that hold code -----------------------------------------------------------------

TEST(ScriptDebugger, BreakpointsOnLinesWithoutCodeLandOnTheNextStatement) {
  CDebugDriver run(
      u"' a comment\n"       // 1
      u"Dim a, b\n"          // 2: only declares
      u"\n"                  // 3
      u"a = 1\n"             // 4
      u"Sub S()\n"           // 5
      u"  Execute \"b = 2\"\n"  // 6
      u"End Sub\n"           // 7
      u"Class C\n"           // 8
      u"  Public v\n"        // 9
      u"  Sub M() : v = 1 : End Sub\n"  // 10
      u"End Class\n"         // 11
      u"S\n");               // 12
  EXPECT_EQ(run.m_unit->CodeLines(), (std::set<int>{4, 6, 10, 12}));
  EXPECT_EQ(run.m_debugger.SetBreakpoints({1, 3, 7, 13}), (std::vector<int>{4, 4, 10, 0}));
  run.Start();
  EXPECT_EQ(run.WaitStopLine(), 4);
  // Code that Execute compiled has lines of its own text, not of the script: no stop there.
  EXPECT_EQ(run.Step(EResumeAction::Continue), 0);
  EXPECT_TRUE(run.WaitEnd());
}

TEST(ScriptDebugger, EveryPlaceThatCanStopIsAStepAndALoopTestStopsOncePerPass) {
  CDebugDriver run(
      u"i = 0\n"                // 1
      u"Do\n"                   // 2
      u"  i = i + 1\n"          // 3
      u"Loop While i < 2\n"     // 4
      u"Select Case i\n"        // 5
      u"  Case 1\n"             // 6
      u"    Log 1\n"            // 7
      u"  Case 2\n"             // 8
      u"    Log 2\n"            // 9
      u"End Select\n"           // 10
      u"If i = 1 Then\n"        // 11
      u"  Log 3\n"              // 12
      u"ElseIf i = 5 Then\n"    // 13
      u"Else\n"                 // 14
      u"  Log 4\n"              // 15
      u"End If\n"               // 16
      u"For j = 1 To 2 Step 1\n"  // 17
      u"Next\n");               // 18
  run.m_debugger.StopOnEntry();
  run.Start();
  std::vector<int> lines{run.WaitStopLine()};
  for (int line = run.Step(EResumeAction::StepIn); line != 0; line = run.Step(EResumeAction::StepIn)) {
    lines.push_back(line);
  }
  EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4, 3, 4, 5, 6, 8, 9, 11, 13, 14, 15, 17, 18, 18}));
  EXPECT_EQ(run.m_log->lines, u"2\n4\n");
}

// ---- stepping -------------------------------------------------------------------------------

TEST(ScriptDebugger, StepsIntoOverAndOutOfSubsFunctionsAndClassMethods) {
  CDebugDriver run(
      u"Function Twice(x)\n"               // 1
      u"  Twice = x * 2\n"                 // 2
      u"End Function\n"                    // 3
      u"Sub Show(x)\n"                     // 4
      u"  Log Twice(x)\n"                  // 5
      u"  Log x\n"                         // 6
      u"End Sub\n"                         // 7
      u"Class Counter\n"                   // 8
      u"  Public n\n"                      // 9
      u"  Sub Add(k)\n"                    // 10
      u"    n = n + Twice(k)\n"            // 11
      u"  End Sub\n"                       // 12
      u"End Class\n"                       // 13
      u"Set c = New Counter\n"             // 14
      u"Show 1\n"                          // 15
      u"c.Add 2\n"                         // 16
      u"Show 3\n"                          // 17
      u"Log c.n\n");                       // 18
  run.m_debugger.SetBreakpoints({15});
  run.Start();
  EXPECT_EQ(run.WaitStopLine(), 15);
  EXPECT_EQ(run.Step(EResumeAction::StepIn), 5);
  EXPECT_EQ(run.Step(EResumeAction::StepIn), 2);
  EXPECT_EQ(run.Step(EResumeAction::StepOut), 6);  // back in Show, after the line that called
  EXPECT_EQ(run.Step(EResumeAction::StepOut), 16);
  EXPECT_EQ(run.Step(EResumeAction::StepIn), 11);  // into the class's method
  EXPECT_EQ(run.Step(EResumeAction::StepOver), 17);  // over the Function it calls, out at its end
  EXPECT_EQ(run.Step(EResumeAction::StepOver), 18);
  EXPECT_EQ(run.Step(EResumeAction::StepOver), 0);
  EXPECT_TRUE(run.WaitEnd());
  EXPECT_EQ(run.m_log->lines, u"2\n1\n6\n3\n4\n");
}

// ---- errors, Stop, pause, terminate ------------------------------------------------------------

TEST(ScriptDebugger, AnUnhandledErrorStopsWhereItHappensAndGoesOnAfterTheStatement) {
  CDebugDriver run(
      u"Sub Inner()\n"                   // 1
      u"  Log \"in\"\n"                  // 2
      u"  x = 1 /   0\n"                 // 3
      u"  Log \"after\"\n"               // 4
      u"End Sub\n"                       // 5
      u"On Error Resume Next\n"          // 6
      u"y = CLng(\"no\")\n"              // 7: handled by the script: no stop
      u"Log Err.Number\n"                // 8
      u"On Error GoTo 0\n"               // 9
      u"Inner\n");                       // 10
  run.Start();
  const auto stop = run.WaitStop();
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->reason, EStopReason::Exception);
  EXPECT_EQ(stop->line, 3);
  EXPECT_EQ(stop->column, 3);
  ASSERT_TRUE(stop->error);
  EXPECT_EQ(stop->error->number, 11);
  EXPECT_EQ(stop->error->description, u"Division by zero");
  // Nothing has unwound: the failing procedure is still the innermost frame.
  run.WhileStopped([&] {
    const auto frames = run.m_inspector.Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].name, u"Inner");
    EXPECT_EQ(frames[0].line, 3);
    EXPECT_EQ(frames[1].line, 10);
  });
  EXPECT_EQ(run.Step(EResumeAction::Continue), 0);
  EXPECT_TRUE(run.WaitEnd());
  EXPECT_EQ(run.m_errorNumber, 0);
  EXPECT_EQ(run.m_log->lines, u"13\nin\nafter\n");
}

TEST(ScriptDebugger, StopStatementsBreakAndPauseAndTerminateReachARunningLoop) {
  CDebugDriver run(
      u"Log 1\n"
      u"Stop\n"
      u"Do\n"
      u"  n = n + 1\n"
      u"Loop\n");
  run.Start();
  const auto stop = run.WaitStop();
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->reason, EStopReason::StopStatement);
  EXPECT_EQ(stop->line, 2);
  // A pause stops the next statement, wherever the script has got to; the second one can only
  // find it in the loop, which has no end.
  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_TRUE(run.m_debugger.Resume(EResumeAction::Continue));
    run.m_debugger.Pause();
    const auto paused = run.WaitStop();
    ASSERT_TRUE(paused);
    EXPECT_EQ(paused->reason, EStopReason::Pause);
    EXPECT_GE(paused->line, pass == 0 ? 3 : 4);
  }
  ASSERT_TRUE(run.m_debugger.Resume(EResumeAction::Continue));
  run.m_debugger.Terminate();
  EXPECT_TRUE(run.WaitEnd());
  EXPECT_TRUE(run.m_terminated);
  EXPECT_EQ(run.m_log->lines, u"1\n");
}

// ---- what a stopped script shows -----------------------------------------------------------------

// The views under a reference, by name.
std::map<std::u16string, SVariableView> Listed(CVariableInspector& inspector, int reference,
                                               std::optional<size_t> start = {}, std::optional<size_t> count = {}) {
  std::vector<SVariableView> views;
  EXPECT_TRUE(inspector.Variables(reference, start, count, views));
  std::map<std::u16string, SVariableView> byName;
  for (auto& view : views) byName[view.name] = view;
  return byName;
}

TEST(ScriptDebugger, FramesShowLocalsGlobalsNestedArraysAndObjectsLevelByLevel) {
  CDebugDriver run(
      u"Class Point\n"
      u"  Public X\n"
      u"  Private tag\n"
      u"  Sub Move(dx)\n"
      u"    Dim moved\n"
      u"    moved = True\n"
      u"    X = X + dx\n"                          // 7
      u"  End Sub\n"
      u"End Class\n"
      u"Dim grid(1, 2), big(2999), huge(999999), p, d\n"
      u"grid(1, 2) = \"corner\"\n"
      u"big(0) = Array(\"a\", Array(7))\n"
      u"Set d = CreateObject(\"Scripting.Dictionary\")\n"
      u"d.Add 1, 2\n"
      u"Set p = New Point\n"
      u"p.X = 5\n"
      u"p.Move 2\n");
  run.m_debugger.SetBreakpoints({7});
  run.Start();
  ASSERT_EQ(run.WaitStopLine(), 7);
  run.WhileStopped([&] {
    CVariableInspector& inspector = run.m_inspector;
    const auto frames = inspector.Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].name, u"Point.Move");
    EXPECT_EQ(frames[1].name, u"Global code");
    const auto scopes = inspector.Scopes(frames[0].id);
    ASSERT_EQ(scopes.size(), 2u);
    auto locals = Listed(inspector, scopes[0].reference);
    EXPECT_EQ(locals[u"moved"].value, u"True");
    EXPECT_EQ(locals[u"dx"].value, u"2");
    EXPECT_EQ(locals[u"dx"].type, u"Integer");
    auto me = Listed(inspector, locals[u"Me"].reference);
    EXPECT_EQ(me[u"X"].value, u"5");
    EXPECT_EQ(me[u"tag"].value, u"Empty");

    auto globals = Listed(inspector, scopes[1].reference);
    EXPECT_EQ(globals[u"grid"].value, u"(0 To 1, 0 To 2)");
    auto rows = Listed(inspector, globals[u"grid"].reference);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[u"(1)"].value, u"(0 To 2)");
    auto row = Listed(inspector, rows[u"(1)"].reference);
    EXPECT_EQ(row[u"(1, 2)"].value, u"\"corner\"");

    // 3,000 elements open as 30 groups of 100, never as one list; a page is what was asked, up
    // to ten of ours.
    EXPECT_EQ(globals[u"big"].indexedCount, 3000u);
    auto groups = Listed(inspector, globals[u"big"].reference);
    ASSERT_EQ(groups.size(), 30u);
    EXPECT_EQ(Listed(inspector, groups[u"(2900 To 2999)"].reference).size(), 100u);
    EXPECT_EQ(Listed(inspector, globals[u"big"].reference, 0, 1000000).size(), 1000u);
    EXPECT_EQ(Listed(inspector, globals[u"big"].reference, 2990, 1000000).size(), 10u);
    // A million: groups of 10,000, then of 100, then the elements.
    auto outer = Listed(inspector, globals[u"huge"].reference);
    ASSERT_EQ(outer.size(), 100u);
    auto middle = Listed(inspector, outer[u"(990000 To 999999)"].reference);
    ASSERT_EQ(middle.size(), 100u);
    EXPECT_EQ(Listed(inspector, middle[u"(999900 To 999999)"].reference)[u"(999999)"].value, u"Empty");
    auto page = Listed(inspector, globals[u"big"].reference, 0, 3);
    ASSERT_EQ(page.size(), 3u);
    auto inner = Listed(inspector, page[u"(0)"].reference);
    EXPECT_EQ(inner[u"(0)"].value, u"\"a\"");
    EXPECT_EQ(Listed(inspector, inner[u"(1)"].reference)[u"(0)"].value, u"7");

    auto dictionary = Listed(inspector, globals[u"d"].reference);
    EXPECT_EQ(dictionary[u"Count"].value, u"1");
    EXPECT_EQ(globals[u"d"].value, u"{Dictionary}");
  });
  EXPECT_EQ(run.Step(EResumeAction::Continue), 0);
  EXPECT_TRUE(run.WaitEnd());
}

TEST(ScriptDebugger, SetVariableTakesSimpleValuesAndRefusesObjectsArraysAndBadText) {
  CDebugDriver run(
      u"Dim s, n, when, list(1), o\n"
      u"s = \"old\" : n = 1 : when = #2001-02-03# : Set o = New RegExp\n"
      u"Stop\n"
      u"Log s, n + 1, TypeName(n), Year(when)\n");
  run.Start();
  ASSERT_TRUE(run.WaitStop());
  run.WhileStopped([&] {
    CVariableInspector& inspector = run.m_inspector;
    const int globals = inspector.Scopes(0)[0].reference;
    SVariableView view;
    std::u16string error;
    EXPECT_TRUE(inspector.SetVariable(globals, u"s", u"new text", view, error));
    EXPECT_EQ(view.value, u"\"new text\"");
    EXPECT_TRUE(inspector.SetVariable(globals, u"N", u"41", view, error));
    EXPECT_FALSE(inspector.SetVariable(globals, u"n", u"forty", view, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(inspector.SetVariable(globals, u"when", u"2024-05-06", view, error));
    EXPECT_FALSE(inspector.SetVariable(globals, u"list", u"1", view, error));
    EXPECT_FALSE(inspector.SetVariable(globals, u"o", u"1", view, error));
    EXPECT_FALSE(inspector.SetVariable(globals, u"missing", u"1", view, error));
  });
  EXPECT_EQ(run.Step(EResumeAction::Continue), 0);
  EXPECT_TRUE(run.WaitEnd());
  EXPECT_EQ(run.m_log->lines, u"new text 42 Integer 2024\n");
}

TEST(ScriptDebugger, EvaluateSeesTheFrameNeverStopsAndLeavesErrAsItWas) {
  CDebugDriver run(
      u"Function Half(v)\n"
      u"  Half = v / 2\n"
      u"End Function\n"
      u"Sub Work(k)\n"
      u"  Dim local : local = k * 10\n"
      u"  On Error Resume Next\n"
      u"  Err.Raise 5\n"
      u"  Stop\n"
      u"  Log Err.Number\n"
      u"End Sub\n"
      u"Work 3\n");
  run.m_debugger.SetBreakpoints({2});
  run.Start();
  const auto stop = run.WaitStop();
  ASSERT_TRUE(stop);
  ASSERT_EQ(stop->reason, EStopReason::StopStatement);
  run.WhileStopped([&] {
    SVariableView view;
    std::u16string error;
    // The breakpoint inside Half is not taken while the expression runs.
    EXPECT_TRUE(run.m_inspector.Evaluate(0, u"Half(local) + k", view, error));
    EXPECT_EQ(view.value, u"18");
    EXPECT_FALSE(run.m_inspector.Evaluate(0, u"1 / 0", view, error));
    EXPECT_EQ(error, u"Division by zero");
    EXPECT_TRUE(run.m_inspector.Evaluate(0, u"Err.Clear()", view, error));
  });
  EXPECT_EQ(run.Step(EResumeAction::Continue), 0);
  EXPECT_TRUE(run.WaitEnd());
  EXPECT_EQ(run.m_log->lines, u"5\n");
}

TEST(ScriptDebugger, DebugWriteReachesTheDebuggersOutputAndNothingWithoutOne) {
  CScriptEngine engine;
  std::u16string written;
  engine.Runtime().debugOutput = [&](std::u16string_view text) { written += text; };
  engine.Run(u"Debug.Write \"a\", 1 : Debug.WriteLine \"b\"\n");
  EXPECT_EQ(written, u"a 1b\r\n");
  CScriptEngine quiet;
  EXPECT_NO_THROW(quiet.Run(u"Debug.WriteLine \"unheard\"\nConst debugLevel = 1\n"));
}

}  // namespace
}  // namespace quillet::engine::debug
