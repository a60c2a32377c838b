// The engine on a set of scripts, each beside the same program in Lua 5.4 and CPython 3 when
// those interpreters are on PATH (they are never a dependency: a missing one is left out). Each
// script runs once, hands its checksum to the host object, and is timed in processor seconds
// from compilation to the end of its global code; the peers time themselves alike. The targets:
// at most 5 times Lua's time, and less than Python's. Also prints the memory a script's array
// of a million Doubles takes per element (at most 24 bytes). Each peer's program is written
// the way that language's programmers write it: strings built piece by piece go through a
// buffer there, as ours grow in place.
//
// Run: build/bench/bench_engine [--repeat N] [name ...]   (no names: every script; with
//      --repeat, every figure is the median of N runs)
//      build/bench/bench_engine --write-scripts DIR   writes each program as DIR/<name>.vbs (for
//      any host, with Bench.Report printing through WScript.Echo), .lua and .py.

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "PeerInterpreter.h"
#include "BenchHost.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "engine/vm/VirtualMachine.h"
#include "platform/TextConvert.h"

namespace {

using quillet::bench::CPeerInterpreter;
using quillet::bench::SPeerResult;
using quillet::engine::CDispatchObject;
using quillet::engine::CScriptEngine;
using quillet::engine::CVariant;
using quillet::engine::EInvokeKind;

constexpr double kMaxRatioToLua = 5.0;
constexpr double kMaxRatioToPython = 1.0;

struct SScript {
  const char* name;
  const char16_t* source;
  // The same program; report(value) is the peers' Bench.Report.
  const char* lua;
  const char* python;
};

const SScript kScripts[] = {
    {"loop",
     u"Dim i, s : s = 0\n"
     u"For i = 1 To 5000000\n"
     u"  s = s + (i Mod 7)\n"
     u"Next\n"
     u"Bench.Report s\n",
     R"lua(local s = 0
for i = 1, 5000000 do
  s = s + (i % 7)
end
report(s)
)lua",
     R"py(s = 0
for i in range(1, 5000001):
    s = s + (i % 7)
report(s)
)py"},
    {"concat",
     u"Dim i, t : t = \"\"\n"
     u"For i = 1 To 200000\n"
     u"  t = t & \"ab\"\n"
     u"Next\n"
     u"Bench.Report Len(t)\n",
     R"lua(local parts = {}
for i = 1, 200000 do
  parts[#parts + 1] = "ab"
end
report(#table.concat(parts))
)lua",
     R"py(parts = []
for i in range(1, 200001):
    parts.append("ab")
report(len("".join(parts)))
)py"},
    {"calls",
     u"Function Add(a, b)\n"
     u"  Add = a + b\n"
     u"End Function\n"
     u"Dim i, s : s = 0\n"
     u"For i = 1 To 1000000\n"
     u"  s = Add(s, i)\n"
     u"Next\n"
     u"Bench.Report s\n",
     R"lua(local function add(a, b)
  return a + b
end
local s = 0
for i = 1, 1000000 do
  s = add(s, i)
end
report(s)
)lua",
     R"py(def add(a, b):
    return a + b
s = 0
for i in range(1, 1000001):
    s = add(s, i)
report(s)
)py"},
    {"properties",
     u"Class Box\n"
     u"  Private m_v\n"
     u"  Public Property Get Value() : Value = m_v : End Property\n"
     u"  Public Property Let Value(v) : m_v = v : End Property\n"
     u"End Class\n"
     u"Dim b, i : Set b = New Box : b.Value = 0\n"
     u"For i = 1 To 1000000\n"
     u"  b.Value = b.Value + 1\n"
     u"Next\n"
     u"Bench.Report b.Value\n",
     R"lua(local Box = {}
Box.__index = Box
function Box:getValue() return self.v end
function Box:setValue(v) self.v = v end
local b = setmetatable({}, Box)
b:setValue(0)
for i = 1, 1000000 do
  b:setValue(b:getValue() + 1)
end
report(b:getValue())
)lua",
     R"py(class Box:
    def __init__(self):
        self._v = None
    @property
    def value(self):
        return self._v
    @value.setter
    def value(self, v):
        self._v = v
b = Box()
b.value = 0
for i in range(1, 1000001):
    b.value = b.value + 1
report(b.value)
)py"},
    {"array",
     u"Dim a(999999), i, s\n"
     u"For i = 0 To 999999\n"
     u"  a(i) = i * 0.5\n"
     u"Next\n"
     u"s = 0\n"
     u"For i = 0 To 999999\n"
     u"  s = s + a(i)\n"
     u"Next\n"
     u"Bench.Report s\n",
     R"lua(local a = {}
for i = 0, 999999 do
  a[i] = i * 0.5
end
local s = 0
for i = 0, 999999 do
  s = s + a[i]
end
report(s)
)lua",
     R"py(a = [None] * 1000000
for i in range(0, 1000000):
    a[i] = i * 0.5
s = 0
for i in range(0, 1000000):
    s = s + a[i]
report(s)
)py"},
    {"concat3",
     u"Dim i, t : t = \"\"\n"
     u"For i = 1 To 200000\n"
     u"  t = t & i & \",\"\n"
     u"Next\n"
     u"Bench.Report Len(t)\n",
     R"lua(local parts = {}
for i = 1, 200000 do
  parts[#parts + 1] = i .. ","
end
report(#table.concat(parts))
)lua",
     R"py(parts = []
for i in range(1, 200001):
    parts.append(str(i) + ",")
report(len("".join(parts)))
)py"},
    {"fibonacci",
     u"Function Fib(n)\n"
     u"  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)\n"
     u"End Function\n"
     u"Bench.Report Fib(27)\n",
     R"lua(local function fib(n)
  if n < 2 then return n else return fib(n - 1) + fib(n - 2) end
end
report(fib(27))
)lua",
     R"py(def fib(n):
    if n < 2:
        return n
    return fib(n - 1) + fib(n - 2)
report(fib(27))
)py"},
    // The string library on short strings: the per-call cost of a built-in, not of the text.
    {"mid",
     u"Dim i, s, n : s = \"abcdefghij\" : n = 0\n"
     u"For i = 1 To 1000000\n"
     u"  n = n + Len(Mid(s, (i Mod 8) + 1, 3))\n"
     u"Next\n"
     u"Bench.Report n\n",
     R"lua(local s, n = "abcdefghij", 0
for i = 1, 1000000 do
  local k = i % 8 + 1
  n = n + #string.sub(s, k, k + 2)
end
report(n)
)lua",
     R"py(s = "abcdefghij"
n = 0
for i in range(1, 1000001):
    k = i % 8
    n = n + len(s[k:k + 3])
report(n)
)py"},
    {"instr",
     u"Dim i, s, n : s = \"the quick brown fox\" : n = 0\n"
     u"For i = 1 To 1000000\n"
     u"  n = n + InStr(s, \"fox\")\n"
     u"Next\n"
     u"Bench.Report n\n",
     R"lua(local s, n = "the quick brown fox", 0
for i = 1, 1000000 do
  n = n + string.find(s, "fox", 1, true)
end
report(n)
)lua",
     R"py(s = "the quick brown fox"
n = 0
for i in range(1, 1000001):
    n = n + s.find("fox") + 1
report(n)
)py"},
    {"replace",
     u"Dim i, s, n : s = \"a-b-c-d\" : n = 0\n"
     u"For i = 1 To 1000000\n"
     u"  n = n + Len(Replace(s, \"-\", \"--\"))\n"
     u"Next\n"
     u"Bench.Report n\n",
     R"lua(local s, n = "a-b-c-d", 0
for i = 1, 1000000 do
  n = n + #(string.gsub(s, "%-", "--"))
end
report(n)
)lua",
     R"py(s = "a-b-c-d"
n = 0
for i in range(1, 1000001):
    n = n + len(s.replace("-", "--"))
report(n)
)py"},
    {"split",
     u"Dim i, s, n : s = \"a,b,c,d\" : n = 0\n"
     u"For i = 1 To 1000000\n"
     u"  n = n + UBound(Split(s, \",\"))\n"
     u"Next\n"
     u"Bench.Report n\n",
     R"lua(local function split(text, separator)
  local parts = {}
  for piece in (text .. separator):gmatch("(.-)" .. separator) do parts[#parts + 1] = piece end
  return parts
end
local s, n = "a,b,c,d", 0
for i = 1, 1000000 do
  n = n + #split(s, ",") - 1
end
report(n)
)lua",
     R"py(s = "a,b,c,d"
n = 0
for i in range(1, 1000001):
    n = n + len(s.split(",")) - 1
report(n)
)py"},
    {"formatnumber",
     u"Dim i, n : n = 0\n"
     u"For i = 1 To 100000\n"
     u"  n = n + Len(FormatNumber(i * 1.25, 2))\n"
     u"Next\n"
     u"Bench.Report n\n",
     R"lua(local function formatNumber(x, decimals)
  local whole, fraction = string.format("%." .. decimals .. "f", x):match("^(%d+)(%.%d+)$")
  whole = whole:reverse():gsub("(%d%d%d)", "%1,"):reverse():gsub("^,", "")
  return whole .. fraction
end
local n = 0
for i = 1, 100000 do
  n = n + #formatNumber(i * 1.25, 2)
end
report(n)
)lua",
     R"py(n = 0
for i in range(1, 100001):
    n = n + len(format(i * 1.25, ",.2f"))
report(n)
)py"},
    {"dictionary",
     u"Dim d, i, n : Set d = CreateObject(\"Scripting.Dictionary\")\n"
     u"For i = 1 To 200000\n"
     u"  d.Add \"k\" & i, i\n"
     u"Next\n"
     u"n = 0\n"
     u"For i = 1 To 200000\n"
     u"  If d.Exists(\"k\" & i) Then n = n + d.Item(\"k\" & i)\n"
     u"Next\n"
     u"Bench.Report n & \" \" & d.Count\n",
     R"lua(local d, count = {}, 0
for i = 1, 200000 do
  d["k" .. i] = i
  count = count + 1
end
local n = 0
for i = 1, 200000 do
  if d["k" .. i] ~= nil then n = n + d["k" .. i] end
end
report(n .. " " .. count)
)lua",
     R"py(d = {}
for i in range(1, 200001):
    d["k" + str(i)] = i
n = 0
for i in range(1, 200001):
    if "k" + str(i) in d:
        n = n + d["k" + str(i)]
report(str(n) + " " + str(len(d)))
)py"},
    {"regexp",
     u"Dim i, lines(99999), re, ms, m, n\n"
     u"For i = 0 To 99999\n"
     u"  lines(i) = \"line \" & i & \": value=\" & (i * 7) & \" ok\"\n"
     u"Next\n"
     u"Set re = New RegExp\n"
     u"re.Pattern = \"value=(\\d+)\"\n"
     u"re.Global = True\n"
     u"Set ms = re.Execute(Join(lines, vbLf))\n"
     u"n = 0\n"
     u"For Each m In ms : n = n + Len(m.SubMatches(0)) : Next\n"
     u"Bench.Report ms.Count & \" \" & n\n",
     R"lua(local lines = {}
for i = 0, 99999 do
  lines[i + 1] = "line " .. i .. ": value=" .. (i * 7) .. " ok"
end
local count, n = 0, 0
for digits in table.concat(lines, "\n"):gmatch("value=(%d+)") do
  count = count + 1
  n = n + #digits
end
report(count .. " " .. n)
)lua",
     R"py(import re
lines = [None] * 100000
for i in range(0, 100000):
    lines[i] = "line " + str(i) + ": value=" + str(i * 7) + " ok"
ms = list(re.finditer(r"value=(\d+)", "\n".join(lines)))
n = 0
for m in ms:
    n = n + len(m.group(1))
report(str(len(ms)) + " " + str(n))
)py"},
};

// Numbers as our engine writes them (15 significant digits), so that the checksums compare.
const char* const kLuaPrologue = R"lua(local __clock = os.clock
local __start = __clock()
local function report(value)
  if math.type(value) == "float" then value = string.format("%.15g", value) end
  io.write(tostring(value), "\n", string.format("%.6f", __clock() - __start), "\n")
end
)lua";

const char* const kPythonPrologue = R"py(import time as __time
__start = __time.process_time()
def report(value):
    if isinstance(value, float):
        value = format(value, ".15g")
    print(value)
    print("%.6f" % (__time.process_time() - __start))
)py";

double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::optional<SPeerResult> RunOurs(const SScript& script) {
  CScriptEngine engine;
  auto* host = new quillet::bench::CBenchHost();
  engine.AddNamedItem(u"Bench", CVariant::Object(host));
  const double start = ProcessSeconds();
  try {
    engine.Run(script.source);
  } catch (const quillet::engine::CScriptError& error) {
    std::printf("%-12s error %d at line %d: %s\n", script.name, error.Number(), error.Line(),
                quillet::platform::Utf16ToUtf8(error.Description()).c_str());
    return std::nullopt;
  }
  return SPeerResult{quillet::platform::Utf16ToUtf8(host->checksum), ProcessSeconds() - start};
}

// The median run of several; empty when any run failed.
template <typename RunFn>
std::optional<SPeerResult> Median(int repeat, RunFn&& run) {
  std::vector<SPeerResult> results;
  for (int i = 0; i < repeat; ++i) {
    std::optional<SPeerResult> result = run();
    if (!result) return std::nullopt;
    results.push_back(*result);
  }
  std::sort(results.begin(), results.end(),
            [](const SPeerResult& a, const SPeerResult& b) { return a.seconds < b.seconds; });
  return results[results.size() / 2];
}

struct SPeers {
  std::optional<CPeerInterpreter> lua;
  std::optional<CPeerInterpreter> python;
};

// One figure beside ours: its time and our time's ratio to it, or dashes without the peer.
// False when the ratio is over the limit or the peer computed something else.
bool PrintPeer(const std::optional<CPeerInterpreter>& peer, const std::optional<SPeerResult>& result,
               const SPeerResult& ours, double limit, std::string& notes) {
  if (!peer) {
    std::printf(" %9s %7s", "-", "-");
    return true;
  }
  if (!result) {
    std::printf(" %9s %7s", "failed", "-");
    notes += " " + peer->Command() + " failed;";
    return true;
  }
  const double ratio = ours.seconds / result->seconds;
  std::printf(" %7.3f s %7.2f", result->seconds, ratio);
  bool ok = ratio <= limit;
  if (result->checksum != ours.checksum) {
    notes += " " + peer->Command() + " computed " + result->checksum + ";";
    ok = false;
  }
  return ok;
}

bool RunOne(const SScript& script, const SPeers& peers, int repeat) {
  const auto ours = Median(repeat, [&] { return RunOurs(script); });
  if (!ours) return false;
  std::optional<SPeerResult> lua;
  std::optional<SPeerResult> python;
  if (peers.lua) lua = Median(repeat, [&] { return peers.lua->Run(script.lua); });
  if (peers.python) python = Median(repeat, [&] { return peers.python->Run(script.python); });
  std::printf("%-12s %7.3f s", script.name, ours->seconds);
  std::string notes;
  bool ok = PrintPeer(peers.lua, lua, *ours, kMaxRatioToLua, notes);
  ok = PrintPeer(peers.python, python, *ours, kMaxRatioToPython, notes) && ok;
  std::printf("   %-4s  %s%s\n", ok ? "ok" : "SLOW", ours->checksum.c_str(), notes.c_str());
  return ok;
}

// Heap growth across Dim of the array, divided by its elements.
bool ReportArrayMemory() {
  CScriptEngine engine;
  const size_t before = mallinfo2().uordblks;
  engine.Run(u"Dim a(999999), i\nFor i = 0 To 999999 : a(i) = CDbl(i) : Next\n");
  const size_t after = mallinfo2().uordblks;
  const double perElement = static_cast<double>(after - before) / 1000000.0;
  std::printf("memory       %.1f bytes per Double element (target at most 24) %s\n", perElement,
              perElement <= 24 ? "ok" : "TOO MUCH");
  return perElement <= 24;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

// Each program as a file its interpreter runs: a small class stands in for our host object.
int WriteScripts(const std::string& folder, const SPeers& peers) {
  const CPeerInterpreter lua = peers.lua.value_or(CPeerInterpreter("lua5.4", ".lua", kLuaPrologue));
  const CPeerInterpreter python = peers.python.value_or(CPeerInterpreter("python3", ".py", kPythonPrologue));
  for (const auto& script : kScripts) {
    const std::string base = folder + "/" + script.name;
    const std::string vbscript =
        "Class BenchHost : Sub Report(v) : WScript.Echo v : End Sub : End Class\r\n"
        "Dim Bench : Set Bench = New BenchHost\r\n" +
        quillet::platform::Utf16ToUtf8(script.source);
    if (!WriteFile(base + ".vbs", vbscript) || !WriteFile(base + ".lua", lua.Source(script.lua)) ||
        !WriteFile(base + ".py", python.Source(script.python))) {
      return 1;
    }
  }
  return 0;
}

bool Selected(const char* name, const std::vector<std::string>& names) {
  return names.empty() || std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

int main(int argc, char** argv) {
  SPeers peers{CPeerInterpreter::Find("lua5.4", ".lua", kLuaPrologue),
               CPeerInterpreter::Find("python3", ".py", kPythonPrologue)};
  if (argc == 3 && std::strcmp(argv[1], "--write-scripts") == 0) return WriteScripts(argv[2], peers);
  int repeat = 1;
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) repeat = std::max(1, std::atoi(argv[++i]));
    else names.emplace_back(argv[i]);
  }
  std::printf("%-12s %9s %9s %7s %9s %7s   %-4s  %s\n", "script", "ours", "lua5.4", "ratio", "python3", "ratio",
              "", "checksum");
  bool ok = true;
  for (const auto& script : kScripts) {
    if (Selected(script.name, names)) ok = RunOne(script, peers, repeat) && ok;
  }
  if (Selected("memory", names)) ok = ReportArrayMemory() && ok;
  std::printf("targets: at most %.0f times Lua's time, less than Python's\n", kMaxRatioToLua);
  return ok ? 0 : 1;
}
