// The debugger's figures, each beside a baseline of the same run:
//   1. a script under the debugger with no breakpoint, against the same script without one
//      (target: at most 1.2 times as long);
//   2. from a "next" request to the "stopped" event, through the protocol session (target: under
//      10 ms), beside a bare round trip between two threads;
//   3. the "variables" request for a frame's 10,000 globals (target: under 50 ms), beside
//      turning the same values into text directly.
// Run: build/bench/bench_debugger

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BenchTiming.h"
#include "engine/debug/DapMessageWriter.h"
#include "engine/debug/DapSession.h"
#include "engine/debug/ScriptDebugger.h"
#include "engine/vm/ScriptEngine.h"

namespace {

using quillet::bench::Median;
using Clock = std::chrono::steady_clock;
using nlohmann::json;
using namespace quillet::engine;

constexpr int kRepeats = 5;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

const char16_t* kWorkload =
    u"Sub NeverCalled()\n"
    u"  s = 0\n"
    u"End Sub\n"
    u"Function Square(x)\n"
    u"  Square = x * x\n"
    u"End Function\n"
    u"Dim i, s, t : s = 0 : t = \"\"\n"
    u"For i = 1 To 1500000\n"
    u"  s = s + Square(i Mod 100)\n"
    u"  If i Mod 3 = 0 Then t = \"x\"\n"
    u"Next\n";

class CNoListener : public debug::IDebugListener {
 public:
  void OnStopped(const debug::SStopInfo&) override {}
  void OnContinued() override {}
};

double RunWorkload(bool debugged, bool armedBreakpoint) {
  CScriptEngine engine;
  CNoListener listener;
  std::unique_ptr<debug::CScriptDebugger> debugger;
  const SCompiledUnit& unit = engine.Load(kWorkload);
  if (debugged) {
    debugger = std::make_unique<debug::CScriptDebugger>(engine, listener);
    debugger->SetCodeLines(unit.CodeLines());
    // A breakpoint on a line that never runs keeps every statement looking.
    if (armedBreakpoint) debugger->SetBreakpoints({2});
  }
  const auto start = Clock::now();
  engine.RunLoaded(unit);
  return Milliseconds(Clock::now() - start);
}

void OverheadFigure() {
  std::vector<double> plain;
  std::vector<double> debugged;
  std::vector<double> armed;
  for (int i = 0; i < kRepeats; ++i) {
    plain.push_back(RunWorkload(false, false));
    debugged.push_back(RunWorkload(true, false));
    armed.push_back(RunWorkload(true, true));
  }
  const double base = Median(plain);
  std::printf("1. script without debugger %8.1f ms (baseline)\n", base);
  std::printf("   under the debugger       %8.1f ms  ratio %.3f  (target <= 1.2)\n", Median(debugged),
              Median(debugged) / base);
  std::printf("   with a breakpoint set    %8.1f ms  ratio %.3f  (every statement looked at)\n", Median(armed),
              Median(armed) / base);
}

// A session whose writer hands each message to a waiting reader.
class CSessionProbe {
 public:
  CSessionProbe()
      : m_writer([this](std::string_view framed) {
          const size_t body = framed.find("\r\n\r\n");
          json message = json::parse(framed.substr(body + 4));
          const std::lock_guard<std::mutex> guard(m_lock);
          m_messages.push_back(std::move(message));
          m_arrived.notify_all();
          return true;
        }),
        m_session(m_writer) {}

  void Send(const std::string& command, json arguments = json::object()) {
    m_session.Handle(json{{"seq", ++m_seq}, {"type", "request"}, {"command", command}, {"arguments", arguments}});
  }
  // Waits for the first message that matches and drops everything before it.
  json WaitFor(const std::function<bool(const json&)>& match) {
    std::unique_lock<std::mutex> guard(m_lock);
    size_t checked = 0;
    for (;;) {
      for (; checked < m_messages.size(); ++checked) {
        if (!match(m_messages[checked])) continue;
        json found = m_messages[checked];
        m_messages.erase(m_messages.begin(), m_messages.begin() + static_cast<long>(checked) + 1);
        return found;
      }
      if (!m_arrived.wait_for(guard, std::chrono::seconds(30), [&] { return m_messages.size() > checked; })) {
        std::fprintf(stderr, "no message came\n");
        std::exit(1);
      }
    }
  }
  json Event(const std::string& name) {
    return WaitFor([&](const json& m) { return m.value("event", "") == name; });
  }
  json Response(const std::string& command) {
    return WaitFor([&](const json& m) { return m.value("type", "") == "response" && m.value("command", "") == command; });
  }
  void Launch(const std::string& program) {
    Send("initialize");
    Send("launch", json{{"program", program}, {"stopOnEntry", true}});
    Event("initialized");
    Send("configurationDone");
    Event("stopped");
  }

 private:
  quillet::dap::CDapMessageWriter m_writer;
  debug::CDapSession m_session;
  std::mutex m_lock;
  std::condition_variable m_arrived;
  std::vector<json> m_messages;
  int m_seq = 0;
};

double ThreadRoundTrip() {
  std::mutex lock;
  std::condition_variable changed;
  int turn = 0;
  std::thread other([&] {
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [&] { return turn == 1; });
    turn = 2;
    changed.notify_all();
  });
  const auto start = Clock::now();
  {
    std::unique_lock<std::mutex> guard(lock);
    turn = 1;
    changed.notify_all();
    changed.wait(guard, [&] { return turn == 2; });
  }
  const double took = Milliseconds(Clock::now() - start);
  other.join();
  return took;
}

void StepFigure(const std::string& folder) {
  const std::string program = folder + "/steps.vbs";
  std::ofstream(program) << "Do\r\n  n = n + 1\r\nLoop\r\n";
  CSessionProbe probe;
  probe.Launch(program);
  std::vector<double> steps;
  std::vector<double> roundTrips;
  for (int i = 0; i < 1000; ++i) {
    const auto start = Clock::now();
    probe.Send("next", json{{"threadId", 1}});
    probe.Event("stopped");
    steps.push_back(Milliseconds(Clock::now() - start));
    roundTrips.push_back(ThreadRoundTrip());
  }
  probe.Send("disconnect");
  std::printf("2. thread round trip        %8.3f ms (baseline, median of 1000)\n", Median(roundTrips));
  std::printf("   next -> stopped          %8.3f ms  ratio %.1f  max %.3f ms  (target < 10 ms)\n", Median(steps),
              Median(steps) / Median(roundTrips), *std::max_element(steps.begin(), steps.end()));
}

void VariablesFigure(const std::string& folder) {
  constexpr int kGlobals = 10000;
  const std::string program = folder + "/globals.vbs";
  {
    std::ofstream out(program);
    for (int i = 0; i < kGlobals; ++i) out << "Dim g" << i << " : g" << i << " = \"value " << i << "\"\r\n";
    out << "Stop\r\n";
  }
  CSessionProbe probe;
  probe.Launch(program);
  probe.Send("continue", json{{"threadId", 1}});
  probe.Event("stopped");
  std::vector<double> listing;
  std::vector<double> baseline;
  for (int i = 0; i < kRepeats; ++i) {
    probe.Send("stackTrace", json{{"threadId", 1}});
    const int frame = probe.Response("stackTrace")["body"]["stackFrames"][0]["id"];
    probe.Send("scopes", json{{"frameId", frame}});
    const int globals = probe.Response("scopes")["body"]["scopes"].back()["variablesReference"];
    const auto start = Clock::now();
    probe.Send("variables", json{{"variablesReference", globals}});
    const json response = probe.Response("variables");
    listing.push_back(Milliseconds(Clock::now() - start));
    if (response["body"]["variables"].size() != kGlobals) {
      std::fprintf(stderr, "listed %zu globals\n", response["body"]["variables"].size());
      std::exit(1);
    }
    // The same values turned into text and UTF-8 with nothing of the protocol around them.
    const auto bare = Clock::now();
    std::string all;
    for (int g = 0; g < kGlobals; ++g) all += "g" + std::to_string(g) + "=\"value " + std::to_string(g) + "\"";
    baseline.push_back(Milliseconds(Clock::now() - bare));
  }
  probe.Send("disconnect");
  std::printf("3. 10,000 values as text    %8.3f ms (baseline)\n", Median(baseline));
  std::printf("   variables of 10,000      %8.3f ms  ratio %.1f  (target < 50 ms)\n", Median(listing),
              Median(listing) / Median(baseline));
}

}  // namespace

int main() {
  char pattern[] = "/tmp/quillet-bench-debugger-XXXXXX";
  const char* folder = ::mkdtemp(pattern);
  if (folder == nullptr) return 1;
  OverheadFigure();
  StepFigure(folder);
  VariablesFigure(folder);
  std::filesystem::remove_all(folder);
  return 0;
}
